#include "QuillLib/gamedata/ThreeCushionRule.h"

#include "QuillLib/gamedata/TeamState.h"

namespace quill {
namespace {

constexpr int16_t kThreeCushionCode = 4;
constexpr int16_t kBankCode = 1000;
constexpr int32_t kBankFinish = 1004;

}  // namespace

bool ThreeCushionRule::EvaluateShot(TeamState* team, int16_t result, int8_t /*firstBall*/, int8_t /*pocketedCount*/,
                                    const uint8_t* /*pocketed*/, int8_t /*lostCount*/, const uint8_t* /*lost*/) {
    if (result < kThreeCushionCode) {
        if (result < 0 && team->remaining > 0) {
            Penalise(*team);
        }
        return false;
    }
    if (team->remaining > 0) {
        // A bank shot is worth two points only while two are still to make.
        const int32_t points = (result >= kBankCode && team->remaining >= 20) ? 2 : 1;
        team->lastPoints = static_cast<uint16_t>(points);
        Score(*team, points);
        if (team->remaining == 0) {
            team->state = kBankFinish;
            if (team->bankFinishes == 1) {
                team->finishKind = kBankFinish;
            }
        }
        return true;
    }
    if (team->bankFinishes > 0) {
        if (result < kBankCode) {
            return false;
        }
        team->lastPoints = 2;
        --team->bankFinishes;
    }
    return true;
}

bool ThreeCushionRule::IsGameOver(TeamState* team) {
    if (team->remaining != 0 || team->bankFinishes != 0) {
        return false;
    }
    team->result = 1;
    return true;
}

}  // namespace quill
