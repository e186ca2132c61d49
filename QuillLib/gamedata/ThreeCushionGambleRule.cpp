#include "QuillLib/gamedata/ThreeCushionGambleRule.h"

#include "QuillLib/gamedata/TeamState.h"

namespace quill {

bool ThreeCushionGambleRule::EvaluateShot(TeamState* team, int16_t result, int8_t /*firstBall*/,
                                          int8_t /*pocketedCount*/, const uint8_t* /*pocketed*/, int8_t /*lostCount*/,
                                          const uint8_t* /*lost*/) {
    if (result < 4) {
        return false;
    }
    const uint16_t points = result < 1000 ? 1 : 2;
    team->score = static_cast<uint16_t>(team->score + points);
    team->lastPoints = points;
    return true;
}

bool ThreeCushionGambleRule::IsGameOver(TeamState* /*team*/) {
    return false;
}

}  // namespace quill
