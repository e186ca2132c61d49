#include "client/table/GameTable.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/core/ClientVersion.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/MathConstants.h"
#include "client/physics/TableGeometry.h"
#include "client/table/BallPicking.h"
#include "client/table/LockedCamera.h"
#include "client/table/ScreenProjection.h"
#include "client/table/StrokeComputation.h"
#include "client/table/TableAim.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableAngles.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableCameraEvents.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableChalkBursts.h"
#include "client/table/TableCueModels.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableEvents.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableMessageIo.h"
#include "client/table/TableModels.h"
#include "client/table/TableOptions.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "client/table/TableTrails.h"
#include "client/table/TruncateToInt.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

}  // namespace

GameTable::GameTable()
    : physics_(std::make_unique<TablePhysics>()),
      records_(std::make_unique<TableShotRecords>(*physics_)),
      aim_(std::make_unique<TableAim>(*this)),
      cameras_(std::make_unique<TableCameraRig>(*physics_, aim_->Pose())),
      pensAndMarks_(std::make_unique<TablePensAndMarks>(services_, *physics_, *cameras_)),
      hudValues_(std::make_unique<TableHudValues>()),
      trails_(std::make_unique<TableTrails>()),
      equipment_(std::make_unique<TableEquipment>(services_, *physics_, *trails_, *pensAndMarks_, *hudValues_)),
      picking_(std::make_unique<TableBallPicking>(services_, *physics_, *cameras_)),
      models_(std::make_unique<TableModels>(*this, services_, *physics_, *equipment_)),
      input_(std::make_unique<TableInput>(*this)),
      cameraEvents_(std::make_unique<TableCameraEvents>(state_, shot_.running, *cameras_, *aim_, *input_, turn_)),
      rack_(std::make_unique<TableRack>(*this, *physics_, *records_, requests_)),
      messages_(std::make_unique<TableMessageIo>(*this, *physics_, *records_, requests_)),
      render_(std::make_unique<TableRenderStep>(*this)),
      cueModels_(std::make_unique<TableCueModels>(
          [this](CueModelEntry& entry, bool entryGoes) { render_->ForgetCueModel(entry, entryGoes); })),
      chalkBursts_(std::make_unique<TableChalkBursts>()),
      ambient_(std::make_unique<TableAmbient>()) {
    physics_->SetTableState(state_);
}

GameTable::~GameTable() {
    // The models leave the scene first, while everything they were placed from still exists.
    models_->UnloadModels();
}

void GameTable::SnapshotBalls() {
    physics_->SnapshotBalls();
}

void GameTable::SetSound(TableSound* sound) {
    services_.sound = sound;
    physics_->SetSound(sound);
}

// --- the ball set ---

uint32_t GameTable::BallCount() const {
    return std::min<uint32_t>(physics_->BallCount(), quill::kMaxBalls);
}

Vec3 GameTable::CueBallPosition() const {
    return physics_->CachedPosition(physics_->CueBall());
}

float GameTable::TableUnit() const {
    return static_cast<float>(physics_->GetHalfTableSize());
}

// --- state and setters ---

int32_t GameTable::SetState(int32_t state) {
    state_ = state;
    physics_->SetTableState(state);
    return state_;
}

bool GameTable::StopShot() {
    if (!shot_.running) {
        return false;
    }
    StopPhysics();
    shot_.running = false;
    return true;
}

void GameTable::StopPhysics() {
    // The physics keeps a stop request until its next step, which a stopped table does not take: left there, it
    // would end the next shot at its first step. The step taken here consumes it and moves nothing.
    ScopedLock hold(physics_->GetLock());
    physics_->RequestStop();
    physics_->Step();
}

int32_t GameTable::ClampTurnCode(int32_t code) {
    const int32_t r = code % 1000;
    const int32_t q = code / 1000;
    return r < 4 ? r : std::min(q, 3) * 1000 + r;
}

int32_t GameTable::GetClampedCounter() {
    return ClampTurnCode(physics_->GetReferee().Analysis().Code());
}

bool GameTable::SetRuleCounter(int32_t counter) {
    ShotAnalysis& analysis = physics_->GetReferee().Analysis();
    if (analysis.Code() == counter) return false;
    analysis.OverrideCode(counter);
    return true;
}

// --- the stroke ---

void GameTable::ComputeStroke() {
    const uint32_t count = BallCount();
    {
        ScopedLock hold(physics_->GetLock());
        for (uint32_t i = 0; i < count; ++i) {
            records_->GetShotRecord().positions[i] = physics_->CachedPosition(i);
            records_->GetShotRecord().rotations[i] = physics_->CachedOrientation(i);
            records_->GetShotRecord().ballFlags[i] = physics_->CachedFlag(i);
        }
    }
    StrokeInputs in;
    in.tipOffsetX = aim_->Pose().tipOffsetX;
    in.tipOffsetY = aim_->Pose().tipOffsetY;
    in.aimPointX = aim_->Pose().aimPointX;
    in.aimPointY = aim_->Pose().aimPointY;
    in.elevation = aim_->Pose().elevation;
    in.livePower = aim_->Power();
    in.tableState = state_;
    in.chalkLevel = aim_->ChalkLevel();
    if (services_.player != nullptr) {
        in.skills = services_.player->GetSkills();
        in.cue = services_.player->GetEquippedCue(equipment_->GameMode());
        in.chalkItemId = services_.player->GetCurrentChalkId();
        in.aimItemBonus = services_.player->GetAimItemBonus();
    }
    if (in.chalkItemId != 0 && services_.itemModels != nullptr) {
        in.chalk = services_.itemModels->FindChalkStatistics(in.chalkItemId);
    }
    if (services_.connection != nullptr) {
        in.guideLineBonus = services_.connection->GetGuideLineBonus();
        in.perfectChalkBonus = services_.connection->GetPerfectChalkBonus();
        in.noDeviation = services_.connection->IsNoDeviationActive();
    }
    records_->GetShotRecord().cueBallIndex = static_cast<uint8_t>(physics_->CueBall());
    StrokeComputation::Compute(in, records_->GetShotRecord(), [this] { return services_.Random(); });

    hudValues_->SetShownPower(aim_->Power());
    aim_->UpdatePowerGauge();
    hudValues_->Hud().SetVisible(TableHud::kAimCursor, false);
    // A glide of the aim must not move the cue away from the stroke just computed.
    aim_->Pose().StopEase();
}

// --- the aim ---

void GameTable::ApplyAppOptions(const TableOptions& options) {
    TableCameraRig::CameraOptions& cameraOptions = cameras_->Options();
    cameraOptions.strokeScale = static_cast<float>(options.strokeScalePercent) / 100.0f;
    cameraOptions.verticalOrbitScale = static_cast<float>(options.verticalOrbitPercent) / 100.0f;
    cameraOptions.horizontalOrbitScale = static_cast<float>(options.horizontalOrbitPercent) / 100.0f;
    cameraOptions.invertVertical = options.invertVertical != 0;
    cameraOptions.invertHorizontal = options.invertHorizontal != 0;
    const int32_t previousOption = cameraOptions.cameraOption;
    cameraOptions.cameraOption = options.cameraOption;
    cameraOptions.cameraFlagC = options.cameraFlagC != 0;
    cameraOptions.useCallerDistance = options.useCallerDistance != 0;
    cameraOptions.cameraFlagA = options.cameraOption == 2;
    cameraOptions.cameraFlagB = options.cameraOption == 2 || options.cameraOption == 3;
    cameraOptions.cameraForced = false;
    hudValues_->SetPowerDisplayMode(options.powerDisplayOption == 1 ? 1 : 0);
    if (cameraOptions.cameraOption != previousOption && cameraOptions.cameraOption >= 2 && !shot_.running) {
        cameras_->FocusCameraOnCueBall();
    }
}

// --- equipment, set-up and shot restore ---

void GameTable::RestoreShotRecord(const ShotRecord& record) {
    {
        ScopedLock hold(physics_->GetLock());
        records_->GetShotRecord() = record;
        shot_.running = false;
        const uint32_t count = BallCount();
        for (uint32_t i = 0; i < count; ++i) {
            const Vec3& p = record.positions[i];
            const quill::Quaternion& q = record.rotations[i];
            physics_->SetBallPosition(i, p.x, p.y, p.z);
            physics_->SetBallOrientation(i, q.x, q.y, q.z, q.w);
            if (!quill::IsCaromGame(record.gameMode)) {
                physics_->SetBallFlag(i, record.ballFlags[i]);
            }
        }
        physics_->SetCueBall(record.cueBallIndex < count ? record.cueBallIndex : 0);
    }
    aim_->SetAimParameters(record.aimPointX, record.aimPointY, record.tipOffsetX, record.tipOffsetY, record.paramC);
    render_->ShowShownModels(true);
}

void GameTable::LoadShotRecord(const ShotData& data) {
    ShotRecord record;
    record.valid = ShotRecord::kValidFilled;
    record.version = quill::kClientVersion;
    record.physicsModelCode = physics_->ModelCode();
    record.TakeFields(data);
    records_->KeepStrokeInRange(record, u"shot text");
    {
        ScopedLock hold(physics_->GetLock());
        physics_->ResetBalls();
        shot_.running = false;
        // The text's ball count is not trusted: no more balls than the table has.
        const uint32_t count = std::min<uint32_t>(data.ballCount, BallCount());
        record.ballCount = static_cast<uint8_t>(count);
        for (uint32_t i = 0; i < count; ++i) {
            const Vec3& p = data.positions[i];
            const quill::Quaternion& q = data.rotations[i];
            record.positions[i] = p;
            record.rotations[i] = q;
            record.ballFlags[i] = data.ballFlags[i];
            physics_->SetBallPosition(i, p.x, p.y, p.z);
            physics_->SetBallOrientation(i, q.x, q.y, q.z, q.w);
            if (!quill::IsCaromGame(data.gameMode)) {
                physics_->SetBallFlag(i, data.ballFlags[i]);
            }
        }
        physics_->SetCueBall(data.cueBallIndex < BallCount() ? data.cueBallIndex : 0);
        records_->GetShotRecord() = record;
    }
    aim_->SetAimParameters(record.aimPointX, record.aimPointY, record.tipOffsetX, record.tipOffsetY, record.paramC);
    render_->SetVisible(true);
}

void GameTable::ResetBallsFromShotRecord() {
    {
        ScopedLock hold(physics_->GetLock());
        physics_->ResetBalls();
        shot_.running = false;
        for (uint32_t i = 0; i < BallCount(); ++i) {
            const Vec3& p = records_->GetShotRecord().positions[i];
            physics_->SetBallPosition(i, p.x, p.y, p.z);
            if (!quill::IsCaromGame(records_->GetShotRecord().gameMode)) {
                physics_->SetBallFlag(i, records_->GetShotRecord().ballFlags[i]);
            }
        }
        aim_->SetAimParameters(records_->GetShotRecord().aimPointX, records_->GetShotRecord().aimPointY, records_->GetShotRecord().tipOffsetX,
                         records_->GetShotRecord().tipOffsetY, records_->GetShotRecord().paramC);
    }
    render_->SetVisible(true);
}

// --- models and effects ---

void GameTable::StartAmbientEffect(uint32_t now) {
    if (render_->IsVisible()) {
        // The chalk swings above the cue ball, where the player chalks the cue.
        ambient_->Restart(now, CueBallPosition() + Vec3{0.0f, 0.0f, physics_->BallRadius() * 3.0f});
    }
}

}  // namespace kestrovan
