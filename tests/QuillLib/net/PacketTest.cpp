#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "QuillLib/net/Packet.h"

namespace quill {
namespace {

std::vector<uint8_t> BytesOf(const Packet& packet) {
    const auto bytes = packet.Bytes();
    return {bytes.begin(), bytes.end()};
}

// A received packet holding the given message bytes.
std::unique_ptr<Packet> Received(const std::vector<uint8_t>& message) {
    auto packet = std::make_unique<Packet>();
    EXPECT_TRUE(packet->LoadReceived(message));
    return packet;
}

TEST(PacketFraming, OneMessageCarriesItsLengthAndIdOnceFinished) {
    Packet packet;
    packet.Init(MessageId::KeepAlive).WriteU8(0).Finish();
    const std::vector<uint8_t> once = BytesOf(packet);
    EXPECT_EQ(once, (std::vector<uint8_t>{0x05, 0x00, 0x09, 0x00, 0x00}));
    EXPECT_EQ(BytesOf(packet.Finish()), once) << "finishing twice changes nothing";
}

TEST(PacketFraming, AppendedMessagesEachCarryTheirOwnLength) {
    Packet packet;
    packet.Init(MessageId::ShotResultReport).WriteU32(7).BeginMessage(MessageId::TableState).WriteU16(3).Finish();
    EXPECT_EQ(BytesOf(packet), (std::vector<uint8_t>{0x08, 0x00, 0xB5, 0x04, 0x07, 0x00, 0x00, 0x00,  //
                                                     0x06, 0x00, 0xB2, 0x04, 0x03, 0x00}));
    EXPECT_EQ(packet.Id(), MessageId::ShotResultReport);
    EXPECT_EQ(packet.LastMessageLength(), 6);
}

TEST(PacketFields, AreLittleEndianAndReadBack) {
    Packet built;
    built.Init(MessageId::Shot).WriteU8(0xAB).WriteU16(0x1234).WriteU32(0xDEADBEEF).WriteI64((int64_t{1} << 32) | 2);
    built.WriteWString(u"").WriteWString(u"A\u00E9").Finish();
    // 64-bit values go low word first; a string is its byte count, its UTF-16 text and a terminator.
    EXPECT_EQ(BytesOf(built),
              (std::vector<uint8_t>{31,   0, 0xB4, 0x04, 0xAB, 0x34, 0x12, 0xEF, 0xBE, 0xAD, 0xDE,     //
                                    0x02, 0, 0,    0,    0x01, 0,    0,    0,    0,    0,    0,    0,  //
                                    0x04, 0, 0x41, 0,    0xE9, 0,    0,    0}));
    const auto packet = Received(BytesOf(built));
    EXPECT_EQ(packet->Id(), MessageId::Shot);
    EXPECT_EQ(packet->ReadU8(), 0xAB);
    EXPECT_EQ(packet->ReadU16(), 0x1234);
    EXPECT_EQ(packet->ReadU32(), 0xDEADBEEFu);
    EXPECT_EQ(packet->ReadI64(), (int64_t{1} << 32) | 2);
    EXPECT_EQ(packet->ReadWString(), u"");
    EXPECT_EQ(packet->ReadWString(), u"A\u00E9");
    EXPECT_EQ(packet->ErrorCount(), 0);
}

TEST(PacketReading, AcceptsStringCountsUpTo3066) {
    // 3074 bytes: the header with the count 3066, then the text and its terminator. Made at its full size first:
    // growing a vector made from a short list is what GCC 12 at -O3 takes for a write out of bounds.
    std::vector<uint8_t> message(3074, 0x41);
    const uint8_t header[] = {0x02, 0x0C, 11, 0, 0xFA, 0x0B};
    std::copy(std::begin(header), std::end(header), message.begin());
    message[3072] = 0;
    message[3073] = 0;
    const auto packet = Received(message);
    EXPECT_EQ(packet->ReadWString().size(), 1533u);
    EXPECT_EQ(packet->ErrorCount(), 0);
    EXPECT_EQ(packet->Cursor(), message.size());
}

TEST(PacketReading, ABadStringCountCountsAnErrorAndConsumesOnlyTheTerminator) {
    for (uint16_t count : {uint16_t{3067}, uint16_t{0x8000}}) {
        const auto packet = Received({12, 0, 11, 0, static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8),  //
                                      0, 0, 0x78, 0x56, 0x34, 0x12});
        EXPECT_EQ(packet->ReadWString(), u"");
        EXPECT_EQ(packet->ErrorCount(), 1);
        EXPECT_EQ(packet->ReadU32(), 0x12345678u) << "reading goes on after the terminator";
    }
}

TEST(PacketReading, StopsAtTheEndOfTheMessage) {
    // The storage beyond the message holds stale bytes, which a reader must not see.
    const auto packet = Received({6, 0, 1, 0, 0x22, 0x11, 0xEE, 0xEE});
    EXPECT_EQ(packet->LengthReadBack(), 6);
    EXPECT_EQ(packet->ReadU16(), 0x1122);
    EXPECT_EQ(packet->ReadU32(), 0u);
    EXPECT_EQ(packet->ReadWString(), u"");
    EXPECT_EQ(packet->ErrorCount(), 2);
    EXPECT_EQ(packet->Cursor(), 6u);
    // A string whose count runs past the message reads empty.
    EXPECT_EQ(Received({10, 0, 1, 0, 8, 0, 0x41, 0, 0x42, 0})->ReadWString(), u"");
}

TEST(PacketReading, TextEndsAtItsFirstZeroOrTheCallersBufferAndSkipsTheWholeString) {
    Packet built;
    built.Init(MessageId::LobbyChat).WriteWString(u"nickname").WriteWString(WStringView(u"ab\0cd", 5)).WriteU8(9);
    const auto packet = Received(BytesOf(built.Finish()));
    char16_t buffer[5];
    packet->ReadWString(buffer, 5);
    EXPECT_EQ(WString(buffer), u"nick");
    EXPECT_EQ(packet->ReadWString(), u"ab");
    EXPECT_EQ(packet->ReadU8(), 9);
}

TEST(PacketReading, RefusesBytesThatAreNotOneMessage) {
    Packet packet;
    EXPECT_FALSE(packet.LoadReceived(std::vector<uint8_t>{4, 0, 1}));           // shorter than a header
    EXPECT_FALSE(packet.LoadReceived(std::vector<uint8_t>{3, 0, 1, 0}));        // length below a header
    EXPECT_FALSE(packet.LoadReceived(std::vector<uint8_t>{9, 0, 1, 0, 0, 0}));  // length beyond the bytes
    EXPECT_FALSE(packet.LoadReceived(std::vector<uint8_t>(Packet::kStorage + 1, 0)));
    EXPECT_TRUE(packet.LoadReceived(std::vector<uint8_t>{4, 0, 1, 0, 7, 7}));  // trailing bytes are ignored
    EXPECT_EQ(packet.LengthReadBack(), 4);
    EXPECT_EQ(packet.ReadU8(), 0);
}

TEST(PacketWriting, StopsAtTheCapacityAndMarksTheOverflow) {
    Packet packet;
    packet.Init(MessageId::TableState);
    while (!packet.Overflowed()) {
        packet.WriteU32(0x01020304);
    }
    EXPECT_EQ(packet.Cursor(), Packet::kCapacity);
    packet.WriteU8(1).WriteWString(u"x").BeginMessage(MessageId::Shot);
    EXPECT_EQ(packet.Cursor(), Packet::kCapacity) << "nothing is written after an overflow";

    Packet text;
    text.Init(MessageId::LobbyChatSend).WriteWString(WString(Packet::kCapacity / 2, u'x'));
    EXPECT_TRUE(text.Overflowed());
    EXPECT_EQ(text.Cursor(), Packet::kHeaderSize) << "a string that does not fit is not written at all";
}

}  // namespace
}  // namespace quill
