#pragma once
// The room's side of a game's start and turns as the server referees them: the start with its teams and
// money, every turn's result (scores, innings, money, whose turn, ball in hand, the 8-ball call), re-racks,
// the 8-ball groups, the point rule, the scores and the game's state on entering, the jackpot. It holds the
// game's counters and boards: the shot bets, the point rule and its track, the tournament's score board, the
// 8-ball groups, the floating gains and the turn animations. The shot road (RoomShotRoad) carries each shot
// between the tables; the game's end and settlement are RoomGameEnd's.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstddef>
#include <cstdint>

#include "client/scenes/room/RoomMessages.h"
#include "client/scenes/room/RoomPart.h"

namespace quill {
class Packet;
class PlayerState;
class TeamState;
}  // namespace quill

namespace kestrovan {

class AnimatedImage;
class FloatingGainText;
class GroupBoard;
class MoneyNotice;
class PacketRouter;
class PointRulePanel;
class RoomChat;
class RoomClocks;
class RoomDialogs;
class RoomEquipment;
class RoomItems;
class RoomSeats;
class RoomShotRoad;
class ScoreBoard;
class ScoreTrack;
class ShotBetPanel;
class Widget;

class RoomGameFlow : private RoomPart {
public:
    static constexpr size_t kFloatingTexts = 3;
    static constexpr size_t kTurnAnimations = 6;

    RoomGameFlow(const Context& room, RoomChat& chat, RoomSeats& seats, RoomDialogs& dialogs, RoomItems& items,
                 RoomEquipment& equipment, RoomClocks& clocks, RoomShotRoad& shotRoad);

    // The screen lays its widgets out in one order; these are the game boards' places in it.
    void BuildScorePanels(Widget& screen);
    void BuildTrack(Widget& screen);
    void BuildFloatingTexts(Widget& screen);
    void BuildTurnAnimations(Widget& screen);

    // A new room: the counters and boards of an earlier visit go.
    void Enter(bool tournament);

    // The routes of the game's start and turns.
    void AddRoutes(PacketRouter& routes);

    // --- The server's messages ---
    void OnGameStart(quill::Packet& packet);
    void OnTurnResult(quill::Packet& packet);
    void OnBreakRerack(quill::Packet& packet);
    void OnBallGroups(quill::Packet& packet, bool eightBall);
    void OnPointRuleUpdate(quill::Packet& packet);
    void OnScoreUpdate(quill::Packet& packet);
    void OnGameStateSync(quill::Packet& packet);
    void OnJackpot(quill::Packet& packet);

    // --- What the room's other handlers need ---
    // The "continue" window of a stake game, the one-hour notice.
    void ReevaluateContinue();
    void FillPointRuleBoard(uint8_t secondMarker);
    void PlayTurnAnimation(size_t animation);
    // The room's state as it arrives on entering.
    void ApplySnapshot(bool running, const PointRuleBytes& rule, uint8_t marker, uint32_t gameValue);
    void AddGameValue(uint32_t value) { gameValue_ += value; }

    const PointRuleBytes& RuleBytes() const { return ruleBytes_; }
    uint16_t Inning() const { return inning_; }
    uint16_t RunCount() const { return runCount_; }

    ShotBetPanel* ShotBet() const { return shotBet_; }
    PointRulePanel* PointRule() const { return pointRule_; }
    ScoreBoard* Score() const { return scoreBoard_; }
    ScoreTrack* Track() const { return scoreTrack_; }
    GroupBoard* Groups() const { return groupBoard_; }
    MoneyNotice* Money() const { return moneyNotice_; }
    Widget* Animations() const { return animations_; }
    AnimatedImage* TurnAnimation(size_t n) const { return turnAnimations_[n]; }

private:
    quill::TeamState* PlayingTeam(uint8_t place);
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

    RoomChat& chat_;
    RoomSeats& seats_;
    RoomDialogs& dialogs_;
    RoomItems& items_;
    RoomEquipment& equipment_;
    RoomClocks& clocks_;
    RoomShotRoad& shotRoad_;
    bool eightBallNotice_ = false;
    PointRuleBytes ruleBytes_;
    uint8_t ruleMarker_ = 0;
    uint16_t inning_ = 0;
    uint16_t runCount_ = 0;
    uint32_t gameValue_ = 0;

    // Widgets, owned by the tree.
    ShotBetPanel* shotBet_ = nullptr;
    PointRulePanel* pointRule_ = nullptr;
    ScoreBoard* scoreBoard_ = nullptr;
    ScoreTrack* scoreTrack_ = nullptr;
    GroupBoard* groupBoard_ = nullptr;
    MoneyNotice* moneyNotice_ = nullptr;
    std::array<FloatingGainText*, kFloatingTexts> floatingTexts_{};
    Widget* animations_ = nullptr;
    std::array<AnimatedImage*, kTurnAnimations> turnAnimations_{};
};

}  // namespace kestrovan
