#include "QuillLib/resource/BoneTable.h"

#include "QuillLib/math/TransformFields.h"
#include "QuillLib/resource/BodyFields.h"

namespace quill {
namespace {

constexpr uint32_t kBoneRecordSize = kFixedStringWidth + 4 + 12;

}  // namespace

SharedPtr<Skeleton> BoneTable::LoadBody(Stream& body, Stream& /*file*/, bool packed) {
    WString name;
    uint16_t boneCount = 0;
    if (!ReadItemName(body, packed, name) || !ReadU16(body, boneCount) || !CanHold(body, boneCount, kBoneRecordSize)) {
        return {};
    }
    SharedPtr<Skeleton> skeleton = quill::make_shared<Skeleton>(name);
    skeleton->Bones().resize(boneCount);
    for (SkeletonBone& bone : skeleton->Bones()) {
        if (!ReadFixedString260(body, bone.name) || !ReadU32(body, bone.parent) || !ReadVector3(body, bone.offset)) {
            return {};
        }
    }
    return skeleton->HasValidParents() ? skeleton : SharedPtr<Skeleton>();
}

bool BoneTable::SaveBody(Stream& out, const SharedPtr<Skeleton>& item, bool packed) {
    if (!WriteItemName(out, packed, item->name) || !WriteU16(out, static_cast<uint16_t>(item->GetBoneCount()))) {
        return false;
    }
    for (const SkeletonBone& bone : item->Bones()) {
        if (!WriteFixedString260(out, bone.name) || !WriteU32(out, bone.parent) || !WriteVector3(out, bone.offset)) {
            return false;
        }
    }
    return true;
}

}  // namespace quill
