#pragma once
// How long a passing widget (a notice, a label, a popup) has been shown. A handler shows the widget from its
// own thread, while the time goes by the clock of the game thread's tick: so the time starts at the first
// tick after Start, not at the call.
//
// Pure logic, header-only.
#include <cstdint>

namespace kestrovan {

class ShowTimer {
public:
    // The widget was shown: the next Elapsed starts the count.
    void Start() { starting_ = true; }
    // Milliseconds since the first tick after Start (0 at that tick).
    uint32_t Elapsed(uint32_t now) {
        if (starting_) {
            shownAt_ = now;
            starting_ = false;
        }
        return now - shownAt_;
    }

private:
    bool starting_ = false;
    uint32_t shownAt_ = 0;
};

}  // namespace kestrovan
