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
// The screen owns the room's state (RoomState: the room's record, its game model and seats, whether a game
// runs), the table's stage and one part per concern, each a class with its own state and the operations on
// it: the top bar (RoomTopBar), the chat (RoomChat), the local player's items and purchases (RoomItems), the
// windows over the table (RoomDialogs), the table and ball-set items (RoomEquipment), the turn and game clocks
// (RoomClocks), the game's start and turns (RoomGameFlow), the shot road (RoomShotRoad), the game's end and
// settlement (RoomGameEnd) and the seats and players (RoomSeats). It hands each part the room's state and the
// stage (RoomPart) and the sibling parts it works with. The screen lays the parts' widgets out in one
// order, hands every server message to the handler of its id among the routes each part adds, and keeps the
// title-bar buttons and the room's notices that are only a line or a box.
//
// Threads: the entries run as client/app/Scene.h says, each under the widget-tree lock, which guards the
// room's state and its parts (the entries check that it is held); the flags that tests read from another
// thread are atomic. Events for the main thread go through the room's own event queue. Turn timers run on
// Update's millisecond time; the table takes the frame clock.
#include <array>
#include <atomic>
#include <cstdint>
#include <deque>

#include "QuillLib/core/EventQueue.h"
#include "QuillLib/core/WString.h"
#include "client/app/Scene.h"
#include "client/app/SoundIds.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/PacketRouter.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/common/TitleBarButtons.h"
#include "client/scenes/room/RoomChat.h"
#include "client/scenes/room/RoomChatLog.h"
#include "client/scenes/room/RoomClocks.h"
#include "client/scenes/room/RoomColours.h"
#include "client/scenes/room/RoomDialogs.h"
#include "client/scenes/room/RoomEquipment.h"
#include "client/scenes/room/RoomGameEnd.h"
#include "client/scenes/room/RoomGameFlow.h"
#include "client/scenes/room/RoomItems.h"
#include "client/scenes/room/RoomMessages.h"
#include "client/scenes/room/RoomPart.h"
#include "client/scenes/room/RoomSeats.h"
#include "client/scenes/room/RoomShotRoad.h"
#include "client/scenes/room/RoomState.h"
#include "client/scenes/room/RoomTopBar.h"
#include "client/scenes/room/TurnClock.h"

namespace quill {
class CriticalSectionLock;
}

namespace kestrovan {

class AnimatedImage;
class CueModelEntry;
class Button;
class ChalkQuickSlot;
class EditBox;
class GameClock;
class GameConnection;
class GameTable;
class GroupBoard;
class HelpWindow;
class Image;
class InviteWindow;
class ItemQuickBar;
class ItemSelectWindow;
class MoneyNotice;
class NumberDisplay;
class OpponentRequestPopup;
class PlayerBoard;
class PointRulePanel;
class PurchaseDialog;
class PurchaseGiftWindow;
class ReplayPanel;
class ResultBoard;
class RoomMenu;
class ScoreBoard;
class ScoreTrack;
class ScreenServices;
class ScrollBar;
class ShotBetPanel;
class StartReadyPanel;
class TextLabel;
class TimeLimitNotice;
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
    static constexpr size_t kChatLines = RoomChat::kLines;
    static constexpr size_t kTurnAnimations = RoomGameFlow::kTurnAnimations;
    static constexpr size_t kFloatingTexts = RoomGameFlow::kFloatingTexts;
    static constexpr size_t kTimedLabels = 8;
    static constexpr size_t kReceivedLines = RoomChat::kReceivedLines;
    static constexpr uint32_t kEventQueueSize = 1024;
    // The room's own queue: the render thread lets the table's held keys go.
    static constexpr uint32_t kReleaseKeysEvent = 1058;
    static constexpr uint32_t kTipColour = 0xFFFF00FF;
    static constexpr uint32_t kInfoColour = 0xFFFFFFFF;
    static constexpr uint32_t kCountdownSound = 34;
    static constexpr uint32_t kTournamentGameMs = 900000;
    static constexpr int16_t kTournamentChannel = 8;
    static constexpr uint16_t kHelpExperience = 300;
    static constexpr uint32_t kFirstWarningVoice = 94;
    // Chat line colours by kind.
    static constexpr uint32_t kLightBlue = room_colour::kLightBlue;
    static constexpr uint32_t kMagenta = room_colour::kMagenta;
    static constexpr uint32_t kConsumedColour = room_colour::kConsumedColour;
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

    explicit SceneRoomGame(ScreenServices& app);
    ~SceneRoomGame() override;

    // --- Scene slots ---
    void Init() override;
    int LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) override;
    void Activate() override;
    void Render(D3D9RenderDevice* device, bool draw) override;
    int OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) override;
    bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) override;
    void Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) override;
    void TakeMotionBeforeRelease(int64_t clockTenthMs, const MouseMotion& motion) override;
    void TickWidgets(uint32_t timeMs) override;
    int OnPacket(quill::MessageId id, quill::Packet& packet) override;
    // The table's game mode, which the profile window shows first.
    int32_t ProfileGameMode() const override { return state_.Room().gameType; }
    void OnResize(uint32_t width, uint32_t height) override;
    void OnActivate(bool active) override;
    // Once per main-loop pass: the table's key poll.
    bool Poll() override;
    void OnSettingsChanged(const Settings& settings) override;
    void AddChatLine(quill::WStringView text, uint32_t colour) override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    // --- What the parts ask of the screen ---
    static void PlaySound(uint32_t id);
    static void QueueAnnouncement(uint32_t id);
    // The render thread lets the table's held keys go.
    void QueueKeyRelease() { events_.Post(kReleaseKeysEvent, 0, 0, 0); }
    // The leave button, off while the server has a leave request to answer.
    void EnableLeaving(bool enabled);

    // --- What tests drive and read ---
    // The shooter's turn begins now: the turn clock runs from now, warning and time-out due again.
    void BeginTurn(int8_t shooterSeat, uint32_t nowMs);
    void SetGameRunning(bool running) { state_.SetRunning(running); }
    bool IsGameRunning() const { return state_.IsRunning(); }
    void SetShotInFlight(bool inFlight) { state_.SetShotInFlight(inFlight); }
    // The game is over for the room: the master holds the table, the panels wait for a new game.
    void ReturnToWaiting() { end_.ReturnToWaiting(); }
    bool IsLocalTurn() const { return state_.IsLocalTurn(); }
    // A chat line from the local player; false only when it is refused as spam.
    bool SendChat(quill::WStringView text, bool rejectSpam);
    void SetLocalSeat(int8_t seat) { state_.SetLocalSeat(seat); }
    int8_t LocalSeat() const { return state_.LocalSeat(); }
    int8_t MasterSeat() const { return state_.MasterSeat(); }
    // The room master's seat; the master sends the time-out of a shooter who dropped.
    void SetMasterSeat(int8_t seat) { state_.SetMasterSeat(seat); }
    // A seat's player dropped from (or came back to) the game.
    void MarkDropped(int8_t seat, bool dropped) { state_.MarkDropped(seat, dropped); }
    RoomItems& Items() { return items_; }
    GameTable* Table() const { return stage_.Table(); }
    const quill::RoomInfo& Room() const { return state_.Room(); }
    quill::GameModel& Model() { return state_.Model(); }
    const TurnClock& Clock() const { return clocks_.Turn(); }
    RoomChatLog ChatLog() const;
    std::deque<quill::WString> ReceivedLines() const;
    int8_t ShooterSeat() const;
    // The widget-tree lock, under which every handler of the room runs, for readers on another thread (tests)
    // of what the handlers change: the game model, the windows, the table's flags.
    quill::CriticalSectionLock& RoomLock() const;
    bool IsShotInFlight() const { return state_.IsShotInFlight(); }
    bool IsTableStatePending() const { return shotRoad_.IsTableStatePending(); }
    bool IsReloadPending() const { return equipment_.IsReloadPending(); }
    uint16_t TableItem() const { return equipment_.TableItem(); }
    uint16_t BallSetItem() const { return equipment_.BallSetItem(); }
    uint16_t Inning() const;
    const PointRuleBytes& RuleBytes() const { return flow_.RuleBytes(); }
    bool IsObserving() const { return state_.IsObserving(); }
    CueModelEntry* SeatCue(size_t seat) const { return seats_.SeatCue(seat); }
    uint32_t EventsPending() const { return events_.Count(); }
    bool HelpShownOnEntry() const { return dialogs_.HelpShownOnEntry(); }

    Image* TopBar() const { return topBar_.Bar(); }
    TextLabel* RoomTitle() const { return topBar_.Title(); }
    TextLabel* StakeLabel() const { return topBar_.Stake(); }
    TextLabel* LevelLabel() const { return topBar_.Level(); }
    TextLabel* HalfGameLabel() const { return topBar_.HalfGame(); }
    Widget* ChatArea() const { return chat_.Area(); }
    Image* ChatLine(size_t n) const { return chat_.Line(n); }
    TextLabel* ChatText(size_t n) const { return chat_.Text(n); }
    ScrollBar* ChatScroll() const { return chat_.Scroll(); }
    Image* ChatInput() const { return chat_.Input(); }
    EditBox* ChatBox() const { return chat_.Box(); }
    ChalkQuickSlot* ChalkSlot() const { return items_.ChalkSlot(); }
    ItemQuickBar* ItemBar() const { return items_.ItemBar(); }
    ItemSelectWindow* ItemSelect() const { return items_.ItemSelect(); }
    PurchaseGiftWindow* PurchaseGift() const { return items_.PurchaseGift(); }
    Button* TopButton(int32_t control) const;
    StartReadyPanel* StartReady() const { return seats_.StartReady(); }
    PlayerBoard* Board() const { return seats_.Board(); }
    ShotBetPanel* ShotBet() const { return flow_.ShotBet(); }
    PointRulePanel* PointRule() const { return flow_.PointRule(); }
    ScoreBoard* Score() const { return flow_.Score(); }
    ScoreTrack* Track() const { return flow_.Track(); }
    GroupBoard* Groups() const { return flow_.Groups(); }
    MoneyNotice* Money() const { return flow_.Money(); }
    ReplayPanel* Replay() const { return dialogs_.Replay(); }
    InviteWindow* Invite() const { return dialogs_.Invite(); }
    RoomMenu* Menu() const { return dialogs_.Menu(); }
    ResultBoard* Results() const { return dialogs_.Results(); }
    HelpWindow* Help() const { return dialogs_.Help(); }
    PurchaseDialog* Purchase() const { return items_.Purchase(); }
    Button* JoinButton() const { return seats_.JoinButton(); }
    Image* StartBalloon() const { return seats_.StartBalloon(); }
    Image* ReadyBalloon() const { return seats_.ReadyBalloon(); }
    AnimatedImage* TurnAnimation(size_t n) const { return flow_.TurnAnimation(n); }
    Widget* Animations() const { return flow_.Animations(); }
    WithdrawPopup* WithdrawConfirmWindow() const { return dialogs_.WithdrawConfirmWindow(); }
    OpponentRequestPopup* OpponentRequestWindow() const { return dialogs_.OpponentRequestWindow(); }
    WithdrawQuestion* TurnsExceededQuestion() const { return dialogs_.TurnsExceededQuestion(); }
    // The new-message window (the wide button 15): who asked to be a friend while the room was up.
    Button* NewMessageWindow() const { return dialogs_.NewMessageWindow(); }
    // The "continue" window: the one-hour notice of a stake game.
    TimeLimitNotice* ContinueWindow() const { return dialogs_.ContinueWindow(); }

private:
    // --- Layout (SceneRoomGameLayout.cpp) ---
    void BuildEdges();
    void BuildPanels();
    void BuildDialogs();
    void BuildTransients();
    void AddTopButton(TitleBarButtons::Role role, int32_t control);

    // --- Life ---
    RoomPart::Context PartContext();
    quill::PlayerState& Player() const;
    void LoadSounds();
    // The seat records and the game flags back to an empty room.
    void ResetSeats();
    void WriteEntryLines();
    void ShowLevelRange();
    void ShowStake();
    void HideGameWindows();
    void BlinkNewMessageIcon(uint32_t nowMs);
    void DrainEvents();

    // --- The packet slot's notices (SceneRoomGamePackets.cpp) ---
    void AddRoutes();
    void OnRoomError(quill::Packet& packet);
    void OnRoomClosed();
    void OnExitNotAllowed();
    void OnSystemNotice(quill::Packet& packet);
    void OnChatBanNotice(quill::Packet& packet);
    void OnChatBannedForAnHour();
    void OnChatBanByName(quill::Packet& packet);
    void OnReportNotice(quill::Packet& packet);
    void OnRaceTournamentNotice(quill::Packet& packet);
    void OnRoomBanResult(quill::Packet& packet);
    void OnPrizeNotice(quill::Packet& packet);
    void OnRoomSnapshot(quill::Packet& packet);
    void OnRoomOptions(quill::Packet& packet);
    void OnChatBanned(quill::Packet& packet);
    void OnUnbanResult(quill::Packet& packet);
    void OnMoneyLimit(quill::Packet& packet);

    // --- Keys, events and chat (SceneRoomGameEvents.cpp) ---
    bool OnWindowMessage(uint32_t id, uint64_t wParam);
    void OnAppEvent(uint32_t id, uint64_t wParam, int64_t lParam);
    bool OnChatBoxEvent(int32_t a);
    void SendParticipation();

    // --- Events ---
    void LeaveRoom();

    ScreenServices& app_;
    GameConnection& connection_;
    ConnectionRequestSender sender_;
    AwaitedRequest awaited_;
    TableSceneStage stage_;
    TitleBarButtons titleBarButtons_;
    PacketRouter routes_;
    quill::EventQueue events_{kEventQueueSize};
    RoomState state_;
    RoomTopBar topBar_;
    RoomChat chat_;
    RoomItems items_;
    RoomDialogs dialogs_;
    RoomEquipment equipment_;
    RoomClocks clocks_;
    RoomShotRoad shotRoad_;
    RoomGameFlow flow_;
    RoomGameEnd end_;
    RoomSeats seats_;
    bool built_ = false;
    bool loaded_ = false;

    // Widgets, owned by the tree.
    std::array<Button*, 7> topButtons_{};
};

}  // namespace kestrovan
