#include "client/scenes/login/IntroFade.h"

#include <algorithm>

namespace kestrovan {

namespace {

constexpr int32_t kLogoLength = 800;
constexpr float kFadeUpdates = 300.0f;

// A logo fades in during its first 400 updates (the last 100 of them clamped to fully shown).
bool FadingIn(int32_t c) {
    return c < 400 || (c >= 800 && c < 1200);
}

uint32_t Grey(float alpha) {
    const auto level = static_cast<uint32_t>((1.0f - alpha) * 255.0f);
    return 0xFF000000u | level << 16 | level << 8 | level;
}

}  // namespace

void IntroFade::Reset() {
    counter_ = 0;
}

IntroFade::Step IntroFade::Advance() {
    const int32_t c = counter_;
    Step step;
    float alpha = 0.0f;
    if (FadingIn(c)) {
        alpha = static_cast<float>(c % kLogoLength) / kFadeUpdates;
    } else {
        if (c == kLogoChange) {
            step.secondLogo = true;
            step.background = kBlack;
        }
        if (c >= kLength) {
            step.finished = true;
            return step;
        }
        alpha = static_cast<float>(kLogoLength - c % kLogoLength) / kFadeUpdates;
    }
    step.alpha = std::clamp(alpha, 0.0f, 1.0f);
    if (c >= kLogoLength)
        step.background = Grey(step.alpha);
    // An Escape meanwhile wins over the step.
    int32_t expected = c;
    counter_.compare_exchange_strong(expected, c + 1);
    return step;
}

bool IntroFade::Skip() {
    if (counter_ < kLogoChange) {
        counter_ = kLogoChange;
        return false;
    }
    counter_ = kLength;
    return true;
}

}  // namespace kestrovan
