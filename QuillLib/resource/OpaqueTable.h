#pragma once
// The table of a kind whose body codec this build does not have yet: its items keep their packed bodies
// as bytes (OpaqueItem). The unpacked form of these kinds carries more than the packed one (names, file
// paths, version-dependent fields) and cannot be made from the bytes, so it is neither read nor written:
// LoadBody and SaveBody fail for packed = false, which makes SaveItems fail on a non-empty table.
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/OpaqueItem.h"
#include "QuillLib/resource/ResourceFields.h"
#include "QuillLib/resource/ResourceTableImpl.h"

namespace quill {

template <ResourceKind kKind>
class OpaqueTable : public ResourceTableImpl<OpaqueItem> {
public:
    OpaqueTable(ResourceFile* owner, WString name) : ResourceTableImpl(owner, std::move(name), kKind) {}

protected:
    // The body is the rest of the record: the inflated stream, or the window of a raw TEXTURE record.
    SharedPtr<OpaqueItem> LoadBody(Stream& body, Stream& /*file*/, bool packed) override {
        if (!packed) {
            return {};
        }
        SharedPtr<OpaqueItem> item = quill::make_shared<OpaqueItem>(kKind);
        if (!item->Body().Allocate(BytesLeft(body)) || !item->Body().ReadFrom(body)) {
            return {};
        }
        return item;
    }

    bool SaveBody(Stream& out, const SharedPtr<OpaqueItem>& item, bool packed) override {
        return packed && item->Body().WriteTo(out);
    }
};

using BoneTable = OpaqueTable<ResourceKind::Bone>;
using TextureTable = OpaqueTable<ResourceKind::Texture>;
using MaterialTable = OpaqueTable<ResourceKind::Material>;
using MeshTable = OpaqueTable<ResourceKind::Mesh>;
using ModelTable = OpaqueTable<ResourceKind::Model>;
using SpriteTable = OpaqueTable<ResourceKind::Sprite>;
using SpriteAnimationTable = OpaqueTable<ResourceKind::SpriteAnimation>;
using BoneAnimationTable = OpaqueTable<ResourceKind::BoneAnimation>;
using VertexAnimationTable = OpaqueTable<ResourceKind::VertexAnimation>;
using ModelAnimationTable = OpaqueTable<ResourceKind::ModelAnimation>;
using SceneInfoTable = OpaqueTable<ResourceKind::SceneInfo>;

}  // namespace quill
