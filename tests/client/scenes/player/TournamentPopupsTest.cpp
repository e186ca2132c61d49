// The lobby's tournament popups on a headless online App: the status window's lines and buttons, the alarm
// dialog's two forms in bytes, and the ranking chart's rules, requests, pages (whole, short, over-long and
// hostile) and scrolling.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "client/scenes/lobby/RankingChart.h"
#include "client/scenes/lobby/TournamentAlarmDialog.h"
#include "client/scenes/lobby/TournamentInfoPopup.h"
#include "client/scenes/lobby/TournamentPopups.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/player/PlayerWindows.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;
using Bytes = std::vector<uint8_t>;

class TournamentPopupsTest : public PlayerWindows {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    TournamentPopupsTest() {
        auto hostOwned = std::make_unique<RecordingPlayerHost>(app);
        host = hostOwned.get();
        popups = std::make_unique<TournamentPopups>(std::move(hostOwned), Screen());
    }
    void SetRecord(uint8_t kind, bool shown) {
        TournamentRecord record;
        record.kind = kind;
        record.soon = kind == TournamentRecord::kKindSoon ? 1 : 0;
        record.running = kind == TournamentRecord::kKindRunning ? 1 : 0;
        record.shown = shown ? 1 : 0;
        record.amounts = {3, 1000, 50000, 20000, 10000};
        record.handicapFrom = 50;
        record.handicapTo = 300;
        record.schedule = {1, 50, 12, 5, 23, 30, 0, 0};
        app.Connection()->SetTournament(record);
    }
    static quill::Packet Page(uint16_t first, size_t rows, bool endMark = true) {
        quill::Packet p;
        p.Init(MessageId::TournamentSchedule).WriteU16(42).WriteU16(0);
        for (size_t n = 0; n < rows; ++n) {
            p.WriteU16(static_cast<uint16_t>(first + n)).WriteWString(u"Racer").WriteU16(30).WriteU8(n == 0 ? 0 : 4);
            p.WriteU8(13).WriteU8(5).WriteU8(9);
        }
        if (endMark) p.WriteU16(9999);
        return kvtest::AsReceived(std::move(p));
    }
    void Deliver(quill::Packet packet) { popups->OnSchedule(packet); }
    std::vector<Bytes> Sent(MessageId id) { return host->sender.Of(id); }
    quill::WString Cell(size_t row, size_t column) { return popups->Ranking().Cell(row, column)->GetText(); }

    RecordingPlayerHost* host = nullptr;
    std::unique_ptr<TournamentPopups> popups;
};

TEST_F(TournamentPopupsTest, TheStatusWindowTellsTheRaceAndItsFirstButtonOpensTheChart) {
    TournamentInfoPopup& info = popups->Info();
    SetRecord(TournamentRecord::kKindSoon, true);
    popups->ShowInfo();
    ASSERT_TRUE(info.IsVisible());
    EXPECT_EQ(info.GetParent(), &Screen());
    EXPECT_EQ(info.Line(0, 0)->GetText(), u"Start :  0:5 pm");
    EXPECT_EQ(info.Line(1, 0)->GetText(), u"No tournament info");
    EXPECT_EQ(info.Line(2, 0)->GetText(), u"No tournament is running");
    EXPECT_EQ(info.Line(0, 1)->GetText(), u"");
    SetRecord(TournamentRecord::kKindRunning, true);
    popups->ShowInfo();
    EXPECT_EQ(info.Line(0, 0)->GetText(), u"Kestrovan Race is in progress.");
    SetRecord(0, true);
    popups->ShowInfo();
    EXPECT_EQ(info.Line(0, 0)->GetText(), u"No tournament is running");

    // The three choice buttons are 162 x 44, wider than the popup's Close button.
    int choices = 0;
    for (Widget* child : info.GetChildren()) {
        if (child->GetId() < TournamentInfoPopup::kRace || child->GetId() > TournamentInfoPopup::kRace + 2) continue;
        ++choices;
        EXPECT_EQ(child->Width(), 162) << child->GetId();
        EXPECT_EQ(child->Height(), 44) << child->GetId();
    }
    EXPECT_EQ(choices, 3);

    Press(info, TournamentInfoPopup::kTour);
    EXPECT_EQ(Box().Line(0).GetText(), u"No tournament info");
    EXPECT_TRUE(info.IsVisible());
    Press(info, TournamentInfoPopup::kRace);
    EXPECT_FALSE(info.IsVisible());
    EXPECT_EQ(host->Posted(), (std::vector<PostedEvent>{{quill::AppEventId::TournamentPopupClose, 1, 0, 0}}));
}

TEST_F(TournamentPopupsTest, TheAlarmIsSetAndClearedInItsTwoForms) {
    TournamentAlarmDialog& alarm = popups->Alarm();
    popups->ShowAlarm();
    EXPECT_EQ(alarm.LevelToList()->GetSelected(), 49);
    EXPECT_EQ(alarm.GameTypeList()->GetItemText(0), u"4balls korean carom");
    EXPECT_EQ(alarm.HandicapFromList()->GetItemText(1), u"30 over");
    EXPECT_EQ(alarm.HandicapToList()->GetFilledRows(), 15) << "No limit and the ladder up to 2000";
    alarm.GameTypeList()->Select(6);  // 8-ball, after the six carom types
    alarm.NumberBox()->SetText(u"5");
    alarm.HourList(0)->Select(20);
    alarm.MinuteList(0)->Select(6);
    alarm.HourList(1)->Select(21);
    alarm.HourList(2)->Select(22);
    alarm.MinuteList(2)->Select(11);
    Press(alarm, TournamentAlarmDialog::kSet);
    Press(alarm, TournamentAlarmDialog::kClear);
    EXPECT_EQ(Sent(MessageId::TournamentAlarm),
              (std::vector<Bytes>{{0x17, 0x00, 0x49, 0x00, 0x01, 0x01, 0x0A, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0F,
                                   0x27, 0x01, 0x32, 0x14, 0x1E, 0x15, 0x00, 0x16, 0x37},
                                  {0x05, 0x00, 0x49, 0x00, 0x00}}));
    alarm.HandicapFromList()->Select(2);
    alarm.NumberBox()->SetText(u"x1");
    Press(alarm, TournamentAlarmDialog::kSet);
    const Bytes withLimit = Sent(MessageId::TournamentAlarm).back();
    EXPECT_EQ(withLimit[7], 0) << "a number that is not one is sent as 0";
    EXPECT_EQ(withLimit[11] | withLimit[12] << 8, 50);
    Press(alarm, TournamentAlarmDialog::kClose);
    EXPECT_FALSE(alarm.IsVisible());
}

TEST_F(TournamentPopupsTest, TheChartAsksForItsFirstPageAndShowsTheRulesAndRows) {
    SetRecord(TournamentRecord::kKindRunning, true);
    RankingChart& chart = popups->Ranking();
    popups->ShowRanking();
    ASSERT_TRUE(chart.IsVisible());
    EXPECT_EQ(Sent(MessageId::RankingRequest), (std::vector<Bytes>{{0x06, 0x00, 0x7E, 0x04, 0x01, 0x00}}));
    EXPECT_EQ(chart.StatusLabel()->GetText(), u"Tournament is in progress.");
    EXPECT_EQ(chart.StartLabel()->GetText(), u"Start :  0:5 pm");
    EXPECT_TRUE(chart.StartLabel()->IsVisible());
    EXPECT_EQ(chart.RuleLine(0)->GetText(), u"Type : 3cushion");
    EXPECT_EQ(chart.RuleLine(7)->GetText(), u"Rewards :  40 Exp.");
    EXPECT_TRUE(chart.ReadingLabel()->IsVisible());
    EXPECT_EQ(chart.Pager()->GetCount(), RankingChart::kPages);

    Deliver(Page(1, 17));
    EXPECT_TRUE(chart.PageArrived());
    EXPECT_EQ(chart.Kept(), 42);
    EXPECT_FALSE(chart.ReadingLabel()->IsVisible());
    EXPECT_EQ(Cell(0, 0), u"1");
    EXPECT_EQ(Cell(0, 1), u"Racer");
    EXPECT_EQ(Cell(0, 3), u"0.00") << "no games";
    EXPECT_EQ(Cell(1, 3), u"7.50");
    EXPECT_EQ(Cell(0, 4), u" 1: 5: 9 pm");
    EXPECT_EQ(Cell(0, 5), u"50,000");
    EXPECT_EQ(Cell(3, 5), u"") << "rank 4 wins nothing";
    EXPECT_TRUE(chart.Cell(14, 0)->IsVisible()) << "fifteen rows of the over-long page";

    Deliver(Page(1, 2));
    EXPECT_TRUE(chart.Cell(1, 0)->IsVisible());
    EXPECT_FALSE(chart.Cell(2, 0)->IsVisible()) << "the rows after a short page hide";
    Deliver(Page(1, 0));
    EXPECT_FALSE(chart.Cell(0, 0)->IsVisible());

    quill::Packet hostile;
    hostile.Init(MessageId::TournamentSchedule).WriteU16(1).WriteU16(1).WriteU16(1).WriteU16(3000);
    Deliver(kvtest::AsReceived(std::move(hostile)));
    EXPECT_FALSE(chart.Cell(0, 0)->IsVisible()) << "a row cut short is not shown";

    SetRecord(TournamentRecord::kKindSoon, true);
    popups->OnTournamentChanged();
    EXPECT_EQ(chart.StatusLabel()->GetText(), u"Tournament will start soon.");
    EXPECT_FALSE(chart.ReadingLabel()->IsVisible()) << "no ranking before the start";
    SetRecord(0, true);
    popups->OnTournamentChanged();
    EXPECT_FALSE(chart.StartLabel()->IsVisible());
}

TEST_F(TournamentPopupsTest, ScrollingAsksForAnotherPageOnlyOnceTheShownOneArrived) {
    RankingChart& chart = popups->Ranking();
    popups->ShowRanking();
    const auto scroll = [&](int32_t page) {
        chart.Pager()->SetPosition(page, false);
        chart.OnEvent(chart.Pager(), page + 1, 0);
    };
    scroll(2);
    EXPECT_EQ(Sent(MessageId::RankingRequest).size(), 1u) << "while waiting nothing is asked";
    Deliver(Page(1, 15));
    scroll(0);
    EXPECT_EQ(Sent(MessageId::RankingRequest).size(), 1u) << "the page already shown";
    scroll(2);
    EXPECT_EQ(Sent(MessageId::RankingRequest).back(), (Bytes{0x06, 0x00, 0x7E, 0x04, 31, 0x00}));
    EXPECT_EQ(chart.FirstRank(), 31);
    EXPECT_FALSE(chart.PageArrived());
    EXPECT_TRUE(chart.ReadingLabel()->IsVisible());
    Deliver(Page(31, 15));
    EXPECT_EQ(Cell(6, 0), u"37");
    EXPECT_EQ(Cell(6, 5), u"") << "no lucky reward is carried by the notice";
}

}  // namespace
}  // namespace kestrovan::test
