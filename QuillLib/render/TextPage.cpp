#include "QuillLib/render/TextPage.h"

#include <algorithm>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/render/RenderDevice.h"
#include "QuillLib/render/TextEntry.h"
#include "QuillLib/render/TextSurface.h"
#include "platform/gfx/Device.h"

namespace quill {

namespace gfx = platform::gfx;

namespace {

constexpr uint32_t kMaxAge = 5;

}  // namespace

uint32_t TextPage::NextPowerOfTwo(uint32_t value) {
    uint32_t power = 1;
    while (power < value && power < 0x80000000u) {
        power <<= 1;
    }
    return power;
}

TextPage::TextPage(RenderDevice& device, TextSurface& owner, uint32_t rowHeight, uint32_t widthClass,
                   uint32_t maxTextureHeight, uint32_t pageHeightRequest)
    : device_(device),
      owner_(owner),
      rowHeight_(rowHeight),
      widthClass_(widthClass),
      maxTextureHeight_(maxTextureHeight),
      textureHeight_(std::min(NextPowerOfTwo(pageHeightRequest), std::max(maxTextureHeight, 1u))),
      rows_(RowCapacity(), false) {}

void TextPage::AddEntry(TextEntry& entry) {
    ScopedLock lock(lock_);
    entry.row = -1;
    entry.age = 0;
    entry.dirty = true;
    entry.page = this;
    entries_.insert(&entry);
}

bool TextPage::RemoveEntry(TextEntry& entry) {
    ScopedLock lock(lock_);
    FreeRow(entry);
    entry.page = nullptr;
    entries_.erase(&entry);
    return entries_.empty();
}

bool TextPage::IsFull() const {
    ScopedLock lock(lock_);
    return textureHeight_ >= maxTextureHeight_ && usedRows_ >= RowCapacity();
}

int32_t TextPage::TakeFreeRow() {
    const auto free = std::find(rows_.begin(), rows_.end(), false);
    return free == rows_.end() ? -1 : static_cast<int32_t>(free - rows_.begin());
}

int32_t TextPage::AllocateRow(bool pinned) {
    ScopedLock lock(lock_);
    if (pinned && pinnedRow_ >= 0) {
        ++pinnedReferences_;
        return pinnedRow_;
    }
    int32_t row = TakeFreeRow();
    if (row < 0) {
        const uint32_t height = NextPowerOfTwo((usedRows_ + 1) * rowHeight_);
        if (height > maxTextureHeight_) {
            return -1;
        }
        Resize(height);
        row = TakeFreeRow();
        if (row < 0) {
            return -1;
        }
    }
    rows_[row] = true;
    ++usedRows_;
    if (pinned) {
        pinnedRow_ = row;
        pinnedReferences_ = 1;
    }
    return row;
}

void TextPage::FreeRow(TextEntry& entry) {
    ScopedLock lock(lock_);
    const int32_t row = entry.row;
    entry.row = -1;
    entry.age = 0;
    entry.dirty = true;
    if (row >= 0 && static_cast<size_t>(row) < rows_.size()) {
        ReleaseRow(row);
    }
    Shrink();
}

// A pinned row is shared: it is freed with its last reference.
void TextPage::ReleaseRow(int32_t row) {
    if (row == pinnedRow_) {
        if (pinnedReferences_ > 1) {
            --pinnedReferences_;
            return;
        }
        pinnedRow_ = -1;
        pinnedReferences_ = 0;
    }
    if (rows_[row]) {
        rows_[row] = false;
        --usedRows_;
    }
}

void TextPage::Shrink() {
    const uint32_t height = std::max(NextPowerOfTwo(usedRows_ * rowHeight_), 1u);
    if (height >= textureHeight_) {
        return;
    }
    Resize(height);
    // Entries whose rows no longer fit take a free row at their next draw; none shares another's row.
    const auto capacity = static_cast<int32_t>(RowCapacity());
    if (pinnedRow_ >= capacity) {
        pinnedRow_ = -1;
        pinnedReferences_ = 0;
    }
    for (TextEntry* entry : entries_) {
        if (entry->row >= capacity) {
            entry->row = -1;
        }
    }
    usedRows_ = static_cast<uint32_t>(std::count(rows_.begin(), rows_.end(), true));
}

void TextPage::Resize(uint32_t height) {
    textureHeight_ = height;
    rows_.resize(RowCapacity(), false);
    MarkAllDirty();
}

void TextPage::MarkAllDirty() {
    ScopedLock lock(lock_);
    for (TextEntry* entry : entries_) {
        entry->dirty = true;
    }
}

void TextPage::Age() {
    ScopedLock lock(lock_);
    // Freeing a row can shrink the page, which touches every entry: walk a copy.
    const std::vector<TextEntry*> entries(entries_.begin(), entries_.end());
    for (TextEntry* entry : entries) {
        if (entry->row >= 0 && ++entry->age > kMaxAge) {
            FreeRow(*entry);
        }
    }
}

bool TextPage::EnsureTexture() {
    gfx::SurfaceDesc desc;
    if (texture_ && gfx::Succeeded(texture_->GetLevelDesc(0, desc)) && desc.height == textureHeight_) {
        return true;
    }
    texture_.reset();
    gfx::Device* device = device_.GetGfxDevice();
    return device != nullptr &&
           gfx::Succeeded(device->CreateTexture(widthClass_, textureHeight_, 1, 0, gfx::Format::A8R8G8B8,
                                                gfx::Pool::Managed, texture_));
}

bool TextPage::DrawEntry(TextEntry& entry, float x, float y) {
    ScopedLock lock(lock_);
    if (entry.GetText().empty() || entry.page != this) {
        return false;
    }
    if (entry.dirty || entry.pinned) {
        if (entry.row < 0) {
            entry.row = AllocateRow(entry.pinned);
        }
        if (entry.row < 0 || !EnsureTexture()) {
            return false;
        }
        const auto top = static_cast<int32_t>(static_cast<uint32_t>(entry.row) * rowHeight_);
        const gfx::Rect rect{0, top, std::min(entry.GetWidth() + 2, static_cast<int32_t>(widthClass_)),
                             top + static_cast<int32_t>(rowHeight_) - 1};
        if (!owner_.Rasterise(*texture_, entry, rect)) {
            return false;
        }
        entry.dirty = false;
    }
    entry.age = 0;
    if (!texture_) {
        return false;
    }
    const auto top = static_cast<int32_t>(static_cast<uint32_t>(entry.row) * rowHeight_);
    const gfx::Rect source{0, top, std::min(entry.GetWidth() + 2, static_cast<int32_t>(widthClass_)),
                           top + static_cast<int32_t>(rowHeight_) - 1};
    return device_.DrawSprite(*texture_, source, x, y, 0xFFFFFFFFu);
}

}  // namespace quill
