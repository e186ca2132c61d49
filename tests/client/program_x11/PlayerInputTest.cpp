// Keys and clicks as a player gives them, in the real program against the stand-in server: the chat entries of
// the room and the lobby left with Return or Esc and then the window closed (a clean exit, no crash dump), Esc on
// a focused chat entry, Enter on the login window, and a player who is not the room's master clicking his own
// seat (a press the seat refuses) or letting a zoom drag go over it, game after game, with every result board
// closing by its button and To Lobby leaving at the first click. The screens: the cases' folders.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "QuillLib/net/MessageId.h"
#include "tests/client/program_x11/RoomUnderX.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/net/RoomMessages.h"
#include "tests/support/net/ServerMessages.h"

namespace kv::test {
namespace {

using quill::MessageId;

// The room's chat entry: its band 60 pixels above the bottom, the typed text right of the "Chat" caption.
constexpr int kRoomEntryLeft = 26, kRoomEntryRight = 358, kRoomEntryAbove = 52, kRoomEntryBelow = 28;
// The login window's ID box, right of its caption, in a window 245 pixels left of the right edge.
constexpr int kIdBoxLeft = 245 - 76, kIdBoxTop = 60 + 54, kIdBoxWidth = 149, kIdBoxHeight = 18;

class PlayerInput : public RoomUnderX {
protected:
    // The window closed as a player closes it: the program ends by itself with code 0, having written no crash
    // dump and no sanitizer's report.
    void ExpectCleanClose() {
        EXPECT_EQ(CloseAndWait(std::chrono::seconds(15)), 0) << ReadFile(folder() / "program.out");
        EXPECT_FALSE(std::filesystem::exists(folder() / "ErrorDump.dmp")) << "a crash dump was written";
        EXPECT_EQ(ReadFile(folder() / "program.out").find("Sanitizer"), std::string::npos)
            << ReadFile(folder() / "program.out");
    }

    XWindowGeometry RoomEntry(const XWindowGeometry& area) const {
        return {area.x + kRoomEntryLeft, area.y + area.height - kRoomEntryAbove, kRoomEntryRight - kRoomEntryLeft,
                kRoomEntryAbove - kRoomEntryBelow};
    }
    int RoomEntryText(const Screenshot& shot, const XWindowGeometry& area) {
        const XWindowGeometry entry = RoomEntry(area);
        return Count(shot, entry.x, entry.y, entry.x + entry.width, entry.y + entry.height, IsLight);
    }
    XWindowGeometry RoomMenu(const XWindowGeometry& area) const {
        return {area.x + (area.width - 185) / 2, area.y + (area.height - 226) / 2, 185, 226};
    }
    XWindowGeometry IdBox(const XWindowGeometry& area) const {
        return {area.x + area.width - kIdBoxLeft, area.y + kIdBoxTop, kIdBoxWidth, kIdBoxHeight};
    }
    int IdBoxText(const Screenshot& shot, const XWindowGeometry& area) {
        const XWindowGeometry box = IdBox(area);
        return Count(shot, box.x, box.y, box.x + box.width, box.y + box.height, IsLight);
    }

    // The start panel of the waiting room: its seat buttons from its left, Ready (F5) at its right.
    int PanelX(const XWindowGeometry& area) const { return area.x + area.width - 370; }
    int PanelY(const XWindowGeometry& area) const { return area.y + area.height - 80; }

    // Clicks until the server has one more of the message than before; false when it never came.
    bool ClickUntil(MessageId id, int px, int py) {
        const size_t before = server().CountReceived(id);
        for (int n = 0; n < 5 && server().CountReceived(id) == before; ++n) {
            Click(px, py);
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
        return server().CountReceived(id) > before;
    }

    // A waiting room whose master is the opponent: the player takes seat 1 and is asked for Ready, not Start.
    XWindowGeometry JoinAsGuestAndSit() {
        kvtest::RoomScript script;
        script.snapshot.masterSeat = 1;
        script.opponentWasIn = true;
        const XWindowGeometry area =
            JoinRoomFromLobby([&] { state_ = kvtest::InstallRoomScript(server(), script); });
        if (HasFailure()) return area;
        CloseNewcomersHelp(area);
        EXPECT_TRUE(ClickUntil(MessageId::RoomSlotRequest, PanelX(area) + 18, PanelY(area) + 26)) << "the seat";
        std::this_thread::sleep_for(std::chrono::seconds(1));
        return area;
    }

    // Ready, then the master's start as the server tells it: both players show on the player board.
    void ReadyAndStart(const XWindowGeometry& area, const std::string& name) {
        const bool ready = ClickUntil(MessageId::ReadyToggle, PanelX(area) + 240 + 56, PanelY(area) + 25);
        Capture(folder() / (name + "_ready.png"));
        ASSERT_TRUE(ready) << "Ready: see " << name << "_ready.png";
        state_->inGame = true;
        server().Send(kvtest::GameStartMessage(kvtest::TwoPlayerStart(3, 0, 1)));
        const Screenshot started = WaitForScreen(folder() / (name + "_started.png"),
                                                 [&](const Screenshot& shot) { return TwoPlayerRows(shot, area); });
        ASSERT_TRUE(TwoPlayerRows(started, area)) << "the game did not start: see " << name << "_started.png";
    }

    // To Lobby in the top bar, clicked once: the room is left.
    void LeaveAtTheFirstClick(const XWindowGeometry& area) {
        const size_t leaves = server().CountReceived(MessageId::LeaveRoomRequest);
        Click(area.x + area.width - 35 + 16, area.y + 17);
        const bool left = server().WaitForMessages(MessageId::LeaveRoomRequest, leaves + 1, 5000);
        Capture(folder() / "to_lobby.png");
        EXPECT_TRUE(left) << "To Lobby did not leave the room: see to_lobby.png";
    }

    const std::vector<kvtest::TestEndTeam> won_{{1, 1, {{0, 10}}}, {2, 2, {{1, 0}}}};
};

// In the room: Esc on the focused chat entry empties it and shows no menu, a second Esc leaves the empty entry
// (no menu either); then a line typed after Return and sent with Return, and the window closed.
TEST_F(PlayerInput, EscEmptiesTheRoomsChatAndTheWindowClosesCleanlyAfterALineSent) {
    const XWindowGeometry area = JoinScriptedRoom();
    ASSERT_FALSE(HasFailure());
    // Four letters light far more pixels than the caret, which blinks while the entry has the focus.
    const int empty = RoomEntryText(CaptureAtRest(folder() / "room.png", {RoomEntry(area)}), area);
    PressKey("Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    Type("abcd");
    const Screenshot typed = WaitForScreen(folder() / "chat_typed.png", [&](const Screenshot& shot) {
        return RoomEntryText(shot, area) > empty + 60;
    });
    ASSERT_GT(RoomEntryText(typed, area), empty + 60) << "the typed text: see chat_typed.png";
    PressKey("Escape");
    const Screenshot emptied = WaitForScreen(folder() / "chat_escaped.png", [&](const Screenshot& shot) {
        return RoomEntryText(shot, area) < empty + 40;
    });
    EXPECT_LT(RoomEntryText(emptied, area), empty + 40) << "Esc left the text: see chat_escaped.png";
    PressKey("Escape");
    EXPECT_LT(RoomMenuFaces(CaptureAtRest(folder() / "chat_left.png", {RoomMenu(area)}), area), 5000)
        << "Esc in the chat entry showed the menu: see chat_left.png";

    PressKey("Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    Type("hi");
    PressKey("Return");
    ASSERT_TRUE(server().WaitForMessage(MessageId::RoomChatSend, 10000).has_value()) << "the line was not sent";
    std::this_thread::sleep_for(std::chrono::seconds(1));
    ExpectCleanClose();
}

// In the lobby, whose chat entry has the focus on arrival: a letter, Esc (emptied), Esc (left), the window closed.
TEST_F(PlayerInput, TheWindowClosesCleanlyAfterEscOnTheLobbysChatEntry) {
    EnterLobby();
    ASSERT_FALSE(HasFailure());
    Type("a");
    PressKey("Escape");
    PressKey("Escape");
    std::this_thread::sleep_for(std::chrono::seconds(1));
    ExpectCleanClose();
}

// A login the server refuses gives the boxes back; the player makes the ID three letters and leaves the boxes.
// Enter then presses Login, which wants four letters and does nothing, and its character focuses the ID box:
// the next letter typed goes into it.
TEST_F(PlayerInput, EnterOnTheLoginWindowWithAShortIdFocusesTheIdBox) {
    StartOnline();
    server().ReplyWith(MessageId::LoginRequest, {kvtest::ShortMessage(MessageId::LoginResult, {{5, 1}})});
    const XWindowGeometry area = WaitForWindow();
    SkipIntro(area);
    const int right = area.x + area.width;
    WaitForScreen(folder() / "login.png",
                  [&](const Screenshot& shot) { return IsSlate(shot.At(right - 245 + 117, area.y + 200)); });
    PressKey("Return");
    ASSERT_TRUE(server().WaitForMessage(MessageId::LoginRequest, 15000).has_value());
    const auto refusal = [&](const Screenshot& shot) { return MessageBoxShown(shot, area); };
    ASSERT_TRUE(refusal(WaitForScreen(folder() / "refused.png", refusal))) << "the refusal: see refused.png";
    PressKey("Return");
    WaitForScreen(folder() / "refusal_closed.png", [&](const Screenshot& shot) { return !refusal(shot); });
    Click(area.x + area.width - kIdBoxLeft + kIdBoxWidth - 4, area.y + kIdBoxTop + kIdBoxHeight / 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    PressKey("Escape");  // the ID emptied
    Type("abc");
    PressKey("Tab");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    PressKey("Escape");  // the password emptied
    PressKey("Escape");  // and left
    const int three = IdBoxText(CaptureAtRest(folder() / "short_id.png", {IdBox(area)}), area);
    ASSERT_GT(three, 10) << "the three letters: see short_id.png";

    PressKey("Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    Type("d");
    const Screenshot four = WaitForScreen(folder() / "id_focused.png", [&](const Screenshot& shot) {
        return IdBoxText(shot, area) > three + 5;
    });
    EXPECT_GT(IdBoxText(four, area), three + 5) << "Enter did not focus the ID box: see id_focused.png";
    EXPECT_EQ(server().CountReceived(MessageId::LoginRequest), 1u) << "Login with a short ID";
}

// A player who is not the master clicks his own seat before each Ready: the seat refuses the press, which goes to
// the table, and takes the release. Three games, their boards closed by the button, by Esc (the menu shows and
// closes with Esc) and by the button, then To Lobby leaves at the first click.
TEST_F(PlayerInput, AGuestClickingHisOwnSeatPlaysThreeGamesClosesEveryBoardAndLeaves) {
    const XWindowGeometry area = JoinAsGuestAndSit();
    ASSERT_FALSE(HasFailure());
    const Closing closings[] = {Closing::Button, Closing::Escape, Closing::Button};
    for (int game = 0; game < 3; ++game) {
        const std::string name = "guest_game" + std::to_string(game + 1);
        Click(PanelX(area) + 18, PanelY(area) + 26);  // his own seat
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ReadyAndStart(area, name);
        ASSERT_FALSE(HasFatalFailure());
        EndGame(area, name, won_, closings[game]);
        ASSERT_FALSE(HasFailure());
    }
    LeaveAtTheFirstClick(area);
    ExpectCleanClose();
}

// A right-button zoom begun over the table while the game runs, and let go once the game's result board shows
// in the middle of the screen, under the hidden cursor (the board takes a release): the zoom ends with it, so
// that moving the mouse then zooms nothing, the board closes by its button and To Lobby leaves at the first click.
TEST_F(PlayerInput, AZoomLetGoOverTheResultBoardEndsAndTheBoardAndToLobbyAnswer) {
    const XWindowGeometry area = JoinAsGuestAndSit();
    ASSERT_FALSE(HasFailure());
    ReadyAndStart(area, "zoom_game");
    ASSERT_FALSE(HasFatalFailure());
    x.MovePointer(area.x + area.width / 2, area.y + area.height / 2 - 150);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    x.Button(3, true);
    x.MovePointerInSteps(5, 0, 4, 30);
    // Above the board: the table's far end, which a zoom moves.
    const XWindowGeometry table{area.x + 100, area.y + 60, 600, 180};
    EndGame(area, "zoom_game", won_, Closing::Button, [&] {
        x.Button(3, false);
        const Screenshot before = CaptureAtRest(folder() / "zoom_released.png", {table});
        x.MovePointerInSteps(10, 0, -20, 30);
        x.MovePointerInSteps(10, 0, 20, 30);
        const Screenshot after = CaptureAtRest(folder() / "zoom_moved.png", {table});
        EXPECT_LT(DifferingPixels(before, after, table.x, table.y, table.x + table.width, table.y + table.height), 500)
            << "the zoom went on after its release: see zoom_released.png and zoom_moved.png";
    });
    ASSERT_FALSE(HasFailure());
    LeaveAtTheFirstClick(area);
    ExpectCleanClose();
}

}  // namespace
}  // namespace kv::test
