#pragma once
// Boxes and spheres that enclose a model object with its mesh and its children, each child's bound taken
// through the child's local transform.
#include "QuillLib/math/BoundingBox.h"
#include "QuillLib/math/BoundingSphere.h"

namespace quill {

class ModelObject;

// The empty box merged with the bound of the object's mesh (when it has one) and each child's bound.
BoundingBox& BoxFromModelObject(BoundingBox& out, const ModelObject& object);
// Centre in the middle of that box, radius reaching the farthest of those spheres.
BoundingSphere& EncloseModelObject(BoundingSphere& out, const ModelObject& object);

}  // namespace quill
