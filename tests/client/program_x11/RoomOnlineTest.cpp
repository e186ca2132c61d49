// The real program online on a real X display joins a game room from the lobby: it logs in to the stand-in
// server (login and lobby scripts), enters the first channel with Return, takes Quick Join in the lobby, and
// the server's JoinRoomResult brings the game room, which tells the server RoomEntered. The room's screen
// (room.png in the working folder) shows the table in the middle and the top bar, chat area, start and ready
// panel and player board where the layout anchors them, the top bar's room number and clock in whole digits,
// the chat's lines each on a band as long as itself, and what is typed into the chat box a space apart from
// the box's caption; the check runs at 1024 x 768 and on a wider display.
// Then a game is played there against the server's room script, the server standing in for the opponent: a
// seat, the start (the point-rule panel's two plates meeting edge to edge, the betting panel's text lines
// whole above its buttons and its checked choice showing), a stroke that sends Shot and, once the balls stop,
// ShotResultReport; the opponent's shot relayed moves the balls, the game's end shows the result board, a
// friend request shows in the room's new-message window whose click opens the request, and To Lobby leads back
// to the lobby. Against a hostile server (room_reliability): a second room shows its own chat, a flood of chat
// leaves the table state answered at once, and local messages and a Shot of hostile values leave the room
// playing.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include <cstdio>
#include <cstring>

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/net/MessageId.h"
#include "tests/client/program_x11/RoomUnderX.h"
#include "tests/support/net/CommunityMessages.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/net/RoomMessages.h"

namespace kv::test {
namespace {

// The red ball's red down to its shaded rim, not the shaded orange of the yellow ball beside it.
bool IsBallRed(uint32_t rgb) {
    const int r = static_cast<int>(rgb >> 16 & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF),
              b = static_cast<int>(rgb & 0xFF);
    return r > 35 && r > 2 * g && 10 * r > 13 * b;
}

// A chat line's dark slate band over the room's warm floor and wood.
bool IsChatBand(uint32_t rgb) {
    const int r = static_cast<int>(rgb >> 16 & 0xFF), b = static_cast<int>(rgb & 0xFF);
    return b >= r + 4 && std::max({r, static_cast<int>(rgb >> 8 & 0xFF), b}) < 48;
}

// Whether a number display's cell shows a whole digit: ink in its top third and in its bottom third (a glyph
// cut short shows its top alone, a cell cut from no digit none at all).
bool WholeDigit(const Screenshot& shot, int x, int y, int w, int h, const std::function<bool(uint32_t)>& ink) {
    return Count(shot, x, y, x + w, y + h / 3, ink) > 0 && Count(shot, x, y + h - h / 3, x + w, y + h, ink) > 0;
}

// The top right's point-rule panel (its right edge 180 pixels left of the screen's, top 30): the number's plate
// (172 x 40) shows its foot whole, its lower right bracket too, and the rule's plate below it starts where
// that foot ends, its upper left bracket not over it.
void ExpectRulePlatesMeet(const Screenshot& shot, const XWindowGeometry& area) {
    const int plateX = area.x + area.width - 180, plateY = area.y + 30;
    EXPECT_GT(Count(shot, plateX + 154, plateY + 35, plateX + 168, plateY + 37, IsAccent), 10)
        << "the number plate's lower right bracket: see game_started.png";
    EXPECT_EQ(Count(shot, plateX + 28, plateY + 35, plateX + 46, plateY + 40, IsAccent), 0)
        << "the rule plate's upper left bracket over the number plate's foot: see game_started.png";
}

// The betting panel at the right edge: its third line (the rules' last) stands whole above the bet buttons,
// its last rows, 67 and 68 of the panel, showing its ink over the buttons' place; and the no-bet button,
// checked at the start, shows the checked face of a check box.
void ExpectBetPanelWhole(const Screenshot& shot, const XWindowGeometry& area) {
    const int betX = area.x + area.width - 220, betY = area.y + 286;
    EXPECT_GT(Count(shot, betX + 10, betY + 67, betX + 70, betY + 69, IsLight) +
                  Count(shot, betX + 80, betY + 67, betX + 140, betY + 69, IsLight),
              20)
        << "the betting panel's third line cut by the bet buttons: see game_started.png";
    EXPECT_GT(Count(shot, betX + 152, betY + 72, betX + 206, betY + 90, IsAccent), 300)
        << "the no-bet button's checked face: see game_started.png";
}

// The box of the red pixels of the rectangle that lie within 60 pixels of the first red pixel with four red
// ones below it (the red ball, not a stray pixel of an edge); empty when there is none.
XWindowGeometry RedBallBox(const Screenshot& shot, int left, int top, int right, int bottom) {
    for (int y = top; y + 4 < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (Count(shot, x, y, x + 1, y + 5, IsBallRed) < 5) continue;
            int minX = x, maxX = x, minY = y, maxY = y;
            for (int v = std::max(top, y - 60); v < std::min(bottom, y + 60); ++v) {
                for (int u = std::max(left, x - 60); u < std::min(right, x + 60); ++u) {
                    if (!IsBallRed(shot.At(u, v))) continue;
                    minX = std::min(minX, u);
                    maxX = std::max(maxX, u);
                    minY = std::min(minY, v);
                    maxY = std::max(maxY, v);
                }
            }
            return XWindowGeometry{minX, minY, maxX - minX + 1, maxY - minY + 1};
        }
    }
    return {};
}

TEST_F(RoomUnderX, RoomJoinedFromTheLobbyShowsItsPlaces) {
    const XWindowGeometry area = JoinRoomFromLobby();
    ASSERT_FALSE(HasFailure());
    const int left = area.x;
    const int top = area.y;
    const int width = area.width;
    const int height = area.height;

    // The room: the top bar at (5, 4), the chat lines 218 above the bottom, the start panel at (w - 370,
    // h - 80), the player board's rows 200 from the right edge, the table in the middle.
    const auto faces = [&](const Screenshot& shot, int x, int y, int w, int h) {
        return Count(shot, left + x, top + y, left + x + w, top + y + h, IsFace);
    };
    // The table's cloth fills the view left of the help window a newcomer sees on entering.
    const auto cloth = [&](const Screenshot& shot) {
        return Count(shot, left + width / 2 - 400, top + height / 2 - 100, left + width / 2 - 220,
                     top + height / 2 + 100, IsCaromCloth);
    };
    const auto shown = [&](const Screenshot& shot) {
        return faces(shot, 5, 4, 470, 30) > 2000 && faces(shot, width - 370, height - 80, 240, 56) > 2000 &&
               cloth(shot) > 15000;
    };
    // The panels at rest (the top bar's clock ticks).
    const auto rect = [&](int x, int y, int w, int h) { return XWindowGeometry{left + x, top + y, w, h}; };
    const Screenshot room = WaitForScreenAtRest(folder() / "room.png",
                                                {rect(0, height - 60, 358, 30), rect(width - 370, height - 80, 240, 56),
                                                 rect(width - 200, height - 220, 190, 52), rect(width - 35, 0, 33, 34)},
                                                shown);
    EXPECT_GT(faces(room, 5, 4, 470, 30), 2000) << "the top bar: see room.png";
    EXPECT_GT(faces(room, 0, height - 60, 358, 30), 2000) << "the chat input";
    EXPECT_GT(faces(room, width - 370, height - 80, 240, 56), 2000) << "the start and ready panel";
    EXPECT_GT(faces(room, width - 200, height - 52 - 168, 190, 52), 2000) << "the player board's row";
    EXPECT_GT(faces(room, width - 35, 0, 33, 34), 300) << "the top right button";
    EXPECT_GT(cloth(room), 15000) << "the table";

    // With the help window closed, the red ball on the table is as wide as it is high, whatever the shape of
    // the screen (table.png). The table and the top bar are judged at rest, but for the clock's blinking colon.
    CloseNewcomersHelp(area);
    ASSERT_FALSE(HasFailure());
    const auto ball = [&](const Screenshot& shot) {
        return RedBallBox(shot, left + width / 5, top + 60, left + width * 4 / 5, top + height - 200);
    };
    const Screenshot table = WaitForScreenAtRest(
        folder() / "table.png",
        {rect(width / 5, 60, width * 3 / 5, height - 260), rect(5, 4, 430, 44), rect(455, 4, 45, 30)},
        [&](const Screenshot& shot) { return ball(shot).height >= 8; });
    const XWindowGeometry red = ball(table);
    ASSERT_GE(red.height, 8) << "the red ball: see table.png";
    const double shape = static_cast<double>(red.width) / red.height;
    EXPECT_GT(shape, 0.93) << red.width << " x " << red.height << ": see table.png";
    EXPECT_LT(shape, 1.07) << red.width << " x " << red.height << ": see table.png";

    // The top bar's numbers show whole digits: the room number at (19, 7) in yellow, and the game clock's
    // hours at (411, 9) and the second digit of its minutes at (463, 9). The clock's dark face ends with the
    // bar at x 475: the wood of the room beyond it.
    SaveEnlarged(table, folder() / "top_bar_3x.png", left + 5, top + 4, 470, 30, 3);
    EXPECT_TRUE(WholeDigit(table, left + 19, top + 7, 12, 18, IsYellowish)) << "the room number: see table.png";
    EXPECT_TRUE(WholeDigit(table, left + 411, top + 9, 11, 14, IsLight)) << "the clock's hours: see table.png";
    EXPECT_TRUE(WholeDigit(table, left + 463, top + 9, 11, 14, IsLight)) << "the clock's minutes: see table.png";
    EXPECT_EQ(Count(table, left + 476, top + 6, left + 500, top + 26,
                    [](uint32_t rgb) { return (rgb & 0xFF) > (rgb >> 16 & 0xFF) + 4; }),
              0)
        << "the clock's face past the top bar's end: see table.png";
    // The coin stands in the bar beside the room number (21 x 18 at (59, 10)), round on the bar's face: nothing
    // of it below the bar's foot, and no square of another face round it.
    const auto gold = [](uint32_t rgb) {
        return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 150 && (rgb & 0xFF) < 110;
    };
    EXPECT_GT(Count(table, left + 59, top + 10, left + 80, top + 28, gold), 100) << "the coin: see table.png";
    EXPECT_EQ(Count(table, left + 5, top + 34, left + 120, top + 48, gold), 0) << "below the bar: see table.png";
    const uint32_t corner = table.At(left + 59, top + 10), face = table.At(left + 90, top + 10);
    for (int shift : {16, 8, 0})
        EXPECT_NEAR(static_cast<int>(corner >> shift & 0xFF), static_cast<int>(face >> shift & 0xFF), 8)
            << "the bar's face round the coin: see table.png";

    // The room's tips fill the chat's last lines (18 apart from 218 above the bottom), each on a dark band that
    // ends where its own line ends: the lines differ in length, so do their bands.
    std::vector<int> bandEnds;
    for (int line = 0; line < 8; ++line) {
        const int row = top + height - 218 + 18 * line + 15;
        int end = -1;
        for (int x = left; x < left + 440; ++x) {
            if (IsChatBand(table.At(x, row))) end = x;
        }
        if (end >= 0) bandEnds.push_back(end - left);
    }
    ASSERT_GE(bandEnds.size(), 3u) << "the chat's lines: see table.png";
    EXPECT_GT(*std::max_element(bandEnds.begin(), bandEnds.end()) - *std::min_element(bandEnds.begin(), bandEnds.end()),
              60)
        << "the chat's bands, each as long as its line: see table.png";

    // Return puts the focus into the chat box (60 above the bottom, from x 23): what is typed starts at the box's
    // left edge, and the box's caption stands a space right of the box's end (x 363), none of it left of the box.
    // The typed letters, without the blinking caret (its own light grey), at rest over two captures.
    PressKey("Return");
    Type("hi");
    const auto typed = [&](const Screenshot& shot) {
        return Count(shot, left + 23, top + height - 48, left + 60, top + height - 32,
                     [](uint32_t rgb) { return IsLight(rgb) && rgb != 0xF0F0F0; });
    };
    int lastTyped = -1;
    const Screenshot chat = WaitForScreen(folder() / "chat_typed.png", [&](const Screenshot& shot) {
        const int now = typed(shot);
        const bool rest = now > 10 && now == lastTyped;
        lastTyped = now;
        return rest;
    });
    EXPECT_GT(typed(chat), 10) << "the typed text: see chat_typed.png";
    EXPECT_EQ(Count(chat, left, top + height - 48, left + 23, top + height - 32, IsLight), 0)
        << "left of the chat box: see chat_typed.png";
    EXPECT_EQ(Count(chat, left + 363, top + height - 48, left + 367, top + height - 32, IsLight), 0)
        << "the space between the chat box and its caption: see chat_typed.png";
    EXPECT_GT(Count(chat, left + 367, top + height - 48, left + 400, top + height - 32, IsLight), 10)
        << "the chat box's caption: see chat_typed.png";

    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}


// The Shot message with its aim mirrored across the table's length: the opponent's shot from the same balls.
quill::Packet MirroredShot(const kvtest::ServerMessage& shot) {
    std::vector<uint8_t> bytes = shot.bytes;
    const size_t balls = bytes.at(4);
    // After the count, the positions and the chalk: power cap, power, deviation, aim point x, aim point y.
    const size_t aimY = 5 + balls * 12 + 3 + 4 * 4;
    float y = 0.0f;
    std::memcpy(&y, &bytes.at(aimY), sizeof y);
    y = y == 0.0f ? 40.0f : -y;
    std::memcpy(&bytes.at(aimY), &y, sizeof y);
    quill::Packet copy;
    copy.Init(quill::MessageId::Shot);
    for (size_t n = 4; n < bytes.size(); ++n) copy.WriteU8(bytes[n]);
    return copy;
}

TEST_F(RoomUnderX, PlaysAGameFromTheSeatToTheResultsAndGoesBack) {
    // The room of the lobby's Quick Join, the player its master at seat 0, the opponent at seat 1.
    kvtest::RoomScript script;
    script.snapshot.tableItem = kvtest::TestRoom{}.tableItem;
    script.snapshot.ballSetItem = kvtest::TestRoom{}.ballSetItem;
    script.rule = {2, 7, 3, 2, 0};  // a point rule in force: cells lit in threes up to 7, "x3" there
    std::shared_ptr<kvtest::RoomScriptState> state;
    const XWindowGeometry area = JoinRoomFromLobby([&] { state = kvtest::InstallRoomScript(server(), script); });
    ASSERT_FALSE(HasFailure());
    const int width = area.width;
    const int height = area.height;
    Screenshot seated;
    SitAndStart(area, &seated);
    ASSERT_FALSE(HasFailure());

    // The game's boards: the point-rule board under the top bar, its first cell 336 pixels left of the middle,
    // and the betting panel at the right edge under the side image, both new since the seat was taken. They are
    // judged at rest with the chat's captions, but for the cursor's cell (the cursor blinks; the turn's
    // countdown and the clock tick elsewhere).
    const auto grown = [&](const Screenshot& now, int x, int y, int w, int h) {
        return Faces(now, area, x, y, w, h) - Faces(seated, area, x, y, w, h);
    };
    const auto rect = [&](int x, int y, int w, int h) { return XWindowGeometry{area.x + x, area.y + y, w, h}; };
    const Screenshot started = WaitForScreenAtRest(
        folder() / "game_started.png",
        {rect(width / 2 - 336 + 32, 42, 608, 32), rect(width - 220, 286, 219, 99), rect(0, height - 48, 23, 16),
         rect(24, height - 232, 120, 14)},
        [&](const Screenshot& now) {
            return grown(now, width / 2 - 336, 42, 640, 32) > 8000 && grown(now, width - 220, 286, 219, 99) > 8000;
        });
    EXPECT_GT(grown(started, width / 2 - 336, 42, 640, 32), 8000) << "the point-rule board: see game_started.png";
    // Its numbers show through its markers and its cursor, which ring their cells; only the goal's cell shows
    // the goal's value instead.
    int numbered = 0;
    for (int cell = 1; cell < 20; ++cell) {
        const int x = area.x + width / 2 - 336 + 32 * cell;
        numbered += Count(started, x + 4, area.y + 42 + 11, x + 26, area.y + 42 + 27, IsLight) > 3 ? 1 : 0;
    }
    EXPECT_GE(numbered, 18) << "the numbered cells: see game_started.png";
    EXPECT_GT(grown(started, width - 220, 286, 219, 99), 8000) << "the betting panel: see game_started.png";
    ExpectRulePlatesMeet(started, area);
    ExpectBetPanelWhole(started, area);
    EXPECT_GT(Count(started, area.x + 369, area.y + height - 48, area.x + 400, area.y + height - 32, IsLight), 10)
        << "the chat box's caption: see game_started.png";
    // The chat's mute box (18 x 14, 232 above the bottom) has its caption beside it.
    EXPECT_GT(Count(started, area.x + 24, area.y + height - 232, area.x + 144, area.y + height - 218, IsLight), 30)
        << "the mute box's caption: see game_started.png";
    // The 8-ball groups the server determines go on their board at the left edge below the top bar.
    server().Send(kvtest::ShortMessage(quill::MessageId::GroupDetermined, {{2, 1}, {3, 1}, {2, 1}}));
    const Screenshot grouped = WaitForScreen(folder() / "game_groups.png", [&](const Screenshot& now) {
        return grown(now, 10, 84, 180, 44) > 3000;
    });
    EXPECT_GT(grown(grouped, 10, 84, 180, 44), 3000) << "the group board: see game_groups.png";

    const auto shot = Stroke(area);
    ASSERT_TRUE(shot.has_value()) << "the stroke sent no Shot: see game_started.png";
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::ShotResultReport, 60000).has_value())
        << "the balls never stopped";
    // The table once its camera has come back to rest: below the point-rule board, left of the turn's countdown
    // and the side panels.
    const Screenshot afterShot =
        CaptureAtRest(folder() / "game_after_shot.png", {rect(0, 76, width - 230, height - 296)});
    const int right = area.x + width;
    const int bottom = area.y + height - 220;
    EXPECT_GT(DifferingPixels(started, afterShot, area.x, area.y + 40, right, bottom), 500)
        << "the shot moved the balls: compare game_started.png and game_after_shot.png";

    // The opponent's shot, relayed by the server, runs on the program's table.
    server().Send(MirroredShot(*shot));
    const Screenshot relayed = WaitForScreen(folder() / "game_relayed.png", [&](const Screenshot& now) {
        return DifferingPixels(afterShot, now, area.x, area.y + 40, right, bottom) > 500;
    });
    EXPECT_GT(DifferingPixels(afterShot, relayed, area.x, area.y + 40, right, bottom), 500)
        << "the relayed shot moved the balls: compare game_after_shot.png and game_relayed.png";

    // The game's end: the result board in the middle of the screen.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    server().Send(kvtest::GameEndMessage(u"Rival", 2, 3, {{1, 1, {{0, 10}}}, {2, 2, {{1, 0}}}}, 1));
    state->inGame = false;
    const int boardX = (width - 417) / 2;
    const int boardY = (height - 251) / 2;
    const Screenshot results =
        WaitForScreenAtRest(folder() / "game_results.png", {rect(boardX, boardY, 417, 251)},
                            [&](const Screenshot& now) { return Faces(now, area, boardX, boardY, 417, 251) > 20000; });
    EXPECT_GT(Faces(results, area, boardX, boardY, 417, 251), 20000) << "the result board: see game_results.png";
    // Its title in its title bar, and its close button's cross.
    const auto light = [](uint32_t rgb) { return (rgb >> 16 & 0xFF) > 180 && (rgb >> 8 & 0xFF) > 180 && (rgb & 0xFF) > 180; };
    EXPECT_GT(Count(results, area.x + boardX + 10, area.y + boardY + 2, area.x + boardX + 200, area.y + boardY + 26, light),
              60)
        << "the result board's title: see game_results.png";
    EXPECT_GT(Count(results, area.x + boardX + 384, area.y + boardY + 28, area.x + boardX + 406, area.y + boardY + 50, light),
              12)
        << "the result board's close button: see game_results.png";

    // A friend request while the room is up: the new-message window at the top left names who asked, and its
    // click opens the messenger's request in the middle of the screen, whose Accept answers the server.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const Screenshot quiet = Capture(folder() / "game_quiet.png");
    server().Send(kvtest::FriendRequestReceivedMessage(7011, 11, u"Courier"));
    // The window's white caption, over the wood of the room and the level label's few white pixels.
    const auto note = [&](const Screenshot& now) {
        return Count(now, area.x + 10, area.y + 30, area.x + 237, area.y + 56, [](uint32_t rgb) {
            return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 200 && (rgb & 0xFF) > 200;
        });
    };
    const int before = note(quiet);
    const Screenshot asked = WaitForScreen(folder() / "game_friend_request.png",
                                           [&](const Screenshot& now) { return note(now) > before + 150; });
    EXPECT_GT(note(asked), before + 150) << "the new-message window: see game_friend_request.png";
    for (int attempt = 0; attempt < 5 && server().CountReceived(quill::MessageId::FriendRequestReply) == 0; ++attempt) {
        Click(area.x + 10 + 113, area.y + 30 + 13);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        Click(area.x + (width - 400) / 2 + 77 + 40, area.y + (height - 250) / 2 + 200 + 12);
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    const auto reply = server().WaitForMessage(quill::MessageId::FriendRequestReply, 5000);
    ASSERT_TRUE(reply.has_value()) << "the request opened from the room: see game_friend_request.png";
    EXPECT_EQ(reply->bytes.at(4), 1) << "accepted";
    const auto gone = [&](const Screenshot& now) { return note(now) < before + 50; };
    EXPECT_TRUE(gone(WaitForScreen(folder() / "game_friend_answered.png", gone))) << "the window went with its click";

    // To Lobby: the server lets the player go and the lobby enters its lists again.
    for (int attempt = 0; attempt < 5 && server().CountReceived(quill::MessageId::LeaveRoomRequest) == 0; ++attempt) {
        Click(area.x + width - 35 + 16, area.y + 17);
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::LeaveRoomRequest, 5000).has_value());
    for (int waited = 0; waited < 200 && server().CountReceived(quill::MessageId::LobbyEnter) < 2; ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(server().CountReceived(quill::MessageId::LobbyEnter), 2u) << "back in the lobby";

    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

// An 8-ball game in the lobby's waiting room. The player's team is on the 8 ball and keeps the turn: in the top
// view (Tab) a click on the upper middle pocket calls it, which the server hears as PocketCall 2, and that
// pocket's marker brightens over it. Then the server marks two rows of the bed's grid; the player's stroke sends
// the cue ball along them into the rack, and every mark it passes goes, each one telling the server
// RoomValue1228. The screens: eight_top.png, eight_called.png, eight_marks.png, eight_shot.png.
TEST_F(RoomUnderX, EightBallCallsThePocketClickedAndTheBallClearsTheMarks) {
    kvtest::RoomScript script;
    script.snapshot.gameMode = quill::game_type::kEightBall;
    script.snapshot.tableItem = 1010;
    script.snapshot.ballSetItem = 2006;
    kvtest::LobbyScript lobby;
    lobby.rooms.front().gameMode = quill::game_type::kEightBall;
    lobby.rooms.front().tableItem = 1010;
    lobby.rooms.front().ballSetItem = 2006;
    const XWindowGeometry area = JoinRoomFromLobby([&] {
        kvtest::InstallLobbyScript(server(), lobby);
        kvtest::InstallRoomScript(server(), script);
    });
    ASSERT_FALSE(HasFailure());
    SitAndStart(area);
    ASSERT_FALSE(HasFailure());

    // The group of the player's team (place 0) is the 8 ball's (4); the turn stays with the player.
    server().Send(kvtest::ShortMessage(quill::MessageId::GroupDetermined, {{2, 1}, {4, 1}, {1, 1}}));
    kvtest::TestTurnResult keep;
    keep.ballSetItem = 2006;
    keep.tableItem = 1010;
    keep.result = 2;
    keep.nextShooter = 0;
    server().Send(kvtest::TurnResultMessage(keep));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    x.MovePointer(area.x + area.width / 2, area.y + area.height / 2);

    // The top view of a 1024 x 768 window shows the upper middle pocket at (512, 156).
    const int pocketX = area.x + 512;
    const int pocketY = area.y + 156;
    const auto white = [&](const Screenshot& shot) {
        return Count(shot, pocketX - 20, pocketY - 20, pocketX + 20, pocketY + 20, [](uint32_t rgb) {
            return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 200 && (rgb & 0xFF) > 200;
        });
    };
    const Screenshot top = TurnTopView(folder() / "eight_top.png", area);
    ASSERT_TRUE(IsTopView(top, area)) << "Tab shows the table from above: see eight_top.png";
    Click(pocketX, pocketY);
    const auto call = server().WaitForMessage(quill::MessageId::PocketCall, 5000);
    ASSERT_TRUE(call.has_value()) << "the click on the pocket called nothing: see eight_top.png";
    EXPECT_EQ(call->bytes.at(4), 2) << "the pocket in the middle of the near long rail";
    const Screenshot called = WaitForScreen(folder() / "eight_called.png",
                                            [&](const Screenshot& shot) { return white(shot) > white(top) + 40; });
    EXPECT_GT(white(called), white(top) + 40) << "the called pocket's marker: see eight_top.png, eight_called.png";

    // Rows 3 and 4 of the grid, on both sides of the line from the cue ball to the rack.
    quill::Packet marks;
    marks.Init(quill::MessageId::TableStateSync);
    marks.WriteU8(0);
    marks.WriteU8(32);
    for (uint16_t cell = 48; cell < 80; ++cell) marks.WriteU16(cell);
    server().Send(marks);
    // The band between the cue ball and the rack, where the marks are the only yellow.
    const auto yellow = [&](const Screenshot& shot) {
        return Count(shot, area.x + 330, area.y + 340, area.x + 690, area.y + 425, IsYellowish);
    };
    const Screenshot marked =
        WaitForScreen(folder() / "eight_marks.png", [&](const Screenshot& shot) { return yellow(shot) > 400; });
    ASSERT_GT(yellow(marked), 400) << "the marks: see eight_marks.png";
    ASSERT_TRUE(Stroke(area).has_value()) << "see eight_marks.png";
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::ShotResultReport, 60000).has_value());
    const Screenshot shot = WaitForScreen(folder() / "eight_shot.png",
                                          [&](const Screenshot& after) { return yellow(after) < yellow(marked) / 4; });
    EXPECT_LT(yellow(shot), yellow(marked) / 4) << "the marks the ball passed: see eight_marks.png, eight_shot.png";
    EXPECT_TRUE(server().WaitForMessages(quill::MessageId::RoomValue1228, 8, 10000)) << "one a mark";

    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

// The room's chat lines: eight rows 18 pixels apart, the first 206 pixels above the bottom (to its middle). How
// much of a row's lettering shows between the table's cue and the start panel, where only a long line reaches.
int LongChatLinePixels(const Screenshot& shot, const XWindowGeometry& area, int line) {
    const int y = area.y + area.height - 210 + 18 * line;
    return Count(shot, area.x + 480, y - 6, area.x + 640, y + 6, IsLight);
}

// Quick Join again after To Lobby: the second room shows its own chat, the new line at the bottom of the box,
// not the first room's oldest lines held where the first visit left the view.
TEST_F(RoomUnderX, ChatOfASecondRoomShowsItsOwnLines) {
    const XWindowGeometry area = JoinScriptedRoom();
    ASSERT_FALSE(HasFailure());
    // The first room: twenty short lines.
    for (int n = 0; n < 20; ++n) server().Send(kvtest::RoomChatMessage(0, 1, u"Rival", u"hi"));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    Capture(folder() / "chat_first_room.png");

    for (int attempt = 0; attempt < 5 && server().CountReceived(quill::MessageId::LeaveRoomRequest) == 0; ++attempt) {
        Click(area.x + area.width - 35 + 16, area.y + 17);
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    ASSERT_TRUE(server().WaitForMessage(quill::MessageId::LeaveRoomRequest, 5000).has_value());
    const int left = area.x;
    const int top = area.y;
    for (int attempt = 0; attempt < 10 && server().CountReceived(quill::MessageId::JoinRoom) < 2; ++attempt) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        Click(left + 491, top + 551);
    }
    ASSERT_EQ(server().CountReceived(quill::MessageId::JoinRoom), 2u) << "joined again";
    ASSERT_TRUE(server().WaitForMessages(quill::MessageId::RoomEntered, 2, 30000));
    CloseNewcomersHelp(area);
    // Longer than any line of the first visit.
    server().Send(kvtest::RoomChatMessage(0, 1, u"Rival", quill::WString(60, u'W')));
    const Screenshot second = WaitForScreen(folder() / "chat_second_room.png", [&](const Screenshot& shot) {
        return LongChatLinePixels(shot, area, 7) > 100;
    });
    EXPECT_GT(LongChatLinePixels(second, area, 7), 100) << "the new room's long line at the bottom: see chat_second_room.png";
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

// Ten thousand chat lines of the room at once, and then the server's TableStateRequest: the table state goes
// out as soon as the lines are taken in, not after each has been laid out; and requests in the middle of 2,000
// packets are answered too. The check prints the answers' times.
TEST_F(RoomUnderX, ChatFloodLeavesTheTableStateAnsweredAtOnce) {
    JoinScriptedRoom();
    ASSERT_FALSE(HasFailure());
    const auto answer = [&](const char* name) {
        const size_t before = server().CountReceived(quill::MessageId::TableState);
        const auto asked = std::chrono::steady_clock::now();
        server().Send(kvtest::EmptyMessage(quill::MessageId::TableStateRequest));
        EXPECT_TRUE(server().WaitForMessages(quill::MessageId::TableState, before + 1, 120000)) << name;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
        std::printf("TableStateRequest answered %s after %.2f s\n", name, seconds);
        return seconds;
    };
    answer("without a flood");
    const auto lines = [&](std::vector<uint8_t>& flood, int count) {
        for (int n = 0; n < count; ++n) {
            const std::vector<uint8_t> frames =
                server().FramesOf(kvtest::RoomChatMessage(0, 1, u"Rival", quill::Format(u"flood line %d", n)));
            flood.insert(flood.end(), frames.begin(), frames.end());
        }
    };
    std::vector<uint8_t> flood;
    lines(flood, 10000);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(server().SendRaw(flood));
    std::printf("10,000 chat lines sent in %.2f s\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    EXPECT_LT(answer("behind 10,000 chat lines"), 30.0) << "a flood of chat held up the game's messages";
    // Requests in the middle of 2,000 packets: ten, each behind 99 of the room's own snapshot, which the room is
    // slower to take in than the connection to receive (each resets the table), then 1,000 chat lines. The packets
    // that wait behind a request fill the slots of the messages received; each answer still goes out at once.
    std::vector<uint8_t> around;
    const std::vector<uint8_t> snapshot = server().FramesOf(kvtest::RoomSnapshotMessage(kvtest::RoomScript{}.snapshot));
    const std::vector<uint8_t> request = server().FramesOf(kvtest::EmptyMessage(quill::MessageId::TableStateRequest));
    for (int n = 1; n <= 1000; ++n) {
        const std::vector<uint8_t>& frames = n % 100 == 0 ? request : snapshot;
        around.insert(around.end(), frames.begin(), frames.end());
    }
    lines(around, 1000);
    const size_t answered = server().CountReceived(quill::MessageId::TableState);
    const auto asked = std::chrono::steady_clock::now();
    ASSERT_TRUE(server().SendRaw(around));
    EXPECT_TRUE(server().WaitForMessages(quill::MessageId::TableState, answered + 10, 60000))
        << "answers in the middle of 2,000 packets were lost";
    std::printf("%zu of 10 TableStateRequests in the middle of 2,000 packets answered after %.2f s\n",
                server().CountReceived(quill::MessageId::TableState) - answered,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count());
    Capture(folder() / "chat_flood.png");
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(20)), 0) << ReadFile(folder() / "program.out");
}

// A hostile server in the room: the local messages ConnectionLost and ConnectFailed sent as its own, then another
// player's Shot of hostile values (power -1e30, deviation 1e30, which once overflowed the gauge's arithmetic and
// stopped the checked build). The program drops the first two and plays the shot within its ranges, says so in
// its log, shows no "Disconnected" box and goes on answering the server.
TEST_F(RoomUnderX, HostileMessagesLeaveTheRoomPlaying) {
    const XWindowGeometry area = JoinScriptedRoom();
    ASSERT_FALSE(HasFailure());
    const int boxX = (area.width - 400) / 2, boxY = (area.height - 250) / 2;
    const Screenshot before = Capture(folder() / "hostile_before.png");

    server().Send(kvtest::EmptyMessage(quill::MessageId::ConnectionLost));
    quill::Packet failed;
    failed.Init(quill::MessageId::ConnectFailed).WriteU32(0xFFFFFFFF);
    server().Send(failed);
    EXPECT_TRUE(WaitForLog("WARNING: the server sent the local message 1; it is dropped", std::chrono::seconds(20)))
        << ReadFile(folder() / "program.out");
    EXPECT_NE(ReadFile(folder() / "StartLog.log").find("WARNING: the server sent the local message 0; it is dropped"),
              std::string::npos);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const Screenshot after = Capture(folder() / "hostile_after.png");
    EXPECT_LT(Faces(after, area, boxX, boxY, 400, 250), Faces(before, area, boxX, boxY, 400, 250) + 5000)
        << "no box in the middle: see hostile_after.png";
    const size_t states = server().CountReceived(quill::MessageId::TableState);
    server().Send(kvtest::EmptyMessage(quill::MessageId::TableStateRequest));
    EXPECT_TRUE(server().WaitForMessages(quill::MessageId::TableState, states + 1, 20000)) << "still answering";

    quill::Packet shot;
    shot.Init(quill::MessageId::Shot);
    shot.WriteU8(0).WriteU16(0).WriteU8(0);
    for (const float value : {1.0f, -1e30f, 1e30f}) shot.WriteU32(std::bit_cast<uint32_t>(value));
    for (int n = 0; n < 12; ++n) shot.WriteU32(0);
    server().Send(shot);
    EXPECT_TRUE(WaitForLog("WARNING: the power or deviation of a Shot message lay outside its range",
                           std::chrono::seconds(20)))
        << ReadFile(folder() / "program.out");
    std::this_thread::sleep_for(std::chrono::seconds(3));
    Capture(folder() / "hostile_shot.png");
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
