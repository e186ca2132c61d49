// Keys held while the keyboard goes elsewhere, as a player holds them in a room game: a table key (Ctrl's stroke,
// Shift's zoom, 'V''s cue view) held while the chat entry takes the keyboard, by a click into it or by Return, and
// let go there ends its mode, so that the mouse alone then shoots nothing and turns nothing; Ctrl+Return is a line
// feed, which neither opens the chat nor sends its line. And with the X server's auto-repeat on, Escape held for a
// second in the room and over the game's result board: its repeats press no button of the windows its first press
// opened, so none stays pressed and the next key (F1, the help) is not lost, and the board closes as at a tap;
// Ctrl pressed meanwhile under the menu starts no stroke. The screens: the cases' folders.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "QuillLib/net/MessageId.h"
#include "tests/client/program_x11/RoomUnderX.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/net/RoomMessages.h"

namespace kv::test {
namespace {

using namespace std::chrono_literals;
using quill::MessageId;

class HeldKeys : public RoomUnderX {
protected:
    // A room game on the player's turn, the turn long enough for the keys and strokes of a check on a loaded
    // machine: at the end of a turn the table takes no key.
    XWindowGeometry PlayersTurn() {
        kvtest::RoomScript script;
        script.snapshot.turnTime = 120;
        const XWindowGeometry area = JoinRoomFromLobby([&] { state_ = kvtest::InstallRoomScript(server(), script); });
        if (!HasFailure()) SitAndStart(area);
        return area;
    }
    // The room's chat entry: its band 52 to 28 pixels above the bottom, right of the "Chat" caption.
    static constexpr int kEntryLeft = 26, kEntryRight = 358, kEntryAbove = 52, kEntryBelow = 28;
    // The help window (427 x 547) and the room's menu (185 x 226) in the middle of the screen; the menu's five
    // buttons (86 x 20, 23 pixels apart) from (50, 70) in it.
    static constexpr int kHelpWidth = 427, kHelpHeight = 547;
    static constexpr int kMenuWidth = 185, kMenuHeight = 226;

    // The table of the room, left of the right-hand boards and above the chat.
    XWindowGeometry Table(const XWindowGeometry& area) const {
        return {area.x, area.y + 76, area.width - 230, area.height - 296};
    }
    int TableChanged(const Screenshot& a, const Screenshot& b, const XWindowGeometry& area) const {
        const XWindowGeometry table = Table(area);
        return DifferingPixels(a, b, table.x, table.y, table.x + table.width, table.y + table.height);
    }
    XWindowGeometry Entry(const XWindowGeometry& area) const {
        return {area.x + kEntryLeft, area.y + area.height - kEntryAbove, kEntryRight - kEntryLeft,
                kEntryAbove - kEntryBelow};
    }
    int EntryText(const Screenshot& shot, const XWindowGeometry& area) const {
        const XWindowGeometry entry = Entry(area);
        return Count(shot, entry.x, entry.y, entry.x + entry.width, entry.y + entry.height, IsLight);
    }
    // The pointer over the chat entry, resting there before a key is held: a key that hides the cursor leaves
    // the click where the pointer was.
    void PointAtTheEntry(const XWindowGeometry& area) {
        const XWindowGeometry entry = Entry(area);
        x.MovePointer(entry.x + 120, entry.y + entry.height / 2);
        std::this_thread::sleep_for(300ms);
    }
    void ClickInPlace() {
        x.Button(1, true);
        x.Button(1, false);
        std::this_thread::sleep_for(300ms);
    }
    // The draw-back and push of a stroke, slow back and hard forward.
    void DrawBackAndPush() {
        x.MovePointerInSteps(20, 0, 5, 60);
        x.MovePointerInSteps(6, 0, -40, 30);
    }
    // The chat entry has the keyboard: a letter typed shows in it; Esc empties it, the second Esc leaves it.
    void ExpectEntryFocusedThenLeave(const XWindowGeometry& area, const std::string& name) {
        const int empty = EntryText(CaptureAtRest(folder() / (name + "_entry.png"), {Entry(area)}), area);
        Type("abcd");
        const Screenshot typed = WaitForScreen(folder() / (name + "_typed.png"), [&](const Screenshot& shot) {
            return EntryText(shot, area) > empty + 60;
        });
        EXPECT_GT(EntryText(typed, area), empty + 60) << "the click gave the chat entry no keyboard: see " << name
                                                      << "_typed.png";
        PressKey("Escape");
        std::this_thread::sleep_for(300ms);
        PressKey("Escape");
        std::this_thread::sleep_for(300ms);
    }
    // The key held over the chat entry: its view shows, the entry is clicked, the key let go there and the mouse
    // moved; the table's view comes back as it was.
    void ViewKeyLetGoInTheEntry(const XWindowGeometry& area, const std::string& key, const std::string& name) {
        PointAtTheEntry(area);
        const Screenshot before = CaptureAtRest(folder() / (name + "_before.png"), {Table(area)});
        x.Key(key, true);
        const Screenshot view = WaitForScreenAtRest(folder() / (name + "_view.png"), {Table(area)},
                                                    [&](const Screenshot& shot) { return TableChanged(before, shot, area) > 20000; });
        ASSERT_GT(TableChanged(before, view, area), 20000) << key << " showed no view: see " << name << "_view.png";
        ClickInPlace();
        x.Key(key, false);
        x.MovePointerInSteps(10, 0, 8, 30);
        x.MovePointerInSteps(10, 8, 0, 30);
        const Screenshot after = WaitForScreenAtRest(folder() / (name + "_let_go.png"), {Table(area)},
                                                     [&](const Screenshot& shot) { return TableChanged(before, shot, area) < 5000; });
        EXPECT_LT(TableChanged(before, after, area), 5000)
            << "the view outlived " << key << ": see " << name << "_before.png and " << name << "_let_go.png";
        ExpectEntryFocusedThenLeave(area, name);
    }

    XWindowGeometry MenuButtons(const XWindowGeometry& area) const {
        return {area.x + (area.width - kMenuWidth) / 2 + 50, area.y + (area.height - kMenuHeight) / 2 + 70, 86,
                4 * 23 + 20};
    }
    int ButtonsChanged(const Screenshot& a, const Screenshot& b, const XWindowGeometry& area) const {
        const XWindowGeometry buttons = MenuButtons(area);
        return DifferingPixels(a, b, buttons.x, buttons.y, buttons.x + buttons.width, buttons.y + buttons.height);
    }
    // The room's menu opened by a tap of Esc, at rest, and closed again by a tap: how its buttons look unpressed.
    Screenshot MenuAfterATap(const XWindowGeometry& area) {
        PressKey("Escape");
        const Screenshot menu = WaitForRoomMenu(area, "menu_tapped");
        CloseRoomMenu(area, "menu_tap_closed");
        return menu;
    }
    // After Esc was held: the menu shows as a tap leaves it, none of its buttons pressed.
    void ExpectMenuUnpressed(const Screenshot& tapped, const Screenshot& menu, const XWindowGeometry& area,
                             const std::string& name) {
        EXPECT_LT(ButtonsChanged(tapped, menu, area), 100)
            << "a button of the menu stayed pressed: see menu_tapped.png and " << name;
    }
    // The next key, F1, opens the help at its first press; the help is closed again.
    void ExpectHelpAtF1(const XWindowGeometry& area, const std::string& name) {
        PressKey("F1");
        const auto helpShown = [&](const Screenshot& shot) { return DialogShown(shot, area, kHelpWidth, kHelpHeight); };
        const bool shown = helpShown(WaitForScreen(folder() / (name + "_help.png"), helpShown));
        EXPECT_TRUE(shown) << "the F1 after Esc was lost: see " << name << "_help.png";
        if (shown) CloseNewcomersHelp(area);
    }
};

// Ctrl held on the table on the player's turn, then Return (with Ctrl: a line feed, which opens no chat), or a
// click into the chat entry, and Ctrl let go: the mouse drawn back and pushed then sends no shot. In the entry,
// Ctrl+Return sends no line and Return does. A stroke with Ctrl then shoots.
TEST_F(HeldKeys, CtrlLetGoWhileTheChatEntryMayTakeTheKeyboardShootsNothing) {
    const XWindowGeometry area = PlayersTurn();
    ASSERT_FALSE(HasFailure());
    const int centreX = area.x + area.width / 2, centreY = area.y + area.height / 2;

    x.MovePointer(centreX - 250, centreY);
    CaptureAtRest(folder() / "turn.png", {Table(area)});
    x.Key("Control_L", true);
    std::this_thread::sleep_for(300ms);
    PressKey("Return");
    std::this_thread::sleep_for(300ms);
    x.Key("Control_L", false);
    DrawBackAndPush();
    CaptureAtRest(folder() / "ctrl_return.png", {Table(area)});
    EXPECT_EQ(server().CountReceived(MessageId::Shot), 0u) << "a shot nobody made, after Ctrl+Return";

    PointAtTheEntry(area);
    x.Key("Control_L", true);
    std::this_thread::sleep_for(300ms);
    ClickInPlace();
    x.Key("Control_L", false);
    DrawBackAndPush();
    CaptureAtRest(folder() / "ctrl_click.png", {Table(area)});
    EXPECT_EQ(server().CountReceived(MessageId::Shot), 0u) << "a shot nobody made, after a click into the chat";
    ExpectEntryFocusedThenLeave(area, "ctrl_click");

    // The game's start sent the greeting line.
    const size_t lines = server().CountReceived(MessageId::RoomChatSend);
    PressKey("Return");
    std::this_thread::sleep_for(500ms);
    Type("hi");
    x.Key("Control_L", true);
    PressKey("Return");
    x.Key("Control_L", false);
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(server().CountReceived(MessageId::RoomChatSend), lines) << "Ctrl+Return sent the line";
    PressKey("Return");
    EXPECT_TRUE(server().WaitForMessages(MessageId::RoomChatSend, lines + 1, 30000)) << "Return sent no line";
    Click(centreX - 250, centreY);  // the chat entry lets go of the keyboard
    std::this_thread::sleep_for(500ms);

    EXPECT_TRUE(Stroke(area).has_value()) << "the stroke with Ctrl sent no shot";
    EXPECT_EQ(CloseAndWait(30s), 0) << ReadFile(folder() / "program.out");
}

// Shift's zoom and 'V''s cue view held on the player's turn and let go after a click into the chat entry: the
// view comes back and the mouse turns nothing; the entry has the keyboard.
TEST_F(HeldKeys, ShiftAndVLetGoInTheChatEntryEndTheirViews) {
    const XWindowGeometry area = PlayersTurn();
    ASSERT_FALSE(HasFailure());
    ViewKeyLetGoInTheEntry(area, "Shift_L", "shift");
    ASSERT_FALSE(HasFailure());
    ViewKeyLetGoInTheEntry(area, "v", "cue_view");
    EXPECT_EQ(CloseAndWait(30s), 0) << ReadFile(folder() / "program.out");
}

// With the X server's auto-repeat on, Esc held for a second in the room: its first press opens the menu, its
// repeats press none of the menu's buttons, and the next F1 opens the help.
TEST_F(HeldKeys, EscHeldInTheRoomPressesNoButtonAndTheNextKeyCounts) {
    const XWindowGeometry area = JoinScriptedRoom();
    ASSERT_FALSE(HasFailure());
    x.SetAutoRepeat(300, 30);
    const Screenshot tapped = MenuAfterATap(area);
    ASSERT_FALSE(HasFailure());
    HoldEscapeForASecond();
    ExpectMenuUnpressed(tapped, WaitForRoomMenu(area, "room_held"), area, "room_held.png");
    ExpectHelpAtF1(area, "room");
    EXPECT_EQ(CloseAndWait(30s), 0) << ReadFile(folder() / "program.out");
}

// Ctrl pressed while Esc, held, has the room's menu open: Ctrl's press and release go to the menu, and Esc's
// repeats, which go to the table as its first press did, start no stroke with it. Once the menu is closed the
// mouse alone drawn back and pushed sends no shot; a stroke with Ctrl then does.
TEST_F(HeldKeys, EscHeldWhileCtrlIsPressedUnderTheMenuStartsNoStroke) {
    const XWindowGeometry area = PlayersTurn();
    ASSERT_FALSE(HasFailure());
    x.SetAutoRepeat(300, 30);
    x.MovePointer(area.x + area.width / 2 - 250, area.y + area.height / 2);
    CaptureAtRest(folder() / "turn.png", {Table(area)});
    x.Key("Escape", true);
    std::this_thread::sleep_for(600ms);
    x.Key("Control_L", true);
    std::this_thread::sleep_for(400ms);
    x.Key("Escape", false);
    std::this_thread::sleep_for(200ms);
    x.Key("Control_L", false);
    WaitForRoomMenu(area, "ctrl_menu");
    CloseRoomMenu(area, "ctrl_menu_closed");
    ASSERT_FALSE(HasFailure());
    DrawBackAndPush();
    CaptureAtRest(folder() / "ctrl_mouse_alone.png", {Table(area)});
    EXPECT_EQ(server().CountReceived(MessageId::Shot), 0u) << "a shot nobody made, after Ctrl under the menu";
    EXPECT_TRUE(Stroke(area).has_value()) << "the stroke with Ctrl sent no shot";
    EXPECT_EQ(CloseAndWait(30s), 0) << ReadFile(folder() / "program.out");
}

// The same over the game's result board, whose close button has Esc for its hot key: Esc tapped, then held,
// closes the board (its press took the button, its release clicks it) and opens the room's menu, whose buttons
// the repeats leave alone. Once the menu is closed the board is gone, and the next F1 opens the help.
TEST_F(HeldKeys, EscHeldOverTheResultBoardClosesItAsATapDoes) {
    const XWindowGeometry area = PlayersTurn();
    ASSERT_FALSE(HasFailure());
    x.SetAutoRepeat(300, 30);
    const Screenshot tapped = MenuAfterATap(area);
    ASSERT_FALSE(HasFailure());
    const std::vector<kvtest::TestEndTeam> teams{{1, 1, {{0, 10}}}, {2, 2, {{1, 0}}}};
    for (const auto& [closing, name] : {std::pair{Closing::Escape, "board_tapped"}, {Closing::HeldEscape, "board_held"}}) {
        EndGame(area, name, teams, closing, {}, [&](const Screenshot& menu) {
            ExpectMenuUnpressed(tapped, menu, area, std::string(name) + "_menu.png");
        });
        ExpectHelpAtF1(area, name);
        ASSERT_FALSE(HasFailure());
    }
    EXPECT_EQ(CloseAndWait(30s), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
