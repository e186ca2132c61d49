#pragma once
// The cycle of the login screen's demo table: shots from a fixed table of slots are loaded one after the
// other; each cycle counts updates, lets the camera go at 100 (loading the next shot, except in the very
// first cycle of the run, which only moves the camera), plays the shot at 300 and starts over at the slot's
// duration (in hundreds of updates) or 100 updates after the balls stopped. Pure: what the table does at
// each step is the screen's.
//
// Threads: only a screen's entries call it (client/app/Scene.h); the count of BallsStopped events, which the main
// thread drains, is atomic.
#include <atomic>
#include <cstdint>
#include <span>
#include <string_view>

#include "QuillLib/core/WString.h"

namespace kestrovan {

struct DemoShotSlot {
    int32_t duration = 0;         // hundreds of updates
    float turnRate = 0.0f;        // the camera's orbit rate
    quill::WStringView nickname;  // who played the shot
    std::string_view shot;        // the shot record as hexadecimal text; shorter than 10 ends the table
};

class DemoShotCycle {
public:
    static constexpr int32_t kReleaseAt = 100;
    static constexpr int32_t kPlayAt = 300;
    static constexpr size_t kEndMarkLength = 10;

    // What an update asks of the table.
    struct Step {
        bool releaseHold = false;  // the table's demo-hold flag is cleared
        bool firstMove = false;    // the first cycle of the run: a new camera distance, no shot
        bool loadShot = false;     // stop the shot, load the next slot and show the table
        bool playShot = false;     // hold, play the loaded shot, bring the camera's pitch to 30..60
    };

    // firstMove: the run's flag (initially set) that the first cycle clears.
    DemoShotCycle(std::span<const DemoShotSlot> slots, std::atomic<bool>& firstMove);

    // The activation: slot 0 next, counter 0.
    void Reset();
    // The slot to load now (the table wraps to slot 0 at its end mark); the duration and turn rate become
    // its, and the next call gives the slot after it.
    const DemoShotSlot& LoadNext();
    // One update: the counter advances and says what happens.
    Step Advance();
    // The balls stopped: the cycle starts over.
    void Restart() { counter_ = 0; }

    int32_t Counter() const { return counter_; }
    int32_t NextIndex() const { return next_; }
    int32_t Duration() const { return duration_; }
    float TurnRate() const { return turnRate_; }

private:
    std::span<const DemoShotSlot> slots_;
    std::atomic<bool>& firstMove_;
    int32_t next_ = 0;
    std::atomic<int32_t> counter_{0};
    int32_t duration_ = 1;
    float turnRate_ = 1.0f;
};

}  // namespace kestrovan
