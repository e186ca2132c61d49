#pragma once
// What the referee observes of one shot while the balls run, and the shot code it makes of it.
//
// Shot codes: the value modulo 1000 is the count, the value divided by 1000 (capped at 3) the bank count.
// Carom games (0 to 5): 1000 x (cushions before the first object ball) + 1 + (cushions before the second)
// once the cue ball reaches both object balls; 0 when it reaches one; -2 when it reaches none (except in
// three-cushion international, where that stays 0). Six balls: 4 + the points of the number of object balls
// the cue ball reached (1: 5, 2: 6, 3: 7, 4: 9, 5: 14) and 15 once all five are marked in the rack. Pocket
// games: 5 for a legal shot that pockets a ball, 0 for a legal shot that pockets none. Fouls are negative:
// -1 a wrong contact (the other white in four-ball, the wrong ball first in the pocket games), -2 a miss,
// -3 the cue ball pocketed or off the table, -4 an object ball off the table.
//
// Shot kinds tell the referee which announcement fits: 1 a pocket shot of two or more balls, 12 the cue
// ball lost, 13 a foul on the four-ball break, 14 the wrong ball first, 15 an object ball off the table
// (announced by the room), 16 the other white touched, 17 a miss.
#include <array>
#include <cstdint>
#include <vector>

#include "QuillLib/gamedata/GameTypes.h"

namespace kestrovan {

namespace shot_kind {
inline constexpr int32_t kPlain = 0;
inline constexpr int32_t kMultiplePocket = 1;
inline constexpr int32_t kCueBallLost = 12;
inline constexpr int32_t kBreakFoul = 13;
inline constexpr int32_t kWrongBallFirst = 14;
inline constexpr int32_t kObjectBallLost = 15;
inline constexpr int32_t kOtherWhite = 16;
inline constexpr int32_t kMiss = 17;
}  // namespace shot_kind

namespace shot_code {
inline constexpr int32_t kWrongContact = -1;
inline constexpr int32_t kMiss = -2;
inline constexpr int32_t kCueBallLost = -3;
inline constexpr int32_t kObjectBallLost = -4;
inline constexpr int32_t kLegalPocket = 5;
inline constexpr int32_t kSixBallsWin = 15;
}  // namespace shot_code

// The facts of the table that the analysis of a shot starts from.
struct ShotFacts {
    quill::GameType gameType = quill::game_type::kNone;
    uint16_t cueBall = 0;
    uint32_t ballCount = 0;
    uint32_t rackShots = 0;     // the rack's shots including this one; below 2: the opening shots
    bool reBreak = false;       // the break is being taken again
    uint8_t ballGroup = 0;      // pocket games: the group of the team at the table
    int32_t lowestBall = -1;    // 9-ball: the lowest object ball on the table at the stroke
    int32_t lowestColour = -1;  // snooker: the lowest colour on the table at the stroke
};

class ShotAnalysis {
public:
    // A new shot; the six-ball marks carry on through the rack.
    void Start(const ShotFacts& setup);
    // A new rack: also forgets the six-ball marks.
    void StartRack();

    // Contacts while the balls run; true when the shot code changed (the referee judges at once).
    bool OnBallContact(uint16_t ball, uint16_t other);
    bool OnCushion(uint16_t ball, uint8_t sideBit);
    void OnPocketed(uint16_t ball);
    void OnLeftTable(uint16_t ball);
    // The cue ball's centre distance to the object ball it still has to reach, sampled while it runs.
    void OnCueBallDistance(float centreDistance, float ballRadius);

    // Classifies the finished shot; offTable[n] is set for every ball no longer on the table.
    void Finish(const std::array<bool, quill::kMaxBalls>& offTable);

    int32_t Code() const { return code_; }
    // The room's server resets the points after a foul: the code the table reports becomes its value.
    void OverrideCode(int32_t code) { code_ = code; }
    int32_t Count() const { return code_ % 1000; }
    int32_t ProgressCode() const { return progressCode_; }
    int32_t Kind() const { return kind_; }
    bool IsFoul() const { return Count() < 0 && code_ != shot_code::kMiss; }
    // A legal shot that pocketed the game ball (the called 8, the 9).
    bool IsSpecial() const { return special_; }
    int32_t FirstBall() const { return firstBall_; }
    // The object ball the cue ball still has to reach in a carom shot, or -1.
    int32_t SecondTarget() const { return stage_ == 1 ? secondTarget_ : -1; }
    // How close the cue ball came to the second object ball: 1 touching, 0 far off.
    float Closeness() const { return closeness_; }
    uint32_t CueCushions() const { return cueCushions_; }
    const std::vector<uint8_t>& Pocketed() const { return pocketed_; }
    const std::vector<uint8_t>& Lost() const { return lost_; }
    bool IsFinished() const { return finished_; }

    // Whether a shot code meets the target code of the rule (six balls: the points still allowed).
    static bool MeetsTarget(int32_t code, int32_t target, quill::GameType gameType);

private:
    bool IsCarom() const;
    bool IsSixBalls() const;
    bool IsPocketGame() const;
    bool CaromContact(uint16_t other);
    bool SixBallContact(uint16_t other);
    void PocketContact(uint16_t other);
    bool CaromCushion(uint8_t sideBit);
    void SetCode(int32_t code, int32_t kind);
    int32_t CaromCode() const;
    void FinishCarom();
    void FinishSixBalls();
    void FinishPocket();
    bool IsWrongFirstBall() const;
    bool LegalPocketTouchesGameBall() const;
    uint16_t OtherWhite() const { return setup_.cueBall == 0 ? 1 : 0; }

    ShotFacts setup_;
    int32_t code_ = 0;
    int32_t progressCode_ = 0;
    int32_t kind_ = shot_kind::kPlain;
    bool special_ = false;
    bool finished_ = false;
    bool cueBallLost_ = false;
    int32_t stage_ = 0;  // carom: 0 no object ball yet, 1 one, 2 both
    int32_t firstBall_ = -1;
    int32_t secondTarget_ = -1;
    uint32_t banks_ = 0;     // cushions before the first object ball
    uint32_t cushions_ = 0;  // cushions before the second object ball
    uint32_t cueCushions_ = 0;
    std::array<uint8_t, 4> railCounts_{};
    float closeness_ = 0.0f;
    uint32_t sixBallHits_ = 0;       // object balls reached in this shot (bits)
    uint32_t sixBallMarks_ = 0;      // object balls reached in this rack (bits)
    std::vector<uint8_t> pocketed_;  // object balls, in the order they dropped
    std::vector<uint8_t> lost_;      // object balls that left the table
};

}  // namespace kestrovan
