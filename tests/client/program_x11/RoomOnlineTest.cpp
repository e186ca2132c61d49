// The real program online on a real X display joins a game room from the lobby: it logs in to the stand-in
// server (login and lobby scripts), enters the first channel with Return, takes Quick Join in the lobby, and
// the server's JoinRoomResult brings the game room, which tells the server RoomEntered. The room's screen
// (room.png in the working folder) shows the table in the middle and the top bar, chat area, start and ready
// panel and player board where the layout anchors them; the check runs at 1024 x 768 and on a wider display.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "QuillLib/net/MessageId.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

// Pixels of the rectangle (screen coordinates) for which the test holds.
int Count(const Screenshot& shot, int left, int top, int right, int bottom, const std::function<bool(uint32_t)>& test) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            count += test(shot.At(x, y)) ? 1 : 0;
    }
    return count;
}

// A face of the interface skin, lit or under a widget's opacity.
bool IsFace(uint32_t rgb) {
    return IsSlate(rgb);
}

// The cloth of the carom table: a blue far bluer than the interface's slate faces.
bool IsCloth(uint32_t rgb) {
    const int r = static_cast<int>(rgb >> 16 & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF),
              b = static_cast<int>(rgb & 0xFF);
    return b > 60 && b > r + 40 && b > g + 20;
}

TEST_F(ProgramUnderX, RoomJoinedFromTheLobbyShowsItsPlaces) {
    // The whole display, full screen: 1024 x 768, or wider on the wider display.
    const XWindowGeometry screen = x.Screen();
    ASSERT_GT(StartOnline("[Video]\r\nfullscreen=1\r\nwidth=" + std::to_string(screen.width) + "\r\nheight=" +
                          std::to_string(screen.height) + "\r\n"),
              0);
    kvtest::InstallLobbyScript(server());
    const XWindowGeometry area = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(area.width, screen.width) << "the room at the display's width";
    const int left = area.x;
    const int top = area.y;
    const int width = area.width;
    const int height = area.height;
    SkipIntro(area);
    WaitForScreen(folder() / "login.png",
                  [&](const Screenshot& shot) { return shot.At(left + 500, top + height - 10) == 0x000000; });

    // Login, then the first channel of the list with Return, then the lobby's room list.
    PressKey("Return");
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::LoginRequest).has_value());
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::ChannelListRequest, 20000).has_value() ||
                server().CountReceived(quill::MessageId::LoginRequest) == 1);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    PressKey("Return");
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::ChannelEnter, 20000).has_value())
        << ReadFile(folder() / "StartLog.log");
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::LobbyEnter, 20000).has_value())
        << ReadFile(folder() / "StartLog.log");
    const Screenshot lobby = WaitForScreen(folder() / "lobby.png", [&](const Screenshot& shot) {
        return IsFace(shot.At(left + 491, top + 551));
    });

    // Quick Join takes the waiting room; the server answers with the room's settings.
    for (int attempt = 0; attempt < 5 && server().CountReceived(quill::MessageId::JoinRoom) == 0; ++attempt) {
        Click(left + 491, top + 551);
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::JoinRoom, 5000).has_value()) << "see lobby.png";
    const auto entered = server().WaitForMessage(quill::MessageId::RoomEntered, 30000);
    ASSERT_TRUE(entered.has_value()) << ReadFile(folder() / "StartLog.log");
    EXPECT_EQ(entered->bytes, (std::vector<uint8_t>{5, 0, 0x87, 4, 0}));

    // The room: the top bar at (5, 4), the chat lines 218 above the bottom, the start panel at (w - 370,
    // h - 80), the player board's rows 200 from the right edge, the table in the middle.
    const auto faces = [&](const Screenshot& shot, int x, int y, int w, int h) {
        return Count(shot, left + x, top + y, left + x + w, top + y + h, IsFace);
    };
    // The table's cloth fills the view left of the help window a newcomer sees on entering.
    const auto cloth = [&](const Screenshot& shot) {
        return Count(shot, left + width / 2 - 400, top + height / 2 - 100, left + width / 2 - 220,
                     top + height / 2 + 100, IsCloth);
    };
    const Screenshot room = WaitForScreen(folder() / "room.png", [&](const Screenshot& shot) {
        return faces(shot, 5, 4, 470, 30) > 2000 && faces(shot, width - 370, height - 80, 240, 56) > 2000 &&
               cloth(shot) > 15000;
    });
    EXPECT_GT(faces(room, 5, 4, 470, 30), 2000) << "the top bar: see room.png";
    EXPECT_GT(faces(room, 0, height - 60, 358, 30), 2000) << "the chat input";
    EXPECT_GT(faces(room, width - 370, height - 80, 240, 56), 2000) << "the start and ready panel";
    EXPECT_GT(faces(room, width - 200, height - 52 - 168, 190, 52), 2000) << "the player board's row";
    EXPECT_GT(faces(room, width - 35, 0, 33, 34), 300) << "the top right button";
    EXPECT_GT(cloth(room), 15000) << "the table";

    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
