#include "client/scenes/room/SceneRoomGame.h"

#include <algorithm>
#include <utility>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/render/RenderScene.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/App.h"
#include "client/app/MessengerPopup.h"
#include "client/app/NativeEditBridge.h"
#include "client/app/SceneId.h"
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
#include "client/scenes/common/TableOptionsFromSettings.h"
#include "client/scenes/common/TitleWindows.h"
#include "client/scenes/room/GameClock.h"
#include "client/scenes/room/GroupBoard.h"
#include "client/scenes/room/InviteWindow.h"
#include "client/scenes/room/MoneyNotice.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/ReplayPanel.h"
#include "client/scenes/room/ResultBoard.h"
#include "client/scenes/room/RoomMenu.h"
#include "client/scenes/room/ScoreBoard.h"
#include "client/scenes/room/ScoreTrack.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/table/GameTable.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/AnimatedImage.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/NumberDisplay.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"
#include "platform/system/Rand.h"
#include "platform/window/MessageIds.h"

namespace kestrovan {

namespace {

// The room's sounds and their categories: 34 (the countdown) apart, the others with the game's effects.
constexpr uint32_t kRoomSounds[] = {24, 26, 27, 28, 20, 21, 34, 1, 0, 39, 40, 41};
constexpr int kEffectCategory = 1;
constexpr int kCountdownCategory = 2;
constexpr uint32_t kStoppedOnLeave[] = {SceneRoomGame::kMusic, 1, 0};
constexpr uint32_t kSecondsPerDay = 86400;
// The room's time of day: always ten in the morning.
constexpr uint32_t kRoomTimeOfDay = 36000;
constexpr float kKeep = CameraController::kKeep;
constexpr size_t kTimeOutAnimation = 2;
constexpr uint8_t kCountedItem = 3;
constexpr int32_t kChatLineWidth = 382;
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

bool HasLevelRange(uint8_t gameType) {
    return gameType == 0 || gameType == 2 || gameType == 3 || gameType == 5 || gameType == 6;
}

bool IsStakeGame(uint8_t gameType) {
    return gameType == 2 || gameType == 5;
}

}  // namespace

SceneRoomGame::SceneRoomGame(App& app)
    : Scene(SceneId::RoomGame),
      app_(app),
      connection_(*app.Connection()),
      sender_(*app.Connection()),
      stage_(app, {.player = true, .sound = true, .connection = true}) {
    ResetSeats();
}

SceneRoomGame::~SceneRoomGame() {
    if (replayPanel_ != nullptr) replayPanel_->ReleaseTable();
    stage_.Release(nullptr);
}

quill::PlayerState& SceneRoomGame::Player() const {
    return connection_.LocalPlayer();
}

void SceneRoomGame::ResetSeats() {
    quill::ScopedLock hold(lock_);
    room_.shooterSeat = -1;
    gameRunning_ = false;
    tableStatePending_ = false;
    shotInFlight_ = false;
    turnClock_.ClearTimeOut();
    droppedSeats_.fill(false);
}

// --- loading ---

bool SceneRoomGame::OnEnter() {
    SetLoadWanted(true);
    return true;
}

int SceneRoomGame::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) {
    Player().ChooseDefaultCue();
    const quill::RoomInfo& record = connection_.GetRoomInfo();
    {
        quill::ScopedLock hold(lock_);
        room_.gameType = record.gameType;
        room_.tableItem = record.tableItem;
        room_.ballItem = record.ballItem;
        tableItem_ = record.tableItem;
        ballSetItem_ = record.ballItem;
        reloadPending_ = false;
        roomClockOrigin_ = platform::TimeGetTime() - (record.startTime % kSecondsPerDay) * 1000;
        model_.Reset();
        model_.gameType = static_cast<quill::GameType>(room_.gameType);
        if (model_.HasRule(model_.gameType)) model_.SelectRule(model_.gameType);
    }
    stage_.CreateTable({static_cast<quill::GameType>(room_.gameType), tableItem_, ballSetItem_,
                        kDefaultPhysicsModelCode, 1});
    LoadSounds();
    if (resources == nullptr || device == nullptr || !stage_.Load(*resources, *device, u"Map0002", 0, 0)) return 1;
    replayPanel_->CreateTable(room_, *resources, *device);
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->PlayAtFullVolume(kMusic, true);
    LoadGraphics(0);
    const ScreenSize screen = app_.GetScreenSize();
    ApplyChildAnchors(screen.width, screen.height);
    animations_->ApplyChildAnchors(screen.width, screen.height);
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
    if (auto music = catalog->GetSound(kMusic)) sounds->LoadStreamingSound(music, kMusic, kEffectCategory);
}

// --- entering the room ---

void SceneRoomGame::Activate() {
    quill::ScopedLock hold(lock_);
    quill::PlayerState& player = Player();
    room_ = connection_.GetRoomInfo();
    // A room starts with a chat of its own: the last room's lines would otherwise hold the view at their top.
    chatLog_.Clear();
    chatScroll_->SetRange(chatLog_.ScrollRange());
    chatScroll_->SetPosition(0, false);
    const auto mode = static_cast<quill::GameType>(room_.gameType);
    currentCueKey_.reset();
    if (const quill::InventoryItem* cue = player.GetEquippedItem(room_.gameType)) {
        currentCueKey_ = std::pair{cue->key, cue->subKey};
    }
    turnClock_.SetLimit(static_cast<int8_t>(room_.inningTime));
    SeatLocalPlayer();
    playerBoard_->SetTurnTime(turnClock_.Limit());
    playerBoard_->SetTournament(connection_.GetChannelType(-1) == kTournamentChannel && connection_.ConnectionFlag() != 0);
    playerBoard_->Refresh(model_, room_);

    if (GameTable* table = stage_.Table()) {
        table->SetGameMode(mode);
        table->SetupTable(kDefaultPhysicsModelCode, 1);
        table->Reset(room_.counterA);
        table->ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
        table->Cameras().SetRefocusOnTopViewExit(true);
        table->Cameras().MoveCamera(0.5f, kKeep, 30.0f, false);
        table->HudValues().LayoutHud(Width(), Height());
        const quill::InventoryItem* cue = CurrentCue();
        CueModelEntry::PartIds parts = TableSceneStage::kStockParts;
        if (cue != nullptr && cue->customFlag != 0) parts = cue->statValues;
        stage_.EquipCue(static_cast<uint16_t>(cue != nullptr ? cue->typeCode : 3000), parts);
    }
    startReady_->SetSeat(player.seat >= 0 ? player.seat : 0);
    startReady_->SetMaster(true);
    startReady_->ShowPanel();
    startBalloon_->Show(false);
    EnableLeaving(true);

    ResetSeats();
    chatFont_ = app_.GetSettings().largeChatFont;
    chalkSlot_->Reload();
    chatBox_->SetText(u"");
    NativeEditBridge::ClearFocus();
    startReady_->OnGameEnd();

    joined_ = false;
    readyBoard_ = false;
    turnClock_.ClearTimeOut();
    connection_.JoinTarget() = JoinWithTarget{};
    connection_.JoinTarget().place = -999;
    durabilityWarned_.fill(false);
    equipmentNotice_ = false;
    shotCount_ = 0;
    helpOnEntry_ = player.experience < kHelpExperience;
    if (helpOnEntry_) {
        help_->OpenPage(HelpWindow::kRoomContext, room_.gameType);
        help_->SetVisible(true);
    }
    HideGameWindows();
    WriteEntryLines();
    itemBar_->Refresh();
    ruleMarker_ = 0;
    runCount_ = 0;
    runningTotals_.fill(0);
    scoreBoard_->Reset();
    scoreBoard_->Show(connection_.GetChannelType(-1) == kTournamentChannel);
    for (AnimatedImage* animation : turnAnimations_) animation->Show(false);
    gameClockOrigin_ = platform::TimeGetTime();
    roomTitle_->SetText(room_.title);
    roomNumber_->SetValue(static_cast<uint64_t>(std::max<int16_t>(room_.roomNumber, 0)));
    lockIcon_->Show(room_.passwordFlag != 0);
    halfGame_->Show(room_.IsHalfGame());
    ShowStake();
    ShowLevelRange();
    CheckCueDurability();
    if (GameTable* table = stage_.Table(); table != nullptr && HoldsGoldCueInUse())
        table->HudValues().ForScreens().goldCue = true;
    ReadOptionSwitches();
    sender_.SendByte(quill::MessageId::RoomEntered, 0);
    SetReady(true);
    chatChanged_ = false;
    LayoutChat(platform::TimeGetTime(), true);
}

// The room's players start as the local player alone, among those who do not play (team 0), until the server
// tells who sits where.
void SceneRoomGame::SeatLocalPlayer() {
    model_.Reset();
    const quill::PlayerState& local = Player();
    quill::PlayerState& seat = model_.players[0];
    seat.ResetSeat();
    seat.name = local.name.empty() ? connection_.Nickname() : local.name;
    seat.accountId = local.accountId;
    seat.userId = local.userId;
    seat.level = local.level;
    seat.money = local.money;
    seat.clanId = local.clanId;
    seat.ratingByType = local.ratingByType;
    seat.generalAverage = local.generalAverage;
    seat.seat = 0;
    seat.team = 0;
    model_.teams[0].id = 0;
    model_.AddPlayer(&seat, 0, 1);
    model_.gameType = static_cast<quill::GameType>(room_.gameType);
}

// The windows of a running game or of an earlier visit.
void SceneRoomGame::HideGameWindows() {
    const std::array<Widget*, 14> windows{resultBoard_, shotBet_,      scoreTrack_,  groupBoard_, moneyNotice_,
                                          roomMenu_,    invite_,       replayPanel_, itemSelect_, purchaseGift_,
                                          purchase_,    readyBalloon_, receiving_,   wideButton_};
    for (Widget* window : windows) window->SetVisible(false);
}

void SceneRoomGame::WriteEntryLines() {
    AddChatLine(u"▶ Change shot sensy : Settings -> Control", kTipColour);
    const int tip = platform::Rand() % 100;
    AddChatLine(kRandomTips[tip < 50 ? 0 : tip < 80 ? 1 : 2], kTipColour);
    if (HasOptionLine(room_.gameType)) {
        AddChatLine(quill::Format(u"◆ Game option - %s", OptionText(room_.gameType, room_.setting)), kInfoColour);
    }
    if (room_.stake > 0) {
        AddChatLine(quill::Format(u"◆ Seed money - %s", FormatMoney(room_.stake)), kInfoColour);
    } else {
        AddChatLine(u"◆ Friendly game - no gamble", kInfoColour);
    }
    if (room_.IsHalfGame()) AddChatLine(u"◆ Half Game. (half of all players handi.)", kInfoColour);
}

void SceneRoomGame::ShowLevelRange() {
    const bool shown = HasLevelRange(room_.gameType);
    levelLabel_->Show(shown);
    if (!shown) return;
    const int32_t low = room_.minHandicap;
    const int32_t high = room_.maxHandicap;
    if (low != 0) {
        levelLabel_->SetText(high != 0 ? quill::Format(u"%d ~ %d", low, high) : quill::Format(u"%d ~", low));
    } else {
        levelLabel_->SetText(high != 0 ? quill::Format(u"~ %d", high) : quill::WString(u"No limit"));
    }
}

void SceneRoomGame::ShowStake() {
    if (connection_.GetChannelType(-1) == kTournamentChannel) {
        stakeLabel_->SetText(u"Tournament");
    } else if (IsStakeGame(room_.gameType) || room_.IsClosed()) {
        stakeLabel_->SetText(FormatMoney(room_.stake));
    } else {
        stakeLabel_->SetText(u"Friendly");
    }
    playerBoard_->SetStake(room_.stake);
}

// --- the frame (game thread) ---

void SceneRoomGame::Update(uint32_t timeMs, int64_t clockTenthMs) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    DirectInputMouse* mouse = app_.Mouse();
    table->Update(static_cast<uint32_t>(clockTenthMs), mouse != nullptr ? mouse->Dx() : 0,
                  mouse != nullptr ? mouse->Dy() : 0, false);
    replayPanel_->UpdateTable(static_cast<uint32_t>(clockTenthMs));
    quill::ScopedLock hold(lock_);
    ++updates_;
    if (updates_ % kAimRelayCalls == 0) {
        RelayAim(timeMs);
        if (gameRunning_ && !shotInFlight_) RunTurnClock(timeMs);
        if (gameRunning_) RunGameClock(timeMs);
        // Lines written since the last layout are filled in here, once for all of them.
        LayoutChat(timeMs, std::exchange(chatChanged_, false));
    }
    BlinkNewMessageIcon(timeMs);
    if (updates_ % 4 == 0 && startBalloon_->IsVisible()) {
        const int32_t bob = timeMs % 800 < 400 ? 1 : -1;
        startBalloon_->Offset(0, bob);
    }
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

void SceneRoomGame::RunTurnClock(uint32_t nowMs) {
    GameTable& table = *stage_.Table();
    playerBoard_->UpdateCountdown(turnClock_.ElapsedSeconds(nowMs));
    if (turnClock_.TakeWarning(nowMs)) {
        const uint32_t voice = kFirstWarningVoice + app_.GetRandom().Next() % 3;
        SoundQueue::Instance().Push(quill::SoundManager::Current(), voice, 1.0f);
        playerBoard_->HideWarning();
    }
    const int8_t shooter = room_.shooterSeat;
    if (IsLocalTurn() && table.IsControlEnabled()) {
        const auto mode = room_.gameType;
        if ((mode == 3 || mode == 5) && table.HudValues().ForScreens().foulCount == 0 && turnClock_.FreezeDue(nowMs)) {
            table.ReleaseHeldKeys(false);
            table.SetControlEnabled(false);
        }
        if (turnClock_.TimeOutDue(nowMs)) SendTimeOut();
    } else if (IsLocalTurn() && turnClock_.TimeOutDue(nowMs)) {
        SendTimeOut();
    } else if (masterSeat_ == localSeat_ && shooter >= 0 && shooter < 8 &&
               droppedSeats_[static_cast<size_t>(shooter)] && turnClock_.TimeOutDue(nowMs)) {
        SendTimeOut();
    }
}

void SceneRoomGame::SendTimeOut() {
    GameTable& table = *stage_.Table();
    turnClock_.MarkTimeOutSent();
    table.ReleaseHeldKeys(false);
    table.SetControlEnabled(false);
    table.Picking().ClearBallInHand();
    turnAnimations_[kTimeOutAnimation]->Play(0);
    events_.Post(kReleaseKeysEvent, 0, 0, 0);
    sender_.SendByte(quill::MessageId::TurnTimeout, 0);
}

void SceneRoomGame::RunGameClock(uint32_t nowMs) {
    const uint32_t elapsed = nowMs - gameClockOrigin_;
    gameClock_->Set(elapsed);
    GameTable& table = *stage_.Table();
    if (connection_.GetChannelType(-1) == kTournamentChannel) {
        if (elapsed > kTournamentGameMs && !shotInFlight_ && table.IsControlEnabled()) {
            table.SetControlEnabled(false);
            sender_.SendByte(quill::MessageId::RoomRequest1236, 1);
        }
        scoreBoard_->SetCountdown(elapsed);
    }
    elapsedGameSeconds_ = elapsed / 1000;
}

void SceneRoomGame::BeginTurn(int8_t shooterSeat, uint32_t nowMs) {
    quill::ScopedLock hold(lock_);
    room_.shooterSeat = shooterSeat;
    turnClock_.StartTurn(nowMs);
    playerBoard_->SetTurnTime(turnClock_.Limit());
    if (GameTable* table = stage_.Table(); table != nullptr && IsLocalTurn()) table->SetControlEnabled(true);
}

// While a game runs the shooter holds the table; between games the room master does (or a shooter the server
// named).
bool SceneRoomGame::IsLocalTurn() const {
    const int8_t local = localSeat_;
    if (local < 0) return false;
    if (gameRunning_) return room_.shooterSeat == local;
    return masterSeat_ == local || room_.shooterSeat == local;
}

void SceneRoomGame::MarkDropped(int8_t seat, bool dropped) {
    if (seat >= 0 && seat < 8) droppedSeats_[static_cast<size_t>(seat)] = dropped;
}

// --- the chat ---

// The line is kept and the scroll bar follows at once; the chat box shows it with the next layout of the
// update, so that a flood of lines costs one layout per tenth update instead of one per line.
void SceneRoomGame::AddChatLine(quill::WStringView text, uint32_t colour) {
    const uint32_t now = platform::TimeGetTime();
    quill::ScopedLock hold(lock_);
    chatLog_.Add(text, colour, now);
    chatScroll_->SetRange(chatLog_.ScrollRange());
    chatScroll_->SetPosition(chatLog_.ScrollPosition() - 1, false);
    chatChanged_ = true;
}

void SceneRoomGame::LayoutChat(uint32_t nowMs, bool refill) {
    if (!IsReady()) return;
    quill::ScopedLock hold(lock_);
    const auto lines = chatLog_.Layout(nowMs);
    for (size_t n = 0; n < kChatLines; ++n) {
        const RoomChatLog::Line& line = lines[n];
        if (!line.shown) {
            chatLines_[n]->Show(false);
            continue;
        }
        if (refill) {
            chatTexts_[n]->SetTextF(u"%s", line.text);
            chatTexts_[n]->SetColors(line.colour, 0);
            chatLines_[n]->Show(true);
            const int32_t width = chatTexts_[n]->MeasureText();
            chatLines_[n]->SetScale(static_cast<float>(width + 40) / kChatLineWidth, 1.0f);
        }
        chatLines_[n]->SetAlpha(line.opacity);
    }
}

RoomChatLog SceneRoomGame::ChatLog() const {
    quill::ScopedLock hold(lock_);
    return chatLog_;
}

std::deque<quill::WString> SceneRoomGame::ReceivedLines() const {
    quill::ScopedLock hold(lock_);
    return receivedLines_;
}

const quill::InventoryItem* SceneRoomGame::CurrentCue() const {
    if (!currentCueKey_) return nullptr;
    return Player().FindItem(currentCueKey_->first, currentCueKey_->second);
}

// --- drawing (main thread) ---

void SceneRoomGame::Render(D3D9RenderDevice* device, bool draw) {
    UpdateAmbientLight(kRoomTimeOfDay);
    ApplyEnvironment(stage_.RenderScene(), device != nullptr && device->tableFog != 0);
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    DrainEvents();
    if (draw && reloadPending_.exchange(false)) ApplyEquipmentReload();
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
    replayPanel_->DrawTable(*device);
    device->Begin2D();
    quill::ScopedLock hold(lock_);
    table->HudValues().DrawHud();
    if (quill::Engine* engine = app_.GetEngine(); engine != nullptr && engine->GetResourceManager() != nullptr) {
        LoadShownItemPreviews(*this, *engine->GetResourceManager(), *device);
    }
    DrawWidgets(device);
}

void SceneRoomGame::DrainEvents() {
    while (quill::AppEvent* event = events_.Pop()) {
        if (event->id == kReleaseKeysEvent) {
            if (GameTable* table = stage_.Table()) table->ReleaseHeldKeys(false);
        }
        events_.Pool().Free(event);
    }
}

// The frame (main thread): the table and ball-set items the room changed to, written back into both room
// records.
void SceneRoomGame::ApplyEquipmentReload() {
    stage_.ApplyEquipment({static_cast<quill::GameType>(room_.gameType), tableItem_, ballSetItem_,
                           kDefaultPhysicsModelCode, 1});
    room_.tableItem = tableItem_;
    room_.ballItem = ballSetItem_;
    connection_.GetRoomInfo().tableItem = tableItem_;
    connection_.GetRoomInfo().ballItem = ballSetItem_;
}

void SceneRoomGame::RequestEquipment(uint16_t tableItem, uint16_t ballSetItem) {
    quill::ScopedLock hold(lock_);
    tableItem_ = tableItem;
    ballSetItem_ = ballSetItem;
    reloadPending_ = true;
}

// --- leaving (main thread) ---

bool SceneRoomGame::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    Scene::OnLeave(resources, renderScenes);
    quill::ScopedLock hold(lock_);
    ReleaseItemPreviews(*this);
    seatCues_.fill(nullptr);  // the table's cue entries go with it
    replayPanel_->ReleaseTable();
    stage_.Release(renderScenes);
    receivedLines_.clear();
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) {
        for (uint32_t id : kStoppedOnLeave) sounds->Stop(id);
        sounds->RemoveSound(kMusic);
    }
    ReleaseSpentItems();
    loaded_ = false;
    SetReady(false);
    return true;
}

// Every counted item the room used up leaves the inventory and goes back to the connection's pool.
void SceneRoomGame::ReleaseSpentItems() {
    quill::PlayerState& player = Player();
    std::vector<quill::InventoryItem*> spent;
    {
        quill::ScopedLock items(player.GetLock());
        for (uint32_t i = 0; i < player.ItemCount(); ++i) {
            quill::InventoryItem* item = player.ItemAt(i);
            if (item != nullptr && item->state == kCountedItem && item->remaining <= 0) spent.push_back(item);
        }
    }
    for (quill::InventoryItem* item : spent) {
        if (player.RemoveItemPtr(item)) connection_.FreeItem(item);
    }
    if (!spent.empty()) {
        chalkSlot_->Reload();
        itemBar_->Refresh();
    }
}

// --- input (main thread) ---

void SceneRoomGame::OpenPurchase(uint32_t mode) {
    const quill::ItemRecord* offer = purchaseGift_->SelectedOffer();
    if (offer == nullptr) return;
    const bool goldItem = offer->currency != PurchaseRules::kCurrencyCash;
    const bool playing = gameRunning_ && localSeat_ > 0;
    if (playing && goldItem) {
        app_.Scenes().ShowNoticeBox(this, u"Gold item cannot be purchased while playing the game.");
        return;
    }
    purchase_->SetMode(mode == 2 ? PurchaseMode::kGift : PurchaseMode::kBuy);
    purchase_->SetItem(*offer);
    purchase_->SetVisible(true);
}

void SceneRoomGame::SendPurchase() {
    sender_.Send([this](quill::Packet& packet) { purchase_->WriteRequest(packet); });
    purchase_->SetVisible(false);
}

void SceneRoomGame::ShowItemShop() {
    if (purchaseGift_->IsVisible()) purchaseGift_->Close();
    itemSelect_->SetEquipSlot(room_.gameType);
    itemSelect_->SetVisible(true);
}

Button* SceneRoomGame::TopButton(int32_t control) const {
    return control >= 0 && control < static_cast<int32_t>(topButtons_.size())
               ? topButtons_[static_cast<size_t>(control)]
               : nullptr;
}

// --- the window ---

void SceneRoomGame::OnResize(uint32_t width, uint32_t height) {
    Scene::OnResize(width, height);
    if (!built_) return;
    quill::ScopedLock hold(lock_);
    const auto w = static_cast<int32_t>(width);
    const auto h = static_cast<int32_t>(height);
    startReady_->Place(w, h);
    playerBoard_->Place(w, h);
    if (GameTable* table = stage_.Table()) table->HudValues().LayoutHud(w, h);
    if (IsVisible()) animations_->ApplyChildAnchors(w, h);
}

void SceneRoomGame::OnActivate(bool active) {
    Scene::OnActivate(active);
    if (GameTable* table = stage_.Table(); !active && table != nullptr) table->ReleaseHeldKeys(false);
}

void SceneRoomGame::OnSettingsChanged(const Settings& settings) {
    if (GameTable* table = stage_.Table())
        table->Models().SetEnvironmentSettings(settings.tableEffect != 0, settings.meshDetail != 0);
}

}  // namespace kestrovan
