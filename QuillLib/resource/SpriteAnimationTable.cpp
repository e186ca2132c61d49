#include "QuillLib/resource/SpriteAnimationTable.h"

#include "QuillLib/core/FileStream.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/ResourcePath.h"
#include "QuillLib/resource/WorkingFolder.h"

namespace quill {

SharedPtr<SpriteAnimation> SpriteAnimationTable::LoadBody(Stream& body, Stream& /*file*/, bool packed) {
    SharedPtr<SpriteAnimation> animation = quill::make_shared<SpriteAnimation>();
    if (packed) {
        return animation->ReadNode(device_, body, true, true) ? animation : SharedPtr<SpriteAnimation>();
    }
    if (!ReadFixedString260(body, animation->name) || !ReadFixedString260(body, animation->sourcePath)) {
        return {};
    }
    GetFullPath(animation->sourcePath, animation->sourcePath);  // kept as read when it cannot be made absolute
    return animation;
}

bool SpriteAnimationTable::SaveBody(Stream& out, const SharedPtr<SpriteAnimation>& item, bool packed) {
    if (packed) {
        return SavePacked(out, *item);
    }
    return WriteFixedString260(out, item->name) &&
           WriteFixedString260(out, MakeRelativePath(GetWorkingFolder(), item->sourcePath));
}

bool SpriteAnimationTable::SavePacked(Stream& out, const SpriteAnimation& item) {
    if (item.sourcePath.empty()) {
        return item.WriteNode(out, true);
    }
    // Read into a scratch node, so that the nodes the item holds survive the save.
    SpriteAnimation fromFile(item.name);
    fromFile.sourcePath = item.sourcePath;
    FileStream file{item.sourcePath};
    return file.Open(FileStream::kRead) && fromFile.ReadNode(device_, file, false, false) &&
           fromFile.WriteNode(out, true);
}

}  // namespace quill
