#pragma once
// The strip that wraps a cue: u runs from the tip (0) to the butt (1), v once around. The sections follow
// CueProfile's lengths: tip, ferrule, shaft, joint, forearm, wrap, butt sleeve, bumper.
#include <cstdint>

#include "tools/mkdata/RgbaImage.h"

namespace mkdata {

struct CueColours {
    Argb shaft = 0xFFE8D5A8;
    Argb forearm = 0xFF4A2A16;
    Argb inlay = 0xFFE9E2CF;
    Argb wrap = 0xFF202020;
    Argb sleeve = 0xFF3A1E10;
    Argb joint = 0xFFC8C8CC;
    Argb tip = 0xFF3466A8;
};

class CuePainter {
public:
    static RgbaImage Paint(const CueColours& colours, uint32_t seed);
    // A texture for one tuning part's slot (0 shaft, 1 butt, 2 joint, 3 bumper, 4 tip), varied by seed.
    static RgbaImage PaintPart(uint32_t slot, uint32_t seed);
    // Distinct cue colours for the index-th cue of a set.
    static CueColours Variant(uint32_t index);
};

}  // namespace mkdata
