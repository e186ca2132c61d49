#pragma once
// The mesh of one decal and the drawing values taken from its sprite: an indexed mesh of positions and one
// texture-coordinate set, with one part and a material of its own, rebuilt whenever the projection changes.
#include <cstdint>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/resource/Mesh.h"

namespace quill {

class IndexedMeshPart;
class Material;

class DecalHolder {
public:
    // An empty decal: no vertices, a part without indices, alpha mode 1, alpha 1.
    DecalHolder();

    IndexedMeshPart& Part() const;
    Material& GetMaterial() const;

    SharedPtr<Mesh> mesh;
    uint16_t alphaMode = 1;
    float alpha = 1.0f;
    uint8_t flag = 0;
    uint8_t unprojected = 1;
};

}  // namespace quill
