// The shared popups besides the message boxes: what each one's setter writes, what a press posts or sends,
// and which presses leave it open.
#include <gtest/gtest.h>

#include "client/app/PlaceholderScene.h"
#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/FeatureNoticePopup.h"
#include "client/scenes/common/InProgressDialog.h"
#include "client/scenes/common/InvitePopup.h"
#include "client/scenes/room/OpponentRequestAcceptPopup.h"
#include "client/scenes/room/OpponentRequestPopup.h"
#include "client/scenes/room/ReportUserPopup.h"
#include "client/scenes/common/RoomPasswordPopup.h"
#include "client/scenes/room/WithdrawMenuPopup.h"
#include "client/scenes/room/WithdrawPopup.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "tests/support/scenes/SceneTestApp.h"
#include "tests/support/net/GameServerFixture.h"

namespace kestrovan::test {
namespace {

struct Posted {
    uint32_t id, wParam, lParam;
    friend bool operator==(const Posted&, const Posted&) = default;
};

class Popups : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    Popups() { root.SetRect(0, 0, 1024, 768); }

    PopupWindow::EventPoster Recorder() {
        return [this](uint32_t id, uint32_t w, uint32_t l, uint32_t) { posted.push_back({id, w, l}); };
    }
    // Presses the popup's button of that id as its click reports it.
    bool Press(Widget& popup, int32_t id) {
        for (Widget* child : popup.GetChildren()) {
            if (child->GetId() == id)
                return Routed(popup, child, 0, 0);
        }
        ADD_FAILURE() << "no button " << id;
        return false;
    }
    template <class PopupType>
    PopupType& Attach(PopupType& popup) {
        root.AddChild(&popup, false);
        popup.Open();
        return popup;
    }

    Panel root;
    std::vector<Posted> posted;
};

TEST_F(Popups, TheInvitationSaysWhereItComesFromAndYesKeepsTheTarget) {
    JoinWithTarget target;
    InvitePopup invite(target, Recorder());
    Invitation invitation;
    invitation.channel = 3;
    invitation.room = 0;
    invitation.inviter = u"Mira";
    invitation.hasPassword = 0;
    invitation.password = u"ignored";
    invite.SetInvitation(invitation);
    Attach(invite);
    EXPECT_EQ(invite.Line(0)->GetText(), u"Mira has invited you from the lobby of 3 channel.");
    EXPECT_FALSE(invite.Line(1)->IsVisible()) << "no game details";

    invitation.room = 12;
    invitation.hasPassword = 1;
    invitation.password = u"1234";
    invitation.hasGameDetails = 1;
    invitation.gameType = 3;
    invitation.handicap = 25;
    invitation.players = 2;
    invite.SetInvitation(invitation);
    invite.Open();
    EXPECT_EQ(invite.Line(0)->GetText(), u"Mira has invited you from 12 room of 3 channel.");
    EXPECT_EQ(invite.Line(1)->GetText(), u"Type:3cushion  handi:25  players:2");
    EXPECT_TRUE(Press(invite, InvitePopup::kYes));
    EXPECT_FALSE(invite.IsVisible());
    EXPECT_EQ(posted, (std::vector<Posted>{{1070, 0, 0}}));
    EXPECT_EQ(target.pending, 1);
    EXPECT_EQ(target.channel, 3);
    EXPECT_EQ(target.place, 12);
    EXPECT_EQ(target.password, u"1234");

    // A room number above 32767 is negative: the lobby; an unknown game type has no name.
    invitation.room = 0x8001;
    invitation.gameType = 0xF0;
    invite.SetInvitation(invitation);
    invite.Open();
    EXPECT_EQ(invite.Line(0)->GetText(), u"Mira has invited you from the lobby of 3 channel.");
    EXPECT_EQ(invite.Line(1)->GetText(), u"Type:  handi:25  players:2");
    EXPECT_TRUE(Press(invite, InvitePopup::kNo));
    EXPECT_EQ(posted.size(), 1u) << "a refusal is not answered";
}

TEST_F(Popups, WithdrawalTextsAndConfirmValuesFollowTheGameType) {
    WithdrawPopup popup(Recorder());
    popup.SetMode(0, false);
    EXPECT_EQ(popup.Line(1)->GetText(), u"Withdrawal penalty : lose the game, lose gold");
    EXPECT_EQ(popup.ConfirmValue(), 0u);
    popup.SetMode(5, false);
    EXPECT_EQ(popup.Line(1)->GetText(), u"No penalty will be charged if you end the game now.");
    EXPECT_EQ(popup.Line(3)->GetText(), u"");
    popup.SetMode(5, true);
    EXPECT_EQ(popup.Line(3)->GetText(), u"Do you want to end the game?");
    EXPECT_EQ(popup.ConfirmValue(), 1u);
    Attach(popup);
    Press(popup, WithdrawPopup::kYes);
    popup.Open();
    Press(popup, WithdrawPopup::kNo);
    EXPECT_EQ(posted, (std::vector<Posted>{{1090, 1, 1}, {1090, 0, 0}}));
}

TEST_F(Popups, TheWithdrawMenuRefusesRequestsInGambleGamesAndStaysOpen) {
    std::vector<quill::WString> errors;
    WithdrawMenuPopup menu(Recorder(),
                           [&](quill::WStringView line0, quill::WStringView) { errors.emplace_back(line0); });
    menu.SetGameType(6);
    EXPECT_EQ(menu.Line(0)->GetText(), u"Withdraw from the game now and end the game.");
    EXPECT_EQ(menu.Line(5)->GetText(), u"It is not allowed for this type of game.");
    Attach(menu);
    EXPECT_TRUE(Press(menu, WithdrawMenuPopup::kRequestLoss));
    EXPECT_TRUE(menu.IsVisible());
    EXPECT_EQ(errors, (std::vector<quill::WString>{u"On this game, request not available.."}));
    // Withdrawing is reported to the tree as not handled.
    EXPECT_FALSE(Press(menu, WithdrawMenuPopup::kWithdraw));
    EXPECT_FALSE(menu.IsVisible());

    menu.SetGameType(0);
    EXPECT_EQ(menu.Line(4)->GetText(), u"Request for a loss by withdrawal.");
    menu.Open();
    Press(menu, WithdrawMenuPopup::kRequestInvalid);
    EXPECT_EQ(posted, (std::vector<Posted>{{1042, 1, 0}, {1043, 2, 0}}));
}

TEST_F(Popups, RequestsReportsAndPasswordsPostTheirEvents) {
    OpponentRequestPopup request(Recorder());
    request.SetKind(7);
    EXPECT_EQ(request.Title()->GetText(), u"Request withdrawal");
    Attach(request);
    Press(request, OpponentRequestPopup::kRequest);

    ReportUserPopup report(Recorder());
    report.SetTarget(0, 0, u"");
    Attach(report);
    EXPECT_EQ(report.TargetLabel()->GetText(), u"Entire message");
    report.SetTarget(5, 1, u"Rude");
    report.Open();
    EXPECT_EQ(report.TargetLabel()->GetText(), u"Rude");
    Press(report, ReportUserPopup::kYes);
    EXPECT_EQ(report.TargetHigh(), 1u);

    RoomPasswordPopup password(Recorder());
    password.SetRoom(42);
    Attach(password);
    password.Edit()->SetText(u"9876");
    Routed(password, password.Edit(), EditBox::kSubmitEvent, 0);
    EXPECT_EQ(password.Password(), u"9876");
    EXPECT_EQ(password.Room(), 42);
    EXPECT_EQ(posted, (std::vector<Posted>{{1091, 7, 0}, {1050, 0, 0}, {1052, 0, 0}}));
}

TEST_F(Popups, ClosingTheInProgressDialogEndsTheProgram) {
    int quits = 0;
    InProgressDialog dialog([&] { ++quits; });
    Attach(dialog);
    Press(dialog, InProgressDialog::kCancel);
    EXPECT_EQ(quits, 1);
    FeatureNoticePopup notice;
    Attach(notice);
    EXPECT_TRUE(Press(notice, FeatureNoticePopup::kOk));
    EXPECT_FALSE(notice.IsVisible());
}

TEST_F(Popups, TheOpponentsRequestIsAnsweredWithTheKindItCameWith) {
    kvtest::GameServerFixture server;
    server.GreetWithHello();
    // The connection hands the server's greeting on once a scene is there to take messages.
    auto scene = std::make_unique<PlaceholderScene>(SceneId::Login, 0);
    scene->SetLoadWanted(false);
    scene->SetReady(true);
    app.Scenes().AddScene(std::move(scene));
    app.Scenes().SwitchTo(SceneId::Login);
    GameConnection& connection = *app.Connection();
    connection.SetServerAddress(server.Host(), server.Port());
    connection.StartDispatchThread();
    connection.Connect();
    ASSERT_TRUE(server.WaitForMessage(quill::MessageId::LoginRequest).has_value());

    OpponentRequestAcceptPopup popup(connection);
    popup.SetRequest(u"Rival", 2);
    EXPECT_EQ(popup.Line(0)->GetText(), u"Rival requested for an invalid game.");
    Attach(popup);
    Press(popup, OpponentRequestAcceptPopup::kAccept);
    popup.SetRequest(u"Rival", 5);
    EXPECT_EQ(popup.Line(4)->GetText(), u"Do you want to accept the request?");
    popup.Open();
    Press(popup, OpponentRequestAcceptPopup::kRefuse);
    ASSERT_TRUE(server.WaitForMessages(3));
    std::vector<std::vector<uint8_t>> answers;
    for (const kvtest::ServerMessage& message : server.Received()) {
        if (message.id == quill::MessageId::OpponentRequestAnswer)
            answers.push_back(message.bytes);
    }
    EXPECT_EQ(answers, (std::vector<std::vector<uint8_t>>{{6, 0, 0xA2, 0x04, 1, 2}, {6, 0, 0xA2, 0x04, 0, 5}}));
    connection.StopDispatchThread();
}

}  // namespace
}  // namespace kestrovan::test
