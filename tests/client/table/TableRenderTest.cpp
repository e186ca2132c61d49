// The render step and the draw passes: camera and cue events applied on the drawing side (also while frames are
// paused), the limits of the tip offset and the elevation, the cue switch, ball placement by size class, and
// the order and alphas in which the passes draw the models, on the recording device.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "QuillLib/core/ScopedLock.h"
#include "client/rules/TablePhysics.h"
#include "client/table/CameraController.h"
#include "client/table/CameraState.h"
#include "client/table/CueModelEntry.h"
#include "client/table/DeviceLineDrawer.h"
#include "client/table/LockedCamera.h"
#include "client/table/TableAim.h"
#include "client/table/TableCameraEvents.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableCueModels.h"
#include "client/table/TableEvents.h"
#include "client/table/TableInput.h"
#include "client/table/TableModels.h"
#include "client/table/TableRenderStep.h"
#include "tests/support/table/TableFakes.h"
#include "tests/support/gfx/RecordingDeviceFixture.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::Vec3;

class TableRenderTest : public ::testing::Test {
protected:
    TableRenderTest() { fixture.Equip(type::kThreeCushion); }

    GameTable& Table() { return *fixture.table; }
    void Post(uint32_t id, int32_t a, int32_t b) {
        Table().CameraEvents().Events().Post(id, static_cast<uint32_t>(a), static_cast<uint32_t>(b), 0);
    }
    quill::Camera* const* Current() { return Table().Cameras().GetCurrentCameraRef(); }

    test::TableFixture fixture;
};

TEST_F(TableRenderTest, CameraEventsApplyEvenWhileFramesArePaused) {
    const float yaw = LockedGetYawDegrees(Current());
    const float distance = LockedGetDistance(Current());
    Table().Input().Flags().aimDragHeld = true;
    Post(TableEventId::OrbitCamera, 50, 0);
    Post(TableEventId::ZoomCamera, 20, 0);
    Table().RenderStep().Render3D(false);
    EXPECT_EQ(Table().CameraEvents().Events().Count(), 0u);
    // A fifth of a degree per count; the camera's yaw runs against the orbit's.
    EXPECT_NEAR(std::remainder(LockedGetYawDegrees(Current()) - yaw, 360.0f), -10.0f, 1e-3f);
    EXPECT_NEAR(LockedGetDistance(Current()), distance - 20.0f, 1e-2f);

    // The options invert and scale the orbit.
    Table().Cameras().Options().invertHorizontal = true;
    Table().Cameras().Options().horizontalOrbitScale = 0.5f;
    Post(TableEventId::OrbitCamera, 50, 0);
    Table().RenderStep().Render3D(false);
    EXPECT_NEAR(std::remainder(LockedGetYawDegrees(Current()) - yaw, 360.0f), -5.0f, 1e-3f);

    // Restoring selects the scene camera of the current mode, except in the watching state 6.
    test::RecordingScene scene;
    Table().Cameras().GetCamera().SetScene(&scene);
    Table().Cameras().GetCamera().SetSceneCameraId(CameraController::kAimingMode, 41);
    Post(TableEventId::RestoreCamera, 0, 0);
    Table().RenderStep().Render3D(false);
    Table().SetState(6);
    Post(TableEventId::RestoreCamera, 0, 0);
    Table().RenderStep().Render3D(false);
    EXPECT_EQ(scene.selected, (std::vector<uint32_t>{41}));
    Table().Cameras().GetCamera().SetScene(nullptr);
}

TEST_F(TableRenderTest, TipOffsetAndElevationStayInTheirLimits) {
    for (int i = 0; i < 400; ++i) {
        Post(TableEventId::MoveTipOffset, 30, 30);
    }
    Table().RenderStep().Render3D(false);
    const CameraState& aim = Table().Aim().Pose();
    EXPECT_NEAR(std::hypot(aim.tipOffsetX, aim.tipOffsetY), 0.7f, 1e-4f);
    EXPECT_GT(aim.tipOffsetX, 0.0f);

    Post(TableEventId::ChangeElevation, 0, 10000);
    Table().RenderStep().Render3D(false);
    EXPECT_EQ(Table().Aim().Pose().elevationCopy, 2.6f);
    Post(TableEventId::ChangeElevation, 0, -10000);
    Table().RenderStep().Render3D(false);
    EXPECT_EQ(Table().Aim().Pose().elevationCopy, 88.4f);
    Table().Aim().SetElevationLimit(40.0f, false);
    Post(TableEventId::ChangeElevation, 0, -10000);
    Table().RenderStep().Render3D(false);
    EXPECT_EQ(Table().Aim().Pose().elevationCopy, 40.0f);

    // The three-cushion break: no draw below the centre, a smaller circle, the cue at most 15 degrees up.
    Table().SetState(7);
    Post(TableEventId::MoveTipOffset, 0, -2000);
    Post(TableEventId::ChangeElevation, 0, -10000);
    Table().RenderStep().Render3D(false);
    EXPECT_GE(Table().Aim().Pose().tipOffsetY, 0.0f);
    EXPECT_LE(std::hypot(Table().Aim().Pose().tipOffsetX, Table().Aim().Pose().tipOffsetY), 0.4f + 1e-5f);
    EXPECT_EQ(Table().Aim().Pose().elevationCopy, 15.0f);
}

TEST_F(TableRenderTest, BallsArePlacedAtTheirDrawingScale) {
    std::vector<test::RecordingModel*> balls;
    for (uint32_t i = 0; i < 3; ++i) {
        auto ball = std::make_unique<test::RecordingModel>();
        balls.push_back(ball.get());
        Table().Models().SetBallModel(i, std::move(ball));
    }
    Table().Models().SetBallSizeClass(2);
    Table().RenderStep().Render3D(true);
    const Vec3 position = Table().Physics().CachedPosition(1);
    EXPECT_EQ(balls[1]->placement.position.x, position.x);
    EXPECT_NEAR(balls[1]->placement.position.z, position.z + 0.2f, 1e-5f);
    EXPECT_EQ(balls[1]->placement.scale.x, 0.88f);
    Table().Models().SetBallSizeClass(9);
    Table().RenderStep().Render3D(true);
    EXPECT_EQ(balls[0]->placement.scale.x, 1.0f) << "a class outside 0 to 6 draws unscaled";
}

TEST_F(TableRenderTest, TheCurrentCueIsShownWithTheTable) {
    CueModelEntry* entry = Table().CueModels().GetCueModel(3001, 0xFFFF, 0, 0, 0, 0);
    auto model = std::make_unique<test::RecordingModel>();
    test::RecordingModel* cue = model.get();
    entry->SetModel(std::move(model));
    Table().RenderStep().SetCurrentCue(entry);
    Table().RenderStep().SetVisible(false);
    Table().RenderStep().Render3D(false);
    EXPECT_FALSE(Table().RenderStep().IsCueDirty());
    EXPECT_FALSE(cue->visible);
    Table().RenderStep().SetVisible(true);
    Table().RenderStep().Render3D(false);
    EXPECT_TRUE(cue->visible);
    Table().CueModels().ReleaseCue(entry);
    Table().RenderStep().Render3D(false);  // the released cue is no longer shown; nothing dangles
    EXPECT_EQ(Table().RenderStep().CurrentCue(), nullptr);
}

class TableDrawTest : public kvtest::RecordingDeviceFixture {
protected:
    void SetUp() override {
        CreateDevice();
        fixture.Equip(type::kEightBall);
        for (uint32_t i = 0; i < 16; ++i) {
            auto ball = std::make_unique<test::RecordingModel>();
            balls.push_back(ball.get());
            fixture.table->Models().SetBallModel(i, std::move(ball));
        }
        auto cue = std::make_unique<test::RecordingModel>();
        this->cue = cue.get();
        CueModelEntry* entry = fixture.table->CueModels().GetCueModel(3000, 0xFFFF, 0, 0, 0, 0);
        entry->SetModel(std::move(cue));
        fixture.table->RenderStep().SetCurrentCue(entry);
        fixture.table->RenderStep().Render3D(true);
    }

    test::TableFixture fixture;
    std::vector<test::RecordingModel*> balls;
    test::RecordingModel* cue = nullptr;
};

TEST_F(TableDrawTest, PassesDrawTheCueOnceAndEveryBallOnTheTable) {
    GameTable& table = *fixture.table;
    table.Physics().SetBallFlag(5, 1);  // pocketed balls still have models, drawn wherever the physics left them
    table.RenderStep().RenderOverlay(*device);
    table.RenderStep().DrawScene(*device, 0);
    EXPECT_EQ(cue->drawnAlphas, (std::vector<float>{1.0f})) << "the overlay draws the cue in the normal view";
    for (test::RecordingModel* ball : balls) {
        EXPECT_EQ(ball->drawnAlphas, (std::vector<float>{1.0f}));
    }
    EXPECT_EQ(device->GetStateCache().depthOffset, 0.0f) << "the bed's depth offset is taken back";

    // Shift's look along the cue: the cue is drawn after the balls instead, and a ball right at the eye faint.
    table.Input().Flags().zoomKeyHeld = true;
    quill::Camera* camera = table.Cameras().GetCamera().CurrentCamera();
    const Vec3 near = table.Physics().CachedPosition(3);
    {
        quill::ScopedLock hold(camera->GetLock());
        camera->SetFrame(near + Vec3{0.0f, -1.0f, 1.0f}, near + Vec3{0.0f, 50.0f, 0.0f}, {0.0f, 0.0f, 1.0f},
                         {-1.0f, 0.0f, 0.0f});
    }
    cue->drawnAlphas.clear();
    balls[3]->drawnAlphas.clear();
    balls[0]->drawnAlphas.clear();
    table.RenderStep().RenderOverlay(*device);
    EXPECT_TRUE(cue->drawnAlphas.empty());
    table.RenderStep().DrawScene(*device, 0);
    EXPECT_EQ(cue->drawnAlphas, (std::vector<float>{1.0f}));
    EXPECT_EQ(balls[3]->drawnAlphas, (std::vector<float>{0.5f}));
    EXPECT_EQ(balls[0]->drawnAlphas, (std::vector<float>{1.0f}));
}

TEST_F(TableDrawTest, EveryLineOfAFrameDrawsFromWhereItWasUploaded) {
    ASSERT_TRUE(device->BeginFrame());
    ASSERT_TRUE(device->BeginScene());
    setup->log.Clear();
    DeviceLineDrawer drawer(*device);
    const LinePoint a{{0, 0, 0}, 0xFFFFFFFF}, b{{10, 0, 0}, 0xFFFFFFFF}, c{{10, 10, 0}, 0x80FF0000};
    const std::vector<LinePoint> first{a, b, c};
    const std::vector<LinePoint> second{c, a};
    drawer.DrawLineStrip(first);
    drawer.DrawLineStrip(second);
    drawer.DrawLineStrip(std::vector<LinePoint>{a});  // a single point is no line
    device->EndScene();
    EXPECT_EQ(drawer.DrawnCount(), 2u);
    // Line strips are primitive type 3; the second starts behind the first's three vertices.
    EXPECT_TRUE(setup->log.Contains("DrawPrimitive(3, 0, 2)")) << setup->log.Text();
    EXPECT_TRUE(setup->log.Contains("DrawPrimitive(3, 3, 1)")) << setup->log.Text();
}

}  // namespace
}  // namespace kestrovan
