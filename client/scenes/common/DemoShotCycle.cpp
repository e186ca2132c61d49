#include "client/scenes/common/DemoShotCycle.h"

namespace kestrovan {

DemoShotCycle::DemoShotCycle(std::span<const DemoShotSlot> slots, std::atomic<bool>& firstMove)
    : slots_(slots), firstMove_(firstMove) {}

void DemoShotCycle::Reset() {
    next_ = 0;
    counter_ = 0;
}

const DemoShotSlot& DemoShotCycle::LoadNext() {
    const bool atEnd =
        static_cast<size_t>(next_) >= slots_.size() || slots_[static_cast<size_t>(next_)].shot.size() < kEndMarkLength;
    if (atEnd)
        next_ = 0;
    const DemoShotSlot& slot = slots_[static_cast<size_t>(next_)];
    duration_ = slot.duration;
    turnRate_ = slot.turnRate;
    ++next_;
    return slot;
}

DemoShotCycle::Step DemoShotCycle::Advance() {
    Step step;
    const int32_t counter = ++counter_;
    if (counter == kReleaseAt) {
        step.releaseHold = true;
        if (firstMove_.exchange(false)) {
            step.firstMove = true;
        } else {
            step.loadShot = true;
        }
    }
    if (counter == kPlayAt)
        step.playShot = true;
    if (counter == duration_ * 100)
        counter_ = 0;
    return step;
}

}  // namespace kestrovan
