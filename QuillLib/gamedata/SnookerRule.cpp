#include "QuillLib/gamedata/SnookerRule.h"

#include <algorithm>

#include "QuillLib/gamedata/TeamState.h"

namespace quill {
namespace {

constexpr int16_t kLowestPlainFoul = -4;  // lower codes carry their own penalty
constexpr int32_t kBrown = 18;
constexpr uint16_t kMinimumPenalty = 4;
constexpr uint32_t kLastRed = 15;
constexpr uint32_t kLastColourBeforeBlack = 20;

}  // namespace

bool SnookerRule::EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount,
                               const uint8_t* pocketed, int8_t /*lostCount*/, const uint8_t* /*lost*/) {
    if (result < 0) {
        JudgeFoul(*team, result, firstBall, pocketedCount);
        return false;
    }
    if (pocketedCount <= 0 || result < kLegalPocketCode) {
        redPhase_ = 1;
        return false;
    }
    if (finalBlack_ != 0) {
        gameOver_ = 1;
    }
    team->remaining += PointsOf(pocketedCount, pocketed);
    redPhase_ = redPhase_ != 0 ? 0 : 1;
    return true;
}

void SnookerRule::JudgeFoul(TeamState& team, int16_t result, int8_t firstBall, int8_t pocketedCount) {
    Penalise(team);
    if (finalBlack_ != 0) {
        gameOver_ = 1;
    }
    redPhase_ = 1;
    if (result >= kLowestPlainFoul) {
        // Hitting the brown or a higher colour first costs its value, anything else the minimum.
        team.penalty =
            firstBall >= kBrown ? static_cast<uint16_t>(firstBall - kSnookerColourValueOffset) : kMinimumPenalty;
    } else {
        team.penalty = static_cast<uint16_t>(pocketedCount);
    }
}

int32_t SnookerRule::PointsOf(int8_t pocketedCount, const uint8_t* pocketed) const {
    if (redPhase_ != 0) {
        return pocketedCount;
    }
    int32_t points = 0;
    for (int8_t i = 0; i < pocketedCount; ++i) {
        if (pocketed[i] >= kSnookerFirstColour) {
            points = std::max(points, static_cast<int32_t>(pocketed[i] - kSnookerColourValueOffset));
        }
    }
    return points;
}

void SnookerRule::OnGameStart(TeamState** teams, int32_t count) {
    PocketRule::OnGameStart(teams, count);
    // The rule object serves game after game: a new frame starts on the reds.
    finalBlack_ = 0;
    gameOver_ = 0;
    redPhase_ = 1;
    ballOn_ = 1;
}

void SnookerRule::FindBallOn(const uint8_t* offTable) {
    finalBlack_ = 0;
    for (uint32_t ball = 1; ball <= kLastRed; ++ball) {
        if (offTable[ball] == 0) {
            ballOn_ = 1;
            return;
        }
    }
    for (uint32_t ball = kSnookerFirstColour; ball <= kLastColourBeforeBlack; ++ball) {
        if (offTable[ball] == 0) {
            ballOn_ = static_cast<uint8_t>(ball);
            return;
        }
    }
    if (offTable[kSnookerBlack] == 0) {
        finalBlack_ = 1;
        ballOn_ = static_cast<uint8_t>(kSnookerBlack);
    } else {
        ballOn_ = 0;
    }
}

void SnookerRule::UpdateBallGroups(uint8_t teamCount, TeamState** teams, int8_t shooter, const uint8_t* offTable,
                                   uint32_t /*pocketedCount*/, const int8_t* /*pocketed*/) {
    FindBallOn(offTable);
    const bool redsLeft = ballOn_ == 1;
    for (uint8_t i = 0; i < teamCount; ++i) {
        if (teams[i] == nullptr) {
            continue;
        }
        if (!redsLeft) {
            teams[i]->ballGroup = ball_group::kAny;
        } else {
            const bool onColour = i == shooter && redPhase_ == 0;
            teams[i]->ballGroup = onColour ? ball_group::kColour : ball_group::kRed;
        }
    }
}

}  // namespace quill
