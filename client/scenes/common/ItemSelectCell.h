#pragma once
// One cue of the cue window: a toggle button with the cue's name under it (a dark shadow behind white text),
// and the cue it stands for, named by its key pair.
//
// Threads: as the cue window.
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/common/ItemQuickCell.h"
#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class ItemPreview;
class TextLabel;

class ItemSelectCell : public Widget {
public:
    static constexpr int32_t kWidth = 73;
    static constexpr int32_t kHeight = 178;

    explicit ItemSelectCell(int32_t controlId);

    void SetItem(const quill::InventoryItem& item);
    void Clear();
    const std::optional<ItemQuickCell::ItemKey>& Item() const { return item_; }
    Button* GetButton() const { return button_; }
    TextLabel* Name() const { return name_; }
    ItemPreview* Preview() const { return preview_; }

    // The button's hover and clicks go on to the window with the cell as the source.
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    Button* button_ = nullptr;
    ItemPreview* preview_ = nullptr;
    TextLabel* shadow_ = nullptr;
    TextLabel* name_ = nullptr;
    std::optional<ItemQuickCell::ItemKey> item_;
};

}  // namespace kestrovan
