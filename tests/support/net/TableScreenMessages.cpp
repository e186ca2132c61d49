#include "tests/support/net/TableScreenMessages.h"

#include "client/scenes/practice/PracticeMessages.h"
#include "tests/support/net/BuiltMessage.h"

#include "QuillLib/net/MessageId.h"

namespace kvtest {

using quill::MessageId;
using quill::Packet;

Packet GoldChargedReply(uint8_t result, int64_t gold, uint32_t amount, uint8_t chargesLeft) {
    return BuiltMessage(MessageId::GoldCharged, kestrovan::GoldChargedMessage{.result = result, .gold = gold,
                                                                             .amount = amount,
                                                                             .chargesLeft = chargesLeft});
}

Packet ChallengeRewardReply(uint32_t amount, int64_t gold) {
    return BuiltMessage(MessageId::ChallengeReward, kestrovan::ChallengeRewardMessage{.amount = amount, .gold = gold});
}

}  // namespace kvtest
