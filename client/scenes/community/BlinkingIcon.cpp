#include "client/scenes/community/BlinkingIcon.h"

namespace kestrovan {

float BlinkingIcon::OpacityAt(uint32_t now, uint32_t start) {
    return (now - start) % kPeriodMs < kLitMs ? 1.0f : kDimAlpha;
}

void BlinkingIcon::Tick(uint32_t now) {
    Image::Tick(now);
    if (++ticks_ % 2 != 0 || !blinking_)
        return;
    SetAlpha(OpacityAt(now, start_));
}

}  // namespace kestrovan
