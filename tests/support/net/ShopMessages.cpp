#include "tests/support/net/ShopMessages.h"

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
    Packet p;
    p.Init(MessageId::ItemBuyResult).WriteU8(mode).WriteU8(result);
    if (result != 0 || mode == 3) return p;
    p.WriteI64(cash).WriteI64(cueMoney).WriteU32(0).WriteU32(0);
    if (mode != 1) return p;
    p.WriteI64(item.key).WriteU32(item.typeCode).WriteU8(item.state).WriteU8(item.status);
    if (!IsStockCue(item.typeCode)) p.WriteU16(item.remaining).WriteU16(item.limit);
    return p;
}

Packet MembershipResultMessage(uint8_t result, int64_t cash, int64_t cueMoney, uint32_t bonus, uint8_t state,
                               quill::WStringView endDate) {
    Packet p;
    p.Init(MessageId::MembershipResult).WriteU8(result);
    if (result != 0) return p;
    p.WriteI64(cash).WriteI64(cueMoney).WriteU32(bonus).WriteU8(state);
    if (state > 0) p.WriteWString(endDate).WriteU16(1);
    return p;
}

Packet ItemUseResultMessage(uint8_t result, int64_t key, uint32_t typeCode, quill::WStringView text) {
    Packet p;
    p.Init(MessageId::ItemUseResult).WriteU8(result);
    if (result != 0) return p;
    p.WriteI64(key).WriteU32(typeCode).WriteU8(kInUse).WriteU8(0);
    if (key != 0) p.WriteWString(text);
    return p;
}

Packet DefaultItemResultMessage(uint8_t result, uint8_t defaultKind, int64_t key, uint32_t typeCode, int32_t gameType) {
    Packet p;
    p.Init(gameType < 0 ? MessageId::DefaultItemResult : MessageId::GameDefaultItemResult).WriteU8(result);
    if (result != 0) return p;
    if (gameType >= 0) p.WriteU8(static_cast<uint8_t>(gameType));
    p.WriteU8(defaultKind).WriteI64(key).WriteU32(typeCode).WriteU8(kInUse).WriteU8(0);
    if (key != 0) p.WriteWString(u"2030-12-31");
    return p;
}

Packet ItemDeleteResultMessage(uint8_t result, int64_t key) {
    Packet p;
    p.Init(MessageId::ItemDeleteResult).WriteU8(result);
    if (result == 0) p.WriteI64(key);
    return p;
}

Packet ItemQuantityMessage(int64_t key, uint16_t remaining) {
    Packet p;
    p.Init(MessageId::ItemQuantity).WriteU8(0).WriteI64(key).WriteU16(remaining);
    return p;
}

}  // namespace kvtest
