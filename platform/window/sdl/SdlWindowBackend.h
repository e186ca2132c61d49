#pragma once
// The main window on SDL2: an OpenGL-capable borderless window (the graphics device creates its context in
// it), its events, the cursor, the input method's text input, the clipboard and message boxes. Every call
// but Wake comes from the main thread, as SDL's video functions require.
#include <SDL_video.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/window/WindowBackend.h"
#include "platform/window/sdl/SdlEventConverter.h"

struct SDL_Cursor;

namespace platform {

class SdlWindowBackend : public WindowBackend {
public:
    // The error code of a window that cannot be made (there is no display, or SDL cannot start).
    static constexpr uint32_t kCreateFailed = 1400;

    SdlWindowBackend() = default;
    ~SdlWindowBackend() override;

    // Whether the environment names a display to open (DISPLAY, WAYLAND_DISPLAY); without one no window or
    // desktop box can show. Any thread.
    static bool DesktopNamed();

    // The SDL window, for the graphics backend; null before Create.
    SDL_Window* SdlHandle() const { return window_; }

    bool Create(const WindowDesc& desc) override;
    uint32_t LastError() const override { return lastError_; }
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
    // Makes the window, already over the whole desktop, full screen.
    void GoFullScreen();
    static SDL_HitTestResult HitTest(SDL_Window* window, const SDL_Point* point, void* self);
    // Starts SDL's video once; false when no display is named or can be opened, or only a driver that shows
    // nothing is left (the program then says that its window cannot open). Const callers (the desktop's size)
    // may start it too.
    bool StartVideo() const;
    void SetIcon(const PixelImage& icon);
    SDL_Cursor* CursorFor(uint32_t id, const CursorImage* image);
    void ApplyClip();
    // Converts the SDL event into the events waiting to be handed on (none for a wake).
    void Take(const SDL_Event& event);
    // The oldest event waiting to be handed on; false when none waits.
    bool TakePending(InputEvent& out);
    void DropWarpMotion(InputEvent& event);

    SDL_Window* window_ = nullptr;
    mutable bool videoStarted_ = false;
    mutable bool videoFailed_ = false;
    uint32_t lastError_ = 0;
    mutable uint32_t wakeEventType_ = 0;  // registered when the video starts
    std::atomic<bool> wakePending_{false};
    SdlEventConverter converter_;
    std::vector<InputEvent> pending_;  // converted, oldest first: one SDL event may make two (AltGr's key)
    PixelRect windowedRect_;  // where the window stood before it went full screen
    bool coversDesktop_ = false;  // full screen without a window manager: borderless over the desktop
    std::function<bool(PixelPoint)> dragBand_;
    std::map<uint32_t, SDL_Cursor*> cursors_;
    std::optional<PixelRect> clip_;  // the screen rectangle the cursor is held in, when the program asked for one
    bool cursorHidden_ = false;
    // Where the program last put the shown cursor (window coordinates), until the pointer's motion there arrives:
    // that motion is the program's jump, not the mouse's.
    std::optional<PixelPoint> pendingWarp_;
};

}  // namespace platform
