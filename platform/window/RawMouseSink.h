#pragma once
// Receives the mouse's own motion, before any cursor logic: what a relative mouse device sums. Called on the
// main thread as the window layer translates each event.
#include <cstdint>

namespace platform {

class RawMouseSink {
public:
    virtual ~RawMouseSink() = default;

    virtual void OnRawMotion(int dx, int dy, uint32_t time) = 0;
    virtual void OnRawWheel(int delta, uint32_t time) = 0;  // kWheelDelta per notch, positive away from the user
    // The window became the foreground window (input belongs to the program) or stopped being it.
    virtual void OnForegroundChanged(bool foreground) = 0;
};

}  // namespace platform
