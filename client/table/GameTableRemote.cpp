// GameTable: what other threads ask of the aim and the cameras. The dispatch thread applies other players'
// messages and the screens handle turns there; these requests wait until the next update
// (game thread) makes them (TableRequests).
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/Vec3.h"
#include "client/rules/TablePhysics.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/TableAim.h"
#include "client/table/TableAngles.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableRack.h"
#include "client/table/TableShotRecords.h"

namespace kestrovan {

using quill::ScopedLock;

void GameTable::ApplyRemoteRequests() {
    const TableRequests::Requests requests = requests_.Take();
    // In the order the requests arise in a turn: a new cue ball, a relayed stroke's aim, the camera, the swing.
    if (requests.resetAim) {
        aim_->Pose().Reset();
    }
    if (requests.aimFromShotRecord) {
        AimFromShotRecord();
    }
    MakeCameraMove(requests.cameraMove);
    if (requests.strokeStart) {
        StartShotNow(requests.swings, requests.keepCamera);
    }
}

void GameTable::MakeCameraMove(CameraMove move) {
    const bool topView = cameras_->GetCamera().Mode() == CameraController::kTopViewMode;
    switch (move) {
        case CameraMove::kNone:
            break;
        case CameraMove::kLookAtCueBall:
            if (!topView) {
                constexpr float kKeep = CameraController::kKeep;
                cameras_->GetCamera().SetTarget(kKeep, kKeep, kKeep, kKeep);
                cameras_->GetCamera().SetLookAt(CueBallPosition());
                cameras_->GetCamera().StartMove(100, 0);
            }
            break;
        case CameraMove::kFollowCueBall:
            if (!topView) {
                cameras_->MoveCamera(0.5f, CameraController::kKeep, CameraController::kKeep, false);
            }
            cameras_->SetRefocusOnTopViewExit(true);
            break;
        case CameraMove::kReAim:
            if (topView) {
                cameras_->SetRefocusOnTopViewExit(true);
            } else {
                rack_->ReAim(1.0f, false);
            }
            break;
        case CameraMove::kRefocusInTopView:
            if (topView) {
                cameras_->SetRefocusOnTopViewExit(true);
            }
            break;
    }
}

void GameTable::AimFromShotRecord() {
    float aimX = 0.0f;
    float aimY = 0.0f;
    {
        ScopedLock hold(physics_->GetLock());
        aimX = records_->GetShotRecord().aimPointX;
        aimY = records_->GetShotRecord().aimPointY;
        aim_->Pose().tipOffsetX = records_->GetShotRecord().tipOffsetX;
        aim_->Pose().tipOffsetY = records_->GetShotRecord().tipOffsetY;
        aim_->Pose().elevation = records_->GetShotRecord().paramC;
    }
    const quill::Vec3 cue = CueBallPosition();
    aim_->Pose().SetYawDegrees(YawBetweenPoints(cue.x, cue.y, cue.z, aimX, aimY, 0.0f));
    aim_->UpdateCueModel();
}

}  // namespace kestrovan
