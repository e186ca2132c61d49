#pragma once
// The key material of the packet cipher: a key for each direction and the initial vector. The client and
// the game server are built with the same material; what one side enciphers with, the other deciphers with.
#include <array>
#include <cstdint>

namespace quill {

struct PacketCipherKeys {
    std::array<uint8_t, 8> encipherKey;
    std::array<uint8_t, 8> decipherKey;
    std::array<uint8_t, 8> iv;

    // The material built into the client.
    static const PacketCipherKeys& BuiltIn();

    // The same material as the peer sees it: the two keys exchanged.
    PacketCipherKeys Mirrored() const;
};

}  // namespace quill
