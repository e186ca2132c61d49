// The room's pure models: the chat history (200 records, the view that follows the end or stays, the eight
// lines filled from the bottom, the blinking and fading by age, long texts cut) and the turn clock (seconds
// left, one warning in its window, no warning for short limits, one time-out per turn, no time-out without a
// limit, a clock that went backwards).
#include <gtest/gtest.h>

#include "client/scenes/room/RoomChatLog.h"
#include "client/scenes/room/TurnClock.h"

namespace kestrovan::test {
namespace {

quill::WString Text(int n) {
    quill::WString text = u"line ";
    for (char c : std::to_string(n)) text.push_back(static_cast<char16_t>(c));
    return text;
}

TEST(RoomChatLog, TheTwoHundredAndFirstLineDropsTheOldestAndTheViewFollowsOnlyFromTheEnd) {
    RoomChatLog log;
    EXPECT_EQ(log.ScrollRange(), 1) << "never below 1";
    for (int i = 1; i <= 3; ++i) log.Add(Text(i), 0xFF00FF00, 0);
    EXPECT_EQ(log.ScrollRange(), 1);
    auto lines = log.Layout(1000);
    for (size_t i = 0; i < 5; ++i) EXPECT_FALSE(lines[i].shown) << i;
    EXPECT_EQ(lines[5].text, u"line 1") << "the oldest highest";
    EXPECT_EQ(lines[7].text, u"line 3");
    EXPECT_EQ(lines[7].colour, 0xFF00FF00u);

    for (int i = 4; i <= 200; ++i) log.Add(Text(i), 0, 0);
    EXPECT_EQ(log.Count(), 200u);
    EXPECT_EQ(log.ScrollRange(), 193);
    EXPECT_EQ(log.ScrollPosition(), 193) << "the view followed the end";
    log.Add(Text(201), 0, 0);
    EXPECT_EQ(log.Count(), 200u);
    EXPECT_EQ(log.At(0).text, u"line 2");
    EXPECT_EQ(log.Layout(1000)[7].text, u"line 201");

    log.SetScrollPosition(10);
    log.Add(Text(202), 0, 0);
    EXPECT_EQ(log.ScrollPosition(), 10) << "a scrolled view stays";
    lines = log.Layout(1000);
    EXPECT_EQ(lines[0].text, log.At(9).text);
    log.SetScrollPosition(500);
    EXPECT_EQ(log.ScrollPosition(), 193);
    log.SetScrollPosition(-4);
    EXPECT_EQ(log.ScrollPosition(), 1);
}

TEST(RoomChatLog, LinesBlinkWhenNewAndFadeToHalfWhenOldAndLongTextsAreCut) {
    EXPECT_FLOAT_EQ(RoomChatLog::Opacity(0), 1.0f);
    EXPECT_FLOAT_EQ(RoomChatLog::Opacity(100), 0.5f);
    EXPECT_FLOAT_EQ(RoomChatLog::Opacity(200), 1.0f);
    EXPECT_FLOAT_EQ(RoomChatLog::Opacity(599), 0.5f);
    EXPECT_FLOAT_EQ(RoomChatLog::Opacity(600), 1.0f);
    EXPECT_FLOAT_EQ(RoomChatLog::Opacity(29999), 1.0f);
    EXPECT_FLOAT_EQ(RoomChatLog::Opacity(37500), 0.75f);
    EXPECT_FLOAT_EQ(RoomChatLog::Opacity(45000), 0.5f);
    EXPECT_FLOAT_EQ(RoomChatLog::Opacity(4000000000u), 0.5f);

    RoomChatLog log;
    log.Add(quill::WString(300, u'x'), 0, 5000);
    EXPECT_EQ(log.At(0).text.size(), RoomChatLog::kMaxText);
    EXPECT_FLOAT_EQ(log.Layout(5100)[7].opacity, 0.5f);
    log.Clear();
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_EQ(log.ScrollPosition(), 1);
}

TEST(TurnClock, SecondsLeftOneWarningAndOneTimeOutPerTurn) {
    TurnClock clock;
    EXPECT_EQ(clock.Limit(), 40);
    clock.SetLimit(30);
    clock.StartTurn(100000);
    EXPECT_EQ(clock.Remaining(100000), 30);
    EXPECT_EQ(clock.Remaining(100999), 30);
    EXPECT_EQ(clock.Remaining(101000), 29);
    EXPECT_EQ(clock.ElapsedSeconds(99000), 0) << "a clock before the start counts 0";

    EXPECT_FALSE(clock.TakeWarning(100000 + 20000)) << "not at limit - 10";
    EXPECT_TRUE(clock.TakeWarning(100000 + 21000));
    EXPECT_FALSE(clock.TakeWarning(100000 + 22000)) << "once per turn";
    EXPECT_FALSE(clock.FreezeDue(100000 + 24999));
    EXPECT_TRUE(clock.FreezeDue(100000 + 25000));
    EXPECT_FALSE(clock.TimeOutDue(100000 + 29999));
    ASSERT_TRUE(clock.TimeOutDue(100000 + 30000));
    clock.MarkTimeOutSent();
    EXPECT_FALSE(clock.TimeOutDue(100000 + 90000)) << "sent once";
    EXPECT_EQ(clock.Remaining(100000 + 90000), 0);

    clock.StartTurn(200000);
    EXPECT_FALSE(clock.TimeOutSent());
    EXPECT_FALSE(clock.Warned());
    EXPECT_TRUE(clock.TakeWarning(200000 + 26000)) << "the last second of the window";
    EXPECT_TRUE(clock.TimeOutDue(200000 + 31000));

    // Across the millisecond clock's wrap.
    clock.StartTurn(0xFFFFF000u);
    EXPECT_EQ(clock.ElapsedSeconds(0x00001000u), 8);
}

TEST(TurnClock, ShortLimitsGiveNoWarningAndNoLimitNeverRunsOut) {
    TurnClock clock;
    for (int32_t limit : {9, 5, 1}) {
        clock.SetLimit(limit);
        clock.StartTurn(0);
        for (uint32_t ms = 0; ms <= 20000; ms += 500) EXPECT_FALSE(clock.TakeWarning(ms)) << limit << " at " << ms;
        EXPECT_TRUE(clock.TimeOutDue(static_cast<uint32_t>(limit) * 1000));
    }
    clock.SetLimit(10);
    clock.StartTurn(0);
    bool warned = false;
    for (uint32_t ms = 0; ms <= 10000; ms += 100) warned = clock.TakeWarning(ms) || warned;
    EXPECT_TRUE(warned) << "10 seconds leave seconds 1 to 6";

    for (int32_t limit : {0, -5}) {
        clock.SetLimit(limit);
        clock.StartTurn(0);
        EXPECT_FALSE(clock.Runs());
        EXPECT_FALSE(clock.TimeOutDue(3600000)) << limit;
        EXPECT_FALSE(clock.FreezeDue(3600000)) << limit;
        EXPECT_FALSE(clock.TakeWarning(1000)) << limit;
        EXPECT_EQ(clock.Remaining(1000), 0);
    }
}

}  // namespace
}  // namespace kestrovan::test
