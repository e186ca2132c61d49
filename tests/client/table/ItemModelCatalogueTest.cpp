#include <gtest/gtest.h>

#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/SharedUtilities.h"

namespace kestrovan {
namespace {

class ItemModelCatalogueTest : public ::testing::Test {
protected:
    ItemModelCatalogueTest() { catalogue.AddStockModels(quill::TheCuePartCatalogue()); }
    ItemModelCatalogue catalogue;
};

TEST_F(ItemModelCatalogueTest, StockRecordsByKind) {
    EXPECT_EQ(catalogue.Count(), 29u + 4u + 24u + 18u + 32u);
    EXPECT_EQ(catalogue.FindById(0), nullptr);
    EXPECT_EQ(catalogue.FindById(3007), nullptr);

    // A stock cue's statistics in record units: display 10, 25, 10, 10, 40.
    const ItemModelRecord* cue = catalogue.FindById(3005);
    ASSERT_NE(cue, nullptr);
    EXPECT_EQ(cue->kind, ItemModelKind::kCue);
    EXPECT_EQ(cue->modelName, u"cue0");
    EXPECT_EQ(cue->modelIndex, 5u);
    EXPECT_EQ(cue->custom, 0);
    EXPECT_EQ(cue->stats, (std::array<int8_t, 5>{20, 10, 20, 20, 16}));

    // Every cue the item catalogue knows has a model to show in the shop and on the table.
    for (uint32_t id = 3000; id < 3200; ++id) {
        const quill::ItemRecord* item = quill::TheItemCatalogue().FindById(id);
        if (item != nullptr && item->category == quill::ItemRecord::kCue) {
            EXPECT_NE(catalogue.FindById(id), nullptr) << id;
        }
    }
    EXPECT_EQ(catalogue.FindById(3010)->modelName, u"cue1");
    EXPECT_EQ(catalogue.FindById(3055)->modelName, u"cue2");
    EXPECT_EQ(catalogue.FindById(3055)->modelIndex, 8u);

    // A tuned cue: its parts and their models from the parts catalogue.
    const ItemModelRecord* tuned = catalogue.FindById(3100);
    ASSERT_NE(tuned, nullptr);
    EXPECT_EQ(tuned->custom, 1);
    EXPECT_EQ(tuned->modelName, u"TunningCue");
    EXPECT_EQ(tuned->maxDurability, 1000000u);
    EXPECT_EQ(tuned->partIds, (std::array<int16_t, 5>{4, 20, 3, 3, 1}));
    const quill::CuePartRecord* butt = quill::TheCuePartCatalogue().Find(quill::CuePartRecord::kButt, 20);
    ASSERT_NE(butt, nullptr);
    EXPECT_EQ(tuned->partModelIds[1], butt->modelIndex);

    // The table and ball-set values the physics takes; a chalk's two statistics.
    EXPECT_EQ(catalogue.FindPhysicsProperty(1035), 11u);
    EXPECT_EQ(catalogue.FindPhysicsProperty(1024), 7u);
    EXPECT_EQ(catalogue.FindPhysicsProperty(2007), 6u);
    EXPECT_EQ(catalogue.FindById(2007)->ballCount, 22u);
    EXPECT_EQ(catalogue.FindById(2100)->ballSetFlag, 1u);
    EXPECT_FALSE(catalogue.FindPhysicsProperty(3000).has_value());
    const std::optional<ChalkStatistics> chalk = catalogue.FindChalkStatistics(4902);
    ASSERT_TRUE(chalk.has_value());
    EXPECT_EQ(chalk->k1, 5);
    EXPECT_EQ(chalk->k2, 48);
    EXPECT_FALSE(catalogue.FindChalkStatistics(4150).has_value());
    EXPECT_EQ(catalogue.FindById(4513)->kind, ItemModelKind::kSpecialItem);
    EXPECT_EQ(catalogue.FindById(4513)->modelIndex, 7u);
}

TEST_F(ItemModelCatalogueTest, DuplicatesPartsAndConversions) {
    const uint32_t count = catalogue.Count();
    catalogue.AddUnique(ItemModelRecord::Table(1000, u"other", 9, 9, 9));
    EXPECT_EQ(catalogue.Count(), count);
    EXPECT_EQ(catalogue.FindById(1000)->modelName, u"caromtable");
    catalogue.AddStockModels(quill::TheCuePartCatalogue());
    EXPECT_EQ(catalogue.Count(), count);

    // Statistics go to the nearest step, halves upward: power 1 stores 2, balance 3 and 4 store 1 and 2.
    const ItemModelRecord small = ItemModelRecord::StockCue(1, u"cue9", 0, 1, 3, 0, 0, 4);
    EXPECT_EQ(small.stats, (std::array<int8_t, 5>{2, 1, 0, 0, 2}));
    const ItemModelRecord zero = ItemModelRecord::StockCue(2, u"cue9", 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(zero.stats[1], 0);
    EXPECT_EQ(zero.stats[4], 0);

    // A copied tuned record shows the player's parts; an unknown part has model 0.
    ItemModelRecord copy = *catalogue.FindById(3102);
    copy.SetPart(0, 2, quill::TheCuePartCatalogue());
    EXPECT_EQ(copy.partIds[0], 2);
    copy.SetPart(4, 999, quill::TheCuePartCatalogue());
    EXPECT_EQ(copy.partModelIds[4], 0u);
    copy.SetPart(5, 1, quill::TheCuePartCatalogue());
    EXPECT_EQ(catalogue.FindById(3102)->partIds[0], 1);  // the catalogue's record is unchanged

    // A long model name is cut.
    const ItemModelRecord named = ItemModelRecord::Item(ItemModelKind::kItem, 5, std::u16string(40, u'x'), 0);
    EXPECT_EQ(named.modelName.size(), ItemModelRecord::kMaxNameLength);
}

TEST(ItemCategoryToSlot, InGameItemSlots) {
    EXPECT_EQ(ItemCategoryToSlot(4510), 1u);
    EXPECT_EQ(ItemCategoryToSlot(4513), 4u);
    EXPECT_EQ(ItemCategoryToSlot(4150), 5u);
    EXPECT_EQ(ItemCategoryToSlot(4145), 6u);
    EXPECT_EQ(ItemCategoryToSlot(4146), 7u);
    for (int32_t code : {4514, 4509, 4144, 4147, -4510, 0}) {
        EXPECT_EQ(ItemCategoryToSlot(code), 0u) << code;
    }
}

TEST(SharedUtilities, MoneyFieldsAndDivisors) {
    EXPECT_EQ(FormatMoney(1234567), u"1,234,567");
    EXPECT_EQ(FormatMoney(-5000), u"-5,000");
    EXPECT_EQ(FormatMoney(0), u"0");
    EXPECT_EQ(FormatMoney(-123), u"-123");
    EXPECT_EQ(FormatMoney(INT64_MIN), u"-9,223,372,036,854,775,808");

    std::u16string_view cursor = u"abc<br>defgh";
    EXPECT_EQ(NextField(cursor, std::u16string_view(u"<BR>")), u"abc");
    EXPECT_EQ(cursor, u"defgh");
    // No further separator: the rest is the field and the cursor ends.
    EXPECT_EQ(NextField(cursor, std::u16string_view(u"<BR>")), u"defgh");
    EXPECT_TRUE(cursor.empty());
    EXPECT_TRUE(NextField(cursor, std::u16string_view(u"<BR>")).empty());
    std::string_view narrow = "1<BR>2<Br>3";
    EXPECT_EQ(NextField(narrow, std::string_view("<BR>")), "1");
    EXPECT_EQ(NextField(narrow, std::string_view("<BR>")), "2<Br>3");  // only exact or all lower case

    EXPECT_EQ(Gcd(1920, 1080), 120);
    EXPECT_EQ(Gcd(0, 7), 7);
    EXPECT_EQ(Gcd(7, 0), 7);
    EXPECT_EQ(Gcd(-12, 18), 6);  // ends for negative sizes too
}

}  // namespace
}  // namespace kestrovan
