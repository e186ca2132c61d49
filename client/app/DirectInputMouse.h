#pragma once
// The relative motion of the mouse since the last game-thread tick: x, y and wheel, summed from the
// buffered mouse device's records, which the table's aiming and camera controls read. A second mode, used
// when the device is switched off, measures the motion by reading the cursor position and pulling the
// cursor back to a centre point.
//
// The application start creates it on the main thread after the window exists; the game thread updates it
// once per tick; the shutdown destroys it on the main thread after the game thread ended.
#include <array>
#include <cstdint>
#include <memory>

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
    // Once per game-thread tick: refreshes the sums.
    void Update();
    // Cursor mode only: sets the centre point (screen pixels) and moves the cursor there.
    void SetCursorCentre(int x, int y);

    int32_t Dx() const { return dx_; }
    int32_t Dy() const { return dy_; }
    int32_t DWheel() const { return dWheel_; }
    uint32_t EventCount() const { return eventCount_; }

    // The cursor-mode switches.
    void SetUseDevice(bool use) { useDirectInput_ = use; }
    void SetCaptured(bool captured) { captured_ = captured; }

private:
    void Read();
    void ReadCursor();

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
    int32_t dx_ = 0;
    int32_t dy_ = 0;
    int32_t dWheel_ = 0;
    std::array<platform::MouseRecord, kBufferRecords> records_{};
};

}  // namespace kestrovan
