#pragma once
// A MATERIAL item as stored: the stage mask (one bit per texture slot), the three selector bytes that pick
// the lighting branch when drawing, and one stage per slot of the mask in slot order.
#include <cstdint>
#include <vector>

#include "tools/mkdata/BodyWriter.h"

namespace mkdata {

struct MaterialBody {
    static constexpr uint32_t kNoTexture = 0xFFFFFFFF;
    // The mask bit of texture slot 0, the base texture.
    static constexpr uint32_t kBaseSlotBit = 1;

    // A lit material with one base texture; specular adds the highlight branch.
    static MaterialBody Lit(uint32_t textureId, bool specular);
    // An unlit material with one base texture (shadows, markers, effects).
    static MaterialBody Unlit(uint32_t textureId);

    uint32_t stageMask = kBaseSlotBit;
    uint8_t specular = 0;  // selector A: the specular branch
    uint8_t unlit = 0;     // selector B: drawn without lights
    uint8_t lit = 1;       // selector C: lit with the vertex normals
    std::vector<uint32_t> stageTextures;  // one texture id per stage

    void Write(BodyWriter& out) const;
};

}  // namespace mkdata
