#include "client/scenes/player/SkillRaises.h"

#include <algorithm>

#include "QuillLib/gamedata/LevelTables.h"
#include "QuillLib/gamedata/PlayerState.h"

namespace kestrovan {

namespace {

constexpr std::array<double, SkillRaises::kSkills> kBaseEffect{80.0, 80.0, 60.0, 60.0, 60.0};
constexpr std::array<double, SkillRaises::kSkills> kEffectSpan{20.0, 20.0, 40.0, 40.0, 40.0};

}  // namespace

SkillRaises::Refusal SkillRaises::Raise(size_t k, const quill::PlayerState& player) {
    if (PointsLeft(player) < 1) return Refusal::NoPoints;
    if (k >= kSkills) return Refusal::Mastered;
    const int64_t reached = int64_t{raises_[k]} * kPerSkillLevel + player.skills[k];
    if (reached >= kMastered) return Refusal::Mastered;
    if (reached >= int64_t{player.level} * kPerGameLevel) return Refusal::LevelCap;
    ++raises_[k];
    ++count_;
    return Refusal::None;
}

void SkillRaises::Clear() {
    raises_.fill(0);
    count_ = 0;
}

int32_t SkillRaises::PointsLeft(const quill::PlayerState& player) const {
    return std::max(0, int32_t{player.skillPoints} - int32_t{count_});
}

int32_t SkillRaises::LevelShown(size_t k, const quill::PlayerState& player) const {
    return k < kSkills ? player.skills[k] / kPerSkillLevel + raises_[k] : 0;
}

double SkillRaises::EffectShown(size_t k, const quill::PlayerState& player) const {
    return k < kSkills ? Effect(k, player.skills[k], raises_[k]) : 0.0;
}

double SkillRaises::Effect(size_t k, int32_t value, uint8_t pending) {
    if (k >= kSkills) return 0.0;
    const double reached = static_cast<double>(value) + static_cast<double>(pending) * kPerSkillLevel;
    return std::min(100.0, kBaseEffect[k] + reached / static_cast<double>(kMastered) * kEffectSpan[k]);
}

int32_t SkillRaises::ExperienceBarWidth(uint32_t experience, uint16_t level) {
    const int64_t start = quill::GetExperienceForLevel(level);
    // Past the last level the table repeats its last entry (and level 65535 wraps to 0): no span, full bar.
    const int64_t next = quill::GetExperienceForLevel(static_cast<uint16_t>(level + 1));
    if (next <= start) return kBarWidth;
    const double share = static_cast<double>(int64_t{experience} - start) / static_cast<double>(next - start);
    return std::clamp(static_cast<int32_t>(share * kBarWidth), 0, kBarWidth);
}

}  // namespace kestrovan
