#include "client/scenes/room/SceneRoomGame.h"

#include <algorithm>
#include <utility>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/render/RenderScene.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/MessengerPopup.h"
#include "client/app/NativeEditBridge.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/SoundIds.h"
#include "client/app/SoundQueue.h"
#include "client/connection/GameConnection.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/ItemSelectWindow.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/common/PurchaseGiftWindow.h"
#include "client/scenes/common/ReplayPanel.h"
#include "client/scenes/common/TableOptionsFromSettings.h"
#include "client/scenes/common/TitleWindows.h"
#include "client/scenes/room/GameClock.h"
#include "client/scenes/room/GroupBoard.h"
#include "client/scenes/room/InviteWindow.h"
#include "client/scenes/room/MoneyNotice.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/ResultBoard.h"
#include "client/scenes/room/RoomMenu.h"
#include "client/scenes/room/ScoreBoard.h"
#include "client/scenes/room/ScoreTrack.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/SharedUtilities.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableModels.h"
#include "client/ui/AnimatedImage.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"
#include "platform/system/Rand.h"
#include "platform/window/MessageIds.h"

namespace kestrovan {

namespace {

// The room's sounds and their categories: 34 (the countdown) apart, the others with the game's effects.
constexpr uint32_t kRoomSounds[] = {24, 26, 27, 28, 20, 21, 34, 1, 0, 39, 40, 41};
constexpr int kEffectCategory = 1;
constexpr int kCountdownCategory = 2;
constexpr uint32_t kStoppedOnLeave[] = {sound_id::kTableMusic, 1, 0};
// The room's time of day: always ten in the morning.
constexpr uint32_t kRoomTimeOfDay = 36000;
// The new-message icon in the room: lit for the first second of every two, else at 0.3.
constexpr uint32_t kIconBlinkMs = 2000;
constexpr uint32_t kIconLitMs = 1000;
constexpr float kIconDimAlpha = 0.3f;

constexpr const char16_t* kRandomTips[] = {u"▶ View entire table : press Space key",
                                           u"▶ Cut other's chat : click player name",
                                           u"▶ Slow frame? : Setting -> Graphics"};

// The game option's text of modes 0, 3 and 4, by the option byte; empty for other values.
quill::WStringView OptionText(uint8_t gameType, uint32_t option) {
    static constexpr const char16_t* kFourBall[] = {u"Indv. : --      Team match : 3C-1pt",
                                                    u"Indv. : 3C-1pts   Team match : 3C-2pts",
                                                    u"Indv. : 3C-2pts   Team match : 3C-2pts + Bank-1pt"};
    static constexpr const char16_t* kThreeCushion[] = {u"Indv. : --      Team match : Bank-1pt",
                                                        u"Indv. : Bank-1pts Team match : Bank-2pts"};
    static constexpr const char16_t* kInternational[] = {u"3Cushion 10pts", u"3Cushion 15pts", u"3Cushion 20pts",
                                                         u"3Cushion 25pts"};
    switch (gameType) {
        case 0:
            return option < std::size(kFourBall) ? kFourBall[option] : u"";
        case 3:
            return option < std::size(kThreeCushion) ? kThreeCushion[option] : u"";
        case 4:
            return option < std::size(kInternational) ? kInternational[option] : u"";
        default:
            return u"";
    }
}

bool HasOptionLine(uint8_t gameType) {
    return gameType == 0 || gameType == 3 || gameType == 4;
}

}  // namespace

SceneRoomGame::SceneRoomGame(ScreenServices& app)
    : Scene(SceneId::RoomGame),
      app_(app),
      connection_(*app.Connection()),
      sender_(*app.Connection()),
      awaited_(sender_, [this](quill::WStringView line) { app_.Scenes().ShowNoticeBox(this, line); }),
      stage_(app, {.player = true, .sound = true, .connection = true}),
      titleBarButtons_(*this, app.Scenes(),
                       {.leave = [this] { LeaveRoom(); },
                        .help = [this] { dialogs_.OpenHelp(state_.Room().gameType); },
                        .roomSetting = [this] { dialogs_.OpenRoomSettings(); }}),
      chat_(*this, app, *app.Connection(), sender_),
      items_(PartContext(), chat_, seats_),
      dialogs_(PartContext(), chat_, items_, flow_),
      equipment_(PartContext(), chat_),
      clocks_(PartContext(), seats_, flow_, topBar_),
      shotRoad_(PartContext(), seats_, items_, equipment_, flow_),
      flow_(PartContext(), chat_, seats_, dialogs_, items_, equipment_, clocks_, shotRoad_),
      end_(PartContext(), chat_, seats_, dialogs_, items_, equipment_, shotRoad_),
      seats_(PartContext(), chat_, flow_, dialogs_, items_, equipment_, shotRoad_) {
    AddRoutes();
    ResetSeats();
}

// Each part keeps references to what it is handed; the members named here are made before the parts.
RoomPart::Context SceneRoomGame::PartContext() {
    return {*this, app_, connection_, sender_, awaited_, state_, stage_};
}

SceneRoomGame::~SceneRoomGame() {
    if (dialogs_.Replay() != nullptr) dialogs_.Replay()->ReleaseTable();
    stage_.Release(nullptr);
}

quill::PlayerState& SceneRoomGame::Player() const {
    return connection_.LocalPlayer();
}

void SceneRoomGame::ResetSeats() {
    state_.ResetTurn();
    shotRoad_.ForgetTableStateRequest();
    clocks_.Turn().ClearTimeOut();
}

// --- loading ---

int SceneRoomGame::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) {
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::LoadResources");
    Player().ChooseDefaultCue();
    const quill::RoomInfo& record = connection_.GetRoomInfo();
    state_.Load(record);
    equipment_.Load(record.tableItem, record.ballItem);
    stage_.CreateTable({static_cast<quill::GameType>(record.gameType), equipment_.TableItem(),
                       equipment_.BallSetItem(), kDefaultPhysicsModelCode, 1});
    LoadSounds();
    if (resources == nullptr || device == nullptr || !stage_.Load(*resources, *device, u"Map0002", 0, 0)) return 1;
    dialogs_.Replay()->CreateTable(state_.Room(), *resources, *device);
    if (quill::SoundManager* sounds = quill::SoundManager::Current())
        sounds->PlayAtFullVolume(sound_id::kTableMusic, true);
    LoadGraphics(0);
    const ScreenSize screen = app_.GetScreenSize();
    ApplyChildAnchors(screen.width, screen.height);
    flow_.Animations()->ApplyChildAnchors(screen.width, screen.height);
    loaded_ = true;
    return 0;
}

void SceneRoomGame::LoadSounds() {
    quill::SoundManager* sounds = quill::SoundManager::Current();
    ResourcePackCatalog* catalog = app_.Catalog();
    if (sounds == nullptr || catalog == nullptr) return;
    for (uint32_t id : kRoomSounds) {
        const int category = id == kCountdownSound ? kCountdownCategory : kEffectCategory;
        if (auto sound = catalog->GetSound(id)) sounds->LoadSound(sound, id, category, 1, true);
    }
    if (auto music = catalog->GetSound(sound_id::kTableMusic))
        sounds->LoadStreamingSound(music, sound_id::kTableMusic, kEffectCategory);
}

// --- entering the room ---

void SceneRoomGame::Activate() {
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::Activate");
    quill::PlayerState& player = Player();
    state_.Enter(connection_.GetRoomInfo(), player, connection_.Nickname());
    const quill::RoomInfo& room = state_.Room();
    // A room starts with a chat of its own: the last room's lines would otherwise hold the view at their top.
    chat_.Clear();
    const auto mode = static_cast<quill::GameType>(room.gameType);
    items_.Enter(room.gameType);
    clocks_.Turn().SetLimit(static_cast<int8_t>(room.inningTime));
    seats_.Board()->SetTurnTime(clocks_.Turn().Limit());
    seats_.Board()->SetTournament(connection_.GetChannelType(-1) == kTournamentChannel &&
                                  connection_.Tournament().running != 0);
    seats_.Board()->Refresh(state_.Model(), room);

    if (GameTable* table = stage_.Table()) {
        table->Equipment().SetGameMode(mode);
        table->Models().SetupTable(kDefaultPhysicsModelCode, 1);
        table->Reset(room.counterA);
        table->ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
        table->Cameras().SetRefocusOnTopViewExit(true);
        table->Cameras().MoveCamera(0.5f, CameraController::kKeep, 30.0f, false);
        table->HudValues().LayoutHud(Width(), Height());
        const quill::InventoryItem* cue = items_.CurrentCue();
        CueModelEntry::PartIds parts = TableSceneStage::kStockParts;
        if (cue != nullptr && cue->customFlag != 0) parts = cue->statValues;
        stage_.EquipCue(static_cast<uint16_t>(cue != nullptr ? cue->typeCode : 3000), parts);
    }
    seats_.StartReady()->SetSeat(player.seat >= 0 ? player.seat : 0);
    seats_.StartReady()->SetMaster(true);
    seats_.StartReady()->ShowPanel();
    seats_.StartBalloon()->Show(false);
    EnableLeaving(true);

    ResetSeats();
    items_.ChalkSlot()->Reload();
    chat_.ClearInput();
    NativeEditBridge::ClearFocus();
    seats_.StartReady()->OnGameEnd();

    clocks_.Turn().ClearTimeOut();
    connection_.JoinTarget() = JoinWithTarget{};
    connection_.JoinTarget().place = -999;
    equipment_.Enter();
    dialogs_.Enter(player.experience, room.gameType);
    HideGameWindows();
    WriteEntryLines();
    items_.ItemBar()->Refresh();
    dialogs_.ResetRequests();
    flow_.Enter(connection_.GetChannelType(-1) == kTournamentChannel);
    shotRoad_.Enter();
    clocks_.StartGame(platform::TimeGetTime(), 0);
    topBar_.ShowRoom(room);
    ShowStake();
    ShowLevelRange();
    items_.CheckCueDurability();
    if (GameTable* table = stage_.Table(); table != nullptr && items_.HoldsGoldCueInUse()) table->HudValues().ForScreens().goldCue = true;
    items_.ReadOptionSwitches();
    sender_.SendByte(quill::MessageId::RoomEntered, 0);
    SetReady(true);
    chat_.MarkShown();
    chat_.Layout(platform::TimeGetTime(), true);
}

// The windows of a running game or of an earlier visit.
void SceneRoomGame::HideGameWindows() {
    const std::array<Widget*, 14> windows{dialogs_.Results(),     flow_.ShotBet(),          flow_.Track(),
                                          flow_.Groups(),            flow_.Money(),      dialogs_.Menu(),
                                          dialogs_.Invite(),      dialogs_.Replay(), items_.ItemSelect(),
                                          items_.PurchaseGift(), items_.Purchase(), seats_.ReadyBalloon(),
                                          shotRoad_.Receiving(),          dialogs_.NewMessageWindow()};
    for (Widget* window : windows) window->SetVisible(false);
}

void SceneRoomGame::WriteEntryLines() {
    const quill::RoomInfo& room = state_.Room();
    AddChatLine(u"▶ Change shot sensy : Settings -> Control", kTipColour);
    const int tip = platform::Rand() % 100;
    AddChatLine(kRandomTips[tip < 50 ? 0 : tip < 80 ? 1 : 2], kTipColour);
    if (HasOptionLine(room.gameType)) {
        AddChatLine(quill::Format(u"◆ Game option - %s", OptionText(room.gameType, room.setting)), kInfoColour);
    }
    if (room.stake > 0) {
        AddChatLine(quill::Format(u"◆ Seed money - %s", FormatMoney(room.stake)), kInfoColour);
    } else {
        AddChatLine(u"◆ Friendly game - no gamble", kInfoColour);
    }
    if (room.IsHalfGame()) AddChatLine(u"◆ Half Game. (half of all players handi.)", kInfoColour);
}

void SceneRoomGame::ShowLevelRange() {
    topBar_.ShowLevelRange(state_.Room());
}

void SceneRoomGame::ShowStake() {
    topBar_.ShowStake(state_.Room(), connection_.GetChannelType(-1) == kTournamentChannel);
    seats_.Board()->SetStake(state_.Room().stake);
}

// --- the frame (game thread) ---

void SceneRoomGame::Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) {
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::Update");
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->Update(static_cast<uint32_t>(clockTenthMs), motion.dx, motion.dy, false);
    dialogs_.Replay()->UpdateTable(static_cast<uint32_t>(clockTenthMs));
    const uint32_t updates = clocks_.CountUpdate();
    if (updates % kAimRelayCalls == 0) {
        shotRoad_.RelayAim(timeMs);
        if (state_.IsRunning() && !state_.IsShotInFlight()) clocks_.RunTurn(timeMs);
        if (state_.IsRunning()) clocks_.RunGame(timeMs);
        // Lines written since the last layout are filled in here, once for all of them.
        chat_.Tick(timeMs);
    }
    BlinkNewMessageIcon(timeMs);
    if (updates % 4 == 0 && seats_.StartBalloon()->IsVisible()) {
        const int32_t bob = timeMs % 800 < 400 ? 1 : -1;
        seats_.StartBalloon()->Offset(0, bob);
    }
}

void SceneRoomGame::TakeMotionBeforeRelease(int64_t clockTenthMs, const MouseMotion& motion) {
    stage_.TakeMotionBeforeRelease(clockTenthMs, motion);
}

// The tree's tick blinks the icon its own way; the room's blink holds.
void SceneRoomGame::TickWidgets(uint32_t timeMs) {
    Scene::TickWidgets(timeMs);
    BlinkNewMessageIcon(timeMs);
}

void SceneRoomGame::BlinkNewMessageIcon(uint32_t nowMs) {
    const MessengerPopup* messenger = app_.Scenes().GetMessenger();
    Widget* icon = messenger != nullptr ? messenger->AlarmIcon() : nullptr;
    if (icon != nullptr) icon->SetAlpha(nowMs % kIconBlinkMs < kIconLitMs ? 1.0f : kIconDimAlpha);
}

void SceneRoomGame::BeginTurn(int8_t shooterSeat, uint32_t nowMs) {
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::BeginTurn");
    state_.Room().shooterSeat = shooterSeat;
    clocks_.StartTurn(nowMs);
    if (GameTable* table = stage_.Table(); table != nullptr && state_.IsLocalTurn())
        table->Turn().SetControlEnabled(true);
}

// --- the chat ---

// The line is kept and the scroll bar follows at once; the chat box shows it with the next layout of the
// update, so that a flood of lines costs one layout per tenth update instead of one per line.
void SceneRoomGame::AddChatLine(quill::WStringView text, uint32_t colour) {
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::AddChatLine");
    chat_.AddLine(text, colour);
}

quill::CriticalSectionLock& SceneRoomGame::RoomLock() const {
    return app_.Scenes().WidgetTreeLock();
}

int8_t SceneRoomGame::ShooterSeat() const {
    quill::ScopedLock hold(RoomLock());
    return state_.Room().shooterSeat;
}

uint16_t SceneRoomGame::Inning() const {
    quill::ScopedLock hold(RoomLock());
    return flow_.Inning();
}

RoomChatLog SceneRoomGame::ChatLog() const {
    quill::ScopedLock hold(RoomLock());
    return chat_.Log();
}

std::deque<quill::WString> SceneRoomGame::ReceivedLines() const {
    quill::ScopedLock hold(RoomLock());
    return chat_.Received();
}

// --- drawing (main thread) ---

void SceneRoomGame::Render(D3D9RenderDevice* device, bool draw) {
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::Render");
    UpdateAmbientLight(kRoomTimeOfDay);
    ApplyEnvironment(stage_.RenderScene(), device != nullptr && device->tableFog != 0);
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    DrainEvents();
    if (draw) equipment_.ApplyPendingReload();
    quill::RenderScene* scene = stage_.RenderScene();
    // The room's light takes the colour of the scene's ambient light, brightened.
    TableSceneStage::Lighting lighting{{0, 1.0f, 1.0f, 1.0f, 0.35f, 1, 1, 0.0f, 0.0f, -1.0f},
                                       0.35f,
                                       {0, 1.0f, 1.0f, 1.0f, 0.25f, 1, 1, 0.0f, 0.0f, -1.0f},
                                       0.25f};
    if (scene != nullptr) {
        quill::FogSettings fog;
        const quill::SceneEnvironment environment = scene->GetEnvironment(fog);
        if (environment.ambient != nullptr) {
            lighting.first.r = environment.ambient[0] * 255.0f / 850.0f + 0.7f;
            lighting.first.g = environment.ambient[1] * 255.0f / 850.0f + 0.7f;
            lighting.first.b = environment.ambient[2] * 255.0f / 850.0f + 0.7f;
        }
    }
    stage_.Render(device, draw, 1.0f / 60.0f, &lighting);
    if (!draw || device == nullptr) return;
    dialogs_.Replay()->DrawTable(*device);
    device->Begin2D();
    table->HudValues().DrawHud();
    if (quill::Engine* engine = app_.GetEngine(); engine != nullptr && engine->GetResourceManager() != nullptr) {
        LoadShownItemPreviews(*this, *engine->GetResourceManager(), *device);
    }
    DrawWidgets(device);
}

void SceneRoomGame::DrainEvents() {
    while (quill::AppEvent* event = events_.Pop()) {
        if (event->id == kReleaseKeysEvent) {
            if (GameTable* table = stage_.Table()) table->Input().ReleaseHeldKeys(false);
        }
        events_.Release(event);
    }
}

// --- leaving (main thread) ---

bool SceneRoomGame::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::OnLeave");
    Scene::OnLeave(resources, renderScenes);
    ReleaseItemPreviews(*this);
    seats_.ForgetCues();  // the table's cue entries go with it
    dialogs_.Replay()->ReleaseTable();
    stage_.Release(renderScenes);
    chat_.ForgetReceived();
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) {
        for (uint32_t id : kStoppedOnLeave) sounds->Stop(id);
        sounds->RemoveSound(sound_id::kTableMusic);
    }
    items_.ReleaseSpentItems();
    loaded_ = false;
    SetReady(false);
    return true;
}

// --- input (main thread) ---

Button* SceneRoomGame::TopButton(int32_t control) const {
    return control >= 0 && control < static_cast<int32_t>(topButtons_.size())
               ? topButtons_[static_cast<size_t>(control)]
               : nullptr;
}

// --- the window ---

void SceneRoomGame::OnResize(uint32_t width, uint32_t height) {
    Scene::OnResize(width, height);
    if (!built_) return;
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::OnResize");
    const auto w = static_cast<int32_t>(width);
    const auto h = static_cast<int32_t>(height);
    seats_.StartReady()->Place(w, h);
    seats_.Board()->Place(w, h);
    stage_.LayoutHud(width, height);
    if (IsVisible()) flow_.Animations()->ApplyChildAnchors(w, h);
}

void SceneRoomGame::OnActivate(bool active) {
    Scene::OnActivate(active);
    stage_.OnScreenActivate(active);
    // The replay panel's table takes the mouse through its window: a drag held there ends the same way.
    if (GameTable* replay = dialogs_.Replay()->Table(); replay != nullptr && !active) replay->Input().ReleaseHeldInput();
}

bool SceneRoomGame::Poll() {
    stage_.PollKeys();
    return true;
}

void SceneRoomGame::OnSettingsChanged(const Settings& settings) {
    if (GameTable* table = stage_.Table()) table->Models().SetEnvironmentSettings(settings.tableEffect != 0, settings.meshDetail != 0);
}

void SceneRoomGame::PlaySound(uint32_t id) {
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->PlayAtFullVolume(id, false);
}

void SceneRoomGame::QueueAnnouncement(uint32_t id) {
    SoundQueue::Instance().Push(quill::SoundManager::Current(), id, 1.0f);
}

}  // namespace kestrovan
