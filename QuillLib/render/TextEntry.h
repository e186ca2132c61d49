#pragma once
// One string drawn through a text surface: the object a text label (and the statistics overlay) owns. It
// measures itself when its text is set, registers with its surface while it has text, and each Draw puts
// its row of the page texture on the screen, drawing the string into the row first when it changed or lost
// its row. A pinned entry shares the page's one pinned row and is drawn into it on every draw.
//
// Threads: SetText, SetStyle and destruction from any thread; Draw on the device's thread.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/render/TextStyle.h"

namespace quill {

class TextPage;
class TextSurface;

class TextEntry {
public:
    explicit TextEntry(TextSurface& surface, bool pinned = false);
    ~TextEntry();
    TextEntry(const TextEntry&) = delete;
    TextEntry& operator=(const TextEntry&) = delete;

    // Sets the string when it differs (true then): measured again and registered anew.
    bool SetText(WStringView text);
    // Sets the style when it differs (true then); the string is drawn again.
    bool SetStyle(const TextStyle& style);
    // Draws the string with its top-left corner at (x, y) of the 2D pass.
    bool Draw(float x, float y);

    TextSurface& GetSurface() const { return surface_; }
    const WString& GetText() const { return text_; }
    const TextStyle& GetStyle() const { return style_; }
    int32_t GetWidth() const { return width_; }
    int32_t GetHeight() const { return height_; }

    // Page bookkeeping (TextPage and the surface, under the page's lock).
    bool pinned = false;
    bool dirty = true;
    TextPage* page = nullptr;
    int32_t row = -1;
    uint32_t age = 0;

private:
    TextSurface& surface_;
    WString text_;
    TextStyle style_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace quill
