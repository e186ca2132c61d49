// The lobby in the real program online, on a real X display: the stand-in server runs the login and lobby
// scripts; the player logs in and enters the first channel (all carom). The lobby lists the server's rooms
// (their WAIT and PLAY states) and players (lobby.png); a line typed into the chat goes to the server and its
// echo shows (chat.png); "Create New Game" opens the creation dialog with the chosen table turning in its
// preview (create.png), and OK sends CreateRoom, which this server refuses with its notice (refused.png);
// a click on the waiting room's row sends JoinRoom for it, and the server's answer brings the game room with
// that room's title in its top bar (room.png). The screenshots are in the check's working folder.
//
// How the two screens look: the lobby's title-bar buttons wear pictograms, the rows keep their level range and
// "[Half]" inside their 64 pixels and their right-end mark clear of the scroll bar, the right-hand menu is a
// column of captions over bands that fade out at their ends, with no box faces of different widths, the
// corner picture is framed, and the list's face holds "Create New Game" and "Quick Join" whole; the ten game-type filters each wear their game's ball, side by side left of "Create
// New Game"; the room's top bar and side image are framed pictures, its chat lines bands without
// faces, its seat buttons in the start and ready panel plain faces with their numbers (no teal halves), and
// "Join" one face.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "QuillLib/gamedata/RoomInfo.h"
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
// The game-type filters: ten 24 x 24 buttons from (38, 516) of the room panel, 24 apart.
constexpr int kFilterX = 20 + 38;
constexpr int kFilterY = 40 + 516;
constexpr int kFilterStep = 24;

int R(uint32_t rgb) { return static_cast<int>(rgb >> 16 & 0xFF); }
int G(uint32_t rgb) { return static_cast<int>(rgb >> 8 & 0xFF); }
int B(uint32_t rgb) { return static_cast<int>(rgb & 0xFF); }

bool IsGreen(uint32_t rgb) { return G(rgb) > 170 && R(rgb) < 110 && B(rgb) < 110; }
// Yellow at the opacity of a full room's row (0.4) over the row's slate.
bool IsDimYellow(uint32_t rgb) { return R(rgb) > 110 && G(rgb) > 110 && B(rgb) < 80; }
bool IsSaturated(uint32_t rgb) {
    return std::max({R(rgb), G(rgb), B(rgb)}) - std::min({R(rgb), G(rgb), B(rgb)}) > 60;
}
bool IsPictogramInk(uint32_t rgb) { return R(rgb) > 200 && G(rgb) > 200 && B(rgb) > 200; }
// The skin's plain face (59, 69, 82), which a region the data does not paint shows.
bool IsPlainFace(uint32_t rgb) {
    return std::abs(R(rgb) - 59) <= 3 && std::abs(G(rgb) - 69) <= 3 && std::abs(B(rgb) - 82) <= 3;
}

// The lobby's title-bar buttons, 33 x 34 at y 0, their left edges from the right edge of the 1024-wide screen.
constexpr int kTitleButtonRights[] = {35, 68, 101, 134, 167};
// The right-hand menu: Shot Gallery at (1024 - 206, 380) to Tournament Info ending at (1024 - 50, 534).
constexpr int kMenuLeft = 1024 - 206;
constexpr int kMenuTop = 380;
constexpr int kMenuRight = 1024 - 50;
constexpr int kMenuBottom = 534;
// The room: top bar at (5, 4) 470 x 30; side image 196 x 278 at (1024 - 200, 0); chat lines from
// (0, 768 - 218), 18 apart, 382 wide; the start and ready panel at (1024 - 370, 768 - 80) with its seats
// 36 x 36 from (0, 8) and Ready at (240, -2); Join 86 x 20 at (1024 - 208, 768 - 23).
constexpr int kPanelX = 1024 - 370;
constexpr int kPanelY = 768 - 80;
constexpr int kJoinX = 1024 - 208;
constexpr int kJoinY = 768 - 23;

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
        // A level range and the half-game mark: the row's last line.
        script.rooms[0].minHandicap = 30;
        script.rooms[0].maxHandicap = 200;
        script.rooms[0].optionFlags = quill::RoomInfo::kHalfGameFlag;
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
    // The title-bar buttons' pictograms, the first row's last line and right end, the right-hand menu.
    void CheckLobbyLooks(const Screenshot& lobby) const {
        for (int right : kTitleButtonRights) {
            EXPECT_GT(Count(lobby, X(1024 - right + 3), Y(3), X(1024 - right + 30), Y(31), IsPictogramInk), 50)
                << "the pictogram of the title button " << right << " from the right edge: see lobby.png";
        }
        // "30 ~ 200" and "[Half]" on the row's last line, nothing of them in the gap below the row.
        const auto rowText = [&](int top, int bottom) {
            return Count(lobby, X(kRowX + 260), Y(kRowY + top), X(kRowX + 430), Y(kRowY + bottom), IsLight) +
                   Count(lobby, X(kRowX + 260), Y(kRowY + top), X(kRowX + 430), Y(kRowY + bottom), IsYellowish);
        };
        EXPECT_GT(rowText(44, 64), 20) << "the level range and [Half] in the row: see lobby.png";
        EXPECT_EQ(rowText(64, 80), 0) << "no label in the gap below the row: see lobby.png";
        // Between the row's right end (476 wide) and the room scroll bar's frame (20 + 502): the list's own face,
        // as in the gap below the row, and nothing of the row.
        const uint32_t listFace = lobby.At(X(kRowX + 200), Y(kRowY + 72));
        const auto notListFace = [listFace](uint32_t rgb) {
            return std::abs(R(rgb) - R(listFace)) + std::abs(G(rgb) - G(listFace)) + std::abs(B(rgb) - B(listFace)) > 24;
        };
        EXPECT_LT(Count(lobby, X(kRowX + 478), Y(kRowY), X(20 + 502), Y(kRowY + 64), notListFace), 20)
            << "the row's right end stays clear of the scroll bar: see lobby.png";
        // "Create New Game" (its face from x 316) and "Quick Join" (from x 440) stand on the list's face, which
        // shows between them down to their faces' foot at y 586: they stand over none of its edges.
        EXPECT_LT(Count(lobby, X(427), Y(494), X(437), Y(585), notListFace), 20)
            << "the list's face between Create New Game and Quick Join: see lobby.png";
        EXPECT_LT(Count(lobby, X(kMenuLeft), Y(kMenuTop), X(kMenuRight), Y(kMenuBottom), IsPlainFace), 100)
            << "the right-hand menu has no box faces: see lobby.png";
        EXPECT_GT(Count(lobby, X(kMenuLeft), Y(kMenuTop), X(kMenuRight), Y(kMenuBottom), IsLight), 500)
            << "the menu's captions: see lobby.png";
        EXPECT_GT(Count(lobby, X(1024 - 300), Y(768 - 130), X(1024 - 260), Y(768 - 100), IsAccent), 10)
            << "the corner picture's frame: see lobby.png";
        // Each filter's ball stands out from its face (the colour of its corner), the tenth's too, which ends
        // before "Create New Game" (at 306) begins.
        for (int n = 0; n < 10; ++n) {
            const int x = kFilterX + kFilterStep * n;
            const uint32_t face = lobby.At(X(x + 2), Y(kFilterY + 2));
            const auto ball = [face](uint32_t rgb) {
                return std::abs(R(rgb) - R(face)) + std::abs(G(rgb) - G(face)) + std::abs(B(rgb) - B(face)) > 90;
            };
            EXPECT_GT(Count(lobby, X(x + 4), Y(kFilterY + 4), X(x + 20), Y(kFilterY + 20), ball), 80)
                << "the ball of filter " << n << ": see lobby.png";
        }
    }
    // Where CheckLobbyLooks looks: the rows, the players, the title bar's buttons, the menu, the corner picture,
    // the filters and the chat box's caption.
    std::vector<XWindowGeometry> LobbyPanels() const {
        return {{X(kRowX), Y(kRowY), 492, 4 * kRowStep},
                {X(kUserX), Y(kUserY), 90, 5 * kUserStep},
                {X(1024 - 167), Y(0), 167, 34},
                {X(kMenuLeft), Y(kMenuTop), kMenuRight - kMenuLeft, kMenuBottom - kMenuTop},
                {X(1024 - 300), Y(768 - 130), 40, 30},
                {X(kFilterX), Y(kFilterY), 10 * kFilterStep, 24},
                {X(kChatX + 382), Y(kChatY + 108), 46, 18}};
    }
    // Where CheckRoomLooks looks, and the title: the top bar but for its clock, the side image's frame, the chat
    // lines, the seats and Join.
    std::vector<XWindowGeometry> RoomPanels() const {
        return {{X(5), Y(4), 300, 30},
                {X(1024 - 200), Y(240), 40, 38},
                {X(0), Y(768 - 218), 382, 156},
                {X(kPanelX), Y(kPanelY + 8), 228, 36},
                {X(kJoinX), Y(kJoinY), 86, 20}};
    }
    // The framed top bar and side image, the chat lines' bands, the seats and Join.
    void CheckRoomLooks(const Screenshot& room) const {
        EXPECT_GT(Count(room, X(5), Y(4), X(45), Y(34), IsAccent), 10) << "the top bar's frame: see room.png";
        EXPECT_GT(Count(room, X(1024 - 200), Y(240), X(1024 - 160), Y(278), IsAccent), 10)
            << "the side image's frame: see room.png";
        EXPECT_LT(Count(room, X(0), Y(768 - 218), X(382), Y(768 - 218 + 156), IsPlainFace), 500)
            << "the chat lines have no box faces: see room.png";
        EXPECT_EQ(Count(room, X(kPanelX), Y(kPanelY + 8), X(kPanelX + 228), Y(kPanelY + 44), IsAccent), 0)
            << "the seat buttons: see room.png";
        EXPECT_GT(Count(room, X(kPanelX), Y(kPanelY + 8), X(kPanelX + 228), Y(kPanelY + 44), IsLight), 100)
            << "the seats' numbers: see room.png";
        EXPECT_EQ(Count(room, X(kJoinX), Y(kJoinY), X(kJoinX + 86), Y(kJoinY + 20), IsAccent), 0)
            << "Join is one face: see room.png";
    }

    XWindowGeometry area_;
};

TEST_F(LobbyOnline, LobbyListsRoomsAndPlayersChatsCreatesAndJoins) {
    ASSERT_TRUE(ReachLobby()) << ReadFile(folder() / "StartLog.log");
    ASSERT_EQ(area_.width, 1024);

    // The rooms: the waiting room first (WAIT in green), the locked one, then the full room playing (PLAY in
    // yellow); the fourth row is empty. The players: four nicknames in yellow, the fifth row empty. The lists
    // and the panels are judged at rest; the table behind them turns.
    const Screenshot lobby = WaitForScreenAtRest(folder() / "lobby.png", LobbyPanels(), [&](const Screenshot& shot) {
        return RowGreen(shot, 0) > 15 && RowYellow(shot, 2) > 15 && UserYellow(shot, 3) > 10;
    });
    EXPECT_GT(RowGreen(lobby, 0), 15) << "the waiting room's WAIT: see lobby.png";
    EXPECT_GT(RowGreen(lobby, 1), 15) << "the locked room's WAIT";
    EXPECT_GT(RowYellow(lobby, 2), 15) << "the playing room's PLAY";
    EXPECT_EQ(RowGreen(lobby, 3) + RowYellow(lobby, 3), 0) << "no fourth room";
    for (int row = 0; row < 4; ++row)
        EXPECT_GT(UserYellow(lobby, row), 10) << "the player of row " << row;
    EXPECT_EQ(UserYellow(lobby, 4), 0) << "no fifth player";
    CheckLobbyLooks(lobby);
    EXPECT_GT(Count(lobby, X(kChatX + 382), Y(kChatY + 108), X(kChatX + 428), Y(kChatY + 126), IsLight), 15)
        << "the chat box's caption: see lobby.png";

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
    // The server refuses: its notice, closed with Return once it came (while it is up it holds every click).
    const auto noticeShown = [&](const Screenshot& shot) { return MessageBoxShown(shot, area_); };
    ASSERT_TRUE(noticeShown(WaitForScreen(folder() / "refused.png", noticeShown))) << "see refused.png";
    PressKey("Return");
    WaitForScreen(folder() / "refused_closed.png", [&](const Screenshot& shot) { return !noticeShown(shot); });

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
    const Screenshot room = WaitForScreenAtRest(folder() / "room.png", RoomPanels(),
                                                [&](const Screenshot& shot) { return title(shot, 92, 122) > 5; });
    EXPECT_GT(title(room, 92, 122), 5) << "the room's title: see room.png";
    EXPECT_EQ(title(room, 130, 300), 0) << "no longer title: see room.png";
    CheckRoomLooks(room);

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
