#pragma once
// What stands under the window layer: a real window system (sdl/) or a script of events (headless/).
// The Window calls every operation on the main thread, except Wake, which any thread may call.
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/system/WString.h"
#include "platform/window/InputEvent.h"
#include "platform/window/PixelImage.h"
#include "platform/window/PixelRect.h"
#include "platform/window/Prompt.h"
#include "platform/window/WindowDesc.h"

namespace platform {

enum class ShowCommand { Show, Hide, Minimize, Restore, Raise };

class WindowBackend {
public:
    virtual ~WindowBackend() = default;

    // Opens the window; false with LastError when it cannot be made.
    virtual bool Create(const WindowDesc& desc) = 0;
    virtual uint32_t LastError() const = 0;
    virtual void Destroy() = 0;

    // The next event of the window, without waiting; false when there is none.
    virtual bool PollEvent(InputEvent& event) = 0;
    // Waits up to timeoutMs for an event or a Wake; false when none came.
    virtual bool WaitEvent(InputEvent& event, uint32_t timeoutMs) = 0;
    // Ends a WaitEvent early: a message was posted or a request queued for the main thread.
    virtual void Wake() = 0;

    // Placement, on the screen.
    virtual PixelRect WindowRect() const = 0;
    virtual PixelRect DesktopRect() const = 0;
    virtual void Place(const PixelRect& rect, bool topmost) = 0;
    virtual bool SetFullScreen(bool fullScreen) = 0;
    virtual bool IsFullScreen() const = 0;
    virtual void Show(ShowCommand command) = 0;
    // Where a press may drag the window (client coordinates); empty: nowhere.
    virtual void SetDragBand(std::function<bool(PixelPoint)> inBand) = 0;

    // The cursor. A shape is a system cursor id (SystemCursor) or the id of an image the caller gives.
    virtual void ShowCursor(bool show) = 0;
    virtual void SetCursorShape(uint32_t id, const CursorImage* image) = 0;
    virtual void ClipCursor(const std::optional<PixelRect>& screenRect) = 0;
    virtual void CaptureMouse(bool capture) = 0;
    virtual void WarpCursor(PixelPoint screen) = 0;
    virtual PixelPoint CursorPosition() const = 0;  // on the screen

    virtual WString ClipboardText() = 0;
    virtual bool SetClipboardText(WStringView text) = 0;

    // A modal prompt; the id of the chosen button, kPromptClosed when none was chosen.
    virtual int ShowPrompt(const PromptRequest& request) = 0;
};

}  // namespace platform
