#include "tests/support/scenes/SceneTestApp.h"

#include <chrono>
#include <thread>

#include "client/connection/GameConnection.h"
#include "tests/support/net/ServerMessages.h"

namespace kestrovan::test {

SceneTestApp::SceneTestApp(AppMode mode, std::initializer_list<const char16_t*> words)
    : app(mode, Words(words), fixture.Platform()) {
    app.LoadConfiguration();
    EXPECT_TRUE(app.Initialize());
    // As the program's main loop makes itself known between its start and its end.
    app.Scenes().Threads().Register(ProgramThread::Main);
}

SceneTestApp::~SceneTestApp() {
    app.Scenes().Threads().Unregister(ProgramThread::Main);
    app.Shutdown();
}

quill::ScopedLock SceneTestApp::MainThreadTurn() {
    return quill::ScopedLock(app.Scenes().WidgetTreeLock());
}

bool SceneTestApp::Eventually(const std::function<bool()>& condition, const std::function<void()>& pass) {
    const auto look = [&] {
        if (pass) pass();
        const quill::ScopedLock turn = MainThreadTurn();
        return condition();
    };
    for (int waited = 0; waited < 10000; waited += 5) {
        if (look()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return look();
}

bool SceneTestApp::Routed(Widget& target, Widget* source, int32_t a, int32_t b) {
    const quill::ScopedLock turn = MainThreadTurn();
    return target.OnEvent(source, a, b);
}

void SceneTestApp::Receive(quill::Packet message) {
    quill::Packet packet = kvtest::AsReceived(std::move(message));
    ThreadContract& threads = app.Scenes().Threads();
    threads.Unregister(ProgramThread::Main);
    threads.Register(ProgramThread::Dispatch);
    app.Connection()->Dispatch(&packet);
    threads.Unregister(ProgramThread::Dispatch);
    threads.Register(ProgramThread::Main);
}

}  // namespace kestrovan::test
