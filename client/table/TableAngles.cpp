#include "client/table/TableAngles.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/math/Vector2D.h"

namespace kestrovan {

float WrapDegrees(float degrees) {
    if (!std::isfinite(degrees)) {
        return 0.0f;
    }
    float wrapped = std::fmod(degrees, 360.0f);
    if (wrapped < 0.0f) {
        wrapped += 360.0f;
    }
    // A tiny negative angle comes back as 360 after the addition.
    return wrapped >= 360.0f ? wrapped - 360.0f : wrapped;
}

float YawBetweenPoints(float x1, float y1, float /*z1*/, float x2, float y2, float /*z2*/) {
    float dx = x2 - x1;
    float dy = y2 - y1;
    quill::Normalize2D(&dx, &dy);
    // Rounding can leave the unit vector's x a hair beyond 1, where acos has no value.
    const float angle = RadiansToDegrees(std::acos(std::clamp(dx, -1.0f, 1.0f)));
    return dy < 0.0f ? -angle : angle;
}

}  // namespace kestrovan
