#pragma once
// Owns the socket's PacketCipher and passes the cipher operations on to it.
#include <cstdint>
#include <memory>
#include <span>

#include "QuillLib/net/PacketCipher.h"

namespace quill {

class PacketCipherHolder {
public:
    explicit PacketCipherHolder(const PacketCipherKeys& keys = PacketCipherKeys::BuiltIn());
    virtual ~PacketCipherHolder() = default;

    void Reset();
    int EncryptPacket(std::span<const uint8_t> message, std::span<uint8_t> frame, uint32_t& frameLength);
    int DecryptPacket(std::span<const uint8_t> ciphertext, std::span<uint8_t> plain, uint32_t& plainLength);

private:
    std::unique_ptr<PacketCipher> cipher_;
};

}  // namespace quill
