#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/FieldWriter.h"
#include "QuillLib/net/Packet.h"

namespace quill {
namespace {

// A record that uses each kind of field a description has.
struct Sample {
    struct Entry {
        uint8_t id = 0;
        int16_t delta = 0;
        static void Layout(auto& io, auto& m) { io(m.id, m.delta); }
    };
    uint32_t value = 0;  // a u8 on the wire
    WString name{};      // cut to 4 units
    uint8_t kind = 0;
    std::optional<int64_t> money{};  // only for kind 1
    std::vector<Entry> entries{};    // at most 2 kept
    bool hasName = false;          // not on the wire
    static void Layout(auto& io, auto& m) {
        io.As(uint8_t{}, m.value);
        io.Skip(uint16_t{});
        if (io.Flag(!m.name.empty())) io.Text(m.name, 4);
        io.Derive(m.hasName, !m.name.empty());
        io(m.kind);
        if (m.kind == 1) io(m.money);
        io.CountedList(m.entries, 2);
    }
};

std::unique_ptr<Packet> Received(const Packet& sent) {
    auto packet = std::make_unique<Packet>();
    EXPECT_TRUE(packet->LoadReceived(sent.Bytes()));
    return packet;
}

TEST(FieldReader, ReadsWhatTheWriterWroteByOneDescription) {
    Packet sent;
    sent.Init(MessageId::KeepAlive);
    WriteMessage(sent, Sample{.value = 7, .name = u"Carom", .kind = 1, .money = -5, .entries = {{1, -2}, {2, 3}}});
    sent.Finish();
    EXPECT_EQ(sent.Bytes().size(), 4u + 1 + 2 + 1 + (2 + 10 + 2) + 1 + 8 + 1 + 2 * 3);

    auto packet = Received(sent);
    const std::optional<Sample> read = ReadMessage<Sample>(*packet);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->value, 7u);
    EXPECT_EQ(read->name, u"Caro") << "cut to its field";
    EXPECT_TRUE(read->hasName);
    EXPECT_EQ(read->money, -5);
    ASSERT_EQ(read->entries.size(), 2u);
    EXPECT_EQ(read->entries[0].delta, -2);
    EXPECT_EQ(packet->Cursor(), packet->LengthReadBack()) << "every byte read";
}

TEST(FieldReader, KeepsWhatItHasRoomForAndRefusesAShortOrBadMessageWhole) {
    Packet sent;
    sent.Init(MessageId::KeepAlive);
    WriteMessage(sent, Sample{.kind = 2, .entries = {{1, 1}, {2, 2}, {3, 3}}});
    sent.WriteU8(9).Finish();
    auto packet = Received(sent);
    const std::optional<Sample> read = ReadMessage<Sample>(*packet);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->entries.size(), 2u) << "the third entry is read and dropped";
    EXPECT_FALSE(read->money.has_value());
    EXPECT_EQ(packet->ReadU8(), 9) << "what follows stays aligned";

    // Cut inside the list, and a text whose byte count passes the message.
    const std::vector<std::vector<uint8_t>> bad{
        {11, 0, 9, 0, 7, 0, 0, 0, 0, 3, 1},
        {12, 0, 9, 0, 7, 0, 0, 1, 0xFE, 0x0B, 0x41, 0},
    };
    for (const auto& bytes : bad) {
        Packet message;
        ASSERT_TRUE(message.LoadReceived(bytes));
        EXPECT_FALSE(ReadMessage<Sample>(message).has_value());
    }
}

TEST(FieldReader, ACutTextNeverEndsInHalfACharacter) {
    Packet sent;
    sent.Init(MessageId::KeepAlive).WriteWString(u"ab\U0001F3B1c").Finish();
    auto packet = Received(sent);
    WString text;
    packet->ReadWString(text, 3);
    EXPECT_EQ(text, u"ab");
}

}  // namespace
}  // namespace quill
