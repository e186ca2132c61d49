// The room's option dialog: what the master and the others may change, the rows each game type offers, the
// players that cannot be dropped below those present, confirmation without a change, the restricted-change
// marker, the empty title; and the stake and handicap panels it is built from.
#include "client/scenes/common/GameOptionDialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "QuillLib/gamedata/LevelTables.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/HandicapRangePanel.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/common/StakePanel.h"
#include "client/scenes/common/TableBallSelector.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

TEST(RoomOptions, ARuleFlagOrStakeChangeIsRestrictedWhateverElseChanged) {
    RoomOptions room{u"Room", u"", 4, 0, 30, 0, 1, u"master", 0, 0, 1020, 2003};
    EXPECT_FALSE(RoomOptions::Compare(room, room).changed);

    RoomOptions chosen = room;
    chosen.title = u"Other";
    EXPECT_TRUE(RoomOptions::Compare(room, chosen).changed);
    EXPECT_FALSE(RoomOptions::Compare(room, chosen).restricted);
    // A title changed together with the stake is still a restricted change.
    chosen.stakeIndex = 2;
    EXPECT_TRUE(RoomOptions::Compare(room, chosen).restricted);

    for (auto change : {+[](RoomOptions& o) { o.ruleOption = 1; }, +[](RoomOptions& o) { o.flags = 8; }}) {
        RoomOptions other = room;
        change(other);
        EXPECT_TRUE(RoomOptions::Compare(room, other).changed);
        EXPECT_TRUE(RoomOptions::Compare(room, other).restricted);
    }
    chosen = room;
    chosen.master = u"another";
    EXPECT_FALSE(RoomOptions::Compare(room, chosen).restricted);
    EXPECT_TRUE(RoomOptions::Compare(room, chosen).changed);
}

class GameOptionDialogTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    GameOptionDialogTest() {
        root.Create(0, 0, 1024, 768, -1, -1);
        auto owned = std::make_unique<GameOptionDialog>(
            *app.Connection(), [this](uint32_t id, uint32_t, uint32_t, uint32_t) { posted.push_back(id); },
            [this](quill::WStringView line) { errors.emplace_back(line); });
        dialog = static_cast<GameOptionDialog*>(root.AddChild(std::move(owned), false));
        room.title = u"Friday";
        room.gameType = 4;
        room.playerCount = 4;
        room.maxPlayers = 6;
        room.inningTime = 30;
        room.slotIndex = 2;
        room.open = 0;
        room.tableItem = 1024;
        room.ballItem = 2004;
        for (size_t seat = 0; seat < 3; ++seat) {
            members[seat].name = seat == 0 ? u"ace" : seat == 1 ? u"bob" : u"cid";
            players[seat] = &members[seat];
        }
        quill::PlayerState& self = app.Connection()->LocalPlayer();
        self.membershipGrade = 1;
        self.ratingByType[4] = 300;
    }

    void Open(bool master) {
        dialog->Load(room, master, players, 1);
        dialog->SetVisible(true);
    }

    Panel root;
    GameOptionDialog* dialog = nullptr;
    quill::RoomInfo room;
    std::array<quill::PlayerState, 3> members;
    std::array<const quill::PlayerState*, GameOptionDialog::kSeats> players{};
    std::vector<uint32_t> posted;
    std::vector<quill::WString> errors;
};

TEST_F(GameOptionDialogTest, TheMasterMayChangeEverythingTheOthersOnlyLook) {
    Open(true);
    EXPECT_TRUE(dialog->TitleEdit()->IsEnabled());
    EXPECT_TRUE(dialog->PasswordEdit()->IsEnabled()) << "a member may set a password";
    EXPECT_TRUE(dialog->MasterCombo()->IsEnabled());
    EXPECT_TRUE(dialog->OkButton()->IsVisible());
    EXPECT_FALSE(dialog->CloseButton()->IsVisible());
    EXPECT_EQ(dialog->MasterCombo()->GetSelected(), 1);
    EXPECT_EQ(dialog->TitleEdit()->GetText(), u"Friday");
    EXPECT_EQ(dialog->PlayersCombo()->GetSelected(), 5);
    EXPECT_EQ(dialog->TimeCombo()->GetSelected(), 3);
    // Four players are present: the room cannot be made smaller than that.
    EXPECT_FALSE(dialog->PlayersCombo()->GetRow(2)->IsEnabled());
    EXPECT_TRUE(dialog->PlayersCombo()->GetRow(3)->IsEnabled());
    // Type 4 has the four point targets as rule options.
    EXPECT_EQ(dialog->OptionCombo()->GetFilledRows(), 4);
    EXPECT_EQ(dialog->OptionCombo()->GetSelected(), 2);
    EXPECT_EQ(dialog->OptionCombo()->GetItemText(0), u"3Cushion 10pts");
    dialog->SetVisible(false);

    app.Connection()->LocalPlayer().membershipGrade = 0;
    Open(false);
    for (Widget* control : std::initializer_list<Widget*>{dialog->TitleEdit(), dialog->PasswordEdit(),
                                                          dialog->PlayersCombo(), dialog->TimeCombo(),
                                                          dialog->MasterCombo(), dialog->Stake()}) {
        EXPECT_FALSE(control->IsEnabled());
    }
    EXPECT_FALSE(dialog->OkButton()->IsVisible());
    EXPECT_TRUE(dialog->CloseButton()->IsVisible());
}

TEST_F(GameOptionDialogTest, RuleOptionsByGameType) {
    EXPECT_EQ(GameOptionDialog::RuleOptionRows(0).size(), 3u);
    EXPECT_EQ(GameOptionDialog::RuleOptionRows(3).size(), 2u);
    EXPECT_TRUE(GameOptionDialog::RuleOptionRows(12).empty());
    room.gameType = 12;
    Open(true);
    EXPECT_FALSE(dialog->OptionCombo()->IsEnabled()) << "a 9-ball room has no rule option";
    EXPECT_EQ(dialog->OptionCombo()->GetSelected(), -1);
}

TEST_F(GameOptionDialogTest, OkPostsOnlyAChangeAndMarksARestrictedOne) {
    Open(true);
    dialog->OnEvent(dialog->OkButton(), 0, 0);
    EXPECT_TRUE(posted.empty()) << "nothing changed, nothing posted";
    EXPECT_FALSE(dialog->IsVisible());

    Open(true);
    dialog->TitleEdit()->SetText(u"Saturday");
    dialog->OnEvent(dialog->OptionCombo(), 0, 0);
    dialog->OnEvent(dialog->OkButton(), 0, 0);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], quill::AppEventId::GameOptionApply);
    EXPECT_TRUE(dialog->RestrictedChange()) << "a rule change with a title change is still restricted";
    EXPECT_EQ(dialog->Room().title, u"Saturday");
    EXPECT_EQ(dialog->Room().slotIndex, 0);

    posted.clear();
    Open(true);
    dialog->OnEvent(dialog->MasterCombo(), 2, 0);
    dialog->OnEvent(dialog->OkButton(), 0, 0);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_FALSE(dialog->RestrictedChange());
    EXPECT_EQ(dialog->Chosen().master, u"cid");

    posted.clear();
    Open(true);
    dialog->TitleEdit()->SetText(u"");
    dialog->OnEvent(dialog->OkButton(), 0, 0);
    EXPECT_TRUE(posted.empty());
    EXPECT_TRUE(dialog->IsVisible()) << "an empty title keeps the dialog open";
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], u"Enter room title.");
}

TEST_F(GameOptionDialogTest, StakeRowsAndHandicapBoundsAroundThePlayer) {
    StakePanel stake;
    stake.SetGameType(2);
    EXPECT_EQ(stake.Combo()->GetFilledRows(), 4);
    EXPECT_EQ(stake.Combo()->GetItemText(0), u"1,000 / 2,000");
    stake.SetGameType(4);
    EXPECT_EQ(stake.Combo()->GetFilledRows(), 1);
    EXPECT_EQ(stake.Combo()->GetItemText(0), u"Friendly");
    stake.SetGameType(10);
    EXPECT_EQ(stake.Combo()->GetItemText(1), u"200");
    stake.Select(3);
    stake.SetGameType(2);
    EXPECT_EQ(stake.RememberedRow(10), 3) << "each type keeps its own row";

    std::vector<quill::WString> refused;
    HandicapRangePanel handicap([](quill::GameType) { return uint16_t{300}; },
                                [&](quill::WStringView line) { refused.emplace_back(line); });
    handicap.SetGameType(0);
    const int32_t own = HandicapRangePanel::RowOfThreshold(300);
    ASSERT_GT(own, 0) << "300 is a step of the ladder";
    EXPECT_EQ(HandicapRangePanel::ThresholdOfRow(own), 300);
    handicap.OnEvent(handicap.MinimumCombo(), own + 1, 0);
    EXPECT_EQ(handicap.GetMinimum(), 0) << "a lowest bound above the player is refused";
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0], u"You cannot be away from your handicap.");
    handicap.OnEvent(handicap.MinimumCombo(), own, 0);
    EXPECT_EQ(handicap.GetMinimum(), 300);
    handicap.OnEvent(handicap.MaximumCombo(), own - 1, 0);
    EXPECT_EQ(handicap.GetMaximum(), 0) << "below the lowest bound: nothing changes";
    handicap.OnEvent(handicap.MaximumCombo(), own + 2, 0);
    EXPECT_EQ(handicap.GetMaximum(), quill::GetHandicapStep(static_cast<uint32_t>(own + 1)));
}

// Every player may turn the room's table and ball: the press on a preview is the preview's and starts no drag of
// the dialog, and the preview keeps the mouse until the release, wherever the pointer goes meanwhile. A press on
// the dialog's face beside it drags the dialog.
TEST_F(GameOptionDialogTest, ThePreviewsTurnUnderTheirOwnDragAndTheDialogStays) {
    namespace Msg = platform::Msg;
    constexpr platform::WParam kLeftHeld = platform::MouseKey::LButton;
    const auto at = [](int32_t x, int32_t y) { return platform::MakePointLParam(x, y); };
    Open(false);
    ItemPreview& ball = *dialog->Selector()->BallPreview();
    const WidgetRect frame = dialog->GetRect();
    const WidgetRect view = ball.GetRect();
    EXPECT_TRUE(root.RouteMessage(Msg::LButtonDown, kLeftHeld, at(view.left + 10, view.top + 10)));
    EXPECT_TRUE(ball.IsDragging());
    // Over the table preview beside it and out of the dialog: still the ball's drag.
    for (const int32_t dx : {-150, 400})
        EXPECT_TRUE(root.RouteMessage(Msg::MouseMove, kLeftHeld, at(view.left + dx, view.top)));
    EXPECT_TRUE(ball.IsDragging());
    root.RouteMessage(Msg::LButtonUp, 0, at(view.left + 400, view.top));
    EXPECT_FALSE(ball.IsDragging());
    EXPECT_EQ(dialog->GetRect(), frame);

    root.RouteMessage(Msg::LButtonDown, kLeftHeld, at(frame.left + 20, frame.top + 20));
    root.RouteMessage(Msg::MouseMove, kLeftHeld, at(frame.left + 50, frame.top + 60));
    root.RouteMessage(Msg::LButtonUp, 0, at(frame.left + 50, frame.top + 60));
    EXPECT_EQ(dialog->GetRect().left, frame.left + 30) << "the face drags the dialog";
}

}  // namespace
}  // namespace kestrovan::test
