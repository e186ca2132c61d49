#include "tools/mkdata/ModelNode.h"

#include <algorithm>
#include <cmath>

namespace mkdata {

void ModelNode::EncloseChildren() {
    for (ModelNode& child : children) {
        child.EncloseChildren();
        if (child.boundRadius < 0.0f) {
            continue;
        }
        // The child's sphere in this node's space.
        quill::Vec3 centre = child.boundCentre;
        centre.TransformInPlace(child.transform.matrix);
        const quill::Vec3& scale = child.transform.scale;
        const float radius = child.boundRadius * std::max({std::fabs(scale.x), std::fabs(scale.y), std::fabs(scale.z)});
        if (boundRadius < 0.0f) {
            boundCentre = centre;
            boundRadius = radius;
            continue;
        }
        const quill::Vec3 apart = centre - boundCentre;
        const float distance = apart.Length();
        if (distance + radius <= boundRadius) {
            continue;
        }
        if (distance + boundRadius <= radius) {
            boundCentre = centre;
            boundRadius = radius;
            continue;
        }
        const float grown = (distance + boundRadius + radius) * 0.5f;
        const float shift = (grown - boundRadius) / distance;
        boundCentre = boundCentre + apart * shift;
        boundRadius = grown;
    }
}

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
