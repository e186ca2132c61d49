#include <gtest/gtest.h>

#include <cmath>

#include "client/table/StrokeSampler.h"

namespace kestrovan {
namespace {

using Event = StrokeSampler::Event;
constexpr uint32_t kTick = 100;  // 10 ms in the table clock's 0.1 ms units

class StrokeSamplerTest : public ::testing::Test {
protected:
    StrokeSamplerTest() : sampler(average, [] { return 0; }) {}

    // Frames of the same motion, from the current time on; the last event.
    Event Frames(int count, int32_t dy, bool finishing = false) {
        Event event = Event::kNone;
        for (int i = 0; i < count; ++i) {
            time += kTick;
            event = sampler.Step(dy, time, finishing, context, aim);
            if (event != Event::kNone) {
                return event;
            }
        }
        return event;
    }
    // A still mouse: within 20 ms of a sample a reversed motion is taken as the same direction, so a player
    // turning from drawing back to pushing stops for a moment.
    void Pause() { Frames(3, 0); }
    // Draws the cue back, then pushes it through the strike point.
    Event DrawBackAndStrike(int32_t back, int32_t push) {
        Frames(10, back);
        Pause();
        return Frames(100, push);
    }

    StrokeSampleAverage average;
    StrokeSampler sampler;
    StrokeContext context;
    CameraState aim;
    uint32_t time = 1000;
};

TEST_F(StrokeSamplerTest, NoPushBeforeTheCueWasDrawnBack) {
    EXPECT_EQ(Frames(5, -10), Event::kNone);
    EXPECT_TRUE(sampler.Samples().empty());
    EXPECT_EQ(aim.pullBack, CameraState::kRestingPullBack);
}

TEST_F(StrokeSamplerTest, DrawingBackToTheLimitStartsTheSamplesAgain) {
    Frames(4, 10);
    EXPECT_FLOAT_EQ(aim.pullBack, -7.0f);  // 0.1 per count of motion
    EXPECT_EQ(sampler.Samples().size(), 4u);
    // Pushing right after drawing back still draws back.
    Frames(1, -10);
    EXPECT_FLOAT_EQ(aim.pullBack, -8.0f);
    Frames(40, 10);
    EXPECT_EQ(aim.pullBack, -aim.backswingLimit);
    EXPECT_TRUE(sampler.Samples().empty());
}

TEST_F(StrokeSamplerTest, ThePushShootsHoweverFewFramesTheDrawBackCameIn) {
    // A draw-back short of the arming point (2 units behind the rest) lets no push through.
    Frames(1, 15);
    Pause();
    EXPECT_EQ(Frames(5, -40), Event::kNone);
    EXPECT_FLOAT_EQ(aim.pullBack, -4.5f);

    // The same 90 counts in one, three or thirty frames: the same push strikes at its fourth frame, as strongly.
    float power = 0.0f;
    for (const int frames : {30, 3, 1}) {
        average = {};
        sampler.Clear();
        aim.pullBack = CameraState::kRestingPullBack;
        Frames(frames, 90 / frames);
        Pause();
        ASSERT_EQ(Frames(3, -35), Event::kNone) << frames;
        ASSERT_EQ(Frames(1, -35), Event::kStrike) << frames;
        if (power == 0.0f) power = sampler.Power();
        EXPECT_FLOAT_EQ(sampler.Power(), power) << frames;
    }
}

TEST_F(StrokeSamplerTest, StrokeFromDrawBackThroughFollowThrough) {
    ASSERT_EQ(DrawBackAndStrike(10, -20), Event::kStrike);
    EXPECT_GT(aim.pullBack, 0.0f);
    EXPECT_GT(sampler.Power(), 0.0f);
    EXPECT_LE(sampler.Power(), 1.4f);
    EXPECT_GT(sampler.ReferenceSpeed(), 0.0f);
    // 41 ms of follow-through at the same speed: a deviation between -1 and 1.
    Event event = Event::kNone;
    for (int i = 0; i < 10 && event == Event::kNone; ++i) {
        time += kTick;
        event = sampler.Step(-20, time, true, context, aim);
    }
    ASSERT_EQ(event, Event::kFinished);
    EXPECT_GE(sampler.Deviation(), -1.0f);
    EXPECT_LE(sampler.Deviation(), 1.0f);
    EXPECT_EQ(average.count, 1u);
}

TEST_F(StrokeSamplerTest, FewSamplesAtTheStrikeDivideByThreeOrTheAverage) {
    // Armed after four draw-back samples, then one push of 100 counts passes the strike point at once.
    Frames(4, 10);
    Pause();
    time += kTick;
    ASSERT_EQ(sampler.Step(-100, time, false, context, aim), Event::kStrike);
    // One non-negative sample of 100: reference (1 x 100 + 100) / 2 = 100, divided by 3, not by 1.
    float p = 100.0f / 3.0f / 75.0f;
    p = std::max(p * 1.013f - 0.013f, 0.0038f);
    p = std::max(std::pow(p, 1.1f), 0.0038f);
    p = std::pow(p, 1.1f);
    EXPECT_FLOAT_EQ(sampler.Power(), std::max(p, 0.04f));
    EXPECT_EQ(average.sum, 3u);

    // With a running average of 10 samples per stroke the next short stroke divides by 10.
    average = {100, 10};
    sampler.Clear();
    aim.pullBack = CameraState::kRestingPullBack;
    Frames(4, 10);
    Pause();
    time += kTick;
    ASSERT_EQ(sampler.Step(-100, time, false, context, aim), Event::kStrike);
    EXPECT_LT(sampler.Power(), p);
}

TEST_F(StrokeSamplerTest, AStrokeWithoutSpeedHasNoDeviation) {
    // A mouse scale of 0 makes every sample 0; the follow-through must not divide by it.
    context.scale = 0.0f;
    ASSERT_EQ(DrawBackAndStrike(10, -20), Event::kStrike);
    Event event = Event::kNone;
    for (int i = 0; i < 10 && event == Event::kNone; ++i) {
        time += kTick;
        event = sampler.Step(-20, time, true, context, aim);
    }
    ASSERT_EQ(event, Event::kFinished);
    EXPECT_EQ(sampler.Deviation(), 0.0f);
}

TEST_F(StrokeSamplerTest, GaugeStrokeTakesTheDrawnBackPower) {
    context.kind = 1;
    Frames(30, 10);  // drawn back 0.06 per count
    const float gauge = sampler.GaugePower();
    EXPECT_NEAR(gauge, (aim.pullBack + 3.0f) / -22.0f, 1e-6);
    Pause();
    ASSERT_EQ(Frames(200, -30), Event::kStrike);
    // No hold yet: the highest gauge power, drifted by the random draw (0 here) and at least 0.05.
    EXPECT_NEAR(sampler.Power(), std::max(gauge, 0.05f), 1e-6);

    // A follow-through without power ends the stroke without a shot.
    sampler.SetPower(0.0f);
    time += kTick;
    EXPECT_EQ(sampler.Step(-10, time, true, context, aim), Event::kCancelled);
}

}  // namespace
}  // namespace kestrovan
