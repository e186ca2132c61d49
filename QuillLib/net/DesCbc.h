#pragma once
// DES in cipher block chaining mode over a stream of updates: each update takes any number of bytes and
// emits the whole blocks it completes; the final step closes the stream, adding or checking the padding.
// One context serves one message: it holds the key schedule, the chaining value and up to one block of
// input not yet emitted.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "QuillLib/net/Des.h"

namespace quill {

class DesCbc {
public:
    static constexpr int kPaddingNone = 1;   // the input must be whole blocks
    static constexpr int kPaddingPkcs5 = 2;  // 1 to 8 bytes of value n fill the last block

    // Starts a stream. Returns kCipherOk, kCipherBadArgument for an unknown padding mode, or the key
    // schedule's error (Des::SetKey).
    int Init(int paddingMode, std::span<const uint8_t> key, std::span<const uint8_t, Des::kBlockSize> iv);

    // Each writes its output at the start of out and sets written. They fail with kCipherBadArgument when
    // out is the input itself or too small for the whole blocks the step emits.
    int EncryptUpdate(std::span<const uint8_t> in, std::span<uint8_t> out, size_t& written);
    int EncryptFinal(std::span<uint8_t> out, size_t& written);

    // The decipher update always keeps the last whole block back, for the final step to check its padding.
    int DecryptUpdate(std::span<const uint8_t> in, std::span<uint8_t> out, size_t& written);
    int DecryptFinal(std::span<uint8_t> out, size_t& written);

private:
    // Moves as much of in as fits into the pending block; returns the count taken.
    size_t Absorb(std::span<const uint8_t> in);
    // Emits the block held in pending_, enciphered or deciphered with the chaining value.
    void EncryptPending(uint8_t* out);
    void DecryptPending(uint8_t* out);

    int paddingMode_ = kPaddingPkcs5;
    size_t count_ = 0;  // bytes held in pending_
    std::array<uint8_t, Des::kBlockSize> chain_{};
    std::array<uint8_t, Des::kBlockSize> pending_{};
    Des des_;
};

}  // namespace quill
