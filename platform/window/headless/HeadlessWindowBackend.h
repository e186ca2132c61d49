#pragma once
// A window without a display, for tests and for running the program without one. Its events are the ones
// a test scripts; what the program asks of the window (placement, full screen, cursor, clipboard, prompts)
// is carried out on a model and recorded with the thread that asked, so a test can check both the result
// and that it happened on the main thread.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/system/Thread.h"
#include "platform/window/WindowBackend.h"

namespace platform {

struct HeadlessCall {
    std::string what;  // "ShowCursor", "ClipCursor", "CaptureMouse", "WarpCursor", "SetCursorShape", ...
    int64_t value = 0;
    ThreadId thread = kNoThread;
};

class HeadlessWindowBackend : public WindowBackend {
public:
    explicit HeadlessWindowBackend(PixelRect desktop = PixelRect{0, 0, 1920, 1080});

    // --- Scripting (any thread) ---
    void Script(InputEvent event);
    void FailCreateWith(uint32_t error);  // the next Create fails with this code
    void ScriptPromptAnswer(int buttonId);
    std::vector<HeadlessCall> Calls() const;
    std::vector<PromptRequest> Prompts() const;
    bool CursorVisible() const;
    std::optional<PixelRect> CursorClip() const;
    bool Captured() const;
    uint32_t CursorShape() const;
    bool Created() const;
    // The band the program set, asked about a client point; false when none is set.
    bool InDragBand(PixelPoint client) const;

    // --- WindowBackend ---
    bool Create(const WindowDesc& desc) override;
    uint32_t LastError() const override;
    void Destroy() override;
    bool PollEvent(InputEvent& event) override;
    bool WaitEvent(InputEvent& event, uint32_t timeoutMs) override;
    void Wake() override;
    PixelRect WindowRect() const override;
    PixelRect DesktopRect() const override;
    void Place(const PixelRect& rect, bool topmost) override;
    bool SetFullScreen(bool fullScreen) override;
    bool IsFullScreen() const override;
    void Show(ShowCommand command) override;
    void SetDragBand(std::function<bool(PixelPoint)> inBand) override;
    void ShowCursor(bool show) override;
    void SetCursorShape(uint32_t id, const CursorImage* image) override;
    void ClipCursor(const std::optional<PixelRect>& screenRect) override;
    void CaptureMouse(bool capture) override;
    void WarpCursor(PixelPoint screen) override;
    PixelPoint CursorPosition() const override;
    WString ClipboardText() override;
    bool SetClipboardText(WStringView text) override;
    int ShowPrompt(const PromptRequest& request) override;

private:
    void Record(std::string what, int64_t value);

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool woken_ = false;
    std::deque<InputEvent> events_;
    std::vector<HeadlessCall> calls_;
    std::deque<int> promptAnswers_;
    std::vector<PromptRequest> prompts_;
    std::optional<uint32_t> failCreate_;

    const PixelRect desktop_;
    bool created_ = false;
    PixelRect rect_;
    PixelRect windowedRect_;
    bool fullScreen_ = false;
    bool cursorVisible_ = true;
    std::optional<PixelRect> clip_;
    bool captured_ = false;
    uint32_t cursorShape_ = 0;
    PixelPoint cursor_;
    std::function<bool(PixelPoint)> dragBand_;
    WString clipboard_;
};

}  // namespace platform
