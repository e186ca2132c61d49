// GameTable: the table put into a known state (a new game, a new rack, a re-rack when a continuous game runs out of
// object balls), balls and the cue ball placed, the camera re-aimed behind the cue ball, the table's cameras set up,
// and the cue models that the players' cues share.
#include <algorithm>
#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Vector2D.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/TableAngles.h"
#include "client/table/TableCameras.h"
#include "client/table/TruncateToInt.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

constexpr float kKeep = CameraController::kKeep;

// A ball's place and turn, remembered across a re-rack.
struct BallPose {
    Vec3 position;
    quill::Quaternion rotation;
};

}  // namespace

// --- reset and racks ---

void GameTable::Reset(uint32_t rackArgument) {
    ScopedLock holdTable(tableLock_);
    shot_.pending = false;
    StopPhysics();
    aim_.Pose().StopEase();

    shot_.cost = 0;
    input_.ResetModes();
    shot_.running = false;
    shot_.postShotPhase = false;
    picking_.SetHeldBall(-1);
    aim_.SetChalkLevel(0);
    aim_.ClearTargetBall();
    picking_.SetPlacementArea(0);
    pensAndMarks_.SetPenMode(false);
    pensAndMarks_.SetPenSlot(0);
    turn_.SetControlEnabled(false);
    turn_.SetAimFollowsCamera(false);
    aim_.Stroke().Clear();
    aim_.SetPower(0.0f);

    aim_.Pose().Reset();
    {
        ScopedLock hold(physics_.GetLock());
        records_.GetShotRecord().valid &= ~ShotRecord::kValidFilled;
        records_.GetReportRecord().valid &= ~ShotRecord::kValidFilled;
        // A new game has no local shot waiting to be charged.
        records_.GetCommittedRecord().valid &= ~(ShotRecord::kValidFilled | ShotRecord::kValidLocalShot);
    }
    render_.HideMarkers();

    cameras_.ResetDefaultView();
    hudValues_.SetStrokeDeviation(0.0f);
    records_.SetShotStartTime(0);
    hudValues_.ForScreens().foulCount = 0;
    pensAndMarks_.ClearPenStrokes();

    {
        ScopedLock hold(physics_.GetLock());
        physics_.StartRack(rackArgument);
        physics_.SetBallGroup(0);
    }
    records_.SyncReportRecord();
    aim_.Pose().ResetAim();
    aim_.UpdatePowerGauge();

    hudValues_.ShowPocketStripForMode(equipment_.GameMode());
    pensAndMarks_.ClearMarks();
}

void GameTable::RackBalls() {
    {
        ScopedLock hold(physics_.GetLock());
        physics_.PlaceRack();
    }
    records_.SyncReportRecord();
}

void GameTable::PlaceBallsSpaced() {
    {
        ScopedLock hold(physics_.GetLock());
        physics_.PlaceBallsSpaced();
    }
    records_.SyncReportRecord();
}

bool GameTable::ReRackIfNeeded(uint32_t rackArgument, bool force) {
    const uint32_t count = BallCount();
    uint32_t left = 0;
    int32_t last = -1;
    for (uint32_t i = 1; i < count; ++i) {
        if (physics_.CachedFlag(i) == 0) {
            ++left;
            last = static_cast<int32_t>(i);
        }
    }
    if (equipment_.GameMode() == type::kStraightPool && left < 2) {
        {
            ScopedLock hold(physics_.GetLock());
            const uint32_t cueBall = physics_.CueBall();
            const BallPose cue{physics_.CachedPosition(cueBall), physics_.CachedOrientation(cueBall)};
            const BallPose lastBall = left == 1 ? BallPose{physics_.CachedPosition(static_cast<uint32_t>(last)),
                                                           physics_.CachedOrientation(static_cast<uint32_t>(last))}
                                                : BallPose{};
            if (services_.sound != nullptr) {
                services_.sound->PlaySound(kReRackSound, 1.0f);
            }
            physics_.ReRackAround(left == 1 ? last : -1, rackArgument);
            const auto place = [this](uint32_t ball, const BallPose& pose) {
                physics_.SetBallPosition(ball, pose.position.x, pose.position.y, pose.position.z);
                physics_.SetBallOrientation(ball, pose.rotation.x, pose.rotation.y, pose.rotation.z, pose.rotation.w);
            };
            if (!physics_.IsRackSpot(cueBall, cue.position)) {
                place(cueBall, cue);
            }
            if (left == 1) {
                const auto lastIndex = static_cast<uint32_t>(last);
                if (!physics_.IsRackSpot(lastIndex, lastBall.position)) {
                    // The last ball stays where it was; the first other object ball takes its place in the rack.
                    for (uint32_t ball = 1; ball < count; ++ball) {
                        if (ball != lastIndex) {
                            place(ball, {physics_.CachedPosition(lastIndex), physics_.CachedOrientation(ball)});
                            break;
                        }
                    }
                    place(lastIndex, lastBall);
                }
                const Vec3 gap = physics_.CachedPosition(cueBall) - physics_.CachedPosition(lastIndex);
                const double limit = 2.0 * physics_.BallRadius() + 0.2;
                if (gap.LengthSquared() < limit * limit) {
                    const Vec3 position = physics_.CachedPosition(cueBall);
                    physics_.SetBallPosition(cueBall, -picking_.Bounds().halfLength, 0.0f, position.z);
                }
            }
        }
        records_.SyncReportRecord();
        return true;
    }
    const bool racksAgain = equipment_.GameMode() == type::kEightBall || equipment_.GameMode() == type::kNineBall;
    if (racksAgain && (state_ == 4 || state_ == 5 || force) && left == 0) {
        if (services_.sound != nullptr) {
            services_.sound->PlaySound(kReRackSound, 1.0f);
        }
        {
            ScopedLock hold(physics_.GetLock());
            physics_.ReRack(rackArgument);
        }
        records_.SyncReportRecord();
        return true;
    }
    return false;
}

// --- the cue ball and the aim ---

void GameTable::SetBallPosition(uint32_t ball, float x, float y, float z) {
    bool cueBall = false;
    {
        ScopedLock hold(physics_.GetLock());
        physics_.SetBallPosition(ball, x, y, z);
        cueBall = ball == physics_.CueBall();
    }
    records_.SyncReportRecord();
    if (cueBall) {
        requests_.RequestCameraMove(CameraMove::kFollowCueBall);
    }
}

void GameTable::SetCueBall(int32_t ball, bool keepAim) {
    {
        ScopedLock hold(physics_.GetLock());
        physics_.SetCueBall(static_cast<uint16_t>(ball));
    }
    requests_.RequestNewCueBall(keepAim);
}

void GameTable::ReAim(float seconds, bool /*flag*/) {
    ScopedLock holdTable(tableLock_);
    aim_.UpdateCueModel();
    const Vec3 cue = CueBallPosition();
    float dx = aim_.Pose().aimPointX - cue.x;
    float dy = aim_.Pose().aimPointY - cue.y;
    quill::Normalize2D(&dx, &dy);
    int32_t first = -1;
    {
        ScopedLock hold(physics_.GetLock());
        first = physics_.FirstBallOnLine({dx, dy, 0.0f});
    }
    float yaw = aim_.Pose().aimYaw;
    if (first >= 0) {
        // Toward the ball the cue ball would meet, a little off its centre.
        const Vec3 target = physics_.CachedPosition(static_cast<uint32_t>(first));
        const float offsetX = static_cast<float>(services_.Random() % 100) / 30.0f;
        const float offsetY = static_cast<float>(services_.Random() % 100) / 30.0f;
        yaw = YawBetweenPoints(cue.x, cue.y, cue.z, target.x + offsetX, target.y + offsetY, target.z);
    }
    float distance = cameras_.DefaultCameraDistance();
    float pitch = cameras_.DefaultCameraPitch();
    if (cameras_.Options().useCallerDistance) {
        const bool far =
            LockedGetDistance(cameras_.GetCamera().CurrentCameraRef()) >= TableCameraRig::kDefaultCameraDistance;
        distance = far ? TableCameraRig::kDefaultCameraDistance : kKeep;
        pitch = far ? TableCameraRig::kDefaultCameraPitch : kKeep;
    }
    cameras_.GetCamera().SetTarget(distance, pitch, WrapDegrees(yaw - 180.0f), kKeep);
    cameras_.GetCamera().SetLookAt(cue);
    cameras_.GetCamera().StartMove(TruncateToInt32(seconds * 200.0f), 0);
}

void GameTable::ResetCamera() {
    ScopedLock holdTable(tableLock_);
    const CameraRef camera = cameras_.GetCamera().CurrentCameraRef();
    if (camera != nullptr && *camera != nullptr) {
        quill::Camera& current = **camera;
        {
            ScopedLock hold(current.GetLock());
            current.SetPitch(0.5236f, false);
        }
        {
            ScopedLock hold(current.GetLock());
            current.SetYaw(quill::kPi);
        }
        LockedSetDistance(camera, 300.0f);
    }
    aim_.UpdateCueModel();
}

// --- shared cue models ---


bool GameTable::UnloadModels() {
    models_.ReleaseBallModels();
    cueModels_.DropModels();
    render_.SetMarkers(nullptr, nullptr);
    chalkBursts_.ClearChalkBursts();
    ambient_.Clear();
    models_.ReleaseMarkers();
    pensAndMarks_.SetMarkModel(nullptr);
    models_.ReleaseShadowAndEnvironment();
    return true;
}

}  // namespace kestrovan
