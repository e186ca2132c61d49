// The room creation dialog: the types, stakes and options each kind of channel offers, the refusals, the
// checks on OK, the room record it confirms and the CreateRoom bytes the lobby sends from it.
#include "client/scenes/lobby/RoomCreateDialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "QuillLib/net/Packet.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/HandicapRangePanel.h"
#include "client/scenes/common/StakePanel.h"
#include "client/scenes/common/TableBallSelector.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/lobby/CreateRoomRequest.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/Panel.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

namespace type = quill::game_type;

class RoomCreateDialogTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    RoomCreateDialogTest() {
        root.Create(0, 0, 1024, 768, -1, -1);
        auto owned = std::make_unique<RoomCreateDialog>(
            *app.Connection(), [this](uint32_t id, uint32_t, uint32_t, uint32_t) { posted.push_back(id); },
            [this](quill::WStringView line) { notices.emplace_back(line); },
            [this](quill::WStringView line) { errors.emplace_back(line); });
        dialog = static_cast<RoomCreateDialog*>(root.AddChild(std::move(owned), false));
        quill::PlayerState& self = app.Connection()->LocalPlayer();
        self.membershipGrade = 1;
        self.ratingByType[type::kFourBall] = 250;
        self.ratingByType[type::kThreeCushion] = 150;
    }

    // The current channel (the third) is of the kind.
    void EnterChannel(int16_t kind) {
        app.Connection()->SetChannelKind(2, kind);
        app.Connection()->SetCurrentChannel(3);
    }

    void Open(int16_t kind) {
        EnterChannel(kind);
        dialog->SetVisible(false);
        dialog->SetVisible(true);
    }

    // The shown type buttons of a column (x 219 carom, 46 pocket), top to bottom.
    std::vector<quill::GameType> Column(int32_t x) const {
        std::vector<std::pair<int32_t, quill::GameType>> shown;
        for (quill::GameType t = 0; t < quill::kGameTypeCount; ++t) {
            const Button* button = dialog->TypeButton(t);
            if (button != nullptr && button->IsVisible() && button->GetRect().left - dialog->GetRect().left == x) {
                shown.emplace_back(button->GetRect().top - dialog->GetRect().top, t);
            }
        }
        std::sort(shown.begin(), shown.end());
        std::vector<quill::GameType> types;
        for (const auto& [y, t] : shown) types.push_back(t);
        return types;
    }

    void Click(Widget* source, int32_t a = 0) { dialog->OnEvent(source, a, 0); }
    void ClickType(quill::GameType t) { Click(dialog->TypeButton(t)); }
    void Confirm() { Click(dialog->OkButton()); }

    std::vector<uint8_t> CreateRoomBytes() {
        quill::Packet packet;
        WriteCreateRoom(packet, dialog->Room());
        packet.Finish();
        const auto bytes = packet.Bytes();
        return {bytes.begin(), bytes.end()};
    }

    Panel root;
    RoomCreateDialog* dialog = nullptr;
    std::vector<uint32_t> posted;
    std::vector<quill::WString> notices;
    std::vector<quill::WString> errors;
};

TEST_F(RoomCreateDialogTest, EachKindOfChannelOffersItsTypes) {
    Open(RoomCreateDialog::kAllCarom);
    EXPECT_EQ(Column(219), (std::vector<quill::GameType>{0, 2, 3, 5, 4, 6}));
    EXPECT_TRUE(Column(46).empty()) << "no pocket column in the all-carom channel";
    EXPECT_EQ(dialog->TypeButton(0)->GetRect().top - dialog->GetRect().top, 110) << "the first row sits at y 110";
    EXPECT_EQ(dialog->SelectedType(), type::kFourBall);

    Open(RoomCreateDialog::kBeginner);
    EXPECT_EQ(Column(219), (std::vector<quill::GameType>{0, 2, 3, 5, 4, 6}));
    EXPECT_EQ(Column(46), (std::vector<quill::GameType>{10, 12, 13}));

    Open(RoomCreateDialog::kTeens);
    EXPECT_EQ(Column(219), (std::vector<quill::GameType>{0, 3, 4}));
    EXPECT_EQ(Column(46), (std::vector<quill::GameType>{10, 12, 13}));

    // The pool channels: no carom column, and 8-ball chosen, also in the pool beginners' channel where the
    // four-ball fallback would make a carom room without a button for it.
    for (int16_t kind : {RoomCreateDialog::kPool, RoomCreateDialog::kPoolBeginner}) {
        Open(kind);
        EXPECT_TRUE(Column(219).empty()) << kind;
        EXPECT_EQ(Column(46), (std::vector<quill::GameType>{10, 12, 13, 16})) << kind;
        EXPECT_EQ(dialog->SelectedType(), type::kEightBall) << kind;
        EXPECT_TRUE(dialog->TypeButton(type::kEightBall)->IsChecked());
        EXPECT_EQ(dialog->Room().gameType, type::kEightBall);
    }

    // Any other kind offers nothing.
    Open(0);
    EXPECT_TRUE(Column(219).empty());
    EXPECT_TRUE(Column(46).empty());
}

TEST_F(RoomCreateDialogTest, TheTournamentChannelMakesOnlyItsRace) {
    app.Connection()->SetRace(type::kNineBall, u"Spring cup");
    Open(RoomCreateDialog::kTournament);
    EXPECT_EQ(Column(46), (std::vector<quill::GameType>{12}));
    EXPECT_TRUE(Column(219).empty());
    EXPECT_EQ(dialog->SelectedType(), type::kNineBall);
    EXPECT_EQ(dialog->TitleEdit()->GetText(), u"Race - Spring cup -");
    EXPECT_FALSE(dialog->TitleEdit()->IsEnabled());
    Confirm();
    ASSERT_EQ(posted, (std::vector<uint32_t>{quill::AppEventId::CreateRoomConfirm}));
    EXPECT_EQ(dialog->Room().gameType, type::kNineBall);
    EXPECT_EQ(dialog->Room().title, u"Race - Spring cup -");

    // A race name longer than the title keeps the frame around a cut name; a race of a type the client has
    // no rules for makes no room.
    app.Connection()->SetRace(0xF0, u"A very long name of a race that goes on and on");
    Open(RoomCreateDialog::kTournament);
    EXPECT_EQ(dialog->TitleEdit()->GetText(), u"Race - A very long name of a r -");
    EXPECT_EQ(dialog->TitleEdit()->GetText().size(), 32u);
    EXPECT_FALSE(dialog->OkButton()->IsEnabled());
    EXPECT_TRUE(Column(46).empty());
    EXPECT_TRUE(Column(219).empty());
}

TEST_F(RoomCreateDialogTest, StakesFollowTheTypeAndTheChannel) {
    Open(RoomCreateDialog::kAllCarom);
    ComboBox* stakes = dialog->Stake()->Combo();
    ASSERT_EQ(stakes->GetFilledRows(), 5);
    EXPECT_EQ(stakes->GetItemText(0), u"Friendly");
    EXPECT_EQ(stakes->GetItemText(1), u"200");
    EXPECT_EQ(stakes->GetItemText(4), u"2,000");
    ClickType(type::kOneCushionGamble);
    EXPECT_EQ(stakes->GetItemText(3), u"10,000 / 20,000");
    ClickType(type::kThreeCushionPro);
    EXPECT_EQ(stakes->GetFilledRows(), 1) << "the pro game is friendly only";
    EXPECT_FALSE(dialog->Handicap()->IsVisible()) << "and keeps no handicap range";

    Open(RoomCreateDialog::kBeginner);
    ClickType(type::kFourBall);
    ASSERT_EQ(stakes->GetFilledRows(), 4);
    EXPECT_EQ(stakes->GetItemText(1), u"100");
    EXPECT_EQ(stakes->GetItemText(3), u"500");
    EXPECT_TRUE(dialog->Handicap()->IsVisible());

    // The teens channel plays without a stake: the panel is hidden and index 0 is sent.
    Open(RoomCreateDialog::kAllCarom);
    dialog->Stake()->Select(3);
    Open(RoomCreateDialog::kTeens);
    EXPECT_FALSE(dialog->Stake()->IsVisible());
    Confirm();
    EXPECT_EQ(dialog->Room().open, 0) << "the stake index";
}

TEST_F(RoomCreateDialogTest, TheNoviceChannelAndSnookerRefuseTheirTypes) {
    Open(RoomCreateDialog::kBeginner);
    for (quill::GameType refused : {2, 3, 4, 5, 6}) {
        ClickType(refused);
        EXPECT_FALSE(dialog->TypeButton(refused)->IsChecked()) << refused;
        EXPECT_EQ(dialog->SelectedType(), type::kFourBall);
    }
    ASSERT_EQ(notices.size(), 5u);
    EXPECT_EQ(notices[0], u"Selected game cannot be created in the novice channel.");
    EXPECT_TRUE(dialog->TypeButton(type::kFourBall)->IsChecked()) << "the choice stays";
    ClickType(type::kNineBall);
    EXPECT_EQ(dialog->SelectedType(), type::kNineBall);

    Open(RoomCreateDialog::kPool);
    notices.clear();
    ClickType(type::kSnooker);
    EXPECT_EQ(notices, (std::vector<quill::WString>{u"This game is currently available in Practice."}));
    EXPECT_EQ(dialog->SelectedType(), type::kNineBall) << "the 9-ball chosen last, which the pool channel offers";

    // A carom type chosen elsewhere and remembered is refused again on OK in the novice channel... unless the
    // dialog's own fallback replaced it: here the remembered 3-cushion is offered (but refused) in kind 1.
    Open(RoomCreateDialog::kAllCarom);
    ClickType(type::kThreeCushion);
    Open(RoomCreateDialog::kBeginner);
    EXPECT_EQ(dialog->SelectedType(), type::kThreeCushion);
    notices.clear();
    Confirm();
    EXPECT_EQ(notices, (std::vector<quill::WString>{u"Selected game cannot be created in the novice channel."}));
    EXPECT_TRUE(posted.empty());
    EXPECT_TRUE(dialog->IsVisible());
}

TEST_F(RoomCreateDialogTest, OptionBoxesFollowHandicapStakeAndMembership) {
    Open(RoomCreateDialog::kAllCarom);
    EXPECT_TRUE(dialog->Flag8Box()->IsVisible()) << "four-ball from a handicap of 200";
    EXPECT_TRUE(dialog->Flag16Box()->IsVisible()) << "a member's friendly room";
    EXPECT_TRUE(dialog->Flag16Box()->IsChecked());
    ClickType(type::kThreeCushion);
    EXPECT_FALSE(dialog->Flag8Box()->IsVisible()) << "three-cushion at 150 is below 200";
    ClickType(type::kSixBalls);
    EXPECT_FALSE(dialog->Flag16Box()->IsVisible()) << "a gamble is never friendly";
    ClickType(type::kFourBall);
    dialog->Stake()->Select(2);
    dialog->OnEvent(dialog->Stake(), 2, 0);
    EXPECT_FALSE(dialog->Flag16Box()->IsVisible()) << "not with a stake";

    app.Connection()->LocalPlayer().membershipGrade = 0;
    Open(RoomCreateDialog::kAllCarom);
    EXPECT_FALSE(dialog->PasswordEdit()->IsEnabled()) << "passwords are for members";
    dialog->Stake()->Select(0);
    dialog->OnEvent(dialog->Stake(), 0, 0);
    EXPECT_FALSE(dialog->Flag16Box()->IsVisible());
}

TEST_F(RoomCreateDialogTest, OkChecksTheTitleAndConfirmsTheRoomRecord) {
    Open(RoomCreateDialog::kAllCarom);
    EXPECT_EQ(dialog->TitleEdit()->GetText(), u"World best billiards Kestrovan~");
    dialog->TitleEdit()->SetText(u"");
    Confirm();
    EXPECT_EQ(errors, (std::vector<quill::WString>{u"Enter room title."}));
    EXPECT_TRUE(posted.empty());
    EXPECT_TRUE(dialog->IsVisible());

    dialog->TitleEdit()->SetText(u"Sunday");
    Click(dialog->PlayersCombo(), 7);
    Click(dialog->TimeCombo(), 0);
    dialog->Stake()->Select(1);
    Confirm();
    ASSERT_EQ(posted, (std::vector<uint32_t>{quill::AppEventId::CreateRoomConfirm}));
    EXPECT_FALSE(dialog->IsVisible());
    const quill::RoomInfo& room = dialog->Room();
    EXPECT_EQ(room.maxPlayers, 8);
    EXPECT_EQ(room.inningTime, 15);
    EXPECT_EQ(room.open, 1);
    EXPECT_EQ(room.passwordFlag, 0);
    EXPECT_EQ(room.optionFlags, 0) << "the friendly box ticked: bit 16 clear";
    EXPECT_EQ(room.tableItem, dialog->Selector()->TableItem());
    EXPECT_NE(room.tableItem, 0);
    // No password: none is sent. The bytes as the lobby writes them from the record.
    const std::vector<uint8_t> expected{
        0x22, 0x00, 0x6A, 0x04,                                 // length 34, CreateRoom (1130)
        0x00, 0x08,                                             // four-ball, 8 players
        static_cast<uint8_t>(room.tableItem), static_cast<uint8_t>(room.tableItem >> 8),
        static_cast<uint8_t>(room.ballItem), static_cast<uint8_t>(room.ballItem >> 8),
        0x0C, 0x00, 'S', 0, 'u', 0, 'n', 0, 'd', 0, 'a', 0, 'y', 0, 0x00, 0x00,  // the title
        0x00,                                                   // no password
        0x0F, 0x00, 0x01,                                       // 15 s, flags, stake index 1
        0x00, 0x00, 0x00, 0x00};                                // no handicap limits
    EXPECT_EQ(CreateRoomBytes(), expected);

    // Time row 9 is a minute; the ticks give the half game (8) and, unticked, the serious game (16); a
    // password goes along with its flag.
    Open(RoomCreateDialog::kAllCarom);
    Click(dialog->TimeCombo(), 9);
    dialog->Flag8Box()->SetChecked(true);
    dialog->Flag16Box()->SetChecked(false);
    dialog->PasswordEdit()->SetText(u"1234");
    Confirm();
    EXPECT_EQ(dialog->Room().inningTime, 60);
    EXPECT_EQ(dialog->Room().optionFlags, 8 | 16);
    const std::vector<uint8_t> bytes = CreateRoomBytes();
    const std::vector<uint8_t> passwordPart{0x01, 0x08, 0x00, '1', 0, '2', 0, '3', 0, '4', 0, 0, 0, 0x3C, 0x18, 0x01};
    EXPECT_TRUE(std::search(bytes.begin(), bytes.end(), passwordPart.begin(), passwordPart.end()) != bytes.end());
}

TEST_F(RoomCreateDialogTest, ChoicesAreRememberedPerTypeBetweenShowings) {
    Open(RoomCreateDialog::kAllCarom);
    ClickType(type::kThreeCushion);
    TableBallSelector& selector = *dialog->Selector();
    ASSERT_GE(selector.TableIds().size(), 1u);
    Confirm();
    const uint16_t table = dialog->Room().tableItem;
    Open(RoomCreateDialog::kAllCarom);
    EXPECT_EQ(dialog->SelectedType(), type::kThreeCushion) << "the type chosen last";
    EXPECT_EQ(selector.TableItem(), table);
    EXPECT_EQ(dialog->TitleEdit()->GetText(), u"World best billiards Kestrovan~") << "the title starts anew";
    EXPECT_EQ(dialog->PlayersCombo()->GetSelected(), dialog->Room().maxPlayers - 1);

    // The previews show the chosen table and ball set; Cancel posts nothing and lets their models go.
    EXPECT_EQ(selector.TablePreview()->ItemId(), selector.TableItem());
    EXPECT_EQ(selector.BallPreview()->ItemId(), selector.BallSetItem());
    posted.clear();
    Click(dialog->CancelButton());
    EXPECT_TRUE(posted.empty());
    EXPECT_FALSE(dialog->IsVisible());
}

}  // namespace
}  // namespace kestrovan::test
