// The login screen against the loopback game server: from "Connecting" to the channel list, and every
// failure the server can answer a login with, each shown with its text and followed by a login that works.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "QuillLib/core/ScopedLock.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/login/LoginTexts.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Window.h"
#include "platform/system/CodePage.h"
#include "tests/client/scenes/login/LoginScreen.h"
#include "tests/support/net/GameServerFixture.h"

namespace kestrovan::test {
namespace {

using kvtest::GameServerFixture;
using kvtest::ServerMessage;
using kvtest::ChannelListMessage;
using kvtest::LoginResultMessage;
using kvtest::ShortMessage;
using kvtest::TestAccount;
using quill::MessageId;

class LoginAgainstServer : public LoginScreen {
protected:
    LoginAgainstServer() {
        server.GreetWithHello();
        app.Connection()->SetServerAddress(server.Host(), server.Port());
        app.Connection()->StartDispatchThread();
    }
    ~LoginAgainstServer() override { app.Connection()->StopDispatchThread(); }

    // The server answers every LoginRequest with these messages.
    void Answer(std::vector<quill::Packet> replies) { server.ReplyWith(MessageId::LoginRequest, std::move(replies)); }

    bool BoxShows(quill::WStringView title, quill::WStringView line) {
        return Eventually(
            [&] { return Box().IsVisible() && Box().Title().GetText() == title && Box().Line(0).GetText() == line; });
    }

    GameServerFixture server;
};

TEST_F(LoginAgainstServer, GoesFromConnectingToTheChannelList) {
    Answer({LoginResultMessage(TestAccount{}), ChannelListMessage({{0, 30, 100, 0, 2}, {1, 99, 100, 0, 5}})});
    {
        // The server's answer may come at once: the screen is seen before it is handled. While the test holds
        // its turn no server message reaches the screen, and one being handled is finished first.
        const quill::ScopedLock turn = MainThreadTurn();
        TypeLogin(u"player", u"password");
        PressLogin();
        EXPECT_EQ(Box().Line(0).GetText(), u"Connecting to Server.. Please wait..");
        EXPECT_EQ(Box().GetButtonLayout(), NoticeBox::kLayoutCancel);
        EXPECT_FALSE(LoginControlsEnabled());
    }

    ASSERT_TRUE(Eventually([&] { return login->ChannelWindow()->IsVisible(); }));
    EXPECT_FALSE(Box().IsVisible());
    EXPECT_FALSE(login->LoginWindow()->IsVisible());
    EXPECT_TRUE(login->IsLoggedIn());
    // The window opens with the login's result; its rows read "reading" until the channel list, which the server
    // sends next, has been dispatched.
    ASSERT_TRUE(Eventually([&] { return login->RowButton(1)->GetCaption()->GetText() == u"Ch-2 (Pool)"; }));
    const auto request = server.WaitForMessage(MessageId::LoginRequest);
    ASSERT_TRUE(request.has_value());
    {
        // The list's rows fill before its first row is selected: the whole list is handled first.
        const quill::ScopedLock turn = MainThreadTurn();
        EXPECT_EQ(login->SelectedRow(), 0);
        // The entry goes to the server as the row's index.
        login->OnEvent(login->EnterButton(), 0, 0);
    }
    const auto enter = server.WaitForMessage(MessageId::ChannelEnter);
    ASSERT_TRUE(enter.has_value());
    EXPECT_EQ(enter->bytes, (std::vector<uint8_t>{6, 0, 0x56, 0x04, 0, 0}));
}

// A server that greets and then never answers the login: Cancel ends the attempt and gives the controls back, and
// the next login starts over and works.
TEST_F(LoginAgainstServer, CancelWhileConnectingEndsTheAttemptAndTheNextLoginWorks) {
    {
        const quill::ScopedLock turn = MainThreadTurn();
        TypeLogin(u"player", u"password");
        PressLogin();
    }
    ASSERT_TRUE(server.WaitForMessage(MessageId::LoginRequest).has_value());
    EXPECT_FALSE(LoginControlsEnabled());
    Button* cancel = Box().GetButton(NoticeBox::kCancel);
    ASSERT_NE(cancel, nullptr);
    // The box posts its button; the shell hands the event to the screen.
    Routed(Box(), cancel, 0, 0);
    app.DrainPostedEvents();
    EXPECT_FALSE(Box().IsVisible());
    EXPECT_TRUE(LoginControlsEnabled());
    EXPECT_FALSE(app.Connection()->IsConnected());
    const size_t sent = server.Received().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(Box().IsVisible()) << "a cancelled attempt ends without a notice";
    EXPECT_TRUE(server.WaitForClientGone()) << "the connection is closed";
    EXPECT_EQ(server.Received().size(), sent) << "no keep-alive after the cancel";

    Answer({LoginResultMessage(TestAccount{}), ChannelListMessage({{0, 30, 100, 0, 2}})});
    PressLogin();
    EXPECT_TRUE(Eventually([&] { return login->ChannelWindow()->IsVisible(); }));
}

TEST_F(LoginAgainstServer, EveryFailureShowsItsTextAndTheNextLoginWorks) {
    struct Failure {
        quill::Packet message;
        quill::WString title;
        quill::WString line;
    };
    std::vector<Failure> failures;
    for (uint8_t result : {2, 3, 5, 6, 7, 8, 42}) {
        failures.push_back(
            {ShortMessage(MessageId::LoginResult, {{result, 1}}), u"Error", LoginResultLines(result, 0).lines[0]});
    }
    failures.push_back(
        {ShortMessage(MessageId::LoginResult, {{1, 1}, {1, 1}}), u"Error", LoginResultLines(1, 1).lines[0]});
    for (int32_t code : {1, 2, 3, 4, 5, 6, 7, -2, -3, -7, -8, -9, -10, -20, -21, 99}) {
        failures.push_back({ShortMessage(MessageId::LoginFailed, {{static_cast<uint32_t>(code), 4}}), u"Error",
                            LoginFailedLines(code)[0]});
    }
    size_t logins = 0;
    for (Failure& failure : failures) {
        SCOPED_TRACE(platform::Utf16ToUtf8(failure.line));
        Answer({failure.message});
        {
            // The last failure's handler may still be finishing its box when the test presses again.
            const quill::ScopedLock turn = MainThreadTurn();
            TypeLogin(u"player", u"password");
            PressLogin();
        }
        ++logins;
        ASSERT_TRUE(BoxShows(failure.title, failure.line));
        EXPECT_TRUE(LoginControlsEnabled());
        ASSERT_TRUE(Eventually([&] { return server.CountReceived(MessageId::LoginRequest) == logins; }));
    }
    // After all of them the player logs in.
    Answer({LoginResultMessage(TestAccount{}), ChannelListMessage({{0, 1, 100, 0, 2}})});
    PressLogin();
    EXPECT_TRUE(Eventually([&] { return login->ChannelWindow()->IsVisible(); }));
}

}  // namespace
}  // namespace kestrovan::test
