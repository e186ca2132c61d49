#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "QuillLib/core/AppEvent.h"
#include "client/rules/TablePhysics.h"
#include "client/table/CameraController.h"
#include "client/table/CameraState.h"
#include "client/table/LockedCamera.h"
#include "client/table/StepToward.h"
#include "client/table/TableAim.h"
#include "client/table/TableAngles.h"
#include "client/table/TableCameraEvents.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEvents.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableOptions.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"
#include "tests/support/table/TableFakes.h"

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

TEST(CameraState, TheCueSwingsThenEnds) {
    CameraState aim;
    aim.SetBackswingSteps(120);
    EXPECT_FLOAT_EQ(aim.backswingLimit, 29.4f);
    aim.SetPullBack(-40.0f);
    EXPECT_FLOAT_EQ(aim.pullBack, -29.4f);
    aim.pullBack = CameraState::kRestingPullBack;

    // Two swings: back to -15, forward to -2, back again, then the last push.
    aim.StartStroke(2);
    float lowest = 0.0f;
    int backs = 0;
    bool drawingBack = true;
    float previous = aim.pullBack;
    int frames = 0;
    while (aim.Tick() == CameraState::kStepped && frames < 1000) {
        ++frames;
        lowest = std::min(lowest, aim.pullBack);
        const bool nowBack = aim.pullBack < previous;
        if (nowBack && !drawingBack) {
            ++backs;
        }
        drawingBack = nowBack;
        previous = aim.pullBack;
        EXPECT_LE(aim.pullBack, 0.5f);
    }
    EXPECT_LT(frames, CameraState::kStrokeFrames);
    EXPECT_EQ(backs, 1);  // the second draw-back, after the first push
    EXPECT_NEAR(lowest, -15.0f, 0.25f);
    EXPECT_GE(aim.pullBack, -2.0f);
    EXPECT_EQ(aim.Tick(), CameraState::kIdle);
    EXPECT_FALSE(aim.IsStroking());

    // No swings: nothing moves and the swing ends after one frame.
    aim.pullBack = -3.0f;
    aim.StartStroke(0);
    EXPECT_EQ(aim.Tick(), CameraState::kStepped);
    EXPECT_EQ(aim.Tick(), CameraState::kEnded);
    EXPECT_EQ(aim.pullBack, -3.0f);
}

TEST(CameraState, ChangesAndTheAimStateMessage) {
    CameraState aim;
    aim.aimPointX = 12.5f;
    aim.tipOffsetY = -0.25f;
    aim.elevation = 7.0f;
    aim.SaveSnapshot();
    EXPECT_FALSE(aim.CheckChanged(500));
    EXPECT_EQ(aim.Stamp(), 500u);
    EXPECT_FALSE(aim.CheckStampElapsed(1500));  // exactly a second: not yet
    EXPECT_TRUE(aim.CheckStampElapsed(1501));
    EXPECT_EQ(aim.Stamp(), 1501u);
    EXPECT_TRUE(aim.CheckStampElapsed(1501u + 0xFFFFFFF0u));  // a wrapped timer still counts forward
    aim.tipOffsetX = 0.1f;
    EXPECT_TRUE(aim.CheckChanged(9000));

    quill::Packet packet;
    aim.WriteAimState(packet);
    packet.Finish();
    std::vector<uint8_t> expected{24, 0, 0xBA, 0x04};  // 24 bytes, message 1210
    for (float value : {12.5f, 0.0f, 0.1f, -0.25f, 7.0f}) {
        const auto bytes = test::FloatBytes(value);
        expected.insert(expected.end(), bytes.begin(), bytes.end());
    }
    const auto written = packet.Bytes();
    EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), expected);
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
    void RunTableMove() { RunMove(table->Cameras().GetCamera()); }
};

TEST_F(TableCameraTest, BehindTheCueBallTurnsTheAimAround) {
    Equip(type::kThreeCushion);
    for (const auto& [aim, expected] : std::vector<std::pair<float, float>>{{90.0f, 270.0f}, {10.0f, 190.0f}}) {
        table->Aim().Pose().SetYawDegrees(aim);
        table->Cameras().MoveCameraBehindCueBall(0.0f, 0.25f, false, false);
        EXPECT_EQ(table->Cameras().GetCamera().FramesLeft(), 50u);
        RunTableMove();
        EXPECT_NEAR(YawOf(1), expected, 1e-2);
        EXPECT_NEAR(LockedGetDistance(table->Cameras().GetCurrentCameraRef()), 350.0f, 1e-2);
        EXPECT_NEAR(GetCameraPitchDegrees(table->Cameras().GetCurrentCameraRef()), 25.0f, 1e-3);
    }
    table->Aim().Pose().SetYawDegrees(180.0f);
    table->Cameras().MoveCameraBehindCueBall(0.0f, 0.25f, false, false);
    RunTableMove();
    EXPECT_NEAR(std::remainder(YawOf(1), 360.0f), 0.0f, 1e-2);
}

TEST_F(TableCameraTest, TopView) {
    Equip(type::kSnooker);
    RecordingScene scene;
    table->Cameras().GetCamera().SetScene(&scene);
    table->Cameras().GetCamera().SetSceneCameraId(3, 33);
    table->Cameras().GetCamera().SetMode(0);
    table->Cameras().SetTopView(true);
    EXPECT_EQ(table->Cameras().GetCamera().Mode(), 0u);  // only from the aiming view

    table->Cameras().GetCamera().SetMode(1);
    table->Cameras().SetTopView(true);
    EXPECT_EQ(table->Cameras().GetCamera().Mode(), 3u);
    EXPECT_EQ(scene.selected.back(), 33u);
    // Straight down, as far as the camera's orbit goes without passing the up axis.
    EXPECT_GT(GetCameraPitchDegrees(table->Cameras().GetCurrentCameraRef()), 89.0f);
    EXPECT_NEAR(LockedGetDistance(table->Cameras().GetCurrentCameraRef()), 700.0f, 1e-2);
    EXPECT_TRUE(cameras[3]->Target().Equals(Vec3{}));

    // In the top view the table's moves keep still.
    table->Cameras().MoveCamera(1.0f, 400.0f, 30.0f, false);
    EXPECT_FALSE(table->Cameras().GetCamera().IsMoving());
    table->Cameras().MoveCameraBehindCueBall(300.0f, 1.0f, false, true);
    EXPECT_FALSE(table->Cameras().GetCamera().IsMoving());

    // Leaving it refocuses the aiming camera on the cue ball when asked.
    table->Physics().SetBallPosition(0, 30.0f, 10.0f, 2.625f);
    table->Cameras().SetRefocusOnTopViewExit(true);
    table->Cameras().SetTopView(false);
    EXPECT_EQ(table->Cameras().GetCamera().Mode(), 1u);
    EXPECT_NEAR(cameras[1]->Target().x, 30.0f, 1e-4);
    EXPECT_NEAR(cameras[1]->Target().y, 10.0f, 1e-4);
}

TEST_F(TableCameraTest, MouseAimInZoomView) {
    Equip(type::kThreeCushion);
    EXPECT_FALSE(table->Input().StartMouseAim());  // neither Shift nor 'V' held
    table->Input().Flags().zoomKeyHeld = true;
    table->Input().SetKeyMask(0x10);
    const float pitchBefore = GetCameraPitchDegrees(table->Cameras().GetCurrentCameraRef());
    ASSERT_TRUE(table->Input().StartMouseAim());
    EXPECT_TRUE(table->Input().Flags().mouseAimHeld);
    RunTableMove();
    EXPECT_NEAR(GetCameraPitchDegrees(table->Cameras().GetCurrentCameraRef()), table->Aim().Pose().elevation + 1.3f, 1e-3);
    // Releasing goes back to the pitch saved when it started.
    ASSERT_TRUE(table->Input().EndMouseAim());
    RunTableMove();
    EXPECT_NEAR(GetCameraPitchDegrees(table->Cameras().GetCurrentCameraRef()), pitchBefore, 1e-3);
    EXPECT_FALSE(table->Input().EndMouseAim());

    // Refused when the mask forbids it.
    table->Input().SetKeyMask(0x80);
    EXPECT_FALSE(table->Input().StartMouseAim());
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
    EXPECT_EQ(table->Cameras().Options().strokeScale, 1.5f);
    EXPECT_EQ(table->Cameras().Options().verticalOrbitScale, 0.5f);
    EXPECT_TRUE(table->Cameras().Options().invertHorizontal);
    EXPECT_TRUE(table->Cameras().Options().cameraFlagA);
    EXPECT_TRUE(table->Cameras().Options().cameraFlagB);
    EXPECT_EQ(table->HudValues().PowerDisplayMode(), 0);
    // The camera option turned to 2: the camera looks at the cue ball.
    EXPECT_NEAR(cameras[1]->Target().x, -20.0f, 1e-4);

    table->Cameras().SetCameraFlags(false, false, true, true);
    EXPECT_TRUE(table->Cameras().Options().cameraFlagA);
    EXPECT_TRUE(table->Cameras().Options().cameraFlagB);
    EXPECT_FALSE(table->Cameras().Options().cameraFlagC);
    EXPECT_TRUE(table->Cameras().Options().cameraForced);

    // Aim values: the yaw from the cue ball toward the aimed point, the cue drawn back to rest.
    table->Aim().Pose().pullBack = -10.0f;
    table->Aim().SetAimParameters(-20.0f, -85.0f, 0.1f, -0.2f, 12.0f);
    EXPECT_NEAR(table->Aim().Pose().aimYaw, 270.0f, 1e-4);
    EXPECT_EQ(table->Aim().Pose().elevationCopy, 12.0f);
    EXPECT_EQ(table->Aim().Pose().pullBack, -3.0f);

    // The eased form glides there over 200 frames.
    table->Aim().AimEasedCamera(80.0f, 15.0f, 0.0f, 0.3f, 5.0f);
    int frames = 0;
    while (table->Aim().Pose().Tick() == CameraState::kStepped) {
        ++frames;
    }
    EXPECT_EQ(frames, 200);
    EXPECT_NEAR(table->Aim().Pose().aimYaw, 0.0f, 1e-3);
    EXPECT_NEAR(table->Aim().Pose().tipOffsetY, 0.3f, 1e-6);
    EXPECT_NEAR(table->Aim().Pose().elevation, 5.0f, 1e-5);
}

TEST_F(TableCameraTest, SetupCamerasGivesEachModeItsPreset) {
    RecordingScene scene;
    table->Cameras().SetupCameras(scene, 0);
    ASSERT_EQ(scene.added.size(), 3u);
    CameraController& controller = table->Cameras().GetCamera();
    EXPECT_EQ(controller.Mode(), 1u);
    EXPECT_EQ(controller.GetSceneCameraId(3), 11u);  // added first
    EXPECT_EQ(controller.GetSceneCameraId(-1), 13u);
    const quill::Camera* aiming = controller.GetCamera(1);
    ASSERT_EQ(aiming, scene.added[2].get());
    EXPECT_NEAR(aiming->GetDistance(), 350.0f, 1e-2);
    EXPECT_NEAR(aiming->GetPitch(), 0.27925f, 1e-5);
    EXPECT_FLOAT_EQ(aiming->Limits().maxDistance, 540.0f);
    EXPECT_FLOAT_EQ(aiming->GetProjection().aspectRatio, 0.625f);
    const quill::Camera* top = controller.GetCamera(3);
    EXPECT_NEAR(top->GetDistance(), 520.0f, 1e-2);
    EXPECT_GT(top->GetPitch(), 1.55f);  // looking down (the engine keeps a hair off vertical)
    EXPECT_NEAR(controller.GetCamera(2)->GetDistance(), 300.0f, 1e-2);

    // A screen that only shows the table has one aiming camera of the table's own.
    auto preview = std::make_unique<GameTable>();
    preview->Cameras().SetupCameras(scene, 2);
    EXPECT_EQ(scene.added.size(), 3u);
    ASSERT_NE(preview->Cameras().GetCamera().GetCamera(1), nullptr);
    EXPECT_NEAR(preview->Cameras().GetCamera().GetCamera(1)->GetDistance(), 380.0f, 1e-2);
    EXPECT_NEAR(RadiansToDegrees(preview->Cameras().GetCamera().GetCamera(1)->GetPitch()), 60.0f, 1e-3);
    EXPECT_EQ(preview->Cameras().GetCamera().GetSceneCameraId(1), 1u);
}

TEST_F(TableCameraTest, ZoomViewAndTopViewSwitchModes) {
    Equip(type::kThreeCushion);
    CameraController& controller = table->Cameras().GetCamera();
    LockedSetDistance(table->Cameras().GetCurrentCameraRef(), 300.0f);
    LockedSetPitchDegrees(table->Cameras().GetCurrentCameraRef(), 20.0f);
    table->Turn().SetControlEnabled(true);

    // Shift: the zoom camera starts as a copy of the aiming camera and moves in over 60 frames.
    ASSERT_TRUE(table->Input().OnKey(platform::Vk::Shift, true));
    EXPECT_EQ(controller.Mode(), 2u);
    EXPECT_EQ(controller.FramesLeft(), 60u);
    quill::AppEvent* restore = table->CameraEvents().Events().Pop();
    ASSERT_NE(restore, nullptr);
    EXPECT_EQ(restore->id, TableEventId::RestoreCamera);
    table->CameraEvents().Events().Release(restore);
    EXPECT_NEAR(cameras[2]->Limits().minPitch, 0.0174533f, 1e-7);
    for (int frame = 0; frame < 70; ++frame) {
        table->Update(frame, 0, 0, false);
    }
    EXPECT_NEAR(cameras[2]->GetDistance(), 420.0f, 1e-2);
    EXPECT_NEAR(RadiansToDegrees(cameras[2]->GetPitch()), 6.0f, 1e-3);
    EXPECT_EQ(controller.Mode(), 2u);  // the zoom view stays while Shift is held

    // Released: back to the aiming camera's distance and pitch, then the aiming mode again.
    table->Input().OnKey(platform::Vk::Shift, false);
    for (int frame = 0; frame < 70; ++frame) {
        table->Update(frame, 0, 0, false);
    }
    EXPECT_NEAR(cameras[2]->GetDistance(), 300.0f, 1e-2);
    EXPECT_EQ(controller.Mode(), 1u);

    // Tab switches to the top view and back only when the screen allows it.
    table->Input().SetKeyMask(0);
    table->Input().HandleInput(platform::Msg::Char, 9, 0);
    EXPECT_EQ(controller.Mode(), 1u);
    table->Input().SetKeyMask(-1);
    table->Input().HandleInput(platform::Msg::Char, 9, 0);
    EXPECT_EQ(controller.Mode(), 3u);
    EXPECT_NEAR(cameras[3]->GetDistance(), 30.0f * 18.0f, 1e-2);
    table->Cameras().SetRefocusOnTopViewExit(true);
    table->Physics().SetBallPosition(0, 40.0f, 10.0f, 3.075f);
    table->Input().HandleInput(platform::Msg::Char, 9, 0);
    EXPECT_EQ(controller.Mode(), 1u);
    EXPECT_NEAR(cameras[1]->Target().x, 40.0f, 1e-3);
}

TEST_F(TableCameraTest, CopiedCamerasAndMovesThatLandAtTheirEnd) {
    CameraController& controller = table->Cameras().GetCamera();
    LockedSetDistance(controller.CameraRefOf(1), 222.0f);
    controller.CopyCamera(1, 4);
    EXPECT_NEAR(cameras[4]->GetDistance(), 222.0f, 1e-3);
    controller.CopyCamera(1, 1);  // a camera onto itself changes nothing

    // A move stopped short still puts the camera on its point when asked to.
    controller.SetTarget(kKeep, kKeep, kKeep, kKeep);
    controller.SetLookAt({30.0f, 0.0f, 0.0f});
    controller.SetApplyAtEnd(true);
    controller.StartMove(50, 0);
    controller.Stop();
    controller.StartMove(0, 0);
    EXPECT_EQ(controller.Tick(), CameraController::kStepDue);
    EXPECT_EQ(controller.Tick(), CameraController::kEnded);
    EXPECT_NEAR(cameras[1]->Target().x, 30.0f, 1e-4);
    EXPECT_FALSE(controller.IsMoving());
}

}  // namespace
}  // namespace kestrovan
