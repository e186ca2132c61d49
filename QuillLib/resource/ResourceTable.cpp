#include "QuillLib/resource/ResourceTable.h"

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/ResourceFields.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/StreamWindow.h"

namespace quill {
namespace {

// Deflate cannot shrink data by more than this factor; a size field beyond it belongs to a damaged record.
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr uint64_t kDeflateSlack = 64;

bool IsPlausibleInflatedSize(uint32_t size, uint32_t compressedSize) {
    return size <= compressedSize * kMaxDeflateRatio + kDeflateSlack;
}

}  // namespace

ResourceTable::ResourceTable(ResourceFile* owner, WString name, ResourceKind kind)
    : owner_(owner), name_(std::move(name)), kind_(kind) {}

bool ResourceTable::WriteIdHeader(std::FILE*) {
    return true;
}

bool ResourceTable::LoadTable(Stream& file, bool loadItems) {
    itemOffsets_.clear();
    itemOffsets_.shrink_to_fit();
    uint32_t itemCount = 0;
    if (!ReadU32(file, itemCount) || !CanHold(file, itemCount, 4)) {
        return false;
    }
    itemOffsets_.reserve(itemCount);
    for (uint32_t i = 0; i < itemCount; ++i) {
        uint32_t offset = 0;
        if (!ReadU32(file, offset)) {
            return false;
        }
        itemOffsets_.push_back(offset);
    }
    if (!loadItems) {
        return true;
    }
    for (uint32_t i = 0; i < itemCount; ++i) {
        uint32_t itemIndex = 0;
        uint32_t id = 0;
        if (!ReadU32(file, itemIndex) || itemIndex != GetCount()) {
            return false;
        }
        if (!ReadU32(file, id) || !ReadItemRecord(file, id)) {
            return false;
        }
    }
    return true;
}

bool ResourceTable::ReadItemRecord(Stream& file, const uint32_t& id) {
    const uint32_t position = file.Tell();
    uint32_t size = 0;
    if (!ReadU32(file, size)) {
        return false;
    }
    if (!IsCompressed()) {
        if (!CanHold(file, size, 1)) {
            return false;
        }
        StreamWindow body(file, size);
        return LoadItem(body, file, id, true);
    }
    uint32_t compressedSize = 0;
    if (!ReadU32(file, compressedSize)) {
        return false;
    }
    if (!CanHold(file, compressedSize, 1) || !IsPlausibleInflatedSize(size, compressedSize)) {
        return false;
    }
    if (owner_ && !owner_->ChargeInflation(position, size)) {
        return false;
    }
    MemoryStream body;
    if (!body.Allocate(compressedSize) || !body.ReadFrom(file) || !body.Inflate(size)) {
        return false;
    }
    return LoadItem(body, file, id, true);
}

bool ResourceTable::LoadItemAt(Stream& file, const uint32_t& index) {
    if (index >= itemOffsets_.size() || itemOffsets_[index] == kNone) {
        return false;
    }
    if (!SeekTo(file, itemOffsets_[index])) {
        return false;
    }
    uint32_t itemIndex = 0;
    uint32_t id = 0;
    if (!ReadU32(file, itemIndex) || itemIndex != index) {
        return false;
    }
    if (!ReadU32(file, id) || id != index) {
        return false;
    }
    return ReadItemRecord(file, index);
}

void ResourceTable::RaiseItemEvent(uint32_t code, uint32_t id) const {
    if (owner_) {
        owner_->NotifyItemEvent(code, KindIndex(kind_), id);
    }
}

}  // namespace quill
