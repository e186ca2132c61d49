#pragma once
// The BONE table: skeletons.
// Body: [name Text260, unpacked] u16 boneCount, then per bone its name (Text260, in both forms), u32
// parent (kNone for a root) and its offset (Vec3). A parent past the bones fails the load.
#include "QuillLib/resource/ResourceTableImpl.h"
#include "QuillLib/resource/Skeleton.h"

namespace quill {

class BoneTable : public ResourceTableImpl<Skeleton> {
public:
    BoneTable(ResourceFile* owner, WString name) : ResourceTableImpl(owner, std::move(name), ResourceKind::Bone) {}

protected:
    SharedPtr<Skeleton> LoadBody(Stream& body, Stream& file, bool packed) override;
    bool SaveBody(Stream& out, const SharedPtr<Skeleton>& item, bool packed) override;
};

}  // namespace quill
