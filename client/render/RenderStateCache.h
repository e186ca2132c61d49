#pragma once
// What the render-state layer last set on the device, so that a setter skips a call that would change
// nothing. Reset() gives every field its value after creation and after each device reset; the per-stage
// textures are not reset by it (they go when the device is lost).
#include <array>
#include <cstdint>

#include "QuillLib/math/Matrix4.h"
#include "platform/gfx/GfxStates.h"

namespace platform::gfx {
class BaseTexture;
}

namespace kestrovan {

struct StageCache {
    platform::gfx::BaseTexture* texture = nullptr;
    uint16_t addressU = 0xFFFF;
    uint16_t addressV = 0xFFFF;
};

struct RenderStateCache {
    float ambientColor[4] = {0, 0, 0, 1};
    uint32_t appliedAmbient = 0;
    uint32_t lightCountA = 0;
    uint32_t lightCountB = 0;
    uint32_t lightIndexCount = 0;
    uint8_t lightsAOn = 0;
    uint8_t lightsBOn = 0;
    uint8_t lightingOn = 0;
    uint8_t specularOn = 0;
    float depthOffset = 0;
    uint32_t vertexFormat = 0;
    uint32_t stageFlags = 0;
    int32_t alphaMode = 2;
    float materialAlpha = -1;
    uint8_t lightsFrozen = 0;
    uint8_t specularFrozen = 0;
    uint8_t alphaFrozen = 0;
    int32_t cullMode = 2;
    uint8_t zWrite = 1;
    float brightness = 1;
    std::array<uint32_t, platform::gfx::kMaxTextureStages> wrap{};
    std::array<uint32_t, platform::gfx::kMaxTextureStages> transformFlags{};
    std::array<StageCache, platform::gfx::kMaxTextureStages> stages{};
    quill::Matrix4 world, view, projection;
    uint8_t worldIdentity = 1;
    uint8_t viewIdentity = 1;
    uint8_t projectionIdentity = 1;
    float baseFilterBias = 0;
    uint16_t baseFilterQuality = 0;
    uint16_t baseFilterAnisotropy = 0;

    // Every field but the stage textures back to its reset value.
    void Reset();
};

}  // namespace kestrovan
