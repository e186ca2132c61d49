#include "client/table/TableRack.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vector2D.h"
#include "client/rules/TablePhysics.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/TableAim.h"
#include "client/table/TableAngles.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableCameras.h"
#include "client/table/TableEquipment.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "client/table/TruncateToInt.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

// A ball's place and turn, remembered across a re-rack.
struct BallPose {
    Vec3 position;
    quill::Quaternion rotation;
};

}  // namespace

TableRack::TableRack(GameTable& table, TablePhysics& physics, TableShotRecords& records, TableRequests& requests)
    : table_(table), physics_(physics), records_(records), requests_(requests) {}

void TableRack::RackBalls() {
    {
        ScopedLock hold(physics_.GetLock());
        physics_.PlaceRack();
    }
    records_.SyncReportRecord();
}

void TableRack::PlaceBallsSpaced() {
    {
        ScopedLock hold(physics_.GetLock());
        physics_.PlaceBallsSpaced();
    }
    records_.SyncReportRecord();
}

bool TableRack::ReRackIfNeeded(uint32_t rackArgument, bool force) {
    const uint32_t count = table_.BallCount();
    uint32_t left = 0;
    int32_t last = -1;
    for (uint32_t i = 1; i < count; ++i) {
        if (physics_.CachedFlag(i) == 0) {
            ++left;
            last = static_cast<int32_t>(i);
        }
    }
    if (table_.Equipment().GameMode() == type::kStraightPool && left < 2) {
        {
            ScopedLock hold(physics_.GetLock());
            const uint32_t cueBall = physics_.CueBall();
            const BallPose cue{physics_.CachedPosition(cueBall), physics_.CachedOrientation(cueBall)};
            const BallPose lastBall = left == 1 ? BallPose{physics_.CachedPosition(static_cast<uint32_t>(last)),
                                                           physics_.CachedOrientation(static_cast<uint32_t>(last))}
                                                : BallPose{};
            if (table_.Services().sound != nullptr) {
                table_.Services().sound->PlaySound(GameTable::kReRackSound, 1.0f);
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
                    physics_.SetBallPosition(cueBall, -table_.Picking().Bounds().halfLength, 0.0f, position.z);
                }
            }
        }
        records_.SyncReportRecord();
        return true;
    }
    const bool racksAgain =
        table_.Equipment().GameMode() == type::kEightBall || table_.Equipment().GameMode() == type::kNineBall;
    if (racksAgain && (table_.State() == 4 || table_.State() == 5 || force) && left == 0) {
        if (table_.Services().sound != nullptr) {
            table_.Services().sound->PlaySound(GameTable::kReRackSound, 1.0f);
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

void TableRack::SetBallPosition(uint32_t ball, float x, float y, float z) {
    bool cueBall = false;
    {
        ScopedLock hold(physics_.GetLock());
        physics_.SetBallPosition(ball, x, y, z);
        cueBall = ball == physics_.CueBall();
    }
    records_.SyncReportRecord();
    if (cueBall) {
        requests_.RequestCameraMove(TableRequests::CameraMove::kFollowCueBall);
    }
}

void TableRack::SetCueBall(int32_t ball, bool keepAim) {
    {
        ScopedLock hold(physics_.GetLock());
        physics_.SetCueBall(static_cast<uint16_t>(ball));
    }
    requests_.RequestNewCueBall(keepAim);
}

void TableRack::ReAim(float seconds, bool /*flag*/) {
    WidgetToolkit::CheckTreeAccess("TableRack::ReAim");
    table_.Aim().UpdateCueModel();
    const Vec3 cue = table_.CueBallPosition();
    float dx = table_.Aim().Pose().aimPointX - cue.x;
    float dy = table_.Aim().Pose().aimPointY - cue.y;
    quill::Normalize2D(&dx, &dy);
    int32_t first = -1;
    {
        ScopedLock hold(physics_.GetLock());
        first = physics_.FirstBallOnLine({dx, dy, 0.0f});
    }
    float yaw = table_.Aim().Pose().aimYaw;
    if (first >= 0) {
        // Toward the ball the cue ball would meet, a little off its centre.
        const Vec3 target = physics_.CachedPosition(static_cast<uint32_t>(first));
        const float offsetX = static_cast<float>(table_.Services().Random() % 100) / 30.0f;
        const float offsetY = static_cast<float>(table_.Services().Random() % 100) / 30.0f;
        yaw = YawBetweenPoints(cue.x, cue.y, cue.z, target.x + offsetX, target.y + offsetY, target.z);
    }
    float distance = table_.Cameras().DefaultCameraDistance();
    float pitch = table_.Cameras().DefaultCameraPitch();
    if (table_.Cameras().Options().useCallerDistance) {
        const bool far = LockedGetDistance(table_.Cameras().GetCamera().CurrentCameraRef()) >=
                         TableCameraRig::kDefaultCameraDistance;
        distance = far ? TableCameraRig::kDefaultCameraDistance : CameraController::kKeep;
        pitch = far ? TableCameraRig::kDefaultCameraPitch : CameraController::kKeep;
    }
    table_.Cameras().GetCamera().SetTarget(distance, pitch, WrapDegrees(yaw - 180.0f), CameraController::kKeep);
    table_.Cameras().GetCamera().SetLookAt(cue);
    table_.Cameras().GetCamera().StartMove(TruncateToInt32(seconds * 200.0f), 0);
}

void TableRack::ResetCamera() {
    WidgetToolkit::CheckTreeAccess("TableRack::ResetCamera");
    const CameraRef camera = table_.Cameras().GetCamera().CurrentCameraRef();
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
    table_.Aim().UpdateCueModel();
}

void TableRack::SetCueBallIndex(int32_t ball) {
    physics_.SetCueBall(static_cast<uint16_t>(ball));
}

void TableRack::ResetShotToState7(uint32_t rackArgument) {
    table_.PensAndMarks().ClearMarks();
    table_.SetState(7);
    table_.Picking().SetPlacementArea(0);
    {
        ScopedLock hold(physics_.GetLock());
        physics_.StartRack(rackArgument);
        physics_.SetCueBall(0);
        physics_.SetSecondBall(-1);
    }
    table_.RenderStep().ShowCue();
}

}  // namespace kestrovan
