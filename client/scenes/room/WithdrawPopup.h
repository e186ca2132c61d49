#pragma once
// The room screen's question before the player leaves a running game: what leaving costs in this game type,
// and Yes (2052, Enter: posts WithdrawDialogClose (1090, 1, confirm value)) or No (2053, Esc: posts
// (1090, 0, 0)). The confirm value is 1 only when the player of a gamble game leaves before the last turn.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <atomic>
#include <cstdint>

#include "QuillLib/core/AppEventId.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class WithdrawPopup : public PopupWindow {
public:
    static constexpr size_t kLineCount = 5;

    explicit WithdrawPopup(EventPoster poster);

    // The room's game type; beforeLastTurn: a gamble game is left before its last turn.
    void SetMode(int32_t gameType, bool beforeLastTurn);
    uint32_t ConfirmValue() const { return confirmValue_; }
    TextLabel* Line(size_t n) const { return lines_[n]; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    EventPoster poster_;
    std::array<TextLabel*, kLineCount> lines_{};
    std::atomic<uint32_t> confirmValue_{0};
};

}  // namespace kestrovan
