#pragma once
// A sphere that encloses geometry: centre, then radius. A sphere being built starts at radius -1, which
// also marks a mesh that never received a bound.
#include <cstdint>
#include <set>

#include "QuillLib/math/Transform.h"
#include "QuillLib/math/Vec3.h"

namespace quill {

class VertexData;

struct BoundingSphere {
    Vec3 centre;
    float radius = -1.0f;

    // Centre in the middle of the vertices' box, radius to the farthest vertex (0 without vertices).
    static BoundingSphere& FromVertices(BoundingSphere& out, const VertexData& vertices);
    // The same over the vertices whose index is in keys; indices past the vertex count are ignored.
    static BoundingSphere& FromPartVertices(BoundingSphere& out, const VertexData& vertices,
                                            const std::set<uint16_t>& keys);

    // Centre through the transform's matrix, radius times the largest absolute scale.
    void Transform(const quill::Transform& transform);
};

}  // namespace quill
