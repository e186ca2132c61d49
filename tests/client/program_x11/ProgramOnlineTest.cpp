// The real program online, on a real X display: config.ini's [Server] points it at the stand-in game server with
// the login script; the login window wears its title and its boxes stand on fields; the login filled in from the
// command line goes out with Return, and the login screen gives way to the channel list the server sent: its window where the login window stood, the two listed channels as
// rows (the first one selected, its caption in yellow) and no third row (login.png, channels.png in the working
// folder).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "QuillLib/net/MessageId.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

bool IsGrey(uint32_t rgb) {
    const int r = static_cast<int>(rgb >> 16 & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF),
              b = static_cast<int>(rgb & 0xFF);
    return std::abs(r - g) < 10 && std::abs(g - b) < 10 && r > 100;
}

bool IsYellow(uint32_t rgb) {
    return (rgb >> 16 & 0xFF) > 180 && (rgb >> 8 & 0xFF) > 180 && (rgb & 0xFF) < 120;
}

TEST_F(ProgramUnderX, OnlineLogsInAndShowsTheChannelList) {
    ASSERT_GT(StartOnline(), 0);
    const XWindowGeometry area = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    const int right = area.x + area.width;
    const int bottom = area.y + area.height;
    SkipIntro(area);

    // The login screen: the letterbox bar at the bottom, the login window at the top right, once its title
    // stands at rest in its band (the window lets the demo table show through below it). Its ID and password
    // boxes stand on fields darker than its face, within the window.
    const int loginLeft = right - 245, loginTop = area.y + 60;
    const Screenshot login = WaitForScreenAtRest(
        folder() / "login.png", {{loginLeft + 14, loginTop + 6, 106, 22}}, [&](const Screenshot& shot) {
            return shot.At(area.x + 500, bottom - 10) == 0x000000 && IsSlate(shot.At(right - 245 + 117, area.y + 200));
        });
    ASSERT_TRUE(IsSlate(login.At(right - 245 + 117, area.y + 200))) << "the login window: see login.png";
    EXPECT_GT(Count(login, loginLeft + 14, loginTop + 6, loginLeft + 120, loginTop + 28, IsLight), 30)
        << "the login window's title: see login.png";
    const auto brightness = [&](int left, int top, int width, int height) {
        long sum = 0;
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                const uint32_t rgb = login.At(x, y);
                sum += static_cast<long>((rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF));
            }
        }
        return sum / (width * height);
    };
    const long face = brightness(loginLeft + 160, loginTop + 110, 60, 14);
    for (const int boxTop : {54, 78}) {
        EXPECT_LT(brightness(loginLeft + 160, loginTop + boxTop + 2, 60, 14) * 4, face * 3)
            << "the field at y " << boxTop << ": see login.png";
    }

    PressKey("Return");
    const auto request = server().WaitForMessage(quill::MessageId::LoginRequest);
    ASSERT_TRUE(request.has_value()) << ReadFile(folder() / "StartLog.log");

    // The channel window, wider than the login window, with its rows 152 pixels below its top, 22 apart.
    const int windowLeft = right - 344;
    const int rowLeft = windowLeft + 42;
    const int rowTop = area.y + 60 + 152;
    const auto rowText = [&](const Screenshot& shot, int row) {
        return Count(shot, rowLeft, rowTop + 22 * row, rowLeft + 247, rowTop + 22 * row + 20, IsYellow);
    };
    const auto rowGrey = [&](const Screenshot& shot, int row) {
        return Count(shot, rowLeft, rowTop + 22 * row, rowLeft + 247, rowTop + 22 * row + 20, IsGrey);
    };
    const Screenshot channels = WaitForScreen(folder() / "channels.png", [&](const Screenshot& shot) {
        return IsSlate(shot.At(windowLeft + 10, area.y + 260)) && rowText(shot, 0) > 30;
    });
    EXPECT_TRUE(IsSlate(channels.At(windowLeft + 10, area.y + 260))) << "the channel window: see channels.png";
    EXPECT_GT(rowText(channels, 0), 30) << "the first channel, selected";
    EXPECT_EQ(rowText(channels, 1), 0) << "the second channel, not selected";
    EXPECT_GT(rowGrey(channels, 1), 40) << "its caption and count in grey";
    EXPECT_LT(rowGrey(channels, 2), 10) << "the server listed no third channel";

    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

// A server that takes the login and never answers it: Cancel on "Connecting to Server.." ends the attempt at
// once (the connection closed, no keep-alive after it, no error box when the answer's bound has passed) and
// gives the controls back, and the next Login starts over and reaches the channel list.
TEST_F(ProgramUnderX, OnlineCancelWhileConnectingEndsTheAttempt) {
    ASSERT_GT(StartOnline(), 0);
    server().ReplyTo(quill::MessageId::LoginRequest, [](const kvtest::ServerMessage&, kvtest::GameServerFixture&) {});
    const XWindowGeometry area = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    const int right = area.x + area.width;
    SkipIntro(area);
    WaitForScreen(folder() / "login.png", [&](const Screenshot& shot) { return IsSlate(shot.At(right - 245 + 117, area.y + 200)); });
    PressKey("Return");
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::LoginRequest).has_value()) << ReadFile(folder() / "StartLog.log");

    // The box in the middle of the screen, its Cancel button at (237, 200).
    const int boxX = area.x + (area.width - 400) / 2, boxY = area.y + (area.height - 250) / 2;
    const auto boxFace = [&](const Screenshot& shot) { return Count(shot, boxX + 20, boxY + 60, boxX + 380, boxY + 180, IsSlate); };
    const Screenshot connecting = WaitForScreen(folder() / "connecting.png", [&](const Screenshot& shot) { return boxFace(shot) > 20000; });
    ASSERT_GT(boxFace(connecting), 20000) << "the box: see connecting.png";
    Click(boxX + 237 + 42, boxY + 200 + 16);
    EXPECT_TRUE(server().WaitForClientGone(5000)) << "the attempt ended";
    const size_t received = server().Received().size();
    // The answer's bound (15 s) passes: no box, nothing more sent.
    std::this_thread::sleep_for(std::chrono::seconds(17));
    const Screenshot after = Capture(folder() / "cancelled.png");
    EXPECT_LT(boxFace(after), 5000) << "no box after the cancel: see cancelled.png";
    EXPECT_EQ(server().Received().size(), received) << "no keep-alive after the cancel";

    // Login again with the Login button (87 x 34 at (73, 217) of the login window): the server answers this time.
    kvtest::InstallLoginScript(server());
    for (int attempt = 0; attempt < 5 && server().CountReceived(quill::MessageId::LoginRequest) < 2; ++attempt) {
        Click(right - 245 + 73 + 43, area.y + 60 + 217 + 17);
        server().WaitForMessages(quill::MessageId::LoginRequest, 2, 2000);
    }
    ASSERT_EQ(server().CountReceived(quill::MessageId::LoginRequest), 2u) << "see cancelled.png";
    const Screenshot channels = WaitForScreen(folder() / "channels_after_cancel.png", [&](const Screenshot& shot) {
        return IsSlate(shot.At(right - 344 + 10, area.y + 260));
    });
    EXPECT_TRUE(IsSlate(channels.At(right - 344 + 10, area.y + 260))) << "the channel window: see channels_after_cancel.png";
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
