#pragma once
// What the OpenGL device was told, in the fixed-function terms of the interface; the pipeline turns it into
// OpenGL state before each draw. Dirty flags say which parts changed since the last draw.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>

#include "platform/gfx/BaseTexture.h"
#include "platform/gfx/GfxStates.h"
#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {

class MemoryIndexBuffer;
class MemoryVertexBuffer;

struct GlDeviceState {
    GlDeviceState();

    std::array<uint32_t, kRenderStateCount> renderStates{};
    std::array<std::array<uint32_t, kTextureStageStateCount>, kMaxTextureStages> stageStates{};
    std::array<std::array<uint32_t, kSamplerStateCount>, kMaxTextureStages> samplerStates{};
    Matrix world, view, projection;
    std::array<Matrix, kMaxTextureStages> textureMatrices{};
    Material material;
    std::map<uint32_t, Light> lights;
    std::map<uint32_t, bool> lightEnabled;
    std::array<BaseTexture*, kMaxTextureStages> textures{};
    uint32_t fvf = 0;
    MemoryVertexBuffer* stream = nullptr;
    uint32_t streamOffset = 0;
    uint32_t stride = 0;
    MemoryIndexBuffer* indices = nullptr;
    Viewport viewport;
    std::optional<Rect> scissor;  // of the render target, from its top-left
    uint32_t targetWidth = 0;
    uint32_t targetHeight = 0;
    bool targetIsTexture = false;

    bool renderDirty = true;
    bool stagesDirty = true;
    bool transformsDirty = true;
    bool lightsDirty = true;
    bool materialDirty = true;

    void MarkAllDirty();
};

// A render state's value, and a texture stage's.
inline uint32_t Rs(const GlDeviceState& state, RenderState id) {
    return state.renderStates[static_cast<uint32_t>(id)];
}
inline uint32_t Ss(const GlDeviceState& state, size_t unit, TextureStageState id) {
    return state.stageStates[unit][static_cast<uint32_t>(id)];
}

}  // namespace platform::gfx
