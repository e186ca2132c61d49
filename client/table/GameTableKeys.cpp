// GameTable: the keys and the mouse. Five keys switch the table's modes (Shift the zoom view, Ctrl the stroke,
// Space the overview, 'V' the view down the cue, 'Z' the pen); the mouse buttons aim, drag the view, zoom, pick a
// ball in hand or call a pocket, and may stand in for Ctrl and Shift. Main thread (the screen's window messages).
#include <algorithm>

#include "QuillLib/core/ScopedLock.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/TableEvents.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {
namespace {

namespace Vk = platform::Vk;
namespace Msg = platform::Msg;
namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

constexpr float kKeep = CameraController::kKeep;
constexpr uint32_t kZoomMode = 2;
constexpr float kZoomPitch = 6.0f;
constexpr float kZoomAboveCue = 3.0f;
constexpr uint8_t kCueViewKey = 'V';
constexpr uint8_t kPenKey = 'Z';
constexpr uint8_t kBallsKey = 'B';
constexpr uint8_t kTrailsKey = 'T';
constexpr uint8_t kUndoKey = 'U';

// The controls a screen allows (keyMask).
namespace mask {
constexpr int32_t kLeftButton = 0x1 | 0x2;  // aim drag or stroke
constexpr int32_t kZoom = 0x4;              // right button and wheel
constexpr int32_t kShift = 0x8;
constexpr int32_t kShiftLook = 0x10;  // Shift with the left button: look down the cue
constexpr int32_t kCtrl = 0x20;
constexpr int32_t kCueView = 0x40;
constexpr int32_t kCueViewLook = 0x80;
constexpr int32_t kSpace = 0x100;
constexpr int32_t kTopView = 0x200;
constexpr int32_t kPlaceBall = 0x400;
constexpr int32_t kCallPocket = 0x800;
}  // namespace mask

// The aiming cursor's images.
constexpr int32_t kDragCursor = 1;
constexpr int32_t kStrokeCursor = 2;
constexpr int32_t kViewCursor = 3;
constexpr int32_t kZoomCursor = 4;

}  // namespace

bool GameTable::IsKeyDown(int virtualKey) const {
    return services_.host != nullptr && services_.host->IsKeyDown(virtualKey);
}

// The mouse moves the aiming cursor instead of the system cursor while the mouse strokes or turns the view.
void GameTable::RefreshAimCursor() {
    if (input_.strokeKeyHeld) {
        SetAimCursor(false, false, kStrokeCursor);
    } else if (input_.zoomKeyHeld || input_.overviewKeyHeld || input_.cueViewKeyHeld) {
        SetAimCursor(false, false, kViewCursor);
    } else if (!input_.aimDragHeld && !input_.rightButtonZoom) {
        SetAimCursor(true, true, 0);
    }
}

// --- the five keys ---

bool GameTable::OnKey(uint32_t virtualKey, bool down) {
    switch (virtualKey) {
        case Vk::Shift:
            if (down) {
                return PressShift();
            }
            ReleaseShift();
            break;
        case Vk::Control:
            if (down) {
                PressCtrl();
            } else {
                ReleaseCtrl();
            }
            break;
        case Vk::Space:
            if (down) {
                return PressSpace();
            }
            ReleaseSpace();
            break;
        case kCueViewKey:
            if (down) {
                return PressCueView();
            }
            ReleaseCueView();
            return true;
        case kPenKey:
            return down ? PressPen() : (ReleasePen(), true);
        default:
            return false;
    }
    RefreshAimCursor();
    return true;
}

// The zoom view's pitch in degrees: low over the table, but above a raised cue. Level with the cue, the cue's
// thick butt, far nearer the camera than the ball, would cover the cue ball it strikes.
float GameTable::ZoomPitch(float cueElevation) {
    return std::max(kZoomPitch, cueElevation + kZoomAboveCue);
}

bool GameTable::PressShift() {
    ambient_.HideAmbientEffect();
    input_.zoomKeyHeld = true;
    // The zoom camera starts as the aiming camera, allowed to look almost straight down.
    cameras_.GetCamera().CopyCamera(CameraController::kAimingMode, kZoomMode);
    const CameraRef zoom = cameras_.GetCamera().CameraRefOf(kZoomMode);
    LockedSetMinPitch(zoom, 0.0174533f);
    LockedSetMaxPitch(zoom, 1.5690511f);
    cameras_.GetCamera().SetLookAt(CueBallPosition());
    cameras_.GetCamera().SetTarget(420.0f, ZoomPitch(cameraState_.elevation), kKeep, 7.0f);
    cameras_.GetCamera().StartMove(60, 0);
    cameras_.GetCamera().SetMode(kZoomMode);
    eventQueue_.Post(TableEventId::RestoreCamera, 0, 0, 0);
    return true;
}

void GameTable::ReleaseShift() {
    input_.zoomKeyHeld = false;
    input_.mouseAimHeld = false;
    if (shotRunning_) {
        return;
    }
    cameras_.GetCamera().ClearLookAt();
    const CameraRef aiming = cameras_.GetCamera().CameraRefOf(CameraController::kAimingMode);
    cameras_.GetCamera().SetTarget(LockedGetDistance(aiming), GetCameraPitchDegrees(aiming), kKeep, kKeep);
    cameras_.GetCamera().StartMove(60, 0);
    ShowShownModels(true);
}

bool GameTable::PressCtrl() {
    ambient_.HideAmbientEffect();
    physics_.SnapshotBalls();
    gaugeFlag_ = services_.connection != nullptr && services_.connection->IsGaugeItemActive();
    stroke_.Clear();
    input_.strokeKeyHeld = true;
    cameraState_.SetBackswingSteps(120);  // the cue may be drawn back to 29.4
    UpdatePowerGauge();
    if (hudValues_.PowerDisplayMode() == 0) {
        hudValues_.Hud().SetVisible(TableHud::kPowerPanel, true);
    }
    if (hudValues_.PowerDisplayMode() == 1 || hudValues_.PowerDisplayMode() == 2 || gaugeFlag_) {
        hudValues_.Hud().SetVisible(TableHud::kPowerPanel, false);
        hudValues_.Hud().SetVisible(TableHud::kCueBallPanel, true);
    }
    hudValues_.Hud().SetVisible(TableHud::kPowerLabel, false);
    hudValues_.SetShownPower(0.0f);
    hudValues_.SetStrokeDeviation(0.0f);
    power_ = 0.0f;
    cameraState_.pullBack = kRestingPullBack;
    if (services_.host != nullptr) {
        savedMouseSpeed_ = services_.host->GetMouseSpeed();
        services_.host->SetMouseSpeed({0, 0, 0});
    }
    return true;
}

void GameTable::ReleaseCtrl() {
    if (!shotRunning_) {
        hudValues_.Hud().SetVisible(TableHud::kPowerPanel, false);
        hudValues_.Hud().SetVisible(TableHud::kCueBallPanel, false);
    }
    // A stroke let go before its strike plays nothing.
    if (!input_.strokeFinishing && !shotRunning_) {
        stroke_.SetPower(0.0f);
        power_ = 0.0f;
    }
    input_.strokeKeyHeld = false;
    RestoreMouseSpeed();
    if (!shotRunning_) {
        cameraState_.pullBack = kRestingPullBack;
    }
}

void GameTable::RestoreMouseSpeed() {
    if (savedMouseSpeed_[0] == kNothingSaved) {
        return;
    }
    if (services_.host != nullptr) {
        services_.host->SetMouseSpeed(savedMouseSpeed_);
    }
    savedMouseSpeed_ = {kNothingSaved, 0, 0};
}

bool GameTable::PressSpace() {
    input_.overviewKeyHeld = true;
    DrawOverviewGuideLine();
    cameras_.GetCamera().SaveView();
    const float pitch = cameras_.GetCamera().Saved().pitch < 80.0f ? 80.0f : kKeep;
    cameras_.GetCamera().SetTarget(8.0f * TableUnit() + 260.0f, pitch, kKeep, kKeep);
    cameras_.GetCamera().SetLookAt(Vec3{});
    cameras_.GetCamera().StartMove(40, 0);
    return true;
}

void GameTable::ReleaseSpace() {
    input_.overviewKeyHeld = false;
    cameras_.GetCamera().ClearLookAt();
    const CameraController::SavedView& saved = cameras_.GetCamera().Saved();
    cameras_.GetCamera().SetLookAt(aimFollowsCamera_ ? CueBallPosition() : saved.target);
    cameras_.GetCamera().SetTarget(saved.distance, saved.pitch, kKeep, kKeep);
    cameras_.GetCamera().StartMove(40, 0);
    if (!shotRunning_) {
        ShowShownModels(true);
    }
}

bool GameTable::PressCueView() {
    ambient_.HideAmbientEffect();
    float guide = 0.0f;
    if (services_.player != nullptr) {
        guide += static_cast<float>(services_.player->GetAimItemBonus()) / 100.0f;
    }
    if (services_.connection != nullptr) {
        guide += static_cast<float>(services_.connection->GetGuideValue()) / 100000.0f;
        guide += static_cast<float>(services_.connection->GetGuideLineBonus()) / 100.0f;
    }
    guide = std::min(guide, 1.0f);
    input_.cueViewKeyHeld = true;
    guideLineLength_ = guide * 76.4f + 12.0f;
    cameras_.GetCamera().SaveView();
    cameras_.GetCamera().SetTarget(180.0f, cameraState_.elevation + 1.5f, kKeep, kKeep);
    cameras_.GetCamera().StartMove(40, 0);
    return true;
}

void GameTable::ReleaseCueView() {
    const CameraController::SavedView& saved = cameras_.GetCamera().Saved();
    cameras_.GetCamera().SetTarget(saved.distance, saved.pitch, kKeep, kKeep);
    cameras_.GetCamera().StartMove(40, 0);
    input_.cueViewKeyHeld = false;
    input_.mouseAimHeld = false;
}

bool GameTable::PressPen() {
    if (services_.host != nullptr) {
        services_.host->PostEvent(quill::AppEventId::CursorMode, 1, 0, 0);
    }
    pensAndMarks_.SetPenMode(true);
    cameras_.UpdateUnprojection();
    int32_t x = 0;
    int32_t y = 0;
    if (services_.host != nullptr) {
        services_.host->GetCursorPosition(x, y);
    }
    pensAndMarks_.StartPenStroke(x, y);
    return true;
}

void GameTable::ReleasePen() {
    if (services_.host != nullptr) {
        services_.host->PostEvent(quill::AppEventId::CursorMode, 0, 0, 0);
    }
    pensAndMarks_.SetPenMode(false);
}

// The line from the cue ball toward the aim point, cut where it leaves the bed.
void GameTable::DrawOverviewGuideLine() {
    if (!input_.overviewKeyHeld || !aimFollowsCamera_ || !controlEnabled_) {
        return;
    }
    const Vec3 cue = CueBallPosition();
    const PlacementBounds bounds = picking_.Bounds();
    const float dx = cameraState_.aimPointX - cue.x;
    const float dy = cameraState_.aimPointY - cue.y;
    const auto fraction = [](float from, float delta, float bound) {
        if (delta > 0.0f) {
            return (bound - from) / delta;
        }
        if (delta < 0.0f) {
            return (-bound - from) / delta;
        }
        return 1.0f;
    };
    const float f = std::min(fraction(cue.x, dx, bounds.halfLength), fraction(cue.y, dy, bounds.halfWidth));
    LineList& line = trails_.GuideLine(0);
    ScopedLock hold(line.GetLock());
    line.Clear();
    line.AddPoint(cue, TableTrails::kGuideLineColour);
    line.AddPoint({cue.x + dx * f, cue.y + dy * f, 0.0f}, TableTrails::kGuideLineColour);
}

// --- polling ---

// The refusals of the Shift key (and, with fewer tests, of Space and 'V').
bool GameTable::RefusedLikeShift(bool testControl, bool testBallInHand) const {
    return cameras_.IsCameraBusy() || cameras_.GetCamera().Mode() == CameraController::kTopViewMode ||
           (testControl && !controlEnabled_) || input_.strokeKeyHeld || input_.zoomKeyHeld ||
           input_.cueViewKeyHeld || input_.overviewKeyHeld || shotRunning_ || input_.aimDragHeld ||
           input_.tipDragHeld || (testBallInHand && picking_.HeldBall() >= 0);
}

bool GameTable::PollKeyPresses() {
    if (active_ && (input_.zoomKeyHeld || input_.cueViewKeyHeld) && !input_.mouseAimHeld &&
        IsKeyDown(Vk::LButton)) {
        return StartMouseAim();
    }
    if (IsKeyDown(Vk::Shift) && (keyMask_ & mask::kShift) != 0 && !RefusedLikeShift(true, true)) {
        return OnKey(Vk::Shift, true);
    }
    const bool targetMissing = targetMode_ && targetBall_ < 0;
    if (IsKeyDown(Vk::Control) && (keyMask_ & mask::kCtrl) != 0 && controlEnabled_ && !input_.strokeKeyHeld &&
        !input_.cueViewKeyHeld && !input_.overviewKeyHeld && !shotRunning_ && !input_.tipDragHeld &&
        !input_.zoomKeyHeld && !targetMissing) {
        return OnKey(Vk::Control, true);
    }
    if (IsKeyDown(Vk::Space) && (keyMask_ & mask::kSpace) != 0 && !RefusedLikeShift(false, true)) {
        return OnKey(Vk::Space, true);
    }
    if (IsKeyDown(kPenKey) && sideOption_ > 0 && !cameras_.IsCameraBusy() && !pensAndMarks_.PenMode() &&
        !shotRunning_ && !input_.strokeKeyHeld && !input_.zoomKeyHeld && !input_.cueViewKeyHeld &&
        !input_.overviewKeyHeld && !input_.aimDragHeld && !input_.tipDragHeld && picking_.HeldBall() < 0) {
        return OnKey(kPenKey, true);
    }
    if (IsKeyDown(kCueViewKey) && (keyMask_ & mask::kCueView) != 0 && !RefusedLikeShift(true, false)) {
        return OnKey(kCueViewKey, true);
    }
    for (const uint8_t key : {kTrailsKey, kBallsKey}) {
        if (IsKeyDown(key)) {
            lastSpecialKey_ = key;
            return true;
        }
    }
    return false;
}

bool GameTable::PollKeyReleases() {
    if (input_.mouseAimHeld && !IsKeyDown(Vk::LButton)) {
        EndMouseAim();
        return true;
    }
    // A mode that a mouse button started is released by that button, not by its key.
    struct Held {
        uint32_t key;
        bool held;
    };
    const Held keys[] = {
        {Vk::Shift, input_.zoomKeyHeld && !input_.rightButtonAsShift},
        {Vk::Control, input_.strokeKeyHeld && !input_.leftButtonAsCtrl},
        {kCueViewKey, input_.cueViewKeyHeld},
        {Vk::Space, input_.overviewKeyHeld},
        {kPenKey, pensAndMarks_.PenMode()},
    };
    for (const Held& entry : keys) {
        if (entry.held && !IsKeyDown(static_cast<int>(entry.key))) {
            OnKey(entry.key, false);
            return true;
        }
    }
    return false;
}

void GameTable::ReleaseHeldKeys(bool focus) {
    if (focus) {
        return;
    }
    if (input_.zoomKeyHeld) {
        OnKey(Vk::Shift, false);
    }
    if (input_.strokeKeyHeld) {
        OnKey(Vk::Control, false);
    }
    if (input_.overviewKeyHeld) {
        OnKey(Vk::Space, false);
    }
    if (pensAndMarks_.PenMode()) {
        OnKey(kPenKey, false);
    }
    if (input_.cueViewKeyHeld) {
        OnKey(kCueViewKey, false);
    }
}

bool GameTable::PollKeys() {
    ScopedLock holdTable(tableLock_);
    if (!active_ || services_.host == nullptr || services_.host->IsTextInputFocused()) {
        return false;
    }
    if (services_.host->IsAppActive() && PollKeyPresses()) {
        return false;
    }
    return PollKeyReleases();
}

// --- window messages ---

bool GameTable::AnyTableModeActive() const {
    return input_.overviewKeyHeld || input_.zoomKeyHeld || input_.strokeKeyHeld || input_.aimDragHeld ||
           input_.rightButtonZoom || input_.cueViewKeyHeld || input_.tipDragHeld || picking_.HeldBall() >= 0;
}

bool GameTable::HandleInput(uint32_t message, platform::WParam wParam, platform::LParam lParam) {
    ScopedLock holdTable(tableLock_);
    const int32_t x = platform::PointX(lParam);
    const int32_t y = platform::PointY(lParam);
    switch (message) {
        case Msg::KeyDown:
            if (!active_ && PollKeyPresses()) {
                return true;
            }
            break;
        case Msg::KeyUp:
        case Msg::SysKeyUp:
            if ((!active_ && PollKeyReleases()) || OnKeyUpMessage(static_cast<uint32_t>(wParam))) {
                return true;
            }
            break;
        case Msg::Char:
            if (OnCharMessage(static_cast<uint32_t>(wParam))) {
                return true;
            }
            break;
        case Msg::MouseMove:
            MoveHeldBall(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
            break;
        case Msg::LButtonDown:
            if (OnLeftButtonDown(x, y)) {
                return true;
            }
            break;
        case Msg::LButtonUp:
            OnLeftButtonUp();
            break;
        case Msg::RButtonDown:
            if (OnRightButtonDown()) {
                return true;
            }
            break;
        case Msg::RButtonUp:
            OnRightButtonUp();
            break;
        case Msg::MouseWheel:
            if (cameras_.GetCamera().Mode() != CameraController::kTopViewMode && (keyMask_ & mask::kZoom) != 0) {
                const int32_t step = platform::WheelDelta(wParam) >= 0 ? 20 : -20;
                eventQueue_.Post(TableEventId::ZoomCamera, static_cast<uint32_t>(step), 0, 0);
            }
            break;
        default:
            break;
    }
    return AnyTableModeActive();
}

bool GameTable::OnKeyUpMessage(uint32_t key) {
    switch (key) {
        case Vk::Control:
            if (!input_.zoomKeyHeld && !input_.cueViewKeyHeld) {
                if (!input_.overviewKeyHeld) {
                    SetAimCursor(true, true, 0);
                }
                return true;
            }
            break;
        case kBallsKey:
            if (lastSpecialKey_ == kBallsKey) {
                altDisplay_ = !altDisplay_;
            }
            break;
        case kTrailsKey:
            if (lastSpecialKey_ == kTrailsKey) {
                trails_.ToggleAllTrails();
            }
            break;
        case kUndoKey:
            // Puts the balls back where the last shot started.
            if ((shotRecord_.valid & ShotRecord::kValidFilled) != 0 && state_ == 5) {
                ResetBallsFromShotRecord();
                if (cameras_.GetCamera().Mode() != CameraController::kTopViewMode) {
                    cameras_.GetCamera().Stop();
                    cameras_.GetCamera().SetApplyAtEnd(true);
                    cameras_.MoveCameraBehindCueBall(300.0f, 0.5f, false, false);
                }
                controlEnabled_ = true;
            }
            break;
        default:
            lastSpecialKey_ = 0;
            break;
    }
    return false;
}

bool GameTable::OnCharMessage(uint32_t character) {
    constexpr uint32_t kTab = 9;
    constexpr uint32_t kEscape = 27;
    if (character == kEscape && sideOption_ > 0) {
        sideOption_ = 0;
        if (services_.host != nullptr) {
            services_.host->PostEvent(quill::AppEventId::CursorMode, 0, 0, 0);
        }
        return true;
    }
    if (character != kTab || cameras_.IsCameraBusy() || input_.aimDragHeld || input_.rightButtonZoom ||
        (keyMask_ & mask::kTopView) == 0) {
        return false;
    }
    const uint32_t mode = cameras_.GetCamera().Mode();
    if (mode == CameraController::kAimingMode) {
        cameras_.GetCamera().SetMode(CameraController::kTopViewMode);
        const CameraRef top = cameras_.GetCamera().CurrentCameraRef();
        LockedSetYawDegrees(top, 90.0f);
        LockedSetPitchDegrees(top, 90.0f);
        LockedSetDistance(top, TableUnit() * 18.0f);
        LockedMoveTargetTo(top, Vec3{});
    } else if (mode == CameraController::kTopViewMode) {
        cameras_.GetCamera().SetMode(CameraController::kAimingMode);
        if (cameras_.Options().cameraFlagA || cameras_.Options().cameraFlagB) {
            cameras_.GetCamera().SetApplyAtEnd(true);
            cameras_.MoveCamera(0.1f, kKeep, kKeep, false);
        }
    }
    cameras_.GetCamera().ApplyMode();
    if (cameras_.GetCamera().Mode() == CameraController::kAimingMode && cameras_.RefocusOnTopViewExit()) {
        cameras_.FocusCameraOnCueBall();
    }
    return false;
}

bool GameTable::OnLeftButtonDown(int32_t x, int32_t y) {
    if (!input_.zoomKeyHeld && !input_.aimDragHeld && !input_.overviewKeyHeld && !input_.strokeKeyHeld &&
        !input_.cueViewKeyHeld) {
        cameras_.UpdateUnprojection();
        if ((keyMask_ & mask::kCallPocket) != 0 && aimFollowsCamera_ && targetMode_ &&
            gameMode_ == type::kEightBall) {
            const int32_t pocket = picking_.PickPocketAt(x, y);
            if (pocket > 0) {
                if (services_.sound != nullptr) {
                    services_.sound->PlaySound(kPocketCallSound, 1.0f);
                }
                targetBall_ = static_cast<int8_t>(pocket);
                controlEnabled_ = aimFollowsCamera_;
                if (services_.host != nullptr) {
                    services_.host->PostEvent(quill::AppEventId::PocketCalled, static_cast<uint32_t>(pocket), 0, 0);
                }
                return false;
            }
        }
        const bool mayPlace =
            picking_.PlacementArea() > 0 || state_ == 5 || (state_ == 4 && !shotRunning_ && placingEnabled_);
        if ((keyMask_ & mask::kPlaceBall) != 0 && state_ != 6 && mayPlace) {
            const int32_t ball = picking_.PickBallAt(x, y);
            if (ball >= 0) {
                picking_.SetHeldBall(ball);
                return false;
            }
        }
    }
    if (cameras_.GetCamera().Mode() == CameraController::kTopViewMode || input_.tipDragHeld) {
        return false;
    }
    const bool lookDown = (input_.zoomKeyHeld && (keyMask_ & mask::kShiftLook) != 0) ||
                          (input_.cueViewKeyHeld && (keyMask_ & mask::kCueViewLook) != 0);
    if (lookDown && !input_.leftButtonAsCtrl) {
        StartMouseAim();
        return false;
    }
    if (input_.strokeKeyHeld || input_.zoomKeyHeld || input_.cueViewKeyHeld) {
        return false;
    }
    if (input_.overviewKeyHeld) {
        return true;
    }
    if ((keyMask_ & mask::kLeftButton) == 0) {
        return false;
    }
    const bool targetChosen = !targetMode_ || targetBall_ != -1;
    if (buttonShortcuts_ && !input_.rightButtonAsShift && controlEnabled_ && !shotRunning_ && targetChosen) {
        input_.leftButtonAsCtrl = true;
        OnKey(Vk::Control, true);
    } else {
        SetAimCursor(false, false, kDragCursor);
        input_.aimDragHeld = true;
    }
    return false;
}

void GameTable::OnLeftButtonUp() {
    if (input_.leftButtonAsCtrl) {
        if (aimFollowsCamera_) {
            input_.leftButtonAsCtrl = false;
            OnKey(Vk::Control, false);
        }
        return;
    }
    if (picking_.HeldBall() >= 0) {
        SyncReportRecord();
        if (services_.host != nullptr) {
            services_.host->PostEvent(quill::AppEventId::BallPlaced, static_cast<uint32_t>(picking_.HeldBall()), 0, 0);
        }
        const bool topView = cameras_.GetCamera().Mode() == CameraController::kTopViewMode;
        if (!shotRunning_ && !topView) {
            cameras_.GetCamera().SetApplyAtEnd(true);
            cameras_.MoveCamera(0.5f, kKeep, kKeep, false);
        } else if (topView) {
            cameras_.SetRefocusOnTopViewExit(true);
        }
        picking_.SetHeldBall(-1);
    }
    if (input_.aimDragHeld) {
        input_.aimDragHeld = false;
        SetAimCursor(true, true, 0);
        if (services_.host != nullptr) {
            services_.host->PostEvent(quill::AppEventId::UserActivity, 0, 0, 0);
        }
    }
    if (input_.mouseAimHeld && !input_.tipDragHeld) {
        EndMouseAim();
    }
}

bool GameTable::OnRightButtonDown() {
    if (input_.zoomKeyHeld) {
        return false;
    }
    if (input_.overviewKeyHeld) {
        return true;
    }
    if (input_.strokeKeyHeld || input_.cueViewKeyHeld || input_.tipDragHeld ||
        cameras_.GetCamera().Mode() == CameraController::kTopViewMode) {
        return false;
    }
    if (buttonShortcuts_ && !input_.leftButtonAsCtrl && controlEnabled_ && !shotRunning_ && !input_.aimDragHeld &&
        picking_.HeldBall() < 0 && !cameras_.IsCameraBusy()) {
        input_.rightButtonAsShift = true;
        OnKey(Vk::Shift, true);
        return false;
    }
    if ((keyMask_ & mask::kZoom) != 0) {
        input_.rightButtonZoom = true;
        SetAimCursor(false, false, kZoomCursor);
    }
    return false;
}

void GameTable::OnRightButtonUp() {
    if (input_.rightButtonAsShift) {
        if (input_.zoomKeyHeld) {
            input_.rightButtonAsShift = false;
            OnKey(Vk::Shift, false);
        }
        return;
    }
    if (input_.rightButtonZoom) {
        input_.rightButtonZoom = false;
        SetAimCursor(true, true, 0);
    }
}

}  // namespace kestrovan
