// GameTable: the shot. The local player's stroke is committed into the shot record, a relayed or replayed shot is
// started from it (after the cue's swing when asked), the physics is struck, the camera follows, the chalk
// bursts from the tip and the shot is charged to the local player. Game thread.
#include <algorithm>
#include <cmath>

#include "QuillLib/core/ClientVersion.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Vector2D.h"
#include "client/rules/StrokeParameters.h"
#include "client/rules/TablePhysics.h"
#include "client/table/CameraController.h"
#include "client/table/CueClearance.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/ParticleBurst.h"
#include "client/table/ShotClassification.h"
#include "client/table/StrokeComputation.h"
#include "client/table/TableAim.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableAngles.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableChalkBursts.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableEvents.h"
#include "client/table/TableHud.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "client/table/TableTrails.h"
#include "client/table/TruncateToInt.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

constexpr uint8_t kPenKey = 'Z';

// What the shot record takes of the table and the cue. The caller holds the physics lock, which guards the shot
// record.
void StampRecordHeader(GameTable& table, const TableRenderStep::CueIdentity& cue) {
    ShotRecord& record = table.Records().GetShotRecord();
    record.version = quill::kClientVersion;
    record.physicsModelCode = table.Physics().ModelCode();
    record.gameMode = static_cast<uint8_t>(table.Equipment().GameMode());
    record.ballCount = static_cast<uint8_t>(table.BallCount());
    record.tableItemId = table.Equipment().TableItemId();
    record.ballSetItemId = table.Equipment().BallSetItemId();
    if (cue.present) {
        record.cueItemId = cue.itemId;
    }
    record.cuePartIds = cue.parts;
    record.chalkValue = static_cast<uint8_t>(table.Aim().ChalkLevel());
}

}  // namespace

// --- commit and start ---

void GameTable::CommitShot() {
    WidgetToolkit::CheckTreeAccess("GameTable::CommitShot");
    render_->SetVisible(false);
    hudValues_->Hud().SetVisible(TableHud::kOverlayPanel, false);
    hudValues_->Hud().SetVisible(TableHud::kCueBallPanel, false);
    aim_->UpdatePowerGauge();
    aim_->LeaveTargetMode();
    const TableRenderStep::CueIdentity cue = render_->CurrentCueIdentity();
    {
        ScopedLock hold(physics_->GetLock());
        ShotClassification::ShapeStroke(records_->GetShotRecord());
        records_->SetLastShotClass(ShotClassification::Classify(records_->GetShotRecord()));
        StampRecordHeader(*this, cue);
        // A weak break in three-cushion is played at about half power.
        const bool threeCushion =
            equipment_->GameMode() == type::kThreeCushion || equipment_->GameMode() == type::kThreeCushionGamble;
        if (threeCushion && physics_->RackShots() == 0 && state_ == 7 && records_->GetShotRecord().power < 0.5f) {
            records_->GetShotRecord().power = static_cast<float>(0.5 + static_cast<double>(services_.Random() % 50) / 1000.0);
        }
        records_->GetShotRecord().valid |= ShotRecord::kValidFilled;
        records_->CommitRecord(state_);
    }
    StartShot(0, false);
}

void GameTable::StartShot(int32_t swings, bool keepCamera) {
    if (swings <= 0) {
        StartShotNow(0, keepCamera);
        return;
    }
    // The swing belongs to the aim state of the game thread: the next update starts it.
    requests_.RequestStrokeStart(swings, keepCamera);
}

void GameTable::StartShotNow(int32_t swings, bool keepCamera) {
    input_->OnKey(kPenKey, false);
    hudValues_->ForScreens().breakAgain = false;
    trails_->ClearTrails();
    render_->HideMarkers();
    picking_->SetPlacementArea(0);
    if (swings > 0) {
        aim_->Pose().pullBack = kRestingPullBack;
        render_->SetVisible(true);
        shot_.pending = true;
        aim_->Pose().StartStroke(swings);
    } else {
        cameras_->KeepCurrentViewAsDefault();
        float power = 0.0f;
        {
            ScopedLock hold(physics_->GetLock());
            power = records_->GetShotRecord().power;
            hudValues_->SetShownPower(power);
            hudValues_->SetStrokeDeviation(records_->GetShotRecord().paramG);
        }
        hudValues_->ShowShotPower(power);
        records_->SetShotStartTime(platform::TimeGetTime());
        render_->SetVisible(false);
        const float strikeValue = StartPhysics();
        shot_.running = true;
        FollowShotWithCamera(keepCamera);
        const quill::Transform impact = aim_->ImpactTransform();
        render_->SetCueTransform(impact);
        ambient_->SetLastTime(shot_.lastUpdateTime);
        shot_.cost = 0;
        PlayChalkBurst(strikeValue, impact);
        ChargeLocalShot(strikeValue);
    }
    input_->Flags().aimDragHeld = false;
    render_->ClearDragOverride();
}

float GameTable::StartPhysics() {
    StrokeParameters stroke;
    {
        ScopedLock hold(physics_->GetLock());
        const ShotRecord& r = records_->GetShotRecord();
        stroke = {r.powerCap,   r.power,   r.paramG,  r.aimPointX, r.aimPointY,  r.tipOffsetX,  r.tipOffsetY,
                  r.strokeX,    r.strokeY, r.paramD,  r.paramE,    r.paramF,     r.startParamA, r.startParamB};
    }
    return physics_->Strike(stroke);
}

bool GameTable::TableCornersInView() const {
    quill::Camera* camera = cameras_->GetCamera().CurrentCamera();
    if (camera == nullptr) {
        return false;
    }
    ScopedLock hold(camera->GetLock());
    for (const float x : {-120.0f, 120.0f}) {
        for (const float y : {-60.0f, 60.0f}) {
            if (camera->ClassifySphere({x, y, 0.0f}, 0.0f, nullptr) == quill::Camera::kOutside) {
                return false;
            }
        }
    }
    return true;
}

// After the strike the camera draws back so that the whole table shows.
void GameTable::FollowShotWithCamera(bool keepCamera) {
    if (!cameras_->Options().cameraFlagC || keepCamera ||
        cameras_->GetCamera().Mode() == CameraController::kTopViewMode || state_ == 6) {
        return;
    }
    const CameraRef camera = cameras_->GetCamera().CurrentCameraRef();
    const float pitch = GetCameraPitchDegrees(camera);
    const float distance = LockedGetDistance(camera);
    const float pitchTarget = pitch < 25.0f ? 25.0f : CameraController::kKeep;
    const float distanceTarget = !TableCornersInView() || distance < 350.0f ? pitch + 350.0f : CameraController::kKeep;
    cameras_->GetCamera().SetTarget(distanceTarget, pitchTarget, CameraController::kKeep, CameraController::kKeep);
    cameras_->GetCamera().SetLookAt(Vec3{});
    cameras_->GetCamera().StartMove(300, 0);
}

void GameTable::PlayChalkBurst(float strikeValue, const quill::Transform& impact) {
    WidgetToolkit::CheckTreeAccess("GameTable::PlayChalkBurst");
    ScopedLock holdRecord(physics_->GetLock());
    records_->GetShotRecord().chalkUsed = 0;
    if (records_->GetShotRecord().chalkItemId == 0 || records_->GetShotRecord().chalkValue == 0) {
        return;
    }
    const int32_t amount = TruncateToInt32((strikeValue + records_->GetShotRecord().power) * 200.0f);
    int32_t used = std::min(TruncateToInt32(static_cast<float>(amount) / 5.0f), 100);
    if (used < 11) {
        used = 7 + services_.Random() % 5;
    }
    records_->GetShotRecord().chalkUsed = static_cast<uint8_t>(used);
    ParticleBurst* burst = chalkBursts_->SelectChalkBurst(records_->GetShotRecord().chalkItemId);
    if (burst == nullptr) {
        return;
    }
    // A clean strike (off the centre) throws more, larger and faster chalk.
    const bool offCentre = strikeValue > 0.0f;
    const float fade = offCentre ? 0.8f : 0.4f;
    const float alpha = offCentre ? 0.1f : 0.03f;
    const float acceleration = offCentre ? 60.0f : 10.0f;
    const float spawnRadius = offCentre ? 1.8f : 1.0f;
    const auto count = static_cast<uint32_t>(
        std::max(TruncateToInt32(static_cast<float>(records_->GetShotRecord().chalkValue) * static_cast<float>(amount) * 0.01f +
                                 0.5f),
                 0));
    burst->Start(count, fade, alpha, 0.01f, spawnRadius, 8.0f, acceleration, 0.04f);
    burst->Emit(impact);
    chalkBursts_->SetBurstTime(shot_.lastUpdateTime);
}

void GameTable::ChargeLocalShot(float strikeValue) {
    if ((records_->GetCommittedRecord().valid & ShotRecord::kValidLocalShot) != 0) {
        float power = 0.0f;
        uint8_t chalkUsed = 0;
        {
            ScopedLock hold(physics_->GetLock());
            power = records_->GetShotRecord().power;
            chalkUsed = records_->GetShotRecord().chalkUsed;
        }
        shot_.cost = TruncateToInt32(((strikeValue + power) * 2.0f + 4.0f) * 7.5f);
        aim_->SetChalkLevel(aim_->ChalkLevel() - chalkUsed);
        if (state_ != 6 && services_.host != nullptr) {
            services_.host->PostEvent(quill::AppEventId::ShotFired, static_cast<uint32_t>(TruncateToInt32(power * 100.0f)), 0,
                             0);
        }
        // The flag is spent: a shot relayed later is another player's, not charged to this one.
        records_->GetCommittedRecord().valid &= ~ShotRecord::kValidLocalShot;
    }
    aim_->SetChalkLevel(std::max(aim_->ChalkLevel(), 0));
    aim_->UpdatePowerGauge();
}

}  // namespace kestrovan
