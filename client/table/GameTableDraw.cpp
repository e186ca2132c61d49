// The game table's draw passes on the main thread, after the screen's 3D scene and the render step: the
// overlay (the cue pose, the table environment, the cue and the pocketed-ball strip) and the scene (shadows,
// balls, lines, markers, effects and marks). They read the balls from the render step's copies.
#include <algorithm>
#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/table/DeviceLineDrawer.h"
#include "client/table/GameTable.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

constexpr float kBedOffset = -0.01f;
constexpr float kShadowHeightOffBed = 0.1f;
constexpr float kPocketMarkerHeight = -5.0f;
constexpr float kSkippedBallAlpha = 0.5f;

bool IsPocketGame(quill::GameType mode) {
    return mode >= type::kEightBall;
}

}  // namespace

int32_t GameTable::RenderOverlay(D3D9RenderDevice& device) {
    UpdateCueModel();
    device.SetAlphaMode(0);
    models_.Environment().Draw(device);
    if (visible_ && !CueDrawnWithBalls()) {
        DrawCue(device);
    }
    if (IsPocketGame(gameMode_) && gameMode_ != type::kSnooker) {
        hudValues_.Hud().ShowPocketedBalls(snapshot_.Flags());
    }
    return 0;
}

void GameTable::DrawScene(D3D9RenderDevice& device, int32_t /*passFlag*/) {
    device.SetAlphaMode(0);
    device.SetZWriteEnable(false);
    device.UpdateProjection(kBedOffset);
    DrawShadows(device);
    device.SetZWriteEnable(true);
    device.UpdateProjection(0.0f);
    DrawBalls(device, false, 1.0f);
    DrawLines(device);
    DrawMarkers(device);
    DrawEffects(device);
    if (visible_ && CueDrawnWithBalls()) {
        DrawCue(device);
    }
    DrawBalls(device, true, kSkippedBallAlpha);
    DrawPocketMarkers(device);
    pensAndMarks_.DrawMarks(device);
}

// The views that look along the cue draw it after the balls, so that it shows in front of them.
bool GameTable::CueDrawnWithBalls() const {
    return input_.Flags().zoomKeyHeld || models_.CueHidden() || (input_.Flags().cueViewKeyHeld && input_.Flags().mouseAimHeld);
}

void GameTable::DrawCue(D3D9RenderDevice& device) {
    ScopedLock hold(modelLock_);
    if (TableModelNode* cue = shownModels_[kCueModel]; cue != nullptr) {
        cue->AdvanceAnimation(1.0f);
        cue->Draw(device, 1.0f);
    }
}

bool GameTable::BallOnTable(uint32_t ball) const {
    return ball < snapshot_.BallCount() && snapshot_.Flag(ball) == 0;
}

// Flat discs under the balls: on the bed while a ball is over it, larger and fainter the higher it flies.
void GameTable::DrawShadows(D3D9RenderDevice& device) {
    if (models_.ShadowModel() == nullptr) {
        return;
    }
    const float radius = physics_.BallRadius();
    const PlacementBounds bed = picking_.Bounds();
    for (uint32_t i = 0; i < snapshot_.BallCount(); ++i) {
        const auto ball = static_cast<uint32_t>(picking_.ScreenInfoAt(i).index);
        if (!BallOnTable(ball)) {
            continue;
        }
        const Vec3& p = snapshot_.Position(ball);
        const float height = p.z - radius;
        float scale = 1.0f;
        float alpha = 1.0f;
        if (height > 0.0f) {
            scale = height / 50.0f + 0.9f;
            alpha = std::max(1.0f - height, 0.2f);
        }
        const bool overBed = std::fabs(p.x) <= bed.halfLength && std::fabs(p.y) <= bed.halfWidth;
        if (!overBed && height < radius * 0.5f) {
            continue;
        }
        quill::Transform placement;
        placement.position = {p.x, p.y, overBed ? 0.0f : kShadowHeightOffBed};
        placement.scale = {scale, scale, 1.0f};
        models_.ShadowModel()->SetTransform(placement);
        models_.ShadowModel()->Draw(device, alpha);
    }
}

// A ball close to the eye of the zoom view would hide the cue ball: it is drawn faint after the rest.
bool GameTable::IsInZoomSight(uint32_t ball) const {
    const quill::Camera* camera = cameras_.GetCamera().CurrentCamera();
    if (!input_.Flags().zoomKeyHeld || camera == nullptr) {
        return false;
    }
    Vec3 eye;
    float near = 0.0f;
    {
        ScopedLock hold(camera->GetLock());
        eye = camera->Eye();
        near = camera->GetProjection().nearDistance;
    }
    const Vec3& p = snapshot_.Position(ball);
    const float dx = p.x - eye.x;
    const float dy = p.y - eye.y;
    const float reach = physics_.BallRadius() + near;
    return dx * dx + dy * dy < reach * reach;
}

void GameTable::DrawBalls(D3D9RenderDevice& device, bool skipped, float alpha) {
    for (uint32_t i = 0; i < snapshot_.BallCount(); ++i) {
        const auto ball = static_cast<uint32_t>(picking_.ScreenInfoAt(i).index);
        if (ball >= snapshot_.BallCount() || models_.BallModel(ball) == nullptr || IsInZoomSight(ball) != skipped) {
            continue;
        }
        models_.BallModel(ball)->Draw(device, alpha);
    }
}

void GameTable::DrawLines(D3D9RenderDevice& device) {
    DeviceLineDrawer drawer(device);
    if (input_.Flags().overviewKeyHeld && aimFollowsCamera_ && controlEnabled_) {
        trails_.GuideLine(0).Draw(drawer);
    }
    trails_.DrawTrails(drawer);
    pensAndMarks_.DrawPenStrokes(drawer);
    if (gameMode_ == type::kSnooker) {
        device.SetZWriteEnable(false);
        device.UpdateProjection(kBedOffset);
        trails_.GuideLine(1).Draw(drawer);
        device.SetZWriteEnable(true);
        device.UpdateProjection(0.0f);
    }
}

// A shot may be aimed while the table waits for one (states 3 to 5) or between the turns of a game (state 7).
bool GameTable::ShotMayBeAimed() const {
    return (state_ >= 3 && state_ <= 5) || state_ == 7;
}

void GameTable::DrawMarkers(D3D9RenderDevice& device) {
    if (!visible_) {
        return;
    }
    device.EnableLights(false, true, true);
    {
        ScopedLock hold(modelLock_);
        TableModelNode* aim = shownModels_[kAimMarker];
        if (aim != nullptr && ShotMayBeAimed() && controlEnabled_ && models_.AimMarkerShown()) {
            aim->Draw(device, 1.0f);
        }
        if (TableModelNode* target = shownModels_[kTargetMarker]; target != nullptr && models_.TargetMarkerShown()) {
            target->Draw(device, 1.0f);
        }
    }
    device.EnableLights(true, true, true);
}

void GameTable::DrawEffects(D3D9RenderDevice& device) {
    if (const quill::Camera* camera = cameras_.GetCamera().CurrentCamera(); camera != nullptr) {
        chalkBursts_.Draw(device, *camera);
    }
    ambient_.Draw(device);
}

// In pocket games with a called pocket: a marker in each pocket, the called one bright.
void GameTable::DrawPocketMarkers(D3D9RenderDevice& device) {
    if (!IsPocketGame(gameMode_) || (!targetMode_ && targetBall_ == -1) || models_.PocketMarkerModel() == nullptr) {
        return;
    }
    for (int32_t pocket = 0; pocket < 6; ++pocket) {
        float alpha = pocket + 1 == targetBall_ ? 1.0f : (shotRunning_ ? 0.0f : 0.35f);
        if (!(alpha > 0.0f)) {
            continue;
        }
        quill::Transform placement;
        placement.position = {picking_.PocketPositions()[pocket][0], picking_.PocketPositions()[pocket][1],
                              kPocketMarkerHeight};
        models_.PocketMarkerModel()->SetTransform(placement);
        models_.PocketMarkerModel()->Draw(device, alpha);
    }
}

}  // namespace kestrovan
