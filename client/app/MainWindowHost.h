#pragma once
// What the main window procedure needs of the application object that owns the window: its run and display
// state, the pause and resume of frame work, the commands of the accelerator table, and the scene manager's
// routing of input. The App implements it; tests implement it with a recording fake. Main thread only.
#include <cstdint>

#include "platform/window/Message.h"
#include "platform/window/PixelRect.h"

namespace kestrovan {

struct ScreenSize {
    uint16_t width = 1024;
    uint16_t height = 768;
};

class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;

    // Run state.
    virtual bool IsFullScreen() const = 0;
    virtual bool IsRunning() const = 0;            // the running flag: the main loop and the game thread run
    virtual bool FramesRunning() const = 0;        // the frame-running flag
    virtual bool ResumeAllowed() const = 0;        // the resume flag, set once the main loop started
    virtual bool DialogBoxModeWanted() const = 0;  // a native dialog is to show over the 3D view
    virtual void SetDisplayState(uint32_t stateWord) = 0;
    virtual void SetMousePoll(bool poll) = 0;
    virtual void PauseGameThread() = 0;
    virtual void ResumeGameThread() = 0;

    // Commands.
    virtual void ToggleFullScreen() = 0;
    virtual void SaveScreenshot() = 0;
    virtual void PostQuit() = 0;

    // The screen and window size and place as the App keeps them.
    virtual ScreenSize GetScreenSize() const = 0;
    // The user resized the window: the new screen size, which is also the windowed size.
    virtual void SetScreenSize(ScreenSize size) = 0;
    virtual platform::PixelRect GetWindowRect() const = 0;
    // The window moved or changed size: its rectangle, whose top-left is the window position.
    virtual void SetWindowRect(const platform::PixelRect& rect) = 0;
    // 1 selects the pen cursor over the window.
    virtual uint32_t CursorMode() const = 0;

    // The scene manager: the widget tree and the current scene get the message; true when one took it.
    virtual bool HandleSceneMessage(uint32_t id, platform::WParam wParam, platform::LParam lParam) = 0;
    virtual void NotifyCaptionHover(bool overDragBand) = 0;
    virtual void ActivateCurrentScene(bool active) = 0;
    virtual void SendChatMacro(int slot) = 0;
};

}  // namespace kestrovan
