#pragma once
// The game room: the table of the room on the stage of "Map0002", the eight seats, the playing teams, the
// room's chat and every window of the room screen: the top bar, the chat area, the start and ready panel, the
// player board, the score displays, the item slots and windows, the replay panel, the shot betting panel, the
// invitation window, the room menu, the notices and result boards and the shared dialogs of the lobby and the
// shop. The lobby switches to it once a room is joined (JoinRoomResult).
//
// Its life: Init lays the screen out once (a second time is a programming error); LoadResources makes the
// table, loads the room's sounds and map and starts the music; Activate enters the room (tips, the game's
// option, stake and level texts, RoomEntered); Update runs the table, the turn clock and the game clock;
// Render draws the table, the replay view and the widgets; OnLeave lets everything go and drops the items the
// room spent.
//
// Threads (Scene.h): the dispatch thread runs OnPacket, the game thread Update, the main thread OnMessage, the
// routed input with OnEvent, Render and the loading, each under the widget-tree lock. One recursive room lock
// guards the chat, the seats and the windows' state against all of them (Render takes it for the widgets and the
// HUD); the flags read across threads are atomic. Events for the main thread go through the room's own event
// queue. Turn timers run on Update's millisecond time;
// the table takes the frame clock.
#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/EventQueue.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameModel.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/app/Scene.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/common/TitleBarButtons.h"
#include "client/scenes/room/ChatSpamGuard.h"
#include "client/scenes/room/RoomChatLog.h"
#include "client/scenes/room/RoomMessages.h"
#include "client/scenes/room/TurnClock.h"

namespace kestrovan {

class AnimatedImage;
class App;
class CueModelEntry;
class Button;
class ChalkQuickSlot;
class EditBox;
class FloatingGainText;
class GameClock;
class GameConnection;
class GameOptionDialog;
class GameTable;
class GoldShortagePopup;
class GroupBoard;
class HelpWindow;
class Image;
class InProgressDialog;
class InviteWindow;
class ItemQuickBar;
class ItemSelectWindow;
class LevelUpPopup;
class MoneyNotice;
class NumberDisplay;
class OpponentRequestAcceptPopup;
class OpponentRequestPopup;
class PlayerBoard;
class PointRulePanel;
class PurchaseDialog;
class PurchaseGiftWindow;
class RankingPopup;
class ReplayPanel;
class ReportUserPopup;
class ResultBoard;
class RoomMenu;
class ScoreBoard;
class ScoreSummaryPopup;
class ScoreTrack;
class ScrollBar;
class ShotBetPanel;
class StartReadyPanel;
class TextLabel;
class TimeLimitNotice;
class TimedLabel;
class WaitingPopup;
class WithdrawMenuPopup;
class WithdrawPopup;
class WithdrawQuestion;

class SceneRoomGame : public Scene {
public:
    // Control ids of the room's own buttons.
    enum Control : int32_t {
        kToLobby = 1,
        kSettings = 2,
        kHelp = 3,
        kMyInfo = 4,
        kMessenger = 5,
        kRoomSetting = 6,
        kMuteChat = 9,
        kJoin = 13,
        kWideButton = 15,
        kInvite = 16,
        kGoldItems = 18,
        kItemShop = 19,
        kChatScroll = 100,
    };
    static constexpr size_t kChatLines = 8;
    static constexpr size_t kTurnAnimations = 6;
    static constexpr size_t kFloatingTexts = 3;
    static constexpr size_t kTimedLabels = 8;
    static constexpr size_t kReceivedLines = 20;
    static constexpr uint32_t kEventQueueSize = 1024;
    // The room's own queue: the render thread lets the table's held keys go.
    static constexpr uint32_t kReleaseKeysEvent = 1058;
    static constexpr uint32_t kTipColour = 0xFFFF00FF;
    static constexpr uint32_t kInfoColour = 0xFFFFFFFF;
    static constexpr uint32_t kCountdownSound = 34;
    static constexpr uint32_t kMusic = 4;
    static constexpr uint32_t kTournamentGameMs = 900000;
    static constexpr int16_t kTournamentChannel = 8;
    static constexpr uint16_t kHelpExperience = 300;
    static constexpr uint32_t kFirstWarningVoice = 94;
    // Chat line colours by kind.
    static constexpr uint32_t kRed = 0xFFFF0000;
    static constexpr uint32_t kYellow = 0xFFFFFF00;
    static constexpr uint32_t kGreen = 0xFF00FF00;
    static constexpr uint32_t kLightBlue = 0xFFB0B0FF;
    static constexpr uint32_t kMagenta = 0xFFFF00FF;
    static constexpr uint32_t kWhite = 0xFFFFFFFF;
    static constexpr uint32_t kConsumedColour = 0xFFFF8080;
    // Players' chat takes the colour of the sender's seat.
    static constexpr std::array<uint32_t, 8> kSeatChatColours{0xFFFFBDBD, 0xFFC7B8FF, 0xFFB8EAFF, 0xFFFFFFFF,
                                                              0xFFFFFEB7, 0xFFB7FFE4, 0xFFBAFFB7, 0xFFFFB8FB};
    // The turn animations cut from "GameAni".
    enum TurnAnimation : size_t {
        kGoodShotAnimation,
        kYourTurnAnimation,
        kFoulResetAnimation,
        kBallInHandAnimation,
        kThreeCushionAnimation,
        kBankShotAnimation,
    };
    static constexpr uint32_t kAimRelayCalls = 10;

    explicit SceneRoomGame(App& app);
    ~SceneRoomGame() override;

    // --- Scene slots ---
    void Init() override;
    int LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) override;
    bool OnEnter() override;
    void Activate() override;
    void Render(D3D9RenderDevice* device, bool draw) override;
    int OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) override;
    bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) override;
    void Update(uint32_t timeMs, int64_t clockTenthMs) override;
    void TickWidgets(uint32_t timeMs) override;
    int OnPacket(quill::MessageId id, quill::Packet& packet) override;
    // The table's game mode, which the profile window shows first.
    int32_t ProfileGameMode() const override { return room_.gameType; }
    void OnResize(uint32_t width, uint32_t height) override;
    void OnActivate(bool active) override;
    void OnSettingsChanged(const Settings& settings) override;
    void AddChatLine(quill::WStringView text, uint32_t colour) override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    // --- The room's state, for its handlers ---
    // The shooter's turn begins now: the turn clock runs from now, warning and time-out due again.
    void BeginTurn(int8_t shooterSeat, uint32_t nowMs);
    void SetGameRunning(bool running) { gameRunning_ = running; }
    bool IsGameRunning() const { return gameRunning_; }
    void SetShotInFlight(bool inFlight) { shotInFlight_ = inFlight; }
    bool IsLocalTurn() const;
    // The game runs and the local seat's player has a team.
    bool IsLocalPlayerInGame() const;
    // The game is over for the room: the master holds the table, the panels wait for a new game.
    void ReturnToWaiting();
    // Whether the local player owns what the room requires; otherwise the money window says how much.
    bool CheckSeatAfford();
    // The room's table and ball set against the room's records: a change is reloaded by the next frame.
    void CheckRoomEquipment();
    // A chat line from the local player; false only when it is refused as spam.
    bool SendChat(quill::WStringView text, bool rejectSpam);

    // --- Items (SceneRoomGameItems.cpp) ---
    void UseQuickSlot(int32_t bar, int32_t kind);
    void ChangeCue(const quill::InventoryItem& item);
    void SendItemUse(int32_t kind);
    void ReportConsumption();
    void CheckCueDurability();
    bool SelectChalk(const quill::InventoryItem& item);
    // The table's option switches from the local player's items.
    void ReadOptionSwitches();
    // Whether the local player has the gold cue (item 4150) in use.
    bool HoldsGoldCueInUse();
    void SetLocalSeat(int8_t seat) { localSeat_ = seat; }
    int8_t LocalSeat() const { return localSeat_; }
    // The room master's seat; the master sends the time-out of a shooter who dropped.
    void SetMasterSeat(int8_t seat) { masterSeat_ = seat; }
    // A seat's player dropped from (or came back to) the game.
    void MarkDropped(int8_t seat, bool dropped);
    // Other table and ball-set items for the room: the next drawn frame sets the table up with them.
    void RequestEquipment(uint16_t tableItem, uint16_t ballSetItem);
    // Lays the chat records into the eight lines of the chat box (with refill: texts and colours too).
    void LayoutChat(uint32_t nowMs, bool refill);
    // The seat records and the game flags back to an empty room.
    void ResetSeats();

    // --- What tests read ---
    GameTable* Table() const { return stage_.Table(); }
    const quill::RoomInfo& Room() const { return room_; }
    quill::GameModel& Model() { return model_; }
    const TurnClock& Clock() const { return turnClock_; }
    RoomChatLog ChatLog() const;
    std::deque<quill::WString> ReceivedLines() const;
    const quill::InventoryItem* CurrentCue() const;
    int8_t ShooterSeat() const {
        quill::ScopedLock hold(lock_);
        return room_.shooterSeat;
    }
    // The room lock, for readers on another thread (tests) of what the handlers change: the game model, the
    // windows, the table's flags.
    quill::CriticalSectionLock& RoomLock() const { return lock_; }
    int8_t MasterSeat() const { return masterSeat_; }
    bool IsShotInFlight() const { return shotInFlight_; }
    bool IsTableStatePending() const { return tableStatePending_; }
    bool IsReloadPending() const { return reloadPending_; }
    uint16_t TableItem() const { return tableItem_; }
    uint16_t BallSetItem() const { return ballSetItem_; }
    uint32_t GameValue() const { return gameValue_; }
    uint16_t Inning() const {
        quill::ScopedLock hold(lock_);
        return inning_;
    }
    uint32_t ShotCount() const { return shotCount_; }
    const PointRuleBytes& RuleBytes() const { return ruleBytes_; }
    bool ChatSoundOn() const { return chatSound_; }
    bool IsObserving() const { return observe_; }
    CueModelEntry* SeatCue(size_t seat) const { return seatCues_[seat % kRoomSeats]; }
    const std::array<bool, 3>& DurabilityWarnings() const { return durabilityWarned_; }
    uint32_t EventsPending() const { return events_.Count(); }
    bool IsBuilt() const { return built_; }
    bool HelpShownOnEntry() const { return helpOnEntry_; }

    Image* TopBar() const { return topBar_; }
    NumberDisplay* RoomNumber() const { return roomNumber_; }
    TextLabel* RoomTitle() const { return roomTitle_; }
    TextLabel* StakeLabel() const { return stakeLabel_; }
    TextLabel* LevelLabel() const { return levelLabel_; }
    TextLabel* HalfGameLabel() const { return halfGame_; }
    Image* LockIcon() const { return lockIcon_; }
    GameClock* GameClockWidget() const { return gameClock_; }
    Widget* ChatArea() const { return chatArea_; }
    Image* ChatLine(size_t n) const { return chatLines_[n]; }
    TextLabel* ChatText(size_t n) const { return chatTexts_[n]; }
    ScrollBar* ChatScroll() const { return chatScroll_; }
    Image* ChatInput() const { return chatInput_; }
    EditBox* ChatBox() const { return chatBox_; }
    ChalkQuickSlot* ChalkSlot() const { return chalkSlot_; }
    ItemQuickBar* ItemBar() const { return itemBar_; }
    ItemSelectWindow* ItemSelect() const { return itemSelect_; }
    PurchaseGiftWindow* PurchaseGift() const { return purchaseGift_; }
    Button* TopButton(int32_t control) const;
    StartReadyPanel* StartReady() const { return startReady_; }
    PlayerBoard* Board() const { return playerBoard_; }
    ShotBetPanel* ShotBet() const { return shotBet_; }
    PointRulePanel* PointRule() const { return pointRule_; }
    ScoreBoard* Score() const { return scoreBoard_; }
    ScoreTrack* Track() const { return scoreTrack_; }
    GroupBoard* Groups() const { return groupBoard_; }
    MoneyNotice* Money() const { return moneyNotice_; }
    ReplayPanel* Replay() const { return replayPanel_; }
    InviteWindow* Invite() const { return invite_; }
    RoomMenu* Menu() const { return roomMenu_; }
    ResultBoard* Results() const { return resultBoard_; }
    HelpWindow* Help() const { return help_; }
    PurchaseDialog* Purchase() const { return purchase_; }
    Button* JoinButton() const { return joinButton_; }
    Image* StartBalloon() const { return startBalloon_; }
    Image* ReadyBalloon() const { return readyBalloon_; }
    TextLabel* ReceivingLabel() const { return receiving_; }
    AnimatedImage* TurnAnimation(size_t n) const { return turnAnimations_[n]; }
    Widget* Animations() const { return animations_; }
    WithdrawPopup* WithdrawConfirmWindow() const { return withdraw_; }
    OpponentRequestPopup* OpponentRequestWindow() const { return opponentRequest_; }
    WithdrawQuestion* TurnsExceededQuestion() const { return withdrawQuestion_; }
    // The new-message window (the wide button 15): who asked to be a friend while the room was up.
    Button* NewMessageWindow() const { return wideButton_; }
    // The "continue" window: the one-hour notice of a stake game.
    TimeLimitNotice* ContinueWindow() const { return timeLimit_; }

private:
    // --- Layout (SceneRoomGameLayout.cpp) ---
    void BuildTopBar();
    void BuildEdges();
    void BuildChat();
    void BuildPanels();
    void BuildDialogs();
    void BuildTransients();
    void AddTopButton(TitleBarButtons::Role role, int32_t control);
    void BuildTurnAnimations();

    // --- Life ---
    quill::PlayerState& Player() const;
    void LoadSounds();
    void SeatLocalPlayer();
    void WriteEntryLines();
    void ShowLevelRange();
    void ShowStake();
    void HideGameWindows();
    void ReleaseSpentItems();
    void BlinkNewMessageIcon(uint32_t nowMs);
    void RunTurnClock(uint32_t nowMs);
    void SendTimeOut();
    void RunGameClock(uint32_t nowMs);
    void ApplyEquipmentReload();
    void DrainEvents();

    // --- The game's flow (SceneRoomGameFlow.cpp) ---
    void OnGameStart(quill::Packet& packet);
    void TakeStartMoney(const GameStartMessage& start);
    void SetUpTableForStart(const GameStartMessage& start);
    void SeatStartTeams(const GameStartMessage& start);
    void PlaceMember(uint8_t teamId, uint8_t index, quill::PlayerState& player);
    void OnTurnResult(quill::Packet& packet);
    void ApplyTurnGame(const TurnResultMessage& turn);
    void AnnounceKeptTurn(const TurnResultMessage& turn);
    void GiveBallInHand(uint8_t kind);
    void PassTurnTable(const TurnResultMessage& turn);
    void FinishTurn(const TurnResultMessage& turn);
    void OnBreakRerack(quill::Packet& packet);
    void OnBallGroups(quill::Packet& packet, bool eightBall);
    void OnPointRuleUpdate(quill::Packet& packet);
    void FillPointRuleBoard(uint8_t secondMarker);
    void FillGroupBoard();
    void OnScoreUpdate(quill::Packet& packet);
    void OnGameEnd(quill::Packet& packet);
    void OnGameSettlement(quill::Packet& packet);
    void OnPlayerAllIn(quill::Packet& packet);
    void AfterGameSeating();
    void ReevaluateContinue();
    void GiveTableToMaster(float seconds);
    void ApplyMoney(uint8_t seat, int64_t money);
    quill::PlayerState* SeatRecord(int32_t seat);
    quill::TeamState* PlayingTeam(uint8_t place);
    bool IsPocketMode() const;
    void PlayTurnAnimation(size_t animation);
    void PlaySound(uint32_t id);
    void QueueAnnouncement(uint32_t id);
    void TakeTable(bool take);

    // --- The shot road (SceneRoomGameShots.cpp) ---
    void RelayAim(uint32_t nowMs);
    void OnShotFired();
    void OnBallsStopped();
    void SendTableState();
    void WriteTableState(quill::Packet& packet, bool append);
    void SendBallPlacement(uint32_t ball);
    void OnRelayedAim(quill::Packet& packet);
    void OnRelayedShot(quill::Packet& packet);
    void OnBallPlacementRelay(quill::Packet& packet);
    void OnTableStateRequest();
    void OnTablePlacement(quill::Packet& packet);
    void OnTableEvent(quill::Packet& packet);
    void OnPocketCallRelay(quill::Packet& packet);
    void OnSeatCueUpdate(quill::Packet& packet);
    void OnItemStats(quill::Packet& packet);
    void SetSeatCue(uint8_t seat, uint16_t cueItem, const std::array<uint16_t, 5>& parts);

    // --- The packet slot's notices (SceneRoomGamePackets.cpp) ---
    bool OnFlowPacket(quill::MessageId id, quill::Packet& packet);
    bool OnShotPacket(quill::MessageId id, quill::Packet& packet);
    bool OnMemberPacket(quill::MessageId id, quill::Packet& packet);
    bool OnNoticePacket(quill::MessageId id, quill::Packet& packet);
    bool OnItemPacket(quill::MessageId id, quill::Packet& packet);
    void OnRoomSnapshot(quill::Packet& packet);
    void OnMemberEntered(quill::Packet& packet);
    void OnMemberInfo(quill::Packet& packet);
    void FillSeat(const RoomPlayerRecord& record);
    void OnMemberLeft(quill::Packet& packet);
    void OnMasterChanged(quill::Packet& packet);
    void MarkMaster(uint8_t seat);
    void OnSeatChanged(quill::Packet& packet);
    void OnSlotUpdate(quill::Packet& packet);
    void OnPlayerJoined(quill::Packet& packet);
    void OnPlayerWithdrew(quill::Packet& packet);
    void OnGameStateSync(quill::Packet& packet);
    void OnRoomOptions(quill::Packet& packet);
    void OnRoomChat(quill::Packet& packet);
    // The text as the chat box shows it: through the word filter when the player keeps the filter on.
    quill::WString FilteredChat(quill::WStringView text);
    void OnChatBanned(quill::Packet& packet);
    void OnUnbanResult(quill::Packet& packet);
    void OnSeatNotice(quill::MessageId id, quill::Packet& packet);
    void OnPlayerDropped(quill::Packet& packet);
    void OnLevelUp(quill::Packet& packet);
    void OnJackpot(quill::Packet& packet);
    void OnMoneyLimit(quill::Packet& packet);
    void ShowMemberCount(uint8_t count, uint8_t capacity);
    void RefreshStartButton();
    quill::WString SeatName(int32_t seat) const;

    // --- Items (SceneRoomGameItems.cpp) ---
    void OnItemUseResult(quill::Packet& packet);
    void OnItemQuantity(quill::Packet& packet);
    quill::InventoryItem* QuickSlotItem(int32_t kind) const;
    void ToggleActiveItem(quill::InventoryItem& item);
    void RemoveSpentItem(quill::InventoryItem* item);
    void WriteConsumption(quill::Packet& packet, bool& started, const quill::InventoryItem& item, bool wide,
                          uint32_t value);
    void UseChalk();

    // --- Keys, events and chat (SceneRoomGameEvents.cpp) ---
    bool OnWindowMessage(uint32_t id, uint64_t wParam);
    void OnAppEvent(uint32_t id, uint64_t wParam, int64_t lParam);
    // In a gamble game, whether the local shooter would end it before its last turn (and lose half the gain).
    bool WithdrawingBeforeLastTurn() const;
    void OnWithdrawDialogClosed(uint64_t yes, int64_t confirmValue);
    bool OnChatBoxEvent(int32_t a);
    void ToggleReplayView();
    void OpenWithdrawConfirm();
    void OpenWithdrawChoice(int32_t choice);
    void SendOpponentRequest();
    void ShowNewMessage();
    void OpenNextFriendRequest();
    void SendReport();
    void SendGameOption();
    void SendParticipation();
    void OpenRoomSettings();
    void AskParticipation();

    // --- Events ---
    void OpenPurchase(uint32_t mode);
    void SendPurchase();
    void ShowItemShop();
    void LeaveRoom();
    // The leave button, off while the server has a leave request to answer.
    void EnableLeaving(bool enabled);

    App& app_;
    GameConnection& connection_;
    ConnectionRequestSender sender_;
    TableSceneStage stage_;
    TitleBarButtons titleBarButtons_;
    mutable quill::CriticalSectionLock lock_;
    quill::EventQueue events_{kEventQueueSize};
    bool built_ = false;
    bool loaded_ = false;

    // Room state.
    quill::RoomInfo room_;
    quill::GameModel model_;
    RoomChatLog chatLog_;
    bool chatChanged_ = false;  // lines written since the chat box was last filled
    std::deque<quill::WString> receivedLines_;
    TurnClock turnClock_;
    std::optional<std::pair<uint32_t, uint32_t>> currentCueKey_;  // the cue for the room's game, by its key pair
    std::atomic<bool> gameRunning_{false};
    std::atomic<bool> shotInFlight_{false};
    std::atomic<bool> tableStatePending_{false};
    std::atomic<bool> reloadPending_{false};
    std::atomic<bool> joined_{false};
    std::atomic<int8_t> localSeat_{-1};
    std::atomic<int8_t> masterSeat_{-1};
    std::array<bool, 8> droppedSeats_{};
    std::array<CueModelEntry*, kRoomSeats> seatCues_{};
    ChatSpamGuard spamGuard_;
    PointRuleBytes ruleBytes_;
    uint8_t ruleMarker_ = 0;
    uint16_t inning_ = 0;
    uint16_t runCount_ = 0;
    std::array<uint32_t, 2> runningTotals_{};
    uint32_t gameValue_ = 0;
    uint32_t shotCount_ = 0;
    uint32_t randomSeed_ = 0;
    std::atomic<bool> eightBallNotice_{false};
    std::atomic<bool> shotMade_{false};
    bool observe_ = false;
    bool equipmentNotice_ = false;
    bool chatSound_ = true;
    bool replayView_ = false;
    bool helpShown_ = false;
    uint32_t lastKeyDown_ = 0;
    uint32_t lastActivity_ = 0;
    int32_t reportedChalk_ = -1;
    int32_t itemUseKind_ = 0;  // the kind of the item whose use waits for the player's OK
    std::array<bool, 3> durabilityWarned_{};  // zero, 5 %, 10 %
    bool helpOnEntry_ = false;
    bool readyBoard_ = true;
    uint16_t tableItem_ = 0;
    uint16_t ballSetItem_ = 0;
    uint32_t gameClockOrigin_ = 0;
    uint32_t elapsedGameSeconds_ = 0;
    uint32_t roomClockOrigin_ = 0;
    uint32_t updates_ = 0;
    uint32_t chatFont_ = 0;

    // Widgets, owned by the tree.
    Image* topBar_ = nullptr;
    NumberDisplay* roomNumber_ = nullptr;
    TextLabel* modeLabel_ = nullptr;
    TextLabel* roomTitle_ = nullptr;
    TextLabel* stakeLabel_ = nullptr;
    Image* lockIcon_ = nullptr;
    TextLabel* levelLabel_ = nullptr;
    TextLabel* halfGame_ = nullptr;
    GameClock* gameClock_ = nullptr;
    Button* wideButton_ = nullptr;
    Widget* chatArea_ = nullptr;
    std::array<Image*, kChatLines> chatLines_{};
    std::array<TextLabel*, kChatLines> chatTexts_{};
    Button* muteChat_ = nullptr;
    ScrollBar* chatScroll_ = nullptr;
    Image* chatInput_ = nullptr;
    EditBox* chatBox_ = nullptr;
    ChalkQuickSlot* chalkSlot_ = nullptr;
    ItemQuickBar* itemBar_ = nullptr;
    ItemSelectWindow* itemSelect_ = nullptr;
    PurchaseGiftWindow* purchaseGift_ = nullptr;
    Image* sideImage_ = nullptr;
    ShotBetPanel* shotBet_ = nullptr;
    PointRulePanel* pointRule_ = nullptr;
    ScoreBoard* scoreBoard_ = nullptr;
    StartReadyPanel* startReady_ = nullptr;
    PlayerBoard* playerBoard_ = nullptr;
    Button* joinButton_ = nullptr;
    Image* startBalloon_ = nullptr;
    Image* readyBalloon_ = nullptr;
    TextLabel* receiving_ = nullptr;
    ReplayPanel* replayPanel_ = nullptr;
    ScoreTrack* scoreTrack_ = nullptr;
    GroupBoard* groupBoard_ = nullptr;
    MoneyNotice* moneyNotice_ = nullptr;
    HelpWindow* help_ = nullptr;
    RoomMenu* roomMenu_ = nullptr;
    WithdrawQuestion* withdrawQuestion_ = nullptr;
    ResultBoard* resultBoard_ = nullptr;
    ScoreSummaryPopup* scoreSummary_ = nullptr;
    TimeLimitNotice* timeLimit_ = nullptr;
    LevelUpPopup* levelUp_ = nullptr;
    RankingPopup* ranking_ = nullptr;
    InviteWindow* invite_ = nullptr;
    WithdrawPopup* withdraw_ = nullptr;
    WithdrawMenuPopup* withdrawMenu_ = nullptr;
    OpponentRequestPopup* opponentRequest_ = nullptr;
    OpponentRequestAcceptPopup* opponentAnswer_ = nullptr;
    WaitingPopup* waiting_ = nullptr;
    PurchaseDialog* purchase_ = nullptr;
    ReportUserPopup* report_ = nullptr;
    InProgressDialog* inProgress_ = nullptr;
    GoldShortagePopup* goldShortage_ = nullptr;
    GameOptionDialog* gameOption_ = nullptr;
    std::array<FloatingGainText*, kFloatingTexts> floatingTexts_{};
    std::array<TimedLabel*, kTimedLabels> timedLabels_{};
    std::array<TextLabel*, kRoomSeats> seatNames_{};
    Widget* animations_ = nullptr;
    std::array<AnimatedImage*, kTurnAnimations> turnAnimations_{};
    std::array<Button*, 7> topButtons_{};
};

}  // namespace kestrovan
