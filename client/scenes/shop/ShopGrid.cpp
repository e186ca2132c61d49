#include "client/scenes/shop/ShopGrid.h"

#include <algorithm>

#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/ItemRecord.h"

namespace kestrovan {

namespace {

constexpr uint32_t kRecommendedIds[] = {11, 4150, 4107, 3100, 4504, 4902, 4512, 4145, 4510, 3041, 3042, 3043};

template <class Entry, class Takes>
ShopGridPage MakePage(const std::vector<Entry>& source, int32_t first, Takes takes) {
    ShopGridPage page;
    for (size_t n = 0; n < source.size(); ++n) {
        if (!takes(source[n])) continue;
        ++page.count;
        if (page.count >= first && static_cast<int32_t>(page.shown.size()) < ShopGrid::kCells) page.shown.push_back(n);
    }
    page.range = ShopGrid::ScrollRange(page.count);
    return page;
}

}  // namespace

bool ShopGrid::ShopCategoryTakes(int32_t category, uint32_t kind) {
    if (category == kRecommended || category == kAll) return true;
    if (category == kOthers) return kind >= 4 && kind <= 6;
    return kind == static_cast<uint32_t>(category);
}

bool ShopGrid::MyItemsCategoryTakes(int32_t category, const quill::InventoryItem& item) {
    const bool inUse = item.inUse == quill::InventoryItem::kStatusInUse;
    const int32_t limit = item.secondCount;
    switch (category) {
        case kAll:
            return true;
        case kOthers:
            return item.kind >= 4 && item.kind <= 6;
        case kInUse:
            if (item.state == 1 && !inUse) return false;
            if (item.state == 2) return false;
            return !(item.state == 3 && item.remaining == limit);
        case kNotInUse:
            if (item.state == 0) return false;
            if (item.state == 1 && inUse) return false;
            return !(item.state == 3 && item.remaining < limit);
        default:
            return item.kind == static_cast<uint32_t>(category);
    }
}

ShopGridPage ShopGrid::ShopPage(const std::vector<const ShopItemText*>& rows, int32_t category, int32_t first,
                                uint8_t accountKind) {
    return MakePage(rows, first, [&](const ShopItemText* row) {
        if (row == nullptr || !row->record) return false;
        if (accountKind == kPartnerAccount && row->record->currency == quill::ItemRecord::kCurrencyCash) return false;
        return ShopCategoryTakes(category, row->record->category);
    });
}

ShopGridPage ShopGrid::MyItemsPage(const std::vector<OwnedItem>& items, int32_t category, int32_t first) {
    return MakePage(items, first, [&](const OwnedItem& owned) { return MyItemsCategoryTakes(category, owned.item); });
}

int32_t ShopGrid::ScrollRange(int32_t count) {
    return std::max(1, static_cast<int32_t>(static_cast<double>(count) / kColumns + 0.5));
}

std::vector<const ShopItemText*> ShopGrid::SaleRows(const ShopItemTextTable& table) {
    std::vector<const ShopItemText*> rows;
    for (const ShopItemText& row : table.Rows())
        if (row.listed == 1 && row.record && row.record->prices[0] != 0) rows.push_back(&row);
    return rows;
}

std::vector<const ShopItemText*> ShopGrid::RecommendedRows(const ShopItemTextTable& table) {
    std::vector<const ShopItemText*> rows;
    for (uint32_t id : kRecommendedIds)
        if (const ShopItemText* row = table.Find(id)) rows.push_back(row);
    return rows;
}

}  // namespace kestrovan
