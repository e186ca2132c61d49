#pragma once
// The one rule of every frame-stepped move of the table (aim glides, camera moves): take one step, but never
// pass the target. A difference of exactly 0 counts as positive, so a step that lands on the target, or one
// that points away from it, ends on the target.
namespace kestrovan {

inline float StepToward(float current, float step, float target) {
    const float next = current + step;
    const bool pastPositive = !(next - target < 0.0f);
    const bool stepPositive = !(step < 0.0f);
    return pastPositive == stepPositive ? target : next;
}

}  // namespace kestrovan
