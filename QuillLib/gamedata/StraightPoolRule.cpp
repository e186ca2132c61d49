#include "QuillLib/gamedata/StraightPoolRule.h"

#include "QuillLib/gamedata/TeamState.h"

namespace quill {

bool StraightPoolRule::EvaluateShot(TeamState* team, int16_t result, int8_t /*firstBall*/, int8_t pocketedCount,
                                    const uint8_t* /*pocketed*/, int8_t /*lostCount*/, const uint8_t* /*lost*/) {
    if (result < 0) {
        if (team->remaining > 0) {
            Penalise(*team);
        }
        return false;
    }
    if (pocketedCount <= 0 || result < 5) {
        return false;
    }
    Score(*team, pocketedCount);
    team->lastPoints = static_cast<uint16_t>(pocketedCount);
    return true;
}

bool StraightPoolRule::IsGameOver(TeamState* team) {
    if (team->remaining != 0) {
        return false;
    }
    team->result = 1;
    return true;
}

}  // namespace quill
