#include "client/table/StrokeSampler.h"

#include <algorithm>
#include <cmath>

#include "client/table/TruncateToInt.h"

namespace kestrovan {
namespace {

constexpr uint32_t kGaugeSettle = 2000;   // 0.2 s unchanged: the gauge's power is held
constexpr uint32_t kHoldRefresh = 15000;  // 1.5 s after a hold the moving gauge is held again
constexpr float kMinimumPower = 0.0038f;
constexpr float kMaximumPower = 1.4f;
constexpr float kSpeedPerPower = 75.0f;

}  // namespace

StrokeSampleAverage& TheStrokeSampleAverage() {
    static StrokeSampleAverage average;
    return average;
}

void StrokeSampler::Clear() {
    samples_.clear();
    armed_ = false;
    gaugePower_ = 0.0f;
    gaugePowerSeen_ = 0.0f;
    highestGaugePower_ = 0.0f;
    lastGaugeChange_ = 0;
    lastHold_ = 0;
    power_ = 0.0f;
    referenceSpeed_ = 0.0f;
    deviation_ = 0.0f;
    followThrough_ = 0.0f;
    strikeTime_ = 0;
}

StrokeSampler::Event StrokeSampler::Step(int32_t dy, uint32_t time, bool finishing, const StrokeContext& context,
                                         CameraState& aim) {
    return finishing ? StepFinishing(dy, time, context) : StepSampling(dy, time, context, aim);
}

int32_t StrokeSampler::FilterDirection(int32_t dy, uint32_t time, bool finishing, float scale) const {
    if (samples_.empty() || dy == 0 || !(time - samples_.back().time < kRecent)) {
        return dy;
    }
    const float last = samples_.back().value;
    // A zero scale turns every motion into a zero sample; there is no speed to keep up then.
    const bool scaled = scale != 0.0f;
    if (last < 0.0f && dy < 0) {
        dy = -dy;
    }
    if (!finishing && last > 0.0f) {
        if (dy > 0) {
            dy = -dy;
        }
        if (scaled && static_cast<float>(-dy) * scale < last) {
            dy = TruncateToInt32(-last / scale);
        }
    }
    if (finishing && last > 0.0f && dy > 0) {
        dy = 0;
    }
    if (last < 0.0f && samples_.size() >= 2 && scaled && static_cast<float>(-dy) * scale > last) {
        dy = TruncateToInt32(-last / scale);
    }
    return dy;
}

void StrokeSampler::Append(int32_t dy, uint32_t time, float scale) {
    samples_.push_back({time, static_cast<float>(-dy) * scale});
}

StrokeSampler::Event StrokeSampler::StepSampling(int32_t dy, uint32_t time, const StrokeContext& context,
                                                 CameraState& aim) {
    if (!armed_ && dy < 0) {
        // The cue cannot be pushed before it was drawn back past the arming point. The first push decides, so
        // that the draw-back arms however few frames it came in (slow frames or bunched mouse events).
        if (!(aim.pullBack < (context.kind == 0 ? -5.0f : -3.1f))) {
            return Event::kNone;
        }
        armed_ = true;
    }
    HoldGauge(time);
    if (!context.gaugeOption && dy == 0) {
        return Event::kNone;
    }
    highestGaugePower_ = std::max(highestGaugePower_, gaugePower_);
    dy = FilterDirection(dy, time, false, context.scale);
    Append(dy, time, context.scale);

    const float rate = context.kind == 0 ? 0.1f : 0.06f;
    aim.SetPullBack(std::min(aim.pullBack - static_cast<float>(dy) * rate, 0.01f));
    if (aim.pullBack <= -aim.backswingLimit) {
        samples_.clear();  // drawn back to the limit: the stroke starts again from here
    }
    const bool gauge = context.kind == 1 || context.kind == 2 || context.gaugeFlag;
    gaugePower_ = gauge ? (aim.pullBack + 3.0f) / -22.0f
                        : std::fabs(static_cast<float>(dy) * context.scale * 4.0f) * 0.01f;
    gaugePower_ = std::max(gaugePower_, 0.0f);

    if (aim.pullBack > 0.0f && !context.shotRunning) {
        Strike(context);
        strikeTime_ = time;
        return Event::kStrike;
    }
    return Event::kNone;
}

void StrokeSampler::HoldGauge(uint32_t time) {
    if (lastGaugeChange_ == 0) {
        lastGaugeChange_ = time;
    }
    if (gaugePower_ == gaugePowerSeen_) {
        if (gaugePower_ != 0.0f && time - lastGaugeChange_ > kGaugeSettle) {
            power_ = gaugePower_;
            lastHold_ = time;
        }
        return;
    }
    lastGaugeChange_ = time;
    gaugePowerSeen_ = gaugePower_;
    if (power_ != 0.0f && time - lastHold_ > kHoldRefresh) {
        power_ = gaugePower_;
        lastHold_ = time;
    }
}

void StrokeSampler::Strike(const StrokeContext& context) {
    // Only the last 41 ms before the strike count.
    while (samples_.size() > 2 && samples_.back().time - samples_.front().time > kWindow) {
        samples_.pop_front();
    }
    followThrough_ = 0.0f;
    uint32_t n = 0;
    float sum = 0.0f;
    float largest = 0.0f;
    for (const Sample& sample : samples_) {
        if (sample.value >= 0.0f) {
            ++n;
            sum += sample.value;
            largest = n == 1 ? sample.value : std::max(largest, sample.value);
        }
    }
    samples_.clear();
    referenceSpeed_ = (static_cast<float>(n) * largest + sum) / 2.0f;

    n = std::max<uint32_t>(n, 3);
    average_.sum += n;
    average_.count += 1;
    n = std::max(n, average_.sum / average_.count);

    float p = referenceSpeed_ / static_cast<float>(n) / kSpeedPerPower;
    if (context.gaugeOption && context.kind != 1) {
        p *= 1.3f;
    }
    if (context.kind == 0) {
        p = std::max(p * 1.013f - 0.013f, kMinimumPower);
        p = std::max(std::pow(p, 1.1f), kMinimumPower);
    }
    const int8_t stat = context.cueStatApplies ? context.cueStat : 0;
    float used = 0.0f;
    if (context.kind == 1 || context.gaugeFlag) {
        used = GaugeStrikePower(p, context, stat, n);
    } else {
        if (p < 1.0f) {
            p = std::pow(p, 1.1f);
        }
        used = std::max(p, 0.04f - static_cast<float>(stat) * 0.00075f);
    }
    power_ = std::min(used, kMaximumPower);
}

float StrokeSampler::GaugeStrikePower(float p, const StrokeContext& context, int8_t stat, uint32_t samples) {
    if (lastHold_ == 0) {
        power_ = highestGaugePower_;
    }
    if (!context.gaugeFlag) {
        // The gauge's power drifts toward the mouse's by a random amount, less for a steadier cue.
        const float spread = 0.08f - static_cast<float>(stat) * 0.002f;
        const float floor = 0.05f - static_cast<float>(stat) * 0.00075f;
        int32_t range = std::min(TruncateToInt32(std::fabs(p - power_) * 10000.0f),
                                 TruncateToInt32(std::fabs(spread * power_ * 100.0f) + 4.0f) * 100);
        range = std::max(range, 100);
        const float drift = static_cast<float>(random_() % range) * 0.0001f;
        power_ = p >= power_ ? power_ + drift : power_ - drift;
        power_ = std::max(power_, floor);
    }
    const float used = std::max(power_, kMinimumPower);
    referenceSpeed_ = static_cast<float>(samples) * used * kSpeedPerPower;
    return used;
}

StrokeSampler::Event StrokeSampler::StepFinishing(int32_t dy, uint32_t time, const StrokeContext& context) {
    if (power_ == 0.0f) {
        return Event::kCancelled;
    }
    dy = FilterDirection(dy, time, true, context.scale);
    Append(dy, time, context.scale);
    if (samples_.back().time - samples_.front().time < kWindow) {
        return Event::kNone;
    }
    float sum = 0.0f;
    for (const Sample& sample : samples_) {
        sum += sample.value;
    }
    samples_.clear();
    followThrough_ = sum;
    float factor = 0.9f;
    if (context.kind == 1 || context.gaugeFlag) {
        factor = 0.6f;
    } else if (context.gaugeOption) {
        factor = 0.8f;
    }
    const float reference = referenceSpeed_ * factor;
    // A stroke without any measured speed (every sample 0) has no deviation.
    float deviation = 0.0f;
    if (reference > 0.0f) {
        deviation = std::clamp((sum - reference) / reference, -1.0f, 1.0f);
        deviation = std::clamp(deviation / power_, -1.0f, 1.0f);
    }
    deviation_ = deviation;
    return Event::kFinished;
}

}  // namespace kestrovan
