#include "client/scenes/shop/ShopInventory.h"

#include <algorithm>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/connection/GameConnection.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

using quill::ScopedLock;

namespace {

// The tabs: control ids in their order on the panel.
constexpr int32_t kTabIds[] = {657, 651, 652, 653, 654, 659, 660};
constexpr const char16_t* kTabCaptions[] = {u"All", u"Cue", u"Ball", u"Table", u"Item", u"In use", u"Unused"};

}  // namespace

ShopInventory::ShopInventory(GameConnection& connection) : connection_(connection) {}

ShopInventory::~ShopInventory() {
    owned_.clear();
}

void ShopInventory::Build(Widget& mainPanel, int32_t top) {
    grid_.Build(mainPanel, top, kTabIds, kTabCaptions, kScroll);
}

void ShopInventory::Enter() {
    grid_.ResetPage();
    newKeys_.clear();
    grid_.CheckTab(category_);
}

void ShopInventory::Leave() {
    owned_.clear();
    for (size_t n = 0; n < ShopGrid::kCells; ++n) grid_.Cell(n)->Clear();
}

void ShopInventory::Rebuild() {
    quill::PlayerState& player = connection_.LocalPlayer();
    std::vector<OwnedItem> items;
    {
        ScopedLock playerHold(player.GetLock());
        for (uint32_t n = 0; n < player.ItemCount(); ++n) {
            const quill::InventoryItem* item = player.ItemAt(n);
            if (item == nullptr || item->inUse == quill::InventoryItem::kStatusExpired) continue;
            OwnedItem owned;
            owned.item = *item;
            owned.record = quill::TheItemCatalogue().FindById(item->typeCode);
            items.push_back(std::move(owned));
        }
    }
    WidgetToolkit::CheckTreeAccess("ShopInventory::Rebuild");
    for (OwnedItem& owned : items)
        owned.isNew = std::find(newKeys_.begin(), newKeys_.end(), owned.Key()) != newKeys_.end();
    owned_ = std::move(items);
}

void ShopInventory::MarkNew(int64_t key) {
    WidgetToolkit::CheckTreeAccess("ShopInventory::MarkNew");
    newKeys_.push_back(key);
}

void ShopInventory::SelectCategory(int32_t category) {
    category_ = category;
    grid_.CheckTab(category);
    grid_.ResetPage();
}

bool ShopInventory::Lists(int64_t key) const {
    return std::any_of(owned_.begin(), owned_.end(), [&](const OwnedItem& owned) {
        return owned.Key() == key && ShopGrid::MyItemsCategoryTakes(category_, owned.item);
    });
}

void ShopInventory::Refresh(std::optional<int64_t> selected) {
    WidgetToolkit::CheckTreeAccess("ShopInventory::Refresh");
    const ShopGridPage page = ShopGrid::MyItemsPage(owned_, category_, grid_.FirstRow());
    for (size_t n = 0; n < ShopGrid::kCells; ++n) {
        InventoryItemCard& card = *grid_.Cell(n);
        if (n < page.shown.size()) {
            const OwnedItem& owned = owned_[page.shown[n]];
            if (owned.record != nullptr) card.SetItem(*owned.record, &owned.item);
            else card.Clear();
            card.SetChecked(selected && owned.Key() == *selected);
        } else {
            card.Clear();
        }
    }
    grid_.ShowRange(page.range);
}

const OwnedItem* ShopInventory::Find(int64_t key) const {
    for (const OwnedItem& owned : owned_)
        if (owned.Key() == key) return &owned;
    return nullptr;
}

std::vector<OwnedItem> ShopInventory::Items() const {
    return owned_;
}

}  // namespace kestrovan
