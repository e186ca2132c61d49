#pragma once
// ItemUseResult (96), the server's answer to ItemUse, as the room, the practice room and the shop read it: a
// result byte, and for result 0 the item's key pair (the key the low u32), a value, the in-use state, one more
// byte, and the item's name when the key is not 0.
//
// Threads: any (pure).
#include <cstdint>
#include <optional>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

struct ItemUseResultMessage {
    uint8_t result = 0;  // 0: used
    uint32_t key = 0;
    uint32_t subKey = 0;
    uint32_t value = 0;
    uint8_t inUse = 0;
    uint8_t extra = 0;
    quill::WString name;
};

// Nothing when the message ends before its fields do.
std::optional<ItemUseResultMessage> ReadItemUseResult(quill::Packet& packet);

}  // namespace kestrovan
