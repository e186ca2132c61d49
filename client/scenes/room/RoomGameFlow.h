#pragma once
// The room's side of a game as the server referees it, and the shot road: the start with its teams and
// money, every turn's result (scores, innings, money, whose turn, ball in hand, the 8-ball call), re-racks,
// the 8-ball groups, the point rule, the end and the settlement with their results; the local aim relayed to
// the others, the local shot sent and every relayed shot run on this table, the outcome reported when the
// balls stop with the table state the server asked for (answered exactly once), ball placements and the
// called pocket. It holds whether a game runs and a shot is in flight, the game's counters, and the game's
// boards: the shot bets, the point rule and its track, the tournament's score board, the 8-ball groups, the
// floating gains and the turn animations.
//
// Threads: the dispatch thread (the server's messages), the game thread (the update relays the aim) and the
// main thread (the table's shot events, entering), each through an entry point of SceneRoomGame that holds the
// widget-tree lock and the room lock; the flags read across threads are atomic. The part takes no lock of its
// own.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "client/scenes/room/RoomMessages.h"

namespace quill {
class Packet;
class PlayerState;
class TeamState;
}  // namespace quill

namespace kestrovan {

class AnimatedImage;
class ConnectionRequestSender;
class FloatingGainText;
class GameConnection;
class GroupBoard;
class MoneyNotice;
class PacketRouter;
class PointRulePanel;
class RoomChat;
class RoomClocks;
struct RoomContext;
class RoomDialogs;
class RoomEquipment;
class RoomItems;
class RoomSeats;
class RoomState;
class SceneRoomGame;
class ScoreBoard;
class ScoreTrack;
class ScreenServices;
class ShotBetPanel;
class TableSceneStage;
class TextLabel;
class Widget;

class RoomGameFlow {
public:
    static constexpr size_t kFloatingTexts = 3;
    static constexpr size_t kTurnAnimations = 6;

    RoomGameFlow(const RoomContext& room, RoomChat& chat, RoomSeats& seats, RoomDialogs& dialogs, RoomItems& items,
                 RoomEquipment& equipment, RoomClocks& clocks);

    // The screen lays its widgets out in one order; these are the game boards' places in it.
    void BuildScorePanels(Widget& screen);
    void BuildReceivingLabel(Widget& screen);
    void BuildTrack(Widget& screen);
    void BuildFloatingTexts(Widget& screen);
    void BuildTurnAnimations(Widget& screen);

    // A new room: the counters and boards of an earlier visit go.
    void Enter(bool tournament);
    // No table state owed.
    void ResetTurnState();

    // The routes of the game's messages and the shot road's.
    void AddRoutes(PacketRouter& routes);

    // --- The server's messages ---
    void OnGameStart(quill::Packet& packet);
    void OnTurnResult(quill::Packet& packet);
    void OnBreakRerack(quill::Packet& packet);
    void OnBallGroups(quill::Packet& packet, bool eightBall);
    void OnPointRuleUpdate(quill::Packet& packet);
    void OnScoreUpdate(quill::Packet& packet);
    void OnGameEnd(quill::Packet& packet);
    void OnGameSettlement(quill::Packet& packet);
    void OnPlayerAllIn(quill::Packet& packet);
    void OnGameStateSync(quill::Packet& packet);
    void OnRoomTimer(quill::Packet& packet);
    void OnJackpot(quill::Packet& packet);
    void OnRelayedAim(quill::Packet& packet);
    void OnRelayedShot(quill::Packet& packet);
    void OnBallPlacementRelay(quill::Packet& packet);
    void OnTableStateRequest();
    void OnTableStateSync(quill::Packet& packet);
    void OnTablePlacement(quill::Packet& packet);
    void OnPocketCallRelay(quill::Packet& packet);
    void OnTableSignal(quill::Packet& packet);

    // --- The table's events and the update ---
    // Every 10th update while the local player holds the table: the aim goes out when it changed, at most
    // once per 1001 ms.
    void RelayAim(uint32_t nowMs);
    void OnShotFired();
    // The balls stopped: the shooter reports the outcome, with the table state the server asked for meanwhile.
    void OnBallsStopped();
    void SendBallPlacement(uint32_t ball);

    // --- What the room's other handlers need ---
    // The game is over for the room: the master holds the table, the panels wait for a new game.
    void ReturnToWaiting();
    // The room master holds the table between games; everybody else watches.
    void GiveTableToMaster(float seconds);
    // The local player takes or loses the table: the local-turn byte, 'Z' let go, and control.
    void TakeTable(bool take);
    // The "continue" window of a stake game, the one-hour notice.
    void ReevaluateContinue();
    void FillPointRuleBoard(uint8_t secondMarker);
    void PlayTurnAnimation(size_t animation);
    // The room's state as it arrives on entering.
    void ApplySnapshot(bool running, const PointRuleBytes& rule, uint8_t marker, uint32_t gameValue);
    void AddGameValue(uint32_t value) { gameValue_ += value; }

    bool IsTableStatePending() const { return tableStatePending_; }
    const PointRuleBytes& RuleBytes() const { return ruleBytes_; }
    uint16_t Inning() const { return inning_; }
    uint16_t RunCount() const { return runCount_; }
    uint32_t GameValue() const { return gameValue_; }
    uint32_t ShotCount() const { return shotCount_; }

    ShotBetPanel* ShotBet() const { return shotBet_; }
    PointRulePanel* PointRule() const { return pointRule_; }
    ScoreBoard* Score() const { return scoreBoard_; }
    ScoreTrack* Track() const { return scoreTrack_; }
    GroupBoard* Groups() const { return groupBoard_; }
    MoneyNotice* Money() const { return moneyNotice_; }
    TextLabel* Receiving() const { return receiving_; }
    Widget* Animations() const { return animations_; }
    AnimatedImage* TurnAnimation(size_t n) const { return turnAnimations_[n]; }

private:
    quill::TeamState* PlayingTeam(uint8_t place);
    void QueueAnnouncement(uint32_t id);
    void TakeStartMoney(const GameStartMessage& start);
    void SetUpTableForStart(const GameStartMessage& start);
    void SeatStartTeams(const GameStartMessage& start);
    // The player into the team at member slot index, as the server orders the team's members.
    void PlaceMember(uint8_t teamId, uint8_t index, quill::PlayerState& player);
    void ApplyTurnGame(const TurnResultMessage& turn);
    void AnnounceKeptTurn(const TurnResultMessage& turn);
    void GiveBallInHand(uint8_t kind);
    void PassTurnTable(const TurnResultMessage& turn);
    void FinishTurn(const TurnResultMessage& turn);
    void FillGroupBoard();
    void AfterGameSeating();
    void SendTableState();
    // TableState: the table's ball state (a message of its own, or appended to the packet's last), then the
    // room's table and ball-set items.
    void WriteTableState(quill::Packet& packet, bool append);

    SceneRoomGame& screen_;
    ScreenServices& app_;
    GameConnection& connection_;
    ConnectionRequestSender& sender_;
    RoomState& state_;
    TableSceneStage& stage_;
    RoomChat& chat_;
    RoomSeats& seats_;
    RoomDialogs& dialogs_;
    RoomItems& items_;
    RoomEquipment& equipment_;
    RoomClocks& clocks_;
    std::atomic<bool> tableStatePending_{false};
    std::atomic<bool> eightBallNotice_{false};
    std::atomic<bool> shotMade_{false};
    PointRuleBytes ruleBytes_;
    uint8_t ruleMarker_ = 0;
    uint16_t inning_ = 0;
    uint16_t runCount_ = 0;
    uint32_t gameValue_ = 0;
    uint32_t shotCount_ = 0;

    // Widgets, owned by the tree.
    ShotBetPanel* shotBet_ = nullptr;
    PointRulePanel* pointRule_ = nullptr;
    ScoreBoard* scoreBoard_ = nullptr;
    TextLabel* receiving_ = nullptr;
    ScoreTrack* scoreTrack_ = nullptr;
    GroupBoard* groupBoard_ = nullptr;
    MoneyNotice* moneyNotice_ = nullptr;
    std::array<FloatingGainText*, kFloatingTexts> floatingTexts_{};
    Widget* animations_ = nullptr;
    std::array<AnimatedImage*, kTurnAnimations> turnAnimations_{};
};

}  // namespace kestrovan
