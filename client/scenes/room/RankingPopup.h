#pragma once
// The popup of the player's rank after a ranked game: congratulations for a rank up to 100, a word of
// comfort otherwise, and a note when the rank is below the player's previous record (9998).
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <atomic>
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"
#include "client/ui/Window.h"

namespace kestrovan {

class TextLabel;

class RankingPopup : public Window {
public:
    static constexpr int32_t kBelowRecord = 9998;

    RankingPopup();

    void SetRank(int32_t rank) { rank_ = rank; }
    TextLabel* Line() const { return line_; }

    // Centred, with the text of the rank.
    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    TextLabel* line_ = nullptr;
    std::atomic<int32_t> rank_{0};
};

}  // namespace kestrovan
