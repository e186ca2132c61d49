#pragma once
// The texts of the shop's item windows, built from the item's row, its owned record and its model: the sale
// card, the owned-item card, the detail panel (description, measures, function, games, requirements,
// cautions, prices with bonuses, and an owned item's state, period and engraving) and the membership caption.
// Pure: the windows only put them into their labels.
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/common/PurchaseRules.h"
#include "client/scenes/shop/ShopItemTextTable.h"
#include "client/table/ItemModelRecord.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

struct ShopCardTexts {
    bool gameTypesShown = false;
    quill::WString gameTypes;  // "[%s]"
    bool levelShown = false;
    quill::WString level;  // "Lv.%d"
    quill::WString name;
    quill::WString currency;  // "Cash" or "Gold"
    quill::WString price;
};

struct InventoryCardTexts {
    quill::WString name;
    bool markShown = false;  // grades 2 to 5
    bool statusShown = false;
    quill::WString status;  // "개인큐", "사용중" or "미사용"
};

// The panel's modes.
enum class DetailMode : int32_t { kCatalogue = 1, kOwned = 2 };

struct ItemDetailTexts {
    static constexpr size_t kDescriptionLines = 6;

    std::array<quill::WString, kDescriptionLines> description{};
    size_t descriptionLines = 0;
    quill::WString measures;
    quill::WString requirements;
    quill::WString gameTypes;
    std::array<quill::WString, 2> function{};
    std::array<quill::WString, 2> caution{};
    std::array<quill::WString, 3> prices{};
    std::array<quill::WString, 3> bonuses{};
    quill::WString state;
    quill::WString period;
    bool remarkShown = false;
    quill::WString remark;
};

// The membership caption and its value, with the value's colour.
struct MembershipCaption {
    quill::WString caption;
    quill::WString value;
    uint32_t colour = 0;
};

class ShopItemTexts {
public:
    static constexpr uint32_t kEnergyDrink = 4510;
    static constexpr uint32_t kGrey = 0xFFB0B0B0;

    static ShopCardTexts Card(const ShopItemText& row);
    // owned null: the card of a catalogue item (no status).
    static InventoryCardTexts InventoryCard(const quill::ItemRecord& record, const quill::InventoryItem* owned);
    // model: the catalogue's model of the item (null when it has none); owned: the item in mode 2.
    static ItemDetailTexts Detail(DetailMode mode, const ShopItemText& row, const quill::InventoryItem* owned,
                                  const ItemModelRecord* model);
    // state 1 and 2 standard, 3 plus, others none; endDate the membership's end-date text.
    static MembershipCaption Membership(uint8_t state, quill::WStringView endDate);

private:
    static void FillDescription(const ShopItemText& row, ItemDetailTexts& texts);
    static void FillPrices(const quill::ItemRecord& record, ItemDetailTexts& texts);
    static void FillFunction(DetailMode mode, const quill::ItemRecord& record, const quill::InventoryItem* owned,
                             const ItemModelRecord* model, ItemDetailTexts& texts);
    static void FillBonuses(const quill::ItemRecord& record, ItemDetailTexts& texts);
    static void FillState(const quill::ItemRecord& record, const quill::InventoryItem& owned, ItemDetailTexts& texts);
    static void FillRemark(const quill::InventoryItem& owned, ItemDetailTexts& texts);
};

}  // namespace kestrovan
