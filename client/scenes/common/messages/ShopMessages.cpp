#include "client/scenes/common/messages/ShopMessages.h"

#include "client/scenes/common/PacketReadCheck.h"
#include "client/scenes/common/TextFields.h"

namespace kestrovan {

namespace {

using quill::MessageId;
using quill::Packet;

quill::WString ReadText(Packet& packet) {
    return CutToLength(packet.ReadWString(), kShopTextUnits);
}

template <size_t N>
void ReadBytes(Packet& packet, std::array<uint8_t, N>& values) {
    for (uint8_t& value : values) value = packet.ReadU8();
}

template <size_t N>
void ReadWords(Packet& packet, std::array<uint16_t, N>& values) {
    for (uint16_t& value : values) value = packet.ReadU16();
}

}  // namespace

// --- Requests ---

void ShopRequests::WriteMembership(Packet& packet, const MembershipRequest& request) {
    packet.Init(MessageId::MembershipRequest).WriteU8(request.mode).WriteU8(request.upgrade).WriteU8(request.option);
    packet.WriteU8(request.period).WriteWString(CutToLength(request.recipient, kNicknameUnits));
}

void ShopRequests::WriteItemUse(Packet& packet, const ItemUseRequest& request, bool alt) {
    packet.Init(alt ? MessageId::ItemUseAlt : MessageId::ItemUse).WriteU32(request.typeCode).WriteU8(request.kind);
    packet.WriteI64(request.key);
    if (!alt && request.typeCode == kNicknameItem) packet.WriteWString(CutToLength(request.nickname, kNicknameUnits));
}

void ShopRequests::WriteItemDelete(Packet& packet, int64_t key) {
    packet.Init(MessageId::ItemDelete).WriteI64(key);
}

void ShopRequests::WriteLeaveShop(Packet& packet) {
    packet.Init(MessageId::LeaveShop).WriteU8(0);
}

// --- Answers ---

std::optional<uint8_t> ShopAnswers::ReadResult(Packet& packet) {
    const PacketReadCheck check(packet);
    uint8_t result = packet.ReadU8();
    return check.Result(std::move(result));
}

std::optional<MembershipResult> ShopAnswers::ReadMembership(Packet& packet) {
    const PacketReadCheck check(packet);
    MembershipResult m;
    m.result = packet.ReadU8();
    if (m.result == 0) {
        m.cash = packet.ReadI64();
        m.cueMoney = packet.ReadI64();
        m.bonus = packet.ReadU32();
        m.state = packet.ReadU8();
        if (m.state > 0) {
            m.endDate = ReadText(packet);
            m.value = packet.ReadU16();
        }
    }
    return check.Result(std::move(m));
}

std::optional<CoinGiftResult> ShopAnswers::ReadCoinGift(Packet& packet) {
    const PacketReadCheck check(packet);
    CoinGiftResult m;
    m.result = packet.ReadU8();
    if (m.result == 0) {
        m.amount = packet.ReadU32();
        m.recipient = ReadText(packet);
    }
    return check.Result(std::move(m));
}

std::optional<ItemBuyResult> ShopAnswers::ReadItemBuy(Packet& packet, const ShapeOf& shapeOf) {
    const PacketReadCheck check(packet);
    ItemBuyResult m;
    m.mode = packet.ReadU8();
    m.result = packet.ReadU8();
    if (m.result == 0 && m.mode != 3) {
        m.cash = packet.ReadI64();
        m.cueMoney = packet.ReadI64();
        m.bonus = packet.ReadU32();
        m.coins = packet.ReadU32();
    }
    if (m.result == 0 && m.mode == 1) {
        BoughtItem item;
        ReadBoughtItem(packet, shapeOf, item);
        m.item = std::move(item);
    }
    return check.Result(std::move(m));
}

void ShopAnswers::ReadBoughtItem(Packet& packet, const ShapeOf& shapeOf, BoughtItem& item) {
    item.key = packet.ReadI64();
    item.typeCode = packet.ReadU32();
    item.state = packet.ReadU8();
    item.status = packet.ReadU8();
    item.shape = shapeOf ? shapeOf(item.typeCode) : BoughtItemShape::kCounted;
    switch (item.shape) {
        case BoughtItemShape::kPersonalCue:
            item.cueValue = packet.ReadU32();
            item.name = ReadText(packet);
            ReadWords(packet, item.parts);
            ReadBytes(packet, item.stats);
            break;
        case BoughtItemShape::kStockCue:
            break;
        case BoughtItemShape::kCounted:
            item.remaining = packet.ReadU16();
            item.limit = packet.ReadU16();
            break;
    }
}

void ShopAnswers::ReadUsedItem(Packet& packet, ItemUseResult& m) {
    m.key = packet.ReadI64();
    m.typeCode = packet.ReadU32();
    m.status = packet.ReadU8();
    m.extra = packet.ReadU8();
    if (m.key != 0) m.text = ReadText(packet);
}

std::optional<ItemUseResult> ShopAnswers::ReadItemUse(Packet& packet) {
    const PacketReadCheck check(packet);
    ItemUseResult m;
    m.result = packet.ReadU8();
    if (m.result == 0) ReadUsedItem(packet, m);
    return check.Result(std::move(m));
}

std::optional<ItemUseResult> ShopAnswers::ReadDefaultItem(Packet& packet) {
    const PacketReadCheck check(packet);
    ItemUseResult m;
    m.result = packet.ReadU8();
    if (m.result == 0) {
        m.defaultKind = packet.ReadU8();
        ReadUsedItem(packet, m);
    }
    return check.Result(std::move(m));
}

std::optional<ItemUseResult> ShopAnswers::ReadGameDefaultItem(Packet& packet) {
    const PacketReadCheck check(packet);
    ItemUseResult m;
    m.result = packet.ReadU8();
    if (m.result == 0) {
        m.gameType = packet.ReadU8();
        m.defaultKind = packet.ReadU8();
        ReadUsedItem(packet, m);
    }
    return check.Result(std::move(m));
}

std::optional<ItemDeleteResult> ShopAnswers::ReadItemDelete(Packet& packet) {
    const PacketReadCheck check(packet);
    ItemDeleteResult m;
    m.result = packet.ReadU8();
    if (m.result == 0) m.key = packet.ReadI64();
    return check.Result(std::move(m));
}

std::optional<PartsBuyResult> ShopAnswers::ReadPartsBuy(Packet& packet) {
    const PacketReadCheck check(packet);
    PartsBuyResult m;
    m.result = packet.ReadU8();
    if (m.result == 0) {
        m.cash = packet.ReadI64();
        m.cueMoney = packet.ReadI64();
        m.key = packet.ReadI64();
        ReadWords(packet, m.parts);
        ReadBytes(packet, m.stats);
        m.durabilityCurrent = packet.ReadU32();
        m.durabilityTotal = packet.ReadU32();
    }
    return check.Result(std::move(m));
}

std::optional<CueUpgradeResult> ShopAnswers::ReadCueUpgrade(Packet& packet) {
    const PacketReadCheck check(packet);
    CueUpgradeResult m;
    m.result = packet.ReadU8();
    if (m.result == 0) {
        m.cash = packet.ReadI64();
        m.cueMoney = packet.ReadI64();
        m.key = packet.ReadI64();
        m.outcome = packet.ReadU8();
        m.upgradePoints = packet.ReadI64();
        ReadBytes(packet, m.stats);
    }
    return check.Result(std::move(m));
}

std::optional<CueRepairResult> ShopAnswers::ReadCueRepair(Packet& packet) {
    const PacketReadCheck check(packet);
    CueRepairResult m;
    m.result = packet.ReadU8();
    if (m.result == 0) {
        m.cash = packet.ReadI64();
        m.cueMoney = packet.ReadI64();
        m.key = packet.ReadI64();
        m.durability = packet.ReadU32();
    }
    return check.Result(std::move(m));
}

std::optional<CueRetuneResult> ShopAnswers::ReadCueRetune(Packet& packet) {
    const PacketReadCheck check(packet);
    CueRetuneResult m;
    m.result = packet.ReadU8();
    if (m.result == 0) {
        m.cash = packet.ReadI64();
        m.key = packet.ReadI64();
        ReadBytes(packet, m.stats);
    }
    return check.Result(std::move(m));
}

std::optional<ItemQuantity> ShopAnswers::ReadItemQuantity(Packet& packet) {
    const PacketReadCheck check(packet);
    ItemQuantity m;
    m.result = packet.ReadU8();
    m.key = packet.ReadI64();
    m.remaining = packet.ReadU16();
    return check.Result(std::move(m));
}

}  // namespace kestrovan
