#include "client/scenes/common/messages/ShopMessages.h"

#include <functional>

#include "client/scenes/common/TextFields.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;

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
    return quill::ReadMessage<uint8_t>(packet);
}

std::optional<MembershipResult> ShopAnswers::ReadMembership(Packet& packet) {
    return quill::ReadMessage<MembershipResult>(packet);
}

std::optional<CoinGiftResult> ShopAnswers::ReadCoinGift(Packet& packet) {
    return quill::ReadMessage<CoinGiftResult>(packet);
}

std::optional<ItemBuyResult> ShopAnswers::ReadItemBuy(Packet& packet, const ShapeOf& shapeOf) {
    return quill::ReadMessage<ItemBuyResult>(packet, std::cref(shapeOf));
}

std::optional<ItemUseResult> ShopAnswers::ReadItemUse(Packet& packet) {
    return quill::ReadMessage<ItemUseResult>(packet, UsedItemAnswer::kItemUse);
}

std::optional<ItemUseResult> ShopAnswers::ReadDefaultItem(Packet& packet) {
    return quill::ReadMessage<ItemUseResult>(packet, UsedItemAnswer::kDefaultItem);
}

std::optional<ItemUseResult> ShopAnswers::ReadGameDefaultItem(Packet& packet) {
    return quill::ReadMessage<ItemUseResult>(packet, UsedItemAnswer::kGameDefaultItem);
}

std::optional<ItemDeleteResult> ShopAnswers::ReadItemDelete(Packet& packet) {
    return quill::ReadMessage<ItemDeleteResult>(packet);
}

std::optional<PartsBuyResult> ShopAnswers::ReadPartsBuy(Packet& packet) {
    return quill::ReadMessage<PartsBuyResult>(packet);
}

std::optional<CueUpgradeResult> ShopAnswers::ReadCueUpgrade(Packet& packet) {
    return quill::ReadMessage<CueUpgradeResult>(packet);
}

std::optional<CueRepairResult> ShopAnswers::ReadCueRepair(Packet& packet) {
    return quill::ReadMessage<CueRepairResult>(packet);
}

std::optional<CueRetuneResult> ShopAnswers::ReadCueRetune(Packet& packet) {
    return quill::ReadMessage<CueRetuneResult>(packet);
}

std::optional<ItemQuantity> ShopAnswers::ReadItemQuantity(Packet& packet) {
    return quill::ReadMessage<ItemQuantity>(packet);
}

}  // namespace kestrovan
