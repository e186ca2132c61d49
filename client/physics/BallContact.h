#pragma once
// One touching pair of balls of a ball-ball pass, kept only during that pass.
#include <cstdint>

#include "QuillLib/math/Vec3.h"

namespace kestrovan {

struct BallContact {
    uint16_t first = 0;   // the lower ball index; the normal points towards its centre
    uint16_t second = 0;  // the higher ball index
    quill::Vec3 normal;   // unit vector from the second ball's centre to the first's
    float compression = 0.0f;
};

static_assert(sizeof(BallContact) == 20);

}  // namespace kestrovan
