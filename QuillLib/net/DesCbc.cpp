#include "QuillLib/net/DesCbc.h"

#include <algorithm>

#include "QuillLib/net/CipherError.h"

namespace quill {
namespace {

constexpr size_t kBlock = Des::kBlockSize;

bool Overlaps(std::span<const uint8_t> in, std::span<uint8_t> out) {
    return !in.empty() && !out.empty() && in.data() == out.data();
}

}  // namespace

int DesCbc::Init(int paddingMode, std::span<const uint8_t> key, std::span<const uint8_t, kBlock> iv) {
    if (paddingMode != kPaddingNone && paddingMode != kPaddingPkcs5) {
        return kCipherBadArgument;
    }
    const int keyResult = des_.SetKey(key);
    if (keyResult != kCipherOk) {
        return keyResult;
    }
    paddingMode_ = paddingMode;
    count_ = 0;
    std::copy(iv.begin(), iv.end(), chain_.begin());
    return kCipherOk;
}

int DesCbc::EncryptUpdate(std::span<const uint8_t> in, std::span<uint8_t> out, size_t& written) {
    written = 0;
    if (Overlaps(in, out) || out.size() < (count_ + in.size()) / kBlock * kBlock) {
        return kCipherBadArgument;
    }
    for (size_t offset = 0; offset < in.size();) {
        offset += Absorb(in.subspan(offset));
        if (count_ == kBlock) {
            EncryptPending(out.data() + written);
            written += kBlock;
        }
    }
    return kCipherOk;
}

int DesCbc::EncryptFinal(std::span<uint8_t> out, size_t& written) {
    written = 0;
    if (paddingMode_ == kPaddingNone) {
        return count_ == 0 ? kCipherOk : kCipherNotBlockMultiple;
    }
    if (out.size() < kBlock) {
        return kCipherBadArgument;
    }
    const auto padding = static_cast<uint8_t>(kBlock - count_);
    std::fill(pending_.begin() + static_cast<std::ptrdiff_t>(count_), pending_.end(), padding);
    EncryptPending(out.data());
    written = kBlock;
    return kCipherOk;
}

int DesCbc::DecryptUpdate(std::span<const uint8_t> in, std::span<uint8_t> out, size_t& written) {
    written = 0;
    const size_t held = count_ + in.size();
    const size_t emitted = held == 0 ? 0 : (held - 1) / kBlock * kBlock;
    if (Overlaps(in, out) || out.size() < emitted) {
        return kCipherBadArgument;
    }
    for (size_t offset = 0; offset < in.size();) {
        // A full pending block is emitted only once a byte after it shows that it is not the last.
        if (count_ == kBlock) {
            DecryptPending(out.data() + written);
            written += kBlock;
        }
        offset += Absorb(in.subspan(offset));
    }
    return kCipherOk;
}

int DesCbc::DecryptFinal(std::span<uint8_t> out, size_t& written) {
    written = 0;
    if (count_ == 0) {
        return kCipherOk;
    }
    if (count_ != kBlock) {
        return kCipherPartialBlock;
    }
    uint8_t block[kBlock];
    DecryptPending(block);
    size_t kept = kBlock;
    if (paddingMode_ == kPaddingPkcs5) {
        const uint8_t padding = block[kBlock - 1];
        if (padding < 1 || padding > kBlock ||
            !std::all_of(block + kBlock - padding, block + kBlock, [&](uint8_t b) { return b == padding; })) {
            return kCipherBadPadding;
        }
        kept = kBlock - padding;
    }
    if (out.size() < kept) {
        return kCipherBadArgument;
    }
    std::copy_n(block, kept, out.begin());
    written = kept;
    return kCipherOk;
}

size_t DesCbc::Absorb(std::span<const uint8_t> in) {
    const size_t taken = std::min(kBlock - count_, in.size());
    std::copy_n(in.begin(), taken, pending_.begin() + static_cast<std::ptrdiff_t>(count_));
    count_ += taken;
    return taken;
}

void DesCbc::EncryptPending(uint8_t* out) {
    for (size_t i = 0; i < kBlock; ++i) {
        pending_[i] ^= chain_[i];
    }
    des_.EncryptBlock(pending_.data(), chain_.data());
    std::copy(chain_.begin(), chain_.end(), out);
    count_ = 0;
}

void DesCbc::DecryptPending(uint8_t* out) {
    uint8_t plain[kBlock];
    des_.DecryptBlock(pending_.data(), plain);
    for (size_t i = 0; i < kBlock; ++i) {
        out[i] = plain[i] ^ chain_[i];
    }
    chain_ = pending_;
    count_ = 0;
}

}  // namespace quill
