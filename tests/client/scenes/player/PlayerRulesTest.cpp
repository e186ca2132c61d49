// The player windows' pure rules: the skill raises with their three refusals, the skills' levels and effects
// and the experience bar; the readers of the skill save's answer and of a ranking page (whole, short,
// over-long and hostile pages); the tournament texts; the display-mode texts and the refresh rate a new size
// keeps.
#include <gtest/gtest.h>

#include "QuillLib/gamedata/LevelTables.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/connection/TournamentRecord.h"
#include "client/scenes/player/DisplayModeText.h"
#include "client/scenes/common/messages/PlayerMessages.h"
#include "client/scenes/player/SkillRaises.h"
#include "client/scenes/lobby/TournamentTexts.h"
#include "tests/support/net/ServerMessages.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;
using quill::Packet;

// PlayerState is not copied: each test fills one of its own.
struct Player : quill::PlayerState {
    Player(uint16_t level, uint16_t points, std::array<int32_t, 5> values) {
        this->level = level;
        skillPoints = points;
        skills = values;
    }
};

TEST(SkillRaisesTest, RaisesStopAtThePointsTheMasteryAndFiveThousandPerLevel) {
    SkillRaises raises;
    const Player atLevel3(3, 5, {14000, 100000, 0, 0, 0});
    EXPECT_EQ(raises.Raise(0, atLevel3), SkillRaises::Refusal::None) << "14000 may reach 15000 at level 3";
    EXPECT_EQ(raises.LevelShown(0, atLevel3), 15);
    EXPECT_EQ(raises.Raise(0, atLevel3), SkillRaises::Refusal::LevelCap);
    EXPECT_EQ(raises.Raise(1, atLevel3), SkillRaises::Refusal::Mastered);
    EXPECT_EQ(raises.Raise(7, atLevel3), SkillRaises::Refusal::Mastered) << "no sixth skill";
    EXPECT_EQ(raises.Count(), 1);
    EXPECT_EQ(raises.PointsLeft(atLevel3), 4);

    SkillRaises twoPoints;
    const Player poor(40, 2, {});
    EXPECT_EQ(twoPoints.Raise(0, poor), SkillRaises::Refusal::None);
    EXPECT_EQ(twoPoints.Raise(0, poor), SkillRaises::Refusal::None);
    EXPECT_EQ(twoPoints.Raise(2, poor), SkillRaises::Refusal::NoPoints) << "points come first";
    EXPECT_EQ(twoPoints.Raises(), (std::array<uint8_t, 5>{2, 0, 0, 0, 0}));
    EXPECT_EQ(twoPoints.PointsLeft(poor), 0);
    twoPoints.Clear();
    EXPECT_EQ(twoPoints.PointsLeft(poor), 2);
    EXPECT_EQ(twoPoints.Count(), 0);
}

TEST(SkillRaisesTest, EffectsGrowFromTheirBaseToOneHundredWithPendingRaises) {
    EXPECT_DOUBLE_EQ(SkillRaises::Effect(0, 0, 0), 80.0);
    EXPECT_DOUBLE_EQ(SkillRaises::Effect(2, 0, 0), 60.0);
    EXPECT_DOUBLE_EQ(SkillRaises::Effect(2, 49000, 1), 80.0);
    EXPECT_DOUBLE_EQ(SkillRaises::Effect(1, 100000, 0), 100.0);
    EXPECT_DOUBLE_EQ(SkillRaises::Effect(4, 100000, 5), 100.0) << "never past 100";
    const Player master(40, 0, {100000, 0, 0, 0, 0});
    SkillRaises none;
    EXPECT_EQ(none.LevelShown(0, master), 100);
}

TEST(SkillRaisesTest, TheExperienceBarStaysWithinItsWidthAndIsFullAtTheLastLevel) {
    quill::BuildExperienceTable();
    const int32_t start = quill::GetExperienceForLevel(5);
    const int32_t next = quill::GetExperienceForLevel(6);
    EXPECT_EQ(SkillRaises::ExperienceBarWidth(static_cast<uint32_t>(start), 5), 0);
    EXPECT_NEAR(SkillRaises::ExperienceBarWidth(static_cast<uint32_t>(start + (next - start) / 2), 5), 65, 1);
    EXPECT_EQ(SkillRaises::ExperienceBarWidth(0, 5), 0) << "below the level's start";
    EXPECT_EQ(SkillRaises::ExperienceBarWidth(static_cast<uint32_t>(next) * 3, 5), 130);
    EXPECT_EQ(SkillRaises::ExperienceBarWidth(0, 41), 130) << "the last level has no next one";
    EXPECT_EQ(SkillRaises::ExperienceBarWidth(0, 65535), 130);
}

Packet Received(Packet message) {
    return kvtest::AsReceived(std::move(message));
}

TEST(PlayerMessagesTest, ASkillSaveAnswerIsReadWholeWithItsValuesCapped) {
    Packet saved;
    saved.Init(MessageId::SkillSaveResult).WriteU8(0).WriteU16(7);
    for (uint32_t value : {1000u, 2000u, 100000u, 250000u, 0u}) saved.WriteU32(value);
    Packet packet = Received(std::move(saved));
    const auto answer = ReadSkillSaveAnswer(packet);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->skillPoints, 7);
    EXPECT_EQ(answer->skills, (std::array<uint32_t, 5>{1000, 2000, 100000, 100000, 0}));

    Packet refused;
    refused.Init(MessageId::SkillSaveResult).WriteU8(1);
    Packet refusedPacket = Received(std::move(refused));
    ASSERT_TRUE(ReadSkillSaveAnswer(refusedPacket));

    Packet cut;
    cut.Init(MessageId::SkillSaveResult).WriteU8(0).WriteU16(7).WriteU32(1);
    Packet cutPacket = Received(std::move(cut));
    EXPECT_FALSE(ReadSkillSaveAnswer(cutPacket)) << "a saved answer without its five values";
}

Packet Page(std::initializer_list<uint16_t> ranks, bool endMark) {
    Packet p;
    p.Init(MessageId::TournamentSchedule).WriteU16(3).WriteU16(4);
    for (uint16_t rank : ranks) p.WriteU16(rank).WriteWString(u"Racer").WriteU16(30).WriteU8(4).WriteU8(13).WriteU8(5).WriteU8(9);
    if (endMark) p.WriteU16(RankingPage::kEndMark);
    return Received(std::move(p));
}

TEST(PlayerMessagesTest, ARankingPageStopsAtItsEndMarkItsFifteenthRowOrTheMessagesEnd) {
    Packet full = Page({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}, true);
    auto page = ReadRankingPage(full);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->kept, 3);
    ASSERT_EQ(page->rows.size(), RankingPage::kRows) << "an over-long page fills the fifteen rows";
    EXPECT_EQ(page->rows[14].rank, 15);
    EXPECT_EQ(page->rows[0].nickname, u"Racer");
    EXPECT_EQ(page->rows[0].minute, 5);

    Packet shortPage = Page({1, 2}, true);
    EXPECT_EQ(ReadRankingPage(shortPage)->rows.size(), 2u);
    Packet empty = Page({}, true);
    EXPECT_TRUE(ReadRankingPage(empty)->rows.empty());
    Packet unmarked = Page({1, 2, 3}, false);
    EXPECT_EQ(ReadRankingPage(unmarked)->rows.size(), 3u) << "the message's end ends the page";

    Packet hostile;
    hostile.Init(MessageId::TournamentSchedule).WriteU16(1).WriteU16(1).WriteU16(1).WriteU16(3000);
    Packet hostilePacket = Received(std::move(hostile));
    page = ReadRankingPage(hostilePacket);
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->rows.empty()) << "a row cut short is dropped";
    Packet headless;
    headless.Init(MessageId::TournamentSchedule).WriteU8(1);
    Packet headlessPacket = Received(std::move(headless));
    EXPECT_FALSE(ReadRankingPage(headlessPacket));
}

TournamentView View() {
    TournamentView view;
    view.gameType = 3;
    view.fee = 1000;
    view.prizes = {50000, 20000, 10000};
    view.luckyReward = 3000;
    view.luckyCount = 5;
    view.handicapFrom = 50;
    view.handicapTo = 300;
    view.levelFrom = 1;
    view.levelTo = 50;
    return view;
}

TEST(TournamentTextsTest, TimesRatiosRewardsAndRuleLinesReadAsTheChartShowsThem) {
    EXPECT_EQ(ClockText(u"Start", 12, 5), u"Start :  0:5 pm");
    EXPECT_EQ(ClockText(u"End", 9, 30), u"End :  9:30 am");
    EXPECT_EQ(ClockText(u"Start", 23, 0), u"Start : 11:0 pm");
    EXPECT_EQ(RankingTimeText(13, 5, 9), u" 1: 5: 9 pm");
    EXPECT_EQ(RankingRatioText(30, 4), u"7.50");
    EXPECT_EQ(RankingRatioText(30, 0), u"0.00");
    const TournamentView view = View();
    EXPECT_EQ(RankingReward(view, 1), 50000u);
    EXPECT_EQ(RankingReward(view, 3), 10000u);
    for (uint16_t rank : {7, 17, 27, 37, 47}) EXPECT_EQ(RankingReward(view, rank), 3000u) << rank;
    EXPECT_EQ(RankingReward(view, 57), 0u);
    EXPECT_EQ(RankingReward(view, 8), 0u);
    const auto lines = RankingRuleLines(view);
    EXPECT_EQ(lines[0], u"Type : 3cushion");
    EXPECT_EQ(lines[1], u"Handi : 50 ~ 300");
    EXPECT_EQ(lines[2], u"Level : 1 ~ 50");
    EXPECT_EQ(lines[5], u"Participating fee : 1,000");
    EXPECT_EQ(lines[6], u"Vuzud reward : 3,000 (each 5 in 50)");
    EXPECT_EQ(lines[7], u"Rewards :  40 Exp.");
    TournamentView unknown = view;
    unknown.gameType = 200;
    EXPECT_EQ(RankingRuleLines(unknown)[0], u"Type : ") << "a type the table has not is named by nothing";
    EXPECT_EQ(RankingStatusLine(view), u"< No tournament is running at the moment. >");
    unknown.soon = true;
    EXPECT_EQ(RankingStatusLine(unknown), u"Tournament will start soon.");
}

TEST(TournamentTextsTest, TheRecordsNumbersAndScheduleBytesGiveTheViewsFields) {
    TournamentRecord record;
    record.kind = TournamentRecord::kKindRunning;
    record.running = 1;
    record.amounts = {10, 500, 3, 2, 1};
    record.handicapFrom = 30;
    record.handicapTo = 9999;
    record.schedule = {1, 20, 21, 30, 23, 15, 0, 0};
    const TournamentView view = TournamentView::From(record);
    EXPECT_TRUE(view.running);
    EXPECT_EQ(view.gameType, 10);
    EXPECT_EQ(view.fee, 500);
    EXPECT_EQ(view.prizes, (std::array<uint32_t, 3>{3, 2, 1}));
    EXPECT_EQ(view.levelTo, 20);
    EXPECT_EQ(view.startHour, 21);
    EXPECT_EQ(view.endMinute, 15);
}

TEST(DisplayModeTextTest, SizesShowTheirReducedRatioAndRatesFallBackBelowThenToTheLowest) {
    EXPECT_EQ(AspectRatioText(1280, 800), u"16:10");
    EXPECT_EQ(AspectRatioText(1680, 1050), u"16:10");
    EXPECT_EQ(AspectRatioText(1280, 1024), u"5:4");
    EXPECT_EQ(AspectRatioText(1024, 768), u"4:3");
    EXPECT_EQ(AspectRatioText(8, 5), u"8:5") << "a divisor of 1 is not halved to 0";
    EXPECT_EQ(AspectRatioText(0, 0), u"0:0");
    EXPECT_EQ(ResolutionText(1024, 768), u"1024 x  768  (4:3)");
    EXPECT_EQ(LeadingNumber(u"75 hz"), 75u);
    EXPECT_EQ(LeadingNumber(u"default"), 0u);
    const std::vector<uint32_t> offered{60, 75, 85};
    EXPECT_EQ(KeptRefreshRate(offered, 75), 75u);
    EXPECT_EQ(KeptRefreshRate(offered, 80), 75u);
    EXPECT_EQ(KeptRefreshRate(offered, 100), 85u);
    EXPECT_EQ(KeptRefreshRate(offered, 0), 60u);
    EXPECT_EQ(KeptRefreshRate({}, 60), 0u);
}

}  // namespace
}  // namespace kestrovan::test
