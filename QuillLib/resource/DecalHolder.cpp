#include "QuillLib/resource/DecalHolder.h"

#include "QuillLib/resource/IndexedMeshPart.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/SpriteObject.h"

namespace quill {

DecalHolder::DecalHolder() {
    SharedPtr<Material> material = quill::make_shared<Material>(u"", 1, 0, 0, 0);
    material->flagA = 0;
    material->flagB = 1;
    Mesh decal(u"");
    decal.Allocate(SpriteObject::kQuadFormat, 0);
    decal.AddPart(quill::make_shared<IndexedMeshPart>(material, 0));
    mesh = decal.CreateInstance(Transform{}, false, false);
}

IndexedMeshPart& DecalHolder::Part() const {
    return static_cast<IndexedMeshPart&>(*mesh->parts.front());
}

Material& DecalHolder::GetMaterial() const {
    return *Part().material;
}

}  // namespace quill
