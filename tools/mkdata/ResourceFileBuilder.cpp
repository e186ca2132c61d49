#include "tools/mkdata/ResourceFileBuilder.h"

#include "platform/system/CodePage.h"

namespace mkdata {
namespace {

// The kinds whose items are loaded by their position in the table.
bool IsLoadedByPosition(quill::ResourceKind kind) {
    using quill::ResourceKind;
    return kind == ResourceKind::Texture || kind == ResourceKind::Material || kind == ResourceKind::Mesh ||
           kind == ResourceKind::Model || kind == ResourceKind::Sprite || kind == ResourceKind::Bone ||
           kind == ResourceKind::BoneAnimation;
}

}  // namespace

ResourceFileBuilder::ResourceFileBuilder(const std::string& name)
    : name_(name),
      file_(std::make_unique<quill::ResourceFile>(platform::Utf8ToUtf16(name), nullptr, nullptr)) {}

bool ResourceFileBuilder::Add(quill::ResourceKind kind, uint32_t id, BodyWriter& body) {
    if (!body.Ok() || Holds(kind, id) || !body.Stream().Seek(quill::Stream::kFromBegin, 0)) {
        return false;
    }
    return file_->GetTable(quill::KindIndex(kind))->LoadItem(body.Stream(), body.Stream(), id, true);
}

uint32_t ResourceFileBuilder::Append(quill::ResourceKind kind, BodyWriter& body) {
    const uint32_t id = NextId(kind);
    return Add(kind, id, body) ? id : quill::kNone;
}

uint32_t ResourceFileBuilder::NextId(quill::ResourceKind kind) const {
    const std::vector<uint32_t> ids = file_->GetTable(quill::KindIndex(kind))->GetIds();
    return ids.empty() ? 0 : ids.back() + 1;
}

bool ResourceFileBuilder::Holds(quill::ResourceKind kind, uint32_t id) const {
    return file_->GetTable(quill::KindIndex(kind))->FindById(id) != nullptr;
}

std::string ResourceFileBuilder::Check() const {
    for (uint32_t index = 0; index < quill::kResourceKindCount; ++index) {
        const auto kind = static_cast<quill::ResourceKind>(index);
        const std::vector<uint32_t> ids = file_->GetTable(index)->GetIds();
        if (!IsLoadedByPosition(kind)) {
            continue;
        }
        for (uint32_t position = 0; position < ids.size(); ++position) {
            if (ids[position] != position) {
                return name_ + ": the " + platform::Utf16ToUtf8(quill::GetKindInfo(kind).longName) +
                       " ids must run from 0 without gaps (id " + std::to_string(position) + " is missing)";
            }
        }
    }
    return {};
}

}  // namespace mkdata
