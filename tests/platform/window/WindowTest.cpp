// The window's queue across threads, cursor requests from other threads, accelerators and placement.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "WindowTestSupport.h"
#include "platform/window/AcceleratorTable.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"

namespace platform::test {
namespace {

TEST(WindowQueue, MessagesPostedFromAnotherThreadArriveInOrderBeforeInput) {
    HeadlessWindowTest t;
    t.Feed(SdlKey(true, SDL_SCANCODE_A, SDLK_a));
    constexpr int kCount = 2000;
    std::thread poster([&t] {
        for (int i = 0; i < kCount; ++i) {
            t.window.PostMessage(kMainWindow, Msg::User, static_cast<WParam>(i), 0);
        }
        t.window.PostQuitMessage(7);
    });
    std::vector<WParam> received;
    bool sawKey = false;
    Message message;
    while (t.window.GetMessage(message)) {
        if (message.id == Msg::User) {
            received.push_back(message.wParam);
        } else if (message.id == Msg::KeyDown) {
            sawKey = true;
        }
    }
    poster.join();
    EXPECT_EQ(message.id, Msg::Quit);
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_TRUE(sawKey);
    ASSERT_EQ(received.size(), static_cast<size_t>(kCount));
    for (int i = 0; i < kCount; ++i) {
        ASSERT_EQ(received[i], static_cast<WParam>(i));
    }
}

// The quit is handed out last: after what was posted before it and after input the backend got before the
// main thread looked, even when that input came after the quit was posted; a peek that keeps it leaves it.
TEST(WindowQueue, QuitComesAfterEverythingWaitingBeforeTheMainThreadLooks) {
    HeadlessWindowTest t;
    std::thread poster([&t] {
        for (int i = 0; i < 3; ++i) {
            t.window.PostMessage(kMainWindow, Msg::User, static_cast<WParam>(i), 0);
        }
        t.window.PostQuitMessage(5);
    });
    poster.join();
    t.Feed(SdlKey(true, SDL_SCANCODE_A, SDLK_a));  // reaches the backend after the quit was posted

    std::vector<uint32_t> ids;
    Message message;
    while (t.window.GetMessage(message)) {
        ids.push_back(message.id);
    }
    EXPECT_EQ(ids, (std::vector<uint32_t>{Msg::User, Msg::User, Msg::User, Msg::KeyDown}));
    EXPECT_EQ(message.id, Msg::Quit);
    EXPECT_EQ(message.wParam, 5u);
    EXPECT_FALSE(t.window.PeekMessage(message));  // taken once

    t.window.PostQuitMessage(0);
    EXPECT_FALSE(t.window.PeekMessage(message, MessageFilter{}, true));  // a filtered peek leaves it
    ASSERT_TRUE(t.window.PeekMessage(message, false));
    EXPECT_EQ(message.id, Msg::Quit);
    ASSERT_TRUE(t.window.PeekMessage(message, true));
    EXPECT_EQ(message.id, Msg::Quit);
    EXPECT_FALSE(t.window.PeekMessage(message));
}

// A loop with nothing to do waits in WaitMessage: until its time is up, or at once when a message or input
// comes, and without waiting at all when one is already there.
TEST(WindowQueue, WaitMessageEndsAtItsTimeOrWithTheFirstMessage) {
    HeadlessWindowTest t;
    using Clock = std::chrono::steady_clock;
    auto started = Clock::now();
    EXPECT_FALSE(t.window.WaitMessage(30));
    EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(30));

    std::thread poster([&t] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        t.window.PostMessage(kMainWindow, Msg::User, 1, 0);
    });
    started = Clock::now();
    EXPECT_TRUE(t.window.WaitMessage(10000));
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(5));
    poster.join();
    EXPECT_TRUE(t.window.WaitMessage(0));  // the message is still there: waiting takes nothing
    t.Feed(SdlKey(true, SDL_SCANCODE_A, SDLK_a));
    const std::vector<Message> messages = t.Drain();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].id, Msg::User);
    EXPECT_EQ(messages[1].id, Msg::KeyDown);
    EXPECT_FALSE(t.window.WaitMessage(0));
}

TEST(WindowQueue, DispatchAndSendReachTheWindowsProcedure) {
    HeadlessWindowTest t;
    std::vector<uint32_t> mainSeen;
    std::vector<uint32_t> childSeen;
    t.window.SetProcedure(kMainWindow, [&](const Message& m) {
        mainSeen.push_back(m.id);
        return LResult{1};
    });
    const WindowId child = t.window.CreateChild([&](const Message& m) {
        childSeen.push_back(m.id);
        return LResult{2};
    });
    EXPECT_EQ(t.window.SendMessage(child, Msg::SetText, 0, 0), 2);
    t.window.SetFocus(child);  // the main window loses the focus, the child gets it
    t.Feed(SdlKey(true, SDL_SCANCODE_B, SDLK_b));
    t.Feed(SdlMotion(1, 1, 0, 0));
    t.Pump();
    EXPECT_EQ(mainSeen, (std::vector<uint32_t>{Msg::KillFocus, Msg::MouseMove}));
    EXPECT_EQ(childSeen, (std::vector<uint32_t>{Msg::SetText, Msg::SetFocus, Msg::KeyDown}));
    t.window.DestroyChild(child);
    EXPECT_EQ(t.window.GetFocus(), kMainWindow);
    EXPECT_EQ(t.window.DispatchMessage(Message{child, Msg::User, 0, 0, 0}), 0);
}

TEST(WindowCursor, RequestsFromAnotherThreadRunOnTheMainThread) {
    HeadlessWindowTest t;
    const ThreadId mainThread = CurrentThreadId();
    std::thread game([&t] {
        t.window.ShowCursor(false);
        t.window.ClipCursor(PixelRect{100, 80, 1114, 808});
        t.window.SetCapture(true);
        t.window.SetCursorPos(PixelPoint{612, 434});
        t.window.SetCursor(SystemCursor::SizeWe);
    });
    game.join();
    EXPECT_TRUE(t.backend.Calls().empty());  // nothing ran on the game thread
    EXPECT_EQ(t.window.GetCursorPos(), (PixelPoint{612, 434}));
    Message message;
    t.window.PeekMessage(message);
    const std::vector<HeadlessCall> calls = t.backend.Calls();
    ASSERT_EQ(calls.size(), 5u);
    for (const HeadlessCall& call : calls) {
        EXPECT_EQ(call.thread, mainThread) << call.what;
    }
    EXPECT_FALSE(t.backend.CursorVisible());
    EXPECT_EQ(t.backend.CursorClip(), (PixelRect{100, 80, 1114, 808}));
    EXPECT_TRUE(t.backend.Captured());
    EXPECT_EQ(t.backend.CursorPosition(), (PixelPoint{612, 434}));
    EXPECT_EQ(t.backend.CursorShape(), SystemCursor::SizeWe);

    t.window.ClipCursor(std::nullopt);  // on the main thread: at once
    EXPECT_FALSE(t.backend.CursorClip().has_value());
}

TEST(WindowAccelerators, KeysAndCharactersBecomeCommandsWithExactModifiers) {
    const AcceleratorTable table({
        {AccelFlag::VirtKey | AccelFlag::Alt, '1', 32780},
        {AccelFlag::Alt, '`', 32789},
        {AccelFlag::VirtKey | AccelFlag::Alt, Vk::Return, 32771},
        {AccelFlag::VirtKey, Vk::F10, 32775},
    });
    HeadlessWindowTest t;
    std::vector<WParam> commands;
    t.window.SetProcedure(kMainWindow, [&](const Message& m) {
        if (m.id == Msg::Command) {
            commands.push_back(m.wParam);
            EXPECT_EQ(m.lParam, 0);
        }
        return LResult{0};
    });
    auto translateAll = [&] {
        Message m;
        while (t.window.PeekMessage(m)) {
            if (!t.window.TranslateAccelerator(table, m)) {
                t.window.TranslateMessage(m);
                t.window.DispatchMessage(m);
            }
        }
    };
    t.Feed(SdlKey(true, SDL_SCANCODE_1, SDLK_1));  // without Alt: no command
    t.Feed(SdlKey(false, SDL_SCANCODE_1, SDLK_1));
    t.Feed(SdlKey(true, SDL_SCANCODE_F10, SDLK_F10));
    t.Feed(SdlKey(false, SDL_SCANCODE_F10, SDLK_F10));
    t.Feed(SdlKey(true, SDL_SCANCODE_LALT, SDLK_LALT));
    t.Feed(SdlKey(true, SDL_SCANCODE_1, SDLK_1));
    t.Feed(SdlText("`"));
    t.Feed(SdlKey(true, SDL_SCANCODE_RETURN, SDLK_RETURN));
    t.Feed(SdlKey(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT));  // Alt+Shift+Enter is not Alt+Enter
    t.Feed(SdlKey(true, SDL_SCANCODE_RETURN, SDLK_RETURN, true));
    translateAll();
    EXPECT_EQ(commands, (std::vector<WParam>{MakeWParam(32775, 1), MakeWParam(32780, 1), MakeWParam(32789, 1),
                                             MakeWParam(32771, 1)}));
}

TEST(WindowPlacement, SetWindowPosAndFullScreenKeepTheRectangleAndTellTheProcedure) {
    HeadlessWindowTest t(PixelRect{448, 156, 1472, 924});
    std::vector<Message> seen;
    t.window.SetProcedure(kMainWindow, [&](const Message& m) {
        seen.push_back(m);
        return LResult{0};
    });
    t.window.SetWindowPos(PixelRect{448, 156, 1728, 1180}, false);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].id, Msg::WindowPosChanged);
    EXPECT_EQ(seen[1].id, Msg::Size);
    EXPECT_EQ(seen[1].lParam, MakePointLParam(1280, 1024));
    EXPECT_EQ(t.window.GetClientRect(), (PixelRect{0, 0, 1280, 1024}));
    EXPECT_EQ(t.window.ClientToScreen(PixelPoint{2, 3}), (PixelPoint{450, 159}));

    // The backend's own report of that size is not told twice; a size the window system chose is.
    t.Feed(SdlWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 1280, 1024));
    t.Pump();
    EXPECT_EQ(seen.size(), 2u);
    t.Feed(SdlWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 1100, 900));
    t.Feed(SdlWindowEvent(SDL_WINDOWEVENT_MOVED, 10, 20));
    t.Pump();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[2].id, Msg::Size);
    EXPECT_EQ(seen[2].lParam, MakePointLParam(1100, 900));
    EXPECT_EQ(seen[3].id, Msg::WindowPosChanged);
    EXPECT_EQ(t.window.GetWindowRect(), (PixelRect{10, 20, 1110, 920}));
    t.window.SetWindowPos(PixelRect{448, 156, 1728, 1180}, false);

    EXPECT_TRUE(t.window.SetFullScreen(true));
    EXPECT_TRUE(t.window.IsFullScreen());
    EXPECT_EQ(t.window.GetWindowRect(), t.window.DesktopRect());
    EXPECT_TRUE(t.window.SetFullScreen(false));
    EXPECT_FALSE(t.window.IsFullScreen());
    EXPECT_EQ(t.window.GetWindowRect(), (PixelRect{448, 156, 1728, 1180}));
}

TEST(WindowCreation, AFailedCreateReportsItsCode) {
    auto backend = std::make_unique<HeadlessWindowBackend>();
    backend->FailCreateWith(1400);
    Window window(std::move(backend));
    EXPECT_FALSE(window.Create(WindowDesc{}));
    EXPECT_EQ(window.LastError(), 1400u);
    EXPECT_EQ(window.Handle(), nullptr);
    Message message;
    EXPECT_FALSE(window.PeekMessage(message));
}

}  // namespace
}  // namespace platform::test
