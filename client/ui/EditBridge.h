#pragma once
// The bridge between edit boxes and the application's hidden native edit control, through which typing,
// caret keys, the clipboard and the input method reach the box that has the keyboard focus. The
// application owns the one bridge for the life of the program; boxes reach it through
// UiServices::GetEditBridge each time and never keep it.
//
// What the bridge does for the box it binds: after every edit it cuts the text with
// EditBox::ClampToMaxBytes and hands text, caret and anchor to EditBox::SetTextAndSelection (a composition
// in progress is part of that text); Enter becomes EditBox::SubmitText, Tab, Up, Down and the release of
// F1 to F10 become EditBox::NotifyParent; a box whose InputMethodOff answers true gets alphanumeric
// conversion while it is bound; binding calls EditBox::ShowCursor and unbinding EditBox::HideCursor.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <functional>

#include "platform/system/WString.h"

namespace kestrovan {

class EditBox;

class EditBridge {
public:
    // The width in pixels of a text in the font of the bound box.
    using TextMeasure = std::function<int(platform::WStringView text)>;

    virtual ~EditBridge() = default;

    // Binds the box (the previous one loses its caret): its text is copied into the native edit with the
    // caret at the end and the native edit takes the keyboard focus. Null releases whichever box is bound.
    virtual void SetFocusWidget(EditBox* box) = 0;
    // When box is null or the bound box, it is released and the main window takes the keyboard focus back.
    virtual void ReleaseFocusFrom(EditBox* box) = 0;
    // Releases whichever box is bound.
    virtual void ClearFocus() = 0;
    // The bound box; null when none.
    virtual EditBox* GetFocusWidget() const = 0;

    // The native edit's text, selection and character positions (WM_SETTEXT, EM_SETSEL, EM_REPLACESEL,
    // EM_CHARFROMPOS, WM_SETFONT).
    virtual void SetText(platform::WStringView text) = 0;
    virtual void SetSelection(int32_t anchor, int32_t caret) = 0;
    virtual void ReplaceSelection(platform::WStringView text) = 0;
    virtual int32_t CharFromPos(int32_t x) const = 0;
    virtual void SetFont(TextMeasure measure) = 0;
};

}  // namespace kestrovan
