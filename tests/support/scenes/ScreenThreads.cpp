#include "tests/support/scenes/ScreenThreads.h"

#include <chrono>

#include "QuillLib/core/ScopedLock.h"
#include "client/app/App.h"
#include "platform/system/Clock.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan::test {

ScreenThreads::ScreenThreads(App& app) : app_(app) {
    game_ = std::thread([this] {
        SceneManager& scenes = app_.Scenes();
        scenes.Threads().Register(ProgramThread::Game);
        int64_t clockTenthMs = 0;
        while (running_) {
            scenes.UpdateCurrentScene(platform::TimeGetTime(), clockTenthMs += 50);
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
    // The sweep crosses the screen in 32-pixel steps, a row at a time.
    ++pass_;
    const int32_t x = static_cast<int32_t>(pass_ % 32) * 32;
    const int32_t y = static_cast<int32_t>(pass_ / 32 % 24) * 32;
    scenes.HandleWindowMessage(platform::Msg::MouseMove, 0, platform::MakePointLParam(x, y));
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
