#pragma once
// An App on the shell's headless backends, initialised up to its window (so the widget toolkit and the game
// connection exist) but with no main loop: the screens under test are built, driven and checked on the test
// thread.
#include <gtest/gtest.h>

#include "client/app/App.h"
#include "tests/client/app/AppFixture.h"

namespace kestrovan::test {

class SceneTestApp : public ::testing::Test {
protected:
    explicit SceneTestApp(AppMode mode = AppMode::Offline, std::initializer_list<const char16_t*> words = {u"offline"});
    ~SceneTestApp() override;

    HeadlessApp fixture;
    App app;
};

}  // namespace kestrovan::test
