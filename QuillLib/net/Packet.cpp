#include "QuillLib/net/Packet.h"

#include <algorithm>
#include <cstring>

namespace quill {
namespace {

void EncodeLittleEndian(uint8_t* out, uint64_t value, uint32_t size) {
    for (uint32_t i = 0; i < size; ++i) {
        out[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint64_t DecodeLittleEndian(const uint8_t* in, uint32_t size) {
    uint64_t value = 0;
    for (uint32_t i = 0; i < size; ++i) {
        value |= static_cast<uint64_t>(in[i]) << (8 * i);
    }
    return value;
}

}  // namespace

Packet& Packet::Init(MessageId id) {
    id_ = id;
    messageStart_ = 0;
    lastMessageLength_ = 0;
    lengthReadBack_ = 0;
    errorCount_ = 0;
    inUse_ = true;
    finished_ = false;
    overflowed_ = false;
    StoreU16(0, 0);
    StoreU16(2, static_cast<uint16_t>(id));
    cursor_ = static_cast<uint16_t>(kHeaderSize);
    limit_ = static_cast<uint16_t>(kHeaderSize);
    return *this;
}

Packet& Packet::BeginMessage(MessageId id) {
    if (!Reserve(kHeaderSize)) {
        return *this;
    }
    lastMessageLength_ = static_cast<uint16_t>(cursor_ - messageStart_);
    StoreU16(messageStart_, lastMessageLength_);
    messageStart_ = cursor_;
    const uint8_t header[kHeaderSize] = {0, 0, static_cast<uint8_t>(static_cast<uint16_t>(id)),
                                         static_cast<uint8_t>(static_cast<uint16_t>(id) >> 8)};
    Put(header, kHeaderSize);
    return *this;
}

Packet& Packet::Finish() {
    if (finished_) {
        return *this;
    }
    // The first message's slot holds the whole length until a second message closes it.
    lastMessageLength_ = static_cast<uint16_t>(cursor_ - messageStart_);
    StoreU16(messageStart_, lastMessageLength_);
    finished_ = true;
    return *this;
}

Packet& Packet::WriteU8(uint8_t value) {
    if (Reserve(1)) {
        Put(&value, 1);
    }
    return *this;
}

Packet& Packet::WriteU16(uint16_t value) {
    uint8_t bytes[2];
    EncodeLittleEndian(bytes, value, 2);
    if (Reserve(2)) {
        Put(bytes, 2);
    }
    return *this;
}

Packet& Packet::WriteU32(uint32_t value) {
    uint8_t bytes[4];
    EncodeLittleEndian(bytes, value, 4);
    if (Reserve(4)) {
        Put(bytes, 4);
    }
    return *this;
}

Packet& Packet::WriteI64(int64_t value) {
    // The low u32 comes first, then the high one: the little-endian 8 bytes of the value.
    uint8_t bytes[8];
    EncodeLittleEndian(bytes, static_cast<uint64_t>(value), 8);
    if (Reserve(8)) {
        Put(bytes, 8);
    }
    return *this;
}

Packet& Packet::WriteWString(WStringView text) {
    const size_t byteCount = text.size() * 2;
    if (byteCount > UINT16_MAX || !Reserve(static_cast<uint32_t>(byteCount) + 4)) {
        overflowed_ = true;
        return *this;
    }
    WriteU16(static_cast<uint16_t>(byteCount));
    for (char16_t unit : text) {
        WriteU16(unit);
    }
    return WriteU16(0);
}

bool Packet::AcceptReceived(uint32_t length) {
    if (length < kHeaderSize || length > kStorage) {
        return false;
    }
    const uint16_t messageLength = LoadU16(0);
    if (messageLength < kHeaderSize || messageLength > length) {
        return false;
    }
    lengthReadBack_ = messageLength;
    id_ = static_cast<MessageId>(LoadU16(2));
    messageStart_ = 0;
    lastMessageLength_ = 0;
    errorCount_ = 0;
    finished_ = false;
    overflowed_ = false;
    cursor_ = static_cast<uint16_t>(kHeaderSize);
    limit_ = messageLength;
    return true;
}

bool Packet::LoadReceived(std::span<const uint8_t> message) {
    if (message.size() < kHeaderSize || message.size() > kStorage) {
        return false;
    }
    // Validate before copying so that a refused message leaves the packet as it was.
    const uint16_t messageLength = static_cast<uint16_t>(DecodeLittleEndian(message.data(), 2));
    if (messageLength < kHeaderSize || messageLength > message.size()) {
        return false;
    }
    std::memcpy(data_.data(), message.data(), message.size());
    return AcceptReceived(static_cast<uint32_t>(message.size()));
}

Packet& Packet::ReadU8(uint8_t& value) {
    value = 0;
    Take(&value, 1);
    return *this;
}

Packet& Packet::ReadU16(uint16_t& value) {
    uint8_t bytes[2] = {};
    Take(bytes, 2);
    value = static_cast<uint16_t>(DecodeLittleEndian(bytes, 2));
    return *this;
}

Packet& Packet::ReadU32(uint32_t& value) {
    uint8_t bytes[4] = {};
    Take(bytes, 4);
    value = static_cast<uint32_t>(DecodeLittleEndian(bytes, 4));
    return *this;
}

Packet& Packet::ReadI64(int64_t& value) {
    uint8_t bytes[8] = {};
    Take(bytes, 8);
    value = static_cast<int64_t>(DecodeLittleEndian(bytes, 8));
    return *this;
}

Packet& Packet::ReadWString(char16_t* out, size_t capacity) {
    uint32_t text = 0;
    const uint32_t units = TakeString(text);
    if (capacity == 0) {
        return *this;
    }
    const uint32_t kept = static_cast<uint32_t>(std::min<size_t>(units, capacity - 1));
    for (uint32_t i = 0; i < kept; ++i) {
        out[i] = static_cast<char16_t>(LoadU16(text + 2 * i));
    }
    out[kept] = u'\0';
    return *this;
}

Packet& Packet::ReadWString(WString& out) {
    uint32_t text = 0;
    const uint32_t units = TakeString(text);
    out.resize(units);
    for (uint32_t i = 0; i < units; ++i) {
        out[i] = static_cast<char16_t>(LoadU16(text + 2 * i));
    }
    return *this;
}

Packet& Packet::ReadWString(WString& out, size_t maxUnits) {
    ReadWString(out);
    if (out.size() > maxUnits) {
        size_t kept = maxUnits;
        const bool splitsPair = kept > 0 && out[kept - 1] >= 0xD800 && out[kept - 1] <= 0xDBFF;
        out.resize(splitsPair ? kept - 1 : kept);
    }
    return *this;
}

uint8_t Packet::ReadU8() {
    uint8_t value;
    ReadU8(value);
    return value;
}

uint16_t Packet::ReadU16() {
    uint16_t value;
    ReadU16(value);
    return value;
}

uint32_t Packet::ReadU32() {
    uint32_t value;
    ReadU32(value);
    return value;
}

int64_t Packet::ReadI64() {
    int64_t value;
    ReadI64(value);
    return value;
}

WString Packet::ReadWString() {
    WString text;
    ReadWString(text);
    return text;
}

MessageId Packet::Id() const {
    return id_;
}

uint16_t Packet::LengthReadBack() const {
    return lengthReadBack_;
}

uint16_t Packet::LastMessageLength() const {
    return lastMessageLength_;
}

uint32_t Packet::Cursor() const {
    return cursor_;
}

void Packet::SetCursor(uint32_t cursor) {
    cursor_ = static_cast<uint16_t>(std::min(cursor, kStorage));
}

uint16_t Packet::ErrorCount() const {
    return errorCount_;
}

bool Packet::Overflowed() const {
    return overflowed_;
}

bool Packet::InUse() const {
    return inUse_;
}

void Packet::SetInUse(bool inUse) {
    inUse_ = inUse;
}

std::span<const uint8_t> Packet::Bytes() const {
    return {data_.data(), std::min<uint32_t>(cursor_, kCapacity)};
}

std::span<const uint8_t> Packet::ReceivedMessage() const {
    return {data_.data(), lengthReadBack_};
}

std::span<uint8_t> Packet::Storage() {
    return data_;
}

Packet* Packet::NextInQueue() const {
    return nextInQueue_;
}

void Packet::SetNextInQueue(Packet* next) {
    nextInQueue_ = next;
}

bool Packet::Reserve(uint32_t size) {
    // Once a field did not fit, nothing more is written: the packet would have a hole.
    if (overflowed_ || cursor_ + size > kCapacity) {
        overflowed_ = true;
        return false;
    }
    return true;
}

void Packet::Put(const void* bytes, uint32_t size) {
    std::memcpy(data_.data() + cursor_, bytes, size);
    cursor_ = static_cast<uint16_t>(cursor_ + size);
    limit_ = std::max(limit_, cursor_);
}

bool Packet::Take(void* out, uint32_t size) {
    if (cursor_ + size > limit_) {
        ++errorCount_;
        cursor_ = std::max(cursor_, limit_);
        return false;
    }
    std::memcpy(out, data_.data() + cursor_, size);
    cursor_ = static_cast<uint16_t>(cursor_ + size);
    return true;
}

void Packet::StoreU16(uint32_t offset, uint16_t value) {
    EncodeLittleEndian(data_.data() + offset, value, 2);
}

uint16_t Packet::LoadU16(uint32_t offset) const {
    return static_cast<uint16_t>(DecodeLittleEndian(data_.data() + offset, 2));
}

uint32_t Packet::TakeString(uint32_t& textOffset) {
    uint8_t countBytes[2];
    if (!Take(countBytes, 2)) {
        return 0;
    }
    auto byteCount = static_cast<uint16_t>(DecodeLittleEndian(countBytes, 2));
    if (static_cast<int16_t>(byteCount) < 0 || byteCount > kMaxStringBytes) {
        ++errorCount_;
        byteCount = 0;
    }
    const uint32_t stringSize = byteCount + 2u;  // the text and its terminator
    if (cursor_ + stringSize > limit_) {
        ++errorCount_;
        cursor_ = std::max(cursor_, limit_);
        return 0;
    }
    textOffset = cursor_;
    cursor_ = static_cast<uint16_t>(cursor_ + stringSize);
    // Receivers see the text up to its first zero unit, as the sender's own text ended there.
    uint32_t units = 0;
    while (units < byteCount / 2u && LoadU16(textOffset + 2 * units) != 0) {
        ++units;
    }
    return units;
}

}  // namespace quill
