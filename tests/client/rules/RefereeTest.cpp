#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <vector>

#include "client/rules/Referee.h"
#include "tests/client/rules/RecordingTableSound.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using ::testing::ElementsAre;
using ::testing::FloatEq;

class RefereeTest : public ::testing::Test {
protected:
    void SetUp() override {
        referee.SetSound(&sound);
        referee.SetClock([this] { return now; });
    }

    void StartShot(quill::GameType gameType, uint32_t rackShots = 5, uint8_t group = 0) {
        ShotFacts setup;
        setup.gameType = gameType;
        setup.ballCount = quill::GetBallCount(gameType);
        setup.rackShots = rackShots;
        setup.ballGroup = group;
        referee.StartShot(setup);
    }

    void Event(PhysicsEventKind kind, uint16_t ball, uint16_t extra = 0, float strength = 0.5f) {
        PhysicsEvent event;
        event.kind = kind;
        event.ball = ball;
        event.extra = extra;
        event.strength = strength;
        referee.OnEvent(event, Referee::kJudgingState, context);
    }
    // The cue ball meets an object ball, or cushions by their side bits.
    void Hit(uint16_t object) { Event(PhysicsEventKind::BallBall, 0, object); }
    void Cushions(std::initializer_list<uint16_t> sides) {
        for (uint16_t side : sides) {
            Event(PhysicsEventKind::Cushion, 0, side);
        }
    }
    // A new rack: nothing said, nothing heard.
    void NewRack() {
        referee.Reset();
        sound.voices.clear();
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
        uint32_t rackShots;
        std::vector<uint16_t> objectsHit;
        int16_t offTable;  // the ball found off the table at the end, or -1
        std::vector<uint32_t> voices;
    };
    const Case cases[] = {
        {type::kFourBall, 5, {2, 1}, -1, {47}},     // the other white
        {type::kFourBall, 1, {2}, -1, {100}},       // the red first on the break, without a bank
        {type::kFourBall, 5, {}, -1, {99}},         // a miss
        {type::kEightBall, 5, {12}, -1, {43, 42}},  // wrong ball first (low group)
        {type::kEightBall, 5, {2}, 0, {49}},        // scratch
        {type::kEightBall, 5, {2}, 8, {}},          // an object ball off the table: the room announces it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gameType);
        NewRack();
        context.gameType = c.gameType;
        StartShot(c.gameType, c.rackShots, quill::ball_group::kLow);
        for (uint16_t object : c.objectsHit) {
            Hit(object);
        }
        std::array<bool, quill::kMaxBalls> offTable{};
        if (c.offTable >= 0) {
            offTable[static_cast<size_t>(c.offTable)] = true;
        }
        EXPECT_EQ(referee.JudgeFinishedShot(offTable, context), -1);
        EXPECT_EQ(sound.VoiceIds(), c.voices);
    }
}

TEST_F(RefereeTest, ScoringShotsArePraisedOncePerShot) {
    quill::Random voices;
    voices.Seed(1);
    referee.SetVoiceRandom(&voices);
    context.gameType = type::kThreeCushion;
    context.targetCode = 4;
    StartShot(type::kThreeCushion);
    Hit(2);
    Cushions({1, 4, 2});
    Hit(1);
    EXPECT_TRUE(referee.IsPendingB());
    const int32_t praise = referee.PendingVoiceB();
    EXPECT_TRUE(praise == 64 || praise == 65);
    EXPECT_EQ(referee.JudgeFinishedShot({}, context), 1);
    now += 501;
    referee.UpdateB(0);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(static_cast<uint32_t>(praise)));

    // A masse that reaches the target after fewer than three cushions.
    NewRack();
    context.masse = true;
    context.targetCode = 1;
    context.gameType = type::kFourBall;
    StartShot(type::kFourBall);
    Hit(2);
    Hit(3);
    EXPECT_EQ(referee.PendingVoiceB(), 62);
}

TEST_F(RefereeTest, ShortOfTargetAndNearMiss) {
    context.gameType = type::kThreeCushion;
    context.targetCode = 1004;  // a bank shot is asked for
    StartShot(type::kThreeCushion);
    Hit(2);
    Cushions({1});
    Hit(1);  // a carom after one cushion
    EXPECT_EQ(referee.JudgeFinishedShot({}, context), 0);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(101));

    NewRack();
    context.targetCode = 4;
    StartShot(type::kThreeCushion);
    Hit(2);
    Cushions({1, 4, 2});
    referee.Analysis().OnCueBallDistance(2 * 3.0f + 0.3f, 3.0f);  // missed the white by a tenth of a radius
    EXPECT_EQ(referee.JudgeFinishedShot({}, context), 0);
    EXPECT_EQ(referee.PendingVoiceA(), 70);
    referee.UpdateA(1);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(70));
}

// The challenge's word on each finished shot: a success sound for a carom that meets the target, then praise or
// a named shot; a word for every kind of shortfall; said again at every shot of the rack.
TEST_F(RefereeTest, TheChallengeJudgementHasAWordForEveryShot) {
    quill::Random voices;
    voices.Seed(7);
    referee.SetVoiceRandom(&voices);
    quill::Random same;
    same.Seed(7);
    const auto judge = [&](bool deciding = false) {
        sound.sounds.clear();
        sound.voices.clear();
        referee.Analysis().Finish({});
        referee.JudgeChallengeShot(context, deciding);
    };
    context.gameType = type::kThreeCushion;
    context.targetCode = 4;
    for (int shot = 0; shot < 2; ++shot) {
        StartShot(type::kThreeCushion);
        Hit(2);
        Cushions({1, 4, 2});
        Hit(1);
        EXPECT_TRUE(referee.IsPendingB()) << "the room's praise is held";
        judge();
        EXPECT_FALSE(referee.IsPendingB()) << "the challenge's word replaces it";
        EXPECT_THAT(sound.SoundIds(), ElementsAre(28u));
        EXPECT_THAT(sound.SoundVolumes(), ElementsAre(FloatEq(1.0f)));
        same.Next();  // the room's praise held in slot B
        const uint32_t praise = std::array<uint32_t, 5>{58, 59, 66, 67, 68}[same.Next() % 5];
        EXPECT_THAT(sound.VoiceIds(), ElementsAre(praise)) << "again at the second shot of the rack";
    }
    // A run goes on; the shot that reaches the target score is the frame ball.
    context.extraCount = 2;
    StartShot(type::kThreeCushion);
    Hit(2);
    Cushions({1, 4, 2});
    Hit(1);
    judge(true);
    EXPECT_EQ(sound.VoiceIds().back(), 93u);
    context.extraCount = 0;
    StartShot(type::kThreeCushion);
    Cushions({8});
    Hit(2);
    Cushions({1, 4, 2});
    Hit(1);
    judge();
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(73u)) << "a bank shot";

    // Short of the three cushions: one short, further short; no score by its closeness; no ball; a foul.
    const auto shortBy = [&](std::initializer_list<uint16_t> sides) {
        StartShot(type::kThreeCushion);
        Hit(2);
        Cushions(sides);
        Hit(1);
        judge();
        return sound.VoiceIds();
    };
    EXPECT_THAT(shortBy({1, 4}), ElementsAre(48u));
    EXPECT_THAT(shortBy({1}), ElementsAre(45u));
    EXPECT_TRUE(sound.sounds.empty());
    for (const auto& [gap, voice] : {std::pair{0.5f, 50u}, {6.0f, 51u}, {10.5f, 52u}}) {
        StartShot(type::kThreeCushion);
        Hit(2);
        referee.Analysis().OnCueBallDistance(2 * 3.0f + gap, 3.0f);
        judge();
        EXPECT_THAT(sound.VoiceIds(), ElementsAre(voice)) << gap;
    }
    StartShot(type::kThreeCushion);
    judge();
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(42u));
    context.gameType = type::kFourBall;
    context.targetCode = 1;
    StartShot(type::kFourBall);
    Hit(1);
    judge();
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(99u));

    // Three cushions where one carom would do are named.
    StartShot(type::kFourBall);
    Hit(2);
    Cushions({1, 4, 2});
    Hit(3);
    judge();
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(75u));
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
    // The ball-on-ball volume is (1.2 + 0.05) / 1.25; a negative strength is silent.
    EXPECT_THAT(sound.SoundVolumes(),
                ElementsAre(FloatEq(1.0f), FloatEq(0.5f), FloatEq(0.5f), FloatEq(1.0f), FloatEq(0.5f), FloatEq(0.5f)));
    EXPECT_EQ(referee.Analysis().Pocketed(), (std::vector<uint8_t>{4}));

    sound.sounds.clear();
    referee.PlayRolling(0.05f);
    referee.PlayRolling(2.0f);
    referee.PlayRolling(20.0f);
    EXPECT_THAT(sound.SoundIds(), ElementsAre(16, 16));
    EXPECT_THAT(sound.SoundVolumes(), ElementsAre(FloatEq(0.25f), FloatEq(1.0f)));
}

}  // namespace
}  // namespace kestrovan
