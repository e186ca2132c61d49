#pragma once
// The two grids of the shop as pages of eight cells: which rows of the sale (or recommended) list and which
// owned items a category shows, from which row on, and how far the scroll bar reaches. Pure.
#include <cstdint>
#include <vector>

#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "client/scenes/shop/ShopItemTextTable.h"

namespace kestrovan {

// An owned item as the shop lists it: a copy of the player's record taken under the player's lock (the
// shop keeps no pointer into the connection's item pool), with its catalogue record when there is one.
struct OwnedItem {
    quill::InventoryItem item;
    const quill::ItemRecord* record = nullptr;  // the catalogue's, alive for the program's life
    bool isNew = false;                         // bought in this visit

    int64_t Key() const { return static_cast<int64_t>(static_cast<uint64_t>(item.subKey) << 32 | item.key); }
    bool IsPersonalCue() const { return item.kind == quill::ItemRecord::kCue && item.customFlag != 0; }
};

// What one page shows: indices into the source list, the number of matching entries and the scroll range.
struct ShopGridPage {
    std::vector<size_t> shown;
    int32_t count = 0;
    int32_t range = 1;
};

class ShopGrid {
public:
    static constexpr int32_t kCells = 8;
    static constexpr int32_t kColumns = 4;
    static constexpr int32_t kRecommended = 8;  // the shop tab of the recommended list
    static constexpr int32_t kAll = 7;
    static constexpr int32_t kOthers = 4;       // the tab of kinds 4, 5 and 6
    static constexpr int32_t kInUse = 9;        // owned tabs by state
    static constexpr int32_t kNotInUse = 10;
    static constexpr uint8_t kPartnerAccount = 2;  // may buy cue-money items only

    // Whether the shop tab category takes an item of that kind.
    static bool ShopCategoryTakes(int32_t category, uint32_t kind);
    // Whether the owned-items tab category takes the owned item.
    static bool MyItemsCategoryTakes(int32_t category, const quill::InventoryItem& item);
    // The page of the sale or recommended rows from the 1-based matching row first on. Rows without a record
    // are skipped, and cash items for a partner-portal account.
    static ShopGridPage ShopPage(const std::vector<const ShopItemText*>& rows, int32_t category, int32_t first,
                                 uint8_t accountKind);
    static ShopGridPage MyItemsPage(const std::vector<OwnedItem>& items, int32_t category, int32_t first);
    // max(1, trunc(count / 4 + 0.5)).
    static int32_t ScrollRange(int32_t count);
    // The first row a scroll position (0-based) shows: 1, 5, 9, ...
    static int32_t FirstRowAt(int32_t position) { return (position + 1) * kColumns - 3; }
    // The sale list: listed rows whose record exists with a first price other than 0, in table order.
    static std::vector<const ShopItemText*> SaleRows(const ShopItemTextTable& table);
    // The recommended rows, in their fixed order; ids without a row are left out.
    static std::vector<const ShopItemText*> RecommendedRows(const ShopItemTextTable& table);
};

}  // namespace kestrovan
