#pragma once
// One texture of text rows shared by the entries of one width class of a text surface. Rows are handed out
// as entries are drawn and given back when entries go or age; the texture grows and shrinks by powers of
// two. Growing or shrinking only changes the bookkeeping: the texture itself is made again by the next
// draw, on the device's thread, so entries may come and go on other threads.
//
// Threads: any, under the page's lock; DrawEntry on the device's thread.
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "QuillLib/core/CriticalSectionLock.h"
#include "platform/gfx/Texture.h"

namespace quill {

class RenderDevice;
class TextEntry;
class TextSurface;

class TextPage {
public:
    TextPage(RenderDevice& device, TextSurface& owner, uint32_t rowHeight, uint32_t widthClass,
             uint32_t maxTextureHeight, uint32_t pageHeightRequest);

    void AddEntry(TextEntry& entry);
    // True when the page has no entry left.
    bool RemoveEntry(TextEntry& entry);
    // Draws the entry's row at (x, y), drawing the string into the row first when needed.
    bool DrawEntry(TextEntry& entry, float x, float y);
    // One ageing tick: entries not drawn for more than five ticks give their rows back.
    void Age();
    void MarkAllDirty();
    // A row for an entry (the shared pinned row for pinned entries); grows the page when all are taken.
    int32_t AllocateRow(bool pinned);
    void FreeRow(TextEntry& entry);

    // Every row is taken and the texture cannot grow.
    bool IsFull() const;
    uint32_t GetWidthClass() const { return widthClass_; }
    uint32_t GetRowHeight() const { return rowHeight_; }
    uint32_t GetTextureHeight() const { return textureHeight_; }
    uint32_t GetUsedRows() const { return usedRows_; }
    int32_t GetPinnedRow() const { return pinnedRow_; }
    size_t EntryCount() const { return entries_.size(); }
    // Bytes of the page texture (width x height x 4).
    uint64_t TextureBytes() const { return static_cast<uint64_t>(widthClass_) * textureHeight_ * 4; }

    // The smallest power of two not below value (1 for 0).
    static uint32_t NextPowerOfTwo(uint32_t value);

private:
    uint32_t RowCapacity() const { return rowHeight_ == 0 ? 0 : textureHeight_ / rowHeight_; }
    void Resize(uint32_t height);
    void ReleaseRow(int32_t row);
    void Shrink();
    bool EnsureTexture();
    int32_t TakeFreeRow();

    RenderDevice& device_;
    TextSurface& owner_;
    uint32_t rowHeight_;
    uint32_t widthClass_;
    uint32_t maxTextureHeight_;
    uint32_t textureHeight_;
    int32_t pinnedRow_ = -1;
    uint32_t pinnedReferences_ = 0;
    uint32_t usedRows_ = 0;
    std::unique_ptr<platform::gfx::Texture> texture_;
    std::vector<bool> rows_;
    std::set<TextEntry*> entries_;
    mutable CriticalSectionLock lock_;
};

}  // namespace quill
