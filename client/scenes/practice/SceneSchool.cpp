#include "client/scenes/practice/SceneSchool.h"

#include <algorithm>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "QuillLib/math/Camera.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/MessengerPopup.h"
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
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/OfflineDefaults.h"
#include "client/scenes/common/TableOptionsFromSettings.h"
#include "client/scenes/practice/SchoolGiftWindow.h"
#include "client/scenes/practice/SchoolIndexWindow.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/TableAim.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableModels.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/window/MessageIds.h"

namespace kestrovan {

namespace {

constexpr uint32_t kTableSeed = 1234;
constexpr int32_t kFirstPageBelowProgress = 11;
constexpr uint32_t kBlinkPeriodMs = 1500;
constexpr uint32_t kBlinkOnMs = 1200;
constexpr int16_t kSchoolPlace = -1;
constexpr uint8_t kSchoolGameMode = 10;
// The power gauge reaches 120 %.
constexpr uint64_t kMostPercent = 120;
// π / 60000 radians of yaw per update while the welcome pages are read.
constexpr float kOrbitDegreesPerUpdate = 0.003f;

}  // namespace

SceneSchool::SceneSchool(ScreenServices& app)
    : Scene(SceneId::School),
      app_(app),
      connection_(*app.Connection()),
      sender_(*app.Connection()),
      stage_(app, {.player = true, .sound = true, .connection = false}),
      lentChalk_(*app.Connection()),
      titleBarButtons_(*this, app.Scenes(),
                       {.leave =
                            [this] {
                                ReportProgress();
                                RequestSceneChange(SceneId::Lobby);
                            },
                        .help = [this] { help_->OpenRoomPage(0); }}) {}

SceneSchool::~SceneSchool() {
    stage_.Release(nullptr);
}

quill::PlayerState& SceneSchool::Player() const {
    return connection_.LocalPlayer();
}

// --- loading (main thread) ---

int SceneSchool::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) {
    GameTable& table =
        stage_.CreateTable({kSchoolGameMode, kSchoolTable, kSchoolBallSet, kDefaultPhysicsModelCode, 0});
    table.HudValues().SetHudBottomOffset(-460);
    if (ResourcePackCatalog* catalog = app_.Catalog()) {
        AddResourceRecord({catalog->UiFolder(), u"Tut", -1, 0});
        if (quill::SoundManager* sounds = quill::SoundManager::Current()) {
            if (auto music = catalog->GetSound(sound_id::kTableMusic))
                sounds->LoadStreamingSound(music, sound_id::kTableMusic, quill::SoundManager::kMusicCategory);
            if (auto done = catalog->GetSound(kTaskDoneSound)) sounds->LoadSound(done, kTaskDoneSound, 0, 1, true);
        }
    }
    if (resources == nullptr || device == nullptr || !stage_.Load(*resources, *device, u"Map0002", 0, 0)) return 1;
    if (quill::SoundManager* sounds = quill::SoundManager::Current())
        sounds->PlayAtFullVolume(sound_id::kTableMusic, true);
    LoadGraphics(0);
    loaded_ = true;
    return 0;
}

// --- entering (main thread) ---

void SceneSchool::Activate() {
    WidgetToolkit::CheckTreeAccess("SceneSchool::Activate");
    quill::PlayerState& player = Player();
    player.position = kSchoolPlace;
    for (TextLabel* line : taskLines_) line->Show(false);
    savedPlayerValue_ = player.practiceValue;
    player.practiceValue = kLocalValue;
    if (player.GetCurrentCue() == nullptr) lentChalk_.Lend(player);

    if (connection_.ConnectionValue() > 97) connection_.SetValueAndFlag(98, 0);
    const uint32_t progress = connection_.ConnectionValue();
    const int32_t first = progress < static_cast<uint32_t>(kFirstPageBelowProgress) ? 1 : static_cast<int32_t>(progress);
    step_ = first - 1;
    previousStep_ = first - 1;
    if (stage_.Table() != nullptr) {
        SetUpTable();
        EquipCue();
    }
    ResetScript();
    chalkSlot_->Reload();
    chalkSlot_->Refresh();
    ShowPage(+1);
    const ScreenSize screen = app_.GetScreenSize();
    index_->PlaceOnScreen(static_cast<int32_t>(screen.width), static_cast<int32_t>(screen.height));
    index_->SetVisible(true);
    SetReady(true);
    quill::TheLog().Log(u"Scene %d ready\n", static_cast<int>(GetSceneId()));
}

void SceneSchool::SetUpTable() {
    GameTable& table = *stage_.Table();
    table.Models().SetupTable(kDefaultPhysicsModelCode, 0);
    table.Reset(kTableSeed);
    table.ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
    table.Cameras().SetCameraFlags(false, false, true, false);
    table.Turn().SetAimFollowsCamera(true);
    table.Input().OnKey(kZoomKey, false);
    table.Turn().SetControlEnabled(true);
    table.SetState(3);
    table.Input().SetKeyMask(0);
    table.HudValues().LayoutHud(Width(), Height());
}

// The player's cue for the school's game (a custom cue with its parts), else his default cue.
void SceneSchool::EquipCue() {
    const quill::InventoryItem* cue = Player().GetEquippedItem(kSchoolGameMode);
    if (cue != nullptr && cue->customFlag != 0 && cue->typeCode >= quill::InventoryItem::kCustomCueType) {
        stage_.EquipCue(static_cast<uint16_t>(cue->typeCode), cue->statValues);
        return;
    }
    const uint16_t stock = Player().defaultCueId != 0 ? Player().defaultCueId : kStockCue;
    stage_.EquipCue(stock, TableSceneStage::kStockParts);
}

void SceneSchool::ResetScript() {
    taskIndex_ = 0;
    taskCount_ = 0;
    pageTasks_ = 0;
    textLineCount_ = 0;
    maxStep_ = 0;
    lastPowerPercent_ = 0;
    shotsTaken_ = 0;
    failedTries_ = 0;
    tasksStarted_ = false;
    sampleShown_ = false;
    judge_.Clear();
    openIndex_->Show(false);
    exits_[0]->Show(false);
    sample_->Show(false);
    try_->Show(false);
    stepBar_->Show(false);
    continue_->Show(true);
}

// --- the frame (game thread) ---

void SceneSchool::Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    continue_->SetAlpha(timeMs % kBlinkPeriodMs < kBlinkOnMs ? 1.0f : 0.2f);
    table->Update(static_cast<uint32_t>(clockTenthMs), motion.dx, motion.dy, false);
    WidgetToolkit::CheckTreeAccess("SceneSchool::Update");
    lastTimeMs_ = timeMs;
    if (step_ >= 1 && step_ <= 3) {
        if (quill::Camera* const* camera = table->Cameras().GetCurrentCameraRef();
            camera != nullptr && *camera != nullptr) {
            quill::ScopedLock orbit((*camera)->GetLock());
            (*camera)->OrbitDegrees(kOrbitDegreesPerUpdate, 0.0f, false);
        }
    }
    if (tasksStarted_) BlinkTasks(timeMs);
    if (step_ < 99) JudgeTasks();
}

void SceneSchool::TakeMotionBeforeRelease(int64_t clockTenthMs, const MouseMotion& motion) {
    stage_.TakeMotionBeforeRelease(clockTenthMs, motion);
}

// The task lines while the player tries: the current one blinks.
void SceneSchool::BlinkTasks(uint32_t timeMs) {
    const bool on = timeMs % kBlinkPeriodMs < kBlinkOnMs;
    for (int32_t k = 0; k < taskCount_ && k < static_cast<int32_t>(kTaskLines); ++k) {
        taskLines_[static_cast<size_t>(k)]->Show(k != taskIndex_ || on);
    }
}

// --- events (main thread) ---

bool SceneSchool::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    WidgetToolkit::CheckTreeAccess("SceneSchool::OnEvent");
    if (titleBarButtons_.OnControl(id))
        return true;
    switch (id) {
        case kLobbyExit:
            ReportProgress();
            RequestSceneChange(SceneId::Lobby);
            return true;
        case kPrevious:
            ShowPage(-1);
            return true;
        case kContinue:
            if (taskCount_ > 0 && !tasksStarted_) {
                StartTasks();
            } else {
                ShowPage(+1);
            }
            return true;
        case kPracticeExit:
            connection_.GetRoomInfo().gameType = kSchoolGameMode;
            LeaveThrough(JoinWithTarget::kPracticeRoom);
            return true;
        case kShopExit:
            LeaveThrough(JoinWithTarget::kShop);
            return true;
        case kSample:
            return true;
        case kOpenIndex:
            openIndex_->Show(false);
            index_->SetVisible(true);
            return true;
        default:
            break;
    }
    Scene::OnEvent(source, a, b);
    return false;
}

// The lobby carries the way on when it has entered its channel again.
void SceneSchool::LeaveThrough(int16_t place) {
    ReportProgress();
    JoinWithTarget& target = connection_.JoinTarget();
    target.Clear();
    target.pending = 1;
    target.channel = 0;
    target.place = place;
    RequestSceneChange(SceneId::Lobby);
}

int SceneSchool::OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return 0;
    if (id < quill::AppEventId::EventNone) {
        table->Input().HandleInput(id, static_cast<platform::WParam>(wParam), static_cast<platform::LParam>(lParam));
    }
    if (id == platform::Msg::LButtonDown || id == platform::Msg::RButtonDown) {
        if (MessengerPopup* messenger = app_.Scenes().GetMessenger()) messenger->ReleaseChatFocus();
    }
    WidgetToolkit::CheckTreeAccess("SceneSchool::OnMessage");
    switch (id) {
        case quill::AppEventId::ApplyTableSettings:
            table->ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
            break;
        case quill::AppEventId::SchoolStep:
            table->StopShot();
            step_ = static_cast<int32_t>(wParam) - 1;
            ShowPage(+1);
            break;
        case quill::AppEventId::SchoolLevelGate:  // 1061: the lesson index was hidden
            openIndex_->Show(true);
            break;
        case quill::AppEventId::JoinWith:
            ReportProgress();
            RequestSceneChange(SceneId::Lobby);
            break;
        case quill::AppEventId::UseChalk:
            table->Aim().SetChalkLevel(chalkSlot_->Level());
            table->StartAmbientEffect(lastTimeMs_);
            break;
        case quill::AppEventId::ShotFired:
            lastPowerPercent_ = static_cast<int32_t>(std::min<uint64_t>(wParam, kMostPercent));
            chalkSlot_->UseChalk(table->Records().GetShotRecord().chalkUsed);
            break;
        case quill::AppEventId::BallsStopped:
            // The camera ends right on the cue ball where it stopped.
            table->Cameras().GetCamera().SetApplyAtEnd(true);
            table->Cameras().MoveCamera(1.0f, CameraController::kKeep, CameraController::kKeep, false);
            table->Turn().SetControlEnabled(true);
            table->RenderStep().SetVisible(true);
            ++shotsTaken_;
            break;
        default:
            break;
    }
    return 0;
}

// --- drawing (main thread) ---

void SceneSchool::Render(D3D9RenderDevice* device, bool draw) {
    if (stage_.Table() == nullptr) return;
    stage_.Render(device, draw, 1.0f / 60.0f, &TableSceneStage::kLampLighting);
    if (!draw || device == nullptr) return;
    device->Begin2D();
    WidgetToolkit::CheckTreeAccess("SceneSchool::Render");
    stage_.DrawHudAndPreviews(*this, *device);
    DrawWidgets(device);
}

// --- the window ---

void SceneSchool::OnResize(uint32_t width, uint32_t height) {
    Scene::OnResize(width, height);
    if (!built_) return;
    index_->PlaceOnScreen(static_cast<int32_t>(width), static_cast<int32_t>(height));
    stage_.LayoutHud(width, height);
}

void SceneSchool::OnActivate(bool active) {
    Scene::OnActivate(active);
    stage_.OnScreenActivate(active);
}

bool SceneSchool::Poll() {
    stage_.PollKeys();
    return true;
}

// --- leaving (main thread) ---

bool SceneSchool::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    WidgetToolkit::CheckTreeAccess("SceneSchool::OnLeave");
    lentChalk_.Return(Player());
    Scene::OnLeave(resources, renderScenes);
    ReleaseItemPreviews(*this);
    stage_.Release(renderScenes);
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) {
        sounds->Stop(sound_id::kTableMusic);
        sounds->RemoveSound(sound_id::kTableMusic);
    }
    Player().practiceValue = savedPlayerValue_;
    gift_->SetVisible(false);
    loaded_ = false;
    SetReady(false);
    return true;
}

// --- what tests read ---

int32_t SceneSchool::Step() const {
    return step_;
}

int32_t SceneSchool::TaskIndex() const {
    return taskIndex_;
}

int32_t SceneSchool::TaskCount() const {
    return taskCount_;
}

bool SceneSchool::TasksStarted() const {
    return tasksStarted_;
}

int32_t SceneSchool::ShotsTaken() const {
    return shotsTaken_;
}

}  // namespace kestrovan
