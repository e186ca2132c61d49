#pragma once
// Writes a message's fields into a packet by the message's own description, the one its reader follows
// (FieldReader.h has the description's form and the wire form of each field type). Lists are written as the
// record holds them; a count the record keeps apart from its list is written as that field, so a caller that
// builds a record keeps the two alike. Texts are written whole; a packet they do not fit is marked overflowed.
//
// Threads: any; one writer at a time per packet.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/Packet.h"

namespace quill {

class FieldWriter {
public:
    explicit FieldWriter(Packet& packet) : packet_(packet) {}

    template <class... Fields>
    FieldWriter& operator()(const Fields&... fields) {
        (Field(fields), ...);
        return *this;
    }

    void Text(const WString& text, size_t /*units*/) { packet_.WriteWString(text); }

    template <class Wire, class T>
    void As(Wire /*form*/, const T& field) {
        Field(static_cast<Wire>(field));
    }

    // Sent as zeros.
    template <class Wire>
    void Skip(Wire /*form*/) {
        Field(Wire{});
    }

    bool Flag(bool present) {
        packet_.WriteU8(present ? 1 : 0);
        return present;
    }

    // The record the optional holds, or an empty one to send when it holds none.
    template <class T>
    const T& Emplace(const std::optional<T>& value) {
        static const T kEmpty{};
        return value ? *value : kEmpty;
    }

    // Not on the wire.
    template <class T, class V>
    void Derive(const T& /*field*/, V /*value*/) {}

    template <class Count, class Entry, class... Fill>
    void Repeat(Count /*count*/, const std::vector<Entry>& list, size_t /*kept*/, Fill... entry) {
        for (const Entry& value : list) {
            if constexpr (sizeof...(Fill) == 0) {
                Field(value);
            } else {
                (entry(value), ...);
            }
        }
    }

    template <class Entry, class... Fill>
    void CountedList(const std::vector<Entry>& list, size_t kept, Fill... entry) {
        packet_.WriteU8(static_cast<uint8_t>(list.size()));
        Repeat(list.size(), list, kept, entry...);
    }

    bool Holds() const { return true; }

    // Writes message's fields at the packet's cursor (after Init or BeginMessage).
    template <class M, class... Context>
    static void WriteMessage(Packet& packet, const M& message, Context... context) {
        FieldWriter io(packet);
        if constexpr (LaidOut<const M, FieldWriter, Context...>) {
            M::Layout(io, message, context...);
        } else {
            io.Field(message);
        }
    }

private:
    void Field(bool value) { packet_.WriteU8(value ? 1 : 0); }
    void Field(uint8_t value) { packet_.WriteU8(value); }
    void Field(int8_t value) { packet_.WriteU8(static_cast<uint8_t>(value)); }
    void Field(uint16_t value) { packet_.WriteU16(value); }
    void Field(int16_t value) { packet_.WriteU16(static_cast<uint16_t>(value)); }
    void Field(uint32_t value) { packet_.WriteU32(value); }
    void Field(int32_t value) { packet_.WriteU32(static_cast<uint32_t>(value)); }
    void Field(int64_t value) { packet_.WriteI64(value); }
    void Field(float value) { packet_.WriteU32(std::bit_cast<uint32_t>(value)); }
    void Field(const WString& text) { packet_.WriteWString(text); }
    template <class T, size_t N>
    void Field(const std::array<T, N>& values) {
        for (const T& value : values) Field(value);
    }
    template <class T>
    void Field(const std::optional<T>& value) {
        Field(value.value_or(T{}));
    }
    template <class T>
        requires LaidOut<const T, FieldWriter>
    void Field(const T& record) {
        T::Layout(*this, record);
    }

    Packet& packet_;
};

template <class M, class... Context>
void WriteMessage(Packet& packet, const M& message, Context... context) {
    FieldWriter::WriteMessage(packet, message, context...);
}

}  // namespace quill
