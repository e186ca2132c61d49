#include "tools/mkdata/ModelNode.h"

namespace mkdata {

void ModelNode::Write(BodyWriter& out) const {
    out.U32(kNone);  // no skeleton
    out.U32(kNone);
    out.U16(0);
    out.U16(0);
    out.F32(1.0f);
    if (meshId == kNone) {
        out.U16(0);
    } else {
        out.U16(1);
        out.U16(0);
        out.U32(meshId);
    }
    out.Vec4(boundCentre.x, boundCentre.y, boundCentre.z, boundRadius);
    out.Transform(transform);
    out.U16(static_cast<uint16_t>(children.size()));
    for (const ModelNode& child : children) {
        child.Write(out);
    }
    out.U8(0);   // no subtree settings
    out.U32(0);  // trailer
}

}  // namespace mkdata
