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
// Threads: the dispatch thread runs OnPacket, the game thread Update, OnMessage and OnEvent, the main thread
// Render and the loading. One recursive room lock guards the chat, the seats and the windows' state against
// all of them (Render takes it for the widgets and the HUD); the flags read across threads are atomic. Events
// for the main thread go through the room's own event queue. Turn timers run on Update's millisecond time;
// the table takes the frame clock.
#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/EventQueue.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameModel.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/app/Scene.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/room/RoomChatLog.h"
#include "client/scenes/room/TurnClock.h"

namespace kestrovan {

class AnimatedImage;
class App;
class Button;
class ChalkQuickSlot;
class EditBox;
class FloatingGainText;
class GameClock;
class GameConnection;
class GameOptionDialog;
class GameTable;
class GoldShortagePopup;
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

private:
    // --- Layout (SceneRoomGameLayout.cpp) ---
    void BuildTopBar();
    void BuildEdges();
    void BuildChat();
    void BuildPanels();
    void BuildDialogs();
    void BuildTransients();
    Button* AddTopButton(int32_t control, int32_t rightOffset, int32_t key, int32_t srcX, int32_t srcY,
                         const char16_t* tooltip);
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
    void RunTurnClock(uint32_t nowMs);
    void SendTimeOut();
    void RunGameClock(uint32_t nowMs);
    void ApplyEquipmentReload();
    void DrainEvents();

    // --- Events ---
    void OpenPurchase(uint32_t mode);
    void SendPurchase();
    void ShowItemShop();
    void LeaveRoom();

    App& app_;
    GameConnection& connection_;
    ConnectionRequestSender sender_;
    TableSceneStage stage_;
    mutable quill::CriticalSectionLock lock_;
    quill::EventQueue events_{kEventQueueSize};
    bool built_ = false;
    bool loaded_ = false;

    // Room state.
    quill::RoomInfo room_;
    quill::GameModel model_;
    RoomChatLog chatLog_;
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
    Widget* animations_ = nullptr;
    std::array<AnimatedImage*, kTurnAnimations> turnAnimations_{};
    std::array<Button*, 7> topButtons_{};
};

}  // namespace kestrovan
