#pragma once
// The parts guide: a picture that explains the cue parts, centred when shown, with a close button.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class CuePartsGuideWindow : public PopupWindow {
public:
    CuePartsGuideWindow();
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
};

}  // namespace kestrovan
