#pragma once
// A rule judges one finished shot of the shooting team under the rules of one game type, and keeps the few
// facts of the rack that the judgement needs. Rules hold no lock: they are used under the game model's.
//
// Shot result codes (signed): negative codes are fouls (-1 to -4; snooker also uses lower codes that carry
// their own penalty), 0 a shot without score, 1 and above score. In carom games a shot that reaches both
// object balls has the code 1000 x (cushions before the first object ball) + 1 + (cushions before the
// second). A legal pocket shot has the code 5. Points are counted in tenths.
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"

namespace quill {

class TeamState;

class GameRule {
public:
    GameRule() = default;
    virtual ~GameRule() = default;
    GameRule(const GameRule&) = delete;
    GameRule& operator=(const GameRule&) = delete;

    // Judges the shot of team; true when the team keeps the table. pocketed lists the balls the shot
    // pocketed, lost the balls that left the table, firstBall is the first object ball hit.
    virtual bool EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount,
                              const uint8_t* pocketed, int8_t lostCount, const uint8_t* lost) = 0;
    virtual void OnGameStart(TeamState** teams, int32_t count);
    virtual bool IsGameOver(TeamState* team) = 0;
    // The state every team starts with (carom games) and the ball group (pocket games).
    virtual int32_t GetStartState() const { return 0; }
    virtual int8_t GetStartGroup() const { return -1; }

    // Clears the rack's shot count, sets every team's start state and runs the start hook.
    void StartGame(TeamState** teams, int32_t count);

    int8_t GetBallGroup() const { return ballGroup_; }
    void SetBallGroup(uint8_t group) { ballGroup_ = static_cast<int8_t>(group); }
    GameType GetGameType() const { return gameType_; }
    uint16_t GetShotCount() const { return shotCount_; }
    void SetShotCount(uint16_t count) { shotCount_ = count; }
    int16_t GetTargetCode() const { return targetCode_; }
    void SetTargetCode(int16_t code) { targetCode_ = code; }
    uint32_t GetExtraCount() const { return extraCount_; }
    void SetExtraCount(uint32_t count) { extraCount_ = count; }

protected:
    explicit GameRule(GameType type) : gameType_(type) {}

    // True while the rack's opening shots are being played.
    bool IsBreak() const { return shotCount_ < 2; }
    // Takes k points off what the team still has to make, not below 0.
    static void Score(TeamState& team, int32_t points);
    // Adds one point to what the team has to make, not above twice its target (a value already above the
    // cap stays).
    static void Penalise(TeamState& team);
    // The shooter's rating for this rule's game type (0 when the team has no member at the table).
    uint16_t ShooterRating(const TeamState& team) const;

    int8_t ballGroup_ = -1;  // the ball group of the team at the table
    GameType gameType_ = game_type::kNone;
    uint16_t shotCount_ = 0;
    int16_t targetCode_ = 1;  // read by the referee
    uint32_t extraCount_ = 0;
};

}  // namespace quill
