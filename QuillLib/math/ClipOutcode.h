#pragma once
// Clip-space outcodes of points, for culling single triangles against the view volume.
//
// An outcode packs three 2-bit fields, x in bits 4-5, y in bits 2-3, z in bits 0-1; each field is 1 below
// the lower bound, 2 inside, 3 above the upper bound. A point inside the whole volume has the code 42
// (0x2A); a valid code is never 0, so 0 marks a cache entry not computed yet.
#include <cstdint>

#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Vec3.h"

namespace quill {

inline constexpr uint8_t kInsideOutcode = 0x2A;

// (X, Y, Z, W) = (point, 1) * m; x and y against -W..W, z against 0..W.
uint8_t ClipOutcode(const Matrix4& m, const Vec3& point);
// Whether the code is that of a point inside the whole volume.
inline bool IsInsideCode(uint8_t code) {
    return code == kInsideOutcode;
}
// Whether the three codes lie beyond the same bound on one axis: every 2-bit field equal and not 2.
bool SameOutsideSide(uint8_t a, uint8_t b, uint8_t c);
// False only when the three vertices lie beyond one bound of one axis (x first, then y, then z).
bool TriangleMayBeVisible(uint8_t a, uint8_t b, uint8_t c);

}  // namespace quill
