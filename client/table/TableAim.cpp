// TableAim: the cue and the aim. The aim's pose with the strike point and the cue's elevation, raised so that
// the stick clears the balls and the rails; the cue placed where the aim puts it; the power gauge and the aiming
// cursor of the HUD; the called target ball and pocket; the mouse stroke's sampler and what it reads of the table.
#include "client/table/TableAim.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Vector2D.h"
#include "client/physics/PhysicsModel.h"
#include "client/rules/TablePhysics.h"
#include "client/table/BallScreenInfo.h"
#include "client/table/CameraController.h"
#include "client/table/CueClearance.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/PlacementArea.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableAngles.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableHud.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

constexpr float kTipLimit = 0.7f;
constexpr float kBreakTipLimit = 0.4f;
constexpr float kTipStep = 0.004f;
constexpr float kLowestElevation = 2.6f;
constexpr float kHighestElevation = 88.4f;
constexpr float kBreakElevation = 15.0f;

float ToRadians(float degrees) {
    return quill::DegreesToRadians(degrees);
}

// The offset moved by one event: slower toward the edge when it moves the way it already leans.
float StepTipOffset(float offset, float movement) {
    const bool outward = (movement > 0.0f && offset > 0.0f) || (movement < 0.0f && offset < 0.0f);
    const float step = outward ? (kTipLimit - std::fabs(offset)) * kTipStep : kTipStep;
    return offset + step * movement;
}

}  // namespace

TableAim::TableAim(GameTable& table)
    : table_(table), stroke_(TheStrokeSampleAverage(), [this] { return table_.Services().Random(); }) {}

void TableAim::SetTargetMode(bool on) {
    targetMode_ = on;
    targetBall_ = -1;
}

void TableAim::SetTargetBall(int32_t ball) {
    targetMode_ = false;
    targetBall_ = static_cast<int8_t>(ball);
    table_.Physics().SetSecondBall(ball);
}

void TableAim::ClearTargetBall(int32_t /*ignored*/) {
    targetMode_ = false;
    targetBall_ = -1;
}

void TableAim::SetSideOption(int32_t value) {
    sideOption_ = value == 2 ? 3 - sideOption_ : value;
}

void TableAim::SetAimParameters(float aimPointX, float aimPointY, float tipOffsetX, float tipOffsetY,
                                 float elevation) {
    const Vec3 cue = table_.CueBallPosition();
    pose_.aimPointX = aimPointX;
    pose_.aimPointY = aimPointY;
    pose_.tipOffsetX = tipOffsetX;
    pose_.tipOffsetY = tipOffsetY;
    pose_.SetYawDegrees(YawBetweenPoints(cue.x, cue.y, cue.z, aimPointX, aimPointY, 0.0f));
    pose_.elevation = elevation;
    pose_.elevationCopy = elevation;
    pose_.pullBack = GameTable::kRestingPullBack;
}

void TableAim::AimEasedCamera(float aimPointX, float aimPointY, float tipOffsetX, float tipOffsetY,
                               float elevation) {
    WidgetToolkit::CheckTreeAccess("TableAim::AimEasedCamera");
    const Vec3 cue = table_.CueBallPosition();
    const float yaw = YawBetweenPoints(cue.x, cue.y, cue.z, aimPointX, aimPointY, 0.0f);
    pose_.aimPointX = aimPointX;
    pose_.aimPointY = aimPointY;
    pose_.SetTargets(tipOffsetX, tipOffsetY, yaw, elevation);
    pose_.StartEase(200);
}

void TableAim::UpdatePowerGauge() {
    PowerGaugeInputs in;
    in.shownPower = table_.HudValues().ShownPower();
    in.power = power_;
    in.strokeDeviation = table_.HudValues().StrokeDeviation();
    in.powerDisplayMode = table_.HudValues().PowerDisplayMode();
    in.controlEnabled = table_.Turn().IsControlEnabled();
    in.strokeKeyHeld = table_.Input().Flags().strokeKeyHeld;
    in.strokeFinishing = table_.Input().Flags().strokeFinishing;
    in.aimFollowsCamera = table_.Turn().AimFollowsCamera();
    in.showPowerFigures = table_.HudValues().ShowsPowerFigures();
    const std::optional<BallScreenInfo> cueBall = table_.Picking().CueBallScreenInfo();
    in.cueBall = cueBall.has_value() ? &*cueBall : nullptr;
    table_.HudValues().Hud().UpdatePowerGauge(in);
}

void TableAim::SetAimCursor(bool restore, bool warpBack, int32_t frame) {
    table_.HudValues().Hud().SetAimCursor(table_.Services().host, restore, warpBack, frame);
}

bool TableAim::InBreakLimits() const {
    return (table_.Equipment().GameMode() == type::kThreeCushion ||
            table_.Equipment().GameMode() == type::kThreeCushionGamble) &&
           sideOption_ == 0 && table_.State() == 7;
}

void TableAim::MoveTipOffset(int32_t dxCounts, int32_t dyCounts) {
    const float dx = static_cast<float>(dxCounts) * table_.Cameras().Options().horizontalOrbitScale;
    const float dy = static_cast<float>(dyCounts) * table_.Cameras().Options().verticalOrbitScale;
    float x = StepTipOffset(pose_.tipOffsetX, dx);
    float y = StepTipOffset(pose_.tipOffsetY, dy);
    float limit = kTipLimit;
    if (InBreakLimits()) {
        y = std::max(y, 0.0f);
        limit = kBreakTipLimit;
    }
    const float length = std::sqrt(x * x + y * y);
    if (length > limit) {
        x = x * limit / length;
        y = y * limit / length;
    }
    pose_.tipOffsetX = x;
    pose_.tipOffsetY = y;
    UpdateCueModel();
}

void TableAim::ChangeElevation(int32_t dy) {
    float highest = elevationLimitDefault_ || elevationLimit_ > kHighestElevation ? kHighestElevation
                                                                                  : elevationLimit_;
    if (InBreakLimits()) {
        highest = std::min(highest, kBreakElevation);
    }
    const float raised =
        pose_.elevationCopy - static_cast<float>(dy) * table_.Cameras().Options().verticalOrbitScale / 8.0f;
    pose_.elevationCopy = std::max(std::min(raised, highest), kLowestElevation);
    UpdateCueModel();
}

void TableAim::SetElevationLimit(float degrees, bool useDefault) {
    WidgetToolkit::CheckTreeAccess("TableAim::SetElevationLimit");
    elevationLimit_ = degrees;
    elevationLimitDefault_ = useDefault;
}

// Looking along the cue, the view keeps just above the cue's elevation.
void TableAim::PitchToElevation() {
    if (table_.Cameras().IsCameraBusy()) {
        return;
    }
    float offset = 0.0f;
    if (table_.Input().Flags().cueViewKeyHeld) {
        offset = 1.5f;
    } else if (table_.Input().Flags().zoomKeyHeld && table_.Input().Flags().mouseAimHeld) {
        offset = 1.3f;
    } else {
        return;
    }
    float elevation = 0.0f;
    elevation = pose_.elevation;
    CameraRef camera = table_.Cameras().GetCamera().CurrentCameraRef();
    if (camera != nullptr && *camera != nullptr) {
        ScopedLock hold((*camera)->GetLock());
        (*camera)->SetPitch((elevation + offset) * quill::kRadiansPerDegree, false);
    }
}

void TableAim::UpdateCueModel() {
    // Both the game thread (aiming) and the render step pose the cue.
    WidgetToolkit::CheckTreeAccess("TableAim::UpdateCueModel");
    const Vec3 cue = table_.CueBallPosition();
    if (table_.Turn().AimFollowsCamera()) {
        // The cue looks where the aiming camera looks; a camera looking straight down aims by its yaw.
        Vec3 eye;
        Vec3 target;
        float cameraYaw = 0.0f;
        quill::Camera* camera = table_.Cameras().GetCamera().GetCamera(CameraController::kAimingMode);
        if (camera != nullptr) {
            ScopedLock hold(camera->GetLock());
            eye = camera->Eye();
            target = camera->Target();
            cameraYaw = camera->GetYaw() + quill::kPi;
        }
        float dx = target.x - eye.x;
        float dy = target.y - eye.y;
        if (dx * dx + dy * dy < 1.0f) {
            dx = std::cos(cameraYaw);
            dy = std::sin(cameraYaw);
        }
        quill::Normalize2D(&dx, &dy);
        pose_.aimPointX = cue.x + dx * 1000.0f;
        pose_.aimPointY = cue.y + dy * 1000.0f;
        pose_.SetYawDegrees(
            YawBetweenPoints(cue.x, cue.y, cue.z, pose_.aimPointX, pose_.aimPointY, 0.0f));
    }
    const float yaw = ToRadians(pose_.aimYaw);
    const float radius = table_.Physics().BallRadius();
    const Vec3 forward = CuePose::AimDirection(yaw);
    CueLine line;
    line.direction = -forward;
    line.start = cue + Vec3{forward.y, -forward.x, 0.0f} * (radius * pose_.tipOffsetX);
    line.offset = -5.0f - radius;
    line.height = radius * pose_.tipOffsetY;
    // While the player aims, the elevation the player chose is the copy; the cue rises above it where it must.
    const float chosen = table_.Turn().AimFollowsCamera() ? pose_.elevationCopy : pose_.elevation;
    const float start = ToRadians(chosen);
    float largest = start;
    {
        ScopedLock hold(table_.Physics().GetLock());
        for (uint32_t i = 0; i < table_.BallCount(); ++i) {
            CueClearanceBall(line, table_.Physics().CachedPosition(i), radius, largest);
        }
        if (const PhysicsModel* model = table_.Physics().Model(); model != nullptr) {
            CueClearanceRails(line, model->Geometry(), model->SharedRecord().hasPockets != 0, largest);
        }
    }
    // Unraised, the chosen value stays exact (a round trip through radians would lower it by a hair).
    pose_.elevation = largest > start ? std::max(RadiansToDegrees(largest), chosen) : chosen;
    table_.Input().DrawOverviewGuideLine();

    const bool effectShowing = table_.Ambient().IsShown();
    const CueAim aim = CurrentCueAim(pose_.pullBack);
    const PlacementBounds bounds = table_.Picking().Bounds();
    table_.RenderStep().PoseShownModels(
        effectShowing ? CuePose::LaidAsideTransform(aim, bounds.halfLength, bounds.halfWidth)
                      : CuePose::StickTransform(aim),
        table_.RenderStep().IsVisible() && !effectShowing, {pose_.aimPointX, pose_.aimPointY, 0.0f});
}

CueAim TableAim::CurrentCueAim(float pullBack) const {
    CueAim aim;
    aim.cueBall = table_.CueBallPosition();
    aim.radius = table_.Physics().BallRadius();
    aim.yaw = ToRadians(pose_.aimYaw);
    aim.elevation = ToRadians(pose_.elevation);
    aim.tipOffsetX = pose_.tipOffsetX;
    aim.tipOffsetY = pose_.tipOffsetY;
    aim.pullBack = pullBack;
    return aim;
}

quill::Transform TableAim::ImpactTransform() const {
    return CuePose::StickTransform(CurrentCueAim(0.0f));
}

StrokeContext TableAim::MakeStrokeContext() const {
    StrokeContext context;
    context.scale = table_.Cameras().Options().strokeScale;
    context.kind = table_.HudValues().PowerDisplayMode();
    context.gaugeFlag = table_.Input().GaugeFlag();
    context.gaugeOption = table_.Cameras().Options().gaugeStroke;
    context.shotRunning = table_.IsShotRunning();
    if (table_.Services().player != nullptr) {
        const EquippedCue cue = table_.Services().player->GetEquippedCue(table_.Equipment().GameMode());
        context.cueStatApplies = cue.bonusesApply;
        context.cueStat = cue.stats[1];  // the power balance steadies the gauge
    }
    return context;
}

}  // namespace kestrovan
