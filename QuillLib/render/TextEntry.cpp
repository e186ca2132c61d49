#include "QuillLib/render/TextEntry.h"

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/render/TextPage.h"
#include "QuillLib/render/TextSurface.h"

namespace quill {

TextEntry::TextEntry(TextSurface& surface, bool isPinned) : pinned(isPinned), surface_(surface) {}

TextEntry::~TextEntry() {
    ScopedLock lock(surface_.GetLock());
    if (page != nullptr) {
        surface_.Unregister(*this);
    }
}

bool TextEntry::SetText(WStringView text) {
    ScopedLock lock(surface_.GetLock());
    if (text == text_) {
        return false;
    }
    if (page != nullptr) {
        surface_.Unregister(*this);
    }
    text_ = WString(text);
    const platform::gfx::TextExtent extent = surface_.MeasureText(text_);
    width_ = extent.cx;
    height_ = extent.cy;
    dirty = true;
    if (!text_.empty()) {
        surface_.Register(*this);
    }
    return true;
}

bool TextEntry::SetStyle(const TextStyle& style) {
    ScopedLock lock(surface_.GetLock());
    if (style == style_) {
        return false;
    }
    style_ = style;
    dirty = true;
    return true;
}

bool TextEntry::Draw(float x, float y) {
    ScopedLock lock(surface_.GetLock());
    return page != nullptr && page->DrawEntry(*this, x, y);
}

}  // namespace quill
