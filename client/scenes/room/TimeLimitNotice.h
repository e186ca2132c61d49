#pragma once
// The notice that the game ends because it has run for an hour; OK posts TimeLimitNoticeClosed for the room
// and closes.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>

#include "client/app/SoundIds.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class TimeLimitNotice : public PopupWindow {
public:
    explicit TimeLimitNotice(EventPoster poster);

    TextLabel* Line(size_t n) const { return lines_[n]; }
    // Centred on the screen.
    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    EventPoster poster_;
    std::array<TextLabel*, 3> lines_{};
};

}  // namespace kestrovan
