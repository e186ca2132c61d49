#include "QuillLib/math/BoundingBox.h"

#include <algorithm>

#include "QuillLib/math/BoundingSphere.h"
#include "QuillLib/math/VertexAccess.h"

namespace quill {

void BoundingBox::Extend(const Vec3& point) {
    min = Vec3{std::min(min.x, point.x), std::min(min.y, point.y), std::min(min.z, point.z)};
    max = Vec3{std::max(max.x, point.x), std::max(max.y, point.y), std::max(max.z, point.z)};
}

void BoundingBox::MergeSphere(const BoundingSphere& sphere) {
    const Vec3 reach{sphere.radius, sphere.radius, sphere.radius};
    Extend(sphere.centre - reach);
    Extend(sphere.centre + reach);
}

Vec3 BoundingBox::Middle() const {
    return Vec3{(min.x + max.x) / 2.0f, (min.y + max.y) / 2.0f, (min.z + max.z) / 2.0f};
}

BoundingBox& BoundingBox::FromVertices(BoundingBox& out, const VertexData& vertices) {
    out = kEmptyBox;
    for (uint32_t vertex = 0; vertex < vertices.VertexCount(); ++vertex) {
        out.Extend(ReadPosition(vertices, vertex));
    }
    return out;
}

BoundingBox& BoundingBox::FromPartVertices(BoundingBox& out, const VertexData& vertices,
                                           const std::set<uint16_t>& keys) {
    out = kEmptyBox;
    for (uint16_t vertex : keys) {
        if (vertex < vertices.VertexCount()) {
            out.Extend(ReadPosition(vertices, vertex));
        }
    }
    return out;
}

}  // namespace quill
