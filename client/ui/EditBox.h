#pragma once
// A single-line text entry. Typing, caret keys, the clipboard and the input method go through the
// application's hidden native edit (EditBridge), which hands every change back to the box; the box draws the
// text (one "*" per character when masked), the caret blinking once a second and the selection. The limit is
// counted in bytes of the system code page (two per Korean character). A composition in progress is part
// of the text the bridge hands over, so it shows inline.
//
// Events raised at the listener: Enter (13), Tab (9), Up and Down (38, 40) typed while focused, the release
// of F1 to F10 (112 to 121).
//
// Threads: see the table in client/app/Scene.h; the typing the edit bridge hands over comes on the main thread.
#include <cstdint>

#include "client/ui/Widget.h"

namespace kestrovan {

class EditBridge;
class Image;
class TextLabel;

class EditBox : public Widget {
public:
    static constexpr int32_t kSubmitEvent = 13;
    static constexpr uint32_t kBlinkPeriodMs = 1000;
    static constexpr uint32_t kBlinkOnMs = 500;
    // Bytes the code-page text may take when no limit is given (the conversion buffer less its terminator).
    static constexpr int32_t kDefaultMaxBytes = 255;

    EditBox();
    ~EditBox() override;

    // The box with its display label, caret and selection images.
    using Widget::Create;
    void Create(int32_t x, int32_t y, int32_t w, int32_t h);
    // The box image is the whole box; the caret is caretW x lineH at (srcX, srcY), the selection 1 x lineH
    // right of it.
    void SetSkin(int32_t textureId, int32_t srcX, int32_t srcY, int32_t caretW, int32_t lineH);
    // The label's font and colour; maxLength counts bytes of the code-page text.
    void SetFont(const FontDesc* font, int32_t maxLength, uint32_t color);
    // A limit in characters beside the byte limit, for boxes whose limit counts what the player reads (chat
    // lines); 0, the default, sets none.
    void SetMaxCharacters(int32_t count) { maxCharacters_ = count; }
    void SetTextColors(uint32_t color, uint32_t color2);
    // A masked box shows stars and keeps the input method off while it has the focus.
    void SetMasked(bool masked);

    // Text, caret and anchor at its end; the native edit gets it too when this box is bound.
    void SetText(platform::WStringView text);
    platform::WString GetText() const;
    // Replaces the native edit's selection.
    void InsertText(platform::WStringView text);
    void SetCaret(int32_t index);
    int32_t GetCaret() const { return caretIndex_; }
    int32_t GetAnchor() const { return anchorIndex_; }
    bool IsFocused() const { return focused_; }
    TextLabel* GetLabel() const { return label_; }

    // Takes or gives up the keyboard focus; taking it needs a visible, enabled box and a bridge.
    void SetFocus(bool focus);

    // --- What the bridge calls ---------------------------------------------------------------------------
    // The text, caret and anchor after an edit.
    void SetTextAndSelection(platform::WStringView text, int32_t caret, int32_t anchor);
    // Sets the text and raises the submit event (13).
    void SubmitText(platform::WStringView text);
    // Cuts the text to the limits (whole characters only); false when it had to cut.
    bool ClampToMaxBytes(platform::WString& text) const;
    // True for a masked box: the input method converts alphanumerically while it is bound.
    bool InputMethodOff() const { return masked_; }
    void ShowCursor();
    void HideCursor();

    bool OnMouse(uint32_t msg, WParam wParam, LParam lParam) override;
    void UpdateTree() override;
    void OnHide() override;
    void OnEnable(bool enabled) override;
    void ReleaseFocus() override;

    // Shows the selection between the two pixel offsets, or the caret when they are equal.
    void PlaceCursor(int32_t caretX, int32_t anchorX);

private:
    static EditBridge* Bridge();
    // Binds this box to the bridge with the label's font; null without a bridge.
    EditBridge* Bind();
    void ReleaseBridge();
    void SelectBetween(int32_t pressX, int32_t currentX);
    void ExtendSelection(int32_t x);

    TextLabel* label_ = nullptr;
    Image* caret_ = nullptr;
    Image* selection_ = nullptr;
    int32_t pressX_ = 0;
    int32_t currentX_ = 0;
    int32_t caretIndex_ = 0;
    int32_t anchorIndex_ = 0;
    int32_t maxLength_ = kDefaultMaxBytes;
    int32_t maxCharacters_ = 0;
    uint32_t blinkStart_ = 0;
    bool focused_ = false;
    bool changed_ = false;
    bool masked_ = false;
};

}  // namespace kestrovan
