#pragma once
// The base of the pocket-game rules (8-ball, 9-ball, 14.1, snooker): after a shot they recompute the
// teams' ball groups from the balls still on the table.
#include "QuillLib/gamedata/GameRule.h"

namespace quill {

class PocketRule : public GameRule {
public:
    void OnGameStart(TeamState** teams, int32_t count) override;

    virtual uint32_t GetOption(uint32_t /*option*/) const { return 0; }
    // teams[shooter] took the shot; offTable[n] is nonzero for every ball n of the game no longer on the
    // table; pocketed lists the pocketedCount balls the shot pocketed.
    virtual void UpdateBallGroups(uint8_t teamCount, TeamState** teams, int8_t shooter, const uint8_t* offTable,
                                  uint32_t pocketedCount, const int8_t* pocketed);

    // Set when the last update changed a team's group.
    bool GroupsChanged() const { return groupsChanged_ != 0; }

protected:
    // The shot result code of a legal pocketing.
    static constexpr int16_t kLegalPocketCode = 5;

    explicit PocketRule(GameType type) : GameRule(type) {}

    uint8_t groupsChanged_ = 0;
};

}  // namespace quill
