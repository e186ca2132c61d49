#include "platform/window/Window.h"

#include <utility>

#include "platform/system/Clock.h"
#include "platform/system/Sleep.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace platform {
namespace {

// How long GetMessage waits for the backend before it looks at its queues again.
constexpr uint32_t kWaitSliceMs = 50;

}  // namespace

Window::Window(std::unique_ptr<WindowBackend> backend) : backend_(std::move(backend)), translator_(keys_, ime_) {}

Window::~Window() { Destroy(); }

bool Window::Create(const WindowDesc& desc) {
    mainThread_ = CurrentThreadId();
    if (!backend_->Create(desc)) {
        lastError_ = backend_->LastError();
        return false;
    }
    created_ = true;
    doubleClicks_ = desc.doubleClicks;
    fullScreen_ = backend_->IsFullScreen();
    RememberPlacement();
    const PixelRect rect = GetWindowRect();
    translator_.SetClientSize(rect.Width(), rect.Height());
    return true;
}

void Window::Destroy() {
    if (created_) {
        backend_->Destroy();
        created_ = false;
    }
}

WindowHandle Window::Handle() { return created_ ? static_cast<WindowHandle>(this) : nullptr; }

bool Window::OnMainThread() const { return mainThread_ == kNoThread || CurrentThreadId() == mainThread_; }

void Window::SetProcedure(WindowId window, WindowProcedure procedure) { procedures_[window] = std::move(procedure); }

WindowId Window::CreateChild(WindowProcedure procedure) {
    const WindowId child = nextChild_++;
    procedures_[child] = std::move(procedure);
    return child;
}

void Window::DestroyChild(WindowId child) {
    if (child == kMainWindow) {
        return;
    }
    procedures_.erase(child);
    if (focus_ == child) {
        focus_ = kMainWindow;
    }
}

void Window::PostMessage(WindowId window, uint32_t id, WParam wParam, LParam lParam) {
    posted_.Post(Message{window, id, wParam, lParam, TimeGetTime()});
    if (!OnMainThread()) {
        backend_->Wake();
    }
}

void Window::PostQuitMessage(int exitCode) {
    quitCode_.store(exitCode, std::memory_order_relaxed);
    quitPending_.store(true, std::memory_order_release);
    if (!OnMainThread()) {
        backend_->Wake();
    }
}

bool Window::PeekMessage(Message& out, bool remove) {
    RunPendingRequests();
    // Read before the queues: whatever a thread posted ahead of its quit is then found in them first.
    const bool quitting = quitPending_.load(std::memory_order_acquire);
    const MessageFilter all;
    if (posted_.Take(out, all, remove) || TakeInput(out, all, remove)) {
        return true;
    }
    InputEvent event;
    if (created_ && backend_->PollEvent(event)) {
        TranslateEvent(event);
        return TakeInput(out, all, remove);
    }
    translator_.InputDrained();
    return quitting && TakeQuit(out, remove);
}

bool Window::PeekMessage(Message& out, const MessageFilter& filter, bool remove) {
    return posted_.Take(out, filter, remove) || TakeInput(out, filter, remove);
}

bool Window::GetMessage(Message& out) {
    while (!PeekMessage(out, true)) {
        InputEvent event;
        if (!created_) {
            Sleep(1);  // only posted messages can come
        } else if (backend_->WaitEvent(event, kWaitSliceMs)) {
            TranslateEvent(event);
        }
    }
    return out.id != Msg::Quit;
}

bool Window::TakeQuit(Message& out, bool remove) {
    out = Message{kNoWindow, Msg::Quit, static_cast<WParam>(quitCode_.load(std::memory_order_relaxed)), 0,
                  TimeGetTime()};
    if (remove) {
        quitPending_.store(false, std::memory_order_relaxed);
    }
    return true;
}

bool Window::WaitMessage(uint32_t timeoutMs) {
    Message waiting;
    if (PeekMessage(waiting, false)) return true;
    if (timeoutMs == 0) return false;
    InputEvent event;
    if (!created_) {
        Sleep(timeoutMs);  // only posted messages can come
        return PeekMessage(waiting, false);
    }
    if (!backend_->WaitEvent(event, timeoutMs)) return PeekMessage(waiting, false);
    TranslateEvent(event);
    return true;
}

LResult Window::DispatchMessage(const Message& message) {
    const WindowProcedure* procedure = FindProcedure(message.window);
    return procedure != nullptr ? (*procedure)(message) : 0;
}

LResult Window::SendMessage(WindowId window, uint32_t id, WParam wParam, LParam lParam) {
    if (!OnMainThread()) {
        PostMessage(window, id, wParam, lParam);
        return 0;
    }
    return DispatchMessage(Message{window, id, wParam, lParam, TimeGetTime()});
}

void Window::TranslateMessage(const Message& message) {
    if (const std::optional<Message> character = MessageTranslator::ControlCharacterFor(message, keys_)) {
        input_.push_front(*character);
    }
}

bool Window::TranslateAccelerator(const AcceleratorTable& table, const Message& message) {
    const std::optional<uint16_t> command = table.Match(message, keys_);
    if (!command) {
        return false;
    }
    DispatchMessage(AcceleratorTable::CommandMessage(kMainWindow, *command, message.time));
    return true;
}

LResult Window::DefaultProcedure(const Message& message) {
    if (message.id == Msg::ImeComposition && (message.lParam & Ime::ResultString) != 0) {
        // Characters of the result go ahead of later input, in their order.
        const WString& result = ime_.ResultString();
        for (auto unit = result.rbegin(); unit != result.rend(); ++unit) {
            input_.push_front(Message{message.window, Msg::Char, *unit, 1, message.time});
        }
    }
    return 0;
}

void Window::SetFocus(WindowId window) {
    const WindowId target = FindProcedure(window) != nullptr ? window : kMainWindow;
    if (target == focus_) {
        return;
    }
    const WindowId previous = focus_;
    focus_ = target;
    SendMessage(previous, Msg::KillFocus, target, 0);
    SendMessage(target, Msg::SetFocus, previous, 0);
}

void Window::ShowCursor(bool show) {
    RunOnMainThread([this, show] { backend_->ShowCursor(show); });
}

void Window::SetCursor(uint32_t cursorId) {
    RunOnMainThread([this, cursorId] {
        const auto found = cursors_.find(cursorId);
        backend_->SetCursorShape(cursorId, found != cursors_.end() ? &found->second : nullptr);
    });
}

void Window::RegisterCursor(uint32_t cursorId, CursorImage image) {
    RunOnMainThread([this, cursorId, image = std::move(image)] { cursors_[cursorId] = image; });
}

void Window::ClipCursor(const std::optional<PixelRect>& screenRect) {
    RunOnMainThread([this, screenRect] { backend_->ClipCursor(screenRect); });
}

void Window::SetCapture(bool capture) {
    captured_ = capture;
    RunOnMainThread([this, capture] { backend_->CaptureMouse(capture); });
}

void Window::SetCursorPos(PixelPoint screen) {
    {
        std::lock_guard lock(placementMutex_);
        cursorScreen_ = screen;
    }
    RunOnMainThread([this, screen] { backend_->WarpCursor(screen); });
}

PixelPoint Window::GetCursorPos() const {
    std::lock_guard lock(placementMutex_);
    return cursorScreen_;
}

PixelRect Window::GetWindowRect() const {
    std::lock_guard lock(placementMutex_);
    return windowRect_;
}

PixelRect Window::GetClientRect() const {
    const PixelRect rect = GetWindowRect();
    return PixelRect{0, 0, rect.Width(), rect.Height()};
}

PixelRect Window::DesktopRect() const { return backend_->DesktopRect(); }

PixelPoint Window::ClientToScreen(PixelPoint client) const {
    const PixelRect rect = GetWindowRect();
    return PixelPoint{client.x + rect.left, client.y + rect.top};
}

void Window::SetWindowPos(const PixelRect& screenRect, bool topmost) {
    const PixelRect before = GetWindowRect();
    backend_->Place(screenRect, topmost);
    RememberPlacement();
    const PixelRect after = GetWindowRect();
    SendMessage(kMainWindow, Msg::WindowPosChanged, 0, 0);
    if (after.Width() != before.Width() || after.Height() != before.Height()) {
        translator_.SetClientSize(after.Width(), after.Height());
        SendMessage(kMainWindow, Msg::Size, SizeKind::Restored, MakePointLParam(after.Width(), after.Height()));
    }
}

bool Window::SetFullScreen(bool fullScreen) {
    const bool done = backend_->SetFullScreen(fullScreen);
    fullScreen_ = backend_->IsFullScreen();
    RememberPlacement();
    return done;
}

void Window::Show(ShowCommand command) { backend_->Show(command); }

void Window::SetDragBand(std::function<bool(PixelPoint)> inBand) { backend_->SetDragBand(std::move(inBand)); }

WString Window::GetClipboardText() { return backend_->ClipboardText(); }

bool Window::SetClipboardText(WStringView text) { return backend_->SetClipboardText(text); }

int Window::ShowPrompt(const PromptRequest& request) { return backend_->ShowPrompt(request); }

void Window::SetRawMouseSink(RawMouseSink* sink) { translator_.SetRawMouseSink(sink); }

void Window::RunOnMainThread(std::function<void()> request) {
    if (OnMainThread()) {
        request();
        return;
    }
    {
        std::lock_guard lock(requestMutex_);
        requests_.push_back(std::move(request));
    }
    backend_->Wake();
}

void Window::RunPendingRequests() {
    std::vector<std::function<void()>> pending;
    {
        std::lock_guard lock(requestMutex_);
        pending.swap(requests_);
    }
    for (const auto& request : pending) {
        request();
    }
}

bool Window::TakeInput(Message& out, const MessageFilter& filter, bool remove) {
    for (auto message = input_.begin(); message != input_.end(); ++message) {
        if (filter.Accepts(*message)) {
            out = *message;
            if (remove) {
                input_.erase(message);
            }
            return true;
        }
    }
    return false;
}

void Window::TranslateEvent(const InputEvent& event) {
    if ((event.kind == InputEventKind::Moved || event.kind == InputEventKind::Resized) && !ApplyPlacement(event)) {
        return;  // the window's own SetWindowPos already told the procedure
    }
    if (event.kind == InputEventKind::FocusGained || event.kind == InputEventKind::FocusLost) {
        active_ = event.kind == InputEventKind::FocusGained;
    }
    const PixelRect rect = GetWindowRect();
    const TranslationTargets targets{focus_, kMainWindow, PixelPoint{rect.left, rect.top}, doubleClicks_};
    translated_.clear();
    translator_.Translate(event, targets, translated_);
    input_.insert(input_.end(), translated_.begin(), translated_.end());
    const bool pointer = event.kind == InputEventKind::MouseMove || event.kind == InputEventKind::ButtonDown ||
                         event.kind == InputEventKind::ButtonUp;
    if (pointer) {
        std::lock_guard lock(placementMutex_);
        cursorScreen_ = PixelPoint{event.x + rect.left, event.y + rect.top};
    }
}

bool Window::ApplyPlacement(const InputEvent& event) {
    std::lock_guard lock(placementMutex_);
    PixelRect& rect = windowRect_;
    if (event.kind == InputEventKind::Moved) {
        if (rect.left == event.x && rect.top == event.y) {
            return false;
        }
        rect = PixelRect{event.x, event.y, event.x + rect.Width(), event.y + rect.Height()};
        return true;
    }
    if (rect.Width() == event.x && rect.Height() == event.y) {
        return false;
    }
    rect.right = rect.left + event.x;
    rect.bottom = rect.top + event.y;
    return true;
}

void Window::RememberPlacement() {
    const PixelRect rect = backend_->WindowRect();
    std::lock_guard lock(placementMutex_);
    windowRect_ = rect;
}

const WindowProcedure* Window::FindProcedure(WindowId window) const {
    const auto found = procedures_.find(window);
    return found != procedures_.end() && found->second ? &found->second : nullptr;
}

}  // namespace platform
