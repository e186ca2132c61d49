#pragma once
// The one bridge between the program's edit boxes and the hidden native edit control, through which all
// typing goes so that the keyboard and the input method (Hangul) work as the system has them. It binds the
// control to the edit box that has the focus, copies the control's text, caret and selection into the box
// after every change, and turns the keys the game handles itself (Enter, Escape, Tab, Up, Down, the
// function keys) into events of the box.
//
// Threads: the main thread types into the bound box (the control's window procedure); a screen may show a
// window, enable or disable a box, or set its text on the connection's dispatch thread, which reaches the
// bridge too. Every entry holds the UI lock the bridge is given (the scene manager's widget-tree lock, under
// which every thread changes the screens' widgets), so the binding, the control and the bound box change on
// one thread at a time. The keyboard focus of the window moves on the main thread only: from
// another thread the bridge posts itself a message, and the main thread then gives the focus to the control
// or the main window by the binding of that moment.
#include <cstdint>

#include "QuillLib/core/Lock.h"
#include "client/app/NativeEditClient.h"
#include "platform/system/WString.h"
#include "platform/window/EditControl.h"
#include "platform/window/Message.h"
#include "platform/window/Window.h"

namespace kestrovan {

class NativeEditBridge {
public:
    static constexpr size_t kTextCapacity = 256;  // units the bridge reads, terminator included

    // The bridge, built on the first call with the control as a child of the main window and uiLock as the
    // lock of every entry (it outlives the bridge).
    static NativeEditBridge& Instance(platform::Window& mainWindow, quill::Lock& uiLock);
    // Frees the bridge and its control; the next Instance builds a new one.
    static void DestroyInstance();
    // The current edit box; null when none has the focus or there is no bridge.
    static NativeEditClient* GetFocusWidget();
    // Releases the focus from whichever box has it.
    static void ClearFocus();

    ~NativeEditBridge();
    NativeEditBridge(const NativeEditBridge&) = delete;
    NativeEditBridge& operator=(const NativeEditBridge&) = delete;

    void SetFocusWidget(NativeEditClient* box);
    // When box is null or the current one, it loses the focus and the main window gets it back.
    void ReleaseFocusFrom(NativeEditClient* box);
    void SetText(platform::WStringView text);
    void SetCaret(uint32_t position);
    void ReplaceSelection(platform::WStringView text);
    void SetFont(platform::EditControl::TextMeasure measure);
    // Native (true) or alphanumeric conversion of the input method.
    void SetImeNative(bool native);

    uint32_t Caret() const { return caret_; }
    uint32_t Anchor() const { return anchor_; }
    platform::WindowId ControlWindow() const { return control_; }
    platform::EditControl& Control() { return edit_; }
    // The lock every entry holds; a caller that keeps state of its own about the binding holds it as well.
    quill::Lock& UiLock() { return uiLock_; }

private:
    NativeEditBridge(platform::Window& window, quill::Lock& uiLock);

    platform::LResult WindowProc(const platform::Message& message);
    bool HandleMessage(const platform::Message& message);
    bool OnKeyDown(const platform::Message& message);
    bool OnCharacter(const platform::Message& message);
    void Synchronise();
    void ReadSelection();
    void ReadText();
    // The keyboard focus to the control while a box is bound, else to the main window.
    void FollowBinding();

    platform::Window& window_;
    quill::Lock& uiLock_;
    platform::EditControl edit_;
    platform::WindowId control_ = platform::kNoWindow;
    uint32_t caret_ = 0;
    uint32_t anchor_ = 0;
    platform::WString currentText_;
    platform::WString previousText_;
    NativeEditClient* current_ = nullptr;
    bool imeOff_ = false;
};

}  // namespace kestrovan
