#include "QuillLib/gamedata/FourBallRule.h"

#include "QuillLib/gamedata/TeamState.h"

namespace quill {
namespace {

constexpr int16_t kThreeCushionCode = 4;
constexpr int16_t kBankCode = 1004;
constexpr int32_t kFinishThreeCushion = 4;
constexpr int32_t kFinishBank = 1004;
// Below these ratings a foul is not punished: on the break, and otherwise.
constexpr uint16_t kBreakFoulRating = 100;
constexpr uint16_t kFoulRating = 50;
constexpr int16_t kCueBallFoul = -3;

// The team has no three-cushion finish owed any more: a bank finish, if owed, comes next.
bool FinishCheck(TeamState& team) {
    if (team.bankFinishes == 0) {
        team.finishKind = kFinishThreeCushion;
    }
    return true;
}

}  // namespace

bool FourBallRule::EvaluateShot(TeamState* team, int16_t result, int8_t /*firstBall*/, int8_t /*pocketedCount*/,
                                const uint8_t* /*pocketed*/, int8_t /*lostCount*/, const uint8_t* /*lost*/) {
    if (result >= 1) {
        return ScoreCarom(*team, result);
    }
    if (result < 0) {
        JudgeFoul(*team, result);
    }
    return false;
}

bool FourBallRule::ScoreCarom(TeamState& team, int16_t result) {
    if (team.remaining != 0) {
        Score(team, 1);
        team.lastPoints = 1;
        if (team.remaining > 0 || team.threeCushionFinishes == 0) {
            return true;
        }
        team.state = kFinishThreeCushion;
        return FinishCheck(team);
    }
    if (team.threeCushionFinishes > 0) {
        if (result < kThreeCushionCode) {
            return false;
        }
        --team.threeCushionFinishes;
        team.lastPoints = 2;
        if (team.threeCushionFinishes == 0 && team.bankFinishes > 0) {
            team.state = kFinishBank;
            team.finishKind = kFinishBank;
            return true;
        }
        return FinishCheck(team);
    }
    if (team.bankFinishes > 0) {
        if (result < kBankCode) {
            return false;
        }
        --team.bankFinishes;
        team.lastPoints = 4;
    }
    return true;
}

void FourBallRule::JudgeFoul(TeamState& team, int16_t result) {
    if (team.remaining <= 0) {
        return;
    }
    const uint16_t rating = ShooterRating(team);
    if (IsBreak() && rating < kBreakFoulRating) {
        if (result != kCueBallFoul) {
            team.flag = 1;
        }
        return;
    }
    if (rating < kFoulRating) {
        return;
    }
    Penalise(team);
}

bool FourBallRule::IsGameOver(TeamState* team) {
    if (team->remaining != 0 || team->threeCushionFinishes != 0 || team->bankFinishes != 0) {
        return false;
    }
    team->result = 1;
    return true;
}

}  // namespace quill
