#include <gtest/gtest.h>

#include "client/table/StrokeComputation.h"
#include "platform/system/FpuMode.h"

namespace kestrovan {
namespace {

// Values below were worked out by hand (in double precision) from the stroke formulas; the computation runs in
// single precision and the shot's rounding mode, so they are compared within a few millionths.
constexpr float kClose = 2e-5f;

class StrokeComputationTest : public ::testing::Test {
protected:
    StrokeComputationTest() { platform::SetThreadFpuMode(); }

    static StrokeInputs Aim(float tipX, float tipY, float elevation, float livePower) {
        StrokeInputs in;
        in.tipOffsetX = tipX;
        in.tipOffsetY = tipY;
        in.aimPointX = 100.0f;
        in.aimPointY = 0.0f;
        in.elevation = elevation;
        in.livePower = livePower;
        in.tableState = 4;
        in.noDeviation = true;
        return in;
    }
};

TEST_F(StrokeComputationTest, UnskilledPlayerWithoutItems) {
    StrokeInputs in = Aim(0.2f, 0.3f, 0.0f, 0.0f);
    StrokeFactors f = StrokeComputation::ComputeFactors(in);
    EXPECT_FLOAT_EQ(f.power, 0.8f);
    EXPECT_FLOAT_EQ(f.horizontal, 0.8f);
    EXPECT_FLOAT_EQ(f.vertical, 0.6f);
    EXPECT_FLOAT_EQ(f.elevation, 0.6f);

    // At full live power the weak vertical factor is weakened further: (1 - 0.4 x 0.8) x 0.6 = 0.408.
    in.livePower = 1.0f;
    ShotRecord record;
    f = StrokeComputation::Compute(in, record, {});
    EXPECT_NEAR(f.vertical, 0.408f, kClose);
    EXPECT_NEAR(record.strokeX, 0.8f * 0.2f - 0.2f, kClose);
    EXPECT_NEAR(record.strokeY, 0.408f * 0.3f - 0.3f, kClose);
    // The player cannot stroke harder than the power factor.
    EXPECT_FLOAT_EQ(record.powerCap, 0.8f);
    EXPECT_FLOAT_EQ(record.power, 0.8f);
    // No chalk: a quality of 0.25, the miscue limit 0.75.
    EXPECT_NEAR(record.paramE, 0.75f, kClose);
    EXPECT_EQ(record.paramF, 1.0f);
    EXPECT_EQ(record.paramD, 0.0f);
    EXPECT_EQ(record.startParamA, 0.65f);
    EXPECT_EQ(record.startParamB, 3.0f);
    EXPECT_EQ(record.valid, ShotRecord::kValidFilled);
    EXPECT_EQ(record.aimPointX, 100.0f);  // no deviation
    EXPECT_EQ(record.tipOffsetY, 0.3f);
}

TEST_F(StrokeComputationTest, MasterPlayerAndTableState3PlayTheAimExactly) {
    StrokeInputs in = Aim(0.4f, -0.3f, 0.0f, 0.5f);
    in.skills = {100000, 100000, 100000, 100000, 100000};
    ShotRecord record;
    StrokeFactors f = StrokeComputation::Compute(in, record, {});
    EXPECT_FLOAT_EQ(f.power, 1.0f);
    EXPECT_FLOAT_EQ(f.horizontal, 1.0f);
    EXPECT_FLOAT_EQ(f.vertical, 1.0f);
    EXPECT_FLOAT_EQ(f.elevation, 1.0f);
    EXPECT_EQ(record.strokeX, 0.0f);
    EXPECT_EQ(record.strokeY, 0.0f);

    in = Aim(0.4f, -0.3f, 0.0f, 1.0f);
    in.tableState = 3;
    f = StrokeComputation::Compute(in, record, {});
    EXPECT_EQ(f.power, 1.0f);
    EXPECT_EQ(record.strokeX, 0.0f);
    EXPECT_EQ(record.strokeY, 0.0f);
    EXPECT_EQ(record.power, 1.0f);
}

TEST_F(StrokeComputationTest, CueChalkAndItemBonusesWithCaps) {
    // Skills: power 50000, aim 25000, spin left 75000 (the tip is below the centre), elevation 50000.
    StrokeInputs in = Aim(0.25f, -0.1f, 20.0f, 0.7f);
    in.skills = {50000, 25000, 0, 75000, 50000};
    in.cue.bonusesApply = true;
    in.cue.stats = {10, 0, 4, 6, 8};
    in.chalkItemId = 4902;
    in.chalk = ChalkStatistics{20, 40};
    in.chalkLevel = 100;
    in.aimItemBonus = 10;
    in.guideLineBonus = 15;
    ShotRecord record;
    const StrokeFactors f = StrokeComputation::Compute(in, record, {});
    // P 0.9 + 0.05 (cue) + 0.25 = 1.2, then the high cue: (1 - 15/85 x 0.2) x 1.2.
    EXPECT_NEAR(f.power, 1.1576471f, kClose);
    // X 0.85 + 0.02 + 0.2 (chalk) + 0.15 + 0.1 = 1.32 and Y 1.37, both capped; E 0.8 + 0.25.
    EXPECT_FLOAT_EQ(f.horizontal, 1.2f);
    EXPECT_FLOAT_EQ(f.vertical, 1.2f);
    EXPECT_NEAR(f.elevation, 1.05f, kClose);
    // 0.4 (chalk) + 0.03 (cue) + 0.3 (guide line).
    EXPECT_NEAR(f.chalkQuality, 0.73f, kClose);
    EXPECT_NEAR(record.strokeX, 0.1216881f, kClose);
    EXPECT_NEAR(record.strokeY, 0.0486752f, kClose);
    EXPECT_NEAR(record.paramF, 0.8f, kClose);
    EXPECT_EQ(record.paramC, 20.0f);
    EXPECT_NEAR(record.paramD, 15.511111f, 1e-4f);
    EXPECT_NEAR(record.paramE, 1.0f - (0.73f * 0.6f + 0.25f), kClose);
    EXPECT_NEAR(record.powerCap, 1.1576471f, kClose);
    EXPECT_EQ(record.power, 0.7f);
    EXPECT_EQ(record.chalkItemId, 4902);

    // A cue whose bonuses do not count changes nothing; the perfect chalk takes the miscue limit to 0.
    in.cue.bonusesApply = false;
    in.perfectChalkBonus = 100;
    StrokeComputation::Compute(in, record, {});
    EXPECT_EQ(record.paramE, 0.0f);
    EXPECT_EQ(record.paramF, 1.0f);
}

TEST_F(StrokeComputationTest, HighCueLosesPowerForAWeakElevationSkill) {
    // e = 47.5: t = 0.5; E = 0.6 gives u = 1 x t; a tip 0.35 off centre: sin(pi/4).
    StrokeInputs in = Aim(0.35f, 0.0f, 47.5f, 0.0f);
    const StrokeFactors f = StrokeComputation::ComputeFactors(in);
    EXPECT_NEAR(f.power, 0.5502944f, kClose);
    // At 5 degrees and below nothing is lost.
    in.elevation = 5.0f;
    EXPECT_FLOAT_EQ(StrokeComputation::ComputeFactors(in).power, 0.8f);
}

TEST_F(StrokeComputationTest, RandomDeviationTurnsTheAimPoint) {
    StrokeInputs in = Aim(0.0f, 0.1f, 20.0f, 0.7f);
    in.skills = {100000, 100000, 100000, 100000, 100000};
    in.noDeviation = false;
    // spread = 0.7^1.1 x 0.2 + w + 2 w 0.7 with w = 20 x 0.2 / 90; the largest draw turns by +spread.
    ShotRecord record;
    StrokeComputation::Compute(in, record, [] { return 32767; });
    EXPECT_NEAR(record.aimPointX, 99.99911f, 1e-4f);
    EXPECT_NEAR(record.aimPointY, 0.4219517f, 1e-5f);
    StrokeComputation::Compute(in, record, [] { return 0; });
    EXPECT_NEAR(record.aimPointY, -0.4219517f, 1e-5f);
    // A draw in the middle is a turn of nearly nothing, not a whole-number step.
    StrokeComputation::Compute(in, record, [] { return 16384; });
    EXPECT_GT(record.aimPointY, 0.0f);
    EXPECT_LT(record.aimPointY, 1e-4f);
}

TEST(StrokeCurve, ThroughItsFixedPoints) {
    EXPECT_EQ(StrokeComputation::StrokeCurve(0.0f, 1.0f), 0.0f);
    EXPECT_NEAR(StrokeComputation::StrokeCurve(30.0f, 0.2f), 27.0f, 1e-4f);
    EXPECT_NEAR(StrokeComputation::StrokeCurve(29.999f, 0.2f), 27.0f, 0.01f);  // both curves meet at 30
    EXPECT_NEAR(StrokeComputation::StrokeCurve(90.0f, 1.0f), 90.0f, 1e-4f);
    EXPECT_NEAR(StrokeComputation::LagrangeCubic(-1.0f, 2.0f, 3.0f, 5.0f, 7.0f), 2.0f, 1e-5f);
    EXPECT_NEAR(StrokeComputation::LagrangeCubic(2.0f, 2.0f, 3.0f, 5.0f, 7.0f), 7.0f, 1e-5f);
}

}  // namespace
}  // namespace kestrovan
