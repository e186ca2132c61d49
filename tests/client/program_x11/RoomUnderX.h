#pragma once
// The real program online in the game room of the stand-in server: the checks' way from the start to a room
// joined from the lobby with Quick Join, to a seat and a game started, and to a stroke of the cue.
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "QuillLib/net/MessageId.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/net/RoomMessages.h"
#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {

// A face of the interface skin, lit or under a widget's opacity.
inline bool IsFace(uint32_t rgb) {
    return IsSlate(rgb);
}

class RoomUnderX : public ProgramUnderX {
protected:
    // Starts the program full screen, logs in and enters the first channel, up to the lobby's lists shown. The
    // further scripts are installed beside the lobby's before the program logs in. The program's window area.
    XWindowGeometry EnterLobby(const std::function<void()>& furtherScripts = {}) {
        const XWindowGeometry screen = x.Screen();
        EXPECT_GT(StartOnline("[Video]\r\nfullscreen=1\r\nwidth=" + std::to_string(screen.width) + "\r\nheight=" +
                              std::to_string(screen.height) + "\r\n"),
                  0);
        kvtest::InstallLobbyScript(server());
        if (furtherScripts) furtherScripts();
        const XWindowGeometry area = WaitForWindow();
        EXPECT_EQ(area.width, screen.width) << "the room at the display's width";
        EXPECT_TRUE(EnterFirstChannel(area)) << ReadFile(folder() / "StartLog.log");
        WaitForScreen(folder() / "lobby.png", [&](const Screenshot& shot) { return LobbyShown(shot, area); });
        return area;
    }
    // The lobby entered as above, then the waiting room joined with Quick Join; the room has told the server
    // RoomEntered.
    XWindowGeometry JoinRoomFromLobby(const std::function<void()>& furtherScripts = {}) {
        const XWindowGeometry area = EnterLobby(furtherScripts);
        const int left = area.x;
        const int top = area.y;

        // Quick Join takes the waiting room; the server answers with the room's settings.
        for (int attempt = 0; attempt < 5 && server().CountReceived(quill::MessageId::JoinRoom) == 0; ++attempt) {
            Click(left + 491, top + 551);
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
        EXPECT_TRUE(server().WaitForMessage(quill::MessageId::JoinRoom, 5000).has_value()) << "see lobby.png";
        const auto entered = server().WaitForMessage(quill::MessageId::RoomEntered, 30000);
        EXPECT_TRUE(entered.has_value()) << ReadFile(folder() / "StartLog.log");
        if (entered) {
            EXPECT_EQ(entered->bytes, (std::vector<uint8_t>{5, 0, 0x87, 4, 0}));
        }
        return area;
    }
    // The waiting room of the room script (the player its master, the opponent in it), joined with Quick Join,
    // its newcomer's help closed.
    XWindowGeometry JoinScriptedRoom() {
        const XWindowGeometry area = JoinRoomFromLobby([&] { kvtest::InstallRoomScript(server(), kvtest::RoomScript{}); });
        if (!HasFailure()) CloseNewcomersHelp(area);
        return area;
    }
    // The help window a newcomer sees on entering a room (427 x 547, centred) closes with its button, below the
    // middle of the screen; clicked again while the help stays.
    void CloseNewcomersHelp(const XWindowGeometry& area) {
        const auto helpShown = [&](const Screenshot& shot) { return DialogShown(shot, area, 427, 547); };
        ASSERT_TRUE(helpShown(WaitForScreen(folder() / "room_help.png", helpShown))) << "see room_help.png";
        for (int attempt = 0; attempt < 5 && helpShown(CaptureArea(0, 0, 0, 0)); ++attempt) {
            Click(area.x + area.width / 2, area.y + area.height / 2 + 246);
            WaitForScreen(folder() / "room_help_closed.png", [&](const Screenshot& shot) { return !helpShown(shot); });
        }
    }
    // The top view shows the green cloth square across the table's upper left, where the player's view shows
    // the floor and a rail at a slant.
    bool IsTopView(const Screenshot& shot, const XWindowGeometry& area) {
        const int green = Count(shot, area.x + 100, area.y + 180, area.x + 450, area.y + 320, [](uint32_t rgb) {
            const int r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
            return g > r + 30 && g > b + 10;
        });
        return green > 350 * 140 * 9 / 10;
    }
    // Tab turns the camera to the top view (topView) or back to the player's view. The table refuses the key
    // while its camera still glides to the cue ball after a turn, which a loaded machine may take seconds to
    // finish: the key is pressed again while the other view still shows.
    Screenshot TurnTopView(const std::filesystem::path& png, const XWindowGeometry& area, bool topView = true) {
        for (int attempt = 0; attempt < 6; ++attempt) {
            PressKey("Tab");
            for (auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
                 std::chrono::steady_clock::now() < deadline;) {
                if (IsTopView(CaptureArea(0, 0, 0, 0), area) == topView)
                    return Capture(png);
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        }
        return Capture(png);
    }
    int Faces(const Screenshot& shot, const XWindowGeometry& area, int x0, int y0, int w, int h) {
        return Count(shot, area.x + x0, area.y + y0, area.x + x0 + w, area.y + y0 + h, IsFace);
    }
    // In the joined room: the newcomer's help window closed, seat 1 of the start panel taken and the master's
    // start pressed; the server has both requests. The screens along the way are written as game_*.png.
    // seated, when given, receives the screen once the seat is taken and before the start.
    void SitAndStart(const XWindowGeometry& area, Screenshot* seated = nullptr) {
        const int width = area.width;
        const int height = area.height;
        ASSERT_TRUE(server().WaitForMessage(quill::MessageId::RoomEntered).has_value());
        WaitForScreen(folder() / "game_room.png", [&](const Screenshot& shot) {
            return Faces(shot, area, width - 370, height - 80, 240, 56) > 2000;
        });
        CloseNewcomersHelp(area);
        // Seat 1 of the start panel, then the master's start (F5).
        for (int attempt = 0; attempt < 5 && server().CountReceived(quill::MessageId::RoomSlotRequest) == 0;
             ++attempt) {
            Click(area.x + width - 370 + 18, area.y + height - 80 + 26);
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
        ASSERT_TRUE(server().WaitForMessage(quill::MessageId::RoomSlotRequest, 5000).has_value())
            << "see game_room.png";
        // The places where the game's boards will show, before the start.
        const Screenshot afterSeat =
            CaptureAtRest(folder() / "game_seated.png", {{area.x + width / 2 - 336, area.y + 42, 640, 32},
                                                         {area.x + width - 220, area.y + 286, 219, 99},
                                                         {area.x + 10, area.y + 84, 180, 44}});
        if (seated != nullptr) *seated = afterSeat;
        for (int attempt = 0; attempt < 5 && server().CountReceived(quill::MessageId::GameStartRequest) == 0;
             ++attempt) {
            Click(area.x + width - 370 + 240 + 56, area.y + height - 80 + 25);
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
        ASSERT_TRUE(server().WaitForMessage(quill::MessageId::GameStartRequest, 5000).has_value())
            << "see game_seated.png";
        std::this_thread::sleep_for(std::chrono::seconds(2));
    }
    // The player board's two rows of a running game: their tops 192 and 140 pixels above the bottom.
    bool TwoPlayerRows(const Screenshot& shot, const XWindowGeometry& area) {
        const int x = area.width - 200;
        return Faces(shot, area, x, area.height - 192, 190, 52) > 2000 &&
               Faces(shot, area, x, area.height - 140, 190, 52) > 2000;
    }
    // The result board (417 x 251) and the room's menu (185 x 226), both in the middle of the screen: the faces
    // of the board, the pixels of its left hundred columns (which the menu leaves free) that changed since it
    // showed, and the menu's face.
    static constexpr int kBoardWidth = 417, kBoardHeight = 251;
    int ResultBoardFaces(const Screenshot& shot, const XWindowGeometry& area) {
        return Faces(shot, area, (area.width - kBoardWidth) / 2, (area.height - kBoardHeight) / 2, kBoardWidth,
                     kBoardHeight);
    }
    int ResultBoardGone(const Screenshot& board, const Screenshot& shot, const XWindowGeometry& area) {
        const int left = area.x + (area.width - kBoardWidth) / 2, top = area.y + (area.height - kBoardHeight) / 2;
        return DifferingPixels(board, shot, left, top, left + 100, top + kBoardHeight);
    }
    int RoomMenuFaces(const Screenshot& shot, const XWindowGeometry& area) {
        return Faces(shot, area, (area.width - 185) / 2, (area.height - 226) / 2, 185, 226);
    }
    // The room's menu shown at rest, <name>.png.
    Screenshot WaitForRoomMenu(const XWindowGeometry& area, const std::string& name) {
        const XWindowGeometry menuArea{area.x + (area.width - 185) / 2, area.y + (area.height - 226) / 2, 185, 226};
        const Screenshot menu = WaitForScreenAtRest(folder() / (name + ".png"), {menuArea}, [&](const Screenshot& shot) {
            return RoomMenuFaces(shot, area) > 20000;
        });
        EXPECT_GT(RoomMenuFaces(menu, area), 20000) << "Esc showed no menu: see " << name << ".png";
        return menu;
    }
    // The room's menu closed by a tap of Esc, over the plain room, <name>.png.
    void CloseRoomMenu(const XWindowGeometry& area, const std::string& name) {
        PressKey("Escape");
        const Screenshot closed = WaitForScreen(folder() / (name + ".png"), [&](const Screenshot& shot) {
            return RoomMenuFaces(shot, area) < 5000;
        });
        EXPECT_LT(RoomMenuFaces(closed, area), 5000) << "a tap of Esc left the menu: see " << name << ".png";
    }
    void HoldEscapeForASecond() {
        x.Key("Escape", true);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        x.Key("Escape", false);
    }
    // The table above the result board, which the room's menu leaves free but its modal shade darkens.
    XWindowGeometry AboveTheBoard(const XWindowGeometry& area) const {
        return {area.x + 100, area.y + 60, area.width - 330, (area.height - kBoardHeight) / 2 - 70};
    }
    // The game's end: the result board in the middle of the screen with its rows, then closed by its button or
    // by Esc, tapped or held a second (whose character then shows the room's menu, closed again with a tap of
    // Esc); whileShown, when given, runs while the board shows, before it is closed, and onMenu, given the menu
    // at rest, before the menu is closed. The board as it showed; the screens are written as <name>_results.png,
    // <name>_menu.png and <name>_closed.png.
    enum class Closing { Button, Escape, HeldEscape };
    Screenshot EndGame(const XWindowGeometry& area, const std::string& name,
                       const std::vector<kvtest::TestEndTeam>& teams, Closing closing = Closing::Button,
                       const std::function<void()>& whileShown = {},
                       const std::function<void(const Screenshot&)>& onMenu = {}) {
        server().Send(kvtest::GameEndMessage(u"Rival", 2, 3, teams, 1));
        if (state_) state_->inGame = false;
        const XWindowGeometry board{area.x + (area.width - kBoardWidth) / 2,
                                    area.y + (area.height - kBoardHeight) / 2, kBoardWidth, kBoardHeight};
        const auto boardUp = [&](const Screenshot& shot) { return ResultBoardFaces(shot, area) > 20000; };
        const Screenshot results = WaitForScreenAtRest(folder() / (name + "_results.png"), {board}, boardUp);
        EXPECT_TRUE(boardUp(results)) << "the result board: see " << name << "_results.png";
        if (whileShown) whileShown();
        const Screenshot shown = CaptureAtRest(folder() / (name + "_results.png"), {board, AboveTheBoard(area)});
        if (closing == Closing::Button) {
            Click(board.x + 384 + 11, board.y + 28 + 11);
            // Nearly every pixel the board covered differs once it has gone.
            constexpr int kGone = 100 * kBoardHeight * 3 / 5;
            const Screenshot after = WaitForScreen(folder() / (name + "_closed.png"), [&](const Screenshot& shot) {
                return ResultBoardGone(shown, shot, area) > kGone;
            });
            EXPECT_GT(ResultBoardGone(shown, after, area), kGone)
                << "the result board stayed up: see " << name << "_closed.png";
            return shown;
        }
        if (closing == Closing::Escape) {
            PressKey("Escape");
        } else {
            HoldEscapeForASecond();
        }
        const Screenshot menu = WaitForRoomMenu(area, name + "_menu");
        if (onMenu) onMenu(menu);
        // The menu's shade darkens the board as much as its going would change it: the board is judged once the
        // menu has closed and the table above the board shows as it did beside the board.
        PressKey("Escape");
        const XWindowGeometry above = AboveTheBoard(area);
        const auto unshaded = [&](const Screenshot& shot) {
            return DifferingPixels(shown, shot, above.x, above.y, above.x + above.width, above.y + above.height) <
                   above.width * above.height / 20;
        };
        const Screenshot after = WaitForScreenAtRest(folder() / (name + "_closed.png"), {board, above}, unshaded);
        EXPECT_TRUE(unshaded(after)) << "the menu stayed: see " << name << "_closed.png";
        EXPECT_LT(ResultBoardFaces(after, area), 5000) << "the result board stayed up: see " << name << "_closed.png";
        return shown;
    }
    // A stroke with Ctrl, played again when a busy machine dropped it: each is judged by a Shot of its own,
    // counted just before its hold and awaited long enough for a starved program to send it, so that no stroke
    // is played again while its shot runs. The stroke's Shot.
    std::optional<kvtest::ServerMessage> Stroke(const XWindowGeometry& area) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            const size_t shots = server().CountReceived(quill::MessageId::Shot);
            StrokeCue(area.x + area.width / 2 - 250, area.y + area.height / 2, false);
            if (!server().WaitForMessages(quill::MessageId::Shot, shots + 1, 30000)) continue;
            std::vector<kvtest::ServerMessage> received = server().Received();
            std::erase_if(received, [](const kvtest::ServerMessage& m) { return m.id != quill::MessageId::Shot; });
            return received.at(shots);
        }
        return std::nullopt;
    }

    // The room script's state, when a check installed it.
    std::shared_ptr<kvtest::RoomScriptState> state_;
};

}  // namespace kv::test
