#pragma once
// The lobby's short tournament status window: three groups of two lines beside three choice buttons. The
// first (the race) says whether a race runs or when it starts; the first button opens the ranking chart
// (TournamentPopupClose, 1032, with 1), the other two only say that there is no tournament info.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class PlayerHost;
class TextLabel;

class TournamentInfoPopup : public PopupWindow {
public:
    static constexpr int32_t kWidth = 400;
    static constexpr int32_t kHeight = 285;
    static constexpr int32_t kRace = 1;
    static constexpr int32_t kTour = 2;
    static constexpr int32_t kChampionship = 3;

    explicit TournamentInfoPopup(PlayerHost& host);

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    // Line 0 or 1 of group 0 to 2.
    TextLabel* Line(size_t group, size_t line) const { return lines_[group * 2 + line]; }

private:
    PlayerHost& host_;
    std::array<TextLabel*, 6> lines_{};
};

}  // namespace kestrovan
