// GameTable: the per-frame update of the game thread. It hands the frame's mouse motion to the render step as
// camera and cue events, runs the mouse stroke, steps a running shot through the physics until every ball rests
// (with the balls put back on their spots afterwards when the rules ask for it), reports the end of the shot,
// clears the table marks the ball reaches, ticks the camera move and the aim's glide or swing, and advances the
// chalk and ambient effects.
#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/MathConstants.h"
#include "client/rules/TablePhysics.h"
#include "client/table/CameraController.h"
#include "client/table/CameraState.h"
#include "client/table/GameTable.h"
#include "client/table/StrokeSampler.h"
#include "client/table/TableAim.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableCameraEvents.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableChalkBursts.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableEvents.h"
#include "client/table/TableHud.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "client/table/TableTrails.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {
namespace {

using quill::ScopedLock;

constexpr uint32_t kSlowTrailState = 6;  // the slow watching state: trails grow every 10th frame only

uint32_t Word(int32_t value) {
    return static_cast<uint32_t>(value);
}

}  // namespace

bool GameTable::Update(uint32_t time, int32_t dx, int32_t dy, bool holdPhysics) {
    WidgetToolkit::CheckTreeAccess("GameTable::Update");
    ++shot_.frameCounter;
    ApplyRemoteRequests();
    if (input_->Flags().strokeKeyHeld && !shot_.running && shot_.frameCounter % 10 == 0) {
        aim_->UpdatePowerGauge();
    }
    TakeMouseInput(time, dx, dy);
    if (shot_.running && !holdPhysics) {
        StepShot();
    }
    // The server's marks clear as the ball reaches them, whether it rolls there or is put there.
    pensAndMarks_->CheckMarkHits();
    TickCameraController();
    if (aim_->Pose().Tick() == CameraState::kEnded && shot_.pending) {
        // The cue's swing has ended: the relayed shot starts.
        shot_.pending = false;
        StartShotNow(0, false);
    }
    chalkBursts_->Tick(time);
    ambient_->Tick(time);
    shot_.lastUpdateTime = time;
    return false;
}

void GameTable::TakeMouseInput(uint32_t time, int32_t dx, int32_t dy) {
    WidgetToolkit::CheckTreeAccess("GameTable::TakeMouseInput");
    PostCameraInput(dx, dy);
    if (input_->Flags().strokeKeyHeld && !shot_.running) {
        UpdateStroke(dy, time);
    }
    if (input_->Flags().strokeFinishing && !shot_.running) {
        UpdateStroke(dy, time);
    }
    if (input_->Flags().rightButtonZoom && !cameras_->IsCameraBusy() && dy != 0) {
        cameraEvents_->Events().Post(TableEventId::ZoomCamera, Word(-dy), 0, 0);
    }
}

// The mouse turns the view, moves the strike point or raises the cue, by the modes held; the render step applies
// the events to the cameras.
void GameTable::PostCameraInput(int32_t dx, int32_t dy) {
    const bool moved = dx != 0 || dy != 0;
    const bool idle = !cameras_->IsCameraBusy();
    if (input_->Flags().aimDragHeld && moved && (idle || render_->DragOverride())) {
        cameraEvents_->Events().Post(TableEventId::OrbitCamera, Word(-dx), Word(dy), 0);
    }
    if (input_->Flags().cueViewKeyHeld) {
        if (input_->Flags().mouseAimHeld) {
            if (moved) {
                cameraEvents_->Events().Post(TableEventId::MoveTipOffset, Word(dx), Word(-dy), 0);
            }
        } else if (dy != 0) {
            aim_->Pose().elevationCopy = std::max(aim_->Pose().elevationCopy, aim_->Pose().elevation);
            hudValues_->Hud().SetRotation(TableHud::kOverlayBar, -aim_->Pose().elevation * quill::kPi / 180.0f);
            cameraEvents_->Events().Post(TableEventId::ChangeElevation, 0, Word(dy), 0);
        }
    }
    if (input_->Flags().zoomKeyHeld && idle && moved) {
        if (input_->Flags().mouseAimHeld) {
            cameraEvents_->Events().Post(TableEventId::MoveTipOffset, Word(dx), Word(-dy), 0);
        } else {
            cameraEvents_->Events().Post(TableEventId::OrbitCamera, Word(-dx), Word(dy), 0);
        }
    }
    if (input_->Flags().overviewKeyHeld && idle && moved) {
        cameraEvents_->Events().Post(TableEventId::OrbitCamera, Word(-dx), Word(dy), 0);
    }
}

// --- the stroke ---


void GameTable::UpdateStroke(int32_t dy, uint32_t time) {
    const StrokeSampler::Event event =
        aim_->Stroke().Step(dy, time, input_->Flags().strokeFinishing, aim_->MakeStrokeContext(), aim_->Pose());
    aim_->SetPower(aim_->Stroke().Power());
    switch (event) {
        case StrokeSampler::Event::kNone:
            break;
        case StrokeSampler::Event::kStrike:
            input_->Flags().strokeKeyHeld = false;
            input_->Flags().strokeFinishing = true;
            turn_.SetControlEnabled(false);
            input_->RestoreMouseSpeed();
            break;
        case StrokeSampler::Event::kCancelled:
            input_->Flags().strokeFinishing = false;
            break;
        case StrokeSampler::Event::kFinished:
            input_->Flags().strokeFinishing = false;
            hudValues_->SetStrokeDeviation(aim_->Stroke().Deviation());
            {
                ScopedLock hold(physics_->GetLock());
                records_->GetShotRecord().paramG = hudValues_->StrokeDeviation();
            }
            ComputeStroke();
            CommitShot();
            aim_->Stroke().SetPower(0.0f);
            aim_->SetPower(0.0f);
            break;
    }
}

// --- the running shot ---

void GameTable::StepShot() {
    if (physics_->Step() != 0) {
        if (!shot_.postShotPhase) {
            if (state_ != static_cast<int32_t>(kSlowTrailState) || shot_.frameCounter % 10 == 0) {
                trails_->AppendTrailPoints(*physics_, equipment_->GameMode());
            }
        }
        return;
    }
    aim_->ForgetTargetBall();
    shot_.running = false;
    aim_->Pose().Reset();
    // Balls that left the table go back to their spots before the shot counts as ended.
    if (!shot_.postShotPhase && physics_->CollectRespotBalls() != 0) {
        physics_->StartRespot();
        shot_.postShotPhase = true;
        shot_.running = true;
        return;
    }
    shot_.postShotPhase = false;
    FinishShot();
}

void GameTable::FinishShot() {
    cameras_->SetRefocusOnTopViewExit(false);
    physics_->SnapshotBalls();
    records_->SyncReportRecord();
    hudValues_->Hud().SetVisible(TableHud::kPowerLabel, false);
    if (state_ != static_cast<int32_t>(kSlowTrailState) && services_.host != nullptr) {
        services_.host->PostEvent(quill::AppEventId::BallsStopped, 0, 0, 0);
    }
}

// --- camera and effects ---

void GameTable::TickCameraController() {
    const int tick = cameras_->GetCamera().Tick();
    if (tick == CameraController::kStepDue) {
        cameras_->GetCamera().Step();
        return;
    }
    if (tick != CameraController::kEnded || input_->IsKeyDown(platform::Vk::LButton)) {
        return;
    }
    if (!input_->Flags().zoomKeyHeld) {
        cameras_->GetCamera().SetMode(CameraController::kAimingMode);
        cameraEvents_->Events().Post(TableEventId::RestoreCamera, 0, 0, 0);
        if (!input_->Flags().overviewKeyHeld && cameras_->GetCamera().NotifyAtEnd() && services_.host != nullptr) {
            services_.host->PostEvent(quill::AppEventId::GalleryTableEvent, 0, 0, 0);
        }
    }
}

}  // namespace kestrovan
