#pragma once
// Fills a message record from the fuzzer's bytes by the record's own wire description (the Layout its reader
// and writer follow, QuillLib/net/FieldReader.h), so that a target can send every message of a family through
// its writer and reader: what is written, read back and written again must give the same bytes, and the
// reader must take whole what the writer wrote. Lists and texts stay within what the reader keeps.
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/FieldWriter.h"
#include "QuillLib/net/Packet.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzMessages.h"

namespace kvfuzz {

class FieldFiller {
public:
    // The longest text a plain text field is given.
    static constexpr size_t kPlainTextUnits = 80;

    explicit FieldFiller(FuzzInput& input) : input_(input) {}

    template <class... Fields>
    FieldFiller& operator()(Fields&... fields) {
        (Field(fields), ...);
        return *this;
    }

    void Text(quill::WString& text, size_t units) {
        text.resize(input_.Byte() % (units + 1));
        // No zero unit: the reader ends a text at its first one.
        for (char16_t& unit : text) unit = static_cast<char16_t>(std::max<uint16_t>(Word(), 1));
        // A text that ends in the first half of a character is cut by the reader: end it in a whole one.
        if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.back() = u'?';
    }

    template <class Wire, class T>
    void As(Wire /*form*/, T& field) {
        Wire wire{};
        Field(wire);
        field = static_cast<T>(wire);
    }

    template <class Wire>
    void Skip(Wire /*form*/) {}

    bool Flag(bool /*present*/) { return (input_.Byte() & 1) != 0; }

    template <class T>
    T& Emplace(std::optional<T>& value) {
        return value.emplace();
    }

    template <class T, class V>
    void Derive(T& field, V value) {
        field = static_cast<T>(value);
    }

    // The count is cut to what the reader keeps, and the list made as long; a count the record keeps apart is
    // cut with it, so that writer and reader agree.
    template <class Count, class Entry, class... Fill>
    void Repeat(Count& count, std::vector<Entry>& list, size_t kept, Fill... entry) {
        count = static_cast<Count>(std::min<size_t>(count, kept));
        list.resize(count);
        for (Entry& value : list) {
            if constexpr (sizeof...(Fill) == 0) {
                Field(value);
            } else {
                (entry(value), ...);
            }
        }
    }
    template <class Entry, class... Fill>
    void CountedList(std::vector<Entry>& list, size_t kept, Fill... entry) {
        uint8_t count = input_.Byte();
        Repeat(count, list, kept, entry...);
    }

    bool Holds() const { return true; }

    // Fills a record of M from input, writes it, reads it back and writes that again: the reader must take it
    // whole and the two writes must agree byte for byte.
    template <class M, class... Context>
    static void CheckRoundTrip(FuzzInput& input, Context... context) {
        M message{};
        FieldFiller filler(input);
        if constexpr (quill::LaidOut<M, FieldFiller, Context...>) {
            M::Layout(filler, message, context...);
        } else {
            filler.Field(message);
        }
        const quill::Packet first = Written(message, context...);
        quill::Packet received = ReceivedMessage(first.Id(), first.Bytes().subspan(quill::Packet::kHeaderSize));
        const std::optional<M> back = quill::ReadMessage<M>(received, context...);
        Check(back.has_value());
        const quill::Packet second = Written(*back, context...);
        Check(std::ranges::equal(first.Bytes(), second.Bytes()));
    }

    // The round trip of each record that takes no context, one after another from the same input.
    template <class... M>
    static void CheckRoundTrips(FuzzInput& input) {
        (CheckRoundTrip<M>(input), ...);
    }

private:
    // The id does not matter to a record's layout.
    template <class M, class... Context>
    static quill::Packet Written(const M& message, Context... context) {
        quill::Packet packet;
        packet.Init(quill::MessageId::KeepAlive);
        quill::WriteMessage(packet, message, context...);
        packet.Finish();
        return packet;
    }

    uint16_t Word() { return static_cast<uint16_t>(input_.Byte() | input_.Byte() << 8); }
    uint32_t Long() { return Word() | static_cast<uint32_t>(Word()) << 16; }

    void Field(bool& value) { value = (input_.Byte() & 1) != 0; }
    void Field(uint8_t& value) { value = input_.Byte(); }
    void Field(int8_t& value) { value = static_cast<int8_t>(input_.Byte()); }
    void Field(uint16_t& value) { value = Word(); }
    void Field(int16_t& value) { value = static_cast<int16_t>(Word()); }
    void Field(uint32_t& value) { value = Long(); }
    void Field(int32_t& value) { value = static_cast<int32_t>(Long()); }
    void Field(int64_t& value) { value = static_cast<int64_t>(Long() | static_cast<uint64_t>(Long()) << 32); }
    void Field(float& value) { value = std::bit_cast<float>(Long()); }
    void Field(quill::WString& text) { Text(text, kPlainTextUnits); }
    template <class T, size_t N>
    void Field(std::array<T, N>& values) {
        for (T& value : values) Field(value);
    }
    template <class T>
    void Field(std::optional<T>& value) {
        Field(value.emplace());
    }
    template <class T>
        requires quill::LaidOut<T, FieldFiller>
    void Field(T& record) {
        T::Layout(*this, record);
    }

    FuzzInput& input_;
};

}  // namespace kvfuzz
