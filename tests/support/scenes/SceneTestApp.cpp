#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {

SceneTestApp::SceneTestApp(AppMode mode, std::initializer_list<const char16_t*> words)
    : app(mode, Words(words), fixture.Platform()) {
    app.LoadConfiguration();
    EXPECT_TRUE(app.Initialize());
}

SceneTestApp::~SceneTestApp() {
    app.Shutdown();
}

}  // namespace kestrovan::test
