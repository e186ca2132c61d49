#pragma once
// The room screen's question before a request to the opponent: to call the game invalid (kind 2) or to ask
// the opponent to accept a loss by withdrawal (any other kind). Request (2052, Enter) posts RoomEvent1091
// (1091, kind, 0); Cancel (2049, Esc) only closes it.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <atomic>
#include <cstdint>

#include "QuillLib/core/AppEventId.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class OpponentRequestPopup : public PopupWindow {
public:
    static constexpr int32_t kRequest = 2052;
    static constexpr int32_t kCancel = 2049;
    static constexpr int32_t kInvalidGame = 2;

    explicit OpponentRequestPopup(EventPoster poster);

    void SetKind(int32_t kind);
    int32_t Kind() const { return kind_; }
    TextLabel* Title() const { return title_; }
    TextLabel* Line(size_t n) const { return lines_[n]; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    EventPoster poster_;
    TextLabel* title_ = nullptr;
    std::array<TextLabel*, 3> lines_{};
    std::atomic<int32_t> kind_{kInvalidGame};
};

}  // namespace kestrovan
