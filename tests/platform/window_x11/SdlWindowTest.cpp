// The SDL window on a real X display (the test command runs this binary under Xvfb): it opens titled
// "Kestrovan", receives injected key and mouse input as the same messages the headless tests expect,
// reports the mouse's own motion past the screen's edges while the cursor is hidden, all the motion made after a
// key's press when the cursor hides late at that press, and none for the cursor put back when it shows again,
// switches to full screen and back, and turns the window manager's close request into a quit.
#include <SDL_events.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/RawMouseSink.h"
#include "platform/window/VirtualKey.h"
#include "platform/window/Window.h"
#include "platform/window/sdl/SdlWindowAccess.h"
#include "platform/window/sdl/SdlWindowBackend.h"
#include "tests/support/x11/XTestInjector.h"

namespace platform {
namespace {

constexpr PixelRect kRect{120, 90, 760, 570};

class SdlWindowUnderX : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.Ready()) << "no X display with the XTest extension";
        WindowDesc desc;
        desc.title = u"Kestrovan";
        desc.rect = kRect;
        ASSERT_TRUE(window.Create(desc)) << window.LastError();
        window.SetProcedure(kMainWindow, [this](const Message& m) {
            seen.push_back(m);
            if (m.id == Msg::Close) {
                window.PostQuitMessage(0);
                return LResult{1};
            }
            return window.DefaultProcedure(m);
        });
        xWindow = x.FindWindowByName("Kestrovan");
        ASSERT_NE(xWindow, 0u);
        window.Show(ShowCommand::Raise);
    }

    // Handles messages as the main loop does until the condition holds or two seconds pass.
    bool PumpUntil(const std::function<bool()>& condition) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < deadline) {
            Message m;
            while (window.PeekMessage(m)) {
                if (m.id == Msg::Quit) {
                    quit = true;
                    continue;
                }
                window.TranslateMessage(m);
                window.DispatchMessage(m);
            }
            if (condition()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    // Handles messages until the condition holds or the time is up.
    void PumpFor(std::chrono::milliseconds limit, const std::function<bool()>& condition) {
        const auto until = std::chrono::steady_clock::now() + limit;
        PumpUntil([&] { return condition() || std::chrono::steady_clock::now() >= until; });
    }
    void Settle() {
        PumpFor(std::chrono::milliseconds(200), [] { return false; });
    }

    // With the window active and the pointer at the window's point given, the cursor hidden (the table steers with
    // the mouse) and a first motion made. The window's place on the screen.
    kv::test::XWindowGeometry HideCursorWithPointerAt(PixelPoint client) {
        EXPECT_TRUE(PumpUntil([&] { return window.IsActive(); }));
        const kv::test::XWindowGeometry geometry = x.Geometry(xWindow).value_or(kv::test::XWindowGeometry{});
        x.MovePointer(geometry.x + client.x, geometry.y + client.y);
        Settle();
        window.ShowCursor(false);
        Settle();
        x.MovePointerBy(1, 1);
        Settle();
        return geometry;
    }

    // Lets SDL read what the X server sent until the given count of motions waits in its queue, not yet taken by
    // the window (two seconds at most).
    bool MotionQueued(int count) {
        for (const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
             std::chrono::steady_clock::now() < deadline;
             std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
            SDL_PumpEvents();
            if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION) >= count) {
                return true;
            }
        }
        return false;
    }

    const Message* Find(uint32_t id, WParam wParam) const {
        for (const Message& m : seen) {
            if (m.id == id && m.wParam == wParam) {
                return &m;
            }
        }
        return nullptr;
    }
    bool Saw(uint32_t id, WParam wParam) const { return Find(id, wParam) != nullptr; }

    kv::test::XTestInjector x;
    Window window{std::make_unique<SdlWindowBackend>()};
    unsigned long xWindow = 0;
    std::vector<Message> seen;
    bool quit = false;
};

TEST_F(SdlWindowUnderX, OpensTitledKestrovanAndReceivesInjectedKeysAndMouseAsMessages) {
    EXPECT_NE(SdlWindowOf(window), nullptr);
    EXPECT_TRUE(x.IsShown(xWindow));
    const auto geometry = x.Geometry(xWindow);
    ASSERT_TRUE(geometry.has_value());
    EXPECT_EQ(geometry->width, kRect.Width());
    EXPECT_EQ(geometry->height, kRect.Height());
    ASSERT_TRUE(PumpUntil([&] { return window.IsActive(); }));

    x.MovePointer(geometry->x + 30, geometry->y + 40);
    x.Key("a", true);
    x.Key("a", false);
    x.Key("Alt_L", true);
    x.Key("Alt_L", false);
    ASSERT_TRUE(PumpUntil([&] { return Saw(Msg::SysKeyUp, Vk::Menu); }));
    const Message* keyDown = Find(Msg::KeyDown, 'A');
    ASSERT_NE(keyDown, nullptr);
    EXPECT_EQ(static_cast<uint32_t>(keyDown->lParam), 0x001E0001u);
    EXPECT_EQ(keyDown->window, kMainWindow);
    EXPECT_TRUE(Saw(Msg::Char, 'a'));
    const Message* keyUp = Find(Msg::KeyUp, 'A');
    ASSERT_NE(keyUp, nullptr);
    EXPECT_EQ(static_cast<uint32_t>(keyUp->lParam), 0xC01E0001u);
    EXPECT_EQ(static_cast<uint32_t>(Find(Msg::SysKeyDown, Vk::Menu)->lParam), 0x20380001u);

    x.Button(1, true);
    x.Button(1, false);
    x.Button(4, true);
    x.Button(4, false);
    ASSERT_TRUE(PumpUntil([&] {
        for (const Message& m : seen) {
            if (m.id == Msg::MouseWheel) return true;
        }
        return false;
    }));
    const Message* press = Find(Msg::LButtonDown, MouseKey::LButton);
    ASSERT_NE(press, nullptr);
    EXPECT_EQ(PointX(press->lParam), 30);
    EXPECT_EQ(PointY(press->lParam), 40);
    EXPECT_TRUE(Saw(Msg::LButtonUp, 0));
    for (const Message& m : seen) {
        if (m.id == Msg::MouseWheel) {
            EXPECT_EQ(WheelDelta(m.wParam), 120);
            EXPECT_EQ(PointX(m.lParam), geometry->x + 30);
            EXPECT_EQ(PointY(m.lParam), geometry->y + 40);
        }
    }
}

// What a relative mouse device sums.
struct MotionSum : RawMouseSink {
    void OnRawMotion(int dx, int dy, uint32_t) override {
        x += dx;
        y += dy;
    }
    void OnRawWheel(int, uint32_t) override {}
    void OnForegroundChanged(bool) override {}
    void OnInputDrained() override {}
    int x = 0;
    int y = 0;
};

// With the cursor hidden (the table steers its aim and camera with the mouse) the mouse reports its own motion,
// which goes on past the edges of the clip rectangle and of the screen; shown again, the cursor follows the
// pointer as before.
TEST_F(SdlWindowUnderX, AHiddenCursorReportsTheMousesMotionPastTheEdges) {
    MotionSum sum;
    window.SetRawMouseSink(&sum);
    const auto geometry = HideCursorWithPointerAt({kRect.Width() - 40, kRect.Height() / 2});
    window.SetCapture(true);
    window.ClipCursor(window.GetWindowRect());
    Settle();

    sum = MotionSum{};
    const int steps = (x.Screen().width + 200) / 20;
    for (int step = 0; step < steps; ++step) {
        x.MovePointerBy(20, 3);
        PumpFor(std::chrono::milliseconds(300), [&] { return sum.x >= 20 * (step + 1); });
    }
    EXPECT_EQ(sum.x, 20 * steps) << "past the window's right edge and the screen's";
    EXPECT_EQ(sum.y, 3 * steps);

    window.ClipCursor(std::nullopt);
    window.SetCapture(false);
    window.ShowCursor(true);
    Settle();
    seen.clear();
    x.MovePointer(geometry.x + 50, geometry.y + 60);
    EXPECT_TRUE(PumpUntil([&] {
        for (const Message& m : seen) {
            if (m.id == Msg::MouseMove && PointX(m.lParam) == 50 && PointY(m.lParam) == 60) return true;
        }
        return false;
    }));
    window.SetRawMouseSink(nullptr);
}

// When the cursor shows again the program puts it back where it was hidden (the table does after a stroke). That
// jump is the program's, not the mouse's: the relative mouse, which may still be measuring a stroke's
// follow-through, hears only the mouse's own motion before and after it.
TEST_F(SdlWindowUnderX, PuttingTheCursorBackIsNoMotionOfTheMouse) {
    MotionSum sum;
    window.SetRawMouseSink(&sum);
    const PixelPoint hiddenAt{100, 80};
    HideCursorWithPointerAt(hiddenAt);

    sum = MotionSum{};
    x.MovePointerInSteps(10, 0, 5, 10);
    x.MovePointerInSteps(3, 0, -40, 10);
    PumpFor(std::chrono::milliseconds(500), [&] { return sum.y == -70; });
    ASSERT_EQ(sum.y, -70);
    window.ShowCursor(true);
    window.SetCursorPos(window.ClientToScreen(hiddenAt));
    Settle();
    EXPECT_EQ(sum.x, 0) << "the cursor put back is no motion";
    EXPECT_EQ(sum.y, -70) << "the cursor put back is no motion";
    x.MovePointerBy(0, 7);
    PumpFor(std::chrono::milliseconds(500), [&] { return sum.y == -63; });
    EXPECT_EQ(sum.y, -63) << "the mouse's next motion counts";

    // A main thread that comes late to the events after the cursor was put back (a busy machine) reads them all
    // at once, long after the warp: still no motion of the mouse.
    HideCursorWithPointerAt(hiddenAt);
    sum = MotionSum{};
    x.MovePointerInSteps(4, 0, 10, 10);
    PumpFor(std::chrono::milliseconds(500), [&] { return sum.y == 40; });
    ASSERT_EQ(sum.y, 40);
    window.ShowCursor(true);
    window.SetCursorPos(window.ClientToScreen(hiddenAt));
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    Settle();
    EXPECT_EQ(sum.x, 0) << "the cursor put back, read late, is no motion";
    EXPECT_EQ(sum.y, 40) << "the cursor put back, read late, is no motion";
    window.SetRawMouseSink(nullptr);
}

// A main thread that comes late to a key's press finds the motion made after it already read from the X server and
// queued, and more on its way. Hiding the cursor then (the table does at the stroke key's press), the queued motion
// and the motion on its way still count, each step once.
TEST_F(SdlWindowUnderX, HidingTheCursorLateAtAKeysPressLosesNoMotionMadeAfterIt) {
    MotionSum sum;
    window.SetRawMouseSink(&sum);
    ASSERT_TRUE(PumpUntil([&] { return window.IsActive(); }));
    const kv::test::XWindowGeometry geometry = x.Geometry(xWindow).value_or(kv::test::XWindowGeometry{});
    x.MovePointer(geometry.x + 100, geometry.y + 80);
    Settle();
    sum = MotionSum{};
    x.Key("Control_L", true);
    x.MovePointerInSteps(4, 0, 5, 0);
    ASSERT_TRUE(MotionQueued(4)) << "SDL never read the motion after the press";
    Message press;
    while (window.PeekMessage(press) && press.id != Msg::KeyDown) {
    }
    ASSERT_EQ(press.id, Msg::KeyDown);
    ASSERT_EQ(press.wParam, Vk::Control);
    x.MovePointerInSteps(2, 0, 5, 0);  // made, not yet read
    window.ShowCursor(false);
    x.MovePointerInSteps(4, 0, 5, 10);
    PumpFor(std::chrono::milliseconds(2000), [&] { return sum.y >= 50; });
    EXPECT_EQ(sum.y, 50) << "ten steps of 5 made after the press";
    EXPECT_EQ(sum.x, 0);
    x.Key("Control_L", false);
    window.ShowCursor(true);
    Settle();
    window.SetRawMouseSink(nullptr);
}

TEST_F(SdlWindowUnderX, SwitchesToFullScreenAndBack) {
    const kv::test::XWindowGeometry screen = x.Screen();
    ASSERT_TRUE(window.SetFullScreen(true));
    EXPECT_TRUE(PumpUntil([&] {
        const auto g = x.Geometry(xWindow);
        return g && g->width == screen.width && g->height == screen.height && g->x == 0 && g->y == 0;
    }));
    EXPECT_TRUE(window.IsFullScreen());
    EXPECT_EQ(window.GetWindowRect(), (PixelRect{0, 0, screen.width, screen.height}));

    ASSERT_TRUE(window.SetFullScreen(false));
    EXPECT_TRUE(PumpUntil([&] {
        const auto g = x.Geometry(xWindow);
        return g && g->width == kRect.Width() && g->height == kRect.Height();
    }));
    EXPECT_FALSE(window.IsFullScreen());
}

TEST_F(SdlWindowUnderX, TheWindowManagersCloseRequestEndsInAQuitMessage) {
    x.RequestClose(xWindow);
    ASSERT_TRUE(PumpUntil([&] { return quit; }));
    EXPECT_TRUE(Saw(Msg::Close, 0));
}

// In a session without a message bus the video start hides the bus from SDL for that moment only: the programs
// the game starts later (the web browser) get the environment as it was.
TEST(SdlVideoStartUnderX, ASessionWithoutBusKeepsItsEnvironment) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string runtimeBefore = runtime != nullptr ? runtime : "";
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    setenv("XDG_RUNTIME_DIR", "/nonexistent/kestrovan-test", 1);
    {
        Window window{std::make_unique<SdlWindowBackend>()};
        WindowDesc desc;
        desc.title = u"Kestrovan";
        desc.rect = kRect;
        ASSERT_TRUE(window.Create(desc)) << window.LastError();
    }
    EXPECT_EQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr);
    if (runtime != nullptr) {
        setenv("XDG_RUNTIME_DIR", runtimeBefore.c_str(), 1);
    } else {
        unsetenv("XDG_RUNTIME_DIR");
    }
}

}  // namespace
}  // namespace platform
