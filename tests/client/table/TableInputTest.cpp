#include <gtest/gtest.h>

#include <algorithm>

#include "QuillLib/core/AppEvent.h"
#include "client/rules/TablePhysics.h"
#include "client/table/GameTable.h"
#include "client/table/TableAim.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableCameraEvents.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEvents.h"
#include "client/table/TableInput.h"
#include "client/table/TableShotRecords.h"
#include "client/table/TableTrails.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
namespace Vk = platform::Vk;
namespace Msg = platform::Msg;

class TableInputTest : public ::testing::Test, protected test::TableFixture {
protected:
    TableInputTest() {
        Equip(type::kEightBall);
        table->Input().SetKeyMask(-1);
        table->Turn().SetControlEnabled(true);
    }
    bool Send(uint32_t message, platform::WParam wParam = 0, platform::LParam lParam = 0) {
        return table->Input().HandleInput(message, wParam, lParam);
    }
    platform::LParam At(float x, float y) {
        return platform::MakePointLParam(static_cast<int>(x), static_cast<int>(y));
    }
    // The table events posted so far, taken from the queue.
    std::vector<quill::AppEvent> TakeTableEvents() {
        std::vector<quill::AppEvent> events;
        while (quill::AppEvent* event = table->CameraEvents().Events().Pop()) {
            events.push_back(*event);
            table->CameraEvents().Events().Release(event);
        }
        return events;
    }
};

TEST_F(TableInputTest, LeftButtonDragsTheViewOrStandsInForCtrl) {
    EXPECT_FALSE(Send(Msg::MouseMove, 0, At(100, 100)));
    EXPECT_TRUE(Send(Msg::LButtonDown, 0, At(500, 100)));
    EXPECT_TRUE(table->Input().Flags().aimDragHeld);
    table->Update(1, 0, 0, false);
    EXPECT_TRUE(TakeTableEvents().empty());  // no motion, no event
    table->Update(2, 7, -5, false);
    const auto events = TakeTableEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].id, TableEventId::OrbitCamera);
    EXPECT_EQ(static_cast<int32_t>(events[0].wParam), -7);
    EXPECT_EQ(static_cast<int32_t>(events[0].lParam), -5);
    EXPECT_FALSE(Send(Msg::LButtonUp, 0, At(500, 100)));
    EXPECT_FALSE(table->Input().Flags().aimDragHeld);
    EXPECT_EQ(host.events.back().id, quill::AppEventId::UserActivity);

    // A new rack lets go of the drag while the cursor is hidden: the release shows it again.
    EXPECT_TRUE(Send(Msg::LButtonDown, 0, At(500, 100)));
    table->Input().ResetModes();
    host.calls.clear();
    Send(Msg::LButtonUp, 0, At(500, 100));
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "show"), 1);

    // With the button shortcuts the left button charges the stroke as Ctrl would.
    table->Input().SetButtonShortcuts(true);
    table->Turn().SetAimFollowsCamera(true);
    EXPECT_TRUE(Send(Msg::LButtonDown, 0, At(500, 100)));
    EXPECT_TRUE(table->Input().Flags().strokeKeyHeld);
    EXPECT_TRUE(table->Input().Flags().leftButtonAsCtrl);
    // The key poll does not release a Ctrl that the button holds.
    EXPECT_FALSE(table->Input().PollKeyReleases());
    Send(Msg::LButtonUp, 0, At(500, 100));
    EXPECT_FALSE(table->Input().Flags().strokeKeyHeld);
    EXPECT_FALSE(table->Input().Flags().leftButtonAsCtrl);
}

TEST_F(TableInputTest, RightButtonZoomsUnlessShiftOrbits) {
    EXPECT_TRUE(Send(Msg::RButtonDown));
    EXPECT_TRUE(table->Input().Flags().rightButtonZoom);
    table->Update(1, 0, 4, false);
    const auto zoom = TakeTableEvents();
    ASSERT_EQ(zoom.size(), 1u);
    EXPECT_EQ(zoom[0].id, TableEventId::ZoomCamera);
    EXPECT_EQ(static_cast<int32_t>(zoom[0].wParam), -4);
    Send(Msg::RButtonUp);
    EXPECT_FALSE(table->Input().Flags().rightButtonZoom);

    table->Input().OnKey(Vk::Shift, true);
    TakeTableEvents();
    EXPECT_TRUE(Send(Msg::RButtonDown));  // the orbit mode is active: taken, but nothing starts
    EXPECT_FALSE(table->Input().Flags().rightButtonZoom);
    EXPECT_FALSE(table->Input().Flags().rightButtonAsShift);
    table->Input().OnKey(Vk::Shift, false);

    // The wheel zooms by 20 either way, except in the top view.
    Send(Msg::MouseWheel, platform::MakeWheelWParam(0, -120));
    Send(Msg::MouseWheel, platform::MakeWheelWParam(0, 120));
    const auto wheel = TakeTableEvents();
    ASSERT_EQ(wheel.size(), 2u);
    EXPECT_EQ(static_cast<int32_t>(wheel[0].wParam), -20);
    EXPECT_EQ(static_cast<int32_t>(wheel[1].wParam), 20);
    table->Cameras().GetCamera().SetMode(CameraController::kTopViewMode);
    Send(Msg::MouseWheel, platform::MakeWheelWParam(0, 120));
    EXPECT_TRUE(TakeTableEvents().empty());
}

TEST_F(TableInputTest, BallInHandInTheTopView) {
    table->SetState(5);
    table->Cameras().GetCamera().SetMode(CameraController::kTopViewMode);
    table->Picking().ProjectBalls();
    const BallScreenInfo cue = table->Picking().ScreenInfoAt(0);
    ASSERT_EQ(cue.index, 0);
    EXPECT_TRUE(Send(Msg::LButtonDown, 0, At(cue.screenX, cue.screenY)));
    EXPECT_EQ(table->Picking().HeldBall(), 0);
    EXPECT_FALSE(table->Input().Flags().aimDragHeld);
    EXPECT_FALSE(table->Input().Flags().strokeKeyHeld);
    // Put down in the top view: BallPlaced, and the camera only remembers to refocus.
    EXPECT_FALSE(Send(Msg::LButtonUp, 0, At(cue.screenX, cue.screenY)));
    EXPECT_EQ(host.events.back().id, quill::AppEventId::BallPlaced);
    EXPECT_EQ(host.events.back().wParam, 0u);
    EXPECT_EQ(table->Picking().HeldBall(), -1);
    EXPECT_TRUE(table->Cameras().RefocusOnTopViewExit());
    EXPECT_FALSE(table->Cameras().GetCamera().IsMoving());
}

TEST_F(TableInputTest, CharactersAndKeyUps) {
    // Esc leaves the pen's side option; without one it is not the table's.
    EXPECT_FALSE(Send(Msg::Char, 27));
    table->Aim().SetSideOption(1);
    EXPECT_TRUE(Send(Msg::Char, 27));
    EXPECT_EQ(table->Aim().SideOption(), 0);
    EXPECT_EQ(host.events.back().id, quill::AppEventId::CursorMode);

    // 'T' held, then released: every ball leaves a trail from now on.
    host.keysDown.insert('T');
    EXPECT_TRUE(Send(Msg::KeyDown, 'T'));
    host.keysDown.erase('T');
    Send(Msg::KeyUp, 'T');
    EXPECT_TRUE(table->Trails().ShowsAllTrails());
    Send(Msg::KeyUp, 'Q');
    EXPECT_EQ(table->Input().LastSpecialKey(), 0u);

    // 'U' puts the balls back where the last shot started (state 5 only).
    table->Records().GetShotRecord().valid = ShotRecord::kValidFilled;
    table->Records().GetShotRecord().positions[2] = {10.0f, 20.0f, table->Physics().BallRadius()};
    table->SetState(5);
    table->Turn().SetControlEnabled(false);
    Send(Msg::KeyUp, 'U');
    EXPECT_EQ(table->Physics().CachedPosition(2).y, 20.0f);
    EXPECT_TRUE(table->Turn().IsControlEnabled());
}

// The screen stops taking input with keys and buttons still down (another screen, the window lost the focus):
// no mode stays on without them, and the cursor and the mouse are given back.
TEST_F(TableInputTest, EveryHeldModeEndsWhenTheScreenLetsGoOfItsInput) {
    const auto given = [&] {
        const auto has = [&](const char* call) { return std::count(host.calls.begin(), host.calls.end(), call) == 1; };
        return has("show") && has("release") && has("unclip");
    };
    Send(Msg::LButtonDown, 0, At(500, 100));
    Send(Msg::RButtonDown);
    host.calls.clear();
    table->Input().ReleaseHeldInput();
    EXPECT_FALSE(table->Input().Flags().aimDragHeld);
    EXPECT_FALSE(table->Input().Flags().rightButtonZoom);
    EXPECT_TRUE(given()) << "the drag and the zoom let go of the mouse";

    EXPECT_TRUE(table->Input().OnKey(Vk::Control, true));
    host.calls.clear();
    table->Input().ReleaseHeldInput();
    EXPECT_FALSE(table->Input().Flags().strokeKeyHeld);
    EXPECT_TRUE(given()) << "Ctrl's stroke let go of the mouse";

    table->Input().SetButtonShortcuts(true);
    table->Turn().SetAimFollowsCamera(true);
    Send(Msg::LButtonDown, 0, At(500, 100));
    ASSERT_TRUE(table->Input().Flags().leftButtonAsCtrl);
    table->Input().ReleaseHeldInput();
    EXPECT_FALSE(table->Input().Flags().strokeKeyHeld);
    EXPECT_FALSE(table->Input().Flags().leftButtonAsCtrl) << "the next press of the button starts afresh";
    table->Update(1, 0, -200, false);
    EXPECT_EQ(host.CountEvents(quill::AppEventId::ShotFired), 0);

    // A ball held in hand is put down where it is, as the button's release puts it.
    table->SetState(5);
    table->Picking().SetHeldBall(0);
    table->Input().ReleaseHeldInput();
    EXPECT_EQ(table->Picking().HeldBall(), -1);
    EXPECT_EQ(host.events.back().id, quill::AppEventId::BallPlaced);
}

TEST_F(TableInputTest, PolledKeysAndTheFocus) {
    table->Turn().SetActive(true);
    host.keysDown.insert(Vk::Shift);
    // An edit box has the keyboard: the keys are text.
    host.textFocused = true;
    EXPECT_FALSE(table->Input().PollKeys());
    EXPECT_FALSE(table->Input().Flags().zoomKeyHeld);
    host.textFocused = false;
    EXPECT_FALSE(table->Input().PollKeys());  // a press reports false
    EXPECT_TRUE(table->Input().Flags().zoomKeyHeld);
    host.keysDown.erase(Vk::Shift);
    EXPECT_TRUE(table->Input().PollKeys());
    EXPECT_FALSE(table->Input().Flags().zoomKeyHeld);

    // While the camera still moves, Shift is refused.
    host.keysDown.insert(Vk::Shift);
    EXPECT_TRUE(table->Cameras().GetCamera().IsMoving());
    EXPECT_FALSE(table->Input().PollKeyPresses());
}

// A key-down starts its own key's mode and no other: Ctrl, down since its press went to a window over the table
// (where its release goes too), is not started by Escape's repeats.
TEST_F(TableInputTest, AKeyDownStartsOnlyItsOwnKeysMode) {
    host.keysDown.insert(Vk::Control);
    host.keysDown.insert(Vk::Escape);
    EXPECT_FALSE(Send(Msg::KeyDown, Vk::Escape, platform::MakeKeyLParam({.wasDown = true})));
    EXPECT_FALSE(table->Input().Flags().strokeKeyHeld);
    EXPECT_TRUE(Send(Msg::KeyDown, Vk::Control));
    EXPECT_TRUE(table->Input().Flags().strokeKeyHeld);
}

}  // namespace
}  // namespace kestrovan
