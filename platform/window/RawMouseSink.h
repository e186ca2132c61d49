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
    // The window layer has translated every event the system had for it. The motion received since the last call
    // came in one run: a main thread that was held up takes what the hand did meanwhile all at once, and a reader
    // must not see it split at whichever point the reader happened to come in.
    virtual void OnInputDrained() = 0;
};

}  // namespace platform
