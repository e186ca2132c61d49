// The replay screen on a headless App in replay mode with the game data: the command line's shot text sets
// the table up on the record's game, equipment and cue; the passes cycle through normal, half and quarter
// speed with their camera flags and distances, each started by the balls' stop of the one before; pause is
// refused while the balls roll, stop puts them back where the record has them; a text the reader refuses
// starts nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "QuillLib/engine/Engine.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/DemoShots.h"
#include "client/scenes/practice/SceneReplay.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/ShotRecord.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/Button.h"
#include "platform/system/CodePage.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

// The first demo shot (a carom opening) as the fifth word of the command line.
const char16_t* DemoShotWord() {
    static const quill::WString word = platform::Utf8ToUtf16(std::string(DemoShots()[0].shot));
    return word.c_str();
}

class ReplayWithData : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    explicit ReplayWithData(const char16_t* shotWord = DemoShotWord())
        : SceneTestApp(AppMode::Replay, {u"replay", u"a", u"b", shotWord}) {
        RegisterItemModels();
        std::filesystem::copy(KV_DATA_FOLDER, fixture.folder.Path() / "data", std::filesystem::copy_options::recursive);
        loaded = app.InitRenderer();
        auto owned = CreateScene(SceneId::Replay, app);
        replay = static_cast<SceneReplay*>(owned.get());
        replay->Init();
        app.Scenes().AddScene(std::move(owned));
        app.Scenes().SwitchTo(SceneId::Replay);
    }
    ~ReplayWithData() override {
        if (replay->Table() != nullptr) replay->OnLeave(app.GetResourceManager(), nullptr);
    }

    void Bring() {
        ASSERT_TRUE(loaded);
        ASSERT_EQ(replay->LoadResources(app.GetResourceManager(), app.GetDevice()), 0);
        replay->Activate();
    }
    // One frame: the game thread's update, then the main thread's render step, which moves the cameras.
    void Frame() {
        clock += 50;
        replay->Update(0, clock, {});
        replay->Render(app.GetDevice(), false);
    }
    // Frames until the pass's balls stopped, then the posted events reach the screen.
    bool PlayPass() {
        bool ran = false;
        for (int i = 0; i < 40000; ++i) {
            Frame();
            ran = ran || replay->Table()->IsShotRunning();
            if (ran && !replay->Table()->IsShotRunning()) break;
        }
        app.DrainPostedEvents();
        return ran;
    }
    // The aiming camera's distance: the camera that moves behind the cue ball while the top view shows.
    float CameraDistance() {
        return LockedGetDistance(replay->Table()->Cameras().GetCamera().CameraRefOf(CameraController::kAimingMode));
    }
    void Click(Widget* button) { replay->OnEvent(button, 0, 0); }

    bool loaded = false;
    int64_t clock = 0;
    SceneReplay* replay = nullptr;
};

TEST_F(ReplayWithData, TheShotTextSetsTheTableUpOnTheRecordsGameEquipmentAndCue) {
    EXPECT_EQ(app.Connection()->GetRoomInfo().gameType, SceneReplay::kReplayGameMode) << "before the load";
    for (uint16_t cue : app.Connection()->LocalPlayer().offlineCueItem) EXPECT_EQ(cue, 3000);
    Bring();
    ShotData shot;
    ASSERT_TRUE(ShotRecord::ParseHex(DemoShots()[0].shot, shot));
    ASSERT_TRUE(replay->HasShot());
    GameTable& table = *replay->Table();
    EXPECT_EQ(table.Equipment().GameMode(), shot.gameMode);
    EXPECT_EQ(table.Equipment().TableItemId(), shot.tableItemId);
    EXPECT_EQ(table.Equipment().BallSetItemId(), shot.ballSetItemId);
    EXPECT_EQ(app.Connection()->GetRoomInfo().gameType, shot.gameMode);
    ASSERT_NE(table.RenderStep().CurrentCue(), nullptr);
    EXPECT_EQ(table.RenderStep().CurrentCue()->ItemId(), shot.cueItemId);
    EXPECT_EQ(table.Physics().CachedPosition(0).x, shot.positions[0].x) << "the record's balls";
    EXPECT_TRUE(replay->IsReady());
}

TEST_F(ReplayWithData, PassesCycleThroughTheirSpeedsCamerasAndDistances) {
    Bring();
    GameTable& table = *replay->Table();
    EXPECT_TRUE(replay->IsStarted());
    EXPECT_TRUE(replay->IsPlaying());
    EXPECT_FALSE(replay->PlayButton()->IsVisible());
    EXPECT_TRUE(replay->PauseButton()->IsVisible());
    EXPECT_EQ(table.Cameras().GetCamera().Mode(), CameraController::kTopViewMode) << "the replay opens from above";
    // From the side, each pass's camera goes behind the cue ball (the first pass started from above).
    Click(replay->BarButton(SceneReplay::kSideView));
    EXPECT_EQ(table.Cameras().GetCamera().Mode(), CameraController::kAimingMode);

    for (uint32_t pass = 0; pass < 4; ++pass) {
        SCOPED_TRACE(pass);
        const SceneReplay::Pass& expected = SceneReplay::kPasses[pass % 3];
        EXPECT_EQ(replay->NextPass(), (pass + 1) % 3);
        EXPECT_EQ(table.Physics().SpeedFactor(), expected.speed);
        EXPECT_EQ(table.Cameras().Options().cameraFlagA, expected.flagA);
        EXPECT_EQ(table.Cameras().Options().cameraFlagB, expected.flagA || expected.flagB);
        EXPECT_EQ(table.Cameras().Options().cameraFlagC, expected.flagC);
        // The camera reaches the pass's distance behind the cue ball within its second.
        for (int i = 0; i < 220; ++i) Frame();
        if (pass % 3 == 2) {
            // 60 lies inside the camera's nearest distance, which holds it.
            EXPECT_LT(CameraDistance(), SceneReplay::kPasses[1].distance);
            EXPECT_GE(CameraDistance(), expected.distance);
        } else if (pass > 0) {
            EXPECT_NEAR(CameraDistance(), expected.distance, 1.0f);
        }
        ASSERT_TRUE(PlayPass());
        EXPECT_EQ(replay->PassesEnded(), pass + 1);
        EXPECT_TRUE(replay->IsStarted()) << "the next pass started";
    }
    EXPECT_EQ(table.Physics().SpeedFactor(), 0.5f) << "the fifth pass again at half speed";
}

TEST_F(ReplayWithData, PauseIsRefusedWhileTheBallsRollAndStopPutsThemBack) {
    Bring();
    GameTable& table = *replay->Table();
    ShotData shot;
    ASSERT_TRUE(ShotRecord::ParseHex(DemoShots()[0].shot, shot));
    for (int i = 0; i < 40000 && !table.IsShotRunning(); ++i) Frame();
    ASSERT_TRUE(table.IsShotRunning());
    Click(replay->PauseButton());
    EXPECT_TRUE(replay->IsPlaying()) << "a rolling shot is not paused";
    EXPECT_TRUE(replay->PauseButton()->IsVisible());

    Click(replay->BarButton(SceneReplay::kStop));
    EXPECT_FALSE(table.IsShotRunning());
    EXPECT_FALSE(replay->IsStarted());
    EXPECT_TRUE(replay->PlayButton()->IsVisible());
    EXPECT_FALSE(replay->PauseButton()->IsVisible());
    for (uint32_t ball = 0; ball < table.Physics().BallCount(); ++ball) {
        EXPECT_EQ(table.Physics().CachedPosition(ball).x, shot.positions[ball].x) << ball;
        EXPECT_EQ(table.Physics().CachedPosition(ball).y, shot.positions[ball].y) << ball;
    }
    // Paused at rest, the table holds; play starts the shot again from the record.
    Click(replay->PauseButton());
    EXPECT_FALSE(replay->IsPlaying());
    Click(replay->PlayButton());
    EXPECT_TRUE(replay->IsPlaying());
    Click(replay->PlayButton());
    bool ran = false;
    for (int i = 0; i < 2000 && !ran; ++i) {
        Frame();
        ran = table.IsShotRunning();
    }
    EXPECT_TRUE(ran) << "play while playing strikes the shot again";

    // The unused buttons stay without effect; the view buttons switch the top view.
    for (int32_t id : {SceneReplay::kFirst, SceneReplay::kPrevious, SceneReplay::kNext, SceneReplay::kLast})
        EXPECT_FALSE(replay->OnEvent(replay->BarButton(id), 0, 0)) << id;
    Click(replay->BarButton(SceneReplay::kSideView));
    EXPECT_NE(table.Cameras().GetCamera().Mode(), CameraController::kTopViewMode);
}

class ReplayOfBadText : public ReplayWithData {
protected:
    ReplayOfBadText() : ReplayWithData(u"3B0C0000") {}
};

TEST_F(ReplayOfBadText, ATextTheReaderRefusesStartsNoPass) {
    Bring();
    EXPECT_FALSE(replay->HasShot());
    EXPECT_FALSE(replay->IsStarted());
    ASSERT_NE(replay->Table(), nullptr);
    Click(replay->PlayButton());
    for (int i = 0; i < 300; ++i) Frame();
    EXPECT_FALSE(replay->Table()->IsShotRunning());
    app.DrainPostedEvents();
    EXPECT_EQ(replay->PassesEnded(), 0u);
}

}  // namespace
}  // namespace kestrovan::test
