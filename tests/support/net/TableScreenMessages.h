#pragma once
// Server messages of the practice room as the game server sends them: the gold charge's answer, the
// challenge's reward and the answer to an item use. Each builder returns the message unsent; AsReceived
// (ServerMessages.h) turns it into what a receiver holds.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"

namespace kvtest {

quill::Packet GoldChargedReply(uint8_t result, int64_t gold, uint32_t amount, uint8_t chargesLeft);
quill::Packet ChallengeRewardReply(uint32_t amount, int64_t gold);
// Result 0 with the item's key, its new status and (for a key other than 0) its name; else the result alone.
quill::Packet ItemUseResultReply(uint8_t result, uint32_t key, uint32_t subKey, uint8_t status,
                                 quill::WStringView name);

}  // namespace kvtest
