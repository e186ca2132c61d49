#include "QuillLib/gamedata/ThreeCushionProRule.h"

#include "QuillLib/gamedata/TeamState.h"

namespace quill {

bool ThreeCushionProRule::EvaluateShot(TeamState* team, int16_t result, int8_t /*firstBall*/, int8_t /*pocketedCount*/,
                                       const uint8_t* /*pocketed*/, int8_t /*lostCount*/, const uint8_t* /*lost*/) {
    if (result < 4) {
        return false;
    }
    team->lastPoints = 1;
    Score(*team, 1);
    return true;
}

bool ThreeCushionProRule::IsGameOver(TeamState* team) {
    if (team->remaining != 0) {
        return false;
    }
    team->result = 1;
    return true;
}

}  // namespace quill
