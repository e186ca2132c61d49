#pragma once
// A MATERIAL item as stored: the stage mask (one bit per texture slot), the three selector bytes that pick
// the lighting branch when drawing, and one stage per slot of the mask in slot order.
#include <cstdint>
#include <vector>

#include "tools/mkdata/BodyWriter.h"

namespace mkdata {

struct MaterialBody {
    static constexpr uint32_t kNoTexture = 0xFFFFFFFF;
    // The mask bits of texture slot 0, the base texture, and of slot 1, the light map (drawn with the second
    // texture-coordinate pair, doubling: a texel of 128 leaves the lit colour as it is).
    static constexpr uint32_t kBaseSlotBit = 1;
    static constexpr uint32_t kLightMapSlotBit = 0x10;

    // A lit material with one base texture; specular adds the highlight branch.
    static MaterialBody Lit(uint32_t textureId, bool specular);
    // An unlit material with one base texture (shadows, markers, effects).
    static MaterialBody Unlit(uint32_t textureId);
    // A lit matt material with a base texture and a light map over it.
    static MaterialBody LightMapped(uint32_t textureId, uint32_t lightMapId);

    uint32_t stageMask = kBaseSlotBit;
    uint8_t specular = 0;  // selector A: the specular branch
    uint8_t unlit = 0;     // selector B: drawn without lights
    uint8_t lit = 1;       // selector C: lit with the vertex normals
    std::vector<uint32_t> stageTextures;  // one texture id per stage, in slot order

    void Write(BodyWriter& out) const;
};

}  // namespace mkdata
