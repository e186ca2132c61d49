#include "QuillLib/net/ClSocketBase.h"

#include <algorithm>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/net/CipherError.h"

namespace quill {
namespace {

constexpr uint32_t kSmallestEncipheredFrame = 2 + 8;  // the u16 length and one padded block

uint16_t LoadU16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

}  // namespace

ClSocketBase::ClSocketBase(const PacketCipherKeys& keys) : cipher_(keys) {}

void ClSocketBase::EnableEncryption() {
    cipher_.Reset();
    encrypted_ = true;
}

int ClSocketBase::State() const {
    return state_;
}

int ClSocketBase::LastError() const {
    return lastError_;
}

int ClSocketBase::HasWholePacket() const {
    if (ring_.Used() < Packet::kHeaderSize) {
        return 0;
    }
    const int length = ring_.PeekU16();
    if (!IsValidFrameLength(length)) {
        return kBadFrameLength;
    }
    return ring_.Used() >= static_cast<uint32_t>(length) ? length : 0;
}

int ClSocketBase::ReceivePacket(Packet& incoming) {
    const int length = ring_.PeekU16();
    if (!IsValidFrameLength(length)) {
        TheLog().LogError(u"ERROR : INVALID PACKET SIZE %d\n", length);
        return kBadFrameLength;
    }
    const auto frameLength = static_cast<uint32_t>(length);
    std::span<uint8_t> storage = incoming.Storage();
    int remaining = 0;
    uint32_t messageLength = frameLength;
    if (encrypted_) {
        remaining = ring_.Read(receiveCipherBuffer_, frameLength);
        const int result = cipher_.DecryptPacket({receiveCipherBuffer_ + 2, frameLength - 2}, storage, messageLength);
        if (result != kCipherOk) {
            lastError_ = result;
            TheLog().LogError(u"WARNING : DECRYPT ERROR %d\n", result);
            return kCipherFailure;
        }
    } else {
        remaining = ring_.Read(storage.data(), frameLength);
    }
    if (remaining < 0) {
        TheLog().LogError(u"ERROR : REMAIN < 0\n");
    }
    // The message's own length must agree with what the frame carried, or its readers would run past it.
    if (!incoming.AcceptReceived(messageLength)) {
        const int claimed = messageLength >= 2 ? LoadU16(storage.data()) : -1;
        TheLog().LogError(u"WARNING : INVALID MESSAGE LENGTH %d\n", claimed);
        return kCipherFailure;
    }
    return remaining;
}

bool ClSocketBase::FeedReceived(std::span<const uint8_t> bytes, const std::function<void(int)>& report) {
    size_t fed = 0;
    while (fed < bytes.size()) {
        const size_t piece = std::min<size_t>(ring_.FreeSpace(), bytes.size() - fed);
        if (piece == 0) {
            // Frames are smaller than the buffer, so a full buffer without a whole frame cannot recover.
            TheLog().LogError(u"WARNING : BUFFER IS FULL\n");
            return false;
        }
        ring_.Write(bytes.data() + fed, static_cast<uint32_t>(piece));
        fed += piece;
        while (HasWholePacket() != 0) {
            const int result = ReceivePacket(incoming_);
            report(result);
            if (result == kBadFrameLength) {
                return false;
            }
            // Dropping a bad frame and going on suits a frame damaged now and then; a stream of them is not a
            // game server's, and each would cost a log line.
            badFramesInARow_ = result == kCipherFailure ? badFramesInARow_ + 1 : 0;
            if (badFramesInARow_ >= kMaxBadFramesInARow) {
                TheLog().LogError(u"WARNING : %d BAD FRAMES IN A ROW, CONNECTION ENDED\n", badFramesInARow_);
                badFramesInARow_ = 0;
                return false;
            }
            // A frame that did not decipher has been taken out and dropped, so the frames behind it go on
            // being drained; stopping here would hold them back until the server happened to send more.
            if (result == 0) {
                break;
            }
        }
    }
    return true;
}

const Packet& ClSocketBase::IncomingPacket() const {
    return incoming_;
}

int ClSocketBase::PrepareFrames(std::span<const uint8_t> messages, std::span<const uint8_t>& frames) {
    frames = {};
    uint32_t framesLength = 0;
    for (size_t offset = 0; offset < messages.size();) {
        const uint32_t length = messages.size() - offset >= 2 ? LoadU16(messages.data() + offset) : 0;
        if (length < Packet::kHeaderSize || length > messages.size() - offset) {
            TheLog().LogError(u"WARNING : MALFORMED PACKET NOT SENT\n");
            return kBadFrameLength;
        }
        framesLength += encrypted_ ? PacketCipher::FrameLength(length) : length;
        offset += length;
    }
    if (framesLength > kFrameBufferSize) {
        TheLog().LogError(u"WARNING : PACKET TOO LARGE TO SEND %d\n", static_cast<int>(framesLength));
        return kBadFrameLength;
    }
    if (!encrypted_) {
        frames = messages;
        return 0;
    }
    uint32_t written = 0;
    for (size_t offset = 0; offset < messages.size();) {
        const uint16_t length = LoadU16(messages.data() + offset);
        uint32_t frameLength = 0;
        if (cipher_.EncryptPacket(messages.subspan(offset, length), {sendBuffer_ + written, kFrameBufferSize - written},
                                  frameLength) != kCipherOk) {
            return kCipherFailure;
        }
        written += frameLength;
        offset += length;
    }
    frames = {sendBuffer_, written};
    return 0;
}

void ClSocketBase::SetState(int state) {
    state_ = state;
}

void ClSocketBase::SetLastError(int error) {
    lastError_ = error;
}

CriticalSectionLock& ClSocketBase::BaseLock() {
    return lock_;
}

void ClSocketBase::ClearReceived() {
    ring_.Clear();
    badFramesInARow_ = 0;
}

bool ClSocketBase::IsValidFrameLength(int length) const {
    if (length > static_cast<int>(kFrameBufferSize)) {
        return false;
    }
    if (!encrypted_) {
        return length >= static_cast<int>(Packet::kHeaderSize);
    }
    // An enciphered frame is its u16 length and whole cipher blocks, at least one.
    return length >= static_cast<int>(kSmallestEncipheredFrame) && (length - 2) % 8 == 0;
}

}  // namespace quill
