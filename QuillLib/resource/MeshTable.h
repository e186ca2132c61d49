#pragma once
// The MESH table.
// Body: [name Text260, unpacked] u32 skeletonId (kNone: not skinned), u32 vertexFormat, u32 vertexCount,
// vertexCount vertices of that layout, Vec4 bound (centre, radius); skinned: u32 entryCount and per
// vertex u16 n, n x (u16 bone, f32 weight); u8 optionA (since version 6), u8 optionB (when optionA is
// set); u16 partCount, then per part u32 materialId, u8 hasIndices and, with indices, u32 indexCount,
// [u32 extraCount, before version 14], the u16 indices, [extraCount u16 values, dropped], 4 x u32 words.
// An unpacked body of version 1 stores an older layout word: two bits for the texture sets.
#include "QuillLib/resource/Mesh.h"
#include "QuillLib/resource/ResourceTableImpl.h"

namespace quill {

class IndexedMeshPart;
class SkinnedMesh;

class MeshTable : public ResourceTableImpl<Mesh> {
public:
    MeshTable(ResourceFile* owner, WString name) : ResourceTableImpl(owner, std::move(name), ResourceKind::Mesh) {}

    // The layout word of a version-1 body in today's form: its bits 2 and 3 each stood for a texture set.
    static uint32_t ConvertVersion1Format(uint32_t oldFormat);

protected:
    SharedPtr<Mesh> LoadBody(Stream& body, Stream& file, bool packed) override;
    bool SaveBody(Stream& out, const SharedPtr<Mesh>& item, bool packed) override;
    // Copies the skeleton and the parts' materials into the file's tables and uses the copies.
    bool OnAddItem(const SharedPtr<Mesh>& item) override;
    // Removes the skeleton and the parts' materials from the file's tables.
    bool OnRemoveItem(const SharedPtr<Mesh>& item) override;

private:
    SharedPtr<Mesh> MakeMesh(Stream& file, const WString& name, uint32_t skeletonId);
    bool ReadVertices(Stream& body, Mesh& mesh, uint32_t vertexFormat, uint32_t vertexCount);
    bool ReadSkin(Stream& body, SkinnedMesh& mesh);
    bool ReadParts(Stream& body, Stream& file, Mesh& mesh);
    bool ReadIndices(Stream& body, IndexedMeshPart& part);
    bool WriteSkin(Stream& out, const SkinnedMesh& mesh) const;
    bool WritePart(Stream& out, const MeshPart& part) const;
    // Whether parts carry the dropped extra values of old files.
    bool HasExtraValues() const;
};

}  // namespace quill
