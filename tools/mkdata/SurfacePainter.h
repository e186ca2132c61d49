#pragma once
// The textures of the table's and the room's surfaces: cloth, wood, pocket leather, the inlaid sights, the
// floor and the walls. Each is a small tile with a repeatable grain (the same seed gives the same image).
#include <cstdint>

#include "tools/mkdata/RgbaImage.h"

namespace mkdata {

class SurfacePainter {
public:
    // Felt: the colour with a fine even nap.
    static RgbaImage Cloth(Argb colour, uint32_t seed);
    // Wood along u: long grain lines with slow rings.
    static RgbaImage Wood(Argb colour, uint32_t seed);
    static RgbaImage Leather(Argb colour, uint32_t seed);
    // A pearl inlay: a light disc with a soft rim.
    static RgbaImage Sight(Argb colour);
    static RgbaImage Floor(Argb colour, uint32_t seed);
    static RgbaImage Wall(Argb colour, uint32_t seed);
};

}  // namespace mkdata
