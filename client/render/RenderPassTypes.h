#pragma once
// The records the render-state layer takes from scenes, materials and objects: lights, fog and the 3D
// environment, a material's layers, an object's draw state.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/math/Matrix4.h"
#include "QuillLib/render/SceneEnvironment.h"

namespace kestrovan {

struct DirectionalLightDesc {
    uint32_t lightId = 0;
    float r = 0, g = 0, b = 0;
    float intensity = 0;
    uint8_t diffuseOn = 0;
    uint8_t specularOn = 0;
    float x = 0, y = 0, z = 0;  // direction
};

struct PointLightDesc {
    uint32_t lightId = 0;
    float r = 0, g = 0, b = 0;
    float intensity = 0;
    uint8_t diffuseOn = 0;
    uint8_t specularOn = 0;
    float x = 0, y = 0, z = 0;  // position
    float range = 0;
};

// The fog and 3D environment records are the engine's: scenes build them.
using quill::FogSettings;
using quill::SceneEnvironment;

// Texture-coordinate animation of a layer: the three values of its record.
struct LayerAnimation {
    float a = 0, b = 0, c = 0;
};

// What the render-state layer reads of a material.
struct MaterialState {
    static constexpr uint16_t kNoLayer = 0xFFFF;

    uint32_t layerFlags = 0;
    // The layer index each slot (texture kind 0 to 7) holds.
    std::array<uint16_t, 8> slotLayer{kNoLayer, kNoLayer, kNoLayer, kNoLayer,
                                      kNoLayer, kNoLayer, kNoLayer, kNoLayer};
    // Per layer index, its animation record if it has one.
    std::vector<std::optional<LayerAnimation>> animations;
    uint8_t lit = 1;
    uint8_t unlit = 0;
    uint8_t specular = 0;
    // The bump layer's parameters: scale, animated flag, period in seconds.
    float bumpScale = 1;
    uint8_t bumpAnimated = 0;
    float bumpPeriod = 0;
};

// What ApplyObjectState reads of an object.
struct ObjectState {
    const quill::Matrix4* world = nullptr;  // null when the transform is the identity
    uint16_t blendMode = 0;
    float alpha = 1;
    int32_t cullMode = -1;  // -1 the device's default
};

}  // namespace kestrovan
