#pragma once
// One cell of the item bar: a toggle button with the bar's control id for the cell, and the owned item it
// stands for, named by its key pair (the item itself stays in the player's profile).
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class ItemPreview;

class ItemQuickCell : public Widget {
public:
    static constexpr int32_t kSize = 30;
    // The preview's camera distance: a long cue from farther away than the small items.
    static constexpr float kCueDistance = 200.0f;
    static constexpr float kItemDistance = 60.0f;
    // The preview turns while the mouse is over the cell and stands still after it left.
    static constexpr float kHoverSpin = 5.0f;

    struct ItemKey {
        uint32_t key = 0;
        uint32_t subKey = 0;
        bool operator==(const ItemKey&) const = default;
    };

    explicit ItemQuickCell(int32_t controlId);

    // Shows the cell for the item.
    void SetItem(const quill::InventoryItem& item);
    // Hides the cell and forgets its item.
    void Clear();
    const std::optional<ItemKey>& Item() const { return item_; }
    Button* GetButton() const { return button_; }
    ItemPreview* Preview() const { return preview_; }

    // Hover and clicks of the button go on to the bar with the cell as the source.
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    Button* button_ = nullptr;
    ItemPreview* preview_ = nullptr;
    std::optional<ItemKey> item_;
};

}  // namespace kestrovan
