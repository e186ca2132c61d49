#pragma once
// A device clock that tests set by hand: the tick stays where it is put, and a sleep only counts (and moves
// the tick on by its length, as a real sleep would).
#include <cstdint>
#include <vector>

#include "platform/gfx/DeviceClock.h"

namespace platform::gfx {

class ManualClock : public DeviceClock {
public:
    uint32_t TickCount() override { return tick_; }
    void Sleep(uint32_t ms) override {
        sleeps_.push_back(ms);
        tick_ += ms;
    }

    void SetTick(uint32_t tick) { tick_ = tick; }
    const std::vector<uint32_t>& Sleeps() const { return sleeps_; }

private:
    uint32_t tick_ = 0;
    std::vector<uint32_t> sleeps_;
};

}  // namespace platform::gfx
