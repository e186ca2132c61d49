// The lobby in the real program online, on a real X display: the stand-in server runs the login and lobby
// scripts; the player logs in and enters the first channel (all carom). The lobby lists the server's rooms
// (their WAIT and PLAY states) and players (lobby.png); a line typed into the chat goes to the server and its
// echo shows (chat.png); "Create New Game" opens the creation dialog with the chosen table turning in its
// preview (create.png), and OK sends CreateRoom, which this server refuses with its notice (refused.png);
// a click on the waiting room's row sends JoinRoom for it, and the server's answer brings the game room with
// that room's title in its top bar (room.png). The screenshots are in the check's working folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "QuillLib/net/MessageId.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

using quill::MessageId;

// Where the lobby puts things on the 1024 x 768 screen: the room panel at (20, 40) with its rows 80 apart,
// each row's state label at (375, 14); the user panel 257 from the right edge at y 70 with its rows 19 apart
// from y 45, the nickname at (36, 4); the chat panel at (20, 588) with its lines from (15, 32), 18 apart.
constexpr int kRowX = 30;
constexpr int kRowY = 40;
constexpr int kRowStep = 80;
constexpr int kStateX = kRowX + 375;
constexpr int kUserX = 1024 - 257 + 2 + 36;
constexpr int kUserY = 70 + 45 + 4;
constexpr int kUserStep = 19;
constexpr int kChatX = 20 + 15;
constexpr int kChatY = 768 - 180 + 32;
// "Create New Game" (122 x 122 at (286, 450) of the room panel), and the centred creation dialog (427 x 627)
// with its table preview (115 x 76 at (95, 373)) and OK (85 x 32 at (110, 590)).
constexpr int kCreateX = 20 + 286 + 61;
constexpr int kCreateY = 40 + 450 + 61;
constexpr int kDialogX = (1024 - 427) / 2;
constexpr int kDialogY = (768 - 627) / 2;
constexpr int kPreviewX = kDialogX + 95;
constexpr int kPreviewY = kDialogY + 347 + 26;

int R(uint32_t rgb) { return static_cast<int>(rgb >> 16 & 0xFF); }
int G(uint32_t rgb) { return static_cast<int>(rgb >> 8 & 0xFF); }
int B(uint32_t rgb) { return static_cast<int>(rgb & 0xFF); }

bool IsGreen(uint32_t rgb) { return G(rgb) > 170 && R(rgb) < 110 && B(rgb) < 110; }
// Yellow at the opacity of a full room's row (0.4) over the row's slate.
bool IsDimYellow(uint32_t rgb) { return R(rgb) > 110 && G(rgb) > 110 && B(rgb) < 80; }
bool IsSaturated(uint32_t rgb) {
    return std::max({R(rgb), G(rgb), B(rgb)}) - std::min({R(rgb), G(rgb), B(rgb)}) > 60;
}

class LobbyOnline : public ProgramUnderX {
protected:
    // The program online, logged in and in the lobby of the first channel, the lists shown; false when it
    // did not get there.
    bool ReachLobby() {
        if (StartOnline() <= 0)
            return false;
        kvtest::LobbyScript script;
        script.createResult = 25;
        // A one-letter title, so that the room's top bar shows nothing where a longer one would reach.
        script.rooms[0].title = u"W";
        kvtest::InstallLobbyScript(server(), script);
        area_ = WaitForWindow();
        if (HasFailure())
            return false;
        return EnterFirstChannel(area_);
    }
    int X(int x) const { return area_.x + x; }
    int Y(int y) const { return area_.y + y; }
    int RowGreen(const Screenshot& shot, int row) const {
        return Count(shot, X(kStateX - 5), Y(kRowY + kRowStep * row + 8), X(kStateX + 60),
                     Y(kRowY + kRowStep * row + 36), IsGreen);
    }
    int RowYellow(const Screenshot& shot, int row) const {
        return Count(shot, X(kStateX - 5), Y(kRowY + kRowStep * row + 8), X(kStateX + 60),
                     Y(kRowY + kRowStep * row + 36), IsDimYellow);
    }
    int UserYellow(const Screenshot& shot, int row) const {
        return Count(shot, X(kUserX), Y(kUserY + kUserStep * row), X(kUserX + 90), Y(kUserY + kUserStep * row + 14),
                     IsYellowish);
    }

    XWindowGeometry area_;
};

TEST_F(LobbyOnline, LobbyListsRoomsAndPlayersChatsCreatesAndJoins) {
    ASSERT_TRUE(ReachLobby()) << ReadFile(folder() / "StartLog.log");
    ASSERT_EQ(area_.width, 1024);

    // The rooms: the waiting room first (WAIT in green), the locked one, then the full room playing (PLAY in
    // yellow); the fourth row is empty. The players: four nicknames in yellow, the fifth row empty.
    const Screenshot lobby = WaitForScreen(folder() / "lobby.png", [&](const Screenshot& shot) {
        return RowGreen(shot, 0) > 15 && RowYellow(shot, 2) > 15 && UserYellow(shot, 3) > 10;
    });
    EXPECT_GT(RowGreen(lobby, 0), 15) << "the waiting room's WAIT: see lobby.png";
    EXPECT_GT(RowGreen(lobby, 1), 15) << "the locked room's WAIT";
    EXPECT_GT(RowYellow(lobby, 2), 15) << "the playing room's PLAY";
    EXPECT_EQ(RowGreen(lobby, 3) + RowYellow(lobby, 3), 0) << "no fourth room";
    for (int row = 0; row < 4; ++row)
        EXPECT_GT(UserYellow(lobby, row), 10) << "the player of row " << row;
    EXPECT_EQ(UserYellow(lobby, 4), 0) << "no fifth player";

    // The chat input has the focus on the first entry: a typed line goes out and its echo shows.
    const Screenshot before = Capture(folder() / "chat.png");
    Type("hi");
    PressKey("Return");
    const auto sent = server().WaitForMessage(MessageId::LobbyChatSend, 10000);
    ASSERT_TRUE(sent.has_value()) << "see chat.png";
    const Screenshot chat = WaitForScreen(folder() / "chat.png", [&](const Screenshot& shot) {
        return DifferingPixels(before, shot, X(kChatX), Y(kChatY), X(kChatX + 430), Y(kChatY + 108)) > 60;
    });
    EXPECT_GT(DifferingPixels(before, chat, X(kChatX), Y(kChatY), X(kChatX + 430), Y(kChatY + 108)), 60)
        << "the echoed line";

    // The creation dialog with the four-ball table turning in its preview; OK sends CreateRoom.
    Click(X(kCreateX), Y(kCreateY));
    const Screenshot create = WaitForScreen(folder() / "create.png", [&](const Screenshot& shot) {
        return Count(shot, X(kPreviewX), Y(kPreviewY), X(kPreviewX + 115), Y(kPreviewY + 76), IsSaturated) > 800;
    });
    EXPECT_GT(Count(create, X(kPreviewX), Y(kPreviewY), X(kPreviewX + 115), Y(kPreviewY + 76), IsSaturated), 800)
        << "the table's preview: see create.png";
    EXPECT_TRUE(IsSlate(create.At(X(kDialogX + 20), Y(kDialogY + 200)))) << "the dialog's face";
    Click(X(kDialogX + 110 + 42), Y(kDialogY + 590 + 16));
    const auto created = server().WaitForMessage(MessageId::CreateRoom, 10000);
    ASSERT_TRUE(created.has_value()) << "see create.png";
    EXPECT_EQ(created->bytes[4], 0) << "four-ball, the all-carom channel's first type";
    // The server refuses: its notice, closed with Return.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    Capture(folder() / "refused.png");
    PressKey("Return");
    std::this_thread::sleep_for(std::chrono::seconds(1));

    // A click on the waiting room's row joins it; the server's answer brings the game room.
    for (int attempt = 0; attempt < 5 && server().CountReceived(MessageId::JoinRoom) == 0; ++attempt) {
        Click(X(kRowX + 200), Y(kRowY + 30));
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    const auto join = server().WaitForMessage(MessageId::JoinRoom, 5000);
    ASSERT_TRUE(join.has_value()) << "see refused.png";
    EXPECT_EQ(join->bytes, (std::vector<uint8_t>{7, 0, 0x6C, 0x04, 1, 0, 0}));
    ASSERT_TRUE(server().WaitForMessage(MessageId::RoomEntered, 30000).has_value()) << ReadFile(folder() / "StartLog.log");
    // The room's top bar (at (5, 4)) writes the room's title from x 96 of it, white over a blue outline: the
    // one letter, and nothing further right where the default title would run on.
    const auto ink = [](uint32_t rgb) { return B(rgb) > 160; };
    const auto title = [&](const Screenshot& shot, int from, int to) {
        return Count(shot, X(5 + from), Y(4 + 4), X(5 + to), Y(4 + 26), ink);
    };
    const Screenshot room = WaitForScreen(folder() / "room.png", [&](const Screenshot& shot) {
        return title(shot, 92, 122) > 5;
    });
    EXPECT_GT(title(room, 92, 122), 5) << "the room's title: see room.png";
    EXPECT_EQ(title(room, 130, 300), 0) << "no longer title: see room.png";

    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

// In a window, the lobby shows its title bar ("- channel 1-1  (Windowed)" over a half-transparent band at
// (10, 4), 392 x 30) while the pointer is over the window's drag band (the top 25 pixels left of the last
// 300), and hides it when the pointer leaves (titlebar.png, notitle.png).
TEST_F(LobbyOnline, AWindowedLobbyShowsItsTitleBarOverTheDragBand) {
    ASSERT_GT(StartOnline("[Video]\r\nfullscreen=0\r\n"), 0);
    kvtest::InstallLobbyScript(server());
    area_ = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    ASSERT_TRUE(EnterFirstChannel(area_)) << ReadFile(folder() / "StartLog.log");
    // The bar's caption: light text at (130, 6) of the bar.
    const auto caption = [&](const Screenshot& shot) {
        return Count(shot, X(10 + 130), Y(4 + 6), X(10 + 350), Y(4 + 26), IsLight);
    };
    x.MovePointer(X(600), Y(400));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const Screenshot without = Capture(folder() / "notitle.png");
    x.MovePointer(X(200), Y(12));
    const Screenshot with = WaitForScreen(folder() / "titlebar.png", [&](const Screenshot& shot) {
        return caption(shot) > caption(without) + 40;
    });
    EXPECT_GT(caption(with), caption(without) + 40) << "the title bar over the drag band: see titlebar.png, notitle.png";
    EXPECT_GT(DifferingPixels(without, with, X(10), Y(4), X(402), Y(34)), 4000) << "the bar's band";

    x.MovePointer(X(600), Y(400));
    const Screenshot gone = WaitForScreen(folder() / "notitle.png", [&](const Screenshot& shot) {
        return caption(shot) <= caption(without) + 5;
    });
    EXPECT_LE(caption(gone), caption(without) + 5) << "the bar hides again: see notitle.png";
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
