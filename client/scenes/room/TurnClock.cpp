#include "client/scenes/room/TurnClock.h"

#include <algorithm>

namespace kestrovan {

void TurnClock::StartTurn(uint32_t nowMs) {
    turnStart_ = nowMs;
    warned_ = false;
    timeOutSent_ = false;
}

int32_t TurnClock::ElapsedSeconds(uint32_t nowMs) const {
    const auto since = static_cast<int32_t>(nowMs - turnStart_);
    return since < 0 ? 0 : since / 1000;
}

int32_t TurnClock::Remaining(uint32_t nowMs) const {
    return std::max(0, limit_ - ElapsedSeconds(nowMs));
}

bool TurnClock::TakeWarning(uint32_t nowMs) {
    if (warned_ || limit_ < kWarnFrom) return false;
    const int32_t elapsed = ElapsedSeconds(nowMs);
    if (elapsed <= limit_ - kWarnFrom || elapsed >= limit_ - kWarnUntil) return false;
    warned_ = true;
    return true;
}

bool TurnClock::FreezeDue(uint32_t nowMs) const {
    return Runs() && ElapsedSeconds(nowMs) >= limit_ - kFreezeBefore;
}

bool TurnClock::TimeOutDue(uint32_t nowMs) const {
    return Runs() && !timeOutSent_ && ElapsedSeconds(nowMs) >= limit_;
}

}  // namespace kestrovan
