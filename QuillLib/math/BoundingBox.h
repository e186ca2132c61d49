#pragma once
// An axis-aligned box: minimum corner, then maximum corner. The empty box has its minimum at +FLT_MAX and
// its maximum at -FLT_MAX, so the first point extended into it becomes both corners.
#include <cstdint>
#include <set>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Vec3.h"

namespace quill {

class VertexData;
struct BoundingSphere;

struct BoundingBox {
    Vec3 min{kFloatMax, kFloatMax, kFloatMax};
    Vec3 max{-kFloatMax, -kFloatMax, -kFloatMax};

    void Extend(const Vec3& point);
    // Extends by the sphere's centre minus and plus its radius.
    void MergeSphere(const BoundingSphere& sphere);
    // (min + max) / 2 per component.
    Vec3 Middle() const;
    bool IsEmpty() const { return min.x > max.x; }

    // The empty box extended by every vertex position.
    static BoundingBox& FromVertices(BoundingBox& out, const VertexData& vertices);
    // The empty box extended by the vertices whose index is in keys; indices past the vertex count (from a
    // damaged file) are ignored.
    static BoundingBox& FromPartVertices(BoundingBox& out, const VertexData& vertices,
                                         const std::set<uint16_t>& keys);
};

inline constexpr BoundingBox kEmptyBox{};

}  // namespace quill
