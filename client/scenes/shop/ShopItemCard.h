#pragma once
// One cell of the shop's sale grid: a toggle card with the item's live preview, the games it counts in (ball
// sets and tables), its level for a cue, its name, price and currency. A click, double click or hover on the
// card reaches the shop screen as the card's own event (the card carries the cell's control id).
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/scenes/shop/ShopCardFrame.h"
#include "client/scenes/shop/ShopItemTextTable.h"

namespace kestrovan {

class TextLabel;

class ShopItemCard : public ShopCardFrame {
public:
    ShopItemCard(int32_t controlId, int32_t x, int32_t y);

    // Shows the card for the row (kept by the caller for the table's life).
    void SetItem(const ShopItemText& row);
    // Hides the card and lets its preview show nothing.
    void Clear();

    const ShopItemText* Row() const { return row_; }
    TextLabel* LevelLabel() const { return level_; }
    TextLabel* NameLabel() const { return name_; }
    TextLabel* PriceLabel() const { return price_; }

private:
    const ShopItemText* row_ = nullptr;
    TextLabel* gameTypes_ = nullptr;
    TextLabel* level_ = nullptr;
    TextLabel* name_ = nullptr;
    TextLabel* currency_ = nullptr;
    TextLabel* price_ = nullptr;
};

}  // namespace kestrovan
