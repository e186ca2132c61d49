#include "QuillLib/gamedata/NineBallRule.h"

#include <algorithm>

#include "QuillLib/gamedata/TeamState.h"

namespace quill {
namespace {

constexpr uint8_t kNineBall = 9;

}  // namespace

bool NineBallRule::EvaluateShot(TeamState* team, int16_t result, int8_t /*firstBall*/, int8_t pocketedCount,
                                const uint8_t* pocketed, int8_t /*lostCount*/, const uint8_t* /*lost*/) {
    if (pocketedCount <= 0) {
        return false;
    }
    const bool ninePocketed = std::find(pocketed, pocketed + pocketedCount, kNineBall) != pocketed + pocketedCount;
    if (ninePocketed && result == kLegalPocketCode) {
        team->score = static_cast<uint16_t>(team->score + 3);
        team->lastPoints = 1;
        team->remaining = 1;
        team->result = 1;
        return false;
    }
    if (result < 1) {
        return false;
    }
    team->score = static_cast<uint16_t>(team->score + pocketedCount);
    team->lastPoints = static_cast<uint16_t>(pocketedCount);
    return true;
}

bool NineBallRule::IsGameOver(TeamState* team) {
    return team->result != 0;
}

}  // namespace quill
