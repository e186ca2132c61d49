#include "QuillLib/net/PacketCipher.h"

#include <algorithm>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/net/CipherError.h"
#include "QuillLib/net/DesCbc.h"

namespace quill {
namespace {

// Messages are fed to the CBC updates in pieces of this size.
constexpr size_t kUpdateChunk = 256;

// The largest message whose frame length still fits the frame's u16.
constexpr size_t kLargestMessage = 65535 - 2 - 8;

// Feeds input to one direction of the cipher in update-sized pieces, then finishes it, writing from output[length]
// on and advancing length by what was written. Update and Final are that direction's two member functions.
template <class Update, class Final>
int RunCipher(DesCbc& cbc, Update update, Final finish, std::span<const uint8_t> input, std::span<uint8_t> output,
              size_t& length) {
    int result = kCipherOk;
    for (size_t offset = 0; result == kCipherOk && offset < input.size(); offset += kUpdateChunk) {
        size_t written = 0;
        result = (cbc.*update)(input.subspan(offset, std::min(kUpdateChunk, input.size() - offset)),
                               output.subspan(length), written);
        length += written;
    }
    if (result == kCipherOk) {
        size_t written = 0;
        result = (cbc.*finish)(output.subspan(length), written);
        length += written;
    }
    return result;
}

}  // namespace

PacketCipher::PacketCipher(const PacketCipherKeys& keys) : builtWith_(keys) {
    Reset();
}

void PacketCipher::Reset() {
    ScopedLock holdDecipher(decipherLock_);
    ScopedLock holdEncipher(encipherLock_);
    encipherKey_ = builtWith_.encipherKey;
    decipherKey_ = builtWith_.decipherKey;
    iv_ = builtWith_.iv;
    encipherIvMask_ = 1;
    decipherIvMask_ = 1;
}

int PacketCipher::EncryptPacket(std::span<const uint8_t> message, std::span<uint8_t> frame, uint32_t& frameLength) {
    ScopedLock hold(encipherLock_);
    frameLength = 0;
    if (message.size() > kLargestMessage || frame.size() < FrameLength(static_cast<uint32_t>(message.size()))) {
        return kCipherBadArgument;
    }
    DesCbc cbc;
    int result = cbc.Init(DesCbc::kPaddingPkcs5, encipherKey_, ChainingValue(encipherIvMask_));
    size_t length = 2;
    if (result == kCipherOk) {
        result = RunCipher(cbc, &DesCbc::EncryptUpdate, &DesCbc::EncryptFinal, message, frame, length);
    }
    if (result != kCipherOk) {
        return result;
    }
    frame[0] = static_cast<uint8_t>(length);
    frame[1] = static_cast<uint8_t>(length >> 8);
    frameLength = static_cast<uint32_t>(length);
    return kCipherOk;
}

int PacketCipher::DecryptPacket(std::span<const uint8_t> ciphertext, std::span<uint8_t> plain, uint32_t& plainLength) {
    ScopedLock hold(decipherLock_);
    plainLength = 0;
    DesCbc cbc;
    int result = cbc.Init(DesCbc::kPaddingPkcs5, decipherKey_, ChainingValue(decipherIvMask_));
    size_t length = 0;
    if (result == kCipherOk) {
        result = RunCipher(cbc, &DesCbc::DecryptUpdate, &DesCbc::DecryptFinal, ciphertext, plain, length);
    }
    if (result != kCipherOk) {
        return result;
    }
    plainLength = static_cast<uint32_t>(length);
    return kCipherOk;
}

PacketCipher::Block PacketCipher::ChainingValue(uint16_t ivMask) const {
    Block chain = iv_;
    for (uint8_t& byte : chain) {
        byte ^= static_cast<uint8_t>(ivMask);
    }
    return chain;
}

}  // namespace quill
