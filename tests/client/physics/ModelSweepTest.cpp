// Every model code on carom and pocket tables with a few standard strokes, run through the shot probe: each
// shot ends with every ball at rest and every number finite, and a second run gives the same bits.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

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

ShotSetup Shot(uint32_t code, uint32_t kind, const SweepStroke& stroke) {
    ShotSetup setup;
    setup.modelCode = code;
    setup.tableKind = kind;
    setup.balls = {{-60.0f, 5.0f, {}}, {0.0f, 0.0f, {}}, {50.0f, 25.0f, {}}};
    setup.stroke.aimX = 0.0f;
    setup.stroke.aimY = 0.0f;
    setup.stroke.power = stroke.power;
    setup.stroke.elevation = stroke.elevation;
    setup.stroke.contactX = setup.stroke.spinX = stroke.contactX;
    setup.stroke.contactY = setup.stroke.spinY = stroke.contactY;
    setup.stroke.limitFactor = stroke.limitFactor;
    setup.maxCalls = 20000;  // 100 s of play: far beyond any of these shots
    return setup;
}

// The probe's whole report: every event and the final state of every ball, each float with its bits.
std::vector<std::string> RunShot(const ShotSetup& setup, bool* ended) {
    ResetPhysicsStateForTest();
    ShotProbe probe(setup);
    std::string error;
    EXPECT_TRUE(probe.Prepare(&error)) << error;
    std::vector<std::string> lines;
    *ended = probe.Run(&lines);
    for (uint16_t i = 0; i < probe.Model().BallCount(); ++i) {
        const PhysicsBall& ball = probe.Model().Ball(i);
        EXPECT_TRUE(ball.IsAtRest()) << "ball " << i;
        EXPECT_TRUE(std::isfinite(ball.position.x) && std::isfinite(ball.position.y) && std::isfinite(ball.position.z))
            << "ball " << i;
    }
    return lines;
}

class ModelSweepTest : public PhysicsTest, public testing::WithParamInterface<uint32_t> {};

TEST_P(ModelSweepTest, EveryShotEndsFiniteAndRepeatsBitForBit) {
    const uint32_t code = GetParam();
    for (const uint32_t kind : kTableKinds) {
        for (const SweepStroke& stroke : kStrokes) {
            SCOPED_TRACE(testing::Message() << "table kind " << kind << ", " << stroke.name);
            const ShotSetup setup = Shot(code, kind, stroke);
            bool ended = false;
            const std::vector<std::string> first = RunShot(setup, &ended);
            EXPECT_TRUE(ended);
            for (const std::string& line : first) {
                EXPECT_EQ(line.find("nan"), std::string::npos) << line;
            }
            bool again = false;
            EXPECT_EQ(RunShot(setup, &again), first);
        }
    }
}

std::vector<uint32_t> EveryCode() {
    std::vector<uint32_t> codes;
    for (uint32_t code = 0x10000; code <= 0x10014; ++code) {
        codes.push_back(code);
    }
    return codes;
}

INSTANTIATE_TEST_SUITE_P(AllCodes, ModelSweepTest, testing::ValuesIn(EveryCode()),
                         [](const testing::TestParamInfo<uint32_t>& info) {
                             char name[16];
                             std::snprintf(name, sizeof name, "Code%05X", info.param);
                             return std::string(name);
                         });

TEST(ShotProbeCodesTest, TheProbeAcceptsEveryCodeAndNoOther) {
    for (uint32_t code = 0x0FFFF; code <= 0x10015; ++code) {
        ShotProbe probe(Shot(code, 0, kStrokes[0]));
        std::string error;
        EXPECT_EQ(probe.Prepare(&error), code >= 0x10000 && code <= 0x10014) << std::hex << code;
    }
}

}  // namespace
}  // namespace kestrovan::test
