#pragma once
// The container widget: the root of every scene and the base of dialogs that sit in place. It never keeps a
// mouse message for itself, only routes to its children; it can fade in its subtree; as a scene root it
// draws the modal shade, the open drop-down list and the tooltip over everything else and ticks the
// tooltip.
//
// Threads: see the table in client/app/Scene.h.
#include "client/ui/Widget.h"

namespace kestrovan {

class Panel : public Widget {
public:
    // How much the alpha grows per tick while fading in: from 0, 500 ticks.
    static constexpr float kFadeStep = 0.002f;

    Panel();

    void UpdateTree() override;
    bool OnMouse(uint32_t msg, WParam wParam, LParam lParam) override;
    // Moves the child to the end of the list (on top for drawing and input) and makes it the active widget.
    void BringChildToFront(Widget* child) override;
    void Tick(uint32_t now) override;

    // While fading the alpha rises by kFadeStep per tick and the children are not drawn.
    bool IsFading() const { return fading_; }

private:
    void DrawModalShade();
    void DrawRootOverlays();

    float alpha_ = 1.0f;
    bool fading_ = false;
};

}  // namespace kestrovan
