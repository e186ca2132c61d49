#pragma once
// The movable top-level container: modal (it takes all input while it is the active widget and swallows
// mouse messages outside itself) or not, draggable by its whole face or a handle (never above y = 20 in its
// parent), optionally a popup that hides itself on a button press outside it or on Escape and is pushed back
// onto the screen when shown; it plays an open and a close sound. Dialogs derive from it.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "client/ui/Panel.h"

namespace kestrovan {

class Window : public Panel {
public:
    // The highest a dragged window's top may go in its parent.
    static constexpr int32_t kDragTopLimit = 20;

    Window();

    bool OnMouse(uint32_t msg, WParam wParam, LParam lParam) override;
    // Modal windows and popups swallow the keys none of their children took; Escape closes a popup.
    bool OnKey(uint32_t msg, WParam wParam, LParam lParam) override;
    bool TakesEveryKey() const override { return modal_ || popup_; }
    void OnShow() override;
    void SetVisible(bool visible) override;

    void SetModal(bool modal);
    bool IsModal() const { return modal_; }
    // Modal and popup.
    void MakePopup();
    bool IsPopup() const { return popup_; }
    // Drags start only inside (x, y, w, h), relative to the window's top-left.
    void SetDragHandle(int32_t x, int32_t y, int32_t w, int32_t h);
    // Sound ids played when the window opens and closes; 0 for none.
    void SetSounds(uint32_t openId, uint32_t closeId);

private:
    void StartDrag(int32_t x, int32_t y);
    void ClosePopup();
    void KeepOnScreen();

    bool modal_ = true;
    bool popup_ = false;
    int32_t grabX_ = 0;
    int32_t grabY_ = 0;
    WidgetRect dragHandle_;
    bool useHandle_ = false;
    bool draggable_ = true;
    uint32_t openSound_ = 0;
    uint32_t closeSound_ = 0;
};

}  // namespace kestrovan
