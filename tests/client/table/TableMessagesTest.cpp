#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <vector>

#include "QuillLib/net/Packet.h"
#include "client/table/TableMessages.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using quill::MessageId;
using quill::Packet;
using test::FloatBytes;
using test::Received;

std::vector<uint8_t> Finished(Packet& packet) {
    packet.Finish();
    return {packet.Bytes().begin(), packet.Bytes().end()};
}

uint16_t U16At(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

float FloatAt(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t bits = 0;
    std::memcpy(&bits, &bytes[offset], 4);  // the test machine is little-endian, as the wire
    return std::bit_cast<float>(bits);
}

ShotRecord BallsAt(uint32_t count) {
    ShotRecord record;
    for (uint32_t i = 0; i < count; ++i) {
        const auto f = static_cast<float>(i);
        record.positions[i] = {f + 1.0f, -f, 3.25f};
        record.rotations[i] = {0.0f, 0.0f, 0.5f, f};
        record.ballFlags[i] = static_cast<uint8_t>(i + 100);
    }
    return record;
}

TEST(TableStateMessage, CaromAndPocketPayloadsAndAppending) {
    Packet carom;
    TableMessages::WriteTableState(carom, false, 1003, 2004, BallsAt(3), 3, 3);
    const auto caromBytes = Finished(carom);
    ASSERT_EQ(caromBytes.size(), 4u + 89u);  // items, count, 3 positions and 3 rotations, no flags
    EXPECT_THAT(std::vector(caromBytes.begin(), caromBytes.begin() + 9),
                ElementsAre(93, 0, 0xB2, 0x04, 0xEB, 0x03, 0xD4, 0x07, 3));
    EXPECT_EQ(FloatAt(caromBytes, 9), 1.0f);              // ball 0 x
    EXPECT_EQ(FloatAt(caromBytes, 9 + 2 * 12 + 4), -2.0f);  // ball 2 y
    EXPECT_EQ(FloatAt(caromBytes, 9 + 36 + 2 * 16 + 12), 2.0f);  // ball 2 w

    Packet pool;
    TableMessages::WriteTableState(pool, false, 1010, 2006, BallsAt(16), 16, 10);
    const auto poolBytes = Finished(pool);
    ASSERT_EQ(poolBytes.size(), 4u + 469u);
    EXPECT_EQ(poolBytes[poolBytes.size() - 16], 100);  // ball 0's flag after all the rotations
    EXPECT_EQ(poolBytes.back(), 115);

    // The room appends a second state to a packet that already holds one: each keeps its own length and id.
    Packet twice;
    TableMessages::WriteTableState(twice, false, 1003, 2004, BallsAt(3), 3, 3);
    TableMessages::WriteTableState(twice, true, 1003, 2004, BallsAt(3), 3, 3);
    const auto twiceBytes = Finished(twice);
    ASSERT_EQ(twiceBytes.size(), 2u * 93u);
    EXPECT_EQ(U16At(twiceBytes, 0), 93);
    EXPECT_EQ(U16At(twiceBytes, 93), 93);
    EXPECT_EQ(U16At(twiceBytes, 95), 1202);
    EXPECT_THAT(std::vector(twiceBytes.begin() + 93, twiceBytes.end()), ElementsAreArray(caromBytes));
}

TEST(ShotResultReportMessage, TurnCodeAloneInCaromAndBothListsInPocketGames) {
    Packet carom;
    ShotReport report;
    report.turnCode = 3010;
    report.gameMode = 3;
    EXPECT_TRUE(TableMessages::WriteShotResultReport(carom, report));
    EXPECT_THAT(Finished(carom), ElementsAre(6, 0, 0xB5, 0x04, 0xC2, 0x0B));

    const std::vector<uint8_t> pocketed{4, 7};
    const std::vector<uint8_t> lost{9};
    report = {};
    report.turnCode = 5;
    report.gameMode = 12;
    report.ruleValue = 3;
    report.firstListCount = 2;
    report.firstList = pocketed;
    report.secondListCounter = 25;
    report.secondList = lost;
    Packet pocket;
    EXPECT_TRUE(TableMessages::WriteShotResultReport(pocket, report));
    EXPECT_THAT(Finished(pocket), ElementsAre(12, 0, 0xB5, 0x04, 5, 0, 3, 2, 4, 7, 1, 9));
}

TEST(ShotResultReportMessage, MalformedListsAreWrittenEmptyAndReported) {
    const std::vector<uint8_t> pocketed{1, 2};
    const std::vector<uint8_t> lost{9};
    ShotReport report;
    report.gameMode = 10;
    report.firstListCount = 255;  // the rule's counter is not well-formed
    report.firstList = pocketed;
    report.secondListCounter = 10;  // below 22: a negative count
    report.secondList = lost;
    Packet packet;
    EXPECT_FALSE(TableMessages::WriteShotResultReport(packet, report));
    EXPECT_THAT(Finished(packet), ElementsAre(9, 0, 0xB5, 0x04, 0, 0, 0, 0, 0));

    // A count beyond the list never writes more entries than the list holds.
    report.firstListCount = 1;
    report.secondListCounter = 200;
    Packet bounded;
    EXPECT_TRUE(TableMessages::WriteShotResultReport(bounded, report));
    EXPECT_THAT(Finished(bounded), ElementsAre(11, 0, 0xB5, 0x04, 0, 0, 0, 1, 1, 1, 9));
}

TEST(ShotMessage, FieldOrderAndReadingBack) {
    ShotRecord record = BallsAt(2);
    record.chalkItemId = 4902;
    record.chalkValue = 80;
    const float values[15] = {1.0f, 0.5f, 0.25f, 10.0f, 20.0f, 0.1f, -0.2f, 0.3f,
                              0.4f, 5.0f, 6.0f,  0.75f, 1.0f,  0.65f, 3.0f};
    float* fields[15] = {&record.powerCap, &record.power,  &record.paramG,  &record.aimPointX, &record.aimPointY,
                         &record.tipOffsetX, &record.tipOffsetY, &record.strokeX, &record.strokeY, &record.paramC,
                         &record.paramD, &record.paramE, &record.paramF, &record.startParamA, &record.startParamB};
    for (int i = 0; i < 15; ++i) {
        *fields[i] = values[i];
    }
    Packet packet;
    TableMessages::WriteShot(packet, record, 2);
    const auto bytes = Finished(packet);
    ASSERT_EQ(bytes.size(), 4u + 64u + 24u);
    EXPECT_EQ(U16At(bytes, 2), 1204);
    EXPECT_EQ(bytes[4], 2);
    EXPECT_EQ(FloatAt(bytes, 5 + 12), 2.0f);  // ball 1 x
    EXPECT_EQ(U16At(bytes, 29), 4902);
    EXPECT_EQ(bytes[31], 80);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(FloatAt(bytes, 32 + 4 * i), values[i]) << "field " << i;
    }

    ShotRecord read;
    uint8_t count = 0;
    auto received = Received(bytes);
    ASSERT_TRUE(TableMessages::ReadShot(*received, read, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(read.positions[1].x, 2.0f);
    EXPECT_EQ(read.chalkItemId, 4902);
    EXPECT_EQ(read.chalkValue, 80);
    EXPECT_EQ(read.paramG, 0.25f);
    EXPECT_EQ(read.startParamB, 3.0f);

    // One byte short: nothing is taken.
    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 1);
    cut[0] = static_cast<uint8_t>(cut.size());
    ShotRecord untouched;
    untouched.power = 0.125f;
    uint8_t untouchedCount = 9;
    auto truncated = Received(cut);
    EXPECT_FALSE(TableMessages::ReadShot(*truncated, untouched, untouchedCount));
    EXPECT_EQ(untouched.power, 0.125f);
    EXPECT_EQ(untouched.chalkItemId, 0);
    EXPECT_EQ(untouchedCount, 9);
}

TEST(SmallTableMessages, BallPlacementAndPenPointBytes) {
    Packet placement;
    TableMessages::WriteBallPlacement(placement, 5, {1.0f, -1.0f, 3.25f});
    std::vector<uint8_t> expected{17, 0, 0xBF, 0x04, 5};
    test::AppendFloats(expected, {1.0f, -1.0f, 3.25f});
    EXPECT_THAT(Finished(placement), ElementsAreArray(expected));

    Packet pen;
    TableMessages::WritePenPoint(pen, 7, {1.0f, -1.0f, 3.25f});
    auto penBytes = Finished(pen);
    EXPECT_EQ(U16At(penBytes, 2), 1235);
    EXPECT_EQ(penBytes[4], 7);
    PenPointMessage point;
    auto received = Received(penBytes);
    ASSERT_TRUE(TableMessages::ReadPenPoint(*received, point));
    EXPECT_EQ(point.stroke, 7);
    EXPECT_EQ(point.position.z, 3.25f);

    auto empty = test::ReceivedMessage(MessageId::TableEvent, {7, 0, 0});
    PenPointMessage untouched;
    EXPECT_FALSE(TableMessages::ReadPenPoint(*empty, untouched));
    EXPECT_EQ(untouched.stroke, 0);
}

TEST(BallStateMessage, MoreBallsThanTheTableHoldsAreReadAndSkipped) {
    auto packet = test::ReceivedMessage(MessageId::TableState, test::BallStatePayload(30, 30, 0.0f, true));
    BallStateMessage message;
    ASSERT_TRUE(TableMessages::ReadBallState(*packet, 10, message));
    EXPECT_EQ(message.count, 30);
    EXPECT_EQ(message.positions[21].x, 21.0f);
    EXPECT_EQ(message.flags[21], 21);
    EXPECT_EQ(packet->ErrorCount(), 0);  // every byte of the payload was consumed

    auto carom = test::ReceivedMessage(MessageId::TableState, test::BallStatePayload(3, 3, 0.0f, false));
    ASSERT_TRUE(TableMessages::ReadBallState(*carom, 3, message));
    EXPECT_EQ(message.count, 3);
}

TEST(BallStateMessage, TruncatedPayloadChangesNothing) {
    auto packet = test::ReceivedMessage(MessageId::TableState, test::BallStatePayload(3, 2, 0.0f, false));
    BallStateMessage message;
    message.count = 77;
    EXPECT_FALSE(TableMessages::ReadBallState(*packet, 3, message));
    EXPECT_EQ(message.count, 77);

    // A pocket game also needs the flags.
    auto noFlags = test::ReceivedMessage(MessageId::TableState, test::BallStatePayload(2, 2, 0.0f, false));
    EXPECT_FALSE(TableMessages::ReadBallState(*noFlags, 12, message));
    EXPECT_EQ(message.count, 77);
}

}  // namespace
}  // namespace kestrovan
