#pragma once
// The frame a card of the shop's grids is built on: a 120 x 145 toggle button carrying the cell's control id,
// with the item's live preview over it. A click, double click or hover on the card reaches the card's parent as
// the card's own event.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class ItemPreview;

class ShopCardFrame : public Widget {
public:
    static constexpr int32_t kWidth = 120;
    static constexpr int32_t kHeight = 145;

    void SetChecked(bool checked);

    Button* CardButton() const { return button_; }
    ItemPreview* Preview() const { return preview_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

protected:
    ShopCardFrame(int32_t controlId, int32_t x, int32_t y);

    // Unchecks the card, lets its preview show nothing and hides it.
    void ClearFrame();

private:
    Button* button_ = nullptr;
    ItemPreview* preview_ = nullptr;
};

}  // namespace kestrovan
