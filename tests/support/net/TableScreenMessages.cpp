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

}  // namespace kvtest
