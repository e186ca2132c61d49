#include "QuillLib/math/ClipOutcode.h"

#include <initializer_list>

namespace quill {
namespace {

uint8_t Field(float value, float lower, float upper) {
    if (value < lower) {
        return 1;
    }
    return value > upper ? 3 : 2;
}

uint8_t FieldAt(uint8_t code, int shift) {
    return static_cast<uint8_t>((code >> shift) & 3);
}

}  // namespace

uint8_t ClipOutcode(const Matrix4& m, const Vec3& p) {
    const float* e = m.m;
    const float x = p.x * e[0] + p.y * e[4] + p.z * e[8] + e[12];
    const float y = p.x * e[1] + p.y * e[5] + p.z * e[9] + e[13];
    const float z = p.x * e[2] + p.y * e[6] + p.z * e[10] + e[14];
    const float w = p.x * e[3] + p.y * e[7] + p.z * e[11] + e[15];
    return static_cast<uint8_t>(Field(x, -w, w) << 4 | Field(y, -w, w) << 2 | Field(z, 0.0f, w));
}

bool SameOutsideSide(uint8_t a, uint8_t b, uint8_t c) {
    return a == b && b == c && a != 2;
}

bool TriangleMayBeVisible(uint8_t a, uint8_t b, uint8_t c) {
    // A corner inside the volume shows the triangle: no axis can have all three beyond one bound.
    if (IsInsideCode(a) || IsInsideCode(b) || IsInsideCode(c)) {
        return true;
    }
    for (int shift : {4, 2, 0}) {
        if (SameOutsideSide(FieldAt(a, shift), FieldAt(b, shift), FieldAt(c, shift))) {
            return false;
        }
    }
    return true;
}

}  // namespace quill
