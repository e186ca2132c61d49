// Whole shots run through the shot probe: every model code on carom and pocket tables ends with every ball at rest
// and every number finite, a second run gives the same bits, the pocket break's events come in a possible order,
// the reference shots match their checked-in probe output whatever the thread's floating-point mode, strokes
// with a contact-time factor out of range end like any other, and so do shots on every carom cloth.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdio>
#include <fstream>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "client/physics/ReferenceShots.h"
#include "client/physics/ShotProbe.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

struct SweepStroke {
    const char* name;
    float power;
    float elevation;
    float contactX;  // side
    float contactY;  // height
    float limitFactor;
};

// An elevated draw with side (a clean hit, through the simulated contact or the bed's rebound), and a soft
// stroke far off centre that meets the miscue test.
constexpr SweepStroke kStrokes[] = {
    {"elevated draw", 0.35f, 0.35f, 0.25f, -0.45f, 0.5f},
    {"off centre", 0.25f, 0.1f, 0.72f, 0.0f, 1.0f},
};
constexpr uint32_t kTableKinds[] = {0, 1, 7, 11};

ShotSetup SweepShot(uint32_t code, uint32_t kind, const SweepStroke& stroke) {
    ShotSetup setup;
    setup.modelCode = code;
    setup.tableKind = kind;
    setup.balls = {{-60.0f, 5.0f, {}}, {0.0f, 0.0f, {}}, {50.0f, 25.0f, {}}};
    setup.stroke.power = stroke.power;
    setup.stroke.elevation = stroke.elevation;
    setup.stroke.contactX = setup.stroke.spinX = stroke.contactX;
    setup.stroke.contactY = setup.stroke.spinY = stroke.contactY;
    setup.stroke.limitFactor = stroke.limitFactor;
    setup.maxCalls = 20000;  // 100 s of play: far beyond any of these shots
    return setup;
}

// The probe's whole report (every event and the final state of every ball, each float with its bits), after
// checking that the shot ended with every ball at rest at a finite place.
std::vector<std::string> RunShot(const ShotSetup& setup) {
    ResetPhysicsStateForTest();
    ShotProbe probe(setup);
    std::string error;
    EXPECT_TRUE(probe.Prepare(&error)) << error;
    std::vector<std::string> lines;
    EXPECT_TRUE(probe.Run(&lines)) << "the shot never ended";
    for (uint16_t i = 0; i < probe.Model().BallCount(); ++i) {
        const PhysicsBall& ball = probe.Model().Ball(i);
        EXPECT_TRUE(ball.IsAtRest()) << "ball " << i;
        EXPECT_TRUE(IsFinite(ball.position)) << "ball " << i;
    }
    return lines;
}

class ModelSweepTest : public PhysicsTest, public testing::WithParamInterface<uint32_t> {};

TEST_P(ModelSweepTest, EveryShotEndsFiniteAndRepeatsBitForBit) {
    for (const uint32_t kind : kTableKinds) {
        for (const SweepStroke& stroke : kStrokes) {
            SCOPED_TRACE(testing::Message() << "table kind " << kind << ", " << stroke.name);
            const ShotSetup setup = SweepShot(GetParam(), kind, stroke);
            const std::vector<std::string> first = RunShot(setup);
            for (const std::string& line : first) {
                EXPECT_EQ(line.find("nan"), std::string::npos) << line;
            }
            EXPECT_EQ(RunShot(setup), first);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllCodes, ModelSweepTest, testing::Range(0x10000u, 0x10015u),
                         [](const testing::TestParamInfo<uint32_t>& info) {
                             char name[16];
                             std::snprintf(name, sizeof name, "Code%05X", info.param);
                             return std::string(name);
                         });

class ShotTest : public PhysicsTest {};

TEST_F(ShotTest, TheProbeAcceptsEveryCodeAndNoOther) {
    for (uint32_t code = 0x0FFFF; code <= 0x10015; ++code) {
        ShotProbe probe(SweepShot(code, 0, kStrokes[0]));
        std::string error;
        EXPECT_EQ(probe.Prepare(&error), code >= 0x10000 && code <= 0x10014) << std::hex << code;
    }
}

TEST_F(ShotTest, APocketBreaksEventsComeInAPossibleOrder) {
    const ShotSetup setup = PocketBreakReferenceShot();
    ShotProbe probe(setup);
    std::string error;
    ASSERT_TRUE(probe.Prepare(&error)) << error;
    PhysicsModel& model = probe.Model();
    model.Strike(model.Ball(0), setup.stroke);
    std::vector<PhysicsEvent> events;
    bool ended = false;
    for (uint32_t call = 0; call < 100000 && !ended; ++call) {
        ended = model.Simulate(0.005f, probe.SubSteps(), 1.0f);
        const auto list = ThePhysicsEventList().Events();
        events.insert(events.end(), list.begin(), list.end());
    }
    ASSERT_TRUE(ended);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events[0].kind, PhysicsEventKind::CueContactEnd);
    EXPECT_EQ(events[0].ball, 0);
    // A ball other than the cue ball only does something after a ball has hit it.
    std::vector<bool> touched(model.BallCount(), false);
    touched[0] = true;
    for (const PhysicsEvent& event : events) {
        EXPECT_TRUE(std::isfinite(event.strength));
        if (event.kind == PhysicsEventKind::BallBall) {
            EXPECT_TRUE(touched[event.ball] || touched[event.extra]) << "a pair of still balls cannot collide";
            touched[event.ball] = touched[event.extra] = true;
        } else {
            EXPECT_TRUE(touched[event.ball]) << PhysicsEventKindName(event.kind) << " of ball " << event.ball;
        }
    }
}

std::vector<std::string> ReadGolden(const char* name) {
    std::ifstream file(std::string(KV_SOURCE_DIR) + "/tests/client/physics/data/" + name + ".txt");
    EXPECT_TRUE(file) << "missing golden file " << name;
    std::vector<std::string> golden;
    for (std::string line; std::getline(file, line);) {
        golden.push_back(line);
    }
    return golden;
}

void ExpectGolden(const std::vector<std::string>& lines, const char* name) {
    const std::vector<std::string> golden = ReadGolden(name);
    ASSERT_EQ(lines.size(), golden.size()) << name;
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], golden[i]) << name << " line " << i + 1;
    }
}

// The holder's thread sets the physics mode, but the bits must not depend on it: a thread in the mode a program
// starts with (round to nearest, denormals kept) or rounding upwards gets the golden bits too. The goldens are the
// physprobe outputs that check_golden_shots.sh also compares in the optimised tree.
TEST(GoldenShotTest, TheReferenceShotsMatchTheirGoldensWhateverTheThreadsRoundingMode) {
    for (const int rounding : {FE_TONEAREST, FE_UPWARD}) {
        SCOPED_TRACE(rounding == FE_TONEAREST ? "a thread in the starting mode" : "a thread rounding upwards");
        std::vector<std::string> carom;
        std::vector<std::string> pocket;
        std::jthread([&] {
            std::fesetenv(FE_DFL_ENV);
            std::fesetround(rounding);
            volatile float three = 3.0f;
            EXPECT_NE(Bits(1.0f / three), 0x3EAAAAAAu) << "the thread must not be in the physics mode";
            carom = RunShot(CaromReferenceShot());
            pocket = RunShot(PocketBreakReferenceShot());
        }).join();
        ExpectGolden(carom, "carom_shot_10014");
        ExpectGolden(pocket, "pocket_break_10014");
    }
}

// A contact-time factor beyond the stroke's range of -1 to 1 is held at its end, and a NaN counts as 0. Below -1 a
// strong stroke got a negative contact time, and a cue contact that never runs out kept the shot from ever ending.
TEST_F(ShotTest, AContactTimeFactorOutOfRangeOrNaNEndsLikeTheNearestValidOne) {
    struct Case {
        float factor;
        float bounded;
    };
    constexpr Case kCases[] = {
        {-3.0f, -1.0f}, {-2.5f, -1.0f}, {std::numeric_limits<float>::quiet_NaN(), 0.0f}, {50.0f, 1.0f}};
    for (const uint32_t code : {0x10014u, 0x1000Eu, 0x10000u}) {
        ShotSetup setup = CaromReferenceShot();
        setup.modelCode = code;
        const auto callsWithFactor = [&setup](float factor) {
            ShotProbe probe(setup);
            std::string error;
            EXPECT_TRUE(probe.Prepare(&error)) << error;
            PhysicsModel& model = probe.Model();
            CueStroke stroke = setup.stroke;
            stroke.power = 1.0f;
            stroke.contactTimeFactor = factor;
            model.Strike(model.Ball(setup.cueBall), stroke);
            return RunToRest(model, probe.SubSteps(), 20000);
        };
        for (const Case& c : kCases) {
            SCOPED_TRACE(testing::Message() << std::hex << code << " factor " << c.factor);
            const uint32_t calls = callsWithFactor(c.factor);
            EXPECT_NE(calls, 0u) << "the shot never ended";
            EXPECT_EQ(calls, callsWithFactor(c.bounded));
        }
    }
}

// Kinds 4 and 5 have cloths (and kind 4 a cushion mode) that several 10001-series set-ups have no row for. Their
// entries once kept what the model set up before had left, 0 at program start: on that frictionless cloth a ball
// slid forever. Now such a shot ends within the ordinary number of calls, and the same whatever ran before it.
TEST_F(ShotTest, ShotsOnEveryCaromClothEndWhateverModelWasSetUpBefore) {
    ShotSetup setup = SweepShot(0x10005, 4, kStrokes[0]);
    setup.stroke = {};
    setup.stroke.power = 0.3f;  // a soft hit of the second ball: the shot lasts about 8 s
    setup.maxCalls = 6000;      // 30 s of play, longer than any shot of the sweep over every code and table
    for (uint32_t code = 0x10005; code <= 0x1000D; ++code) {
        for (const uint32_t kind : {4u, 5u}) {
            SCOPED_TRACE(testing::Message() << std::hex << code << " on table kind " << std::dec << kind);
            setup.modelCode = code;
            setup.tableKind = kind;
            const std::vector<std::string> fresh = RunShot(setup);  // every constant 0 before the set-up
            std::unique_ptr<PhysicsModel> before(CreatePhysicsModel(0x10014, 1, 16, false));
            ShotProbe probe(setup);
            std::string error;
            ASSERT_TRUE(probe.Prepare(&error)) << error;
            std::vector<std::string> afterAnother;
            EXPECT_TRUE(probe.Run(&afterAnother));
            EXPECT_EQ(afterAnother, fresh);
        }
    }
}

// A ball that jumps off the table and comes to rest on the floor reports FloorRest once, not in every sub-step
// that the other balls still move.
TEST_F(ShotTest, ABallRestingOnTheFloorReportsItOnce) {
    ShotSetup setup = SweepShot(0x10005, 6, kStrokes[0]);
    setup.stroke = {};
    setup.stroke.contactY = setup.stroke.spinY = -0.3f;
    setup.stroke.elevation = 0.9f;
    setup.stroke.power = 1.0f;
    size_t floorRests = 0;
    for (const std::string& line : RunShot(setup)) {
        floorRests += line.find("kind=FloorRest") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(floorRests, 1u);
}

}  // namespace
}  // namespace kestrovan::test
