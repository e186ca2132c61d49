// The relative mouse fed from a headless window's events, as the game thread reads it once per tick.
#include <gtest/gtest.h>

#include "AppTestWindow.h"
#include "client/app/DirectInputMouse.h"

namespace kestrovan {
namespace {

platform::InputEvent Motion(int dx, int dy) {
    platform::InputEvent event;
    event.kind = platform::InputEventKind::MouseMove;
    event.dx = dx;
    event.dy = dy;
    return event;
}

platform::InputEvent Focus(bool gained) {
    platform::InputEvent event;
    event.kind = gained ? platform::InputEventKind::FocusGained : platform::InputEventKind::FocusLost;
    return event;
}

class DirectInputMouseTest : public ::testing::Test {
protected:
    DirectInputMouseTest() {
        app.Feed(Focus(true));
        EXPECT_EQ(mouse.Create(*app.window), 0u);
    }

    test::AppTestWindow app;
    DirectInputMouse mouse;
};

TEST_F(DirectInputMouseTest, SumsTheRecordsOfOneTick) {
    app.Feed(Motion(5, 0));
    app.Feed(Motion(-2, 3));
    app.Feed(Motion(4, 0));
    platform::InputEvent wheel;
    wheel.kind = platform::InputEventKind::Wheel;
    wheel.wheelDelta = -240;
    app.Feed(wheel);
    const MouseMotion motion = mouse.Update();
    EXPECT_EQ(motion.dx, 7);
    EXPECT_EQ(motion.dy, 3);
    EXPECT_EQ(motion.wheel, -240);
    EXPECT_EQ(mouse.EventCount(), 5u);

    const MouseMotion none = mouse.Update();  // a tick without records
    EXPECT_EQ(mouse.EventCount(), 0u);
    EXPECT_EQ(none.dx, 0);
    EXPECT_EQ(none.dy, 0);
    EXPECT_EQ(none.wheel, 0);
}

// A stroke or a drag starts with the motion after its key or button: the move the hand made just before (the
// pointer brought to where the stroke begins) is not read, the motion after it is.
TEST_F(DirectInputMouseTest, MotionBeforeAModeStartsIsForgotten) {
    app.Feed(Motion(0, 344));
    mouse.ForgetEarlierMotion();
    app.Feed(Motion(0, 5));
    const MouseMotion motion = mouse.Update();
    EXPECT_EQ(motion.dy, 5);
}

// A main thread held up (a slow frame) takes the rest of a draw-back, the push and Ctrl's release from the system
// at once. A tick coming in while it translates them must not read the draw-back's rest alone: the push read a
// moment later would count as more draw-back (the stroke's 20 ms direction filter) and the stroke never struck.
// The run is read as one: by the release's hand-over, or by the tick after the run.
TEST_F(DirectInputMouseTest, MotionTakenInOneRunIsReadAsOne) {
    app.backend->Script(Motion(0, 30));
    app.backend->Script(Motion(0, -180));
    app.backend->Script(test::KeyEvent(false, 0x11));
    platform::Message message;
    ASSERT_TRUE(app.window->PeekMessage(message));  // the draw-back's rest
    EXPECT_EQ(mouse.Update().dy, 0);                // a tick in between
    ASSERT_TRUE(app.window->PeekMessage(message));  // the push
    ASSERT_TRUE(app.window->PeekMessage(message));
    ASSERT_EQ(message.id, platform::Msg::KeyUp);
    EXPECT_EQ(mouse.UpdateBeforeRelease().dy, -150);

    app.backend->Script(Motion(0, 5));
    app.backend->Script(Motion(0, 5));
    ASSERT_TRUE(app.window->PeekMessage(message));
    EXPECT_EQ(mouse.Update().dy, 0);
    app.Pump();
    EXPECT_EQ(mouse.Update().dy, 10);
}

TEST_F(DirectInputMouseTest, AFullBufferKeepsTheSums) {
    for (int i = 0; i < 200; ++i) {
        app.Feed(Motion(1, -1));
    }
    const MouseMotion motion = mouse.Update();
    EXPECT_EQ(motion.dx, 200);
    EXPECT_EQ(motion.dy, -200);
    EXPECT_EQ(mouse.EventCount(), DirectInputMouse::kBufferRecords);
}

TEST_F(DirectInputMouseTest, LostInputIsAcquiredAgainOncePerTick) {
    app.Feed(Motion(9, 9));
    app.Feed(Focus(false));
    app.Feed(Motion(1, 1));
    EXPECT_EQ(mouse.Update().dx, 0);  // lost: zero motion, one try to acquire (refused in the background)
    EXPECT_EQ(mouse.Update().dx, 0);
    app.Feed(Focus(true));
    mouse.Update();  // acquired again on this tick
    app.Feed(Motion(2, 0));
    EXPECT_EQ(mouse.Update().dx, 2);
}

TEST(DirectInputMouseCursorMode, MeasuresTheCursorAndPullsItBackToTheCentre) {
    test::AppTestWindow app;
    DirectInputMouse mouse;
    mouse.SetUseDevice(false);
    EXPECT_EQ(mouse.Create(*app.window), 0u);
    mouse.SetCaptured(true);
    mouse.SetCursorCentre(700, 480);
    EXPECT_EQ(mouse.Update().dx, 700);  // from (0, 0) to the centre
    const size_t warps = app.backend->Calls().size();
    const MouseMotion still = mouse.Update();  // the cursor has not moved: no motion and no warp
    EXPECT_EQ(still.dx, 0);
    EXPECT_EQ(still.dy, 0);
    EXPECT_EQ(app.backend->Calls().size(), warps);
    app.window->SetCursorPos(platform::PixelPoint{710, 475});
    const MouseMotion moved = mouse.Update();
    EXPECT_EQ(moved.dx, 10);
    EXPECT_EQ(moved.dy, -5);
    EXPECT_EQ(app.window->GetCursorPos(), (platform::PixelPoint{700, 480}));
}

}  // namespace
}  // namespace kestrovan
