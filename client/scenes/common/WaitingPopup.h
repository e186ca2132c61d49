#pragma once
// The room screen's notice while the player waits for the other side: "Waiting for a response." with a
// button that only closes it. Opening only centres it: it does not take the active widget.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class WaitingPopup : public PopupWindow {
public:
    static constexpr int32_t kOk = 2049;

    WaitingPopup();
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;

protected:
    WaitingPopup(quill::WStringView line0, quill::WStringView line1, int32_t buttonId, int32_t tileX);
};

}  // namespace kestrovan
