#pragma once
// The item bar of the table screens: ten cells with the player's consumables and boosts (items of kind 5
// or 6 and the item types 4150, 4146, 4145 and 4108), newest first, scrolled by a horizontal bar. Hovering a
// cell shows its caption and makes the bar opaque; a click posts QuickSlotB with the item's kind, and the
// screen then equips or selects the clicked item.
//
// Items are named by their key pairs and looked up in the player's profile when used, so an item that left
// the inventory is never reached through a stale pointer.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <optional>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/ItemQuickCell.h"
#include "client/scenes/common/ListPager.h"
#include "client/ui/Image.h"

namespace kestrovan {

class ScrollBar;
class TextLabel;

class ItemQuickBar : public Image {
public:
    static constexpr size_t kCellCount = 10;
    static constexpr int32_t kFirstCellId = 150;
    static constexpr int32_t kScrollBarId = 90;
    static constexpr int32_t kWidth = 322;
    static constexpr int32_t kHeight = 34;

    // Re-sends the last mouse position so that hover states follow a scrolled list.
    using MouseReposter = std::function<void()>;

    ItemQuickBar(quill::PlayerState& player, AppEventPoster poster, MouseReposter reposter = {});

    // Whether the bar lists the item.
    static bool Lists(const quill::InventoryItem& item);
    // "name (remaining/total)" for a counted item, "name (기간제)" for one limited by time.
    static quill::WString ItemCaption(const quill::InventoryItem& item);

    // Fills the cells from the profile, from the scroll offset on.
    void Refresh();
    // The item of the last clicked cell while it is still owned; null otherwise.
    quill::InventoryItem* ClickedItem() const;

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;

    size_t ListedCount() const { return listedCount_; }
    int32_t ScrollOffset() const { return pager_.First(); }
    ItemQuickCell* Cell(size_t index) const { return cells_[index]; }
    TextLabel* Caption() const { return caption_; }
    ScrollBar* Scroll() const { return scrollBar_; }

private:
    void OnCellEvent(ItemQuickCell& cell, int32_t code);
    void OnScrolled(int32_t position);
    quill::InventoryItem* ItemOf(const ItemQuickCell& cell) const;

    quill::PlayerState& player_;
    AppEventPoster poster_;
    MouseReposter reposter_;
    std::array<ItemQuickCell*, kCellCount> cells_{};
    TextLabel* caption_ = nullptr;
    ScrollBar* scrollBar_ = nullptr;
    ItemQuickCell* hoveredCell_ = nullptr;
    std::optional<ItemQuickCell::ItemKey> clickedItem_;
    size_t listedCount_ = 0;
    ListPager pager_{static_cast<int32_t>(kCellCount)};
};

}  // namespace kestrovan
