// The table stage on the game data (headless App, recording device): the map's room becomes the current
// render scene with the table's cameras, an equipment request waits for the main thread and the last one
// wins, the cue in the player's hands is let go when another one comes, a stage without a map keeps cameras
// of its own, and the release leaves neither table nor render scene behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "QuillLib/engine/Engine.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/table/GameTable.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableCueModels.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableRenderStep.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

class TableSceneStageTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    TableSceneStageTest() {
        RegisterItemModels();
        std::filesystem::copy(KV_DATA_FOLDER, fixture.folder.Path() / "data", std::filesystem::copy_options::recursive);
        loaded = app.InitRenderer();
    }
    quill::RenderSceneManager& RenderScenes() { return *app.GetEngine()->GetRenderSceneManager(); }

    static constexpr TableSceneStage::Equipment kCarom{0, 1020, 2003, kDefaultPhysicsModelCode, 1};
    bool loaded = false;
};

TEST_F(TableSceneStageTest, TheMapRoomCarriesTheTableAndTheLastEquipmentRequestWins) {
    ASSERT_TRUE(loaded);
    TableSceneStage stage(app, {.player = true, .sound = true, .connection = true});
    GameTable& table = stage.CreateTable(kCarom);
    ASSERT_TRUE(stage.Load(*app.GetResourceManager(), *app.GetDevice(), u"Map0002", 0, 0));
    EXPECT_EQ(RenderScenes().GetCurrentScene(), stage.RenderScene());
    ASSERT_NE(table.Cameras().GetCurrentCameraRef(), nullptr);
    EXPECT_NE(*table.Cameras().GetCurrentCameraRef(), nullptr);
    EXPECT_EQ(table.Physics().BallCount(), 4u);

    // Requests from another thread wait for the frame; the second replaces the first.
    stage.RequestEquipment({10, 1030, 2006, kDefaultPhysicsModelCode, 0});
    stage.RequestEquipment({3, 1027, 2004, kDefaultPhysicsModelCode, 0});
    EXPECT_TRUE(stage.HasPendingEquipment());
    EXPECT_EQ(table.Equipment().GameMode(), 0);
    const auto taken = stage.TakePendingEquipment();
    ASSERT_TRUE(taken.has_value());
    EXPECT_FALSE(stage.TakePendingEquipment().has_value()) << "taken once";
    stage.ApplyEquipment(*taken);
    EXPECT_EQ(table.Equipment().GameMode(), 3);
    EXPECT_EQ(table.Equipment().TableItemId(), 1027);
    EXPECT_EQ(table.Equipment().BallSetItemId(), 2004);
    EXPECT_EQ(table.Physics().BallCount(), 3u);

    // A frame draws without touching the request any more.
    stage.Render(app.GetDevice(), true, 1.0f / 60.0f, nullptr);

    stage.Release(&RenderScenes());
    EXPECT_EQ(stage.Table(), nullptr);
    EXPECT_EQ(RenderScenes().GetCurrentScene(), nullptr);
    EXPECT_EQ(RenderScenes().GetSceneCount(), 0u);
}

TEST_F(TableSceneStageTest, TheCueInHandIsLetGoWhenAnotherComesAndKeptWhenTheSameComesAgain) {
    ASSERT_TRUE(loaded);
    TableSceneStage stage(app, {});
    GameTable& table = stage.CreateTable(kCarom);
    ASSERT_TRUE(stage.Load(*app.GetResourceManager(), *app.GetDevice(), u"Map0000", 0, 0));

    CueModelEntry* stock = stage.EquipCue(3000, TableSceneStage::kStockParts);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(table.RenderStep().CurrentCue(), stock);
    EXPECT_EQ(table.CueModels().CueModelCount(), 1u);
    EXPECT_EQ(stage.EquipCue(3000, TableSceneStage::kStockParts), stock) << "the same entry, no second reference";
    EXPECT_EQ(table.CueModels().CueModelCount(), 1u);

    CueModelEntry* custom = stage.EquipCue(3102, {3, 4, 1, 2, 6});
    ASSERT_NE(custom, nullptr);
    EXPECT_TRUE(custom->IsCustom());
    EXPECT_EQ(table.RenderStep().CurrentCue(), custom);
    EXPECT_EQ(table.CueModels().CueModelCount(), 1u) << "the stock cue was let go";
    stage.Release(&RenderScenes());
}

TEST_F(TableSceneStageTest, AStageWithoutAMapKeepsCamerasOfItsOwnAndDrawsThroughThem) {
    ASSERT_TRUE(loaded);
    TableSceneStage stage(app, {});
    GameTable& table = stage.CreateTable(kCarom);
    ASSERT_TRUE(stage.LoadWithoutMap(*app.GetResourceManager(), *app.GetDevice(), 0));
    EXPECT_EQ(stage.RenderScene(), nullptr);
    EXPECT_EQ(RenderScenes().GetSceneCount(), 0u) << "no render scene of its own";
    ASSERT_NE(table.Cameras().GetCurrentCameraRef(), nullptr);
    EXPECT_NE(*table.Cameras().GetCurrentCameraRef(), nullptr);
    stage.Render(app.GetDevice(), true, 0.0f, nullptr);
    stage.Release(&RenderScenes());
    EXPECT_EQ(stage.Table(), nullptr);
}

}  // namespace
}  // namespace kestrovan::test
