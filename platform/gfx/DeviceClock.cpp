#include "platform/gfx/DeviceClock.h"

#include "platform/system/Clock.h"
#include "platform/system/Sleep.h"

namespace platform::gfx {

uint32_t SystemDeviceClock::TickCount() {
    return platform::TimeGetTime();
}

void SystemDeviceClock::Sleep(uint32_t ms) {
    platform::Sleep(ms);
}

}  // namespace platform::gfx
