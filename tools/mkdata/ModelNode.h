#pragma once
// One node of a MODEL item as stored: the meshes it attaches (under key 0, the key a node draws by default),
// its bound sphere, its local transform and its child nodes. The root node is the item.
#include <cstdint>
#include <vector>

#include "QuillLib/math/Transform.h"
#include "tools/mkdata/BodyWriter.h"

namespace mkdata {

struct ModelNode {
    static constexpr uint32_t kNone = 0xFFFFFFFF;

    uint32_t meshId = kNone;  // attached under key 0; kNone attaches nothing
    quill::Vec3 boundCentre;
    float boundRadius = -1.0f;  // -1: no bound
    quill::Transform transform;
    std::vector<ModelNode> children;

    // Grows every node's bound (in its own space) to enclose its children's, so that a node without a mesh of
    // its own (the root of a table or a room) is seen wherever any of its parts is: a node without a bound
    // would be judged by its origin alone and vanish with its children whenever the origin leaves the view.
    void EncloseChildren();
    void Write(BodyWriter& out) const;
};

}  // namespace mkdata
