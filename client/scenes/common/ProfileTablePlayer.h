#pragma once
// The local player as the table's stroke sees it: the five skills, the statistics of the cue equipped for
// the game type and the chalk selected, read from the connection's player profile.
//
// Threads: the game thread (the stroke computation).
#include "QuillLib/gamedata/PlayerState.h"
#include "client/table/TablePlayer.h"

namespace kestrovan {

class ProfileTablePlayer : public TablePlayer {
public:
    explicit ProfileTablePlayer(quill::PlayerState& player) : player_(player) {}

    StrokeSkills GetSkills() const override;
    EquippedCue GetEquippedCue(quill::GameType gameType) const override;
    uint16_t GetCurrentChalkId() const override;
    int32_t GetAimItemBonus() const override;

private:
    quill::PlayerState& player_;
};

}  // namespace kestrovan
