#include "client/table/ItemModelCatalogue.h"

#include "QuillLib/core/ScopedLock.h"

namespace kestrovan {
namespace {

using quill::ScopedLock;

// The stock cues by the file that holds their models: "cue0" the basic and membership cues, "cue1" the carom,
// pool and snooker series, "cue2" the event and master cues. Statistics: power, balance, spin, miscue, squirt.
void AddStockCues(ItemModelCatalogue& catalogue) {
    struct StockCue {
        uint32_t id;
        const char16_t* model;
        uint32_t index;
        int8_t stats[5];
    };
    static constexpr StockCue kCues[] = {
        {3000, u"cue0", 0, {0, 0, 0, 0, 0}},        {3001, u"cue0", 1, {0, 0, 0, 0, 0}},
        {3002, u"cue0", 2, {0, 0, 0, 0, 0}},        {3003, u"cue0", 3, {15, 0, 15, 15, 0}},
        {3004, u"cue0", 4, {15, 0, 15, 15, 0}},     {3005, u"cue0", 5, {10, 25, 10, 10, 40}},
        {3006, u"cue0", 6, {10, 25, 10, 10, 40}},
        {3010, u"cue1", 0, {5, 10, 5, 5, 10}},      {3011, u"cue1", 1, {5, 10, 12, 5, 10}},
        {3012, u"cue1", 2, {5, 10, 5, 12, 10}},     {3013, u"cue1", 3, {12, 10, 5, 5, 10}},
        {3014, u"cue1", 4, {12, 20, 12, 12, 20}},   {3020, u"cue1", 5, {5, 10, 5, 5, 10}},
        {3021, u"cue1", 6, {5, 10, 5, 5, 30}},      {3022, u"cue1", 7, {15, 10, 5, 5, 10}},
        {3023, u"cue1", 8, {3, 5, 10, 5, 10}},      {3024, u"cue1", 9, {8, 20, 10, 8, 20}},
        {3025, u"cue1", 10, {12, 20, 12, 12, 30}},  {3030, u"cue1", 11, {8, 15, 8, 10, 20}},
        {3031, u"cue1", 12, {12, 25, 12, 12, 30}},
        {3041, u"cue2", 0, {15, 10, 10, 10, 20}},   {3042, u"cue2", 1, {10, 15, 10, 10, 20}},
        {3043, u"cue2", 2, {12, 20, 12, 12, 30}},   {3050, u"cue2", 3, {15, 25, 15, 15, 40}},
        {3051, u"cue2", 4, {15, 25, 15, 15, 40}},   {3052, u"cue2", 5, {15, 25, 15, 15, 40}},
        {3053, u"cue2", 6, {15, 25, 15, 15, 40}},   {3054, u"cue2", 7, {15, 25, 15, 15, 40}},
        {3055, u"cue2", 8, {15, 25, 15, 15, 40}},
    };
    for (const StockCue& cue : kCues) {
        catalogue.AddUnique(ItemModelRecord::StockCue(cue.id, cue.model, cue.index, cue.stats[0], cue.stats[1],
                                                      cue.stats[2], cue.stats[3], cue.stats[4]));
    }
}

void AddTunedCues(ItemModelCatalogue& catalogue, quill::CuePartCatalogue& parts) {
    struct TunedCue {
        uint32_t id;
        uint8_t stats[4];  // power, spin, miscue, squirt
        uint32_t durability;
        std::array<int16_t, ItemModelRecord::kPartSlots> parts;
    };
    static constexpr TunedCue kCues[] = {
        {3100, {15, 60, 100, 0}, 1000000, {4, 20, 3, 3, 1}},
        {3102, {10, 40, 20, 0}, 300000, {1, 3, 0, 0, 0}},
        {3103, {5, 20, 10, 0}, 200000, {1, 2, 0, 0, 0}},
        {3104, {5, 20, 10, 0}, 100000, {1, 1, 0, 0, 0}},
    };
    for (const TunedCue& cue : kCues) {
        catalogue.AddUnique(ItemModelRecord::TunedCue(cue.id, u"TunningCue", 0, cue.stats[0], cue.stats[1],
                                                      cue.stats[2], cue.stats[3], cue.durability, cue.parts, parts));
    }
}

// A table or a ball set: the item, its model, the model's variant and two values of its kind.
struct VariantEntry {
    uint32_t id;
    const char16_t* model;
    uint32_t variant;
    uint32_t first;
    uint32_t second;
};

template <size_t N>
void AddVariants(ItemModelCatalogue& catalogue, const VariantEntry (&entries)[N],
                 ItemModelRecord (*make)(uint32_t, quill::WStringView, uint32_t, uint32_t, uint32_t)) {
    for (const VariantEntry& entry : entries) {
        catalogue.AddUnique(make(entry.id, entry.model, entry.variant, entry.first, entry.second));
    }
}

void AddTables(ItemModelCatalogue& catalogue) {
    // The table kind and the cloth.
    static constexpr VariantEntry kTables[] = {
        {1000, u"caromtable", 0, 0, 3},    {1003, u"caromtable", 0, 0, 1},    {1010, u"pockettable", 0, 1, 5},
        {1012, u"pockettable", 0, 1, 0},   {1013, u"pockettable", 0, 1, 6},   {1020, u"caromtable", 0, 2, 3},
        {1023, u"caromtable", 0, 2, 1},    {1027, u"caromtable", 0, 3, 1},    {1024, u"caromtableL", 0, 7, 4},
        {1025, u"caromtable", 0, 2, 0},    {1028, u"caromtable", 0, 3, 0},    {1026, u"caromtable", 0, 2, 2},
        {1030, u"pockettable", 0, 9, 5},   {1032, u"pockettable", 0, 9, 0},   {1033, u"pockettable", 0, 9, 6},
        {1035, u"snookertable", 0, 11, 0}, {1101, u"caromtable", 1, 5, 9},    {1102, u"caromtable", 1, 4, 11},
        {1401, u"caromtableL", 1, 8, 10},  {1103, u"caromtable", 4, 5, 14},   {1104, u"caromtable", 3, 5, 8},
        {1105, u"caromtable", 2, 4, 12},   {1501, u"pockettable", 1, 10, 13}, {1502, u"pockettable", 2, 10, 14},
    };
    AddVariants(catalogue, kTables, &ItemModelRecord::Table);
}

void AddBallSets(ItemModelCatalogue& catalogue) {
    // The ball count and the flag.
    static constexpr VariantEntry kBallSets[] = {
        {2000, u"ballc0", 0, 4, 0},    {2001, u"ballc0", 1, 4, 0},    {2002, u"ballp0", 2, 16, 0},
        {2003, u"ballc0", 3, 4, 0},    {2004, u"ballc0", 4, 3, 0},    {2005, u"ball60", 4, 6, 0},
        {2006, u"ballp0", 5, 16, 0},   {2007, u"balls0", 6, 22, 0},   {2008, u"ball60", 3, 6, 0},
        {2100, u"ballc2100", 3, 4, 1}, {2101, u"ballc2101", 4, 3, 1}, {2102, u"ballc2101", 3, 4, 1},
        {2103, u"ballc2103", 3, 4, 1}, {2104, u"ballc2104", 3, 4, 1}, {2142, u"ballc2105", 4, 3, 1},
        {2143, u"ballc2106", 4, 3, 1}, {2200, u"ballp2200", 5, 16, 0}, {2201, u"ballp2200", 5, 16, 0},
    };
    AddVariants(catalogue, kBallSets, &ItemModelRecord::BallSet);
}

void AddItems(ItemModelCatalogue& catalogue) {
    struct Item {
        ItemModelKind kind;
        uint32_t id;
        const char16_t* model;
        uint32_t index;
    };
    constexpr ItemModelKind kItem = ItemModelKind::kItem;
    constexpr ItemModelKind kSpecial = ItemModelKind::kSpecialItem;
    static constexpr Item kItems[] = {
        {kItem, 10, u"item1", 8},     {kItem, 11, u"item1", 8},     {kItem, 12, u"item1", 8},
        {kItem, 22, u"item1", 9},     {kItem, 25, u"item1", 10},    {kItem, 29, u"item1", 11},
        {kItem, 4011, u"item1", 6},   {kItem, 4012, u"item1", 7},   {kItem, 4101, u"item1", 1},
        {kItem, 4102, u"item1", 0},   {kItem, 4103, u"item1", 4},   {kItem, 4104, u"item1", 5},
        {kItem, 4105, u"item1", 3},   {kItem, 4106, u"item1", 2},   {kItem, 4107, u"item1", 2},
        {kItem, 4108, u"item1", 14},  {kItem, 4111, u"item1", 12},  {kItem, 4130, u"item1", 4},
        {kItem, 4133, u"item1", 4},   {kItem, 4134, u"item1", 4},   {kItem, 4148, u"item1", 4},
        {kItem, 4145, u"item2", 8},   {kItem, 4146, u"item2", 9},   {kItem, 4150, u"item2", 3},
        {kSpecial, 4504, u"item1", 13}, {kSpecial, 4510, u"item2", 4}, {kSpecial, 4511, u"item2", 5},
        {kSpecial, 4512, u"item2", 6},  {kSpecial, 4513, u"item2", 7},
    };
    for (const Item& item : kItems) {
        catalogue.AddUnique(ItemModelRecord::Item(item.kind, item.id, item.model, item.index));
    }
    catalogue.AddUnique(ItemModelRecord::Chalk(4901, u"item2", 0, 5, 50));
    catalogue.AddUnique(ItemModelRecord::Chalk(4902, u"item2", 1, 5, 48));
    catalogue.AddUnique(ItemModelRecord::Chalk(4903, u"item2", 2, 0, 48));
}

}  // namespace

const ItemModelRecord* ItemModelCatalogue::FindById(uint32_t itemId) const {
    ScopedLock hold(lock_);
    for (const auto& record : records_) {
        if (record->itemId == itemId) {
            return record.get();
        }
    }
    return nullptr;
}

void ItemModelCatalogue::AddUnique(const ItemModelRecord& record) {
    ScopedLock hold(lock_);
    if (FindById(record.itemId) == nullptr) {
        records_.push_back(std::make_unique<ItemModelRecord>(record));
    }
}

void ItemModelCatalogue::AddStockModels(quill::CuePartCatalogue& parts) {
    AddStockCues(*this);
    AddTunedCues(*this, parts);
    AddTables(*this);
    AddBallSets(*this);
    AddItems(*this);
}

uint32_t ItemModelCatalogue::Count() const {
    ScopedLock hold(lock_);
    return static_cast<uint32_t>(records_.size());
}

std::optional<uint32_t> ItemModelCatalogue::FindPhysicsProperty(uint32_t itemId) const {
    const ItemModelRecord* record = FindById(itemId);
    if (record == nullptr || (record->kind != ItemModelKind::kTable && record->kind != ItemModelKind::kBallSet)) {
        return std::nullopt;
    }
    return record->PhysicsProperty();
}

std::optional<ChalkStatistics> ItemModelCatalogue::FindChalkStatistics(uint32_t itemId) const {
    const ItemModelRecord* record = FindById(itemId);
    if (record == nullptr || record->kind != ItemModelKind::kChalk) {
        return std::nullopt;
    }
    return ChalkStatistics{record->spinBonus, record->miscueReduction};
}

ItemModelCatalogue& TheItemModelCatalogue() {
    static ItemModelCatalogue catalogue;
    return catalogue;
}

uint32_t ItemCategoryToSlot(int32_t itemType) {
    switch (itemType) {
        case 4510:
            return 1;
        case 4511:
            return 2;
        case 4512:
            return 3;
        case 4513:
            return 4;
        case 4150:
            return 5;
        case 4145:
            return 6;
        case 4146:
            return 7;
        default:
            return 0;
    }
}

}  // namespace kestrovan
