#pragma once
// The DES block cipher (FIPS 46): a key schedule and the encipherment and decipherment of 8-byte blocks.
// The rounds use combined S-box and permutation tables, and the initial and final permutations are done by
// bit swaps, so a block costs a few dozen table look-ups.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quill {

class Des {
public:
    static constexpr size_t kBlockSize = 8;
    static constexpr size_t kKeySize = 8;

    // Builds the 16 round keys. Returns kCipherOk, kCipherBadKeyLength when the key is not 8 bytes, or
    // kCipherWeakKey for a weak or semi-weak key (the schedule is then left as it was).
    int SetKey(std::span<const uint8_t> key);

    // True for the 4 weak and 12 semi-weak keys, compared byte for byte (parity bits included).
    static bool IsWeakKey(std::span<const uint8_t, kKeySize> key);

    void EncryptBlock(const uint8_t* in, uint8_t* out) const;
    void DecryptBlock(const uint8_t* in, uint8_t* out) const;

private:
    void CryptBlock(const uint8_t* in, uint8_t* out, bool decrypt) const;

    // Two words per round: the round key's odd and even 6-bit groups, laid out for the tables.
    std::array<uint32_t, 32> roundKeys_{};
};

}  // namespace quill
