#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/gamedata/ItemCatalogue.h"

namespace quill {
namespace {

TEST(ItemCatalogueTest, BuiltInItemsAreRegisteredOnceEach) {
    ItemCatalogue& catalogue = TheItemCatalogue();
    EXPECT_EQ(catalogue.Count(), ItemCatalogue::kBuiltInCount);

    const ItemRecord* balls = catalogue.FindById(2003);
    ASSERT_NE(balls, nullptr);
    EXPECT_EQ(balls->name, u"4Balls ball");
    EXPECT_EQ(balls->category, ItemRecord::kBallSet);
    EXPECT_EQ(balls->available, 1u);
    for (uint8_t usable : balls->usableIn) {
        EXPECT_EQ(usable, 1);
    }
    EXPECT_EQ(catalogue.FindById(9999), nullptr);
    EXPECT_EQ(catalogue.FindById(4101)->name, u"Pool manual ");
    EXPECT_EQ(catalogue.FindById(4903)->category, ItemRecord::kChalk);
    EXPECT_EQ(catalogue.FindById(4513)->category, ItemRecord::kBoost);
}

// The shop's cards, the purchase dialog and the cue windows show these names: each item says what it is, never
// its type number, and fits a card's line.
TEST(ItemCatalogueTest, EveryBuiltInItemHasANameOfItsOwn) {
    ItemCatalogue& catalogue = TheItemCatalogue();
    size_t named = 0;
    for (uint32_t id = 0; id < 5000; ++id) {
        const ItemRecord* record = catalogue.FindById(id);
        if (record == nullptr)
            continue;
        ++named;
        const std::string digits = std::to_string(id);
        const std::u16string number(digits.begin(), digits.end());
        EXPECT_EQ(record->name.find(number), std::u16string::npos) << id;
        EXPECT_FALSE(record->name.empty()) << id;
        EXPECT_LE(record->name.size(), 17u) << id;
    }
    EXPECT_EQ(named, ItemCatalogue::kBuiltInCount);
}

TEST(ItemCatalogueTest, DefaultEquipmentOfEveryGameIsCatalogued) {
    ItemCatalogue& catalogue = TheItemCatalogue();
    for (GameType type = -1; type < kGameTypeCount; ++type) {
        const ItemRecord* table = catalogue.FindById(DefaultTableItemId(type));
        const ItemRecord* balls = catalogue.FindById(DefaultBallItemId(type));
        ASSERT_NE(table, nullptr) << type;
        ASSERT_NE(balls, nullptr) << type;
        EXPECT_EQ(table->category, ItemRecord::kTable);
        EXPECT_EQ(balls->category, ItemRecord::kBallSet);
        EXPECT_TRUE(balls->IsOnlyGiven());
    }
}

TEST(ItemCatalogueTest, RegisterCutsLongNamesAndKeepsOffers) {
    ItemCatalogue catalogue;
    const ItemRecord* record = catalogue.Register(7777, u"A name that is much longer than forty characters in all", 1,
                                                  1, 2, 1, 900, 7, 5000, ItemRecord::kNoPeriod, ItemRecord::kNoPrice);
    EXPECT_EQ(record->name.size(), ItemRecord::kMaxNameLength);
    EXPECT_EQ(record->periods[1], 7);
    EXPECT_EQ(record->prices[1], 5000);
    EXPECT_EQ(record->prices[2], -1);
    EXPECT_FALSE(record->IsOnlyGiven());
    EXPECT_EQ(catalogue.FindById(7777), record);
}

TEST(CuePartCatalogueTest, PartsByTypeAndId) {
    CuePartCatalogue& parts = TheCuePartCatalogue();
    const uint32_t counts[] = {8, 36, 8, 8, 8, 0};
    for (uint8_t partType = 0; partType < std::size(counts); ++partType) {
        EXPECT_EQ(parts.CountParts(partType), counts[partType]) << int{partType};
    }

    const CuePartRecord* tip = parts.Find(CuePartRecord::kTip, 0);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->price, 10000u);
    EXPECT_EQ(tip->currency, 2);
    EXPECT_EQ(tip->valueA, 10);
    const CuePartRecord* butt = parts.Find(CuePartRecord::kButt, 18);
    ASSERT_NE(butt, nullptr);
    EXPECT_EQ(butt->price, 13000u);
    EXPECT_EQ(butt->currency, 1);
    EXPECT_EQ(butt->modelIndex, 18u);

    EXPECT_EQ(parts.Find(0, 8), nullptr);
    EXPECT_EQ(parts.Find(9, 0), nullptr);
    EXPECT_EQ(parts.Register(5, 0, 0, 1, 0, 0, 0, 0), nullptr);
}

TEST(CuePartCatalogueTest, NameTables) {
    EXPECT_EQ(std::u16string(GetItemAttributeName(0)), u"shaft");
    EXPECT_EQ(std::u16string(GetItemAttributeName(4)), u"cue tip");
    EXPECT_EQ(std::u16string(GetItemAttributeName(5)), u"");
    EXPECT_EQ(std::u16string(GetItemStatName(0)), u"Shot power");
    EXPECT_EQ(std::u16string(GetItemStatName(4)), u"Squirt dec.");
    EXPECT_EQ(std::u16string(GetItemStatName(99)), u"");
}

}  // namespace
}  // namespace quill
