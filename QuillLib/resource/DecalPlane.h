#pragma once
// A plane (normal, d) of a decal's box: a point p is inside when normal . p + d >= 0.
#include "QuillLib/math/Vec3.h"

namespace quill {

struct DecalPlane {
    Vec3 normal;
    float d = 0.0f;

    float Distance(const Vec3& point) const { return Vec3::Dot(normal, point) + d; }
};

}  // namespace quill
