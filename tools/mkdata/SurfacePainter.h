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
    // A pocket's leather liner down its cup (v from the rim to the bottom): a stitched band at the rim, the
    // leather darkening with depth into the shadow at the bottom.
    static RgbaImage PocketLiner(Argb colour, uint32_t seed);
    // A pearl inlay: a light disc with a soft rim.
    static RgbaImage Sight(Argb colour);
    static RgbaImage Floor(Argb colour, uint32_t seed);
    // A room's wall from its ceiling (v 0) to its floor (v 1): paper of the colour above wooden wainscot.
    static RgbaImage Wall(Argb colour, uint32_t seed);
    // The light map of a table: the pool of light the lamp over it casts, seen from above across the table's
    // outer edge, in the doubling scale of a light map (128 leaves a colour as lit).
    static RgbaImage LampLight();
};

}  // namespace mkdata
