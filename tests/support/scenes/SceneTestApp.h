#pragma once
// An App on the shell's headless backends, initialised up to its window (so the widget toolkit and the game
// connection exist) but with no main loop: the screens under test are built, driven and checked on the test
// thread.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "client/app/App.h"
#include "client/ui/Widget.h"
#include "tests/client/app/AppFixture.h"

namespace kestrovan::test {

class SceneTestApp : public ::testing::Test {
protected:
    explicit SceneTestApp(AppMode mode = AppMode::Offline, std::initializer_list<const char16_t*> words = {u"offline"});
    ~SceneTestApp() override;

    // Polls a condition that another thread (the dispatch thread, say) makes true, within a generous bound.
    // Each look holds the widget-tree lock, as the main thread does when it reads the screens: once the
    // condition holds, the handler that made it true has ended. pass, when given, runs before each look (a
    // pass of the main loop).
    bool Eventually(const std::function<bool()>& condition, const std::function<void()>& pass = {});

    // A control's event delivered as routed input delivers it: under the widget-tree lock, which the dispatch
    // thread takes before a screen's own lock (an event without it could take the screen's lock first and then
    // wait for the tree's while a packet holds the tree and waits for the screen's).
    bool Routed(Widget& target, Widget* source, int32_t a, int32_t b);

    HeadlessApp fixture;
    App app;
};

}  // namespace kestrovan::test
