#pragma once
// One formatted line of text drawn with a font of the renderer's font cache: captions of buttons, the text
// of edit boxes and most dialog text. The text keeps at most 255 UTF-16 units; a masked label shows one
// "*" per character. The label draws its text, not its sprite.
//
// Style: the colours carry the widget's opacity as alpha; the style flags are the text placement flags
// (TextFormat; single line by default) to which the alignment adds the horizontal mode; the layout option
// chosen at construction is the drawing effect (0 plain, 1 a shadow, 2 an outline in the second colour);
// the two style values offset the text inside the rectangle.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "QuillLib/core/Format.h"
#include "QuillLib/render/TextStyle.h"
#include "client/ui/Widget.h"

namespace quill {
class TextEntry;
class TextSurface;
}  // namespace quill

namespace kestrovan {

class WidgetRenderer;

class TextLabel : public Widget {
public:
    static constexpr size_t kTextCapacity = 256;  // units, terminator included
    // Alignment flags.
    static constexpr uint32_t kAlignCentre = 2;
    static constexpr uint32_t kAlignRight = 4;
    static constexpr uint32_t kDefaultStyleFlags = 32;
    static constexpr uint32_t kDefaultColor = 0x00FFFFFF;

    TextLabel();
    explicit TextLabel(uint8_t layoutOption);
    ~TextLabel() override;

    void OnResize(int32_t w, int32_t h) override;
    // Takes the font of the description when none is held yet, then lays out.
    void OnLoad(uint32_t arg, const quill::SharedPtr<WidgetTexture>& texture) override;
    void Update() override;

    template <class... Args>
    void SetTextF(const char16_t* format, const Args&... args) {
        SetTextList(format, quill::MakeFormatArgs(args...));
    }
    void SetTextList(const char16_t* format, std::span<const quill::FormatArg> args);
    // SetTextF with "%s".
    void SetText(platform::WStringView text) { SetTextF(u"%s", text); }
    platform::WString GetText() const;

    // The description and its font from the cache; lays out again.
    void SetFont(WidgetRenderer& fontCache, const FontDesc* font);
    // Only the description; the font is taken when the graphics load.
    void SetFontDesc(const FontDesc* font) { fontDesc_ = font; }
    const FontDesc* GetFontDesc() const { return fontDesc_; }
    bool HasFont() const { return surface_ != nullptr; }
    void SetMasked(bool masked);
    bool IsDirty() const { return dirty_; }

    void SetColors(uint32_t color, uint32_t color2);
    void SetAlignment(uint32_t flags);
    uint32_t GetAlignment() const { return alignment_; }
    // ORs the flags into the style flags and sets both style values.
    void AddStyle(uint32_t flags, int32_t value1, int32_t value2);
    uint32_t GetStyleFlags() const { return styleFlags_; }
    int32_t GetStyleValue1() const { return styleValue1_; }
    int32_t GetStyleValue2() const { return styleValue2_; }
    uint8_t GetLayoutOption() const { return layoutOption_; }
    // ARGB with the opacity as alpha.
    uint32_t GetTextColor() const;
    uint32_t GetSecondColor() const;

    // The pixel width of the current text in the label's font (0 without a font); stored and returned.
    int32_t MeasureText();
    // The pixel width of the first count characters of what the label shows (stars when masked).
    int32_t MeasurePrefix(size_t count) const;
    // The text as shown: the text, or one "*" per character when masked.
    platform::WString GetDisplayText() const;
    // The width of a text in the label's font, as shown (stars when masked): what the edit bridge measures
    // with. Valid while the font cache lives; an empty function without a font.
    std::function<int(platform::WStringView)> GetMeasure() const;

    // Lays the text out again with the current font and style (a new text entry).
    void Layout();

private:
    quill::TextStyle BuildTextStyle() const;
    void UpdateText();
    uint32_t OpacityAlpha() const;

    quill::TextSurface* surface_ = nullptr;
    std::unique_ptr<quill::TextEntry> entry_;
    uint8_t layoutOption_ = 0;
    platform::WString text_;
    bool masked_ = false;
    bool dirty_ = false;
    uint32_t color_ = kDefaultColor;
    uint32_t color2_ = 0;
    const FontDesc* fontDesc_ = nullptr;
    uint32_t alignment_ = 0;
    uint32_t styleFlags_ = kDefaultStyleFlags;
    int32_t styleValue1_ = 0;
    int32_t styleValue2_ = 0;
    int32_t measuredWidth_ = 0;
};

}  // namespace kestrovan
