// A session of 8-ball games in the real program against the stand-in server's room script, the opponent one
// who sat in the room before the player came: three games in the lobby's waiting room, then the lobby and a game
// in the room joined next. Every game shows both players on the player board and on the group board, and its
// own rows on the result board; in every game of the first room the player calls the 8 ball's pocket in the top
// view and the stroke that follows at once shoots, and each result board closes. The player board's countdown
// warns in red in the last ten seconds of the opponent's turn. And a room the player creates shows its own
// number. The screens: session_*.png in the working folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/net/MessageId.h"
#include "tests/client/program_x11/RoomUnderX.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/net/RoomMessages.h"

namespace kv::test {
namespace {

constexpr uint16_t kTable = 1010;
constexpr uint16_t kBallSet = 2006;
constexpr uint8_t kLocalSeat = 0;
constexpr uint8_t kRivalSeat = 1;
constexpr uint8_t kTurnSeconds = 20;

// The countdown's warning, a translucent red over the turn marker.
bool IsWarningRed(uint32_t rgb) {
    const int r = static_cast<int>(rgb >> 16 & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF),
              b = static_cast<int>(rgb & 0xFF);
    return r > 140 && r > 2 * g && r > 2 * b;
}

class RoomSession : public RoomUnderX {
protected:
    // The 8-ball waiting room of the lobby's Quick Join and the room script, with a short turn.
    XWindowGeometry JoinEightBallRoom() {
        kvtest::RoomScript script;
        script.snapshot.gameMode = quill::game_type::kEightBall;
        script.snapshot.tableItem = kTable;
        script.snapshot.ballSetItem = kBallSet;
        script.snapshot.turnTime = kTurnSeconds;
        script.opponentWasIn = true;
        kvtest::LobbyScript lobby;
        lobby.rooms.front().gameMode = quill::game_type::kEightBall;
        lobby.rooms.front().tableItem = kTable;
        lobby.rooms.front().ballSetItem = kBallSet;
        const XWindowGeometry area = JoinRoomFromLobby([&] {
            kvtest::InstallLobbyScript(server(), lobby);
            state_ = kvtest::InstallRoomScript(server(), script);
        });
        if (!HasFailure()) CloseNewcomersHelp(area);
        return area;
    }

    // Seat 1 of the start panel taken (the server seats the opponent beside), then the master's start.
    void TakeSeatAndStart(const XWindowGeometry& area) {
        const size_t seats = server().CountReceived(quill::MessageId::RoomSlotRequest);
        const int panelX = area.x + area.width - 370, panelY = area.y + area.height - 80;
        for (int n = 0; n < 5 && server().CountReceived(quill::MessageId::RoomSlotRequest) == seats; ++n) {
            Click(panelX + 18, panelY + 26);
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
        ASSERT_GT(server().CountReceived(quill::MessageId::RoomSlotRequest), seats) << "the seat: see a session png";
        std::this_thread::sleep_for(std::chrono::seconds(1));
        Start(area);
    }

    // After a game both stay seated; the server tells they are ready again, and the master starts.
    void StartAgain(const XWindowGeometry& area) {
        server().Send(kvtest::ShortMessage(quill::MessageId::SeatChanged, {{kLocalSeat, 1}, {1, 1}}));
        server().Send(kvtest::ShortMessage(quill::MessageId::SeatChanged, {{kRivalSeat, 1}, {2, 1}}));
        std::this_thread::sleep_for(std::chrono::seconds(1));
        Start(area);
    }

    // The master's start button (F5) of the start panel.
    void Start(const XWindowGeometry& area) {
        const size_t starts = server().CountReceived(quill::MessageId::GameStartRequest);
        const int panelX = area.x + area.width - 370, panelY = area.y + area.height - 80;
        for (int n = 0; n < 5 && server().CountReceived(quill::MessageId::GameStartRequest) == starts; ++n) {
            Click(panelX + 240 + 56, panelY + 25);
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
        ASSERT_GT(server().CountReceived(quill::MessageId::GameStartRequest), starts) << "the start";
    }

    // The group board's second row, below the top bar at the left edge.
    int SecondGroupRow(const Screenshot& shot, const XWindowGeometry& area) {
        return Faces(shot, area, 10, 112, 180, 14);
    }

    // The game started: both players on the player board; the groups determined: both on the group board.
    void ExpectBothPlayers(const XWindowGeometry& area, const std::string& name) {
        const Screenshot started = WaitForScreen(folder() / ("session_" + name + "_started.png"),
                                                 [&](const Screenshot& shot) { return TwoPlayerRows(shot, area); });
        EXPECT_TRUE(TwoPlayerRows(started, area))
            << "both players on the player board: see session_" << name << "_started.png";
        // The player's team (first in the order) plays the 8 ball, the opponent's the low balls.
        server().Send(kvtest::ShortMessage(quill::MessageId::GroupDetermined, {{2, 1}, {4, 1}, {2, 1}}));
        const Screenshot grouped =
            WaitForScreen(folder() / ("session_" + name + "_groups.png"),
                          [&](const Screenshot& shot) { return SecondGroupRow(shot, area) > 1500; });
        EXPECT_GT(SecondGroupRow(grouped, area), 1500)
            << "both players on the group board: see session_" << name << "_groups.png";
    }

    // The opponent's turn (the script passed it on the shot's report): the countdown's warning shows in red
    // once fewer than ten seconds are left, blinking twice in every second and a half.
    void ExpectCountdownWarning(const XWindowGeometry& area) {
        // The board's top 64 pixels above its first row; the warning 140 pixels into it, 50 x 40.
        const int left = area.x + area.width - 200 + 140, top = area.y + area.height - 192 - 64;
        int most = 0;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(kTurnSeconds);
        while (most < 600 && std::chrono::steady_clock::now() < until) {
            const Screenshot box = CaptureArea(left, top, 50, 40);
            most = std::max(most, Count(box, 0, 0, 50, 40, IsWarningRed));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        Capture(folder() / "session_countdown.png");
        EXPECT_GT(most, 600) << "the countdown never warned: see session_countdown.png";
    }

    // Row n of the result board that showed on the screen: its result word, name, points and money.
    int RowsDiffer(const Screenshot& a, const Screenshot& b, const XWindowGeometry& area, int row) {
        const int x = area.x + (area.width - 417) / 2 + 22, y = area.y + (area.height - 251) / 2 + 65 + 21 * row;
        return DifferingPixels(a, b, x, y, x + 300, y + 18);
    }

    void QuickJoinAgain(const XWindowGeometry& area) {
        const size_t joins = server().CountReceived(quill::MessageId::JoinRoom);
        for (int n = 0; n < 10 && server().CountReceived(quill::MessageId::JoinRoom) == joins; ++n) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            Click(area.x + 491, area.y + 551);
        }
        ASSERT_GT(server().CountReceived(quill::MessageId::JoinRoom), joins) << "joined again";
        ASSERT_TRUE(server().WaitForMessages(quill::MessageId::RoomEntered, 2, 30000));
        CloseNewcomersHelp(area);
    }

    // The player keeps the turn on the 8 ball; in the top view a click calls the upper middle pocket, Tab turns
    // back to the player's view, and a stroke follows at once: Ctrl goes down with the first move of the mouse
    // after the call. The one stroke must shoot.
    void CallThePocketAndStrokeAtOnce(const XWindowGeometry& area, const std::string& name) {
        kvtest::TestTurnResult keep;
        keep.ballSetItem = kBallSet;
        keep.tableItem = kTable;
        keep.result = 2;
        keep.nextShooter = kLocalSeat;
        server().Send(kvtest::TurnResultMessage(keep));
        std::this_thread::sleep_for(std::chrono::seconds(2));
        x.MovePointer(area.x + area.width / 2, area.y + area.height / 2);
        ASSERT_TRUE(IsTopView(TurnTopView(folder() / ("session_" + name + "_top_view.png"), area), area));
        const size_t calls = server().CountReceived(quill::MessageId::PocketCall);
        Click(area.x + 512, area.y + 156);
        ASSERT_TRUE(server().WaitForMessages(quill::MessageId::PocketCall, calls + 1, 5000))
            << "the pocket click called nothing";
        const std::string back = "session_" + name + "_players_view.png";
        ASSERT_FALSE(IsTopView(TurnTopView(folder() / back, area, false), area))
            << "Tab kept the top view: see " << back;
        const size_t shots = server().CountReceived(quill::MessageId::Shot);
        const size_t reports = server().CountReceived(quill::MessageId::ShotResultReport);
        StrokeCue(area.x + area.width / 2, area.y + 500, false, StrokeStart::WithTheMove);
        EXPECT_TRUE(server().WaitForMessages(quill::MessageId::Shot, shots + 1, 30000))
            << "the first stroke after the call shot nothing (game " << name << ")";
        EXPECT_TRUE(server().WaitForMessages(quill::MessageId::ShotResultReport, reports + 1, 60000))
            << "the balls never stopped";
    }
};

// Three 8-ball games in one room, then one in the next: every game shows both players on the player board and
// the group board and its own rows on the result board. In each game of the first room the player calls a pocket
// and the stroke that follows at once (Ctrl with the first move of the mouse) shoots at the first press; in the
// first the countdown warns through the opponent's turn; the result boards close by their button, by Esc and by
// their button again, and To Lobby then leaves the room at the first click.
TEST_F(RoomSession, ThreeGamesInARoomAndOneInTheNextShootCloseTheirBoardsAndKeepTheirPlayers) {
    const XWindowGeometry area = JoinEightBallRoom();
    ASSERT_FALSE(HasFatalFailure());
    TakeSeatAndStart(area);
    ASSERT_FALSE(HasFatalFailure());
    const std::vector<kvtest::TestEndTeam> results[] = {{{1, 1, {{kLocalSeat, 10}}}, {2, 2, {{kRivalSeat, 0}}}},
                                                        {{1, 2, {{kLocalSeat, 0}}}, {2, 1, {{kRivalSeat, 7}}}},
                                                        {{1, 1, {{kLocalSeat, 4}}}, {2, 2, {{kRivalSeat, 0}}}}};
    const Closing closings[] = {Closing::Button, Closing::Escape, Closing::Button};
    Screenshot boards[3];
    for (int game = 0; game < 3; ++game) {
        const std::string name = "game" + std::to_string(game + 1);
        if (game > 0) StartAgain(area);
        ASSERT_FALSE(HasFatalFailure());
        ExpectBothPlayers(area, name);
        CallThePocketAndStrokeAtOnce(area, name);
        ASSERT_FALSE(HasFatalFailure());
        if (game == 0) ExpectCountdownWarning(area);
        boards[game] = EndGame(area, "session_" + name, results[game], closings[game]);
    }
    EXPECT_GT(RowsDiffer(boards[0], boards[1], area, 0), 50) << "the second game's own first row";
    EXPECT_GT(RowsDiffer(boards[0], boards[1], area, 1), 50) << "the second game's own second row";

    const size_t leaves = server().CountReceived(quill::MessageId::LeaveRoomRequest);
    Click(area.x + area.width - 35 + 16, area.y + 17);
    ASSERT_TRUE(server().WaitForMessages(quill::MessageId::LeaveRoomRequest, leaves + 1, 5000))
        << "To Lobby did not leave the room";
    QuickJoinAgain(area);
    ASSERT_FALSE(HasFatalFailure());
    TakeSeatAndStart(area);
    ASSERT_FALSE(HasFatalFailure());
    ExpectBothPlayers(area, "next_room");
    const Screenshot next = EndGame(area, "session_next_room", {{1, 1, {{kLocalSeat, 3}}}, {2, 2, {{kRivalSeat, 0}}}});
    EXPECT_GT(RowsDiffer(boards[1], next, area, 1), 50) << "the next room's game shows the opponent's own row";

    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

// A room the player creates from the lobby (the stand-in numbers it 7): its top bar shows 7, the number the
// lobby lists, not 0.
TEST_F(RoomSession, ACreatedRoomShowsItsOwnNumber) {
    const XWindowGeometry area = EnterLobby([&] { state_ = kvtest::InstallRoomScript(server()); });
    ASSERT_FALSE(HasFatalFailure());
    const int dialogX = area.x + (1024 - 427) / 2, dialogY = area.y + (768 - 627) / 2;
    for (int n = 0; n < 5 && server().CountReceived(quill::MessageId::CreateRoom) == 0; ++n) {
        Click(area.x + 20 + 286 + 61, area.y + 40 + 450 + 61);  // Create New Game
        std::this_thread::sleep_for(std::chrono::seconds(2));
        Click(dialogX + 110 + 42, dialogY + 590 + 16);  // the dialog's OK
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::CreateRoom, 5000).has_value()) << "see lobby.png";
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::RoomEntered, 30000).has_value());
    // The number's first cell at (19, 7): a 7, its top stroke whole and the left of its upper half bare, where a
    // 0 has its left side (the 7's stroke reaches the cell's left only near its foot).
    const auto sevenShown = [&](const Screenshot& shot) {
        return Count(shot, area.x + 21, area.y + 8, area.x + 29, area.y + 12, IsYellowish) > 10 &&
               Count(shot, area.x + 21, area.y + 12, area.x + 23, area.y + 18, IsYellowish) == 0;
    };
    const Screenshot room = WaitForScreen(folder() / "session_created_room.png", sevenShown);
    EXPECT_TRUE(sevenShown(room)) << "the room's number: see session_created_room.png";
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
