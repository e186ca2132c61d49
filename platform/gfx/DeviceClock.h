#pragma once
// The millisecond tick and the sleep the device layer waits with (texture animation, a lost device, a
// present still drawing). Tests give the device a manual clock.
#include <cstdint>

namespace platform::gfx {

class DeviceClock {
public:
    virtual ~DeviceClock() = default;
    // Milliseconds of a 32-bit timer that wraps.
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// The system's timer and sleep.
class SystemDeviceClock : public DeviceClock {
public:
    uint32_t TickCount() override;
    void Sleep(uint32_t ms) override;
};

}  // namespace platform::gfx
