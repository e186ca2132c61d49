// TableInput: the keys and the mouse. Five keys switch the table's modes (Shift the zoom view, Ctrl the stroke,
// Space the overview, 'V' the view down the cue, 'Z' the pen); the mouse buttons aim, drag the view, zoom, pick a
// ball in hand or call a pocket, and may stand in for Ctrl and Shift. Main thread (the screen's window messages).
#include "client/table/TableInput.h"

#include <algorithm>

#include "client/rules/TablePhysics.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/LineList.h"
#include "client/table/LockedCamera.h"
#include "client/table/PlacementArea.h"
#include "client/table/ShotRecord.h"
#include "client/table/TableAim.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableCameraEvents.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableEvents.h"
#include "client/table/TableHud.h"
#include "client/table/TableHudValues.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "client/table/TableTrails.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {
namespace {

namespace Vk = platform::Vk;
namespace Msg = platform::Msg;
namespace type = quill::game_type;
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

void TableInput::ResetModes() {
    flags_ = InputFlags{};
    savedMouseSpeed_ = {kNothingSaved, 0, 0};
}

bool TableInput::IsKeyDown(int virtualKey) const {
    return table_.Services().host != nullptr && table_.Services().host->IsKeyDown(virtualKey);
}

// The mouse moves the aiming cursor instead of the system cursor while the mouse strokes or turns the view.
void TableInput::RefreshAimCursor() {
    if (flags_.strokeKeyHeld) {
        table_.Aim().SetAimCursor(false, false, kStrokeCursor);
    } else if (flags_.zoomKeyHeld || flags_.overviewKeyHeld || flags_.cueViewKeyHeld) {
        table_.Aim().SetAimCursor(false, false, kViewCursor);
    } else if (!flags_.aimDragHeld && !flags_.rightButtonZoom) {
        table_.Aim().SetAimCursor(true, true, 0);
    }
}

// --- the five keys ---

bool TableInput::OnKey(uint32_t virtualKey, bool down) {
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
float TableInput::ZoomPitch(float cueElevation) {
    return std::max(kZoomPitch, cueElevation + kZoomAboveCue);
}

bool TableInput::PressShift() {
    table_.Ambient().HideAmbientEffect();
    flags_.zoomKeyHeld = true;
    ForgetEarlierMotion();
    // The zoom camera starts as the aiming camera, allowed to look almost straight down.
    table_.Cameras().GetCamera().CopyCamera(CameraController::kAimingMode, kZoomMode);
    const CameraRef zoom = table_.Cameras().GetCamera().CameraRefOf(kZoomMode);
    LockedSetMinPitch(zoom, 0.0174533f);
    LockedSetMaxPitch(zoom, 1.5690511f);
    table_.Cameras().GetCamera().SetLookAt(table_.CueBallPosition());
    table_.Cameras().GetCamera().SetTarget(420.0f, ZoomPitch(table_.Aim().Pose().elevation), kKeep, 7.0f);
    table_.Cameras().GetCamera().StartMove(60, 0);
    table_.Cameras().GetCamera().SetMode(kZoomMode);
    table_.CameraEvents().Events().Post(TableEventId::RestoreCamera, 0, 0, 0);
    return true;
}

void TableInput::ReleaseShift() {
    flags_.zoomKeyHeld = false;
    flags_.mouseAimHeld = false;
    if (table_.IsShotRunning()) {
        return;
    }
    table_.Cameras().GetCamera().ClearLookAt();
    const CameraRef aiming = table_.Cameras().GetCamera().CameraRefOf(CameraController::kAimingMode);
    table_.Cameras().GetCamera().SetTarget(LockedGetDistance(aiming), GetCameraPitchDegrees(aiming), kKeep, kKeep);
    table_.Cameras().GetCamera().StartMove(60, 0);
    table_.RenderStep().ShowShownModels(true);
}

bool TableInput::PressCtrl() {
    table_.Ambient().HideAmbientEffect();
    table_.Physics().SnapshotBalls();
    gaugeFlag_ = table_.Services().connection != nullptr && table_.Services().connection->IsGaugeItemActive();
    table_.Aim().Stroke().Clear();
    flags_.strokeKeyHeld = true;
    ForgetEarlierMotion();
    table_.Aim().Pose().SetBackswingSteps(120);  // the cue may be drawn back to 29.4
    table_.Aim().UpdatePowerGauge();
    if (table_.HudValues().PowerDisplayMode() == 0) {
        table_.HudValues().Hud().SetVisible(TableHud::kPowerPanel, true);
    }
    if (table_.HudValues().PowerDisplayMode() == 1 || table_.HudValues().PowerDisplayMode() == 2 || gaugeFlag_) {
        table_.HudValues().Hud().SetVisible(TableHud::kPowerPanel, false);
        table_.HudValues().Hud().SetVisible(TableHud::kCueBallPanel, true);
    }
    table_.HudValues().Hud().SetVisible(TableHud::kPowerLabel, false);
    table_.HudValues().SetShownPower(0.0f);
    table_.HudValues().SetStrokeDeviation(0.0f);
    table_.Aim().SetPower(0.0f);
    table_.Aim().Pose().pullBack = GameTable::kRestingPullBack;
    if (table_.Services().host != nullptr) {
        savedMouseSpeed_ = table_.Services().host->GetMouseSpeed();
        table_.Services().host->SetMouseSpeed({0, 0, 0});
    }
    return true;
}

void TableInput::ReleaseCtrl() {
    if (!table_.IsShotRunning()) {
        table_.HudValues().Hud().SetVisible(TableHud::kPowerPanel, false);
        table_.HudValues().Hud().SetVisible(TableHud::kCueBallPanel, false);
    }
    // A stroke let go before its strike plays nothing.
    if (!flags_.strokeFinishing && !table_.IsShotRunning()) {
        table_.Aim().Stroke().SetPower(0.0f);
        table_.Aim().SetPower(0.0f);
    }
    flags_.strokeKeyHeld = false;
    RestoreMouseSpeed();
    if (!table_.IsShotRunning()) {
        table_.Aim().Pose().pullBack = GameTable::kRestingPullBack;
    }
}

// A mode that the mouse's motion drives starts with the motion after its key or button: a move the hand made
// just before (the pointer brought to where the stroke begins) is not the stroke's draw-back.
void TableInput::ForgetEarlierMotion() {
    if (table_.Services().host != nullptr) {
        table_.Services().host->ForgetEarlierMotion();
    }
}

void TableInput::RestoreMouseSpeed() {
    if (savedMouseSpeed_[0] == kNothingSaved) {
        return;
    }
    if (table_.Services().host != nullptr) {
        table_.Services().host->SetMouseSpeed(savedMouseSpeed_);
    }
    savedMouseSpeed_ = {kNothingSaved, 0, 0};
}

bool TableInput::PressSpace() {
    flags_.overviewKeyHeld = true;
    ForgetEarlierMotion();
    DrawOverviewGuideLine();
    table_.Cameras().GetCamera().SaveView();
    const float pitch = table_.Cameras().GetCamera().Saved().pitch < 80.0f ? 80.0f : kKeep;
    table_.Cameras().GetCamera().SetTarget(8.0f * table_.TableUnit() + 260.0f, pitch, kKeep, kKeep);
    table_.Cameras().GetCamera().SetLookAt(Vec3{});
    table_.Cameras().GetCamera().StartMove(40, 0);
    return true;
}

void TableInput::ReleaseSpace() {
    flags_.overviewKeyHeld = false;
    table_.Cameras().GetCamera().ClearLookAt();
    const CameraController::SavedView& saved = table_.Cameras().GetCamera().Saved();
    table_.Cameras().GetCamera().SetLookAt(table_.Turn().AimFollowsCamera() ? table_.CueBallPosition() : saved.target);
    table_.Cameras().GetCamera().SetTarget(saved.distance, saved.pitch, kKeep, kKeep);
    table_.Cameras().GetCamera().StartMove(40, 0);
    if (!table_.IsShotRunning()) {
        table_.RenderStep().ShowShownModels(true);
    }
}

bool TableInput::PressCueView() {
    table_.Ambient().HideAmbientEffect();
    float guide = 0.0f;
    if (table_.Services().player != nullptr) {
        guide += static_cast<float>(table_.Services().player->GetAimItemBonus()) / 100.0f;
    }
    if (table_.Services().connection != nullptr) {
        guide += static_cast<float>(table_.Services().connection->GetGuideValue()) / 100000.0f;
        guide += static_cast<float>(table_.Services().connection->GetGuideLineBonus()) / 100.0f;
    }
    guide = std::min(guide, 1.0f);
    flags_.cueViewKeyHeld = true;
    ForgetEarlierMotion();
    guideLineLength_ = guide * 76.4f + 12.0f;
    table_.Cameras().GetCamera().SaveView();
    table_.Cameras().GetCamera().SetTarget(180.0f, table_.Aim().Pose().elevation + 1.5f, kKeep, kKeep);
    table_.Cameras().GetCamera().StartMove(40, 0);
    return true;
}

void TableInput::ReleaseCueView() {
    const CameraController::SavedView& saved = table_.Cameras().GetCamera().Saved();
    table_.Cameras().GetCamera().SetTarget(saved.distance, saved.pitch, kKeep, kKeep);
    table_.Cameras().GetCamera().StartMove(40, 0);
    flags_.cueViewKeyHeld = false;
    flags_.mouseAimHeld = false;
}

bool TableInput::PressPen() {
    if (table_.Services().host != nullptr) {
        table_.Services().host->PostEvent(quill::AppEventId::CursorMode, 1, 0, 0);
    }
    table_.PensAndMarks().SetPenMode(true);
    table_.Cameras().UpdateUnprojection();
    int32_t x = 0;
    int32_t y = 0;
    if (table_.Services().host != nullptr) {
        table_.Services().host->GetCursorPosition(x, y);
    }
    table_.PensAndMarks().StartPenStroke(x, y);
    return true;
}

void TableInput::ReleasePen() {
    if (table_.Services().host != nullptr) {
        table_.Services().host->PostEvent(quill::AppEventId::CursorMode, 0, 0, 0);
    }
    table_.PensAndMarks().SetPenMode(false);
}

// The line from the cue ball toward the aim point, cut where it leaves the bed.
void TableInput::DrawOverviewGuideLine() {
    if (!flags_.overviewKeyHeld || !table_.Turn().AimFollowsCamera() || !table_.Turn().IsControlEnabled()) {
        return;
    }
    const Vec3 cue = table_.CueBallPosition();
    const PlacementBounds bounds = table_.Picking().Bounds();
    const float dx = table_.Aim().Pose().aimPointX - cue.x;
    const float dy = table_.Aim().Pose().aimPointY - cue.y;
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
    LineList& line = table_.Trails().GuideLine(0);
    WidgetToolkit::CheckTreeAccess("TableInput::DrawOverviewGuideLine");
    line.Clear();
    line.AddPoint(cue, TableTrails::kGuideLineColour);
    line.AddPoint({cue.x + dx * f, cue.y + dy * f, 0.0f}, TableTrails::kGuideLineColour);
}

// --- polling ---

// The refusals of the Shift key (and, with fewer tests, of Space and 'V').
bool TableInput::RefusedLikeShift(bool testControl, bool testBallInHand) const {
    return table_.Cameras().IsCameraBusy() || table_.Cameras().GetCamera().Mode() == CameraController::kTopViewMode ||
           (testControl && !table_.Turn().IsControlEnabled()) || flags_.strokeKeyHeld || flags_.zoomKeyHeld ||
           flags_.cueViewKeyHeld || flags_.overviewKeyHeld || table_.IsShotRunning() || flags_.aimDragHeld ||
           (testBallInHand && table_.Picking().HeldBall() >= 0);
}

bool TableInput::PollKeyPresses(std::optional<uint32_t> pressedKey) {
    const auto down = [&](uint32_t key) {
        return (!pressedKey || *pressedKey == key) && IsKeyDown(static_cast<int>(key));
    };
    if (table_.Turn().IsActive() && (flags_.zoomKeyHeld || flags_.cueViewKeyHeld) && !flags_.mouseAimHeld &&
        IsKeyDown(Vk::LButton)) {
        return StartMouseAim();
    }
    if (down(Vk::Shift) && (keyMask_ & mask::kShift) != 0 && !RefusedLikeShift(true, true)) {
        return OnKey(Vk::Shift, true);
    }
    const bool targetMissing = table_.Aim().TargetMode() && table_.Aim().TargetBall() < 0;
    if (down(Vk::Control) && (keyMask_ & mask::kCtrl) != 0 && table_.Turn().IsControlEnabled() && !flags_.strokeKeyHeld &&
        !flags_.cueViewKeyHeld && !flags_.overviewKeyHeld && !table_.IsShotRunning() &&
        !flags_.zoomKeyHeld && !targetMissing) {
        return OnKey(Vk::Control, true);
    }
    if (down(Vk::Space) && (keyMask_ & mask::kSpace) != 0 && !RefusedLikeShift(false, true)) {
        return OnKey(Vk::Space, true);
    }
    if (down(kPenKey) && table_.Aim().SideOption() > 0 && !table_.Cameras().IsCameraBusy() && !table_.PensAndMarks().PenMode() &&
        !table_.IsShotRunning() && !flags_.strokeKeyHeld && !flags_.zoomKeyHeld && !flags_.cueViewKeyHeld &&
        !flags_.overviewKeyHeld && !flags_.aimDragHeld && table_.Picking().HeldBall() < 0) {
        return OnKey(kPenKey, true);
    }
    if (down(kCueViewKey) && (keyMask_ & mask::kCueView) != 0 && !RefusedLikeShift(true, false)) {
        return OnKey(kCueViewKey, true);
    }
    for (const uint8_t key : {kTrailsKey, kBallsKey}) {
        if (down(key)) {
            lastSpecialKey_ = key;
            return true;
        }
    }
    return false;
}

bool TableInput::PollKeyReleases() {
    if (flags_.mouseAimHeld && !IsKeyDown(Vk::LButton)) {
        EndMouseAim();
        return true;
    }
    // A mode that a mouse button started is released by that button, not by its key.
    struct Held {
        uint32_t key;
        bool held;
    };
    const Held keys[] = {
        {Vk::Shift, flags_.zoomKeyHeld && !flags_.rightButtonAsShift},
        {Vk::Control, flags_.strokeKeyHeld && !flags_.leftButtonAsCtrl},
        {kCueViewKey, flags_.cueViewKeyHeld},
        {Vk::Space, flags_.overviewKeyHeld},
        {kPenKey, table_.PensAndMarks().PenMode()},
    };
    for (const Held& entry : keys) {
        if (entry.held && !IsKeyDown(static_cast<int>(entry.key))) {
            OnKey(entry.key, false);
            return true;
        }
    }
    return false;
}

void TableInput::ReleaseHeldKeys(bool focus) {
    if (focus) {
        return;
    }
    if (flags_.zoomKeyHeld) {
        OnKey(Vk::Shift, false);
    }
    if (flags_.strokeKeyHeld) {
        OnKey(Vk::Control, false);
    }
    if (flags_.overviewKeyHeld) {
        OnKey(Vk::Space, false);
    }
    if (table_.PensAndMarks().PenMode()) {
        OnKey(kPenKey, false);
    }
    if (flags_.cueViewKeyHeld) {
        OnKey(kCueViewKey, false);
    }
}

void TableInput::ReleaseHeldInput() {
    if (flags_.leftButtonAsCtrl) {
        flags_.leftButtonAsCtrl = false;
        OnKey(Vk::Control, false);
    }
    if (flags_.rightButtonAsShift) {
        flags_.rightButtonAsShift = false;
        OnKey(Vk::Shift, false);
    }
    ReleaseHeldKeys(false);
    PlaceHeldBall();
    flags_.aimDragHeld = false;
    flags_.rightButtonZoom = false;
    EndMouseAim();
    RefreshAimCursor();
}

bool TableInput::PollKeys() {
    WidgetToolkit::CheckTreeAccess("TableInput::PollKeys");
    if (!table_.Turn().IsActive() || table_.Services().host == nullptr || table_.Services().host->IsTextInputFocused()) {
        return false;
    }
    if (table_.Services().host->IsAppActive() && PollKeyPresses()) {
        return false;
    }
    return PollKeyReleases();
}

// --- window messages ---

bool TableInput::AnyTableModeActive() const {
    return flags_.overviewKeyHeld || flags_.zoomKeyHeld || flags_.strokeKeyHeld || flags_.aimDragHeld ||
           flags_.rightButtonZoom || flags_.cueViewKeyHeld || table_.Picking().HeldBall() >= 0;
}

bool TableInput::HandleInput(uint32_t message, platform::WParam wParam, platform::LParam lParam) {
    WidgetToolkit::CheckTreeAccess("TableInput::HandleInput");
    const int32_t x = platform::PointX(lParam);
    const int32_t y = platform::PointY(lParam);
    switch (message) {
        case Msg::KeyDown:
            if (!table_.Turn().IsActive() && PollKeyPresses(static_cast<uint32_t>(wParam))) {
                return true;
            }
            break;
        case Msg::KeyUp:
        case Msg::SysKeyUp:
            if ((!table_.Turn().IsActive() && PollKeyReleases()) || OnKeyUpMessage(static_cast<uint32_t>(wParam))) {
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
            if (table_.Cameras().GetCamera().Mode() != CameraController::kTopViewMode && (keyMask_ & mask::kZoom) != 0) {
                const int32_t step = platform::WheelDelta(wParam) >= 0 ? 20 : -20;
                table_.CameraEvents().Events().Post(TableEventId::ZoomCamera, static_cast<uint32_t>(step), 0, 0);
            }
            break;
        default:
            break;
    }
    return AnyTableModeActive();
}

bool TableInput::OnKeyUpMessage(uint32_t key) {
    switch (key) {
        case Vk::Control:
            if (!flags_.zoomKeyHeld && !flags_.cueViewKeyHeld) {
                if (!flags_.overviewKeyHeld) {
                    table_.Aim().SetAimCursor(true, true, 0);
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
                table_.Trails().ToggleAllTrails();
            }
            break;
        case kUndoKey:
            // Puts the balls back where the last shot started.
            if ((table_.Records().GetShotRecord().valid & ShotRecord::kValidFilled) != 0 && table_.State() == 5) {
                table_.ResetBallsFromShotRecord();
                if (table_.Cameras().GetCamera().Mode() != CameraController::kTopViewMode) {
                    table_.Cameras().GetCamera().Stop();
                    table_.Cameras().GetCamera().SetApplyAtEnd(true);
                    table_.Cameras().MoveCameraBehindCueBall(300.0f, 0.5f, false, false);
                }
                table_.Turn().SetControlEnabled(true);
            }
            break;
        default:
            lastSpecialKey_ = 0;
            break;
    }
    return false;
}

bool TableInput::OnCharMessage(uint32_t character) {
    constexpr uint32_t kTab = 9;
    constexpr uint32_t kEscape = 27;
    if (character == kEscape && table_.Aim().SideOption() > 0) {
        table_.Aim().SetSideOption(0);
        if (table_.Services().host != nullptr) {
            table_.Services().host->PostEvent(quill::AppEventId::CursorMode, 0, 0, 0);
        }
        return true;
    }
    if (character != kTab || table_.Cameras().IsCameraBusy() || flags_.aimDragHeld || flags_.rightButtonZoom ||
        (keyMask_ & mask::kTopView) == 0) {
        return false;
    }
    const uint32_t mode = table_.Cameras().GetCamera().Mode();
    if (mode == CameraController::kAimingMode) {
        table_.Cameras().GetCamera().SetMode(CameraController::kTopViewMode);
        const CameraRef top = table_.Cameras().GetCamera().CurrentCameraRef();
        LockedSetYawDegrees(top, 90.0f);
        LockedSetPitchDegrees(top, 90.0f);
        LockedSetDistance(top, table_.TableUnit() * 18.0f);
        LockedMoveTargetTo(top, Vec3{});
    } else if (mode == CameraController::kTopViewMode) {
        table_.Cameras().GetCamera().SetMode(CameraController::kAimingMode);
        if (table_.Cameras().Options().cameraFlagA || table_.Cameras().Options().cameraFlagB) {
            table_.Cameras().GetCamera().SetApplyAtEnd(true);
            table_.Cameras().MoveCamera(0.1f, kKeep, kKeep, false);
        }
    }
    table_.Cameras().GetCamera().ApplyMode();
    if (table_.Cameras().GetCamera().Mode() == CameraController::kAimingMode && table_.Cameras().RefocusOnTopViewExit()) {
        table_.Cameras().FocusCameraOnCueBall();
    }
    return false;
}

bool TableInput::OnLeftButtonDown(int32_t x, int32_t y) {
    if (!flags_.zoomKeyHeld && !flags_.aimDragHeld && !flags_.overviewKeyHeld && !flags_.strokeKeyHeld &&
        !flags_.cueViewKeyHeld) {
        table_.Cameras().UpdateUnprojection();
        if ((keyMask_ & mask::kCallPocket) != 0 && table_.Turn().AimFollowsCamera() && table_.Aim().TargetMode() &&
            table_.Equipment().GameMode() == type::kEightBall) {
            const int32_t pocket = table_.Picking().PickPocketAt(x, y);
            if (pocket > 0) {
                if (table_.Services().sound != nullptr) {
                    table_.Services().sound->PlaySound(GameTable::kPocketCallSound, 1.0f);
                }
                table_.Aim().CallPocket(static_cast<int8_t>(pocket));
                table_.Turn().SetControlEnabled(table_.Turn().AimFollowsCamera());
                if (table_.Services().host != nullptr) {
                    table_.Services().host->PostEvent(quill::AppEventId::PocketCalled, static_cast<uint32_t>(pocket), 0, 0);
                }
                return false;
            }
        }
        const bool mayPlace =
            table_.Picking().PlacementArea() > 0 || table_.State() == 5 || (table_.State() == 4 && !table_.IsShotRunning() && placingEnabled_);
        if ((keyMask_ & mask::kPlaceBall) != 0 && table_.State() != 6 && mayPlace) {
            const int32_t ball = table_.Picking().PickBallAt(x, y);
            if (ball >= 0) {
                table_.Picking().SetHeldBall(ball);
                return false;
            }
        }
    }
    if (table_.Cameras().GetCamera().Mode() == CameraController::kTopViewMode) {
        return false;
    }
    const bool lookDown = (flags_.zoomKeyHeld && (keyMask_ & mask::kShiftLook) != 0) ||
                          (flags_.cueViewKeyHeld && (keyMask_ & mask::kCueViewLook) != 0);
    if (lookDown && !flags_.leftButtonAsCtrl) {
        StartMouseAim();
        return false;
    }
    if (flags_.strokeKeyHeld || flags_.zoomKeyHeld || flags_.cueViewKeyHeld) {
        return false;
    }
    if (flags_.overviewKeyHeld) {
        return true;
    }
    if ((keyMask_ & mask::kLeftButton) == 0) {
        return false;
    }
    const bool targetChosen = !table_.Aim().TargetMode() || table_.Aim().TargetBall() != -1;
    if (buttonShortcuts_ && !flags_.rightButtonAsShift && table_.Turn().IsControlEnabled() && !table_.IsShotRunning() && targetChosen) {
        flags_.leftButtonAsCtrl = true;
        OnKey(Vk::Control, true);
    } else {
        table_.Aim().SetAimCursor(false, false, kDragCursor);
        flags_.aimDragHeld = true;
        ForgetEarlierMotion();
    }
    return false;
}

void TableInput::OnLeftButtonUp() {
    if (flags_.leftButtonAsCtrl) {
        if (table_.Turn().AimFollowsCamera()) {
            flags_.leftButtonAsCtrl = false;
            OnKey(Vk::Control, false);
        }
        return;
    }
    PlaceHeldBall();
    if (flags_.aimDragHeld) {
        flags_.aimDragHeld = false;
        table_.Aim().SetAimCursor(true, true, 0);
        if (table_.Services().host != nullptr) {
            table_.Services().host->PostEvent(quill::AppEventId::UserActivity, 0, 0, 0);
        }
    }
    if (flags_.mouseAimHeld) {
        EndMouseAim();
    }
    // A new rack may have let go of the mode this button's press began, with the cursor still hidden: the
    // release gives it back unless a mode still holds it.
    RefreshAimCursor();
}

void TableInput::PlaceHeldBall() {
    if (table_.Picking().HeldBall() < 0) {
        return;
    }
    table_.Records().SyncReportRecord();
    if (table_.Services().host != nullptr) {
        table_.Services().host->PostEvent(quill::AppEventId::BallPlaced, static_cast<uint32_t>(table_.Picking().HeldBall()), 0, 0);
    }
    const bool topView = table_.Cameras().GetCamera().Mode() == CameraController::kTopViewMode;
    if (!table_.IsShotRunning() && !topView) {
        table_.Cameras().GetCamera().SetApplyAtEnd(true);
        table_.Cameras().MoveCamera(0.5f, kKeep, kKeep, false);
    } else if (topView) {
        table_.Cameras().SetRefocusOnTopViewExit(true);
    }
    table_.Picking().SetHeldBall(-1);
}

bool TableInput::OnRightButtonDown() {
    if (flags_.zoomKeyHeld) {
        return false;
    }
    if (flags_.overviewKeyHeld) {
        return true;
    }
    if (flags_.strokeKeyHeld || flags_.cueViewKeyHeld ||
        table_.Cameras().GetCamera().Mode() == CameraController::kTopViewMode) {
        return false;
    }
    if (buttonShortcuts_ && !flags_.leftButtonAsCtrl && table_.Turn().IsControlEnabled() && !table_.IsShotRunning() && !flags_.aimDragHeld &&
        table_.Picking().HeldBall() < 0 && !table_.Cameras().IsCameraBusy()) {
        flags_.rightButtonAsShift = true;
        OnKey(Vk::Shift, true);
        return false;
    }
    if ((keyMask_ & mask::kZoom) != 0) {
        flags_.rightButtonZoom = true;
        ForgetEarlierMotion();
        table_.Aim().SetAimCursor(false, false, kZoomCursor);
    }
    return false;
}

void TableInput::OnRightButtonUp() {
    if (flags_.rightButtonAsShift) {
        if (flags_.zoomKeyHeld) {
            flags_.rightButtonAsShift = false;
            OnKey(Vk::Shift, false);
        }
        return;
    }
    if (flags_.rightButtonZoom) {
        flags_.rightButtonZoom = false;
        table_.Aim().SetAimCursor(true, true, 0);
    }
    RefreshAimCursor();
}

// --- the mouse ---

void TableInput::MoveHeldBall(uint32_t /*flags*/, uint32_t packedCursor) {
    // Client coordinates, both halves signed.
    const auto x = static_cast<int16_t>(packedCursor & 0xFFFF);
    const auto y = static_cast<int16_t>(packedCursor >> 16);
    if (table_.PensAndMarks().PenMode()) {
        table_.PensAndMarks().AddPenPoint(table_.PensAndMarks().PenSlot(), x, y);
    }
    if (!table_.Picking().DragHeldBall(x, y)) {
        table_.Aim().Pose().changed = false;
    }
}

bool TableInput::StartMouseAim() {
    if (table_.Cameras().GetCamera().Mode() == CameraController::kTopViewMode || flags_.leftButtonAsCtrl) {
        return false;
    }
    const bool zoomAim = flags_.zoomKeyHeld && (keyMask_ & 0x10) != 0;
    const bool cueViewAim = flags_.cueViewKeyHeld && (keyMask_ & 0x80) != 0;
    if (!zoomAim && !cueViewAim) {
        return false;
    }
    flags_.mouseAimHeld = true;
    ForgetEarlierMotion();
    if (!flags_.zoomKeyHeld) {
        return true;
    }
    const float pitch = table_.Aim().Pose().elevation + 1.3f;
    if (!table_.Cameras().GetCamera().IsMoving()) {
        table_.Cameras().GetCamera().SaveView();
        table_.Cameras().GetCamera().SetTarget(kKeep, pitch, kKeep, kKeep);
        table_.Cameras().GetCamera().StartMove(40, 0);
    } else {
        table_.Cameras().GetCamera().Retarget(kKeep, pitch, kKeep, kKeep);
    }
    return true;
}

bool TableInput::EndMouseAim() {
    if (!flags_.mouseAimHeld) {
        return false;
    }
    flags_.mouseAimHeld = false;
    if (flags_.zoomKeyHeld) {
        table_.Cameras().GetCamera().SetTarget(kKeep, table_.Cameras().GetCamera().Saved().pitch, kKeep, kKeep);
        table_.Cameras().GetCamera().StartMove(40, 0);
        return true;
    }
    if (flags_.cueViewKeyHeld) {
        return false;
    }
    table_.Aim().SetAimCursor(true, true, 0);
    return true;
}

}  // namespace kestrovan
