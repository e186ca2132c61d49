#pragma once
// The notice that a function is not available yet: "Upgrading this function.." / "This function is not
// usable." with an OK button (2049, Enter) that only closes it. The scene manager keeps one for all screens.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class FeatureNoticePopup : public PopupWindow {
public:
    static constexpr int32_t kOk = 2049;

    FeatureNoticePopup();
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
};

}  // namespace kestrovan
