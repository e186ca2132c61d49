#include "platform/window/headless/HeadlessWindowBackend.h"

#include <chrono>
#include <utility>

namespace platform {

HeadlessWindowBackend::HeadlessWindowBackend(PixelRect desktop) : desktop_(desktop) {}

void HeadlessWindowBackend::Script(InputEvent event) {
    std::lock_guard lock(mutex_);
    // A scripted move or resize is the window system's own: the window stands there from now on.
    if (event.kind == InputEventKind::Moved) {
        rect_ = PixelRect{event.x, event.y, event.x + rect_.Width(), event.y + rect_.Height()};
    } else if (event.kind == InputEventKind::Resized) {
        rect_.right = rect_.left + event.x;
        rect_.bottom = rect_.top + event.y;
    }
    events_.push_back(std::move(event));
    wake_.notify_all();
}

void HeadlessWindowBackend::FailCreateWith(uint32_t error) {
    std::lock_guard lock(mutex_);
    failCreate_ = error;
}

void HeadlessWindowBackend::ScriptPromptAnswer(int buttonId) {
    std::lock_guard lock(mutex_);
    promptAnswers_.push_back(buttonId);
}

std::vector<HeadlessCall> HeadlessWindowBackend::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<PromptRequest> HeadlessWindowBackend::Prompts() const {
    std::lock_guard lock(mutex_);
    return prompts_;
}

bool HeadlessWindowBackend::CursorVisible() const {
    std::lock_guard lock(mutex_);
    return cursorVisible_;
}

std::optional<PixelRect> HeadlessWindowBackend::CursorClip() const {
    std::lock_guard lock(mutex_);
    return clip_;
}

bool HeadlessWindowBackend::Captured() const {
    std::lock_guard lock(mutex_);
    return captured_;
}

uint32_t HeadlessWindowBackend::CursorShape() const {
    std::lock_guard lock(mutex_);
    return cursorShape_;
}

bool HeadlessWindowBackend::Created() const {
    std::lock_guard lock(mutex_);
    return created_;
}

bool HeadlessWindowBackend::InDragBand(PixelPoint client) const {
    std::lock_guard lock(mutex_);
    return dragBand_ && dragBand_(client);
}

bool HeadlessWindowBackend::Create(const WindowDesc& desc) {
    std::lock_guard lock(mutex_);
    if (failCreate_) {
        return false;
    }
    created_ = true;
    rect_ = windowedRect_ = desc.rect;
    fullScreen_ = desc.fullScreen;
    if (fullScreen_) {
        rect_ = desktop_;
    }
    return true;
}

uint32_t HeadlessWindowBackend::LastError() const {
    std::lock_guard lock(mutex_);
    return failCreate_.value_or(0);
}

void HeadlessWindowBackend::Destroy() {
    std::lock_guard lock(mutex_);
    created_ = false;
}

bool HeadlessWindowBackend::PollEvent(InputEvent& event) {
    std::lock_guard lock(mutex_);
    if (events_.empty()) {
        return false;
    }
    event = std::move(events_.front());
    events_.pop_front();
    return true;
}

bool HeadlessWindowBackend::WaitEvent(InputEvent& event, uint32_t timeoutMs) {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return woken_ || !events_.empty(); });
    woken_ = false;
    if (events_.empty()) {
        return false;
    }
    event = std::move(events_.front());
    events_.pop_front();
    return true;
}

void HeadlessWindowBackend::Wake() {
    std::lock_guard lock(mutex_);
    woken_ = true;
    wake_.notify_all();
}

PixelRect HeadlessWindowBackend::WindowRect() const {
    std::lock_guard lock(mutex_);
    return rect_;
}

PixelRect HeadlessWindowBackend::DesktopRect() const { return desktop_; }

void HeadlessWindowBackend::Place(const PixelRect& rect, bool topmost) {
    Record("Place", topmost ? 1 : 0);
    std::lock_guard lock(mutex_);
    rect_ = rect;
    if (!fullScreen_) {
        windowedRect_ = rect;
    }
}

bool HeadlessWindowBackend::SetFullScreen(bool fullScreen) {
    Record("SetFullScreen", fullScreen ? 1 : 0);
    std::lock_guard lock(mutex_);
    if (fullScreen == fullScreen_) {
        return true;
    }
    fullScreen_ = fullScreen;
    rect_ = fullScreen ? desktop_ : windowedRect_;
    return true;
}

bool HeadlessWindowBackend::IsFullScreen() const {
    std::lock_guard lock(mutex_);
    return fullScreen_;
}

void HeadlessWindowBackend::Show(ShowCommand command) { Record("Show", static_cast<int64_t>(command)); }

void HeadlessWindowBackend::SetDragBand(std::function<bool(PixelPoint)> inBand) {
    std::lock_guard lock(mutex_);
    dragBand_ = std::move(inBand);
}

void HeadlessWindowBackend::ShowCursor(bool show) {
    Record("ShowCursor", show ? 1 : 0);
    std::lock_guard lock(mutex_);
    cursorVisible_ = show;
}

void HeadlessWindowBackend::SetCursorShape(uint32_t id, const CursorImage* /*image*/) {
    Record("SetCursorShape", id);
    std::lock_guard lock(mutex_);
    cursorShape_ = id;
}

void HeadlessWindowBackend::ClipCursor(const std::optional<PixelRect>& screenRect) {
    Record("ClipCursor", screenRect ? 1 : 0);
    std::lock_guard lock(mutex_);
    clip_ = screenRect;
}

void HeadlessWindowBackend::CaptureMouse(bool capture) {
    Record("CaptureMouse", capture ? 1 : 0);
    std::lock_guard lock(mutex_);
    captured_ = capture;
}

void HeadlessWindowBackend::WarpCursor(PixelPoint screen) {
    Record("WarpCursor", (static_cast<int64_t>(screen.x) << 32) | static_cast<uint32_t>(screen.y));
    std::lock_guard lock(mutex_);
    cursor_ = screen;
}

PixelPoint HeadlessWindowBackend::CursorPosition() const {
    std::lock_guard lock(mutex_);
    return cursor_;
}

WString HeadlessWindowBackend::ClipboardText() {
    std::lock_guard lock(mutex_);
    return clipboard_;
}

bool HeadlessWindowBackend::SetClipboardText(WStringView text) {
    std::lock_guard lock(mutex_);
    clipboard_.assign(text);
    return true;
}

int HeadlessWindowBackend::ShowPrompt(const PromptRequest& request) {
    std::lock_guard lock(mutex_);
    prompts_.push_back(request);
    if (promptAnswers_.empty()) {
        return request.buttons.empty() ? kPromptClosed : request.buttons.front().id;
    }
    const int answer = promptAnswers_.front();
    promptAnswers_.pop_front();
    return answer;
}

void HeadlessWindowBackend::Record(std::string what, int64_t value) {
    std::lock_guard lock(mutex_);
    calls_.push_back(HeadlessCall{std::move(what), value, CurrentThreadId()});
}

}  // namespace platform
