#pragma once
// The face of a ball, wrapped around it by longitude (u, once around) and latitude (v, pole to pole), with
// equal angles per pixel both ways so that spots and numbers stay round at the equator.
#include <cstdint>

#include "tools/mkdata/RgbaImage.h"

namespace mkdata {

class BallPainter {
public:
    enum class Style { Solid, Stripe, Banded };

    // number 0 paints no number spot. Banded adds two thin rings (the special sets).
    static RgbaImage Paint(Style style, Argb colour, uint32_t number);
};

}  // namespace mkdata
