#pragma once
// The procedure of the main window: the borderless windowed frame (the drag band and the resize grips),
// routing of input to the current scene, activation, minimising and maximising, the size-move pause and
// the accelerator commands. It keeps the state of a resize in progress; the rest it asks of its host.
// Main thread only.
#include <cstdint>

#include "client/app/AppCursor.h"
#include "client/app/MainWindowHost.h"
#include "platform/window/Message.h"
#include "platform/window/PixelRect.h"
#include "platform/window/Window.h"

namespace kestrovan {

class MainWindowProc {
public:
    MainWindowProc(platform::Window& window, MainWindowHost& host, AppCursor& cursor);

    // Installs itself as the main window's procedure and its drag band as the window's.
    void Install();

    platform::LResult WindowProc(const platform::Message& message);

    // The display change that follows a resize reads and clears this; the window placement sets it.
    void SetSizeChanged(bool changed) { sizeChanged_ = changed; }
    bool Sizing() const { return sizing_; }
    bool Minimised() const { return minimised_; }
    uint32_t ResizeModeNow() const { return resizeMode_; }

private:
    // Step 1, windowed only: true when the frame took the message, with its result in result.
    bool HandleFrame(const platform::Message& message, platform::LResult& result);
    bool HandleFramePress(platform::PixelPoint point, platform::LResult& result);
    bool HandleFrameMove(platform::PixelPoint point, platform::LParam lParam, platform::LResult& result);
    // Steps 2 and 3: input for the scene; true when the scene took it.
    bool RouteToScene(const platform::Message& message);
    // Step 4.
    platform::LResult HandleOwn(const platform::Message& message);
    platform::LResult OnCommand(uint16_t command);
    void OnSize(uint32_t kind);
    void OnActivate(bool active);
    void OnActivateApp(bool active);
    void ReleaseCaptureAndClip();

    platform::Window& window_;
    MainWindowHost& host_;
    AppCursor& cursor_;

    uint32_t resizeMode_ = 0;
    ScreenSize resizeStartSize_;
    platform::PixelPoint resizeStartPoint_;
    bool sizing_ = false;
    bool sizeChanged_ = false;
    bool minimised_ = false;
};

}  // namespace kestrovan
