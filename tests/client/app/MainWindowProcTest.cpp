// The main window procedure on a headless window with a recording owner: the windowed frame, routing to the
// scene, activation, sizing and the accelerator commands of the program's table.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AppTestWindow.h"
#include "client/app/AppCursor.h"
#include "client/app/LauncherWindow.h"
#include "client/app/MainWindowProc.h"
#include "client/app/SystemKeyGuard.h"
#include "client/app/WindowFrameAreas.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"
#include "platform/window/Window.h"
#include "platform/window/headless/HeadlessWindowBackend.h"
#include "resources/ProgramResources.h"

namespace kestrovan {
namespace {

using platform::Message;
namespace Msg = platform::Msg;

class FakeHost : public MainWindowHost {
public:
    bool IsFullScreen() const override { return fullScreen; }
    bool IsRunning() const override { return running; }
    bool FramesRunning() const override { return framesRunning; }
    bool ResumeAllowed() const override { return resume; }
    bool DialogBoxModeWanted() const override { return false; }
    void SetDisplayState(uint32_t word) override { stateWord = word; }
    void SetMousePoll(bool poll) override { mousePoll = poll; }
    void PauseGameThread() override { framesRunning = false; calls.push_back("Pause"); }
    void ResumeGameThread() override { framesRunning = true; calls.push_back("Resume"); }
    void ToggleFullScreen() override { fullScreen = !fullScreen; calls.push_back("ToggleFullScreen"); }
    void SaveScreenshot() override { calls.push_back("Screenshot"); }
    void PostQuit() override { calls.push_back("Quit"); }
    ScreenSize GetScreenSize() const override { return screen; }
    void SetScreenSize(ScreenSize size) override { screen = size; }
    platform::PixelRect GetWindowRect() const override { return windowRect; }
    void SetWindowRect(const platform::PixelRect& rect) override { windowRect = rect; }
    uint32_t CursorMode() const override { return cursorMode; }
    bool HandleSceneMessage(uint32_t id, platform::WParam, platform::LParam lParam) override {
        scene.push_back(Message{platform::kMainWindow, id, 0, lParam, 0});
        return sceneTakes;
    }
    void NotifyCaptionHover(bool over) override { captionHover = over; }
    void ActivateCurrentScene(bool active) override { calls.push_back(active ? "SceneActive" : "SceneInactive"); }
    void SendChatMacro(int slot) override { calls.push_back("Chat" + std::to_string(slot)); }

    bool fullScreen = false;
    bool running = true;
    bool framesRunning = true;
    bool resume = true;
    bool sceneTakes = false;
    bool mousePoll = true;
    bool captionHover = false;
    uint32_t stateWord = 0;
    uint32_t cursorMode = 0;
    ScreenSize screen{1024, 768};
    platform::PixelRect windowRect{200, 100, 1224, 868};
    std::vector<std::string> calls;
    std::vector<Message> scene;
};

class MainWindowProcTest : public ::testing::Test {
protected:
    MainWindowProcTest() {
        cursor = std::make_unique<AppCursor>(*window);
        proc = std::make_unique<MainWindowProc>(*window, host, *cursor);
        proc->Install();
    }

    platform::LResult Send(uint32_t id, platform::WParam wParam = 0, platform::LParam lParam = 0) {
        return app.Send(id, wParam, lParam);
    }
    platform::LResult Mouse(uint32_t id, int x, int y) { return Send(id, 0, platform::MakePointLParam(x, y)); }
    void Pump() { app.Pump(); }

    FakeHost host;
    test::AppTestWindow app{host.windowRect};
    platform::HeadlessWindowBackend* backend = app.backend;
    std::unique_ptr<platform::Window>& window = app.window;
    std::unique_ptr<AppCursor> cursor;
    std::unique_ptr<MainWindowProc> proc;
};

TEST_F(MainWindowProcTest, DragBandIsTheTopExceptTheRightmost300Pixels) {
    EXPECT_EQ(Mouse(Msg::LButtonDown, 10, 24), 1);
    Message m;
    ASSERT_TRUE(window->PeekMessage(m));
    EXPECT_EQ(m.id, Msg::NcLButtonDown);
    EXPECT_EQ(m.wParam, platform::HitTest::Caption);
    EXPECT_TRUE(host.scene.empty());
    EXPECT_TRUE(backend->InDragBand(platform::PixelPoint{723, 0}));
    EXPECT_FALSE(backend->InDragBand(platform::PixelPoint{724, 0}));
    EXPECT_FALSE(backend->InDragBand(platform::PixelPoint{10, 25}));

    EXPECT_EQ(Mouse(Msg::LButtonDown, 724, 10), 0);  // the scene gets this one
    EXPECT_EQ(Mouse(Msg::LButtonDown, 10, 25), 0);
    EXPECT_EQ(host.scene.size(), 2u);

    host.fullScreen = true;
    EXPECT_FALSE(backend->InDragBand(platform::PixelPoint{10, 10}));
    Mouse(Msg::LButtonDown, 10, 10);
    EXPECT_EQ(host.scene.size(), 3u);
}

TEST_F(MainWindowProcTest, CornerGripResizesDownTo1024By768AndNoFurther) {
    EXPECT_EQ(Mouse(Msg::LButtonDown, 1020, 764), 1);
    EXPECT_EQ(proc->ResizeModeNow(), ResizeMode::Both);
    EXPECT_TRUE(backend->Captured());
    EXPECT_EQ(backend->CursorShape(), platform::SystemCursor::SizeNwse);
    Pump();  // the size-move begins: frames pause
    EXPECT_TRUE(proc->Sizing());
    EXPECT_FALSE(host.framesRunning);

    EXPECT_EQ(Mouse(Msg::MouseMove, 1220, 864), 1);
    EXPECT_EQ(host.screen.width, 1224);
    EXPECT_EQ(host.screen.height, 868);
    EXPECT_EQ(window->GetWindowRect(), (platform::PixelRect{200, 100, 1424, 968}));
    Mouse(Msg::MouseMove, 500, 300);
    EXPECT_EQ(host.screen.width, 1024);
    EXPECT_EQ(host.screen.height, 768);

    EXPECT_EQ(Mouse(Msg::LButtonUp, 500, 300), 0);
    EXPECT_FALSE(backend->Captured());
    Pump();
    EXPECT_FALSE(proc->Sizing());
    EXPECT_EQ(host.stateWord, 4u);  // the size changed while sizing
    EXPECT_TRUE(host.scene.empty());

    // The right and bottom grips resize one side each.
    Mouse(Msg::LButtonDown, 1021, 100);
    EXPECT_EQ(proc->ResizeModeNow(), ResizeMode::Width);
    Mouse(Msg::MouseMove, 1121, 300);
    EXPECT_EQ(host.screen.width, 1124);
    EXPECT_EQ(host.screen.height, 768);
    Mouse(Msg::LButtonUp, 0, 0);
    EXPECT_EQ(GripAt(platform::PixelPoint{5, 765}, ScreenSize{1024, 768}).mode, ResizeMode::Height);
}

TEST_F(MainWindowProcTest, InputIsRoutedToTheSceneAndTheWheelOnlyInsideTheWindow) {
    host.sceneTakes = true;
    for (const uint32_t id : {Msg::KeyDown, Msg::KeyUp, Msg::Char, Msg::SysKeyDown, Msg::SysKeyUp, Msg::RButtonDown,
                              Msg::RButtonUp, Msg::DropFiles}) {
        EXPECT_EQ(Send(id, 'A'), 0);
    }
    EXPECT_EQ(host.scene.size(), 8u);
    Mouse(Msg::MouseMove, 300, 400);
    EXPECT_EQ(cursor->LastPosition(), platform::MakePointLParam(300, 400));
    EXPECT_TRUE(host.captionHover == false);

    host.scene.clear();
    Send(Msg::MouseWheel, platform::MakeWheelWParam(0, 120), platform::MakePointLParam(210, 130));
    Send(Msg::MouseWheel, platform::MakeWheelWParam(0, 120), platform::MakePointLParam(10, 10));  // outside
    ASSERT_EQ(host.scene.size(), 1u);
    EXPECT_EQ(host.scene[0].lParam, platform::MakePointLParam(10, 30));
    // Full screen at the screen's corner, while the host keeps the windowed place to go back to.
    host.fullScreen = true;
    window->SetWindowPos(platform::PixelRect{0, 0, 1024, 768}, true);
    Send(Msg::MouseWheel, platform::MakeWheelWParam(0, 120), platform::MakePointLParam(10, 10));
    ASSERT_EQ(host.scene.size(), 2u);
    EXPECT_EQ(host.scene[1].lParam, platform::MakePointLParam(10, 10));
    host.fullScreen = false;

    // Nothing reaches the scene before the main loop runs.
    host.running = false;
    Send(Msg::KeyDown, 'B');
    EXPECT_EQ(host.scene.size(), 2u);

    // Over the drag band the scene hears of it, and cursor mode 1 shows the pen.
    host.cursorMode = 1;
    Mouse(Msg::MouseMove, 30, 10);
    EXPECT_TRUE(host.captionHover);
    EXPECT_EQ(backend->CursorShape(), ResourceId::CursorPen);
}

TEST_F(MainWindowProcTest, AltAloneCloseScreenSaverAndCommands) {
    EXPECT_EQ(Send(Msg::SysKeyDown, platform::Vk::Menu), 0);
    EXPECT_EQ(Send(Msg::SysCommand, platform::SysCommandKind::ScreenSave), 1);
    EXPECT_EQ(Send(Msg::Close), 1);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Quit"}));
    host.calls.clear();

    // The program's accelerator table gives these commands, and the procedure acts on them.
    const platform::AcceleratorTable table = LoadAcceleratorResource();
    struct Key {
        bool alt;
        uint8_t vk;
        uint32_t message;
    };
    const std::vector<Key> keys{{true, '1', Msg::SysKeyDown},   {true, '2', Msg::SysKeyDown},
                                {true, '5', Msg::SysKeyDown},   {true, '`', Msg::SysChar},
                                {false, platform::Vk::F10, Msg::SysKeyDown}, {false, platform::Vk::F12, Msg::KeyDown},
                                {true, platform::Vk::Return, Msg::SysKeyDown}, {true, platform::Vk::F4, Msg::SysKeyDown}};
    platform::KeyStateTable keysDown;
    std::vector<uint16_t> commands;
    for (const Key& key : keys) {
        if (key.alt) keysDown.Press(platform::Vk::Menu);
        platform::KeyParams params;
        params.altDown = key.alt;
        const Message m{platform::kMainWindow, key.message, key.vk, platform::MakeKeyLParam(params), 0};
        const auto command = table.Match(m, keysDown);
        ASSERT_TRUE(command.has_value()) << int(key.vk);
        commands.push_back(*command);
        const platform::LResult result = Send(Msg::Command, platform::MakeWParam(*command, 1));
        EXPECT_EQ(result, *command == Command::FullScreen ? 1 : 0);
        keysDown.Release(platform::Vk::Menu);
    }
    EXPECT_EQ(commands, (std::vector<uint16_t>{32780, 32787, 32785, 32789, 32775, 32791, 32771, 32773}));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Chat1", "Chat2", "Chat5", "Chat0", "Screenshot", "Screenshot",
                                                    "ToggleFullScreen", "Quit"}));
}

TEST_F(MainWindowProcTest, MinimiseMaximiseAndActivation) {
    Send(Msg::Size, platform::SizeKind::Minimized);
    EXPECT_TRUE(proc->Minimised());
    EXPECT_FALSE(host.framesRunning);
    EXPECT_EQ(Send(Msg::SysCommand, platform::SysCommandKind::Maximize), 1);  // refused while minimised
    Send(Msg::Size, platform::SizeKind::Restored);
    EXPECT_FALSE(proc->Minimised());
    EXPECT_EQ(host.stateWord, 1u);

    Send(Msg::Size, platform::SizeKind::Maximized);  // maximising a windowed window means full screen
    EXPECT_TRUE(host.fullScreen);

    host.framesRunning = true;
    host.calls.clear();
    backend->CaptureMouse(true);
    Send(Msg::Activate, platform::ActivateKind::Inactive);
    Pump();
    EXPECT_FALSE(backend->Captured());
    EXPECT_FALSE(host.mousePoll);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Pause", "SceneInactive"}));
    host.stateWord = 0;
    Send(Msg::Activate, platform::ActivateKind::Active);
    EXPECT_EQ(host.stateWord, 1u);
    EXPECT_TRUE(host.mousePoll);

    Send(Msg::ActivateApp, 1);
    EXPECT_TRUE(host.framesRunning);
    host.stateWord = 0;
    Send(Msg::ActivateApp, 0);
    EXPECT_EQ(host.stateWord, 1u);
    EXPECT_FALSE(host.framesRunning);

    // In windowed mode a move stores the window's rectangle.
    host.fullScreen = false;
    window->SetWindowPos(platform::PixelRect{50, 60, 1074, 828}, false);
    EXPECT_EQ(host.windowRect, (platform::PixelRect{50, 60, 1074, 828}));
}

TEST(SystemKeyGuard, WindowsKeysAreSwallowedOnlyInFullScreenPlay) {
    EXPECT_TRUE(SystemKeyGuard::SwallowKey(0, Msg::KeyDown, platform::Vk::LWin, true, true));
    EXPECT_TRUE(SystemKeyGuard::SwallowKey(0, Msg::KeyUp, platform::Vk::RWin, true, true));
    EXPECT_FALSE(SystemKeyGuard::SwallowKey(0, Msg::KeyDown, platform::Vk::LWin, false, true));
    EXPECT_FALSE(SystemKeyGuard::SwallowKey(0, Msg::KeyDown, platform::Vk::LWin, true, false));
    EXPECT_FALSE(SystemKeyGuard::SwallowKey(0, Msg::KeyDown, 'A', true, true));
    EXPECT_FALSE(SystemKeyGuard::SwallowKey(-1, Msg::KeyDown, platform::Vk::LWin, true, true));
    EXPECT_FALSE(SystemKeyGuard::SwallowKey(0, Msg::SysKeyDown, platform::Vk::LWin, true, true));

    EXPECT_EQ(SystemKeyGuard::ShortcutOff(0x0000000E), 0x2u);  // off: the hot key goes
    EXPECT_EQ(SystemKeyGuard::ShortcutOff(0x0000000F), 0xFu);  // on: left alone
    SystemKeyGuard guard;
    guard.SetAccessibilityShortcuts(false);
    guard.SetAccessibilityShortcuts(true);
    EXPECT_EQ(guard.Applied().stickyKeys, guard.Saved().stickyKeys);

    TopLevelWindow launcher;
    launcher.title = u"Kestrovan Update";
    EXPECT_EQ(LauncherWindowAction(launcher, true), ShowKind::MinimizedNotActive);
    EXPECT_EQ(LauncherWindowAction(launcher, false), ShowKind::Restore);
    launcher.toolWindow = true;
    EXPECT_FALSE(LauncherWindowAction(launcher, true).has_value());
    launcher.toolWindow = false;
    launcher.title = u"Kestrovan Update 2";
    EXPECT_FALSE(LauncherWindowAction(launcher, true).has_value());
}

}  // namespace
}  // namespace kestrovan
