#include "QuillLib/render/ObjectLayerGroup.h"

#include "QuillLib/render/PartListLeaf.h"
#include "QuillLib/resource/ModelObject.h"

namespace quill {

bool ObjectLayerGroup::Accept(NodeVisitor& visitor) {
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
        if (!child->second->Accept(visitor)) return false;
    }
    return true;
}

int16_t ObjectLayerGroup::GetObjectTreeKey(const ModelObject& object) const {
    return object.drawOrder;
}

std::unique_ptr<Node> ObjectLayerGroup::CreateChildNode(int16_t key, const MeshPart* /*part*/) {
    return std::make_unique<PartListLeaf>(owner_, this, key);
}

}  // namespace quill
