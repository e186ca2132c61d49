#include "client/scenes/offline/SceneAlone.h"

#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/AppCursor.h"
#include "client/app/NativeEditBridge.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/OfflineDefaults.h"
#include "client/scenes/common/RoomSettingDialog.h"
#include "client/scenes/common/TableOptionsFromSettings.h"
#include "client/scenes/common/TitleTiles.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/TableAim.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEvents.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableModels.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "client/table/TableTrails.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"
#include "platform/system/Rand.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kKeyGuideWidth = 196;
constexpr int32_t kKeyGuideHeight = 278;
constexpr uint32_t kZoomKey = 'Z';
constexpr int32_t kAdultAge = 20;

// The lines of the key guide; the picture itself carries no words in our packs.
constexpr const char16_t* kKeyGuideLines[] = {
    u"Left button drag : aim", u"Ctrl + mouse : shoot", u"  (pull back, push)",
    u"Right button drag : zoom", u"Wheel : zoom",      u"Shift : zoom view",
    u"Space : overview",       u"V : along the cue",   u"T : all trails",
    u"F2 : this guide",        u"F1 : help",           u"F3 : settings"};

bool IsCustomCue(const quill::InventoryItem& item) {
    return item.customFlag != 0 && item.typeCode >= quill::InventoryItem::kCustomCueType;
}

}  // namespace

SceneAlone::SceneAlone(ScreenServices& app)
    : Scene(SceneId::Alone),
      app_(app),
      stage_(app, {.player = true, .sound = true, .connection = false}),
      lentChalk_(*app.Connection()),
      titleBarButtons_(*this, app.Scenes(),
                       {.leave = [this] { app_.PostQuit(); },
                        .help = [this] { help_->OpenRoomPage(Room().gameType); },
                        .roomSetting =
                            [this] {
                                roomSetting_->SetSelectedType(Room().gameType);
                                roomSetting_->SetVisible(true);
                            }}) {
    ApplyOfflineDefaults(Player());
    Room().gameType = static_cast<uint8_t>(quill::game_type::kEightBall);
}

SceneAlone::~SceneAlone() = default;

quill::PlayerState& SceneAlone::Player() const { return app_.Connection()->LocalPlayer(); }

quill::RoomInfo& SceneAlone::Room() const { return app_.Connection()->GetRoomInfo(); }

// --- widgets ---

void SceneAlone::Init() {
    if (built_) quill::AssertBreak(".\\SceneAlone", 80);
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    BuildTitleBar();
    BuildKeyGuide();
    const AppEventPoster poster = PosterOf(app_);
    auto bar = std::make_unique<ItemQuickBar>(Player(), poster, [this] { app_.Cursor().RepostMouseMove(); });
    itemBar_ = static_cast<ItemQuickBar*>(AddChild(std::move(bar), false));
    itemBar_->SetAnchor(AnchorMode::Left, 0, AnchorMode::Bottom, -430);
    chalkSlot_ = static_cast<ChalkQuickSlot*>(AddChild(std::make_unique<ChalkQuickSlot>(Player(), poster), true));
    chalkSlot_->SetAnchor(AnchorMode::Left, -4, AnchorMode::Bottom, -300);
    auto dialog = std::make_unique<RoomSettingDialog>(*app_.Connection(), poster);
    roomSetting_ = static_cast<RoomSettingDialog*>(AddChild(std::move(dialog), false));
    help_ = static_cast<HelpWindow*>(AddChild(CreateHelpWindow(app_), false));
    ApplyChildAnchors(screen.width, screen.height);
}

void SceneAlone::BuildTitleBar() {
    titleBar_ = CreateImage(10, 4, 392, 30, kCommonTexture, TitleTiles::kBar.x, TitleTiles::kBar.y);
    titleLabel_ = CreateTextLabel(130, 5, 200, 20, &UiFontAt(UiFont::Bold14), TextLabel::kAlignCentre, 0);
    titleLabel_->SetText(u"Offline");
    // Each button wears the pictogram of its action; the tooltip names it.
    titleBarButtons_.Add(TitleBarButtons::Role::Exit, kExitButton);
    titleBarButtons_.Add(TitleBarButtons::Role::Settings, kSettingsButton);
    titleBarButtons_.Add(TitleBarButtons::Role::Help, kHelpButton);
    titleBarButtons_.Add(TitleBarButtons::Role::RoomSetting, kRoomSettingButton);
}

void SceneAlone::BuildKeyGuide() {
    keyGuide_ = CreateImage(500, 100, kKeyGuideWidth, kKeyGuideHeight, kHudTexture, 0, 0);
    keyGuide_->SetAnchor(AnchorMode::Right, -200, AnchorMode::Top, 100);
    keyGuide_->SetAcceptsMouse(false);
    int32_t y = 10;
    for (const char16_t* line : kKeyGuideLines) {
        keyGuide_->CreateTextLabel(12, y, kKeyGuideWidth - 24, 18, &UiFontAt(UiFont::Regular12), 0, 0)->SetText(line);
        y += 21;
    }
}

// --- loading ---

int SceneAlone::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) {
    quill::RoomInfo& room = Room();
    const TableSceneStage::Equipment equipment = OfflineEquipment();
    room.tableItem = equipment.tableItem;
    room.ballItem = equipment.ballSetItem;
    stage_.CreateTable(equipment);
    if (ResourcePackCatalog* catalog = app_.Catalog()) AddResourceRecord({catalog->UiFolder(), u"Game", -1, 0});
    LoadSounds();
    if (resources == nullptr || device == nullptr || !stage_.Load(*resources, *device, u"Map0000", 0, 0)) return 1;
    if (quill::SoundManager* sounds = quill::SoundManager::Current())
        sounds->Play(sound_id::kTableMusic, 1.0f, 0, true);
    LoadGraphics(0);
    return 0;
}

TableSceneStage::Equipment SceneAlone::OfflineEquipment() const {
    const auto mode = static_cast<quill::GameType>(Room().gameType);
    const size_t index = static_cast<size_t>(mode % quill::kGameTypeCount);
    return {mode, Player().offlineTableItem[index], Player().offlineBallSetItem[index], kPhysicsModel, 0};
}

void SceneAlone::LoadSounds() {
    quill::SoundManager* sounds = quill::SoundManager::Current();
    ResourcePackCatalog* catalog = app_.Catalog();
    if (sounds == nullptr || catalog == nullptr) return;
    for (uint32_t id : {sound_id::kRackChime, kClickSound}) {
        if (auto sound = catalog->GetSound(id)) sounds->LoadSound(sound, id, 0, 1, true);
    }
    if (auto music = catalog->GetSound(sound_id::kTableMusic))
        sounds->LoadStreamingSound(music, sound_id::kTableMusic, quill::SoundManager::kMusicCategory);
}

// --- activation ---

void SceneAlone::Activate() {
    // The offline inventory is built anew; the chalk of the last visit goes back first.
    lentChalk_.Return(Player());
    app_.Connection()->AddOfflineItems();
    NativeEditBridge::ClearFocus();
    Player().age = kAdultAge;
    lentChalk_.Lend(Player());
    SetUpTable();
    EquipProfileCue();
    keyGuide_->Show(true);
    itemBar_->Show(false);
    itemBar_->Refresh();
    chalkSlot_->Reload();
    stage_.TakePendingEquipment();
    SetReady(true);
    quill::TheLog().Log(u"Scene %d ready\n", static_cast<int>(GetSceneId()));
}

void SceneAlone::SetUpTable() {
    GameTable& table = *stage_.Table();
    table.Models().SetupTable(kPhysicsModel, 0);
    table.Reset(static_cast<uint32_t>(platform::Rand()));
    table.ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
    table.Cameras().MoveCamera(0.5f, CameraController::kKeep, 30.0f, false);
    table.SetState(5);
    table.Trails().SetTrailsShown(app_.GetSettings().traceAll != 0);
    // The player aims: the cue lies along the aiming camera's view, so a drag of the left button, which turns
    // the view, turns the aim; Ctrl held strokes the cue with the mouse.
    table.Turn().SetAimFollowsCamera(true);
    table.Input().OnKey(kZoomKey, false);
    table.Turn().SetControlEnabled(true);
    table.HudValues().LayoutHud(Width(), Height());
}

void SceneAlone::EquipProfileCue() {
    const auto mode = static_cast<size_t>(Room().gameType % quill::kGameTypeCount);
    const quill::EquippedItem& equipped = Player().equipped[mode];
    const quill::InventoryItem* item = Player().FindItem(equipped.key, equipped.subKey);
    CueModelEntry::PartIds parts = TableSceneStage::kStockParts;
    if (item != nullptr && IsCustomCue(*item)) parts = item->statValues;
    stage_.EquipCue(Player().offlineCueItem[mode], parts);
}

// --- events ---

bool SceneAlone::OnEvent(Widget* source, int32_t a, int32_t b) {
    titleBarButtons_.OnControl(source != nullptr ? source->GetId() : -1);
    Scene::OnEvent(source, a, b);
    return false;
}

int SceneAlone::OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return 0;
    table->Input().HandleInput(id, static_cast<platform::WParam>(wParam), static_cast<platform::LParam>(lParam));
    if (id == platform::Msg::KeyUp && wParam == platform::Vk::F2) keyGuide_->Show(!keyGuide_->IsVisible());
    switch (id) {
        case quill::AppEventId::RoomSettingConfirm:
            if (roomSetting_->SelectedType() != Room().gameType) {
                table->StopShot();
                Room().gameType = static_cast<uint8_t>(roomSetting_->SelectedType());
                stage_.RequestEquipment(OfflineEquipment());
            }
            break;
        case quill::AppEventId::ApplyTableSettings:
            table->ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
            break;
        case quill::AppEventId::UseChalk:
            table->Aim().SetChalkLevel(chalkSlot_->Level());
            table->StartAmbientEffect(platform::TimeGetTime());
            break;
        case quill::AppEventId::QuickSlotB:
            OnItemBarAction(static_cast<uint32_t>(wParam));
            break;
        case quill::AppEventId::ShotFired:
            chalkSlot_->UseChalk(table->Records().GetShotRecord().chalkUsed);
            break;
        case quill::AppEventId::BallsStopped:
            quill::TheLog().Log(u"BallsStopped\n");
            table->Rack().ReRackIfNeeded(static_cast<uint32_t>(platform::Rand()), false);
            table->Rack().SetCueBall(0, false);
            table->RenderStep().SetVisible(true);
            table->Turn().SetControlEnabled(true);
            break;
        default:
            break;
    }
    return 0;
}

// The bar posts the clicked item's kind: a cue (1) is equipped, a chalk (5) selected.
void SceneAlone::OnItemBarAction(uint32_t action) {
    const quill::InventoryItem* item = itemBar_->ClickedItem();
    if (item == nullptr) return;
    if (action == 1) {
        const quill::InventoryItem* current = Player().GetEquippedItem(Room().gameType);
        if (current != item) EquipCue(*item);
    } else if (action == quill::InventoryItem::kKindChalk) {
        Player().SelectItem(item->key, item->subKey);
        itemBar_->Refresh();
        chalkSlot_->Reload();
        stage_.Table()->Ambient().RequestAmbientRebuild();
    }
}

void SceneAlone::EquipCue(const quill::InventoryItem& item) {
    const auto mode = static_cast<size_t>(Room().gameType % quill::kGameTypeCount);
    CueModelEntry::PartIds parts = TableSceneStage::kStockParts;
    if (IsCustomCue(item)) parts = item.statValues;
    const auto type = static_cast<uint16_t>(item.typeCode);
    Player().offlineCueItem[mode] = type;
    Player().equipped[mode] = {item.key, item.subKey, type};
    stage_.EquipCue(type, parts);
}

void SceneAlone::Update(uint32_t, int64_t clockTenthMs, const MouseMotion& motion) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->Update(static_cast<uint32_t>(clockTenthMs), motion.dx, motion.dy, false);
}

void SceneAlone::TakeMotionBeforeRelease(int64_t clockTenthMs, const MouseMotion& motion) {
    stage_.TakeMotionBeforeRelease(clockTenthMs, motion);
}

void SceneAlone::OnSettingsChanged(const Settings& settings) {
    if (GameTable* table = stage_.Table())
        table->Models().SetEnvironmentSettings(settings.tableEffect != 0, settings.meshDetail != 0);
}

void SceneAlone::OnResize(uint32_t width, uint32_t height) {
    Scene::OnResize(width, height);
    stage_.LayoutHud(width, height);
}

void SceneAlone::OnActivate(bool active) {
    Scene::OnActivate(active);
    stage_.OnScreenActivate(active);
}

bool SceneAlone::Poll() {
    stage_.PollKeys();
    return true;
}

// --- drawing (main thread) ---

void SceneAlone::Render(D3D9RenderDevice* device, bool draw) {
    if (stage_.Table() == nullptr) return;
    if (draw) {
        if (const auto equipment = stage_.TakePendingEquipment()) ReloadTable(*equipment);
    }
    if (device == nullptr || stage_.RenderScene() == nullptr) return;
    const uint32_t now = platform::TimeGetTime();
    const float elapsed = lastRenderMs_ != 0 ? static_cast<float>(now - lastRenderMs_) / 1000.0f : 0.0f;
    lastRenderMs_ = now;
    stage_.Render(device, draw, elapsed, &TableSceneStage::kLampLighting);
    if (!draw) return;
    device->Begin2D();
    stage_.DrawHudAndPreviews(*this, *device);
    DrawWidgets(device);
}

void SceneAlone::ReloadTable(const TableSceneStage::Equipment& equipment) {
    GameTable& table = *stage_.Table();
    stage_.ApplyEquipment(equipment);
    table.Rack().RackBalls();
    table.SnapshotBalls();
    table.Turn().SetControlEnabled(true);
    table.RenderStep().SetVisible(true);
    table.Cameras().MoveCamera(0.5f, CameraController::kKeep, CameraController::kKeep, false);
    if (!quill::IsCaromGame(equipment.gameMode)) {
        if (quill::SoundManager* sounds = quill::SoundManager::Current())
            sounds->Play(sound_id::kRackChime, 1.0f, 0, false);
    }
}

bool SceneAlone::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    Scene::OnLeave(resources, renderScenes);
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->Stop(sound_id::kTableMusic);
    ReleaseItemPreviews(*this);
    stage_.Release(renderScenes);
    lentChalk_.Return(Player());
    roomSetting_->SetVisible(false);
    return true;
}

}  // namespace kestrovan
