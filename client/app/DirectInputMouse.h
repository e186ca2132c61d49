#pragma once
// The relative motion of the mouse since the last game-thread tick: x, y and wheel, summed from the
// buffered mouse device's records, which the table's aiming and camera controls read. A second mode, used
// when the device is switched off, measures the motion by reading the cursor position and pulling the
// cursor back to a centre point.
//
// The application start creates it on the main thread after the window exists; the game thread reads it
// once per tick under the widget-tree lock and hands the motion on by value; the main thread, under that
// lock, reads it ahead of a release (the motion made before the release goes to the screen first) and may
// forget the motion made so far (a table mode that the motion drives begins); the shutdown destroys it on the
// main thread after the game thread ended.
#include <array>
#include <cstdint>
#include <memory>

#include "client/app/MouseMotion.h"
#include "platform/mouse/Mouse.h"
#include "platform/window/PixelRect.h"
#include "platform/window/Window.h"

namespace kestrovan {

class DirectInputMouse {
public:
    static constexpr size_t kBufferRecords = 64;

    DirectInputMouse() = default;
    ~DirectInputMouse();
    DirectInputMouse(const DirectInputMouse&) = delete;
    DirectInputMouse& operator=(const DirectInputMouse&) = delete;

    // Opens the device on the window (main thread). 0 on success or when the device is not used.
    uint32_t Create(platform::Window& window);
    // Once per game-thread tick: the motion since the last tick.
    MouseMotion Update();
    // Main thread, ahead of a release: the motion since the last read, with what the window's present run of
    // input brought and has not yet delivered to the ticks.
    MouseMotion UpdateBeforeRelease();
    // The motion made until now is not read: a table mode that the mouse drives (the stroke, a drag of the
    // view) starts with the motion after its key or button, not with a move the hand made just before.
    void ForgetEarlierMotion();
    // Cursor mode only: sets the centre point (screen pixels) and moves the cursor there.
    void SetCursorCentre(int x, int y);

    // The records the last tick read.
    uint32_t EventCount() const { return eventCount_; }

    // The cursor-mode switches.
    void SetUseDevice(bool use) { useDirectInput_ = use; }
    void SetCaptured(bool captured) { captured_ = captured; }

private:
    MouseMotion Read();
    MouseMotion ReadCursor();

    std::unique_ptr<platform::Mouse> device_;
    platform::Window* window_ = nullptr;
    bool buffered_ = true;
    uint32_t eventCount_ = 0;
    bool released_ = false;
    bool paused_ = false;
    bool captured_ = false;
    bool useDirectInput_ = true;
    platform::PixelPoint lastCursor_;
    platform::PixelPoint centre_;
    std::array<platform::MouseRecord, kBufferRecords> records_{};
};

}  // namespace kestrovan
