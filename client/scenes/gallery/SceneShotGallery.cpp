// The gallery screen's layout, visit and controls. The replay is in SceneShotGalleryReplay.cpp, the server's
// messages and the notice lines in SceneShotGalleryPackets.cpp.
#include "client/scenes/gallery/SceneShotGallery.h"

#include <utility>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/core/Random.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/net/MessageId.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/SiteConfig.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/common/OfflineDefaults.h"
#include "client/scenes/common/TableOptionsFromSettings.h"
#include "client/scenes/common/UserLocation.h"
#include "client/scenes/gallery/GalleryListDialog.h"
#include "client/scenes/gallery/GalleryShotDialog.h"
#include "client/scenes/gallery/HttpGalleryTransport.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableModels.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr uint16_t kTableItem = 1020;
constexpr uint16_t kBallSetItem = 2003;
constexpr uint8_t kZero = 0;
constexpr uint32_t kEscape = 27;

}  // namespace

SceneShotGallery::SceneShotGallery(ScreenServices& app, std::unique_ptr<GalleryTransport> transport)
    : Scene(SceneId::ShotGallery),
      app_(app),
      connection_(*app.Connection()),
      sender_(*app.Connection()),
      transport_(std::move(transport)),
      stage_(app, {}),
      titleBarButtons_(*this, app.Scenes(), {.leave = [this] { SendLeaveToLobby(); }}) {}

SceneShotGallery::~SceneShotGallery() {
    stage_.Release(nullptr);
}

GalleryServices SceneShotGallery::Services(GalleryExchange* exchange) {
    GalleryServices services;
    services.exchange = exchange;
    services.sender = &sender_;
    services.player = &connection_.LocalPlayer();
    services.post = [this](uint32_t id, uint32_t wParam) { app_.PostEvent(id, wParam, 0, 0); };
    services.notice = [this](quill::WStringView line) { app_.Scenes().ShowNoticeBox(this, line); };
    services.error = [this](quill::WStringView line0, quill::WStringView line1, quill::WStringView line2) {
        app_.Scenes().ShowErrorBox(this, line0, line1, line2);
    };
    return services;
}

// --- layout (main thread, once) ---

void SceneShotGallery::Init() {
    if (built_)
        quill::AssertBreak("SceneShotGallery", 60);
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    // The site is read from config.ini before the screens are made.
    if (!transport_)
        transport_ = std::make_unique<HttpGalleryTransport>(app_.Site().Site());
    listExchange_ = std::make_unique<GalleryExchange>(*transport_);
    shotExchange_ = std::make_unique<GalleryExchange>(*transport_);
    list_ = static_cast<GalleryListDialog*>(
        AddChild(std::make_unique<GalleryListDialog>(Services(listExchange_.get())), false));
    shot_ = static_cast<GalleryShotDialog*>(
        AddChild(std::make_unique<GalleryShotDialog>(Services(shotExchange_.get())), false));
    BuildTitleBar();
    BuildNoticeLines();
    speedCaption_ = CreateTextLabel(0, 0, 100, 20, &UiFontAt(UiFont::Bold14), TextLabel::kAlignCentre, 0);
    speedCaption_->SetColors(kWhite, 0);
    speedCaption_->SetAnchor(AnchorMode::HCentre, 0, AnchorMode::Bottom, -55);
    ApplyChildAnchors(screen.width, screen.height);
    SetLoadWanted(true);
}

void SceneShotGallery::BuildTitleBar() {
    titleBar_ = CreateImage(10, 4, 392, 30, kCommonTexture, 0, 416);
    TextLabel* caption = titleBar_->CreateTextLabel(130, 5, 200, 20, &UiFontAt(UiFont::Bold14), 0, 0);
    caption->SetColors(kWhite, 0);
    caption->SetText(u"Shot Gallery");
    // The help button has no page of its own here: it answers and does nothing.
    constexpr std::pair<TitleBarButtons::Role, int32_t> kButtons[] = {{TitleBarButtons::Role::ToLobby, kToLobby},
                                                                      {TitleBarButtons::Role::Settings, kSettings},
                                                                      {TitleBarButtons::Role::Help, kHelp},
                                                                      {TitleBarButtons::Role::MyInfo, kMyInfo},
                                                                      {TitleBarButtons::Role::Messenger, kMessenger}};
    for (const auto& [role, id] : kButtons)
        titleButtons_[static_cast<size_t>(id - kToLobby)] = titleBarButtons_.Add(role, id);
}

void SceneShotGallery::BuildNoticeLines() {
    noticeBox_ = CreateImage(10, 0, 1, 1, kHudTexture, 610, 902);
    noticeBox_->SetAnchor(0, 0, AnchorMode::Bottom, -188);
    for (size_t k = 0; k < kNoticePanels; ++k) {
        Image* panel =
            noticeBox_->CreateImage(0, 18 * static_cast<int32_t>(k), kNoticePanelWidth, 30, kHudTexture, 610, 902);
        TextLabel* label = panel->CreateTextLabel(20, 13, 440, 18, &UiFontAt(UiFont::Regular12), 0, 0);
        label->SetColors(kWhite, 0);
        panel->Show(false);
        noticePanels_[k] = panel;
        noticeLabels_[k] = label;
    }
}

Button* SceneShotGallery::TitleButton(int32_t id) const {
    if (id < kToLobby || id > kMessenger)
        return nullptr;
    return titleButtons_[static_cast<size_t>(id - kToLobby)];
}

void SceneShotGallery::OnResize(uint32_t width, uint32_t height) {
    Scene::OnResize(width, height);
    ApplyChildAnchors(static_cast<int32_t>(width), static_cast<int32_t>(height));
    stage_.LayoutHud(width, height);
}

void SceneShotGallery::OnActivate(bool active) {
    stage_.OnScreenActivate(active);
}

// --- a visit ---

int SceneShotGallery::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) {
    if (resourcesLoaded_)
        quill::AssertBreak("SceneShotGallery", 130);
    resourcesLoaded_ = true;
    stage_.CreateTable({0, kTableItem, kBallSetItem, kDefaultPhysicsModelCode, 1});
    if (resources == nullptr || device == nullptr || !stage_.Load(*resources, *device, u"Map0000", 0, 0))
        return 1;
    LoadGraphics(0);
    const ScreenSize screen = app_.GetScreenSize();
    ApplyChildAnchors(screen.width, screen.height);
    return 0;
}

void SceneShotGallery::Activate() {
    connection_.LocalPlayer().position = UserPlace::Gallery;
    if (GameTable* table = stage_.Table()) {
        table->Models().SetupTable(kDefaultPhysicsModelCode, 1);
        table->Reset(app_.GetRandom().Next());
        table->Cameras().SetCameraFlags(false, false, true, false);
        table->ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
        table->Physics().SetSpeedFactor(1.0f);
        table->Cameras().MoveCamera(0.5f, CameraController::kKeep, 30.0f, false);
        table->SetState(0);
        table->HudValues().LayoutHud(Width(), Height());
        stage_.EquipCue(kStockCue, TableSceneStage::kStockParts);
    }
    notices_.clear();
    firstNotice_ = 1;
    list_->ResetPaging();
    // Shown anew on every visit, so that it fetches today's best again.
    list_->Show(false);
    list_->SetVisible(true);
    shot_->SetVisible(false);
    shot_->CancelFetch();
    DrawNoticeLines();
    replayPending_ = false;
    gameMode_ = 0;
    speedIndex_ = kNoSpeed;
    speedCaption_->SetText(u"");
}

bool SceneShotGallery::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    Scene::OnLeave(resources, renderScenes);
    // A post still under way is given up with the visit.
    if (listExchange_)
        listExchange_->Cancel();
    shot_->CancelFetch();
    stage_.Release(renderScenes);
    resourcesLoaded_ = false;
    replayPending_ = false;
    speedIndex_ = kNoSpeed;
    SetReady(false);
    return true;
}

void SceneShotGallery::Update(uint32_t, int64_t clockTenthMs, const MouseMotion&) {
    if (GameTable* table = stage_.Table())
        table->Update(static_cast<uint32_t>(clockTenthMs), 0, 0, false);
    // The site's replies that came since the last frame are shown; no thread waits for the site.
    list_->CompleteFetch();
    shot_->CompleteFetch();
}

// --- controls and events ---

void SceneShotGallery::SendLeaveToLobby() {
    connection_.SendBytePacket(quill::MessageId::LeaveToLobby, &kZero);
    RequestSceneChange(SceneId::Lobby);
}

bool SceneShotGallery::OnEvent(Widget* source, int32_t kind, int32_t key) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (titleBarButtons_.OnControl(id))
        return true;
    switch (id) {
        case kPlayShot:
            PlayShot();
            return true;
        case kViewList:
            shot_->SetVisible(false);
            list_->SetVisible(true);
            return true;
        default:
            return Scene::OnEvent(source, kind, key);
    }
}

int SceneShotGallery::OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
    GameTable* table = stage_.Table();
    if (table != nullptr && id < quill::AppEventId::EventNone) {
        table->Input().HandleInput(id, static_cast<platform::WParam>(wParam), static_cast<platform::LParam>(lParam));
    }
    switch (id) {
        case quill::AppEventId::GalleryPlayShot:
            PlayShot();
            break;
        case quill::AppEventId::GalleryPage:
            OpenShot(static_cast<int32_t>(wParam));
            break;
        case platform::Msg::Char:
            if (wParam == kEscape)
                OnEscape();
            break;
        case quill::AppEventId::JoinWith:
            SendLeaveToLobby();
            break;
        case quill::AppEventId::BallsStopped:
            OnBallsStopped();
            break;
        case quill::AppEventId::GalleryTableEvent:
            if (!clampDone_)
                ClampCameraPitch();
            break;
        default:
            break;
    }
    return 0;
}

void SceneShotGallery::OnEscape() {
    if (shot_->IsVisible()) {
        shot_->SetVisible(false);
        list_->SetVisible(true);
    } else if (list_->IsVisible()) {
        list_->SetVisible(false);
    } else {
        list_->SetVisible(true);
    }
}

void SceneShotGallery::OpenShot(int32_t shotNumber) {
    shot_->ClearTexts();
    shot_->SetShotNumber(shotNumber);
    shot_->SetVisible(true);
}

}  // namespace kestrovan
