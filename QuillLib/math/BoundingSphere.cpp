#include "QuillLib/math/BoundingSphere.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/math/BoundingBox.h"
#include "QuillLib/math/VertexAccess.h"

namespace quill {
namespace {

// The squared distance from centre to the farthest of the given vertices; 0 for none.
template <class Vertices>
float LargestSquaredDistance(const VertexData& vertices, const Vec3& centre, const Vertices& indices) {
    float largest = 0.0f;
    for (uint32_t vertex : indices) {
        if (vertex < vertices.VertexCount()) {
            const Vec3 d = ReadPosition(vertices, vertex) - centre;
            largest = std::max(largest, Vec3::Dot(d, d));
        }
    }
    return largest;
}

// The indices 0 .. count-1 as a range.
struct AllVertices {
    struct Iterator {
        uint32_t value;
        uint32_t operator*() const { return value; }
        Iterator& operator++() {
            ++value;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return value != other.value; }
    };
    uint32_t count;
    Iterator begin() const { return {0}; }
    Iterator end() const { return {count}; }
};

}  // namespace

BoundingSphere& BoundingSphere::FromVertices(BoundingSphere& out, const VertexData& vertices) {
    BoundingBox box;
    BoundingBox::FromVertices(box, vertices);
    out.centre = box.IsEmpty() ? Vec3{} : box.Middle();
    out.radius = std::sqrt(LargestSquaredDistance(vertices, out.centre, AllVertices{vertices.VertexCount()}));
    return out;
}

BoundingSphere& BoundingSphere::FromPartVertices(BoundingSphere& out, const VertexData& vertices,
                                                 const std::set<uint16_t>& keys) {
    BoundingBox box;
    BoundingBox::FromPartVertices(box, vertices, keys);
    out.centre = box.IsEmpty() ? Vec3{} : box.Middle();
    out.radius = std::sqrt(LargestSquaredDistance(vertices, out.centre, keys));
    return out;
}

void BoundingSphere::Transform(const quill::Transform& transform) {
    centre.TransformInPlace(transform.matrix);
    const Vec3& s = transform.scale;
    radius *= std::max({std::fabs(s.x), std::fabs(s.y), std::fabs(s.z)});
}

}  // namespace quill
