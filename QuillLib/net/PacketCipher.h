#pragma once
// The cipher of the game-server connection: every message is enciphered as a whole with DES in CBC mode
// with PKCS#5 padding, with a fresh key schedule and chaining value per message, so nothing carries from
// one message to the next. A message of L bytes becomes a frame of 2 + 8 * (L / 8 + 1) bytes: a u16 frame
// length, then the ciphertext.
//
// The two directions have their own locks, so the receive thread deciphers while a sender enciphers.
#include <array>
#include <cstdint>
#include <span>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/net/PacketCipherKeys.h"

namespace quill {

class PacketCipher {
public:
    explicit PacketCipher(const PacketCipherKeys& keys = PacketCipherKeys::BuiltIn());
    virtual ~PacketCipher() = default;
    PacketCipher(const PacketCipher&) = delete;
    PacketCipher& operator=(const PacketCipher&) = delete;

    static constexpr uint32_t FrameLength(uint32_t messageLength) { return 2 + 8 * (messageLength / 8 + 1); }

    // Restores the key material the cipher was built with.
    void Reset();

    // Writes the frame of message (u16 frame length, ciphertext) into frame. Returns kCipherOk or a cipher
    // error; kCipherBadArgument when frame is too small or the frame length would not fit its u16.
    int EncryptPacket(std::span<const uint8_t> message, std::span<uint8_t> frame, uint32_t& frameLength);

    // Deciphers ciphertext (a frame without its u16 length) into plain. Returns kCipherOk or a cipher error.
    int DecryptPacket(std::span<const uint8_t> ciphertext, std::span<uint8_t> plain, uint32_t& plainLength);

private:
    using Block = std::array<uint8_t, 8>;

    // The initial chaining value: the IV with every byte XORed with the mask's low byte.
    Block ChainingValue(uint16_t ivMask) const;

    CriticalSectionLock decipherLock_;
    CriticalSectionLock encipherLock_;
    const PacketCipherKeys builtWith_;
    uint16_t encipherIvMask_ = 1;
    uint16_t decipherIvMask_ = 1;
    Block encipherKey_{};
    Block decipherKey_{};
    Block iv_{};
};

}  // namespace quill
