// Keys and buttons held while windows open and screens change, as a player holds them: a key let go under a window
// that opened meanwhile (the help, a server notice) ends its table mode, so that the mouse alone then shoots
// nothing and zooms nothing; a button held on the table while the server sends the player to the lobby gives the
// mouse back (no grab, no clip) once let go there, and the next room plays; and a stroke whose push and Ctrl's
// release reach the program in one moment shoots every time. The screens: the cases' folders.
#include <gtest/gtest.h>

#include <chrono>
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

using namespace std::chrono_literals;
using quill::MessageId;

// The help window (427 x 547) in the middle of the screen.
constexpr int kHelpWidth = 427, kHelpHeight = 547;

class HeldInput : public RoomUnderX {
protected:
    // The table below the top bar, right of the chalk slot, which turns its chalk.
    std::vector<XWindowGeometry> TableArea(const XWindowGeometry& area) const {
        return {{area.x + 70, area.y + 40, area.width - 70, area.height - 40}};
    }
    // The aiming view at rest: the camera has come round to the cue ball, where the table takes a stroke.
    Screenshot TableAtRest(const XWindowGeometry& area, const std::string& name) {
        return WaitForAimingView(folder() / (name + ".png"), area);
    }
    int TableChanged(const Screenshot& a, const Screenshot& b, const XWindowGeometry& area) {
        return DifferingPixels(a, b, area.x + 70, area.y + 40, area.x + area.width, area.y + area.height);
    }

    // F1 opens the help; once it shows, the key is let go under it, and Esc closes it.
    void LetGoUnderTheHelp(const XWindowGeometry& area, const std::string& key, const std::string& name) {
        PressKey("F1");
        const auto helpShown = [&](const Screenshot& shot) { return DialogShown(shot, area, kHelpWidth, kHelpHeight); };
        ASSERT_TRUE(helpShown(WaitForScreen(folder() / (name + "_help.png"), helpShown))) << "see " << name << "_help.png";
        x.Key(key, false);
        PressKey("Escape");
        const Screenshot closed =
            WaitForScreen(folder() / (name + "_help_closed.png"), [&](const Screenshot& shot) { return !helpShown(shot); });
        ASSERT_FALSE(helpShown(closed)) << "the help stayed: see " << name << "_help_closed.png";
    }

    // The draw-back and push of a stroke, slow back and hard forward.
    void DrawBackAndPush() {
        x.MovePointerInSteps(20, 0, 5, 60);
        x.MovePointerInSteps(6, 0, -40, 30);
    }

    // The room joined again; its newcomer's help closed unless the caller does it.
    void QuickJoin(const XWindowGeometry& area, bool closeHelp = true) {
        const size_t joins = server().CountReceived(MessageId::JoinRoom);
        const size_t entered = server().CountReceived(MessageId::RoomEntered);
        for (int n = 0; n < 10 && server().CountReceived(MessageId::JoinRoom) == joins; ++n) {
            Click(area.x + 491, area.y + 551);
            std::this_thread::sleep_for(1s);
        }
        ASSERT_GT(server().CountReceived(MessageId::JoinRoom), joins) << "Quick Join joined nothing";
        ASSERT_TRUE(server().WaitForMessages(MessageId::RoomEntered, entered + 1, 30000));
        if (closeHelp) CloseNewcomersHelp(area);
    }

    // A button pressed on the table of the room, held while the server sends the player to the lobby and let go
    // there: the program holds no grab of the pointer and no clip, so the pointer reaches the screen's corners.
    void HoldThroughTheWayToTheLobby(const XWindowGeometry& area, unsigned button, const std::string& name) {
        CaptureAtRest(folder() / (name + "_room.png"), {{area.x + 200, area.y + 100, 600, 300}});
        x.MovePointer(area.x + area.width / 2, area.y + area.height / 2 - 100);
        std::this_thread::sleep_for(300ms);
        x.Button(button, true);
        x.MovePointerInSteps(5, 4, 2, 30);
        server().Send(kvtest::ShortMessage(MessageId::RoomError, {{0, 1}}));
        const Screenshot lobby = WaitForScreen(folder() / (name + "_lobby.png"),
                                               [&](const Screenshot& shot) { return LobbyShown(shot, area); });
        ASSERT_TRUE(LobbyShown(lobby, area)) << "the lobby: see " << name << "_lobby.png";
        x.Button(button, false);
        std::this_thread::sleep_for(500ms);
        EXPECT_TRUE(x.PointerGrabbable()) << "the program kept the pointer grabbed after " << name;
        x.MovePointerBy(-4000, -4000);
        EXPECT_EQ(x.PointerPosition(), (std::pair{0, 0})) << "the pointer was kept from the top left corner";
        x.MovePointerBy(4000, 4000);
        EXPECT_EQ(x.PointerPosition(), (std::pair{area.width - 1, area.height - 1}))
            << "the pointer was kept from the bottom right corner";
    }
};

// Shift held on the table shows the zoom view; let go under the help, the view comes back once the help closes.
// Ctrl held and let go under the help: the mouse drawn back and pushed then shoots nothing. A stroke with Ctrl
// shoots.
TEST_F(HeldInput, OfflineKeysLetGoUnderTheHelpEndTheirModes) {
    const XWindowGeometry area = OfflineTable();
    ASSERT_FALSE(HasFailure());
    x.MovePointer(area.x + area.width / 2 - 250, area.y + area.height / 2);
    const Screenshot before = TableAtRest(area, "before");

    x.Key("Shift_L", true);
    const Screenshot zoom = WaitForScreenAtRest(folder() / "zoom.png", TableArea(area), [&](const Screenshot& shot) {
        return TableChanged(before, shot, area) > 20000;
    });
    ASSERT_GT(TableChanged(before, zoom, area), 20000) << "Shift showed no zoom view: see zoom.png";
    LetGoUnderTheHelp(area, "Shift_L", "zoom");
    ASSERT_FALSE(HasFailure());
    x.MovePointerInSteps(10, 0, 8, 30);
    const Screenshot back = WaitForScreenAtRest(folder() / "zoom_ended.png", TableArea(area), [&](const Screenshot& shot) {
        return TableChanged(before, shot, area) < 5000;
    });
    EXPECT_LT(TableChanged(before, back, area), 5000) << "the zoom outlived Shift: see before.png and zoom_ended.png";

    x.Key("Control_L", true);
    LetGoUnderTheHelp(area, "Control_L", "stroke");
    ASSERT_FALSE(HasFailure());
    DrawBackAndPush();
    const Screenshot still = CaptureAtRest(folder() / "stroke_let_go.png", TableArea(area));
    EXPECT_LT(TableChanged(before, still, area), 5000) << "a shot nobody made: see before.png and stroke_let_go.png";
    EXPECT_EQ(Logged("BallsStopped"), 0u) << "a shot nobody made";

    TableStops stops = LoggedStops();
    EXPECT_TRUE(StrokeShoots(stops, area, "stroke_with_ctrl",
                             [&] { StrokeCue(area.x + area.width / 2 - 250, area.y + area.height / 2, false); }));
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

// The push and Ctrl's release sent together: the program takes both in one moment, before its game thread has
// read the push. Every stroke shoots. The cue is drawn back and held still first, as a player pauses before the
// flick: a push within 20 ms of the draw-back's last sample counts as more draw-back, and a starved game thread
// may take that sample late. Every second stroke finds the program held up (stopped) from the middle of its
// draw-back to after the release, as a slow frame holds a starved program up: the rest of the draw-back (in small
// steps: many events), the push and the release then reach it in one run, which it must not take apart (a tick
// that read the first steps alone made the push, read a moment later, more draw-back).
TEST_F(HeldInput, AStrokeWhosePushAndReleaseComeTogetherShootsEveryTime) {
    constexpr int kStrokes = 16;
    const XWindowGeometry area = OfflineTable();
    ASSERT_FALSE(HasFailure());
    TableStops stops = LoggedStops();
    int shot = 0;
    for (int stroke = 1; stroke <= kStrokes; ++stroke) {
        const std::string name = "stroke" + std::to_string(stroke);
        const bool heldUp = stroke % 2 == 0;
        const auto pushAndRelease = [&] {
            if (heldUp) x.MovePointerInSteps(20, 0, 2, 15);
            x.MovePointerByThenKey(0, -180, "Control_L", false);
        };
        x.MovePointer(area.x + area.width / 2, area.y + area.height / 2 + 116);
        const auto shoots = StrokeShoots(stops, area, name, [&] {
            x.Key("Control_L", true);
            x.MovePointerInSteps(heldUp ? 12 : 20, 0, 5, 40);
            CaptureAtRest(folder() / (name + "_drawn_back.png"), TableArea(area));
            if (heldUp) {
                WhileStopped(pushAndRelease);
            } else {
                pushAndRelease();
            }
        });
        EXPECT_TRUE(shoots);
        shot += shoots ? 1 : 0;
    }
    EXPECT_EQ(shot, kStrokes) << "strokes that shot";
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

// Online, in the player's turn: Ctrl held, a notice from the server over it, Ctrl let go under the notice, the
// notice closed with Return; the mouse drawn back and pushed then sends no shot. A stroke with Ctrl does.
TEST_F(HeldInput, CtrlLetGoUnderAServerNoticeShootsNothing) {
    const XWindowGeometry area = JoinRoomFromLobby([&] { state_ = kvtest::InstallRoomScript(server()); });
    ASSERT_FALSE(HasFailure());
    SitAndStart(area);
    ASSERT_FALSE(HasFailure());
    x.MovePointer(area.x + area.width / 2 - 250, area.y + area.height / 2);
    CaptureAtRest(folder() / "turn.png", {{area.x, area.y + 76, area.width - 230, area.height - 296}});
    x.Key("Control_L", true);
    server().Send(kvtest::EmptyMessage(MessageId::ExitNotAllowed));
    const auto noticeShown = [&](const Screenshot& shot) { return MessageBoxShown(shot, area); };
    ASSERT_TRUE(noticeShown(WaitForScreen(folder() / "notice.png", noticeShown))) << "see notice.png";
    x.Key("Control_L", false);
    PressKey("Return");
    ASSERT_FALSE(noticeShown(WaitForScreen(folder() / "notice_closed.png",
                                           [&](const Screenshot& shot) { return !noticeShown(shot); })));
    DrawBackAndPush();
    CaptureAtRest(folder() / "stroke_let_go.png", {{area.x, area.y + 76, area.width - 230, area.height - 296}});
    EXPECT_EQ(server().CountReceived(MessageId::Shot), 0u) << "a shot nobody made";

    EXPECT_TRUE(Stroke(area).has_value()) << "the stroke with Ctrl sent no shot";
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

// The left button (the aim's drag), then in the room joined again the right one (the zoom), held on the table
// while the server sends the player to the lobby and let go there: the mouse is the player's again. The room
// joined next plays: its stroke shoots.
TEST_F(HeldInput, AButtonHeldWhileSentToTheLobbyGivesTheMouseBack) {
    const XWindowGeometry area = JoinScriptedRoom();
    ASSERT_FALSE(HasFailure());
    HoldThroughTheWayToTheLobby(area, 1, "left");
    QuickJoin(area);
    ASSERT_FALSE(HasFailure());
    HoldThroughTheWayToTheLobby(area, 3, "right");
    QuickJoin(area, false);
    ASSERT_FALSE(HasFailure());
    SitAndStart(area);
    ASSERT_FALSE(HasFailure());
    EXPECT_TRUE(Stroke(area).has_value()) << "the next room's stroke sent no shot";
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
