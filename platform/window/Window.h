#pragma once
// The program's main window and its message queue, in the Windows shape. The thread that creates the
// window is its main thread: only it takes and dispatches messages, sends them, and changes the window.
// Any thread may post a message, read the key states, and ask for a cursor change; a cursor request made
// on another thread is queued and runs on the main thread when it next looks at its queue.
//
// Input reaches the queue as the backend reports it: the main thread's PeekMessage takes posted messages
// first, then the messages of input already translated, and translates the backend's next event only when
// both are empty, so the input method's context and the key states read as of the message being handled.
// Hidden child windows (the native edit of text entry) get the keyboard messages while they have the focus.
//
// A quit is not queued: as in Windows, PostQuitMessage only raises a flag with the exit code, and the
// unfiltered PeekMessage and GetMessage hand out Msg::Quit once the posted messages, the translated input
// and the backend's pending events are all taken, so nothing that came before the quit is left unread.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/system/Thread.h"
#include "platform/system/WString.h"
#include "platform/ui/WindowHandle.h"
#include "platform/window/AcceleratorTable.h"
#include "platform/window/ImeContext.h"
#include "platform/window/KeyStateTable.h"
#include "platform/window/Message.h"
#include "platform/window/MessageFilter.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/MessageTranslator.h"
#include "platform/window/PixelImage.h"
#include "platform/window/PixelRect.h"
#include "platform/window/Prompt.h"
#include "platform/window/RawMouseSink.h"
#include "platform/window/WindowBackend.h"
#include "platform/window/WindowDesc.h"

namespace platform {

class Window {
public:
    explicit Window(std::unique_ptr<WindowBackend> backend);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // --- Life (the main thread) ---------------------------------------------------------------------
    // Opens the window; the calling thread becomes the main thread. False with LastError on failure.
    bool Create(const WindowDesc& desc);
    uint32_t LastError() const { return lastError_; }
    void Destroy();
    bool IsCreated() const { return created_; }
    // The handle other layers keep (message-box owner, the device's window); null before Create.
    WindowHandle Handle();
    bool OnMainThread() const;
    WindowBackend& Backend() { return *backend_; }

    // The procedure of the main window or of a child; children get ids from CreateChild.
    void SetProcedure(WindowId window, WindowProcedure procedure);
    WindowId CreateChild(WindowProcedure procedure);
    void DestroyChild(WindowId child);

    // --- The queue ----------------------------------------------------------------------------------
    // Any thread. A message to kNoWindow is a thread message.
    void PostMessage(WindowId window, uint32_t id, WParam wParam, LParam lParam);
    // Any thread. Msg::Quit with the exit code comes after every message and input waiting before it.
    void PostQuitMessage(int exitCode);

    // The main thread. The next message, without waiting; false when there is none.
    bool PeekMessage(Message& out, bool remove = true);
    // Only the messages the filter accepts; it does not translate new input and leaves a quit waiting.
    bool PeekMessage(Message& out, const MessageFilter& filter, bool remove);
    // Waits for the next message; false when it is Msg::Quit.
    bool GetMessage(Message& out);
    // Waits until a message or input is waiting, or until timeoutMs passed (a loop with nothing to do until a
    // known time); true when something came.
    bool WaitMessage(uint32_t timeoutMs);
    // Calls the procedure of the message's window; 0 when it has none.
    LResult DispatchMessage(const Message& message);
    // Calls a window's procedure at once (the main thread); from another thread the message is posted
    // instead and 0 returned.
    LResult SendMessage(WindowId window, uint32_t id, WParam wParam, LParam lParam);
    // Queues the control character of a key-down (Backspace, Tab, Enter, Escape, Ctrl+letter) so that
    // it is the next message taken, as Windows' TranslateMessage does.
    void TranslateMessage(const Message& message);
    // When the message is one of the table's keys, sends Msg::Command to the main window and returns true.
    bool TranslateAccelerator(const AcceleratorTable& table, const Message& message);
    // What Windows does with a message no procedure took: a committed composition becomes characters.
    LResult DefaultProcedure(const Message& message);

    // --- Keyboard and input method ------------------------------------------------------------------
    const KeyStateTable& Keys() const { return keys_; }
    int16_t GetKeyState(int vk) const { return keys_.GetKeyState(vk); }
    // The window that gets keyboard messages; the main window when none other is set. Main thread.
    void SetFocus(WindowId window);
    WindowId GetFocus() const { return focus_; }
    bool IsActive() const { return active_.load(); }
    ImeContext& Ime() { return ime_; }

    // --- Cursor (any thread; runs on the main thread) -------------------------------------------------
    void ShowCursor(bool show);
    // A system cursor (SystemCursor) or a cursor registered with RegisterCursor.
    void SetCursor(uint32_t cursorId);
    void RegisterCursor(uint32_t cursorId, CursorImage image);
    // Confines the cursor to a screen rectangle, or frees it.
    void ClipCursor(const std::optional<PixelRect>& screenRect);
    void SetCapture(bool capture);
    void SetCursorPos(PixelPoint screen);
    // The cursor's screen position as last reported or set; any thread.
    PixelPoint GetCursorPos() const;

    // --- Placement (the main thread) ------------------------------------------------------------------
    PixelRect GetWindowRect() const;  // on the screen; any thread
    PixelRect GetClientRect() const;  // (0, 0, width, height); any thread
    PixelRect DesktopRect() const;
    PixelPoint ClientToScreen(PixelPoint client) const;
    // Moves and sizes the window; sends Msg::WindowPosChanged and, when the size changed, Msg::Size.
    void SetWindowPos(const PixelRect& screenRect, bool topmost);
    bool SetFullScreen(bool fullScreen);
    bool IsFullScreen() const { return fullScreen_.load(); }
    void Show(ShowCommand command);
    // Presses inside the band drag the window (client coordinates); empty: none.
    void SetDragBand(std::function<bool(PixelPoint)> inBand);

    // --- Clipboard, prompts, raw mouse -----------------------------------------------------------------
    WString GetClipboardText();
    bool SetClipboardText(WStringView text);
    int ShowPrompt(const PromptRequest& request);
    // Receives the mouse's own motion as input is translated; null detaches. Main thread.
    void SetRawMouseSink(RawMouseSink* sink);

private:
    void RunOnMainThread(std::function<void()> request);
    void RunPendingRequests();
    bool TakeInput(Message& out, const MessageFilter& filter, bool remove);
    bool TakeQuit(Message& out, bool remove);
    void TranslateEvent(const InputEvent& event);
    void RememberPlacement();
    // Takes a move or resize the backend reported; false when the window already stood so.
    bool ApplyPlacement(const InputEvent& event);
    const WindowProcedure* FindProcedure(WindowId window) const;

    std::unique_ptr<WindowBackend> backend_;
    bool created_ = false;
    uint32_t lastError_ = 0;
    ThreadId mainThread_ = kNoThread;
    bool doubleClicks_ = false;

    std::map<WindowId, WindowProcedure> procedures_;
    WindowId nextChild_ = kMainWindow + 1;
    WindowId focus_ = kMainWindow;

    MessageQueue posted_;
    std::atomic<bool> quitPending_{false};
    std::atomic<int> quitCode_{0};
    std::deque<Message> input_;  // the main thread's alone
    std::vector<Message> translated_;

    std::mutex requestMutex_;
    std::vector<std::function<void()>> requests_;

    KeyStateTable keys_;
    ImeContext ime_;
    MessageTranslator translator_;
    std::map<uint32_t, CursorImage> cursors_;

    mutable std::mutex placementMutex_;
    PixelRect windowRect_;
    PixelPoint cursorScreen_;
    std::atomic<bool> fullScreen_{false};
    std::atomic<bool> active_{false};
    std::atomic<bool> captured_{false};
};

}  // namespace platform
