#include "QuillLib/gamedata/EightBallRule.h"

#include <algorithm>

#include "QuillLib/gamedata/TeamState.h"

namespace quill {
namespace {

constexpr uint8_t kEightBall = 8;
constexpr int16_t kBreakFoulCode = -4;
constexpr uint32_t kRestartedBreakFlag = 3;
constexpr int32_t kGroupSize = 7;

uint8_t OppositeGroup(uint32_t group) {
    if (group == ball_group::kLow) {
        return ball_group::kHigh;
    }
    return group == ball_group::kHigh ? ball_group::kLow : ball_group::kNone;
}

bool Contains(const uint8_t* balls, int8_t count, uint8_t ball) {
    return count > 0 && std::find(balls, balls + count, ball) != balls + count;
}

int32_t CountOnTable(const uint8_t* offTable, uint32_t first, uint32_t last) {
    int32_t count = 0;
    for (uint32_t ball = first; ball <= last; ++ball) {
        if (offTable[ball] == 0) {
            ++count;
        }
    }
    return count;
}

}  // namespace

bool EightBallRule::EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount,
                                 const uint8_t* pocketed, int8_t lostCount, const uint8_t* lost) {
    // An 8 that leaves the table loses the game at any time.
    if (Contains(lost, lostCount, kEightBall)) {
        team->result = 2;
        return false;
    }
    if (IsBreak()) {
        return EvaluateBreak(*team, result, pocketedCount, pocketed);
    }
    if (pocketedCount <= 0) {
        return false;
    }
    return EvaluatePocketed(*team, result, firstBall, pocketedCount, pocketed);
}

bool EightBallRule::EvaluateBreak(TeamState& team, int16_t result, int8_t pocketedCount, const uint8_t* pocketed) {
    if (result == kBreakFoulCode || pocketedCount <= 0) {
        return false;
    }
    if (Contains(pocketed, pocketedCount, kEightBall)) {
        // The 8 on the break is not a loss: the break is taken again.
        team.flag = kRestartedBreakFlag;
        shotCount_ = 0;
        return false;
    }
    AddScore(team, static_cast<uint32_t>(pocketedCount));
    team.lastPoints = static_cast<uint16_t>(team.lastPoints + pocketedCount);
    return true;
}

bool EightBallRule::EvaluatePocketed(TeamState& team, int16_t result, int8_t firstBall, int8_t pocketedCount,
                                     const uint8_t* pocketed) {
    uint32_t count = 0;
    for (int8_t i = 0; i < pocketedCount; ++i) {
        const uint8_t ball = pocketed[i];
        if (ball == kEightBall) {
            if (team.groupLeft == 0 && result == kLegalPocketCode) {
                AddScore(team, 2);
                team.lastPoints = 1;
                if (!variant_) {
                    team.remaining = 1;
                }
                team.result = 1;
                return true;
            }
            team.result = 2;
            return false;
        }
        if (BallGroupOf(ball) == team.ballGroup) {
            ++count;
        }
    }
    team.groupCount = static_cast<uint16_t>(team.groupCount + count);
    if (result < 1) {
        return false;
    }
    AddScore(team, count);
    team.lastPoints = static_cast<uint16_t>(count);
    if (team.ballGroup == ball_group::kNone) {
        return true;
    }
    if (firstBall < 0 || team.ballGroup != BallGroupOf(static_cast<uint32_t>(firstBall))) {
        return false;
    }
    return count != 0;
}

void EightBallRule::AddScore(TeamState& team, uint32_t points) const {
    if (!variant_) {
        team.score = static_cast<uint16_t>(team.score + points);
    }
}

void EightBallRule::OnGameStart(TeamState** teams, int32_t count) {
    PocketRule::OnGameStart(teams, count);
    for (int32_t i = 0; i < count; ++i) {
        if (teams[i] != nullptr) {
            teams[i]->groupLeft = kGroupSize;
        }
    }
}

bool EightBallRule::IsGameOver(TeamState* team) {
    return team->result != 0;
}

void EightBallRule::UpdateBallGroups(uint8_t teamCount, TeamState** teams, int8_t shooter, const uint8_t* offTable,
                                     uint32_t pocketedCount, const int8_t* pocketed) {
    if (IsBreak()) {
        return;
    }
    groupsChanged_ = 0;
    AssignShooterGroup(teamCount, teams, shooter, pocketedCount, pocketed);
    CountGroupsLeft(teamCount, teams, offTable);
}

void EightBallRule::AssignShooterGroup(uint8_t teamCount, TeamState** teams, int8_t shooter, uint32_t pocketedCount,
                                       const int8_t* pocketed) {
    if (shooter < 0 || shooter >= teamCount || teams[shooter] == nullptr) {
        return;
    }
    if (teams[shooter]->ballGroup != ball_group::kNone || pocketedCount == 0 || pocketed[0] < 0) {
        return;
    }
    const uint32_t group = BallGroupOf(static_cast<uint32_t>(pocketed[0]));
    for (uint8_t i = 0; i < teamCount; ++i) {
        if (teams[i] != nullptr) {
            teams[i]->ballGroup = i == shooter ? static_cast<uint8_t>(group) : OppositeGroup(group);
        }
    }
    groupsChanged_ = 1;
}

void EightBallRule::CountGroupsLeft(uint8_t teamCount, TeamState** teams, const uint8_t* offTable) {
    for (uint8_t i = 0; i < teamCount; ++i) {
        TeamState* team = teams[i];
        if (team == nullptr) {
            continue;
        }
        if (team->ballGroup == ball_group::kNone) {
            team->groupLeft = kGroupSize;
            continue;
        }
        if (team->ballGroup == ball_group::kLow) {
            team->groupLeft = CountOnTable(offTable, 1, 7);
        } else if (team->ballGroup == ball_group::kHigh) {
            team->groupLeft = CountOnTable(offTable, 9, 15);
        } else {
            continue;
        }
        if (team->groupLeft == 0) {
            team->ballGroup = ball_group::kEight;
            groupsChanged_ = 1;
        }
    }
}

}  // namespace quill
