// The lobby's tournament popups against the stand-in server's player script: My Info's tournament event opens
// the status window, its race button the ranking chart, whose request the server answers with a page that
// the lobby hands on from the dispatch thread; a race notice the server pushes refreshes the chart's rules.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "client/scenes/lobby/RankingChart.h"
#include "client/scenes/lobby/TournamentInfoPopup.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/lobby/LobbyScreen.h"
#include "tests/support/net/GameServerScripts.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

class LobbyTournamentTest : public LobbyScreen {
protected:
    LobbyTournamentTest() : LobbyScreen(true) {}
    template <class T>
    T* Shown() {
        for (Widget* child : lobby->GetChildren()) {
            if (auto* popup = dynamic_cast<T*>(child); popup != nullptr && popup->IsVisible()) return popup;
        }
        return nullptr;
    }
};

TEST_F(LobbyTournamentTest, TheStatusWindowLeadsToTheRankingWhichTheServerFills) {
    ASSERT_TRUE(connected);
    kvtest::InstallPlayerScript(server);
    Enter();
    // The events come as the main loop hands them over, through the scene manager: the ranking's answer may
    // reach the chart on the dispatch thread while the status window still closes.
    app.Scenes().OnMessage(quill::AppEventId::TournamentInfoOpen, 0, 0);
    {
        const quill::ScopedLock turn = MainThreadTurn();
        TournamentInfoPopup* info = Shown<TournamentInfoPopup>();
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->Line(1, 0)->GetText(), u"No tournament info");
    }

    app.Scenes().OnMessage(quill::AppEventId::TournamentPopupClose, 1, 0);
    RankingChart* chart = nullptr;
    {
        const quill::ScopedLock turn = MainThreadTurn();
        chart = Shown<RankingChart>();
    }
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(Sent(MessageId::RankingRequest), (std::vector<uint8_t>{0x06, 0x00, 0x7E, 0x04, 0x01, 0x00}));
    ASSERT_TRUE(Eventually([&] { return chart->PageArrived(); }));
    EXPECT_EQ(chart->Cell(0, 1)->GetText(), u"Ann");
    EXPECT_EQ(chart->Cell(2, 3)->GetText(), u"0.00");
    EXPECT_TRUE(chart->Cell(2, 0)->IsVisible());
    EXPECT_FALSE(chart->Cell(3, 0)->IsVisible());

    server.Send(kvtest::RaceTournamentNoticeMessage(kvtest::TestTournament{}));
    // The dispatch thread writes the status, then the times, then the rules.
    ASSERT_TRUE(Eventually([&] { return chart->RuleLine(7)->GetText() == u"Rewards :  40 Exp."; }));
    EXPECT_EQ(chart->StatusLabel()->GetText(), u"Tournament is in progress.");
    EXPECT_EQ(chart->StartLabel()->GetText(), u"Start :  8:0 pm");
    EXPECT_EQ(chart->RuleLine(0)->GetText(), u"Type : 3cushion");
}

}  // namespace
}  // namespace kestrovan::test
