#pragma once
// The game of one room: seven teams (team 0 is the pool of players in no playing team, teams 1 to 6
// play), the eight players, the order in which the teams shoot, whose turn it is, and one rule object per
// game type. The room screens fill it from server messages, draw the shooting order, start the game and
// advance the turn.
//
// Player and team changes come from the dispatch thread (server messages) and the main thread: they take the
// model lock, then a team's lock. The turn operations (StartGame, NextTurn, FindPlayerTurn, CompactTurnOrder)
// take no lock; their callers run them on one thread. Team numbers, places and member slots that arrive from the server
// are checked; out-of-range values change nothing.
#include <array>
#include <cstdint>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/gamedata/EightBallAltRule.h"
#include "QuillLib/gamedata/EightBallRule.h"
#include "QuillLib/gamedata/FourBallRule.h"
#include "QuillLib/gamedata/GameRule.h"
#include "QuillLib/gamedata/NineBallRule.h"
#include "QuillLib/gamedata/OneCushionGambleRule.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/SixBallGambleRule.h"
#include "QuillLib/gamedata/SnookerRule.h"
#include "QuillLib/gamedata/StraightPoolRule.h"
#include "QuillLib/gamedata/TeamState.h"
#include "QuillLib/gamedata/ThreeCushionGambleRule.h"
#include "QuillLib/gamedata/ThreeCushionProRule.h"
#include "QuillLib/gamedata/ThreeCushionRule.h"

namespace quill {

class GameModel {
public:
    static constexpr uint8_t kTeamCount = 7;
    static constexpr uint8_t kPlayerCount = 8;
    static constexpr uint8_t kPlayingTeams = 6;
    static constexpr uint8_t kRecordedMembers = 4;
    static constexpr uint8_t kNoSeat = 0xFF;

    GameModel();
    GameModel(const GameModel&) = delete;
    GameModel& operator=(const GameModel&) = delete;

    // Empties every team and restores the turn order 0..6; the players keep their records.
    void Reset();
    // Every player record back to an empty seat: no team, no place and nothing of the seat's last player, so
    // that a room entered after another one starts from what its own server tells.
    void ClearPlayers();

    bool HasRule(GameType type) const;
    void SelectRule(GameType type);
    GameRule* GetCurrentRule() const { return currentRule; }
    GameRule* GetRule(GameType type) const;

    // Adds the player to its own team, or with balance to the first playing team smaller than the largest
    // (else team 1). Returns the team balancing chose, or 0.
    int8_t AddPlayer(PlayerState* player, uint8_t balance, uint32_t append);
    void RemovePlayer(PlayerState* player);
    // Moves the player from its team to the end of another: either completely, with the counts and its team
    // byte following, or (when the other team is full) not at all. A player already among the other team's
    // members stays where it is.
    void MovePlayer(PlayerState* player, uint8_t team);
    // A team leaves the game: its members go to the pool (when more than two teams play and noMove is 0)
    // and its place value is stored for the next drawn order.
    void RetireTeam(uint8_t team, uint8_t keep, int8_t noMove);
    void CountReadyMembers();
    void CountReadyInTeam(PlayerState* player);

    // Whether a game may start: every playing team complete and ready, all of one size, and as many teams
    // as the game type allows. Stores the size and the number of teams.
    bool CanStart();
    // 1 when the only player of the only playing team sits at seat (and no game runs).
    uint8_t IsSoloPlayer(uint8_t seat) const;

    void SetModeOption(uint8_t option, uint8_t secondOption);
    void SetTeamMember(uint8_t place, uint8_t index, PlayerState* player);
    void SetTurnOrder(uint8_t place, uint8_t team);
    PlayerState* GetCurrentPlayer() const;

    void ApplyHandicapFlags();
    void ComputeTargets();
    // Orders the teams for shooting: by a random draw plus the team's target with draw set, by target alone
    // without; the pool and empty teams go last.
    void DrawTurnOrder(uint8_t draw);
    void StartGame();
    // Passes the turn to the next team, and after the last team to every team's next member; the seat of
    // the player to shoot, or 0xFF when that member slot is empty.
    uint8_t NextTurn();
    void FindPlayerTurn(uint8_t seat);
    void CompactTurnOrder(uint8_t teamId);
    void AddPlayerToTurnOrder(PlayerState* player);
    void CountTeamsInPlay();

    CriticalSectionLock& GetLock() { return lock_; }

    uint8_t running = 0;
    uint8_t halveTargets = 0;
    uint8_t currentMember = 0;
    uint8_t currentTeam = 0;  // a place in the turn order
    uint8_t teamCount = kTeamCount;
    uint8_t teamsInPlay = 0;
    uint8_t teamsAtStart = 0;
    uint8_t playersPerTeam = 0;
    uint8_t playersAtStart = 0;
    uint8_t playerCount = 0;
    uint8_t largestTeam = 0;
    GameType gameType = game_type::kNone;
    uint8_t modeOption = 0;
    uint8_t secondOption = 0;
    std::array<uint32_t, 6> gameCounters{};  // cleared at every start
    uint32_t turnValue = 0;                  // cleared at every start and turn change
    std::array<TeamState, kTeamCount> teams;
    std::array<TeamState*, kTeamCount> turnOrder{};
    std::array<std::array<uint32_t, kRecordedMembers>, kPlayingTeams> memberIds{};
    std::array<uint32_t, kTeamCount> placeValues{};
    uint8_t continueDraw = 0;
    std::array<PlayerState, kPlayerCount> players;
    GameRule* currentRule = nullptr;

private:
    // The rating a player brings to its team: its rating for the game type, or in three-cushion
    // international the fixed value of the mode option. Removal subtracts the same value.
    uint16_t PlayerRating(const PlayerState& player) const;
    TeamState* TeamOf(const PlayerState& player);
    void UpdateLargestTeam();
    uint8_t CountTeamsWithMembers() const;
    // Places among the first `places` of the turn order that hold a playing team with members: all of them,
    // or only the leading run.
    uint8_t CountPlacesInPlay(uint8_t places) const;
    uint8_t CountLeadingTeamsInPlay(uint8_t places) const;
    static PlayerState* FirstMember(const TeamState& team);
    bool SortsBefore(const TeamState& a, const TeamState& b) const;
    uint16_t DrawValue(uint8_t team) const;
    void RecordMemberIds();
    void StartTeam(TeamState& team);

    FourBallRule fourBall_;
    OneCushionGambleRule oneCushionGamble_;
    ThreeCushionRule threeCushion_;
    ThreeCushionProRule threeCushionPro_;
    ThreeCushionGambleRule threeCushionGamble_;
    SixBallGambleRule sixBallGamble_;
    EightBallRule eightBall_;
    EightBallAltRule eightBallAlt_;
    NineBallRule nineBall_;
    StraightPoolRule straightPool_;
    SnookerRule snooker_;
    std::array<GameRule*, kGameTypeCount> ruleByType_{};
    CriticalSectionLock lock_;
};

}  // namespace quill
