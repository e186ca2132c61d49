#include "client/scenes/common/ReplayPanel.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/ScopedLock.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/UiTextures.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/RequestSender.h"
#include "client/scenes/common/ShotSaveWindow.h"
#include "client/scenes/common/TableOptionsFromSettings.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableInput.h"
#include "client/table/TableRack.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan {

namespace {

constexpr int32_t kWideShift = 184;
constexpr int32_t kTableState = 6;
constexpr float kKeep = CameraController::kKeep;

// Each button says what it does on its face (the close button's cross is painted on its own). They stand on
// the strip below the panel; the close button and the two view boxes reach back up onto the panel's title bar,
// the boxes from its top edge instead of 2 and 4 pixels over it.
constexpr int32_t kStripY = 258;
struct ButtonPlace {
    int32_t id;
    const char16_t* tooltip;
    const char16_t* caption;
    int32_t x, y, w, h, srcX, srcY;
};

constexpr ButtonPlace kButtons[] = {
    {ReplayPanel::kPlay, u"Play", u"▶", 10, 7, 34, 18, 953, 328},
    {ReplayPanel::kPause, u"Pause", u"||", 50, 7, 34, 18, 987, 328},
    {ReplayPanel::kSave, u"Save to shot-gallery", u"Save shot", 10, 28, 114, 18, 839, 328},
    {ReplayPanel::kReplayLast, u"Replay last shot", u"◀◀", 130, 7, 34, 18, 839, 488},
    {ReplayPanel::kClose, nullptr, nullptr, 154, -251, 22, 22, 839, 400},
    {ReplayPanel::kCameraMode, u"Camera mode", u"Cam", 68, -kStripY, 45, 35, 519, 611},
    {ReplayPanel::kWindowSize, u"Window size", u"Size", 110, -kStripY, 36, 39, 483, 611},
};

// The picture-in-picture view under a soft white light from above.
constexpr DirectionalLightDesc kLight{0, 1.0f, 1.0f, 1.0f, 1.0f, 1, 1, 0.0f, 0.0f, -1.0f};
constexpr TableSceneStage::Lighting kLighting{kLight, 0.35f, kLight, 0.25f};

}  // namespace

ReplayPanel::ReplayPanel(ScreenServices& app, quill::PlayerState& player, Services services)
    : app_(app), stage_(app, {}), player_(player), services_(std::move(services)) {
    Create(0, 100, kWidth, kHeight, -1, -1);
    SetImage(kHudTexture, 655, 182, kWidth, kHeight, 1.0f, 1.0f);
    SetModal(false);
    Image* strip = CreateImage(0, kStripY, kWidth, 51, kHudTexture, 655, 440);
    for (const ButtonPlace& place : kButtons) {
        Button* button =
            strip->CreateButton(place.x, place.y, place.w, place.h, place.id, -1, kHudTexture, place.srcX, place.srcY);
        if (place.tooltip != nullptr) button->SetTooltip(place.tooltip);
        if (place.caption != nullptr) SetCentredCaption(*button, place.caption, kWhite, UiFont::Small10);
        if (place.id == kCameraMode || place.id == kWindowSize) button->SetCheckBox();
    }
    ShotSaveWindow::Services saveServices{services_.notice3, services_.error};
    saveWindow_ = static_cast<ShotSaveWindow*>(AddChild(std::make_unique<ShotSaveWindow>(saveServices), false));
    Show(false);
}

ReplayPanel::~ReplayPanel() = default;

Button* ReplayPanel::ControlButton(int32_t id) const {
    for (Widget* child : GetChildren()) {
        for (Widget* button : child->GetChildren()) {
            if (button->GetId() == id && button->GetKind() == WidgetKind::Button) return static_cast<Button*>(button);
        }
    }
    return nullptr;
}

ShotRecord ReplayPanel::StoredShot() const {
    return storedShot_;
}

// --- the table ---

bool ReplayPanel::CreateTable(const quill::RoomInfo& room, quill::ResourceManager& resources,
                              D3D9RenderDevice& device) {
    WidgetToolkit::CheckTreeAccess("ReplayPanel::CreateTable");
    GameTable& table =
        stage_.CreateTable({static_cast<quill::GameType>(room.gameType), room.tableItem, room.ballItem,
                            kDefaultPhysicsModelCode, 1});
    const bool loaded = stage_.LoadWithoutMap(resources, device, 0);
    table.Reset(0);
    table.Cameras().SetCameraFlags(true, true, false, false);
    table.SetState(kTableState);
    table.ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
    return loaded;
}

void ReplayPanel::ReleaseTable() {
    WidgetToolkit::CheckTreeAccess("ReplayPanel::ReleaseTable");
    playing_ = false;
    stage_.Release(nullptr);
}

void ReplayPanel::EquipShotCue(const ShotRecord& record, bool withParts) {
    CueModelEntry::PartIds parts = TableSceneStage::kStockParts;
    const ItemModelRecord* model = TheItemModelCatalogue().FindById(record.cueItemId);
    if (withParts && model != nullptr && model->kind == ItemModelKind::kCue && model->custom != 0) {
        parts = record.cuePartIds;
    }
    stage_.EquipCue(record.cueItemId, parts);
}

void ReplayPanel::LoadShot(const ShotRecord& record) {
    WidgetToolkit::CheckTreeAccess("ReplayPanel::LoadShot");
    storedShot_ = record;
    reloadPending_ = false;
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    if (table->Equipment().TableItemId() != record.tableItemId ||
        table->Equipment().BallSetItemId() != record.ballSetItemId) {
        reloadPending_ = true;
        return;
    }
    table->StopShot();
    playing_ = true;
    table->RestoreShotRecord(storedShot_);
    table->Rack().SetCueBallIndex(record.cueBallIndex);
    if (cameraMode_ == kFollowCamera) table->Cameras().FocusCameraOnCueBall();
    table->SnapshotBalls();
    EquipShotCue(record, true);
    table->StartShot(3, false);
}

void ReplayPanel::PlayStored() {
    LoadShot(StoredShot());
}

void ReplayPanel::UpdateTable(uint32_t clockTenthMs) {
    if (GameTable* table = stage_.Table()) table->Update(clockTenthMs, 0, 0, !playing_);
}

void ReplayPanel::DrawTable(D3D9RenderDevice& device) {
    WidgetToolkit::CheckTreeAccess("ReplayPanel::DrawTable");
    GameTable* table = stage_.Table();
    if (table == nullptr || !shown_) return;
    const WidgetRect at = GetRect();
    const int32_t width = enlarged_ ? 2 * kViewWidth : kViewWidth;
    device.SetViewport(static_cast<uint32_t>(at.left + 3), static_cast<uint32_t>(at.top + 3),
                       static_cast<uint32_t>(width), kViewHeight);
    if (viewChanged_.exchange(false)) {
        if (quill::Camera* const* camera = table->Cameras().GetCurrentCameraRef();
            camera != nullptr && *camera != nullptr) {
            quill::ScopedLock cameraHold((*camera)->GetLock());
            (*camera)->SetAspectRatio(static_cast<float>(kViewHeight) / static_cast<float>(width));
        }
    }
    device.Clear(true, true);
    if (reloadPending_.exchange(false)) {
        table->StopShot();
        stage_.ApplyEquipment({static_cast<quill::GameType>(storedShot_.gameMode), storedShot_.tableItemId,
                               storedShot_.ballSetItemId, kDefaultPhysicsModelCode, 1});
        table->RestoreShotRecord(storedShot_);
        table->Rack().SetCueBallIndex(storedShot_.cueBallIndex);
        if (cameraMode_ == kFollowCamera) table->Cameras().FocusCameraOnCueBall();
        EquipShotCue(storedShot_, false);
        table->StartShot(3, false);
        playing_ = true;
    }
    stage_.Render(&device, true, 0.0f, &kLighting);
    const ScreenSize screen = app_.GetScreenSize();
    device.SetViewport(0, 0, screen.width, screen.height);
}

// --- controls ---

void ReplayPanel::ApplyCamera() {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    if (cameraMode_ == kTopCamera) {
        table->Cameras().SetCameraFlags(false, false, false, false);
        table->Cameras().SetTopView(true);
        return;
    }
    table->Cameras().SetTopView(false);
    table->Cameras().SetCameraFlags(true, true, false, false);
    if (!table->IsShotRunning()) table->Cameras().MoveCamera(0.5f, kKeep, kKeep, false);
}

void ReplayPanel::ToggleSize() {
    WidgetToolkit::CheckTreeAccess("ReplayPanel::ToggleSize");
    if (viewChanged_) return;
    viewChanged_ = true;
    const int32_t shift = enlarged_ ? -kWideShift : kWideShift;
    SetScale(enlarged_ ? 2.0f : 1.0f, 1.0f);
    Offset(shift, 0);
    saveWindow_->Offset(-shift, 0);
    SetAnchor(AnchorMode::Right, enlarged_ ? -374 : -190, 0, 0);
    if (Button* size = ControlButton(kWindowSize)) size->SetEnabled(true);
}

void ReplayPanel::OnWindowSize() {
    Button* size = ControlButton(kWindowSize);
    if (size == nullptr) return;
    // A second press before the first was drawn changes nothing: the toggle shows the size there is.
    if (viewChanged_) {
        size->SetChecked(enlarged_);
        return;
    }
    if (enlarged_ == size->IsChecked()) return;
    size->SetEnabled(false);
    enlarged_ = size->IsChecked();
    ToggleSize();
}

void ReplayPanel::OnSave() {
    const ShotRecord shot = StoredShot();
    if ((shot.valid & ShotRecord::kValidState7) == 0) {
        if (services_.notice) services_.notice(u"Cannot save a practice shot.");
        return;
    }
    if ((shot.valid & ShotRecord::kValidLocalShot) == 0) {
        if (services_.notice) services_.notice(u"Other people's shots cannot be registered.");
        return;
    }
    PlayStored();
    saveWindow_->SetStickers(player_.stickerCount);
    saveWindow_->SetVisible(true);
}

void ReplayPanel::RegisterShot() {
    if (player_.stickerCount < 1 || services_.sender == nullptr) return;
    const std::string text = ShotRecord::WriteHex(StoredShot());
    GameTable* table = stage_.Table();
    const auto mode = static_cast<uint8_t>(table != nullptr ? table->Equipment().GameMode() : StoredShot().gameMode);
    const quill::WString title = saveWindow_->Title();
    // A registration that did not go spends no sticker.
    AwaitedRequest(*services_.sender, services_.notice)
        .Send(
            [&](quill::Packet& packet) {
                packet.Init(quill::MessageId::ShotRegister).WriteU8(mode).WriteWString(title);
                packet.WriteU16(static_cast<uint16_t>(text.size()));
                for (char c : text) packet.WriteU8(static_cast<uint8_t>(c));
                packet.WriteU8(0);
            },
            [this] { player_.stickerCount = static_cast<uint16_t>(player_.stickerCount - 1); });
}

bool ReplayPanel::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (source != nullptr && source->GetParent() == saveWindow_) {
        if (id == kSaveOk) RegisterShot();
        return false;
    }
    switch (id) {
        case kPlay:
            PlayStored();
            return true;
        case kPause:
            playing_ = !playing_;
            return true;
        case kSave:
            OnSave();
            return true;
        case kReplayLast:
            if (services_.poster) services_.poster(quill::AppEventId::ReplayLastShotRequest, 0, 0, 0);
            return true;
        case kClose:
            shown_ = false;
            SetVisible(false);
            if (services_.poster) services_.poster(quill::AppEventId::RoomWindowsToggle, 0, 0, 0);
            return true;
        case kCameraMode:
            cameraMode_ = static_cast<Button*>(source)->IsChecked() ? kTopCamera : kFollowCamera;
            ApplyCamera();
            return true;
        case kWindowSize:
            OnWindowSize();
            return true;
        default:
            return Window::OnEvent(source, a, b);
    }
}

bool ReplayPanel::IsInside(int32_t x, int32_t y) const {
    WidgetRect area = GetRect();
    if (enlarged_) area.right += kWideShift;
    return area.Contains(x, y);
}

bool ReplayPanel::OnMouse(uint32_t msg, WParam wParam, LParam lParam) {
    GameTable* table = stage_.Table();
    const bool pressing = msg == platform::Msg::LButtonDown || msg == platform::Msg::RButtonDown ||
                          msg == platform::Msg::MouseWheel;
    if (table != nullptr && (!pressing || IsInside(platform::PointX(lParam), platform::PointY(lParam)))) {
        table->Input().HandleInput(msg, wParam, lParam);
    }
    return Window::OnMouse(msg, wParam, lParam);
}

void ReplayPanel::OnShow() {
    Window::OnShow();
    shown_ = true;
    viewChanged_ = true;
    ApplyCamera();
    if (Button* size = ControlButton(kWindowSize)) size->SetEnabled(true);
}

// Hidden, the shot stops: a paused panel does not start playing unseen.
void ReplayPanel::OnHide() {
    Window::OnHide();
    playing_ = false;
    shown_ = false;
}

}  // namespace kestrovan
