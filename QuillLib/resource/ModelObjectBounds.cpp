#include "QuillLib/resource/ModelObjectBounds.h"

#include <algorithm>

#include "QuillLib/resource/ModelObject.h"

namespace quill {
namespace {

BoundingSphere ChildSphere(const ModelObject& child) {
    BoundingSphere sphere = child.bound;
    sphere.Transform(child.localTransform);
    return sphere;
}

}  // namespace

BoundingBox& BoxFromModelObject(BoundingBox& out, const ModelObject& object) {
    out = kEmptyBox;
    if (const Mesh* mesh = object.GetAttachment()) {
        out.MergeSphere(mesh->bound);
    }
    for (const SharedPtr<ModelObject>& child : object.Children()) {
        out.MergeSphere(ChildSphere(*child));
    }
    return out;
}

BoundingSphere& EncloseModelObject(BoundingSphere& out, const ModelObject& object) {
    BoundingBox box;
    BoxFromModelObject(box, object);
    out.centre = box.IsEmpty() ? Vec3{} : box.Middle();
    float radius = 0.0f;
    if (const Mesh* mesh = object.GetAttachment()) {
        radius = std::max(radius, (mesh->bound.centre - out.centre).Length() + mesh->bound.radius);
    }
    for (const SharedPtr<ModelObject>& child : object.Children()) {
        const BoundingSphere sphere = ChildSphere(*child);
        radius = std::max(radius, (sphere.centre - out.centre).Length() + sphere.radius);
    }
    out.radius = radius;
    return out;
}

}  // namespace quill
