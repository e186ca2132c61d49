#pragma once
// The skill points the player spends in My Info, before they are saved: one pending raise per skill level,
// refused when no point is left, when the skill is mastered (100000) or when it would pass five thousand per
// game level; and what the window shows of a skill (its level and its effect in percent) and of the
// experience (the bar's width).
//
// Pure rules: no window, no connection.
#include <array>
#include <cstddef>
#include <cstdint>

namespace quill {
class PlayerState;
}

namespace kestrovan {

class SkillRaises {
public:
    static constexpr size_t kSkills = 5;
    static constexpr int32_t kMastered = 100000;
    static constexpr int32_t kPerSkillLevel = 1000;
    static constexpr int32_t kPerGameLevel = 5000;
    static constexpr int32_t kBarWidth = 130;

    enum class Refusal : uint8_t { None, NoPoints, Mastered, LevelCap };

    // One more pending raise of skill k, unless refused (nothing changes then). A k outside the five skills
    // is refused as mastered.
    Refusal Raise(size_t k, const quill::PlayerState& player);
    void Clear();

    uint16_t Count() const { return count_; }
    uint8_t At(size_t k) const { return k < kSkills ? raises_[k] : 0; }
    const std::array<uint8_t, kSkills>& Raises() const { return raises_; }

    // The points still to spend: the player's available points less the pending raises (0 at least).
    int32_t PointsLeft(const quill::PlayerState& player) const;
    // The level shown for skill k: the saved value in thousands plus its pending raises.
    int32_t LevelShown(size_t k, const quill::PlayerState& player) const;
    // The effect of skill k in percent: its base, plus its span in the share of 100000 that the value and
    // the pending raises reach, at most 100.
    double EffectShown(size_t k, const quill::PlayerState& player) const;
    static double Effect(size_t k, int32_t value, uint8_t pending);

    // The experience bar's width in pixels: the share of the level's span already earned, 0 below the
    // level's start and the whole bar at the last level (which has no next one).
    static int32_t ExperienceBarWidth(uint32_t experience, uint16_t level);

private:
    std::array<uint8_t, kSkills> raises_{};
    uint16_t count_ = 0;
};

}  // namespace kestrovan
