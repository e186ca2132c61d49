#pragma once
// The practice room's 20-inning challenge as rules alone: the five levels with the player level each needs,
// its reward and its target score per game type; whether a shot succeeds and what it scores by the table's
// shot counter; the innings, points and shots of the inning of a running challenge, and its end at the
// twentieth failed inning. The inning's shots start again at every new inning, so the first-shot rule of
// three-cushion (a failed first shot of an inning costs no inning) holds in every inning.
#include <array>
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"

namespace kestrovan {

class PracticeChallenge {
public:
    static constexpr int32_t kLevels = 5;
    static constexpr int32_t kInnings = 20;

    // One level of the selection window.
    struct Level {
        int32_t requiredPlayerLevel = 0;  // 0: none
        uint32_t reward = 0;
        int32_t target = 0;  // the target score for the game type
        int32_t extra = 0;   // 100 x level (0 for 14.1); kept with the level, shown nowhere
    };

    // What one judged shot did.
    struct Judgement {
        bool success = false;
        int32_t points = 0;
        bool inningAdded = false;
        bool switchCueBall = false;  // a failed carom shot: the other white becomes the cue ball
        bool finished = false;       // the twentieth inning failed: the result goes to the server
    };

    // Whether the game type has a challenge (types 0, 2, 3, 4, 5 and 13).
    static bool HasChallenge(quill::GameType type);
    // Level 1 to 5 for the game type; a zero level for a type without challenge or a level out of range.
    static Level LevelFor(int32_t level, quill::GameType type);
    // Whether a player of playerLevel may try the level: 5 x level - 5 does not exceed it.
    static bool LevelAllowed(int32_t level, int32_t playerLevel);
    // The shot counter a shot must reach to succeed (the referee's target code), 0 for a type without challenge.
    static int32_t TargetCode(quill::GameType type);
    // Whether the shot succeeded, by the table's clamped shot counter.
    static bool ShotSucceeds(quill::GameType type, int32_t counter);
    // The points of a successful shot; rulePoints is what the table's rule object reports (14.1).
    static int32_t ShotPoints(quill::GameType type, int32_t counter, int32_t rulePoints);

    // Why the membership's gold charge is refused, or kAllowed.
    enum class ChargeRefusal : uint8_t { kAllowed, kMembershipOnly, kNoChargesLeft, kTooMuchGold };
    static ChargeRefusal CheckGoldCharge(uint8_t membership, uint8_t chargesLeft, int64_t gold);
    // The gold one charge brings: 20000, or 50000 for membership states above 2.
    static uint32_t ChargeAmount(uint8_t membership);
    // Gold from which the challenge pays nothing: the player only experiences it.
    static constexpr int64_t kExperienceOnlyGold = 3000;

    // A new challenge at the level: inning 1, no points, no shots.
    void Start(quill::GameType type, int32_t level);
    // Ends it without a result.
    void End() { active_ = false; }
    // The balls of a challenge shot stopped: the shot is judged and the challenge moves on.
    Judgement Judge(int32_t counter, int32_t rulePoints);

    bool IsActive() const { return active_; }
    quill::GameType Type() const { return type_; }
    int32_t LevelNumber() const { return level_; }
    int32_t Innings() const { return innings_; }
    int32_t Points() const { return points_; }
    int32_t ShotsOfInning() const { return shotsOfInning_; }
    // Points per inning, 0 before the first.
    float Average() const;

private:
    quill::GameType type_ = 0;
    int32_t level_ = 0;
    int32_t innings_ = 0;
    int32_t points_ = 0;
    int32_t shotsOfInning_ = 0;
    bool active_ = false;
};

}  // namespace kestrovan
