#pragma once
// A game-server message buffer: one or more messages back to back, each
//   [u16 length of this message, counting these two bytes][u16 MessageId][payload]
// all little-endian, with one cursor that writers and readers advance. Payload fields are u8, u16, u32,
// 64-bit values (the low u32, then the high u32) and strings (u16 byte count N, N bytes of UTF-16LE text,
// a 2-byte terminator).
//
// A sender calls Init, the writers, and BeginMessage before each further message; the socket finishes and
// sends the packet. A receiver's packet is filled by AcceptReceived or LoadReceived, which leave the cursor
// on the first payload byte.
//
// The buffer is bounded on both sides, because what it holds comes from callers' texts and from the
// network: a writer that would pass the 3072 bytes of message space writes nothing and marks the packet
// overflowed (the socket refuses to send it); a reader that would pass the end of the message yields zeros
// and counts an error. Packets are constructed in the payloads of a PacketPool and reused, so no operation
// allocates.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "QuillLib/core/PacketPool.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/net/MessageId.h"

namespace quill {

class Packet {
public:
    static constexpr uint32_t kCapacity = 3072;        // bytes of messages a sender may write
    static constexpr uint32_t kStorage = 3080;         // the largest frame the socket accepts fits as well
    static constexpr uint32_t kHeaderSize = 4;         // u16 length, u16 id
    static constexpr uint16_t kMaxStringBytes = 3066;  // the largest string byte count a reader accepts
    static constexpr uint32_t kPoolBlockSize = 3112;   // the block size of a pool of packets

    // Starts the packet with one message of the given id; the cursor stands after its header.
    Packet& Init(MessageId id);
    // Closes the current message and opens the next one at the cursor (the packet keeps the first id).
    Packet& BeginMessage(MessageId id);
    // Stores the length of the last open message. Does nothing when already finished.
    Packet& Finish();

    Packet& WriteU8(uint8_t value);
    Packet& WriteU16(uint16_t value);
    Packet& WriteU32(uint32_t value);
    Packet& WriteI64(int64_t value);
    Packet& WriteWString(WStringView text);

    // Takes the first length bytes of Storage() as one received message: reads its length and id and
    // leaves the cursor on the payload. False, with nothing changed, when the bytes are not one message
    // (shorter than a header, or a message length below 4 or beyond length).
    bool AcceptReceived(uint32_t length);
    // Copies message into the packet and accepts it as AcceptReceived does.
    bool LoadReceived(std::span<const uint8_t> message);

    Packet& ReadU8(uint8_t& value);
    Packet& ReadU16(uint16_t& value);
    Packet& ReadU32(uint32_t& value);
    Packet& ReadI64(int64_t& value);
    // Copies the text into out, cut to capacity - 1 units and terminated. The cursor moves past the whole
    // string. A byte count outside 0..3066 counts an error and reads as empty (its terminator is consumed).
    Packet& ReadWString(char16_t* out, size_t capacity);
    Packet& ReadWString(WString& out);
    // As above, the text cut to at most maxUnits units, never between the two halves of a character.
    Packet& ReadWString(WString& out, size_t maxUnits);

    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    int64_t ReadI64();
    WString ReadWString();

    MessageId Id() const;                // the first message's id
    uint16_t LengthReadBack() const;     // length of a received message
    uint16_t LastMessageLength() const;  // length of the message closed last by BeginMessage or Finish
    uint32_t Cursor() const;
    void SetCursor(uint32_t cursor);
    uint16_t ErrorCount() const;  // bad string counts and reads past the message
    bool Overflowed() const;      // a writer did not fit
    bool InUse() const;
    void SetInUse(bool inUse);

    // The bytes written so far: the messages of a packet being built, up to the cursor.
    std::span<const uint8_t> Bytes() const;
    // The received message, LengthReadBack() bytes.
    std::span<const uint8_t> ReceivedMessage() const;
    // The whole storage of kStorage bytes, which the socket fills before AcceptReceived.
    std::span<uint8_t> Storage();

    // Link of the queue that holds the packet while it waits for the dispatch thread.
    Packet* NextInQueue() const;
    void SetNextInQueue(Packet* next);

private:
    bool Reserve(uint32_t size);
    void Put(const void* bytes, uint32_t size);
    bool Take(void* out, uint32_t size);
    void StoreU16(uint32_t offset, uint16_t value);
    uint16_t LoadU16(uint32_t offset) const;
    // Consumes one string; returns its length in units up to its first zero unit, with textOffset set to
    // where the text starts (0 units when the count is bad or the string passes the end of the message).
    uint32_t TakeString(uint32_t& textOffset);

    // Kept small so that a packet fits its pool block; offsets stay below kStorage.
    Packet* nextInQueue_ = nullptr;
    uint16_t cursor_ = 0;
    uint16_t limit_ = 0;  // readers stop here: the end of what was written or received
    uint16_t messageStart_ = 0;
    MessageId id_{};
    uint16_t lastMessageLength_ = 0;
    uint16_t lengthReadBack_ = 0;
    uint16_t errorCount_ = 0;
    bool inUse_ : 1 = false;
    bool finished_ : 1 = false;
    bool overflowed_ : 1 = false;
    std::array<uint8_t, kStorage> data_{};
};

static_assert(sizeof(Packet) <= Packet::kPoolBlockSize - PacketPool::kLinkWordSize,
              "a packet must fit the payload of its pool block");

}  // namespace quill
