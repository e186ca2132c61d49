#pragma once
// Server messages of the practice room as the game server sends them: the gold charge's answer and the
// challenge's reward (the answer to an item use is the shop's, ShopMessages.h). Each builder returns the message unsent; AsReceived
// (ServerMessages.h) turns it into what a receiver holds.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"

namespace kvtest {

quill::Packet GoldChargedReply(uint8_t result, int64_t gold, uint32_t amount, uint8_t chargesLeft);
quill::Packet ChallengeRewardReply(uint32_t amount, int64_t gold);

}  // namespace kvtest
