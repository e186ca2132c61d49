#pragma once
// Reads a message's fields from a received packet by the message's own description, the one its writer and
// the tests' builders follow as well (FieldWriter.h). A description is a record's static function
//
//   static void Layout(auto& io, auto& m) { io(m.seat, m.level); if (m.level != 0) io.Text(m.name, 63); }
//
// that names the fields in wire order; the C++ type of a field gives its wire form: u8 (bool, uint8_t, int8_t),
// u16 (uint16_t, int16_t), u32 (uint32_t, int32_t, float as its bits), i64 (int64_t), a string (WString),
// std::array and std::optional of those, and records that have a Layout of their own. Conditions read the
// fields read before them, so one description serves reading and writing.
//
// Every read is bounded by the packet: a field that passes the message's end, or a string whose byte count is
// bad, reads as zeros and counts an error, after which the record is refused whole (ReadMessage gives
// nothing) and counted lists stop. Lists keep at most the entries their record has room for and read and drop
// the rest, so that what follows stays aligned.
//
// Threads: any; one reader at a time per packet.
#include <array>
#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"

namespace quill {

// A record with a wire description of its own.
template <class Record, class Io, class... Context>
concept LaidOut = requires(Io& io, Record& record, Context... context) { Record::Layout(io, record, context...); };

class FieldReader {
public:
    explicit FieldReader(Packet& packet) : packet_(packet), errorsBefore_(packet.ErrorCount()) {}

    template <class... Fields>
    FieldReader& operator()(Fields&... fields) {
        (Field(fields), ...);
        return *this;
    }

    // A text cut to at most units UTF-16 units (never between the halves of a character); a text named as a
    // plain field is kept whole.
    void Text(WString& text, size_t units) { packet_.ReadWString(text, units); }

    // A field whose wire form is narrower or wider than the record's: io.As(uint8_t{}, m.value) reads a u8.
    template <class Wire, class T>
    void As(Wire /*form*/, T& field) {
        Wire wire{};
        Field(wire);
        field = static_cast<T>(wire);
    }

    // A wire field the record does not keep: io.Skip(uint16_t{}).
    template <class Wire>
    void Skip(Wire /*form*/) {
        Wire wire{};
        Field(wire);
    }

    // A u8 that says whether what follows is there; the writer sends present as 0 or 1.
    bool Flag(bool /*present*/) { return packet_.ReadU8() != 0; }

    // The record an optional field holds when the wire carries it: made here, filled by the caller.
    template <class T>
    T& Emplace(std::optional<T>& value) {
        return value.emplace();
    }

    // A record field the wire does not carry, set from what was read.
    template <class T, class V>
    void Derive(T& field, V value) {
        field = static_cast<T>(value);
    }

    // count entries on the wire, each read by entry (by default as a field); the first kept stay in list, the
    // rest are read and dropped. The count was read before (or is implied); reading stops at a failed read.
    template <class Count, class Entry, class... Fill>
    void Repeat(Count count, std::vector<Entry>& list, size_t kept, Fill... entry) {
        for (size_t i = 0; i < static_cast<size_t>(count) && Holds(); ++i) {
            Entry value{};
            if constexpr (sizeof...(Fill) == 0) {
                Field(value);
            } else {
                (entry(value), ...);
            }
            if (i < kept) list.push_back(std::move(value));
        }
    }

    // A list led by its u8 count.
    template <class Entry, class... Fill>
    void CountedList(std::vector<Entry>& list, size_t kept, Fill... entry) {
        uint8_t count = 0;
        Field(count);
        Repeat(count, list, kept, entry...);
    }

    // Whether every read since the reader started stayed inside the message.
    bool Holds() const { return packet_.ErrorCount() == errorsBefore_; }

    // The record read by its description (with the context it takes, such as the table's game), or nothing
    // when a read failed.
    template <class M, class... Context>
    static std::optional<M> ReadMessage(Packet& packet, Context... context) {
        FieldReader io(packet);
        M message = io.Read<M>(context...);
        if (!io.Holds()) return std::nullopt;
        return std::optional<M>(std::move(message));
    }

    // The record as far as the message holds it: fields past its end read as zeros and empty texts. For the
    // few records whose screens take a short message as it comes.
    template <class M, class... Context>
    static M ReadFields(Packet& packet, Context... context) {
        FieldReader io(packet);
        return io.Read<M>(context...);
    }

private:
    template <class M, class... Context>
    M Read(Context... context) {
        M message{};
        if constexpr (LaidOut<M, FieldReader, Context...>) {
            M::Layout(*this, message, context...);
        } else {
            Field(message);
        }
        return message;
    }

    void Field(bool& value) { As(uint8_t{}, value); }
    void Field(uint8_t& value) { packet_.ReadU8(value); }
    void Field(int8_t& value) { As(uint8_t{}, value); }
    void Field(uint16_t& value) { packet_.ReadU16(value); }
    void Field(int16_t& value) { As(uint16_t{}, value); }
    void Field(uint32_t& value) { packet_.ReadU32(value); }
    void Field(int32_t& value) { As(uint32_t{}, value); }
    void Field(int64_t& value) { packet_.ReadI64(value); }
    void Field(float& value) { value = std::bit_cast<float>(packet_.ReadU32()); }
    void Field(WString& text) { packet_.ReadWString(text); }
    template <class T, size_t N>
    void Field(std::array<T, N>& values) {
        for (T& value : values) Field(value);
    }
    template <class T>
    void Field(std::optional<T>& value) {
        Field(value.emplace());
    }
    template <class T>
        requires LaidOut<T, FieldReader>
    void Field(T& record) {
        T::Layout(*this, record);
    }

    Packet& packet_;
    uint16_t errorsBefore_;
};

template <class M, class... Context>
std::optional<M> ReadMessage(Packet& packet, Context... context) {
    return FieldReader::ReadMessage<M>(packet, context...);
}

}  // namespace quill
