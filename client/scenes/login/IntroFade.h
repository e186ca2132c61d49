#pragma once
// The timing of the intro: two logos, each fading in over 300 updates, fully shown for 200 and fading out
// over 300, over a background the intro drives itself: white during the first logo, black for the one update
// of the change, then a grey that goes from white to black as the second logo appears (and back as it goes).
// After 1600 updates the intro is over. Escape cuts the first logo short, or ends the second at once with
// the logo shown fully for one update. Pure.
//
// Threads: only a screen's entries call it (client/app/Scene.h); the counter, which Advance (game thread) and Skip
// (main thread) share, is atomic.
#include <atomic>
#include <cstdint>
#include <optional>

#include "client/ui/UiColours.h"

namespace kestrovan {

class IntroFade {
public:
    static constexpr int32_t kLength = 1600;
    static constexpr int32_t kLogoChange = 799;

    // What one update does.
    struct Step {
        float alpha = 0.0f;                  // the logo's opacity
        std::optional<uint32_t> background;  // a new background colour (ARGB)
        bool secondLogo = false;             // the second picture takes the first one's place
        bool finished = false;               // the intro is over: nothing else changes
    };

    // Counter 0, alpha 0 (the activation; the background is then white).
    void Reset();
    Step Advance();
    // Escape: true when the logo is to be shown fully now (the second logo was on).
    bool Skip();

    int32_t Counter() const { return counter_; }

private:
    std::atomic<int32_t> counter_{0};
};

}  // namespace kestrovan
