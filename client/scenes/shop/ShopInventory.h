#pragma once
// The player's items in the shop: the owned list (copies of the player's records that are not expired, with
// the items bought during this visit marked new) and the owned grid that pages it by category.
//
// Threads: see the table in client/app/Scene.h; the player's lock is taken around its items.
#include <cstdint>
#include <optional>
#include <vector>

#include "client/scenes/shop/InventoryItemCard.h"
#include "client/scenes/shop/ShopGridFrame.h"

namespace kestrovan {

class GameConnection;

class ShopInventory {
public:
    static constexpr int32_t kFirstCell = 400;
    static constexpr int32_t kFirstTab = 650;
    static constexpr int32_t kScroll = 16;

    explicit ShopInventory(GameConnection& connection);
    ~ShopInventory();

    // The owned grid, at top in the main panel.
    void Build(Widget& mainPanel, int32_t top);
    // A new visit: nothing new yet, the first page.
    void Enter();
    // The visit ends: the list and the cards let their items go.
    void Leave();

    // Copies the player's items that are not expired into the owned list.
    void Rebuild();
    // An item bought during this visit, marked new from the next Rebuild on.
    void MarkNew(int64_t key);
    void SelectCategory(int32_t category);
    // Whether the item of that key is in the list and the category takes it.
    bool Lists(int64_t key) const;
    // The page of the category from the first row, the selected item's card checked.
    void Refresh(std::optional<int64_t> selected);

    // The listed item of that key; valid until the next Rebuild or Leave.
    const OwnedItem* Find(int64_t key) const;
    std::vector<OwnedItem> Items() const;
    ShopGridFrame<InventoryItemCard>& Grid() { return grid_; }
    const ShopGridFrame<InventoryItemCard>& Grid() const { return grid_; }
    int32_t Category() const { return category_; }

private:
    GameConnection& connection_;
    std::vector<OwnedItem> owned_;
    std::vector<int64_t> newKeys_;  // bought during this visit
    int32_t category_ = ShopGrid::kAll;
    ShopGridFrame<InventoryItemCard> grid_{kFirstCell, kFirstTab};
};

}  // namespace kestrovan
