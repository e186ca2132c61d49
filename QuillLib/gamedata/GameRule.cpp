#include "QuillLib/gamedata/GameRule.h"

#include <algorithm>

#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/TeamState.h"

namespace quill {

void GameRule::OnGameStart(TeamState** /*teams*/, int32_t /*count*/) {}

void GameRule::StartGame(TeamState** teams, int32_t count) {
    shotCount_ = 0;
    extraCount_ = 0;
    targetCode_ = 1;
    if (teams == nullptr) {
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (teams[i] != nullptr) {
            teams[i]->state = GetStartState();
        }
    }
    if (count > 0) {
        OnGameStart(teams, count);
    }
}

void GameRule::Score(TeamState& team, int32_t points) {
    team.remaining = std::max(team.remaining - 10 * points, 0);
}

void GameRule::Penalise(TeamState& team) {
    const int32_t cap = 2 * team.ratingSum;
    if (team.remaining < cap) {
        team.remaining = std::min(team.remaining + 10, cap);
    }
}

uint16_t GameRule::ShooterRating(const TeamState& team) const {
    const PlayerState* shooter = team.MemberAt(team.currentMember);
    if (shooter == nullptr || !IsGameTypeIndex(gameType_)) {
        return 0;
    }
    return shooter->ratingByType[static_cast<size_t>(gameType_)];
}

}  // namespace quill
