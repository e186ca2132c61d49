// The login screen's controls, answers and timers on a headless App: activation by mode and command line,
// the login checks, the nickname, the channel list and entry, resume, losing the connection, and the
// controls that come back after a request without an answer.
#include <gtest/gtest.h>

#include <vector>

#include "QuillLib/core/AppEventId.h"
#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/login/LoginTexts.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/login/NicknameDialog.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Window.h"
#include "platform/system/Clock.h"
#include "platform/window/MessageIds.h"
#include "platform/window/Window.h"
#include "tests/client/scenes/login/LoginScreen.h"
#include "tests/support/common/LogCapture.h"

namespace kestrovan::test {
namespace {

using kvtest::ChannelListMessage;
using kvtest::LoginResultMessage;
using kvtest::ShortMessage;
using kvtest::TestAccount;
using quill::MessageId;

bool QuitPosted(App& app) {
    platform::Message message;
    while (app.MainWindow().PeekMessage(message, true)) {
        if (message.id == platform::Msg::Quit)
            return true;
    }
    return false;
}

TEST_F(LoginScreen, OnlineActivationShowsTheLoginWindowWithEmptyEditableBoxes) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    EXPECT_TRUE(login->LoginWindow()->IsVisible());
    EXPECT_FALSE(login->ChannelWindow()->IsVisible());
    EXPECT_EQ(login->OfflineButton(), nullptr);
    EXPECT_FALSE(login->MessengerButton()->IsVisible());
    EXPECT_TRUE(login->IdBox()->IsEnabled());
    EXPECT_EQ(login->IdBox()->GetText(), u"");
    EXPECT_EQ(login->TitleLabel()->GetText(), app.IsFullScreen() ? u"(Fullscreen)" : u"(Windowed)");
    for (size_t i = 0; i < SceneLogin::kChannelRows; ++i)
        EXPECT_FALSE(login->RowButton(i)->IsVisible());
    EXPECT_FALSE(login->RefreshButton()->IsEnabled());
    // The title bar follows the mouse over the window's drag band.
    login->OnCaptionHover(true);
    EXPECT_TRUE(login->TitleBar()->IsVisible());
}

class LaunchedLoginScreen : public LoginScreen {
protected:
    LaunchedLoginScreen() : LoginScreen({u"launcher", u"someone", u"secret"}) {}
};

TEST_F(LaunchedLoginScreen, TheLaunchersAccountFillsAndLocksTheBoxes) {
    EXPECT_EQ(login->IdBox()->GetText(), u"someone");
    EXPECT_EQ(login->PasswordBox()->GetText(), u"secret");
    EXPECT_FALSE(login->IdBox()->IsEnabled());
    EXPECT_FALSE(login->PasswordBox()->IsEnabled());
}

TEST_F(LoginScreen, ShortTextsDoNothingAndTooLongTextsAreRefused) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    TypeLogin(u"abc", u"password");
    PressLogin();
    EXPECT_FALSE(Box().IsVisible());
    // Enter in the ID box moves on only with four characters or more; Tab always.
    login->OnEvent(login->IdBox(), EditBox::kSubmitEvent, 0);
    EXPECT_FALSE(login->PasswordBox()->IsFocused());
    login->OnEvent(login->IdBox(), 9, 0);
    EXPECT_TRUE(login->PasswordBox()->IsFocused());

    TypeLogin(std::u16string(51, u'x'), u"password");
    PressLogin();
    ASSERT_TRUE(Box().IsVisible());
    EXPECT_EQ(Box().Line(0).GetText(), u"ID length is 1 ~ 50 bytes..");
    EXPECT_TRUE(LoginControlsEnabled()) << "a refused login keeps the controls";
}

TEST_F(LoginScreen, ANewPlayerCreatesANicknameAndHearsWhetherItIsTaken) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Receive(ShortMessage(MessageId::LoginResult, {{4, 1}}));
    EXPECT_FALSE(login->LoginWindow()->IsVisible());
    app.DrainPostedEvents();
    ASSERT_TRUE(login->Nickname()->IsVisible());

    login->Nickname()->OnEvent(login->Nickname()->OkButton(), 0, 0);
    EXPECT_FALSE(login->Nickname()->OkButton()->IsEnabled());
    Receive(ShortMessage(MessageId::NicknameCreateResult, {{3, 1}}));
    EXPECT_EQ(Box().Title().GetText(), u"Error");
    EXPECT_EQ(Box().Line(0).GetText(), u"Someone is using this nickname..");
    EXPECT_TRUE(login->Nickname()->OkButton()->IsEnabled());
    Receive(ShortMessage(MessageId::NicknameCreateResult, {{0, 1}}));
    EXPECT_EQ(SecondBox().Line(0).GetText(), u"Welcome !!");
    EXPECT_TRUE(login->Nickname()->IsVisible()) << "the next LoginResult closes the dialog";
    Receive(LoginResultMessage(TestAccount{}));
    EXPECT_FALSE(login->Nickname()->IsVisible());

    // Cancel ends the program.
    login->Nickname()->OnEvent(login->Nickname()->CancelButton(), 0, 0);
    EXPECT_TRUE(QuitPosted(app));
}

// A server that repeats its answer without end queues one opening of the dialog, not one per answer: the
// queue keeps room for the ordinary events, and an answer after the opening opens the dialog again.
TEST_F(LoginScreen, RepeatedNicknameAnswersQueueOneOpening) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    quill::test::LogCapture log;
    for (uint32_t i = 0; i < App::kEventQueueSize; ++i)
        Receive(ShortMessage(MessageId::LoginResult, {{4, 1}}));
    app.PostEvent(quill::AppEventId::CursorMode, 1, 0, 0);
    EXPECT_FALSE(log.Contains("event queue full")) << log.Text();
    app.DrainPostedEvents();
    ASSERT_TRUE(login->Nickname()->IsVisible());
    Receive(ShortMessage(MessageId::LoginResult, {{4, 1}}));
    EXPECT_FALSE(login->Nickname()->IsVisible());
    app.DrainPostedEvents();
    EXPECT_TRUE(login->Nickname()->IsVisible());
}

TEST_F(LoginScreen, ASuccessfulLoginFillsTheProfileAndWaitsForTheChannels) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    TestAccount account;
    account.membership = 3;
    account.options = 0x800 | 30;  // voice volume 70
    Receive(LoginResultMessage(account));
    EXPECT_TRUE(login->IsLoggedIn());
    EXPECT_TRUE(login->MessengerButton()->IsVisible());
    EXPECT_EQ(Box().Line(0).GetText(), u"Receiving Channel info.. Please wait..");
    GameConnection& connection = *app.Connection();
    EXPECT_EQ(connection.LocalPlayer().name, u"Carom");
    EXPECT_EQ(connection.Nickname(), u"Carom") << "the name the gifts and greetings go by";
    EXPECT_EQ(connection.LocalPlayer().level, 12);
    EXPECT_EQ(connection.MembershipState(), 3);
    EXPECT_EQ(connection.MembershipText(), u"2030-01-01");
    EXPECT_EQ(app.GetSettings().voiceVolume, 70u);
}

TEST_F(LoginScreen, EveryLoginFailureShowsItsTextAndGivesTheControlsBack) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    for (uint8_t result : {2, 3, 5, 6, 7, 8, 255}) {
        TypeLogin(u"player", u"password");
        PressLogin();
        EXPECT_FALSE(LoginControlsEnabled());
        Receive(ShortMessage(MessageId::LoginResult, {{result, 1}}));
        EXPECT_TRUE(Box().IsVisible());
        EXPECT_EQ(Box().Title().GetText(), u"Error") << int(result);
        EXPECT_EQ(Box().Line(0).GetText(), LoginResultLines(result, 0).lines[0]);
        EXPECT_EQ(Box().GetEventCode(), static_cast<int32_t>(LoginResultLines(result, 0).okEvent));
        EXPECT_TRUE(LoginControlsEnabled()) << int(result);
        EXPECT_TRUE(login->IsShowingLoginFailure());
    }
    Receive(ShortMessage(MessageId::LoginFailed, {{static_cast<uint32_t>(-8), 4}}));
    EXPECT_EQ(SecondBox().Line(0).GetText(), u"Login Failed...");
    EXPECT_EQ(Box().Line(0).GetText(), u"Wrong Password..");
    // A connection lost after a failure says nothing more.
    Box().SetVisible(false);
    Receive(ShortMessage(MessageId::ConnectionLost, {}));
    EXPECT_FALSE(Box().IsVisible());
}

TEST_F(LoginScreen, LosingTheConnectionEndsTheProgramOnlyOnceLoggedInAndSaysWhy) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Receive(ShortMessage(MessageId::ConnectionLost, {}));
    EXPECT_EQ(Box().Line(0).GetText(), u"Connection lost..");
    EXPECT_FALSE(QuitPosted(app));
    Receive(ShortMessage(MessageId::ConnectFailed, {{0, 4}}));
    Receive(ShortMessage(MessageId::ConnectFailed, {{10061, 4}}));
    EXPECT_EQ(Box().Line(0).GetText(), u"Failed to Connected to Server.");
    EXPECT_EQ(Box().GetEventCode(), 1030);
    // Logged in, the loss ends the program, once the player has read why: the box's OK quits.
    Receive(LoginResultMessage(TestAccount{}));
    Receive(ShortMessage(MessageId::ConnectionLost, {}));
    EXPECT_TRUE(Box().IsVisible());
    EXPECT_EQ(Box().Title().GetText(), u"Error");
    EXPECT_EQ(Box().Line(0).GetText(), u"Connection lost.");
    EXPECT_EQ(Box().GetEventCode(), 1030);
}

TEST_F(LoginScreen, TheChannelListShowsGatesAndPreselects) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    TestAccount account;
    account.age = 16;
    Receive(LoginResultMessage(account));
    Receive(ChannelListMessage({{0, 10, 100, 0, 1}, {1, 100, 100, 20, 6}, {2, 5, 100, 0, 6}, {3, 0, 50, 0, 3}}));
    EXPECT_FALSE(Box().IsVisible());
    EXPECT_FALSE(login->LoginWindow()->IsVisible());
    EXPECT_TRUE(login->ChannelWindow()->IsVisible());
    EXPECT_EQ(login->RowButton(0)->GetCaption()->GetText(), u"Ch-1 (Beginner)");
    EXPECT_EQ(login->RowButton(3)->GetCaption()->GetText(), u"Ch-4 ");
    EXPECT_EQ(login->RowCount(1)->GetText(), u" 100/ 120");
    EXPECT_FALSE(login->RowButton(4)->IsVisible());
    // A minor sees only the teen channels enabled; the full one is passed over.
    EXPECT_FALSE(login->RowButton(0)->IsEnabled());
    EXPECT_TRUE(login->RowButton(1)->IsEnabled());
    EXPECT_EQ(login->SelectedRow(), 2);
    EXPECT_EQ(app.Connection()->GetChannelType(2), 6);

    // A row that is selected stays selected through a refresh.
    login->OnEvent(login->RowButton(1), 0, 0);
    Receive(ChannelListMessage({{0, 10, 100, 0, 1}, {1, 10, 100, 20, 6}}));
    EXPECT_EQ(login->SelectedRow(), 1);
    EXPECT_FALSE(login->RowButton(2)->IsVisible());
}

TEST_F(LoginScreen, EnteringAChannelPassesItsGatesAndLeavesForTheLobby) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Receive(LoginResultMessage(TestAccount{}));
    Receive(ChannelListMessage({{0, 10, 100, 0, 6}, {1, 10, 100, 0, 8}, {2, 10, 100, 0, 5}}));
    // An adult without membership may not enter the teen channel; the tournament channel is not open.
    login->EnterChannel(0);
    EXPECT_EQ(Box().Line(0).GetText(), u"청소년만 입장이 가능한 채널입니다.");
    login->OnEvent(login->RowButton(1), Button::kDoubleClickEvent, 0);
    EXPECT_EQ(Box().Line(0).GetText(), u"Comming soon.");
    EXPECT_TRUE(login->EnterButton()->IsEnabled());

    login->EnterChannel(2);
    EXPECT_FALSE(login->EnterButton()->IsEnabled());
    EXPECT_FALSE(login->RowButton(2)->IsEnabled());
    Receive(ShortMessage(MessageId::ChannelEnterResult, {{9, 1}, {3, 1}, {100, 2}, {100, 2}, {0, 2}}));
    EXPECT_EQ(login->RowCount(2)->GetText(), u" 100/ 100");
    EXPECT_EQ(Box().Line(0).GetText(), u"This channel is full.");
    Receive(ShortMessage(MessageId::ChannelEnterResult, {{0, 1}, {3, 1}}));
    EXPECT_EQ(app.Connection()->CurrentChannel(), 3);
    EXPECT_TRUE(login->IsChangePending());
    EXPECT_EQ(login->NextSceneId(), SceneId::Lobby);
}

TEST_F(LoginScreen, AJoinTargetWithoutAChannelEntersNothing) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Receive(LoginResultMessage(TestAccount{}));
    Receive(ChannelListMessage({{0, 10, 100, 0, 5}}));
    JoinWithTarget& target = app.Connection()->JoinTarget();
    target.pending = 1;
    target.channel = 0;
    target.place = JoinWithTarget::kPracticeRoom;
    EXPECT_EQ(login->OnMessage(quill::AppEventId::JoinWith, 0, 0), 1);
    EXPECT_TRUE(login->EnterButton()->IsEnabled()) << "no ChannelEnter for channel 0 - 1";
    target.channel = 1;
    login->OnMessage(quill::AppEventId::JoinWith, 0, 0);
    EXPECT_FALSE(login->EnterButton()->IsEnabled());
}

TEST_F(LoginScreen, ControlsComeBackBetween4And50SecondsAfterAnUnansweredRequest) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    uint32_t now = 1000;  // a clock that started a second ago
    platform::SetTickSource([&now] { return now; });
    Receive(LoginResultMessage(TestAccount{}));
    login->Update(0, 0, {});
    EXPECT_FALSE(login->RefreshButton()->IsEnabled()) << "a disarmed timer never fires";
    Receive(ChannelListMessage({{0, 10, 100, 0, 5}}));
    login->EnterChannel(0);
    now += 4000;
    login->Update(0, 0, {});
    EXPECT_FALSE(login->EnterButton()->IsEnabled());
    now += 1;
    login->Update(0, 0, {});
    EXPECT_TRUE(login->EnterButton()->IsEnabled());
    EXPECT_TRUE(login->RowButton(0)->IsEnabled());
    EXPECT_TRUE(login->RefreshButton()->IsEnabled());

    // Refresh hides the rows until the next list; its button waits for that list.
    login->OnEvent(login->RefreshButton(), 0, 0);
    EXPECT_FALSE(login->RowButton(0)->IsVisible());
    now += 60000;
    login->Update(0, 0, {});
    EXPECT_FALSE(login->RefreshButton()->IsEnabled());
    platform::SetTickSource({});
}

// With every packet of the connection taken, a request cannot go: the controls that would wait for its answer
// stay as they were, and the notice box says it was not sent.
TEST_F(LoginScreen, ARequestThatCannotBeSentKeepsTheControlsAndSaysSo) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Receive(LoginResultMessage(TestAccount{}));
    Receive(ChannelListMessage({{0, 10, 100, 0, 5}}));
    login->Update(0, 0, {});
    std::vector<quill::Packet*> taken;
    while (quill::Packet* packet = app.Connection()->AllocPacket()) taken.push_back(packet);

    login->EnterChannel(0);
    EXPECT_TRUE(login->EnterButton()->IsEnabled());
    EXPECT_EQ(Box().Line(0).GetText(), AwaitedRequest::kNotSent);
    Box().SetVisible(false);
    login->RefreshButton()->SetEnabled(true);
    login->OnEvent(login->RefreshButton(), 0, 0);
    EXPECT_TRUE(login->RowButton(0)->IsVisible());
    EXPECT_TRUE(login->RefreshButton()->IsEnabled());
    EXPECT_TRUE(Box().IsVisible());
    Box().SetVisible(false);
    login->Nickname()->Open();
    login->Nickname()->OnEvent(login->Nickname()->OkButton(), 0, 0);
    EXPECT_TRUE(login->Nickname()->OkButton()->IsEnabled());
    EXPECT_TRUE(Box().IsVisible());
    for (quill::Packet* packet : taken) app.Connection()->FreePacket(packet);
}

TEST_F(LoginScreen, AGameHeldForThePlayerIsResumed) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Receive(ShortMessage(MessageId::ResumeGameNotice, {{2, 1}, {17, 2}}));
    EXPECT_EQ(Box().Line(0).GetText(), u"You are in a game in 17 room of 2 channel..");
    EXPECT_EQ(app.Connection()->CurrentChannel(), 2);
    Receive(ShortMessage(
        MessageId::ResumeGame,
        {{0, 4}, {3, 1}, {1, 2}, {7, 4}, {8, 4}, {40, 1}, {8, 1}, {1, 1}, {1027, 2}, {2004, 2}, {0, 2}, {0, 2}}));
    const quill::RoomInfo& room = app.Connection()->GetRoomInfo();
    EXPECT_EQ(room.gameType, 3);
    EXPECT_EQ(room.optionFlags, 8);
    EXPECT_EQ(room.tableItem, 1027);
    EXPECT_EQ(room.ballItem, 2004);
    EXPECT_EQ(login->NextSceneId(), SceneId::RoomGame);
}

TEST_F(LoginScreen, ATournamentOpponentsPlaceIsToldInTheSecondBox) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    quill::Packet where;
    where.Init(MessageId::FriendWhere);
    where.WriteU8(1).WriteWString(u"Rival").WriteU8(3).WriteU16(0);
    Receive(std::move(where));
    EXPECT_EQ(SecondBox().Line(0).GetText(), u"토너먼트 대회 참가 대상입니다.");
    EXPECT_EQ(SecondBox().Line(1).GetText(), u"Rival 님은 3 채널에 있습니다.");
}

}  // namespace
}  // namespace kestrovan::test
