// The login screen's rules that need no screen: the account record, the answers' texts, the channel gates,
// the re-enable timers, the demo cycle and the credits.
#include <gtest/gtest.h>

#include <atomic>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/scenes/login/AccountRecord.h"
#include "client/scenes/login/ChannelGates.h"
#include "client/scenes/login/CreditsRoll.h"
#include "client/scenes/common/DemoShotCycle.h"
#include "client/scenes/login/LoginTexts.h"
#include "client/scenes/login/ReenableTimer.h"
#include "tests/support/net/ServerMessages.h"

namespace kestrovan::test {
namespace {

using kvtest::AsReceived;
using kvtest::LoginResultMessage;
using kvtest::TestAccount;

TEST(AccountRecord, ReadsEveryFieldInOrderCutsTextsAndCapsSkills) {
    TestAccount account;
    account.nickname = u"a-nickname-that-is-too-long";
    account.membership = 2;
    account.grade = -3;
    account.skills = {100001, 100000, 0, 0xFFFFFFFF, 7};
    account.status = 3;
    account.tutorialDone = 29;
    quill::Packet packet = AsReceived(LoginResultMessage(account));
    ASSERT_EQ(packet.ReadU8(), 0);
    AccountRecord record;
    ASSERT_TRUE(AccountRecord::Read(packet, record));
    EXPECT_EQ(record.userId, 77u);
    EXPECT_EQ(record.accountId, 0x100000002);
    EXPECT_EQ(record.nickname, u"a-nickname-t");
    EXPECT_EQ(record.membershipText, u"2030-01-01");
    EXPECT_EQ(record.membershipDays, 30);
    EXPECT_EQ(record.connectionValue, 16u);
    EXPECT_EQ(record.level, 12);
    EXPECT_EQ(record.grade, -3);
    EXPECT_EQ(record.age, 30);
    EXPECT_EQ(record.tutorialDone, 29) << "the byte after the age";
    // Capped with a signed compare: a value past 2^31 reads negative and stays so.
    EXPECT_EQ(record.skills, (std::array<int32_t, 5>{100000, 100000, 0, -1, 7}));
    EXPECT_EQ(record.chatTexts[5], u"chat");
    EXPECT_EQ(record.options, 0x800u);
    EXPECT_EQ(record.statusText, u"banned for a day");
    EXPECT_EQ(packet.ErrorCount(), 0);

    quill::PlayerState profile;
    record.ApplyTo(profile);
    EXPECT_EQ(profile.name, u"a-nickname-t");
    EXPECT_EQ(profile.money, 5000);
    EXPECT_EQ(profile.accountId, 0x100000002);
    EXPECT_EQ(profile.skills[0], 100000);

    // Without a membership its text and days are not in the record.
    account.membership = 0;
    account.status = 0;
    packet = AsReceived(LoginResultMessage(account));
    packet.ReadU8();
    ASSERT_TRUE(AccountRecord::Read(packet, record));
    EXPECT_EQ(record.level, 12);
}

TEST(AccountRecord, ARecordCutShortIsReported) {
    quill::Packet full = LoginResultMessage(TestAccount{});
    full.Finish();
    const auto bytes = full.Bytes();
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + 60);
    cut[0] = 60;
    cut[1] = 0;
    quill::Packet packet;
    packet.LoadReceived(cut);
    packet.ReadU8();
    AccountRecord record;
    EXPECT_FALSE(AccountRecord::Read(packet, record));
}

TEST(AccountRecord, CuttingNeverSplitsACharacter) {
    EXPECT_EQ(CutToLength(u"abc", 5), u"abc");
    EXPECT_EQ(CutToLength(u"ab\U0001F3B1", 3), u"ab");
    EXPECT_EQ(CutToLength(u"ab\U0001F3B1", 4), u"ab\U0001F3B1");
}

TEST(LoginTexts, EveryAnswerHasItsText) {
    EXPECT_EQ(LoginResultLines(1, 1).lines[0], u"현재 서버 점검작업이 진행중입니다.");
    EXPECT_EQ(LoginResultLines(1, 0).okEvent, 1030u);
    EXPECT_EQ(LoginResultLines(2, 0).lines[1], u"Check connection on other computer.");
    EXPECT_EQ(LoginResultLines(3, 0).okEvent, 1030u);
    EXPECT_EQ(LoginResultLines(5, 0).okEvent, quill::AppEventId::LoginNoticeOk);
    EXPECT_EQ(LoginResultLines(6, 0).lines.size(), 1u);
    // A result no text names is still an error the player sees.
    EXPECT_EQ(LoginResultLines(8, 0).lines[0], u"Authentication error... code : 8");
    EXPECT_EQ(LoginResultLines(200, 0).lines[0], u"Authentication error... code : 200");

    EXPECT_EQ(LoginFailedLines(-10).size(), 2u);
    EXPECT_EQ(LoginFailedLines(-7)[0], u"Wrong ID..");
    EXPECT_EQ(LoginFailedLines(7)[0], u"Login Server is busy..");
    EXPECT_EQ(LoginFailedLines(-99)[0], u"Authentication error... code : -99");
    EXPECT_EQ(NicknameResultLines(4)[0], u"Nickname length is 4 to 12 bytes..");
    EXPECT_EQ(NicknameResultLines(9)[0], u"Database exception..");
    EXPECT_EQ(ChannelKindSuffix(6), u"(Teens)");
    EXPECT_EQ(ChannelKindSuffix(3), u"");
}

TEST(ChannelGates, AgeGradeAndMembershipDecideTheEntry) {
    EXPECT_TRUE(ChannelRowEnabled(0, ChannelKind::Pool));
    EXPECT_FALSE(ChannelRowEnabled(15, ChannelKind::Pool));
    EXPECT_TRUE(ChannelRowEnabled(15, ChannelKind::Teens));
    EXPECT_TRUE(ChannelRowEnabled(15, ChannelKind::Tournament));

    // Age 0 counts as under 18; grade 20 lifts every gate.
    EXPECT_EQ(ChannelEntryRefusal(0, 0, ChannelKind::Pool, 0)[0], u"청소년은 입장할 수 없는 채널입니다.");
    EXPECT_TRUE(ChannelEntryRefusal(20, 0, ChannelKind::Pool, 0).empty());
    EXPECT_EQ(ChannelEntryRefusal(0, 30, ChannelKind::Teens, 0).size(), 2u);
    EXPECT_TRUE(ChannelEntryRefusal(0, 30, ChannelKind::Teens, 1).empty());
    EXPECT_EQ(ChannelEntryRefusal(0, 15, ChannelKind::Tournament, 0)[0], u"Comming soon.");
    EXPECT_TRUE(ChannelEntryRefusal(0, 30, ChannelKind::Beginner, 0).empty());
}

TEST(ChannelGates, PreselectionTakesTheFirstOpenRowThatSuitsThePlayer) {
    std::vector<ChannelRow> rows{{0, 100, 100, 0, ChannelKind::PoolBeginner, true},
                                 {1, 10, 100, 0, ChannelKind::Pool, true},
                                 {2, 10, 100, 0, ChannelKind::PoolBeginner, true},
                                 {3, 10, 100, 0, ChannelKind::Teens, false}};
    EXPECT_EQ(PreselectChannelRow(rows, 30, 12), 1) << "a full row is passed";
    EXPECT_EQ(PreselectChannelRow(rows, 30, 3), 2) << "a beginner goes to the pool beginner channel";
    EXPECT_EQ(PreselectChannelRow(rows, 15, 30), -1) << "the teen row is disabled";
    rows[3].enabled = true;
    EXPECT_EQ(PreselectChannelRow(rows, 15, 30), 3);
}

TEST(ReenableTimer, FiresOnlyWhenArmedAndBetween4And50Seconds) {
    ReenableTimer timer;
    // A disarmed timer never fires, also on a clock that started less than 50 s ago.
    for (uint32_t now : {0u, 4001u, 20000u, 49999u})
        EXPECT_FALSE(timer.Due(now));
    timer.Arm(1000);
    EXPECT_FALSE(timer.Due(5000));
    EXPECT_TRUE(timer.Due(5001));
    EXPECT_TRUE(timer.Due(50999));
    EXPECT_FALSE(timer.Due(51000));
    timer.Arm(0xFFFFFF00u);  // across the wrap of the 32-bit clock
    EXPECT_TRUE(timer.Due(5000));
    timer.Disarm();
    EXPECT_FALSE(timer.Due(5000));
}

class DemoCycle : public ::testing::Test {
protected:
    std::vector<DemoShotSlot> slots{
        {10, 0.3f, u"a", "0123456789AB"}, {12, 0.5f, u"b", "0123456789AB"}, {14, 1.0f, u"c", "short"}};
    std::atomic<bool> firstMove{true};
    DemoShotCycle cycle{slots, firstMove};

    DemoShotCycle::Step RunTo(int32_t updates) {
        DemoShotCycle::Step step;
        for (int32_t i = 0; i < updates; ++i)
            step = cycle.Advance();
        return step;
    }
};

TEST_F(DemoCycle, SlotsPlayInOrderAndTheEndMarkWraps) {
    EXPECT_EQ(cycle.LoadNext().nickname, u"a");
    EXPECT_EQ(cycle.Duration(), 10);
    EXPECT_EQ(cycle.LoadNext().nickname, u"b");
    EXPECT_EQ(cycle.TurnRate(), 0.5f);
    EXPECT_EQ(cycle.LoadNext().nickname, u"a") << "the short text ends the table";
    cycle.Reset();
    EXPECT_EQ(cycle.NextIndex(), 0);
}

TEST_F(DemoCycle, OnlyTheFirstCycleOfTheRunMovesTheCameraInsteadOfLoading) {
    cycle.LoadNext();
    DemoShotCycle::Step step = RunTo(100);
    EXPECT_TRUE(step.releaseHold);
    EXPECT_TRUE(step.firstMove);
    EXPECT_FALSE(step.loadShot);
    EXPECT_TRUE(RunTo(200).playShot);
    RunTo(700);
    EXPECT_EQ(cycle.Counter(), 0) << "duration 10 x 100 updates";
    step = RunTo(100);
    EXPECT_FALSE(step.firstMove);
    EXPECT_TRUE(step.loadShot);
    EXPECT_FALSE(firstMove);

    // The balls stopped: 100 updates later the next shot loads.
    RunTo(350);
    cycle.Restart();
    EXPECT_TRUE(RunTo(100).loadShot);
}

TEST(CreditsRoll, EachEntryFadesInHoldsAndFadesOutOnce) {
    CreditsRoll roll;
    CreditsRoll::Step step;
    int steps = 0;
    while (!step.nextEntry) {
        step = roll.Advance();
        ++steps;
    }
    // The first entry: 240 steps up to 1.2 and 280 down to -0.2, 1040 updates at one step every second update.
    EXPECT_EQ(steps, 520);
    EXPECT_EQ(roll.Index(), 1);
    EXPECT_EQ(step.opacity, 0.0f);
    for (int i = 0; i < 200; ++i)
        step = roll.Advance();
    EXPECT_GT(step.opacity, 0.0f);
    EXPECT_EQ(CreditsRoll::Roles()[18], u"Special Thanks ");
    while (!roll.IsOver())
        roll.Advance();
    EXPECT_EQ(roll.Index(), 19);
    EXPECT_FALSE(roll.Advance().nextEntry);
}

}  // namespace
}  // namespace kestrovan::test
