#pragma once
// The framing half of the game-server socket, free of threads and system sockets: it reassembles the
// received byte stream into frames in a ring buffer, deciphers each into the incoming packet, and turns a
// packet's messages into the frames that go out.
//
// On the wire each message travels as its own frame. Enciphered, a frame is [u16 frame length][DES-CBC
// ciphertext of the whole message] (PacketCipher); in clear it is the message itself.
#include <atomic>
#include <cstdint>
#include <functional>
#include <span>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/net/Packet.h"
#include "QuillLib/net/PacketCipherHolder.h"
#include "QuillLib/net/RingBuffer.h"

namespace quill {

class ClSocketBase {
public:
    static constexpr uint32_t kRingCapacity = 4096;
    static constexpr uint32_t kFrameBufferSize = 3080;  // the largest frame, and all frames of one packet
    static constexpr int kBadFrameLength = -2;          // also: a packet refused for its size
    static constexpr int kCipherFailure = -3;           // also: a deciphered message whose length is wrong
    static constexpr int kSendFailed = 2;
    // Frames in a row that do not decipher or whose message length disagrees, after which the stream is taken
    // for a hostile or broken one and the connection is ended.
    static constexpr int kMaxBadFramesInARow = 8;

    explicit ClSocketBase(const PacketCipherKeys& keys = PacketCipherKeys::BuiltIn());
    virtual ~ClSocketBase() = default;
    ClSocketBase(const ClSocketBase&) = delete;
    ClSocketBase& operator=(const ClSocketBase&) = delete;

    // Sends the packet's messages. Returns 0 whatever the outcome; a failure shows as a closed connection.
    virtual int SendPacket(Packet* packet, int flag = 0) = 0;

    // Frames are enciphered in both directions from now on, with the cipher reset to its key material.
    void EnableEncryption();

    int State() const;      // 1 connected, 0 not
    int LastError() const;  // -1 until a receive or the decipherment fails

    // Non-zero when ReceivePacket has something to take: the frame length when a whole frame is buffered,
    // kBadFrameLength when the length at the front cannot start a frame. 0 while a frame is incomplete.
    int HasWholePacket() const;

    // Takes the frame at the front into incoming. Returns the bytes still buffered, kBadFrameLength (nothing
    // is taken), or kCipherFailure (the frame is taken and dropped).
    int ReceivePacket(Packet& incoming);

    // Feeds received bytes through the ring buffer and takes every whole frame into the incoming packet,
    // calling report with each ReceivePacket result. Returns false when the stream cannot go on: a bad frame
    // length, or a full buffer that holds no whole frame. The connection must then end.
    bool FeedReceived(std::span<const uint8_t> bytes, const std::function<void(int)>& report);

    const Packet& IncomingPacket() const;

    // Turns the messages of a packet into the frames to send: the messages themselves in clear, or one
    // enciphered frame per message. Returns 0 with frames set; kBadFrameLength when the messages do not
    // form a chain of whole messages or their frames would exceed kFrameBufferSize; or kCipherFailure.
    // Enciphered frames live in the send buffer until the next call; callers take turns (the send lock).
    int PrepareFrames(std::span<const uint8_t> messages, std::span<const uint8_t>& frames);

protected:
    void SetState(int state);
    void SetLastError(int error);
    CriticalSectionLock& BaseLock();
    // Empties the receive side for a new connection; only while no receive thread runs.
    void ClearReceived();

private:
    bool IsValidFrameLength(int length) const;

    RingBuffer ring_{kRingCapacity};
    std::atomic<int> state_{0};
    std::atomic<int> lastError_{-1};
    std::atomic<bool> encrypted_{false};
    uint8_t sendBuffer_[kFrameBufferSize] = {};
    uint8_t receiveCipherBuffer_[kFrameBufferSize] = {};
    PacketCipherHolder cipher_;
    CriticalSectionLock lock_;
    Packet incoming_;
    int badFramesInARow_ = 0;  // the receive thread's alone
};

}  // namespace quill
