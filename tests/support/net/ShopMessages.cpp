#include "tests/support/net/ShopMessages.h"

#include "client/scenes/common/messages/ShopMessages.h"
#include "tests/support/net/BuiltMessage.h"

namespace kvtest {

using quill::MessageId;
using quill::Packet;

namespace {

constexpr uint8_t kInUse = 1;
constexpr uint16_t kNoName = 0xFFFF;

bool IsStockCue(uint32_t typeCode) {
    return typeCode >= 3000 && typeCode < 3100;
}

}  // namespace

Packet InventoryListMessage(const std::vector<TestOwnedItem>& items) {
    Packet p;
    p.Init(MessageId::InventoryList).WriteU8(static_cast<uint8_t>(items.size()));
    for (const TestOwnedItem& item : items) {
        p.WriteI64(item.key).WriteU8(item.status).WriteU32(item.typeCode).WriteU8(item.state);
        p.WriteU16(item.remaining).WriteU16(item.limit);
        if (item.status == kInUse && item.remaining != kNoName) p.WriteWString(item.name);
        p.WriteU8(0).WriteU8(0);  // class and custom flag
    }
    return p;
}

Packet ItemBuyResultMessage(uint8_t mode, uint8_t result, int64_t cash, int64_t cueMoney, const TestOwnedItem& item) {
    kestrovan::ItemBuyResult m{.mode = mode, .result = result, .cash = cash, .cueMoney = cueMoney, .item = {}};
    if (mode == 1) {
        m.item = kestrovan::BoughtItem{.key = item.key, .typeCode = item.typeCode, .state = item.state,
                                       .status = item.status,
                                       .shape = IsStockCue(item.typeCode) ? kestrovan::BoughtItemShape::kStockCue
                                                                          : kestrovan::BoughtItemShape::kCounted,
                                       .name = {},
                                       .remaining = item.remaining, .limit = item.limit};
    }
    return BuiltMessage(MessageId::ItemBuyResult, m, kestrovan::ShopAnswers::ShapeOf{});
}

Packet MembershipResultMessage(uint8_t result, int64_t cash, int64_t cueMoney, uint32_t bonus, uint8_t state,
                               quill::WStringView endDate) {
    const kestrovan::MembershipResult m{.result = result, .cash = cash, .cueMoney = cueMoney, .bonus = bonus,
                                        .state = state, .endDate = quill::WString(endDate), .value = 1};
    return BuiltMessage(MessageId::MembershipResult, m);
}

Packet ItemUseResultMessage(uint8_t result, int64_t key, uint32_t typeCode, quill::WStringView text) {
    const kestrovan::ItemUseResult m{.result = result, .key = key, .typeCode = typeCode, .status = kInUse,
                                     .text = quill::WString(text)};
    return BuiltMessage(MessageId::ItemUseResult, m, kestrovan::UsedItemAnswer::kItemUse);
}

Packet DefaultItemResultMessage(uint8_t result, uint8_t defaultKind, int64_t key, uint32_t typeCode, int32_t gameType) {
    const kestrovan::ItemUseResult m{.result = result, .gameType = static_cast<uint8_t>(gameType),
                                     .defaultKind = defaultKind, .key = key, .typeCode = typeCode, .status = kInUse,
                                     .text = u"2030-12-31"};
    if (gameType < 0) return BuiltMessage(MessageId::DefaultItemResult, m, kestrovan::UsedItemAnswer::kDefaultItem);
    return BuiltMessage(MessageId::GameDefaultItemResult, m, kestrovan::UsedItemAnswer::kGameDefaultItem);
}

Packet ItemDeleteResultMessage(uint8_t result, int64_t key) {
    return BuiltMessage(MessageId::ItemDeleteResult, kestrovan::ItemDeleteResult{.result = result, .key = key});
}

Packet ItemQuantityMessage(int64_t key, uint16_t remaining) {
    return BuiltMessage(MessageId::ItemQuantity, kestrovan::ItemQuantity{.key = key, .remaining = remaining});
}

}  // namespace kvtest
