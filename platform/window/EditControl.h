#pragma once
// The hidden native edit control of text entry: a text with a caret and a selection that the keyboard,
// the input method and the clipboard edit, while the program's own edit box draws it. It answers the
// messages an edit control of Windows answers (characters, the editing keys, composition) through
// HandleMessage, and the edit queries and commands through typed calls. Main thread only.
//
// A composition in progress stands inline at the caret: Text includes it, and the caret follows it.
// While the input method's conversion is not native (an alphanumeric box) compositions are not taken.
#include <cstddef>
#include <functional>

#include "platform/system/WString.h"
#include "platform/window/Message.h"

namespace platform {

class ImeContext;
class Window;

class EditControl {
public:
    // The width in pixels of a text in the font the control measures with (WM_SETFONT's font).
    using TextMeasure = std::function<int(WStringView text)>;

    struct Selection {
        size_t start = 0;  // the lower end
        size_t end = 0;    // the upper end
    };

    explicit EditControl(Window& window);

    // WM_SETTEXT: replaces the text, drops any composition, caret at the start.
    void SetText(WStringView text);
    // WM_GETTEXT: the text with the composition in progress.
    WString Text() const;
    // EM_GETSEL.
    Selection GetSelection() const;
    // EM_SETSEL: the anchor at start, the caret at end; a negative end means the end of the text, a negative
    // start removes the selection and leaves the caret where it was.
    void SetSelection(long start, long end);
    // EM_REPLACESEL: the selection becomes text, the caret after it.
    void ReplaceSelection(WStringView text);
    // EM_CHARFROMPOS: the character whose left edge is nearest to x pixels from the text's start.
    size_t CharFromPos(int x) const;
    void SetFont(TextMeasure measure);

    // The control's own window procedure. Returns 0 for every message, as the control does.
    LResult HandleMessage(const Message& message);

private:
    void OnCharacter(char16_t character);
    void OnKeyDown(uint8_t vk);
    void OnComposition(const Message& message);
    void MoveCaret(size_t position, bool extend);
    void DeleteSelection();
    void Insert(WStringView text);
    void Copy();
    void Cut();
    void Paste();
    size_t WordBoundary(size_t from, bool forward) const;

    Window& window_;
    ImeContext& ime_;
    WString text_;
    size_t caret_ = 0;
    size_t anchor_ = 0;
    WString composition_;  // at caret_, not part of text_
    TextMeasure measure_;
};

}  // namespace platform
