#pragma once
// What a drawn mesh instance keeps for the renderer: the unbaked source vertices, the world bounding
// sphere, the cull result of the current pass with its depth, a per-vertex outcode cache (0 = not computed
// in this pass) and the flags of the draw.
#include <cstdint>
#include <memory>
#include <vector>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/math/BoundingSphere.h"
#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/VertexData.h"

namespace quill {

struct MeshRenderRecord {
    // Cull results; 0 means not classified in this pass.
    static constexpr int32_t kUnclassified = 0;
    static constexpr int32_t kOutside = 1;
    static constexpr int32_t kCrossing = 2;
    static constexpr int32_t kInside = 3;

    SharedPtr<VertexData> source;
    BoundingSphere worldSphere;
    int32_t cullResult = kUnclassified;
    float depth = 0.0f;
    std::vector<uint8_t> outcodes;
    uint8_t baked = 0;       // the vertices are already in world space
    uint8_t reflection = 0;  // drawn in the mirror pass
    uint8_t keepsAllSlots = 1;
    // The matrix that projects a texture onto the bounding sphere (kept while the mesh's option a is on).
    std::unique_ptr<Matrix4> sphereProjection;
};

}  // namespace quill
