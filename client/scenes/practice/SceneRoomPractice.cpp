#include "client/scenes/practice/SceneRoomPractice.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/SoundIds.h"
#include "client/connection/GameConnection.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/ReplayPanel.h"
#include "client/scenes/common/TableOptionsFromSettings.h"
#include "client/scenes/common/WaitingPopup.h"
#include "client/scenes/practice/ChallengeSelectWindow.h"
#include "client/scenes/practice/PracticeOptionsWindow.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableModels.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"
#include "platform/system/Rand.h"

namespace kestrovan {

namespace {

constexpr uint32_t kEffectSounds[] = {SceneRoomPractice::kSuccessSound, SceneRoomPractice::kStartSound,
                                      sound_id::kRackChime, SceneRoomPractice::kChargedSound};
constexpr int kEffectCategory = 1;
// The practice room's time of day: always ten in the morning.
constexpr uint32_t kTimeOfDay = 36000;

constexpr const char16_t* kTips[] = {u"You can move the ball freely in the practice room.",
                                     u"Press 'U' to repeat the previous shot.",
                                     u"Shots cannot be made properly if your mouse is not in a good condition."};

}  // namespace

SceneRoomPractice::SceneRoomPractice(ScreenServices& app)
    : Scene(SceneId::RoomPractice),
      app_(app),
      connection_(*app.Connection()),
      sender_(*app.Connection()),
      awaited_(sender_, [this](quill::WStringView line) { app_.Scenes().ShowNoticeBox(this, line); }),
      stage_(app, {.player = true, .sound = true, .connection = true}),
      titleBarButtons_(*this, app.Scenes(),
                       {.leave = [this] { LeaveToLobby(); },
                        .help = [this] { help_->OpenRoomPage(gameType_); }}) {}

SceneRoomPractice::~SceneRoomPractice() {
    if (replayPanel_ != nullptr) replayPanel_->ReleaseTable();
    stage_.Release(nullptr);
}

quill::PlayerState& SceneRoomPractice::Player() const {
    return connection_.LocalPlayer();
}

// --- loading (main thread) ---

int SceneRoomPractice::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) {
    const quill::RoomInfo room = connection_.GetRoomInfo();
    gameType_ = static_cast<quill::GameType>(room.gameType);
    Player().ChooseDefaultCue();
    stage_.CreateTable({gameType_, room.tableItem, room.ballItem, kDefaultPhysicsModelCode, 1});
    LoadSounds();
    if (resources == nullptr || device == nullptr || !stage_.Load(*resources, *device, u"Map0002", 0, 0)) return 1;
    replayPanel_->CreateTable(room, *resources, *device);
    if (quill::SoundManager* sounds = quill::SoundManager::Current())
        sounds->PlayAtFullVolume(sound_id::kTableMusic, true);
    LoadGraphics(0);
    const ScreenSize screen = app_.GetScreenSize();
    ApplyChildAnchors(screen.width, screen.height);
    return 0;
}

void SceneRoomPractice::LoadSounds() {
    quill::SoundManager* sounds = quill::SoundManager::Current();
    ResourcePackCatalog* catalog = app_.Catalog();
    if (sounds == nullptr || catalog == nullptr) return;
    for (uint32_t id : kEffectSounds) {
        if (auto sound = catalog->GetSound(id)) sounds->LoadSound(sound, id, kEffectCategory, 1, true);
    }
    if (auto music = catalog->GetSound(sound_id::kTableMusic))
        sounds->LoadStreamingSound(music, sound_id::kTableMusic, kEffectCategory);
}

// --- entering (main thread) ---

void SceneRoomPractice::Activate() {
    WidgetToolkit::CheckTreeAccess("SceneRoomPractice::Activate");
    savedPracticeValue_ = Player().practiceValue;
    Player().practiceValue = kLocalValue;
    challenge_.End();
    resultsSent_ = 0;
    pendingItem_.reset();
    cueToEquip_.reset();
    replayShown_ = false;
    if (stage_.Table() != nullptr) {
        SetUpTable();
        EquipCurrentCue();
    }
    HideWindows();
    textArea_->Show(true);
    challengeButton_->Show(true);
    lines_.Clear();
    WriteTips();
    options_->SetGameType(gameType_);
    chalkSlot_->Reload();
    itemBar_->Refresh();
    SetReady(true);
    quill::TheLog().Log(u"Scene %d ready\n", static_cast<int>(GetSceneId()));
}

// The windows of a running challenge or of an earlier visit.
void SceneRoomPractice::HideWindows() {
    const std::array<Widget*, 6> windows{selection_, waiting_, options_, replayPanel_, help_, board_};
    for (Widget* window : windows) window->SetVisible(false);
}

void SceneRoomPractice::SetUpTable() {
    GameTable& table = *stage_.Table();
    table.Equipment().SetGameMode(gameType_);
    table.Models().SetupTable(kDefaultPhysicsModelCode, 1);
    table.Reset(static_cast<uint32_t>(platform::Rand()));
    table.ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
    table.Cameras().MoveCamera(0.5f, CameraController::kKeep, 30.0f, false);
    table.SetState(5);
    // The balls may be placed anywhere in the practice room.
    table.Input().SetPlacingEnabled(true);
    table.Turn().SetControlEnabled(true);
    table.RenderStep().SetVisible(true);
    table.HudValues().LayoutHud(Width(), Height());
}

// The cue the player keeps for the game type (a custom cue with its parts), else the stock cue.
void SceneRoomPractice::EquipCurrentCue() {
    const quill::InventoryItem* cue = Player().GetEquippedItem(static_cast<uint8_t>(gameType_));
    CueModelEntry::PartIds parts = TableSceneStage::kStockParts;
    if (cue != nullptr && cue->customFlag != 0) parts = cue->statValues;
    stage_.EquipCue(static_cast<uint16_t>(cue != nullptr ? cue->typeCode : 3000), parts);
}

void SceneRoomPractice::WriteTips() {
    const uint32_t now = platform::TimeGetTime();
    for (const char16_t* tip : kTips) lines_.Add(tip, kTipColour, now);
    if (!PracticeChallenge::HasChallenge(gameType_)) {
        lines_.Add(u"Try other game type..", kItemColour, now);
        lines_.Add(u"N/A : 6balls, 8-ball, 9-ball, Snooker", kItemColour, now);
    }
    ShowLines();
}

void SceneRoomPractice::AddChatLine(quill::WStringView text, uint32_t colour) {
    WidgetToolkit::CheckTreeAccess("SceneRoomPractice::AddChatLine");
    lines_.Add(text, colour, platform::TimeGetTime());
    ShowLines();
}

// The last lines of the list into the eight labels, oldest at the top.
void SceneRoomPractice::ShowLines() {
    const std::vector<PracticeTextList::Line> shown = lines_.Shown();
    for (size_t n = 0; n < kShownLines; ++n) {
        if (n < shown.size()) {
            shownLines_[n]->SetTextF(u"%s", shown[n].text);
            shownLines_[n]->SetColors(shown[n].colour, 0);
            shownLines_[n]->Show(true);
        } else {
            shownLines_[n]->Show(false);
        }
        lineBands_[n]->Show(n < shown.size());
    }
}

PracticeChallenge SceneRoomPractice::Challenge() const {
    return challenge_;
}

PracticeTextList SceneRoomPractice::Lines() const {
    return lines_;
}

// --- the frame (game thread) ---

void SceneRoomPractice::Update(uint32_t, int64_t clockTenthMs, const MouseMotion& motion) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->Update(static_cast<uint32_t>(clockTenthMs), motion.dx, motion.dy, false);
    if (replayPanel_->IsVisible()) replayPanel_->UpdateTable(static_cast<uint32_t>(clockTenthMs));
    WidgetToolkit::CheckTreeAccess("SceneRoomPractice::Update");
    if (cueToEquip_) {
        if (const quill::InventoryItem* cue = Player().FindItem(cueToEquip_->first, cueToEquip_->second)) {
            UseCue(*cue);
            ShowLines();
        }
        cueToEquip_.reset();
    }
}

void SceneRoomPractice::TakeMotionBeforeRelease(int64_t clockTenthMs, const MouseMotion& motion) {
    stage_.TakeMotionBeforeRelease(clockTenthMs, motion);
}

// --- drawing (main thread) ---

void SceneRoomPractice::Render(D3D9RenderDevice* device, bool draw) {
    UpdateAmbientLight(kTimeOfDay);
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    // The room and the table under a white light from above: the room with more ambient light.
    stage_.Render(device, draw, 1.0f / 60.0f, &TableSceneStage::kLampLighting);
    if (!draw || device == nullptr) return;
    replayPanel_->DrawTable(*device);
    device->Begin2D();
    WidgetToolkit::CheckTreeAccess("SceneRoomPractice::Render");
    stage_.DrawHudAndPreviews(*this, *device);
    DrawWidgets(device);
}

// --- the window ---

void SceneRoomPractice::OnResize(uint32_t width, uint32_t height) {
    Scene::OnResize(width, height);
    stage_.LayoutHud(width, height);
}

void SceneRoomPractice::OnActivate(bool active) {
    Scene::OnActivate(active);
    stage_.OnScreenActivate(active);
}

bool SceneRoomPractice::Poll() {
    stage_.PollKeys();
    return true;
}

// --- leaving (main thread) ---

// The room took nothing from the item pool: the player's cue and chalk stay in his inventory, and only the
// room's own state goes.
bool SceneRoomPractice::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    Scene::OnLeave(resources, renderScenes);
    WidgetToolkit::CheckTreeAccess("SceneRoomPractice::OnLeave");
    ReleaseItemPreviews(*this);
    replayPanel_->ReleaseTable();
    stage_.Release(renderScenes);
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) {
        sounds->Stop(sound_id::kTableMusic);
        sounds->RemoveSound(sound_id::kTableMusic);
    }
    Player().practiceValue = savedPracticeValue_;
    HideWindows();
    challenge_.End();
    lines_.Clear();
    ShowLines();
    pendingItem_.reset();
    SetReady(false);
    return true;
}

void SceneRoomPractice::LeaveToLobby() {
    sender_.SendByte(quill::MessageId::LeaveToLobby, 0);
    RequestSceneChange(SceneId::Lobby);
}

}  // namespace kestrovan
