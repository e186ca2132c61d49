#pragma once
// The practice room's challenge selection: the five levels of the game type, each with its target score, its
// reward and the player level it needs, a button per level, and below them the membership's gold charge of
// the day with its button. The window only reports: the room decides whether a level may start and whether
// gold may be charged.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>
#include <functional>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class ChallengeSelectWindow : public PopupWindow {
public:
    static constexpr int32_t kFirstLevel = 1;
    static constexpr int32_t kCharge = 2050;
    static constexpr int32_t kClose = 2051;
    static constexpr int32_t kWidth = 400;
    static constexpr int32_t kHeight = 300;

    struct Services {
        std::function<void(int32_t level)> choose;
        std::function<void()> charge;
    };

    explicit ChallengeSelectWindow(Services services);

    // The levels of the game type and the charge line of the player's membership.
    void Fill(quill::GameType type, uint8_t membership, uint8_t chargesLeft, int64_t gold);
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    TextLabel* LevelLine(int32_t level) const { return lines_[static_cast<size_t>(level - 1)]; }

private:
    Services services_;
    std::array<TextLabel*, 5> lines_{};
    TextLabel* chargeLine_ = nullptr;
    TextLabel* experienceLine_ = nullptr;
};

}  // namespace kestrovan
