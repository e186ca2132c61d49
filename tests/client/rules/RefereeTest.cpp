#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "client/rules/Referee.h"
#include "tests/client/rules/RecordingTableSound.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using ::testing::ElementsAre;

class RefereeTest : public ::testing::Test {
protected:
    void SetUp() override {
        referee.SetSound(&sound);
        referee.SetClock([this] { return now; });
    }

    void StartShot(quill::GameType gameType, uint32_t rackShots = 5, uint8_t group = 0) {
        ShotSetup setup;
        setup.gameType = gameType;
        setup.ballCount = quill::GetBallCount(gameType);
        setup.rackShots = rackShots;
        setup.ballGroup = group;
        referee.StartShot(setup);
    }

    static PhysicsEvent Contact(PhysicsEventKind kind, uint16_t ball, uint16_t extra, float strength) {
        PhysicsEvent event;
        event.kind = kind;
        event.ball = ball;
        event.extra = extra;
        event.strength = strength;
        return event;
    }

    void Event(PhysicsEventKind kind, uint16_t ball, uint16_t extra = 0, float strength = 0.5f) {
        referee.OnEvent(Contact(kind, ball, extra, strength), Referee::kJudgingState, context);
    }

    test::RecordingTableSound sound;
    uint32_t now = 1000;
    Referee referee;
    JudgementContext context;
};

TEST_F(RefereeTest, EachVoiceOncePerRack) {
    referee.Announce(99);
    referee.Announce(99);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(99));
    EXPECT_FLOAT_EQ(sound.voices[0].volume, 1.0f);
    referee.Reset();
    referee.Announce(99);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(99, 99));
}

TEST_F(RefereeTest, SlotAFiresAfterItsDelayOrWhenForcedAndSilencesTheNearMisses) {
    referee.ScheduleA(71, 300);
    referee.ScheduleA(70, 0);  // A already holds a voice
    EXPECT_EQ(referee.PendingVoiceA(), 71);
    now += 300;
    referee.UpdateA(0);
    EXPECT_TRUE(sound.voices.empty());
    now += 1;
    referee.UpdateA(0);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(71));
    EXPECT_FALSE(referee.IsPendingA());
    referee.Announce(70);  // marked as said when A fired
    referee.Announce(72);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(71));

    referee.Reset();
    referee.ScheduleA(72, 100000);
    referee.UpdateA(1);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(71, 72));
}

TEST_F(RefereeTest, SlotBCancelsAAndFiresWithItsFollowUp) {
    referee.ScheduleA(70, 10);
    referee.ScheduleB(64, 500, 1);
    EXPECT_FALSE(referee.IsPendingA());
    referee.ScheduleB(65, 0, 0);  // B already holds a voice
    EXPECT_EQ(referee.PendingVoiceB(), 64);
    now = 0xFFFFFF00u;  // the timer wraps meanwhile
    referee.ScheduleB(92, 600, 0);
    referee.CancelB();
    referee.ScheduleB(92, 600, 1);
    now += 0x300;
    referee.UpdateB(0);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(92, 60));
    EXPECT_TRUE(referee.WasSaid(64));
    EXPECT_TRUE(referee.WasSaid(65));
    EXPECT_FALSE(referee.IsPendingB());
}

TEST_F(RefereeTest, FoulVoicesByShotKind) {
    struct Case {
        quill::GameType gameType;
        std::vector<std::pair<uint16_t, uint16_t>> contacts;
        bool cueLost;
        std::vector<uint32_t> voices;
    };
    const Case cases[] = {
        {type::kFourBall, {{0, 2}, {0, 1}}, false, {47}},  // the other white
        {type::kEightBall, {{0, 12}}, false, {43, 42}},    // wrong ball first (low group)
        {type::kEightBall, {{0, 2}}, true, {49}},          // scratch
        {type::kFourBall, {}, false, {99}},                // a miss
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gameType);
        sound.voices.clear();
        referee.Reset();
        context.gameType = c.gameType;
        StartShot(c.gameType, 5, quill::ball_group::kLow);
        for (const auto& [a, b] : c.contacts) {
            Event(PhysicsEventKind::BallBall, a, b);
        }
        if (c.cueLost) {
            Event(PhysicsEventKind::Pocketed, 0);
        }
        const int32_t verdict = referee.JudgeFinishedShot({}, context);
        EXPECT_EQ(sound.VoiceIds(), c.voices);
        EXPECT_EQ(verdict, -1);
    }

    // The four-ball break foul: the red first without a bank.
    sound.voices.clear();
    referee.Reset();
    context.gameType = type::kFourBall;
    StartShot(type::kFourBall, 1);
    Event(PhysicsEventKind::BallBall, 0, 2);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(100));  // judged at once, when the code changed
}

TEST_F(RefereeTest, ScoringShotsArePraisedOncePerShot) {
    quill::Random voices;
    voices.Seed(1);
    referee.SetVoiceRandom(&voices);
    context.gameType = type::kThreeCushion;
    context.targetCode = 4;
    StartShot(type::kThreeCushion);
    Event(PhysicsEventKind::BallBall, 0, 2);
    for (uint8_t side : {1, 4, 2}) {
        Event(PhysicsEventKind::Cushion, 0, side);
    }
    Event(PhysicsEventKind::BallBall, 0, 1);
    EXPECT_TRUE(referee.IsPendingB());
    const int32_t praise = referee.PendingVoiceB();
    EXPECT_TRUE(praise == 64 || praise == 65);
    EXPECT_EQ(referee.JudgeFinishedShot({}, context), 1);
    now += 501;
    referee.UpdateB(0);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(static_cast<uint32_t>(praise)));

    // A masse that reaches the target after fewer than three cushions.
    referee.Reset();
    sound.voices.clear();
    context.masse = true;
    context.targetCode = 1;
    context.gameType = type::kFourBall;
    StartShot(type::kFourBall);
    Event(PhysicsEventKind::BallBall, 0, 2);
    Event(PhysicsEventKind::BallBall, 0, 3);
    EXPECT_EQ(referee.PendingVoiceB(), 62);
}

TEST_F(RefereeTest, ShortOfTargetAndNearMiss) {
    context.gameType = type::kThreeCushion;
    context.targetCode = 1004;  // a bank shot is asked for
    StartShot(type::kThreeCushion);
    Event(PhysicsEventKind::BallBall, 0, 2);
    Event(PhysicsEventKind::Cushion, 0, 1);
    Event(PhysicsEventKind::BallBall, 0, 1);  // a carom after one cushion
    EXPECT_EQ(referee.JudgeFinishedShot({}, context), 0);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(101));

    referee.Reset();
    sound.voices.clear();
    context.targetCode = 4;
    StartShot(type::kThreeCushion);
    Event(PhysicsEventKind::BallBall, 0, 2);
    for (uint8_t side : {1, 4, 2}) {
        Event(PhysicsEventKind::Cushion, 0, side);
    }
    referee.Analysis().OnCueBallDistance(2 * 3.0f + 0.3f, 3.0f);  // missed the white by a tenth of a radius
    EXPECT_EQ(referee.JudgeFinishedShot({}, context), 0);
    EXPECT_EQ(referee.PendingVoiceA(), 70);
    referee.UpdateA(1);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(70));
}

TEST_F(RefereeTest, ContactAndRollingSounds) {
    StartShot(type::kEightBall);
    Event(PhysicsEventKind::BallBall, 0, 3, 1.2f);
    Event(PhysicsEventKind::Cushion, 4, 1, 0.4f);
    Event(PhysicsEventKind::BedImpact, 4, 0, 0.2f);
    Event(PhysicsEventKind::RailTop, 4, 0, 0.9f);
    Event(PhysicsEventKind::FloorImpact, 4, 0, -0.1f);
    Event(PhysicsEventKind::PocketWall, 4, 0, 0.15f);
    Event(PhysicsEventKind::Pocketed, 4, 0, 0.4f);
    Event(PhysicsEventKind::CueContactEnd, 0, 0, 5.0f);
    Event(PhysicsEventKind::Cushion, 4, 1, 0.005f);  // too soft to hear
    EXPECT_THAT(sound.SoundIds(), ElementsAre(9, 10, 12, 15, 13, 14));
    EXPECT_FLOAT_EQ(sound.sounds[0].volume, 1.0f);  // (1.2 + 0.05) / 1.25
    EXPECT_FLOAT_EQ(sound.sounds[1].volume, 0.5f);
    EXPECT_FLOAT_EQ(sound.sounds[2].volume, 0.5f);
    EXPECT_FLOAT_EQ(sound.sounds[3].volume, 1.0f);
    EXPECT_FLOAT_EQ(sound.sounds[4].volume, 0.5f);
    EXPECT_FLOAT_EQ(sound.sounds[5].volume, 0.5f);
    EXPECT_EQ(referee.Analysis().Pocketed(), (std::vector<uint8_t>{4}));

    sound.sounds.clear();
    referee.PlayRolling(0.05f);
    referee.PlayRolling(2.0f);
    referee.PlayRolling(20.0f);
    ASSERT_THAT(sound.SoundIds(), ElementsAre(16, 16));
    EXPECT_FLOAT_EQ(sound.sounds[0].volume, 0.25f);
    EXPECT_FLOAT_EQ(sound.sounds[1].volume, 1.0f);
}

}  // namespace
}  // namespace kestrovan
