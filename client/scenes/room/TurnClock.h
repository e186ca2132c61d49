#pragma once
// The room's clock of the shooter's turn, in whole seconds of the millisecond clock since the turn began: the
// time left to show, the spoken warning once per turn a few seconds before the end, the point from which
// the shooter's controls freeze, and the time-out, which goes to the server once per turn. A limit of 0 or
// below never runs out, and a limit below 10 seconds leaves no room for the warning. Pure; the room keeps it
// under the widget-tree lock.
#include <cstdint>

namespace kestrovan {

class TurnClock {
public:
    static constexpr int32_t kDefaultLimit = 40;
    static constexpr int32_t kWarnFrom = 10;      // the warning comes after limit - 10 seconds
    static constexpr int32_t kWarnUntil = 3;      // and before limit - 3
    static constexpr int32_t kFreezeBefore = 5;   // the controls freeze from limit - 5

    void SetLimit(int32_t seconds) { limit_ = seconds; }
    int32_t Limit() const { return limit_; }
    bool Runs() const { return limit_ > 0; }

    // A new turn from now: warning and time-out are due again.
    void StartTurn(uint32_t nowMs);
    // The time-out may be sent again (the server's answer to the last one came).
    void ClearTimeOut() { timeOutSent_ = false; }

    // Whole seconds since the turn began; 0 while now is before the start.
    int32_t ElapsedSeconds(uint32_t nowMs) const;
    // The seconds left, never below 0.
    int32_t Remaining(uint32_t nowMs) const;
    // True once per turn, within (limit - 10, limit - 3) seconds.
    bool TakeWarning(uint32_t nowMs);
    bool Warned() const { return warned_; }
    // The shooter's controls freeze from limit - 5 seconds on.
    bool FreezeDue(uint32_t nowMs) const;
    // The limit is reached and no time-out was sent this turn.
    bool TimeOutDue(uint32_t nowMs) const;
    void MarkTimeOutSent() { timeOutSent_ = true; }
    bool TimeOutSent() const { return timeOutSent_; }

private:
    int32_t limit_ = kDefaultLimit;
    uint32_t turnStart_ = 0;
    bool warned_ = false;
    bool timeOutSent_ = false;
};

}  // namespace kestrovan
