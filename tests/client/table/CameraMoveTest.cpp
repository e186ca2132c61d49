#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "client/table/CameraController.h"
#include "client/table/CameraState.h"
#include "client/table/LockedCamera.h"
#include "client/table/StepToward.h"
#include "client/table/TableAngles.h"
#include "tests/client/table/TableFakes.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::Vec3;
constexpr float kKeep = CameraController::kKeep;

using test::RecordingScene;

// Runs the controller's move to its end; the number of steps taken.
int RunMove(CameraController& controller) {
    int steps = 0;
    for (int guard = 0; guard < 100000; ++guard) {
        const int tick = controller.Tick();
        if (tick == CameraController::kEnded || tick == CameraController::kIdle) {
            return steps;
        }
        controller.Step();
        ++steps;
    }
    return -1;
}

// The signed difference b - a of two yaws, the short way round.
float YawDifference(float a, float b) {
    return std::remainder(b - a, 360.0f);
}

TEST(StepToward, NeverPassesTheTarget) {
    EXPECT_EQ(StepToward(9.5f, 1.0f, 10.0f), 10.0f);
    EXPECT_EQ(StepToward(9.0f, 1.0f, 10.0f), 10.0f);
    EXPECT_EQ(StepToward(12.0f, -1.0f, 10.0f), 11.0f);
    EXPECT_EQ(StepToward(9.0f, -1.0f, 10.0f), 10.0f);  // a step away from the target ends on it
}

TEST(CameraState, GlidesAndLimits) {
    CameraState aim;
    aim.SetPullBack(40.0f);
    EXPECT_EQ(aim.pullBack, 30.0f);
    aim.SetPullBack(-40.0f);
    EXPECT_EQ(aim.pullBack, -25.0f);

    aim.SetTargets(CameraState::kKeep, CameraState::kKeep, -30.0f, CameraState::kKeep);
    aim.StartEase(3);
    EXPECT_EQ(aim.Tick(), 1);
    EXPECT_EQ(aim.Tick(), 1);
    EXPECT_EQ(aim.Tick(), 1);
    EXPECT_EQ(aim.Tick(), 2);
    EXPECT_EQ(aim.Tick(), 0);
    EXPECT_NEAR(aim.aimYaw, 330.0f, 1e-3);

    // From 350 to 10 over 20 frames: one degree a frame through 0.
    aim.SetYawDegrees(350.0f);
    aim.SetTargets(0.5f, CameraState::kKeep, 10.0f, 30.0f);
    aim.StartEase(20);
    float previous = aim.aimYaw;
    for (int frame = 0; frame < 20; ++frame) {
        ASSERT_EQ(aim.Tick(), 1);
        EXPECT_NEAR(YawDifference(previous, aim.aimYaw), 1.0f, 1e-3) << "frame " << frame;
        EXPECT_GE(aim.aimYaw, 0.0f);
        EXPECT_LT(aim.aimYaw, 360.0f);
        previous = aim.aimYaw;
    }
    EXPECT_NEAR(aim.aimYaw, 10.0f, 1e-3);
    EXPECT_EQ(aim.tipOffsetX, 0.5f);
    EXPECT_EQ(aim.elevation, 30.0f);
    EXPECT_EQ(aim.elevationCopy, 30.0f);
    EXPECT_EQ(aim.Tick(), 2);
}

class CameraControllerTest : public ::testing::Test {
protected:
    CameraControllerTest() : camera(test::MakeTableCamera()) {
        controller.SetCamera(1, camera.get());
        controller.SetScene(&scene);
    }
    std::unique_ptr<quill::Camera> camera;
    CameraController controller;
    RecordingScene scene;
};

TEST_F(CameraControllerTest, MoveEndsOnItsTargetsWithoutOvershoot) {
    const float startDistance = camera->GetDistance();
    ASSERT_LT(startDistance, 500.0f);
    controller.SetTarget(500.0f, 40.0f, 120.0f, kKeep);
    controller.StartMove(50, 1);
    EXPECT_TRUE(controller.IsMoving());
    std::vector<float> distances;
    std::vector<float> pitches;
    int ended = 0;
    for (int guard = 0; guard < 1000; ++guard) {
        const int tick = controller.Tick();
        if (tick == CameraController::kStepDue) {
            controller.Step();
            distances.push_back(camera->GetDistance());
            pitches.push_back(RadiansToDegrees(camera->GetPitch()));
        } else if (tick == CameraController::kEnded) {
            ++ended;
        } else {
            break;
        }
    }
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(distances.size(), 50u);
    EXPECT_TRUE(controller.NotifyAtEnd());
    EXPECT_FALSE(controller.IsMoving());
    for (size_t i = 1; i < distances.size(); ++i) {
        EXPECT_GE(distances[i], distances[i - 1] - 1e-3f);
        EXPECT_LE(distances[i], 500.0f + 1e-3f);
        EXPECT_LE(pitches[i], 40.0f + 1e-3f);
    }
    EXPECT_NEAR(distances.back(), 500.0f, 1e-3);
    EXPECT_NEAR(pitches.back(), 40.0f, 1e-3);
    EXPECT_NEAR(WrapDegrees(RadiansToDegrees(camera->GetYaw())), 120.0f, 1e-3);
}

TEST_F(CameraControllerTest, YawTakesTheShortWayAndLookAtEndsExactly) {
    LockedSetYawDegrees(controller.CurrentCameraRef(), 350.0f);
    controller.SetTarget(kKeep, kKeep, 10.0f, kKeep);
    const Vec3 point{12.5f, -7.25f, 0.0f};
    controller.SetLookAt(point);
    controller.StartMove(20, 0);
    float previous = RadiansToDegrees(camera->GetYaw());
    for (int guard = 0; guard < 100 && controller.Tick() == CameraController::kStepDue; ++guard) {
        controller.Step();
        const float yaw = RadiansToDegrees(camera->GetYaw());
        EXPECT_NEAR(YawDifference(previous, yaw), 1.0f, 1e-2);
        previous = yaw;
    }
    EXPECT_NEAR(WrapDegrees(previous), 10.0f, 1e-3);
    EXPECT_NEAR(camera->Target().x, point.x, 1e-5);
    EXPECT_NEAR(camera->Target().y, point.y, 1e-5);
    EXPECT_NEAR(camera->Target().z, point.z, 1e-5);
}

TEST_F(CameraControllerTest, DegenerateAndEmptyMoves) {
    // Zero frames still make one step to the target, never a division by zero.
    controller.SetTarget(300.0f, kKeep, kKeep, kKeep);
    controller.StartMove(0, 0);
    EXPECT_EQ(RunMove(controller), 1);
    EXPECT_NEAR(camera->GetDistance(), 300.0f, 1e-3);

    // Every component kept: the camera stays where it is.
    const Vec3 eye = camera->Eye();
    controller.SetTarget(kKeep, kKeep, kKeep, kKeep);
    controller.StartMove(10, 0);
    EXPECT_EQ(RunMove(controller), 10);
    EXPECT_TRUE(camera->Eye().Equals(eye));

    // A running move can be given new targets for its remaining frames.
    controller.SetTarget(350.0f, kKeep, kKeep, kKeep);
    controller.StartMove(10, 0);
    controller.Tick();
    controller.Step();
    controller.Retarget(kKeep, 30.0f, kKeep, kKeep);
    RunMove(controller);
    EXPECT_NEAR(camera->GetDistance(), 350.0f, 1e-3);
    EXPECT_NEAR(RadiansToDegrees(camera->GetPitch()), 30.0f, 1e-3);

    // A mode without a camera moves nothing and answers zeros.
    controller.SetMode(4);
    controller.SetTarget(100.0f, kKeep, kKeep, kKeep);
    controller.StartMove(5, 0);
    EXPECT_EQ(RunMove(controller), 5);
    EXPECT_EQ(LockedGetDistance(controller.CurrentCameraRef()), 0.0f);
    controller.SetSceneCameraId(4, 17);
    controller.ApplyMode();
    EXPECT_EQ(scene.selected.back(), 17u);
}

class TableCameraTest : public ::testing::Test, protected test::TableFixture {
protected:
    float YawOf(uint32_t mode) {
        quill::Camera* const camera = cameras[mode].get();
        return WrapDegrees(LockedGetYawDegrees(&camera));
    }
    void RunTableMove() { RunMove(table->GetCamera()); }
};

TEST_F(TableCameraTest, BehindTheCueBallTurnsTheAimAround) {
    Equip(type::kThreeCushion);
    for (const auto& [aim, expected] : std::vector<std::pair<float, float>>{{90.0f, 270.0f}, {10.0f, 190.0f}}) {
        table->Aim().SetYawDegrees(aim);
        table->MoveCameraBehindCueBall(0.0f, 0.25f, false, false);
        EXPECT_EQ(table->GetCamera().FramesLeft(), 50u);
        RunTableMove();
        EXPECT_NEAR(YawOf(1), expected, 1e-2);
        EXPECT_NEAR(LockedGetDistance(table->GetCurrentCameraRef()), 350.0f, 1e-2);
        EXPECT_NEAR(GetCameraPitchDegrees(table->GetCurrentCameraRef()), 25.0f, 1e-3);
    }
    table->Aim().SetYawDegrees(180.0f);
    table->MoveCameraBehindCueBall(0.0f, 0.25f, false, false);
    RunTableMove();
    EXPECT_NEAR(std::remainder(YawOf(1), 360.0f), 0.0f, 1e-2);

    // The jitter turns 3 to 5 degrees away: a draw of 0 gives -5.
    table->SetRandom([] { return 0; });
    table->Aim().SetYawDegrees(90.0f);
    table->MoveCameraBehindCueBallJittered(200.0f, 0.1f, true, true);
    RunTableMove();
    EXPECT_NEAR(YawOf(1), 265.0f, 1e-2);
    EXPECT_NEAR(LockedGetDistance(table->GetCurrentCameraRef()), 200.0f, 1e-2);
    EXPECT_NEAR(GetCameraPitchDegrees(table->GetCurrentCameraRef()), table->Aim().elevation, 1e-3);
}

TEST_F(TableCameraTest, TopView) {
    Equip(type::kSnooker);
    RecordingScene scene;
    table->GetCamera().SetScene(&scene);
    table->GetCamera().SetSceneCameraId(3, 33);
    table->GetCamera().SetMode(0);
    table->SetTopView(true);
    EXPECT_EQ(table->GetCamera().Mode(), 0u);  // only from the aiming view

    table->GetCamera().SetMode(1);
    table->SetTopView(true);
    EXPECT_EQ(table->GetCamera().Mode(), 3u);
    EXPECT_EQ(scene.selected.back(), 33u);
    // Straight down, as far as the camera's orbit goes without passing the up axis.
    EXPECT_GT(GetCameraPitchDegrees(table->GetCurrentCameraRef()), 89.0f);
    EXPECT_NEAR(LockedGetDistance(table->GetCurrentCameraRef()), 700.0f, 1e-2);
    EXPECT_TRUE(cameras[3]->Target().Equals(Vec3{}));

    // In the top view the table's moves keep still, but the move to the centre runs.
    table->MoveCamera(1.0f, 400.0f, 30.0f, false);
    EXPECT_FALSE(table->GetCamera().IsMoving());
    table->MoveCameraBehindCueBall(300.0f, 1.0f, false, true);
    EXPECT_FALSE(table->GetCamera().IsMoving());
    table->MoveCameraToCentre(0.5f);
    EXPECT_TRUE(table->GetCamera().IsMoving());
    RunTableMove();

    // Leaving it refocuses the aiming camera on the cue ball when asked.
    table->Physics().SetBallPosition(0, 30.0f, 10.0f, 2.625f);
    table->SetRefocusOnTopViewExit(true);
    table->SetTopView(false);
    EXPECT_EQ(table->GetCamera().Mode(), 1u);
    EXPECT_NEAR(cameras[1]->Target().x, 30.0f, 1e-4);
    EXPECT_NEAR(cameras[1]->Target().y, 10.0f, 1e-4);
}

TEST_F(TableCameraTest, MouseAimInZoomView) {
    Equip(type::kThreeCushion);
    EXPECT_FALSE(table->StartMouseAim());  // neither Shift nor 'V' held
    table->Input().zoomKeyHeld = true;
    table->SetKeyMask(0x10);
    const float pitchBefore = GetCameraPitchDegrees(table->GetCurrentCameraRef());
    ASSERT_TRUE(table->StartMouseAim());
    EXPECT_TRUE(table->Input().mouseAimHeld);
    RunTableMove();
    EXPECT_NEAR(GetCameraPitchDegrees(table->GetCurrentCameraRef()), table->Aim().elevation + 1.3f, 1e-3);
    // Releasing goes back to the pitch saved when it started.
    ASSERT_TRUE(table->EndMouseAim());
    RunTableMove();
    EXPECT_NEAR(GetCameraPitchDegrees(table->GetCurrentCameraRef()), pitchBefore, 1e-3);
    EXPECT_FALSE(table->EndMouseAim());

    // Refused while the tip is being dragged, or when the mask forbids it.
    table->Input().tipDragHeld = true;
    EXPECT_FALSE(table->StartMouseAim());
    table->Input().tipDragHeld = false;
    table->SetKeyMask(0x80);
    EXPECT_FALSE(table->StartMouseAim());
}

TEST_F(TableCameraTest, OptionsAndAim) {
    Equip(type::kThreeCushion);
    table->Physics().SetBallPosition(0, -20.0f, 15.0f, 3.275f);
    TableOptions options;
    options.strokeScalePercent = 150;
    options.verticalOrbitPercent = 50;
    options.invertHorizontal = 1;
    options.cameraOption = 2;
    options.powerDisplayOption = 0;
    table->ApplyAppOptions(options);
    EXPECT_EQ(table->Options().strokeScale, 1.5f);
    EXPECT_EQ(table->Options().verticalOrbitScale, 0.5f);
    EXPECT_TRUE(table->Options().invertHorizontal);
    EXPECT_TRUE(table->Options().cameraFlagA);
    EXPECT_TRUE(table->Options().cameraFlagB);
    EXPECT_EQ(table->PowerDisplayMode(), 0);
    // The camera option turned to 2: the camera looks at the cue ball.
    EXPECT_NEAR(cameras[1]->Target().x, -20.0f, 1e-4);

    table->SetCameraFlags(false, false, true, true);
    EXPECT_TRUE(table->Options().cameraFlagA);
    EXPECT_TRUE(table->Options().cameraFlagB);
    EXPECT_FALSE(table->Options().cameraFlagC);
    EXPECT_TRUE(table->Options().cameraForced);

    // Aim values: the yaw from the cue ball toward the aimed point, the cue drawn back to rest.
    table->Aim().pullBack = -10.0f;
    table->SetAimParameters(-20.0f, -85.0f, 0.1f, -0.2f, 12.0f);
    EXPECT_NEAR(table->Aim().aimYaw, 270.0f, 1e-4);
    EXPECT_EQ(table->Aim().elevationCopy, 12.0f);
    EXPECT_EQ(table->Aim().pullBack, -3.0f);

    // The eased form glides there over 200 frames.
    table->AimEasedCamera(80.0f, 15.0f, 0.0f, 0.3f, 5.0f);
    int frames = 0;
    while (table->Aim().Tick() == CameraState::kStepped) {
        ++frames;
    }
    EXPECT_EQ(frames, 200);
    EXPECT_NEAR(table->Aim().aimYaw, 0.0f, 1e-3);
    EXPECT_NEAR(table->Aim().tipOffsetY, 0.3f, 1e-6);
    EXPECT_NEAR(table->Aim().elevation, 5.0f, 1e-5);
}

}  // namespace
}  // namespace kestrovan
