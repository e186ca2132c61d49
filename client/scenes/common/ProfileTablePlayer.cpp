#include "client/scenes/common/ProfileTablePlayer.h"

#include <algorithm>

namespace kestrovan {

StrokeSkills ProfileTablePlayer::GetSkills() const {
    const auto& s = player_.skills;
    return StrokeSkills{s[0], s[1], s[2], s[3], s[4]};
}

// A counted cue lends its statistics only while it has uses left.
EquippedCue ProfileTablePlayer::GetEquippedCue(quill::GameType gameType) const {
    EquippedCue cue;
    const quill::InventoryItem* item = player_.GetEquippedItem(static_cast<uint32_t>(gameType));
    if (item == nullptr) return cue;
    cue.bonusesApply = item->customFlag == 0 || item->remaining > 0;
    std::ranges::transform(item->statistics, cue.stats.begin(), [](uint8_t v) { return static_cast<int8_t>(v); });
    return cue;
}

uint16_t ProfileTablePlayer::GetCurrentChalkId() const {
    return player_.GetCurrentCueType();
}

int32_t ProfileTablePlayer::GetAimItemBonus() const {
    return static_cast<int32_t>(player_.GetAimItemBonus());
}

}  // namespace kestrovan
