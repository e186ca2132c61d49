#pragma once
// The program's threads around a screen on the test harness, as the shell runs them: the test's own thread is
// the main thread (SceneTestApp makes it known as such; it draws the current screen and routes mouse input to
// it), a thread of its own is the game thread (it updates the screen and ticks its widgets), and the
// connection's dispatch thread delivers what the server sends. All three are known to the scene manager's
// thread contract, so in the test build a path that changes a widget without the widget-tree lock, or runs an
// entry on the wrong thread, ends the test at once; under ThreadSanitizer any race between them shows.
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace kestrovan {
class App;
}

namespace kestrovan::test {

class ScreenThreads {
public:
    explicit ScreenThreads(App& app);
    ~ScreenThreads();
    ScreenThreads(const ScreenThreads&) = delete;
    ScreenThreads& operator=(const ScreenThreads&) = delete;

    // One pass of the main thread: a frame drawn, the main loop's poll, and the window's input handled as the
    // main loop handles it: the mouse moved to the next point of a sweep over the screen, and now and then Ctrl
    // pressed or let go.
    void MainPass();
    // Passes of the main thread, every eighth followed by the update the main thread runs right after a load.
    void MainPassesWithLoadUpdates(int passes);
    // Main passes until the condition, read under the widget-tree lock, holds; false when it does not within a
    // generous bound.
    bool PassUntil(const std::function<bool()>& condition);

private:
    App& app_;
    std::atomic<bool> running_{true};
    std::thread game_;
    uint32_t pass_ = 0;
};

}  // namespace kestrovan::test
