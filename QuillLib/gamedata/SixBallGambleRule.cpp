#include "QuillLib/gamedata/SixBallGambleRule.h"

#include "QuillLib/gamedata/TeamState.h"

namespace quill {
namespace {

constexpr int16_t kWinningCode = 15;

int32_t PointsOfCode(int16_t code) {
    switch (code) {
        case 6:
            return 2;
        case 7:
            return 3;
        case 9:
            return 5;
        case 14:
            return 10;
        default:
            return 0;
    }
}

// The progress code the room shows: the points left above the floor, offset by 4.
int32_t ProgressState(const TeamState& team) {
    return team.remaining / 10 - team.floor + 4;
}

}  // namespace

bool SixBallGambleRule::EvaluateShot(TeamState* team, int16_t result, int8_t /*firstBall*/, int8_t /*pocketedCount*/,
                                     const uint8_t* /*pocketed*/, int8_t /*lostCount*/, const uint8_t* /*lost*/) {
    if (result < 0) {
        team->remaining = team->ratingSum;
        team->state = ProgressState(*team);
        return false;
    }
    if (result <= 5) {
        return false;
    }
    const int32_t points = PointsOfCode(result);
    team->lastPoints = 1;
    if (result == kWinningCode) {
        team->result = 1;
        return true;
    }
    const int32_t aboveFloor = team->remaining - 10 * team->floor;
    if (10 * points > aboveFloor) {
        team->result = 2;
        return false;
    }
    Score(*team, points);
    if (team->remaining - 10 * team->floor == 10) {
        team->result = 2;
        return false;
    }
    team->state = ProgressState(*team);
    return true;
}

bool SixBallGambleRule::IsGameOver(TeamState* team) {
    if (team->remaining == 10 * team->floor) {
        team->result = 1;
        return true;
    }
    return team->result != 0;
}

}  // namespace quill
