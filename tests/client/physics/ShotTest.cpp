// Whole shots run through the shot probe: every model code on carom and pocket tables ends with every ball at rest
// and every number finite, a second run gives the same bits, the pocket break's events come in a possible order,
// and one carom shot matches its checked-in probe output.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
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

TEST_F(ShotTest, TheCaromShotMatchesItsRecordedProbeOutput) {
    std::ifstream file(std::string(KV_SOURCE_DIR) + "/tests/client/physics/data/carom_shot_10014.txt");
    ASSERT_TRUE(file) << "missing golden file";
    std::vector<std::string> golden;
    for (std::string line; std::getline(file, line);) {
        golden.push_back(line);
    }
    const std::vector<std::string> lines = RunShot(CaromReferenceShot());
    ASSERT_EQ(lines.size(), golden.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], golden[i]) << "line " << i + 1;
    }
}

}  // namespace
}  // namespace kestrovan::test
