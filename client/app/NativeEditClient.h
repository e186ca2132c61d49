#pragma once
// What the native edit bridge needs of the edit box that has the keyboard focus; the widget toolkit's edit
// box implements it. Called under the bridge's UI lock (the widget-tree lock), from the threads NativeEditBridge
// names: typing on the main thread, binding and unbinding wherever the focus changes.
#include <cstdint>

#include "platform/system/WString.h"

namespace kestrovan {

class NativeEditClient {
public:
    virtual ~NativeEditClient() = default;

    virtual platform::WString GetText() const = 0;
    // The box asked for the input method to be off (alphanumeric entry, e.g. a password).
    virtual bool InputMethodOff() const = 0;
    virtual void ShowCaret() = 0;
    virtual void HideCaret() = 0;
    // The bridge let the box go (the focus moved elsewhere or was cleared): the box is no longer current, and
    // whoever bound it keeps no pointer to it from here on. Its caret is already hidden.
    virtual void Released() = 0;
    // Cuts text to the box's limit in bytes of the system code page; true when it had to cut.
    virtual bool ClampToMaxBytes(platform::WString& text) const = 0;
    virtual void SetTextAndSelection(const platform::WString& text, uint32_t caret, uint32_t anchor) = 0;
    // Tells the box's parent about a key the game handles itself (Tab, Up, Down, F1 to F10).
    virtual void NotifyParent(uint32_t code) = 0;
    // Enter: the box submits its text (its parent gets event 13).
    virtual void SubmitText(const platform::WString& text) = 0;
};

}  // namespace kestrovan
