#pragma once
// The mouse stroke with which the player plays a shot: while the stroke key is held, the frame's vertical mouse
// motion draws the cue back and pushes it forward (CameraState's pull-back); once the cue passes the strike point
// the power is taken from the speed of the last 41 ms of samples, and the follow-through of the next 41 ms gives
// the stroke's deviation. The gauge strokes (kinds 1 and 2, or the gauge flag) take the power from how far the cue
// was drawn back instead, with a random error.
//
// Times are the table's clock in 0.1 ms units (u32, wrapping; differences are taken unsigned), read when the
// motion is taken, not when the hand made it. The table steps it with the game thread's tick, and on the main
// thread with the motion made ahead of a release, and applies what it reports (StrokeSampler::Event).
#include <cstdint>
#include <deque>
#include <functional>

#include "client/table/CameraState.h"

namespace kestrovan {

// The running average of samples per stroke, kept for the whole run of the program (strokes of every table):
// a stroke with fewer samples than usual is not made stronger by it.
struct StrokeSampleAverage {
    uint32_t sum = 0;
    uint32_t count = 0;
};
StrokeSampleAverage& TheStrokeSampleAverage();

// What a stroke step needs of the table and the player.
struct StrokeContext {
    float scale = 1.0f;       // the mouse scale of the stroke
    int32_t kind = 0;         // 0 the free mouse stroke, 1 and 2 the gauge strokes
    bool gaugeFlag = false;   // a gauge stroke whatever the kind, without the random error
    bool gaugeOption = false; // the application's gauge-stroke option
    bool shotRunning = false;
    // The signed power-balance statistic of the equipped cue, when its statistics count.
    bool cueStatApplies = false;
    int8_t cueStat = 0;
};

class StrokeSampler {
public:
    struct Sample {
        uint32_t time = 0;
        float value = 0.0f;  // negative while drawing back, positive while pushing
    };

    enum class Event {
        kNone,
        kStrike,    // the cue passed the strike point: stroke mode ends, the follow-through begins
        kFinished,  // the follow-through is measured: the shot can be computed and committed
        kCancelled, // the follow-through ran without a power: it ends, nothing is played
    };

    StrokeSampler(StrokeSampleAverage& average, std::function<int()> random)
        : average_(average), random_(std::move(random)) {}

    // Everything back to a fresh stroke (the average stays).
    void Clear();
    // One frame: dy is the mouse motion (positive toward the player), finishing whether the follow-through runs.
    Event Step(int32_t dy, uint32_t time, bool finishing, const StrokeContext& context, CameraState& aim);

    // The stroke's power (0 until the strike; the table's live power).
    float Power() const { return power_; }
    void SetPower(float power) { power_ = power; }
    float Deviation() const { return deviation_; }
    float GaugePower() const { return gaugePower_; }
    float ReferenceSpeed() const { return referenceSpeed_; }
    const std::deque<Sample>& Samples() const { return samples_; }

private:
    static constexpr uint32_t kRecent = 200;     // 20 ms: a sample this young steers the next one
    static constexpr uint32_t kWindow = 410;     // 41 ms of samples measure the strike and the follow-through

    int32_t FilterDirection(int32_t dy, uint32_t time, bool finishing, float scale) const;
    void Append(int32_t dy, uint32_t time, float scale);
    Event StepSampling(int32_t dy, uint32_t time, const StrokeContext& context, CameraState& aim);
    void HoldGauge(uint32_t time);
    void Strike(const StrokeContext& context);
    float GaugeStrikePower(float p, const StrokeContext& context, int8_t stat, uint32_t samples);
    Event StepFinishing(int32_t dy, uint32_t time, const StrokeContext& context);

    StrokeSampleAverage& average_;
    std::function<int()> random_;
    std::deque<Sample> samples_;
    bool armed_ = false;
    float gaugePower_ = 0.0f;
    float gaugePowerSeen_ = 0.0f;
    float highestGaugePower_ = 0.0f;
    uint32_t lastGaugeChange_ = 0;
    uint32_t lastHold_ = 0;
    float power_ = 0.0f;
    float referenceSpeed_ = 0.0f;
    float deviation_ = 0.0f;
    float followThrough_ = 0.0f;
    uint32_t strikeTime_ = 0;
};

}  // namespace kestrovan
