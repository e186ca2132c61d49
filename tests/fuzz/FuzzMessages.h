#pragma once
// The fuzzer's bytes as a received game-server message of a chosen id, for targets that feed message
// readers: the payload cut to the largest message a packet holds, the cursor on its first byte; and the
// check that aborts the run when a reader broke its promise.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "QuillLib/net/Packet.h"

namespace kvfuzz {

inline quill::Packet ReceivedMessage(quill::MessageId id, std::span<const uint8_t> payload) {
    const size_t length = std::min<size_t>(payload.size() + quill::Packet::kHeaderSize, quill::Packet::kCapacity);
    std::vector<uint8_t> message{static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                                 static_cast<uint8_t>(static_cast<uint16_t>(id)),
                                 static_cast<uint8_t>(static_cast<uint16_t>(id) >> 8)};
    message.insert(message.end(), payload.begin(), payload.begin() + (length - quill::Packet::kHeaderSize));
    quill::Packet packet;
    packet.LoadReceived(message);
    return packet;
}

inline void Check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace kvfuzz
