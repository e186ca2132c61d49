#pragma once
// The statistics part of a profile: a tab for each game mode with a rule (the pocket modes and six balls in
// the first row, the carom modes in the second) and, for the selected mode, its nine values and its rating.
// The profile window shows it; a window that shows the same statistics lower down builds it with an offset.
//
// The values of a mode: the first and second counts (games won and lost) with their share, the third to
// eighth values as numbers, except the fifth, which is kept in hundredths; a rating of 0 hides the rating.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameTypes.h"

namespace quill {
class PlayerState;
}

namespace kestrovan {

class Button;
class Image;
class TextLabel;
class Widget;

class ProfileStatistics {
public:
    static constexpr int32_t kFirstTab = 100;
    static constexpr size_t kModes = quill::kGameTypeCount;
    static constexpr size_t kValues = 9;  // first to eighth, then the share

    // Builds the tabs and values on the window, yOffset pixels below the profile window's places.
    ProfileStatistics(Widget& window, int32_t yOffset);

    // The tab control's mode (0..16), or -1 for another control.
    static int32_t ModeOfControl(int32_t controlId);
    // Checks the selected mode's tab, shows its values and hides the others'.
    void Show(const quill::PlayerState& profile, int32_t selectedMode);

    // The share of the first count in the first two, in percent, in single precision; 0 without games.
    static float Share(uint32_t first, uint32_t second);

    Button* Tab(int32_t mode) const;
    TextLabel* Value(int32_t mode, size_t n) const;
    Image* Rating(int32_t mode) const;
    TextLabel* RatingLabel(int32_t mode) const;

private:
    struct ModeWidgets {
        Button* tab = nullptr;
        std::array<TextLabel*, kValues> values{};
        Image* rating = nullptr;
        TextLabel* ratingLabel = nullptr;
    };

    void BuildTabs(Widget& window, int32_t yOffset);
    void BuildValues(Widget& window, int32_t mode, int32_t yOffset);
    void WriteValues(const quill::PlayerState& profile, int32_t mode);

    std::array<ModeWidgets, kModes> modes_{};
};

}  // namespace kestrovan
