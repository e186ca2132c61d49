#include "tests/support/net/TableScreenMessages.h"

#include "QuillLib/net/MessageId.h"

namespace kvtest {

using quill::MessageId;
using quill::Packet;

Packet GoldChargedReply(uint8_t result, int64_t gold, uint32_t amount, uint8_t chargesLeft) {
    Packet packet;
    packet.Init(MessageId::GoldCharged).WriteU8(result).WriteI64(gold).WriteU32(amount).WriteU8(chargesLeft);
    return packet;
}

Packet ChallengeRewardReply(uint32_t amount, int64_t gold) {
    Packet packet;
    packet.Init(MessageId::ChallengeReward).WriteU32(amount).WriteI64(gold);
    return packet;
}

Packet ItemUseResultReply(uint8_t result, uint32_t key, uint32_t subKey, uint8_t status, quill::WStringView name) {
    Packet packet;
    packet.Init(MessageId::ItemUseResult).WriteU8(result);
    if (result != 0) return packet;
    packet.WriteU32(key).WriteU32(subKey).WriteU32(0).WriteU8(status).WriteU8(0);
    if (key != 0 || subKey != 0) packet.WriteWString(name);
    return packet;
}

}  // namespace kvtest
