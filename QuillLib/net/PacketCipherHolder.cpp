#include "QuillLib/net/PacketCipherHolder.h"

namespace quill {

PacketCipherHolder::PacketCipherHolder(const PacketCipherKeys& keys) : cipher_(std::make_unique<PacketCipher>(keys)) {}

void PacketCipherHolder::Reset() {
    cipher_->Reset();
}

int PacketCipherHolder::EncryptPacket(std::span<const uint8_t> message, std::span<uint8_t> frame,
                                      uint32_t& frameLength) {
    return cipher_->EncryptPacket(message, frame, frameLength);
}

int PacketCipherHolder::DecryptPacket(std::span<const uint8_t> ciphertext, std::span<uint8_t> plain,
                                      uint32_t& plainLength) {
    return cipher_->DecryptPacket(ciphertext, plain, plainLength);
}

}  // namespace quill
