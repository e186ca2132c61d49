// The local player's inventory as the connection keeps it: the inventory list, gifts, the built-in
// entries of memberships and the power pack, the offline set, and the item pool staying whole.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/client/connection/ConnectionFakes.h"

namespace kestrovan::test {
namespace {

using quill::InventoryItem;

struct Listed {
    int64_t key;
    uint8_t status;
    uint32_t type;
    uint16_t remaining = 10;
    uint8_t itemClass = 0;
    uint8_t custom = 0;
    WString name = u"";
};

Packet InventoryList(const std::vector<Listed>& items) {
    Packet packet;
    packet.Init(MessageId::InventoryList).WriteU8(static_cast<uint8_t>(items.size()));
    for (const Listed& item : items) {
        packet.WriteI64(item.key).WriteU8(item.status).WriteU32(item.type).WriteU8(2).WriteU16(item.remaining).WriteU16(5);
        if (item.status == 1 && item.remaining != 0xFFFF) {
            packet.WriteWString(item.name);
        }
        packet.WriteU8(item.itemClass).WriteU8(item.custom);
        if (item.custom != 0) {
            packet.WriteU32(900).WriteU32(1000).WriteWString(u"my cue").WriteI64(12345).WriteI64(-1);
            for (uint8_t statistic : {10, 20, 30, 40, 50}) {
                packet.WriteU8(statistic);
            }
            for (uint16_t part : {1, 2, 3, 4, 5}) {
                packet.WriteU16(part);
            }
        }
        if (item.itemClass == 2 || item.itemClass == 3) {
            packet.WriteWString(u"from");
        }
        if (item.itemClass >= 2 && item.itemClass <= 5) {
            packet.WriteWString(u"about");
        }
    }
    return packet;
}

Packet Gift(uint8_t notify, uint32_t type, uint32_t amount) {
    Packet packet;
    packet.Init(MessageId::GiftReceived).WriteU8(notify).WriteI64((int64_t{3} << 32) | 40).WriteU32(type).WriteU8(1);
    packet.WriteU8(0).WriteU16(7).WriteU16(2).WriteU32(amount).WriteWString(u"Santa").WriteWString(u"enjoy");
    return packet;
}

class InventoryTest : public ConnectionTest {
protected:
    const InventoryItem* Item(uint32_t key, uint32_t subKey = 0) {
        return connection_.LocalPlayer().FindItem(key, subKey);
    }
    std::vector<uint32_t> Keys() {
        std::vector<uint32_t> keys;
        for (uint32_t index = 0; index < connection_.LocalPlayer().ItemCount(); ++index) {
            keys.push_back(connection_.LocalPlayer().ItemAt(index)->key);
        }
        return keys;
    }
    void ExpectPoolHoldsOnlyTheInventory() {
        EXPECT_EQ(connection_.Items().ItemsInUse(), connection_.LocalPlayer().ItemCount());
    }
};

TEST_F(InventoryTest, AnInventoryListReplacesTheItemsWithTheBasicCueAndTheListedOnes) {
    connection_.LocalPlayer().grade = 2;
    Dispatch(InventoryList({{(int64_t{1} << 32) | 20, 1, 4106, 3, 0, 0, u"Book"},
                            {21, 4, 4901},
                            {22, 1, 3100, 0xFFFF, 0, 1},
                            {23, 0, 3003},
                            {24, 0, 4500, 1, 2},
                            {25, 0, 4501, 1, 5}}));
    EXPECT_EQ(Keys(), (std::vector<uint32_t>{0, 20, 21, 22, 23, 24, 25}));
    EXPECT_EQ(Item(0)->typeCode, 3002u) << "grade 2 starts with the second basic cue";
    EXPECT_EQ(Item(0)->statistics, (CueStatistics{2, 1, 2, 3, 4}));

    const InventoryItem* book = Item(20, 1);
    EXPECT_EQ(book->name, u"Book");
    EXPECT_EQ(book->inUse, 1u);
    EXPECT_EQ(book->state, 2u);
    EXPECT_EQ(book->remaining, 3);
    EXPECT_EQ(book->secondCount, 5);
    EXPECT_EQ(book->kind, 4u);
    EXPECT_EQ(Item(21)->name, u"Expired");
    EXPECT_EQ(Item(21)->kind, 5u);

    const InventoryItem* custom = Item(22);
    EXPECT_EQ(custom->name, u"") << "an item in use with the count 0xFFFF carries no name";
    EXPECT_EQ(custom->durabilityCurrent, 900u);
    EXPECT_EQ(custom->durabilityTotal, 1000u);
    EXPECT_EQ(custom->customText, u"my cue");
    EXPECT_EQ(custom->upgradePoints, 12345);
    EXPECT_EQ(custom->cueValue, -1);
    EXPECT_EQ(custom->statistics, (CueStatistics{10, 20, 30, 40, 50}));
    EXPECT_EQ(custom->statValues, (std::array<uint16_t, 5>{1, 2, 3, 4, 5}));
    EXPECT_EQ(Item(23)->statistics, (CueStatistics{3, 1, 2, 3, 4})) << "a stock cue takes its model's statistics";
    EXPECT_EQ(Item(24)->sender, u"from");
    EXPECT_EQ(Item(24)->description, u"about");
    EXPECT_EQ(Item(25)->sender, u"");
    EXPECT_EQ(Item(25)->description, u"about");
    ExpectPoolHoldsOnlyTheInventory();
}

TEST_F(InventoryTest, PersonalCuesTheItemCatalogueLacksAreReadWholeAndKeepTheListAligned) {
    Dispatch(InventoryList({{30, 1, 3101, 0xFFFF, 0, 1},
                            {31, 0, 3105, 1, 0, 1},
                            {32, 1, 3110, 4, 0, 1, u"Mine"},
                            {33, 0, 4500, 1, 2}}));
    EXPECT_EQ(Keys(), (std::vector<uint32_t>{0, 30, 31, 32, 33}));
    for (uint32_t key : {30u, 31u, 32u}) {
        const InventoryItem* cue = Item(key);
        ASSERT_NE(cue, nullptr) << key;
        EXPECT_EQ(cue->kind, 1u) << key;
        EXPECT_EQ(cue->customText, u"my cue") << key;
        EXPECT_EQ(cue->cueValue, -1) << key;
        EXPECT_EQ(cue->statValues, (std::array<uint16_t, 5>{1, 2, 3, 4, 5})) << key;
    }
    EXPECT_EQ(Item(32)->name, u"Mine");
    EXPECT_EQ(Item(33)->typeCode, 4500u) << "the entry after the personal cues starts where it should";
    EXPECT_EQ(Item(33)->sender, u"from");
    EXPECT_EQ(Item(33)->description, u"about");

    Dispatch(Gift(0, 3107, 0));
    EXPECT_EQ(Item(40, 3)->kind, 1u) << "a personal cue given as a gift is a cue too";
    ExpectPoolHoldsOnlyTheInventory();
}

TEST_F(InventoryTest, MembershipsAndThePowerPackBringTheirBuiltInEntries) {
    connection_.SetTaggedText(1, u"2030-01-01", 7);
    Dispatch(InventoryList({}));
    EXPECT_EQ(Keys(), (std::vector<uint32_t>{0, 2}));
    const InventoryItem* chalk = Item(2);
    EXPECT_EQ(chalk->typeCode, 4902u);
    EXPECT_EQ(chalk->kind, 5u);
    EXPECT_EQ(chalk->inUse, 1u);
    EXPECT_EQ(chalk->state, 1u);
    EXPECT_EQ(chalk->remaining, -1);
    EXPECT_EQ(chalk->secondCount, 100);

    connection_.SetTaggedText(2, u"", 0);
    Dispatch(InventoryList({{30, 0, 4901, 1, 99}}));
    EXPECT_EQ(Keys(), (std::vector<uint32_t>{0, 30, 4})) << "an owned class-99 chalk stands in for the built-in one";
    EXPECT_EQ(Item(4)->typeCode, 3005u);
    EXPECT_EQ(Item(4)->statistics, (CueStatistics{5, 1, 2, 3, 4}));

    connection_.SetTaggedText(3, u"", 0);
    Dispatch(InventoryList({{31, 1, 4111, 5, 0, 0, u"Power"}}));
    EXPECT_EQ(Keys(), (std::vector<uint32_t>{0, 31, 3, 5, 8, 9}));
    EXPECT_EQ(Item(5)->typeCode, 3006u);
    EXPECT_EQ(Item(8)->typeCode, 3041u);
    EXPECT_EQ(Item(9)->typeCode, 4902u);
    EXPECT_EQ(connection_.SpecialItem(), Item(31));

    connection_.SetTaggedText(0, u"", 0);
    Dispatch(InventoryList({{31, 1, 4111, 0, 0, 0, u"Spent"}}));
    EXPECT_EQ(Keys(), (std::vector<uint32_t>{0, 31})) << "a spent power pack brings nothing";
    EXPECT_EQ(connection_.SpecialItem(), nullptr);
    ExpectPoolHoldsOnlyTheInventory();
}

TEST_F(InventoryTest, AHundredListsGiftsAndOfflineSetsLeaveThePoolWhole) {
    std::vector<Listed> full;
    for (uint32_t key = 100; key < 220; ++key) {  // more than the profile holds
        full.push_back({key, 0, 4901});
    }
    connection_.SetTaggedText(3, u"", 0);
    for (int round = 0; round < 100; ++round) {
        Dispatch(InventoryList(full));
        Dispatch(Gift(0, 4902, 0));
        Dispatch(InventoryList({{31, 1, 4111, 5, 0, 0, u"Power"}}));
        connection_.AddOfflineItems();
        ASSERT_EQ(connection_.Items().ItemsInUse(), 5);
    }
    EXPECT_EQ(connection_.LocalPlayer().ItemCount(), 5);
}

// The screens look items up and choose the cue on the main thread while the dispatch thread replaces the list.
TEST_F(InventoryTest, LookupsWhileTheDispatchThreadReplacesTheListSeeAWholeList) {
    const std::vector<Listed> listed{{100, 0, 4901}, {101, 0, 3001}, {102, 0, 4902}};
    std::atomic<bool> done{false};
    std::thread dispatch([&] {
        for (int round = 0; round < 200; ++round) {
            Dispatch(InventoryList(listed));
            Dispatch(Gift(0, 4902, 0));
        }
        done = true;
    });
    quill::PlayerState& player = connection_.LocalPlayer();
    while (!done) {
        Item(101);
        player.ChooseDefaultCue();
        player.GetCurrentCueType();
    }
    dispatch.join();
    EXPECT_NE(Item(101), nullptr);
    ExpectPoolHoldsOnlyTheInventory();
}

TEST_F(InventoryTest, AGiftJoinsTheInventoryAndIsAnnouncedWhenAskedFor) {
    connection_.LocalPlayer().cueMoney = 1000;
    Dispatch(Gift(1, 3003, 5000));
    const InventoryItem* gift = Item(40, 3);
    ASSERT_NE(gift, nullptr);
    EXPECT_EQ(gift->sender, u"Santa");
    EXPECT_EQ(gift->description, u"enjoy");
    EXPECT_EQ(gift->currentCount, 7u);
    EXPECT_EQ(gift->inUse, 0u);
    EXPECT_EQ(gift->statistics, (CueStatistics{3, 1, 2, 3, 4}));
    EXPECT_EQ(connection_.LocalPlayer().cueMoney, 6000);
    ASSERT_EQ(host_.Notices().size(), 1u);
    const ConnectionNotice notice = host_.Notices()[0];
    EXPECT_EQ(notice.lines[0], u"Santa has sent a gift");
    EXPECT_EQ(notice.lines[1], u"아이템샵에서 확인할 수 있습니다.");
    EXPECT_EQ(notice.lines[2], u"큐머니 5000원이 추가로 충전되었습니다.");

    Dispatch(Gift(0, 4902, 700));
    EXPECT_EQ(host_.Notices().size(), 1u);
    EXPECT_EQ(connection_.LocalPlayer().cueMoney, 6000) << "a quiet gift's amount is not added";
    EXPECT_EQ(host_.Events(), std::vector<PostedEvent>(2, {ConnectionEvent::GiftRefresh, 0}));
}

TEST_F(InventoryTest, TheOfflineSetEquipsTheSecondCustomCueEverywhere) {
    connection_.AddOfflineItems();
    EXPECT_EQ(Keys(), (std::vector<uint32_t>{0, 14, 15, 16, 17}));
    EXPECT_EQ(Item(14)->name, u"Squirt 100");
    EXPECT_EQ(Item(14)->statistics, (CueStatistics{0, 0, 0, 0, 40}));
    EXPECT_EQ(Item(15)->statValues, (std::array<uint16_t, 5>{3, 4, 1, 2, 6}));
    EXPECT_EQ(Item(15)->durabilityTotal, 1000000u);
    EXPECT_EQ(Item(16)->remaining, 1000);
    EXPECT_EQ(Item(17)->kind, 6u);
    for (const quill::EquippedItem& equipped : connection_.LocalPlayer().equipped) {
        EXPECT_EQ(equipped.key, 15u);
        EXPECT_EQ(equipped.typeCode, 3102);
    }
}

TEST_F(InventoryTest, TheItemPoolHandsOutFiveHundredItemsThenNone) {
    std::vector<InventoryItem*> items;
    for (uint32_t i = 0; i < Inventory::kItemCount; ++i) {
        items.push_back(connection_.AllocItem());
        ASSERT_NE(items.back(), nullptr);
    }
    EXPECT_EQ(connection_.AllocItem(), nullptr);
    connection_.FreeItem(items[7]);
    connection_.FreeItem(items[7]);
    connection_.FreeItem(nullptr);
    EXPECT_EQ(connection_.Items().ItemsInUse(), 499);
    EXPECT_EQ(connection_.AllocItem(), items[7]);
    for (InventoryItem* item : items) {
        connection_.FreeItem(item);
    }
}

}  // namespace
}  // namespace kestrovan::test
