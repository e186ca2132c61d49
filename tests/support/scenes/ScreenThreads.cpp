#include "tests/support/scenes/ScreenThreads.h"

#include <chrono>

#include "QuillLib/core/ScopedLock.h"
#include "client/app/App.h"
#include "platform/system/Clock.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"
#include "platform/window/Window.h"
#include "platform/window/headless/HeadlessWindowBackend.h"

namespace kestrovan::test {

ScreenThreads::ScreenThreads(App& app) : app_(app) {
    game_ = std::thread([this] {
        SceneManager& scenes = app_.Scenes();
        scenes.Threads().Register(ProgramThread::Game);
        int64_t clockTenthMs = 0;
        while (running_) {
            scenes.UpdateCurrentScene(platform::TimeGetTime(), clockTenthMs += 50, app_.Mouse());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        scenes.Threads().Unregister(ProgramThread::Game);
    });
}

ScreenThreads::~ScreenThreads() {
    running_ = false;
    game_.join();
}

void ScreenThreads::MainPass() {
    SceneManager& scenes = app_.Scenes();
    scenes.RenderCurrentScene(app_.GetDevice(), true);
    scenes.PollCurrentScene();
    // The sweep crosses the screen in 32-pixel steps, a row at a time, as the window reports a mouse: the
    // relative mouse is fed here and read on the game thread. Every eighth pass Ctrl goes down or up, so a
    // table's stroke starts and forgets the motion made before it, on this thread, while the game thread reads.
    ++pass_;
    platform::InputEvent move;
    move.kind = platform::InputEventKind::MouseMove;
    move.x = static_cast<int32_t>(pass_ % 32) * 32;
    move.y = static_cast<int32_t>(pass_ / 32 % 24) * 32;
    move.dx = 32;
    move.dy = pass_ % 2 == 0 ? 5 : -5;
    auto& backend = static_cast<platform::HeadlessWindowBackend&>(app_.MainWindow().Backend());
    backend.Script(move);
    if (pass_ % 8 == 0) {
        platform::InputEvent ctrl;
        ctrl.kind = pass_ % 16 == 0 ? platform::InputEventKind::KeyDown : platform::InputEventKind::KeyUp;
        ctrl.vk = platform::Vk::Control;
        backend.Script(ctrl);
    }
    // The window takes the events (its key states and the relative mouse follow them); the screen gets the
    // messages as the window procedure hands them on.
    platform::Message message;
    while (app_.MainWindow().PeekMessage(message)) {
        app_.MainWindow().TranslateMessage(message);
        const bool key = message.id >= platform::Msg::KeyDown && message.id <= platform::Msg::Char;
        if (key || message.id == platform::Msg::MouseMove)
            scenes.HandleWindowMessage(message.id, message.wParam, message.lParam);
    }
}

void ScreenThreads::MainPassesWithLoadUpdates(int passes) {
    for (int pass = 0; pass < passes; ++pass) {
        MainPass();
        if (pass % 8 == 0) app_.Scenes().UpdateCurrentScene(platform::TimeGetTime(), pass);
    }
}

bool ScreenThreads::PassUntil(const std::function<bool()>& condition) {
    const auto holds = [&] {
        quill::ScopedLock tree(app_.Scenes().WidgetTreeLock());
        return condition();
    };
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < end) {
        MainPass();
        if (holds()) return true;
    }
    return holds();
}

}  // namespace kestrovan::test
