#pragma once
// The opponent's request, as the room screen shows it on OpponentRequest (1185): an invalid game (kind 2)
// or a loss by withdrawal (any other kind), and Accept (2052) or Refuse (2053, Esc). Either answers the
// server with OpponentRequestAnswer (1186: u8 answer 1 or 0, u8 the kind received), so the requester always
// hears back, and closes the popup.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <atomic>
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class GameConnection;

class OpponentRequestAcceptPopup : public PopupWindow {
public:
    static constexpr int32_t kAccept = 2052;
    static constexpr int32_t kRefuse = 2053;
    static constexpr uint8_t kInvalidGame = 2;
    static constexpr size_t kLineCount = 5;

    explicit OpponentRequestAcceptPopup(GameConnection& connection);

    void SetRequest(quill::WStringView nickname, uint8_t kind);
    uint8_t Kind() const { return kind_; }
    TextLabel* Line(size_t n) const { return lines_[n]; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    void Answer(bool accepted);

    GameConnection& connection_;
    std::array<TextLabel*, kLineCount> lines_{};
    std::atomic<uint8_t> kind_{0};
};

}  // namespace kestrovan
