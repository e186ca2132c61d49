#pragma once
// One point of a drawn line: a position and its ARGB colour.
#include <cstdint>

#include "QuillLib/math/Vec3.h"

namespace kestrovan {

struct LinePoint {
    quill::Vec3 position;
    uint32_t colour = 0;
};

}  // namespace kestrovan
