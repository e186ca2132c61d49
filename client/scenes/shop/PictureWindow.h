#pragma once
// One picture with a close button (2049, Enter), for the membership's explanation in the shop and the login
// screen's picture.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class PictureWindow : public PopupWindow {
public:
    PictureWindow();
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
};

}  // namespace kestrovan
