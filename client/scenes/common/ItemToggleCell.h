#pragma once
// A cell of an item window's list: a radio toggle the size of the cell, cut from the items' texture and
// pressed while the cell's item is the one chosen, with the item's preview over it. The toggle's hover and
// clicks go on to the window with the cell as the source, so that the window tells its cells apart without
// knowing their buttons. The cue window's cells and the purchase window's cards are such cells.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class ItemPreview;

class ItemToggleCell : public Widget {
public:
    // The cell's size, where its toggle's pictures start on the items' texture and where its preview stands
    // inside it.
    struct Look {
        int32_t width = 0;
        int32_t height = 0;
        int32_t srcX = 0;
        int32_t srcY = 0;
        int32_t previewX = 0;
        int32_t previewY = 0;
        int32_t previewW = 0;
        int32_t previewH = 0;
    };

    Button* GetButton() const { return button_; }
    ItemPreview* Preview() const { return preview_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

protected:
    ItemToggleCell(int32_t controlId, const Look& look);

    // Releases the toggle, empties the preview and hides the cell; the cell forgets its own item.
    void ClearToggle();

private:
    Button* button_ = nullptr;
    ItemPreview* preview_ = nullptr;
};

}  // namespace kestrovan
