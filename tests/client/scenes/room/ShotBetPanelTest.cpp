// The shot betting panel: a first choice and one change are sent, a third is refused; no bet needs no money,
// the real bets do; the shooter cannot bet on his own miss; bets wait for the next turn; the log keeps 200
// lines and shows the newest three as they stand, a nickname's "%" included.
#include <gtest/gtest.h>

#include "client/connection/GameConnection.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/Panel.h"
#include "client/ui/TextLabel.h"
#include "tests/support/scenes/RecordingSender.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

class ShotBetPanelTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    ShotBetPanelTest() : SceneTestApp(AppMode::Online, {u"launcher"}) {
        root.Create(0, 0, 1024, 768, -1, -1);
        panel = static_cast<ShotBetPanel*>(root.AddChild(
            std::make_unique<ShotBetPanel>(*app.Connection(), sender,
                                           [this](quill::WStringView text) { notices.emplace_back(text); }),
            false));
        app.Connection()->LocalPlayer().money = 5000;
        panel->SetVisible(true);
        panel->NewShot(u"Kim", false);
        panel->SetBetOpen(true);
    }
    void Press(int32_t id) {
        Button* button = panel->BetButton(id);
        button->SetChecked(true);
        panel->OnEvent(button, 1, 0);
    }
    std::vector<uint8_t> Bet(uint8_t choice) const { return {5, 0, 0x96, 4, choice}; }

    Panel root;
    RecordingSender sender;
    std::vector<quill::WString> notices;
    ShotBetPanel* panel = nullptr;
};

TEST_F(ShotBetPanelTest, AChoiceAndOneChangeAreSentAndTheThirdIsRefused) {
    Press(ShotBetPanel::kMakesIt);
    Press(ShotBetPanel::kMisses);
    EXPECT_EQ(sender.sent, (std::vector<std::vector<uint8_t>>{Bet(1), Bet(2)}));
    EXPECT_TRUE(panel->BetButton(ShotBetPanel::kMisses)->IsChecked());
    EXPECT_FALSE(panel->BetButton(ShotBetPanel::kMakesIt)->IsChecked());
    Press(ShotBetPanel::kNoBet);
    EXPECT_EQ(sender.sent.size(), 2u);
    EXPECT_EQ(notices.back(), u"변경은 1회만 가능합니다.");
    EXPECT_FALSE(panel->BetButton(ShotBetPanel::kNoBet)->IsChecked());

    // The next shot starts the count again.
    panel->NewShot(u"Lee", false);
    EXPECT_TRUE(panel->BetButton(ShotBetPanel::kNoBet)->IsChecked());
    Press(ShotBetPanel::kNoBet);
    EXPECT_EQ(sender.sent.back(), Bet(0));
}

TEST_F(ShotBetPanelTest, MoneyOwnMissAndClosedBetsAreRefusedInOrder) {
    app.Connection()->LocalPlayer().money = 999;
    Press(ShotBetPanel::kMakesIt);
    EXPECT_EQ(notices.back(), u"보유 금액이 부족합니다.");
    Press(ShotBetPanel::kNoBet);
    EXPECT_EQ(sender.sent, std::vector<std::vector<uint8_t>>{Bet(0)}) << "no bet needs no money";

    app.Connection()->LocalPlayer().money = 1000;
    panel->NewShot(u"Me", true);
    Press(ShotBetPanel::kMisses);
    EXPECT_EQ(notices.back(), u"자기 차례는 못친다에 베팅할 수 없습니다.");
    Press(ShotBetPanel::kMakesIt);
    EXPECT_EQ(sender.sent.back(), Bet(1)) << "he may bet on making his own shot";

    panel->NewShot(u"Kim", false);
    panel->SetBetOpen(false);
    Press(ShotBetPanel::kMakesIt);
    EXPECT_EQ(notices.back(), u"다음 턴에 베팅할 수 있습니다.");
    EXPECT_EQ(sender.sent.size(), 2u);
}

TEST_F(ShotBetPanelTest, TheLogKeepsTwoHundredLinesAndShowsTheNewestThreeAsTheyStand) {
    // The rules were added when the panel showed and after the first shot's header.
    EXPECT_EQ(panel->LineAt(0).text, u"관전자는 획득금액 10%공제");
    EXPECT_EQ(panel->LineAt(0).colour, ShotBetPanel::kRulesColour);
    panel->AddBetLine(u"%s%d%n", 1);
    EXPECT_EQ(panel->ShownLine(2)->GetText(), u"%s%d%n님 친다에 베팅");
    EXPECT_EQ(panel->LineAt(panel->LineCount() - 1).colour, 0xFF00C000u);
    panel->AddBetLine(u"A", 2);
    panel->AddBetLine(u"B", 0);
    panel->AddBetLine(u"C", 7);
    EXPECT_EQ(panel->ShownLine(0)->GetText(), u"%s%d%n님 친다에 베팅");
    EXPECT_EQ(panel->ShownLine(1)->GetText(), u"A님 못친다에 베팅");
    EXPECT_EQ(panel->ShownLine(2)->GetText(), u"B님 베팅 안함");

    for (int i = 0; i < 250; ++i) panel->AddLine(u"x", 0);
    panel->AddLine(u"last", 0);
    EXPECT_EQ(panel->LineCount(), ShotBetPanel::kMaxLines);
    EXPECT_EQ(panel->ShownLine(2)->GetText(), u"last");

    panel->Reset();
    EXPECT_EQ(panel->LineCount(), 0u);
    EXPECT_FALSE(panel->ShownLine(0)->IsVisible());
    EXPECT_EQ(panel->BetAmount(), ShotBetPanel::kDefaultBet);
    EXPECT_EQ(panel->Title()->GetText(), u"1,000");
}

TEST_F(ShotBetPanelTest, PoolChannelsShowThePanelFolded) {
    panel->OnEvent(panel->FoldButton(), 0, 0);
    panel->FoldButton()->SetChecked(true);
    panel->OnEvent(panel->FoldButton(), 1, 0);
    EXPECT_EQ(panel->ViewMode(), 0);
    EXPECT_TRUE(panel->Folded()->IsVisible());
    EXPECT_FALSE(panel->Unfolded()->IsVisible());

    panel->SetVisible(false);
    app.Connection()->SetChannelKind(0, 5);
    app.Connection()->SetCurrentChannel(1);
    panel->SetVisible(true);
    EXPECT_FALSE(panel->FoldButton()->IsVisible());
    EXPECT_EQ(panel->ViewMode(), 0);
}

}  // namespace
}  // namespace kestrovan::test
