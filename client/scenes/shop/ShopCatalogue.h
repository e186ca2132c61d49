#pragma once
// The shop's catalogue: the item text table, the items for sale and the recommended ones, and the sale grid
// that pages them by category.
//
// Threads: see the table in client/app/Scene.h.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "client/scenes/shop/ShopGridFrame.h"
#include "client/scenes/shop/ShopItemCard.h"
#include "client/scenes/shop/ShopItemTextTable.h"

namespace kestrovan {

class GameConnection;

class ShopCatalogue {
public:
    static constexpr int32_t kFirstCell = 300;
    static constexpr int32_t kFirstTab = 600;
    static constexpr int32_t kScroll = 15;

    explicit ShopCatalogue(GameConnection& connection);
    ~ShopCatalogue();

    // The sale grid, at top in the main panel.
    void Build(Widget& mainPanel, int32_t top);
    // A new visit: the recommended list afresh, the first page; a partner-portal account sees every item.
    void Enter(bool partnerAccount);

    void SelectCategory(int32_t category);
    // The page of the category from the first row, the selected row's card checked.
    void Refresh(const ShopItemText* selected);

    ShopGridFrame<ShopItemCard>& Grid() { return grid_; }
    const ShopGridFrame<ShopItemCard>& Grid() const { return grid_; }
    const ShopItemTextTable& Texts() const { return table_; }
    int32_t Category() const { return category_; }
    size_t SaleCount() const;

private:
    GameConnection& connection_;
    const ShopItemTextTable table_;
    std::vector<const ShopItemText*> sale_;
    std::vector<const ShopItemText*> recommended_;
    int32_t category_ = ShopGrid::kAll;
    ShopGridFrame<ShopItemCard> grid_{kFirstCell, kFirstTab};
};

}  // namespace kestrovan
