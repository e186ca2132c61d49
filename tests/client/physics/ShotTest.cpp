// Whole shots with the default model: they end with every ball at rest, in a plausible order of events, and
// with the same bits every time. One carom shot is compared with its checked-in probe output.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "client/physics/ReferenceShots.h"
#include "client/physics/ShotProbe.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

ShotSetup CaromShot() {
    return CaromReferenceShot();
}
ShotSetup PocketBreak() {
    return PocketBreakReferenceShot();
}

class ShotTest : public PhysicsTest {
protected:
    static std::vector<std::string> Report(const ShotSetup& setup, bool* ended = nullptr) {
        ResetPhysicsStateForTest();
        ShotProbe probe(setup);
        std::string error;
        EXPECT_TRUE(probe.Prepare(&error)) << error;
        std::vector<std::string> lines;
        const bool done = probe.Run(&lines);
        if (ended != nullptr) {
            *ended = done;
        }
        return lines;
    }

    // Runs the shot and checks the end state and the order of its events.
    static void ExpectSoundShot(const ShotSetup& setup) {
        ResetPhysicsStateForTest();
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
        for (uint16_t i = 0; i < model.BallCount(); ++i) {
            const PhysicsBall& ball = model.Ball(i);
            EXPECT_TRUE(ball.IsAtRest()) << "ball " << i;
            EXPECT_TRUE(std::isfinite(ball.position.x) && std::isfinite(ball.position.y) &&
                        std::isfinite(ball.position.z));
        }
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
};

TEST_F(ShotTest, ACaromShotEndsSoundly) {
    ExpectSoundShot(CaromShot());
}

TEST_F(ShotTest, APocketBreakEndsSoundly) {
    ExpectSoundShot(PocketBreak());
}

TEST_F(ShotTest, ShotsRepeatBitForBit) {
    bool ended = false;
    const std::vector<std::string> first = Report(PocketBreak(), &ended);
    EXPECT_TRUE(ended);
    EXPECT_EQ(Report(PocketBreak()), first);
    EXPECT_EQ(Report(CaromShot()), Report(CaromShot()));
}

TEST_F(ShotTest, TheCaromShotMatchesItsRecordedProbeOutput) {
    std::ifstream file(std::string(KV_SOURCE_DIR) + "/tests/client/physics/data/carom_shot_10014.txt");
    ASSERT_TRUE(file) << "missing golden file";
    std::vector<std::string> golden;
    for (std::string line; std::getline(file, line);) {
        golden.push_back(line);
    }
    const std::vector<std::string> lines = Report(CaromShot());
    ASSERT_EQ(lines.size(), golden.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], golden[i]) << "line " << i + 1;
    }
}

}  // namespace
}  // namespace kestrovan::test
