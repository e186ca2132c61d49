#pragma once
// The MODEL table: trees of model objects, the item being the root node.
// Node record, recursively: [name Text260, unpacked] u32 skeletonId (kNone: none), u32 skeletonLink,
// u16 value1, u16 value2, f32 value3 (since version 3; else 1.0), u16 attachmentCount and per attachment
// u16 key, u32 meshId (kNone: no mesh under that key), Vec4 bound, the local transform (Transform10),
// u16 childCount, the child records, u8 subtreeFlag (since version 5) and, when set, u16 camera mode (must
// be 0), u16 texture slot, two direction vectors (Vec3); u32 trailer (packed, or since version 16).
// The texture-slot choice and the camera mode apply to the node's whole subtree.
#include "QuillLib/resource/ModelObject.h"
#include "QuillLib/resource/ResourceTableImpl.h"

namespace quill {

class ModelTable : public ResourceTableImpl<ModelObject> {
public:
    // Trees deeper than this come only from damaged files.
    static constexpr uint32_t kMaxDepth = 64;

    ModelTable(ResourceFile* owner, WString name) : ResourceTableImpl(owner, std::move(name), ResourceKind::Model) {}

protected:
    SharedPtr<ModelObject> LoadBody(Stream& body, Stream& file, bool packed) override;
    bool SaveBody(Stream& out, const SharedPtr<ModelObject>& item, bool packed) override;
    // Copies every node's meshes into the file's MESH table and attaches the copies, children included.
    bool OnAddItem(const SharedPtr<ModelObject>& item) override;
    // Removes the meshes of the node and, recursively, its children's from the file's MESH table.
    bool OnRemoveItem(const SharedPtr<ModelObject>& item) override;

private:
    SharedPtr<ModelObject> LoadNode(Stream& body, Stream& file, bool packed, uint32_t depth);
    SharedPtr<ModelObject> MakeNode(Stream& body, Stream& file, bool packed);
    bool ReadAttachments(Stream& body, Stream& file, ModelObject& node);
    bool ReadSubtreeFields(Stream& body, ModelObject& node);
    bool SaveNode(Stream& out, const ModelObject& node, bool packed) const;
    bool WriteSubtreeFields(Stream& out, const ModelObject& node) const;
};

}  // namespace quill
