#pragma once
// The parts guide: a picture that explains the cue parts, centred when shown, with a close button.
//
// Threads: as PopupWindow.
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class CuePartsGuideWindow : public PopupWindow {
public:
    static constexpr int32_t kClose = 2049;

    CuePartsGuideWindow();
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
};

}  // namespace kestrovan
