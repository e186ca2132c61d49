#pragma once
// The texture-stage cascade: a material's layer flags turned into the settings of consecutive texture
// stages, in the fixed layer order base, light map, bump, second, sphere, projected, cube, added. Pure
// logic; the render-state layer applies the result.
#include <cstdint>
#include <optional>
#include <vector>

namespace kestrovan {

namespace LayerFlag {
inline constexpr uint32_t Base = 0x01;
inline constexpr uint32_t Second = 0x02;
inline constexpr uint32_t Projected = 0x04;
inline constexpr uint32_t CubeReflection = 0x08;
inline constexpr uint32_t LightMap = 0x10;
inline constexpr uint32_t Bump = 0x20;
inline constexpr uint32_t SphereReflection = 0x40;
inline constexpr uint32_t Added = 0x80;
inline constexpr uint32_t CubeAddsAlpha = 0x20000;
}  // namespace LayerFlag

// What the device offers and the user allows, as far as the cascade asks.
struct CascadeLimits {
    uint32_t maxTextureBlendStages = 0;
    bool bumpMapping = false;
    bool cubeMapping = false;
    bool bumpLayersEnabled = true;
    bool lightMapLayersEnabled = true;
};

enum class StageMatrix { None, Reflection, ReflectionSphere };
enum class StageFilter { Base, LightMap, Device, SecondMap };

struct StageSetting {
    uint32_t layer = 0;  // the layer bit
    uint32_t texCoordIndex = 0;
    uint32_t colorOp = 0;
    bool colorArgTexture = true;
    uint32_t alphaOp = 0;
    uint32_t transformFlags = 0;
    StageMatrix matrix = StageMatrix::None;
    StageFilter filter = StageFilter::Device;
    bool bumpMatrix = false;
};

// The flags the device can draw: without bump support a bump layer also drops the projected and sphere
// layers; a disabled light map or missing cube support drops those layers.
uint32_t MaskLayerFlags(uint32_t flags, const CascadeLimits& limits);
// The settings of stages 0, 1, ... for already masked flags; empty when a layer would need a stage beyond
// the device's blend stages.
std::optional<std::vector<StageSetting>> BuildStageCascade(uint32_t maskedFlags, const CascadeLimits& limits);

}  // namespace kestrovan

namespace kestrovan {

// The layer bit of texture kind 0 to 7 (0 for any other kind).
uint32_t IndexToFlagBit(uint32_t kind);
// The stage that a texture of kind `kind` binds to under masked flags: the number of present kinds below
// it, except that a material combining kind 6 with kinds 3, 4 or 5 numbers its stages in cascade order.
uint32_t StageOfKind(uint32_t kind, uint32_t maskedFlags);

}  // namespace kestrovan
