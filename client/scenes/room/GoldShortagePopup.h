#pragma once
// The game room's popup for a player whose money is below what the room needs: it says how much the match
// requires and offers the practice room, where gold can be earned for free. Yes stores the way there in
// the connection's join-with target (the practice room, with the room's target byte as a signed value) and
// posts JoinWith; the screens then take the player there. No only hides.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <atomic>
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class GameConnection;
class TextLabel;

class GoldShortagePopup : public PopupWindow {
public:
    static constexpr int32_t kWidth = 400;
    static constexpr int32_t kHeight = 250;
    static constexpr uint32_t kPracticeTargetKind = 1;

    GoldShortagePopup(GameConnection& connection, EventPoster poster);

    // The money the match requires and the room's target byte, stored before the popup shows.
    void SetShortage(int32_t required, uint8_t target);
    TextLabel* RequiredLine() const { return required_; }

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    // Yes: the popup closes and the player is sent on to a practice room.
    void JoinPractice();

    GameConnection& connection_;
    EventPoster poster_;
    TextLabel* required_ = nullptr;
    std::atomic<int32_t> requiredMoney_{0};
    std::atomic<uint8_t> target_{0};
};

}  // namespace kestrovan
