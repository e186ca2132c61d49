#include "client/scenes/practice/SceneReplay.h"

#include <string>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/OfflineDefaults.h"
#include "client/scenes/common/TableOptionsFromSettings.h"
#include "client/scenes/common/TitleTiles.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/ShotRecord.h"
#include "client/table/TableAim.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableModels.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/CodePage.h"
#include "platform/system/Rand.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kBarTexture = 32;
constexpr int32_t kBarButtonSize = 42;
constexpr int32_t kViewButtonWidth = 51;
constexpr int32_t kViewButtonHeight = 78;
constexpr float kCameraSeconds = 1.0f;

// Each button shows the sign of what it does.
struct BarEntry {
    int32_t id;
    const char16_t* tooltip;
    const char16_t* mark;
};
// The playback bar from left to right; its tiles stand in the replay texture's first row, four frames each.
constexpr BarEntry kBar[] = {{SceneReplay::kFirst, u"처음으로", u"|◀"},  {SceneReplay::kPrevious, u"이전으로", u"◀◀"},
                              {SceneReplay::kPlay, u"재생", u"▶"},        {SceneReplay::kPause, u"일시정지", u"||"},
                              {SceneReplay::kStop, u"중지", u"■"},        {SceneReplay::kNext, u"다음으로", u"▶▶"},
                              {SceneReplay::kLast, u"마지막으로", u"▶|"}};
constexpr BarEntry kViews[] = {{SceneReplay::kSideView, u"옆에서 보기", u"Side"}, {SceneReplay::kTopView, u"위에서 보기", u"Top"}};

// What every bar button shows (its frames side by side, its tooltip and sign) and its place at x, bottom above
// the screen's bottom centre.
void DressBarButton(Button& button, const BarEntry& entry, int32_t x, int32_t bottom) {
    button.SetHorizontalFrames(true);
    button.SetTooltip(entry.tooltip);
    SetCentredCaption(button, entry.mark);
    button.SetAnchor(AnchorMode::HCentre, x, AnchorMode::Bottom, bottom);
}

}  // namespace

SceneReplay::SceneReplay(ScreenServices& app)
    : Scene(SceneId::Replay),
      app_(app),
      stage_(app, {.player = true, .sound = true, .connection = false}),
      titleBarButtons_(*this, app.Scenes(),
                       {.leave = [this] { app_.PostQuit(); },
                        .help = [this] { help_->OpenRoomPage(Room().gameType); }}) {
    ApplyOfflineDefaults(Player());
    Room().gameType = kReplayGameMode;
}

SceneReplay::~SceneReplay() = default;

quill::PlayerState& SceneReplay::Player() const { return app_.Connection()->LocalPlayer(); }

quill::RoomInfo& SceneReplay::Room() const { return app_.Connection()->GetRoomInfo(); }

// --- widgets ---

void SceneReplay::Init() {
    if (built_) quill::AssertBreak(".\\SceneReplay", 60);
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    BuildTitleBar();
    BuildPlaybackBar();
    help_ = static_cast<HelpWindow*>(AddChild(CreateHelpWindow(app_), false));
    ApplyChildAnchors(screen.width, screen.height);
}

void SceneReplay::BuildTitleBar() {
    CreateImage(10, 4, 392, 30, kCommonTexture, TitleTiles::kBar.x, TitleTiles::kBar.y);
    TextLabel* title = CreateTextLabel(130, 5, 200, 20, &UiFontAt(UiFont::Bold14), TextLabel::kAlignCentre, 0);
    title->SetText(u"리플레이");
    titleBarButtons_.Add(TitleBarButtons::Role::Exit, kExit);
    titleBarButtons_.Add(TitleBarButtons::Role::Settings, kSettings);
    titleBarButtons_.Add(TitleBarButtons::Role::Help, kHelp);
}

// The bar sits at the bottom centre: seven square buttons, then the two view buttons beside them.
void SceneReplay::BuildPlaybackBar() {
    constexpr int32_t kBarWidth = static_cast<int32_t>(std::size(kBar)) * kBarButtonSize;
    int32_t x = -kBarWidth / 2 - kViewButtonWidth;
    size_t slot = 0;
    for (const BarEntry& entry : kBar) {
        Button* button = CreateButton(0, 0, kBarButtonSize, kBarButtonSize, entry.id, -1, kBarTexture,
                                      static_cast<int32_t>(slot % 5) * kBarButtonSize * 4,
                                      static_cast<int32_t>(slot / 5) * kBarButtonSize);
        DressBarButton(*button, entry, x, -60);
        barButtons_[slot++] = button;
        x += kBarButtonSize;
    }
    x += 8;
    for (const BarEntry& entry : kViews) {
        Button* button = CreateButton(0, 0, kViewButtonWidth, kViewButtonHeight, entry.id, -1, kBarTexture,
                                      static_cast<int32_t>(slot - std::size(kBar)) * kViewButtonWidth * 4, 84);
        DressBarButton(*button, entry, x, -96);
        barButtons_[slot++] = button;
        x += kViewButtonWidth;
    }
    playButton_ = BarButton(kPlay);
    pauseButton_ = BarButton(kPause);
    pauseButton_->Show(false);
}

Button* SceneReplay::BarButton(int32_t control) const {
    for (Button* button : barButtons_) {
        if (button != nullptr && button->GetId() == control) return button;
    }
    return nullptr;
}

// --- loading (main thread) ---

int SceneReplay::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) {
    shotRead_ = ReadShot();
    const uint32_t physics = shot_.physicsModelCode != 0 ? shot_.physicsModelCode : kDefaultPhysicsModelCode;
    if (shotRead_) {
        Room().gameType = shot_.gameMode;
        Room().tableItem = shot_.tableItemId;
        Room().ballItem = shot_.ballSetItemId;
    }
    stage_.CreateTable({static_cast<quill::GameType>(Room().gameType), Room().tableItem, Room().ballItem, physics, 0});
    LoadSounds();
    if (resources == nullptr || device == nullptr || !stage_.Load(*resources, *device, u"Map0000", 0, 0)) return 1;
    LoadGraphics(0);
    return 0;
}

bool SceneReplay::ReadShot() {
    const auto& words = app_.Words();
    if (words.size() <= kCommandWord) return false;
    std::string text = platform::Utf16ToUtf8(words[kCommandWord]);
    if (text.size() > kMaxTextBytes) text.resize(kMaxTextBytes);
    if (!ShotRecord::ParseHex(text, shot_)) {
        quill::TheLog().Log(u"Replay: the shot text is not a shot record (%d characters)\n",
                            static_cast<int>(text.size()));
        return false;
    }
    return true;
}

void SceneReplay::LoadSounds() {
    quill::SoundManager* sounds = quill::SoundManager::Current();
    ResourcePackCatalog* catalog = app_.Catalog();
    if (sounds == nullptr || catalog == nullptr) return;
    for (uint32_t id : kSounds) {
        if (auto sound = catalog->GetSound(id)) sounds->LoadSound(sound, id, 0, 1, true);
    }
}

// --- activation (main thread) ---

void SceneReplay::Activate() {
    WidgetToolkit::CheckTreeAccess("SceneReplay::Activate");
    GameTable& table = *stage_.Table();
    const uint32_t physics = shot_.physicsModelCode != 0 ? shot_.physicsModelCode : kDefaultPhysicsModelCode;
    table.Models().SetupTable(physics, 0);
    table.Reset(static_cast<uint32_t>(platform::Rand()));
    table.ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
    table.SetState(0);
    table.Turn().SetControlEnabled(true);
    // The record's cue; a custom cue with its parts.
    CueModelEntry::PartIds parts = TableSceneStage::kStockParts;
    const uint16_t cue = shotRead_ ? shot_.cueItemId : kStockCue;
    const ItemModelRecord* model = TheItemModelCatalogue().FindById(cue);
    if (model != nullptr && model->kind == ItemModelKind::kCue && model->custom != 0) parts = shot_.cuePartIds;
    stage_.EquipCue(cue, parts);
    started_ = false;
    nextPass_ = 0;
    table.Models().SetupTable(physics, 0);
    table.Cameras().SetTopView(true);
    table.HudValues().LayoutHud(Width(), Height());
    if (shotRead_) RestartReplay(kPassSwings);
    SetReady(true);
    quill::TheLog().Log(u"Scene %d ready\n", static_cast<int>(GetSceneId()));
}

// The shot again from its start, at the speed and from the camera of the next pass.
void SceneReplay::RestartReplay(int32_t swings) {
    GameTable& table = *stage_.Table();
    table.LoadShotRecord(shot_);
    table.SnapshotBalls();
    table.Aim().UpdateCueModel();
    started_ = true;
    ShowPlaying(true);
    const uint32_t index = nextPass_;
    const Pass& pass = kPasses[index];
    table.Cameras().SetCameraFlags(pass.flagA, pass.flagB, pass.flagC, false);
    table.Physics().SetSpeedFactor(pass.speed);
    table.Cameras().MoveCameraBehindCueBall(pass.distance, kCameraSeconds, pass.keepPitch, true);
    table.StartShot(swings, false);
    nextPass_ = (index + 1) % kPasses.size();
}

void SceneReplay::ShowPlaying(bool playing) {
    playing_ = playing;
    playButton_->Show(!playing);
    pauseButton_->Show(playing);
}

// --- the frame (game thread) ---

void SceneReplay::Update(uint32_t, int64_t clockTenthMs, const MouseMotion& motion) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->Update(static_cast<uint32_t>(clockTenthMs), motion.dx, motion.dy, !playing_);
}

void SceneReplay::TakeMotionBeforeRelease(int64_t clockTenthMs, const MouseMotion& motion) {
    stage_.TakeMotionBeforeRelease(clockTenthMs, motion);
}

// --- events (main thread) ---

bool SceneReplay::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    WidgetToolkit::CheckTreeAccess("SceneReplay::OnEvent");
    if (titleBarButtons_.OnControl(id))
        return true;
    switch (id) {
        case kConsumed:
            return true;
        case kPlay:
            Play();
            return true;
        case kPause:
            Pause();
            return true;
        case kStop:
            Stop();
            return true;
        case kTopView:
        case kSideView:
            if (GameTable* table = stage_.Table()) table->Cameras().SetTopView(id == kTopView);
            return true;
        default:
            break;
    }
    Scene::OnEvent(source, a, b);
    return false;
}

// Resumes a paused pass; after a stop the shot starts again from its record.
void SceneReplay::Play() {
    GameTable* table = stage_.Table();
    if (table == nullptr || !shotRead_) return;
    if (playing_) table->StartShot(kPassSwings, false);
    ShowPlaying(true);
}

void SceneReplay::Pause() {
    GameTable* table = stage_.Table();
    if (table == nullptr || table->IsShotRunning()) return;
    ShowPlaying(false);
}

void SceneReplay::Stop() {
    GameTable* table = stage_.Table();
    if (table == nullptr || !shotRead_) return;
    table->StopShot();
    started_ = false;
    table->ResetBallsFromShotRecord();
    playing_ = true;
    playButton_->Show(true);
    pauseButton_->Show(false);
}

int SceneReplay::OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return 0;
    table->Input().HandleInput(id, static_cast<platform::WParam>(wParam), static_cast<platform::LParam>(lParam));
    switch (id) {
        case quill::AppEventId::ApplyTableSettings:
            table->ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
            break;
        case quill::AppEventId::BallsStopped:
            EndPass();
            break;
        default:
            break;
    }
    return 0;
}

// The balls of a pass stopped: the next pass starts.
void SceneReplay::EndPass() {
    WidgetToolkit::CheckTreeAccess("SceneReplay::EndPass");
    if (!shotRead_ || !started_) return;
    const uint32_t ended = ++passesEnded_;
    quill::TheLog().Log(u"Replay pass %d ended\n", static_cast<int>(ended));
    started_ = false;
    stage_.Table()->RenderStep().SetVisible(true);
    RestartReplay(kPassSwings);
}

// --- drawing (main thread) ---

void SceneReplay::Render(D3D9RenderDevice* device, bool draw) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    stage_.Render(device, draw, 0.0f, &TableSceneStage::kLampLighting);
    if (!draw || device == nullptr) return;
    device->Begin2D();
    table->HudValues().DrawHud();
    WidgetToolkit::CheckTreeAccess("SceneReplay::Render");
    DrawWidgets(device);
}

// --- the window ---

void SceneReplay::OnResize(uint32_t width, uint32_t height) {
    Scene::OnResize(width, height);
    stage_.LayoutHud(width, height);
}

void SceneReplay::OnActivate(bool active) {
    Scene::OnActivate(active);
    stage_.OnScreenActivate(active);
}

bool SceneReplay::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    Scene::OnLeave(resources, renderScenes);
    WidgetToolkit::CheckTreeAccess("SceneReplay::OnLeave");
    stage_.Release(renderScenes);
    SetReady(false);
    return true;
}

}  // namespace kestrovan
