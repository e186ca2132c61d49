// The shop's codec: the requests byte for byte, and the answers read with their bounds (a gift's answer reads
// no item, a failed answer only its result, a truncated one nothing).
#include <gtest/gtest.h>

#include <vector>

#include "client/scenes/common/messages/ShopMessages.h"
#include "tests/support/net/ServerMessages.h"

namespace kestrovan {
namespace {

using quill::MessageId;
using quill::Packet;
using Bytes = std::vector<uint8_t>;

Bytes FinishedBytes(Packet& packet) {
    packet.Finish();
    const auto bytes = packet.Bytes();
    return Bytes(bytes.begin(), bytes.end());
}

// The message as received, its cursor on the payload.
Packet Received(Packet message) {
    return kvtest::AsReceived(std::move(message));
}

TEST(ShopMessagesTest, RequestsAreWrittenFieldByField) {
    Packet packet;
    ShopRequests::WriteLeaveShop(packet);
    EXPECT_EQ(FinishedBytes(packet), (Bytes{5, 0, 0x79, 0x04, 0}));
    ShopRequests::WriteItemDelete(packet, 0x0000000200000011);
    EXPECT_EQ(FinishedBytes(packet), (Bytes{12, 0, 105, 0, 0x11, 0, 0, 0, 2, 0, 0, 0}));
    ShopRequests::WriteItemUse(packet, {4102, 4, 0x0000000100000020, u"Neo"}, false);
    EXPECT_EQ(FinishedBytes(packet), (Bytes{27, 0, 95, 0, 0x06, 0x10, 0, 0, 4, 0x20, 0, 0, 0, 1, 0, 0, 0, 6, 0, 'N', 0, 'e',
                                      0, 'o', 0, 0, 0}));
    ShopRequests::WriteItemUse(packet, {4102, 4, 0x20, u"Neo"}, true);
    EXPECT_EQ(FinishedBytes(packet).size(), 4u + 4 + 1 + 8) << "ItemUseAlt carries no nickname";
    ShopRequests::WriteItemUse(packet, {3010, 1, 0x20, u"ignored"}, false);
    EXPECT_EQ(FinishedBytes(packet).size(), 4u + 4 + 1 + 8) << "only the nickname item carries one";
    ShopRequests::WriteMembership(packet, {2, 0, 2, 1, u"Ann"});
    EXPECT_EQ(FinishedBytes(packet), (Bytes{18, 0, 83, 0, 2, 0, 2, 1, 6, 0, 'A', 0, 'n', 0, 'n', 0, 0, 0}));
}

TEST(ShopMessagesTest, ItemBuyResultReadsTheItemOnlyForAPurchase) {
    const auto shape = [](uint32_t type) {
        return type == 3100 ? BoughtItemShape::kPersonalCue
                            : type < 4000 ? BoughtItemShape::kStockCue : BoughtItemShape::kCounted;
    };
    Packet bought = Received([] {
        Packet p;
        p.Init(MessageId::ItemBuyResult).WriteU8(1).WriteU8(0).WriteI64(4000).WriteI64(900).WriteU32(0).WriteU32(0);
        p.WriteI64(0x1234).WriteU32(4901).WriteU8(3).WriteU8(0).WriteU16(100).WriteU16(100);
        return p;
    }());
    const auto chalk = ShopAnswers::ReadItemBuy(bought, shape);
    ASSERT_TRUE(chalk && chalk->item);
    EXPECT_EQ(chalk->cash, 4000);
    EXPECT_EQ(chalk->item->key, 0x1234);
    EXPECT_EQ(chalk->item->remaining, 100);

    Packet gift = Received([] {
        Packet p;
        p.Init(MessageId::ItemBuyResult).WriteU8(2).WriteU8(0).WriteI64(4000).WriteI64(900).WriteU32(0).WriteU32(0);
        return p;
    }());
    const auto given = ShopAnswers::ReadItemBuy(gift, shape);
    ASSERT_TRUE(given);
    EXPECT_FALSE(given->item) << "a gift's answer carries no item";

    Packet clan = Received(kvtest::ShortMessage(MessageId::ItemBuyResult, {{3, 1}, {0, 1}}));
    EXPECT_TRUE(ShopAnswers::ReadItemBuy(clan, shape)) << "a clan gift carries no balances";
    Packet refused = Received(kvtest::ShortMessage(MessageId::ItemBuyResult, {{1, 1}, {2, 1}}));
    const auto failed = ShopAnswers::ReadItemBuy(refused, shape);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->result, 2);
    Packet cut = Received(kvtest::ShortMessage(MessageId::ItemBuyResult, {{1, 1}, {0, 1}, {5, 4}}));
    EXPECT_FALSE(ShopAnswers::ReadItemBuy(cut, shape)) << "a message that ends early reads nothing";
}

TEST(ShopMessagesTest, AnswersWithOptionalTails) {
    Packet none = Received(kvtest::ShortMessage(MessageId::MembershipResult, {{0, 1}, {1, 4}, {0, 4}, {0, 4}, {0, 4},
                                                                              {7, 4}, {0, 1}}));
    const auto state0 = ShopAnswers::ReadMembership(none);
    ASSERT_TRUE(state0);
    EXPECT_EQ(state0->cash, 1);
    EXPECT_EQ(state0->bonus, 7u);
    EXPECT_TRUE(state0->endDate.empty()) << "no end date without a membership";

    Packet used = Received([] {
        Packet p;
        p.Init(MessageId::ItemUseResult).WriteU8(0).WriteI64(0).WriteU32(4901).WriteU8(1).WriteU8(0);
        return p;
    }());
    const auto zeroKey = ShopAnswers::ReadItemUse(used);
    ASSERT_TRUE(zeroKey);
    EXPECT_TRUE(zeroKey->text.empty()) << "a zero key carries no text";
    Packet game = Received([] {
        Packet p;
        p.Init(MessageId::GameDefaultItemResult).WriteU8(0).WriteU8(3).WriteU8(1).WriteI64(12).WriteU32(3010);
        p.WriteU8(1).WriteU8(0).WriteWString(u"until Friday");
        return p;
    }());
    const auto byGame = ShopAnswers::ReadGameDefaultItem(game);
    ASSERT_TRUE(byGame);
    EXPECT_EQ(byGame->gameType, 3);
    EXPECT_EQ(byGame->text, u"until Friday");
    Packet quantity = Received(kvtest::ShortMessage(MessageId::ItemQuantity, {{0, 1}, {12, 4}, {0, 4}, {0, 2}}));
    const auto spent = ShopAnswers::ReadItemQuantity(quantity);
    ASSERT_TRUE(spent);
    EXPECT_EQ(spent->key, 12);
    EXPECT_EQ(spent->remaining, 0);
    Packet upgrade = Received([] {
        Packet p;
        p.Init(MessageId::CueUpgradeResult).WriteU8(0).WriteI64(1).WriteI64(2).WriteI64(30).WriteU8(0xFF).WriteI64(5000);
        for (uint8_t s = 1; s <= 5; ++s) p.WriteU8(s);
        return p;
    }());
    const auto cue = ShopAnswers::ReadCueUpgrade(upgrade);
    ASSERT_TRUE(cue);
    EXPECT_EQ(cue->key, 30);
    EXPECT_EQ(cue->upgradePoints, 5000);
    EXPECT_EQ(cue->stats[4], 5);
}

}  // namespace
}  // namespace kestrovan
