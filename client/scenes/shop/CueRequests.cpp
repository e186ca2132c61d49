#include "client/scenes/shop/CueRequests.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;

void CueRequests::WritePersonalCueBuy(Packet& packet, const PersonalCueOrder& order) {
    packet.Init(MessageId::PersonalCueBuy).WriteU32(order.modelId).WriteU32(order.totalDurability);
    packet.WriteWString(order.name);
    for (uint8_t value : order.options) packet.WriteU8(value);
    for (uint16_t part : order.parts) packet.WriteU16(part);
}

void CueRequests::WritePartsBuy(Packet& packet, int64_t itemId, const CueParts& chosen, const CueParts& present) {
    const std::vector<uint8_t> changed = CueRules::ChangedTypes(chosen, present);
    packet.Init(MessageId::PartsBuy).WriteI64(itemId).WriteU8(static_cast<uint8_t>(changed.size()));
    for (uint8_t type : changed) packet.WriteU8(type).WriteU16(chosen[type]);
}

void CueRequests::WriteUpgrade(Packet& packet, uint8_t mode, int64_t itemId, uint8_t option) {
    packet.Init(MessageId::CueUpgrade).WriteU8(mode).WriteI64(itemId).WriteU8(option);
}

void CueRequests::WriteRepair(Packet& packet, uint8_t mode, int64_t itemId) {
    packet.Init(MessageId::CueRepair).WriteU8(mode).WriteI64(itemId);
}

void CueRequests::WriteRetune(Packet& packet, int64_t itemId, const CueOptions& options) {
    packet.Init(MessageId::CueRetune).WriteI64(itemId);
    for (uint8_t value : options) packet.WriteU8(value);
}

}  // namespace kestrovan
