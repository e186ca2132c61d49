// The login screen with the game data on a headless App (the recording device): its resources load, the
// demo table plays the first shot through a cycle as the screen's frames apply it, the camera orbits, the
// balls' stop starts the next cycle, and leaving releases the table and the room scene; frames come 30 times
// a second while the demo is shown.
#include <gtest/gtest.h>

#include <filesystem>

#include "QuillLib/engine/Engine.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/common/DemoShots.h"
#include "client/scenes/SceneFactory.h"
#include "client/table/GameTable.h"
#include "client/table/ShotRecord.h"
#include "client/table/TableEquipment.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/login/LoginScreen.h"

namespace kestrovan::test {
namespace {

class LoginWithData : public LoginScreen {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    LoginWithData() {
        RegisterItemModels();
        std::filesystem::copy(KV_DATA_FOLDER, fixture.folder.Path() / "data", std::filesystem::copy_options::recursive);
        loaded = app.InitRenderer();
    }
    quill::RenderSceneManager& RenderScenes() { return *app.GetEngine()->GetRenderSceneManager(); }

    bool loaded = false;
};

TEST_F(LoginWithData, TheDemoTablePlaysItsShotsOnTheRoomScene) {
    ASSERT_TRUE(loaded);
    ASSERT_EQ(login->LoadResources(app.GetResourceManager(), app.GetDevice()), 0);
    ASSERT_NE(login->Table(), nullptr);
    EXPECT_EQ(RenderScenes().GetSceneCount(), 1u);
    login->Activate();
    EXPECT_EQ(app.Clock().GetRenderRate(), 30) << "the turning demo is drawn 30 times a second";
    EXPECT_TRUE(login->IsShotPending());
    EXPECT_EQ(login->Demo().NextIndex(), 1);
    EXPECT_EQ(login->RoleLabel()->GetText(), u"Producer ");

    // The frame takes the shot: the first slot's game and balls.
    login->Render(app.GetDevice(), true);
    EXPECT_FALSE(login->IsShotPending());
    ShotData first;
    ASSERT_TRUE(ShotRecord::ParseHex(DemoShots()[0].shot, first));
    EXPECT_EQ(login->Table()->Equipment().GameMode(), first.gameMode);
    EXPECT_EQ(login->Table()->Physics().CachedPosition(0).x, first.positions[0].x);

    // The first cycle of the run moves the camera only; the shot plays at 300 and the balls stop.
    int64_t clock = 0;
    const auto update = [&] {
        clock += 50;
        login->Update(0, clock, {});
    };
    for (int i = 0; i < 300; ++i)
        update();
    EXPECT_FALSE(login->IsShotPending()) << "no new shot in the run's first cycle";
    update();
    bool running = false;
    for (int i = 0; i < 4000 && !(running && !login->Table()->IsShotRunning()); ++i) {
        update();
        running = running || login->Table()->IsShotRunning();
    }
    EXPECT_TRUE(running);
    EXPECT_FALSE(login->Table()->IsShotRunning());
    app.DrainPostedEvents();
    EXPECT_LT(login->Demo().Counter(), 10) << "BallsStopped started the cycle over";
    for (int i = 0; i < 100; ++i)
        update();
    EXPECT_TRUE(login->IsShotPending()) << "the next shot loads 100 updates after the balls stopped";
    EXPECT_EQ(login->Demo().NextIndex(), 2);

    login->OnLeave(app.GetResourceManager(), nullptr);
    EXPECT_EQ(login->Table(), nullptr);
    EXPECT_GT(app.Clock().GetRenderRate(), 30) << "left, frames come at the display's rate";
    EXPECT_EQ(RenderScenes().GetCurrentScene(), nullptr);
}

}  // namespace
}  // namespace kestrovan::test
