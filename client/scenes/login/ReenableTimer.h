#pragma once
// A control the login screen disables while a request is out and enables again when no answer came: the
// timer fires once more than 4000 ms and less than 50000 ms have passed since it was armed. Disarmed it
// never fires, whatever the clock reads (a clock that started recently reads below 50000 ms). Pure; the
// clock is the caller's.
//
// Threads: only a screen's entries call it (client/app/Scene.h); both fields are atomic: the dispatch and main
// threads arm it, the game thread tests it.
#include <atomic>
#include <cstdint>

namespace kestrovan {

class ReenableTimer {
public:
    static constexpr uint32_t kAfterMs = 4000;
    static constexpr uint32_t kUntilMs = 50000;

    void Arm(uint32_t now) {
        stamp_ = now;
        armed_ = true;
    }
    void Disarm() { armed_ = false; }
    bool IsArmed() const { return armed_; }
    // Whether the window is open at now (the clock wraps: the difference is taken unsigned).
    bool Due(uint32_t now) const {
        if (!armed_)
            return false;
        const uint32_t elapsed = now - stamp_;
        return elapsed > kAfterMs && elapsed < kUntilMs;
    }

private:
    std::atomic<bool> armed_{false};
    std::atomic<uint32_t> stamp_{0};
};

}  // namespace kestrovan
