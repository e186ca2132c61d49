// The profile record of UserProfile: a good record into a profile, and records that are short, that never
// end, that name a mode beyond the table or carry texts longer than their fields.
#include <gtest/gtest.h>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/scenes/community/ProfileRecord.h"
#include "tests/client/scenes/community/CommunityMessageNames.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;
using quill::Packet;

// The record of the profile as the payload after the found flag.
Packet RecordOf(const TestProfile& profile) {
    Packet packet = AsReceived(UserProfileMessage(profile));
    packet.ReadU8();
    return packet;
}

TestProfileMode Mode(uint8_t index, uint16_t rating, uint32_t first) {
    TestProfileMode mode;
    mode.index = index;
    mode.value = 40 + index;
    mode.rating = rating;
    mode.values = {first, 2, 3, 4, 5, 6, 7, 8};
    return mode;
}

TEST(ProfileRecordTest, AGoodRecordFillsTheProfileAndOnlyTheModesItLists) {
    TestProfile profile;
    profile.mark = -5;
    profile.modes = {Mode(10, 300, 11), Mode(0, 0, 12)};
    Packet packet = RecordOf(profile);
    ProfileRecord record;
    ASSERT_TRUE(ProfileRecord::Read(packet, record));
    EXPECT_EQ(record.end, ProfileRecord::End::Mark);
    EXPECT_EQ(record.nickname, u"Visitor");
    EXPECT_EQ(record.iconIndex, 2);
    EXPECT_EQ(record.level, 5);
    EXPECT_EQ(record.money, 1234567);
    EXPECT_EQ(record.secondValue, 7);
    EXPECT_EQ(record.thirdValue, 8);
    EXPECT_EQ(record.markValue, -5);
    EXPECT_EQ(record.lines[3], u"four");
    EXPECT_TRUE(record.modes[10].has_value());
    EXPECT_FALSE(record.modes[4].has_value());

    quill::PlayerState state;
    state.playCountsA[4] = 99;
    record.ApplyTo(state);
    EXPECT_EQ(state.name, u"Visitor");
    EXPECT_EQ(state.experience, 1234u);
    EXPECT_EQ(state.profileLines[0], u"one");
    EXPECT_EQ(state.typeCounters[10], 50u);
    EXPECT_EQ(state.ratingByType[10], 300);
    EXPECT_EQ(state.playCountsA[10], 11u);
    EXPECT_EQ(state.playCountsB[10], 2u);
    EXPECT_EQ(state.typeStatistics[10][0], 3u);
    EXPECT_EQ(state.typeStatistics[10][5], 8u);
    EXPECT_EQ(state.playCountsA[0], 12u);
    EXPECT_EQ(state.playCountsA[4], 99u) << "a mode the record does not list keeps its values";
}

TEST(ProfileRecordTest, AFirstRecordThatIsTheEndMarkReadsTheHeaderAlone) {
    Packet packet = RecordOf(TestProfile{});
    ProfileRecord record;
    ASSERT_TRUE(ProfileRecord::Read(packet, record));
    for (const auto& mode : record.modes)
        EXPECT_FALSE(mode.has_value());
}

TEST(ProfileRecordTest, ARecordCutInsideItsFixedPartIsRefused) {
    Packet message;
    message.Init(MessageId::UserProfile).WriteU8(1).WriteWString(u"Visitor").WriteU8(2).WriteU32(5);
    Packet packet = AsReceived(std::move(message));
    packet.ReadU8();
    ProfileRecord record;
    EXPECT_FALSE(ProfileRecord::Read(packet, record));
}

TEST(ProfileRecordTest, ModeRecordsStopAtTheMessageEndAndAtAnIndexBeyondTheTable) {
    // No end mark: the records end with the message; a record cut short is not kept.
    TestProfile endless;
    endless.modes = {Mode(3, 1, 1), Mode(4, 1, 1)};
    endless.endMark = false;
    Packet packet = RecordOf(endless);
    ProfileRecord record;
    ASSERT_TRUE(ProfileRecord::Read(packet, record));
    EXPECT_EQ(record.end, ProfileRecord::End::MessageEnd);
    EXPECT_TRUE(record.modes[3] && record.modes[4]);

    Packet cut;
    cut.Init(MessageId::UserProfile).WriteU8(1);
    TestProfile header;
    header.endMark = false;
    WriteProfileRecord(cut, header);
    cut.WriteU8(6).WriteU32(1).WriteU16(2);  // a mode record without its eight values
    Packet cutPacket = AsReceived(std::move(cut));
    cutPacket.ReadU8();
    ProfileRecord cutRecord;
    ASSERT_TRUE(ProfileRecord::Read(cutPacket, cutRecord));
    EXPECT_FALSE(cutRecord.modes[6].has_value());

    // Index 17 is beyond the 17 modes: reading stops there and what came before is kept.
    TestProfile hostile;
    hostile.modes = {Mode(16, 9, 1), Mode(17, 9, 1), Mode(2, 9, 1)};
    Packet hostilePacket = RecordOf(hostile);
    ProfileRecord hostileRecord;
    ASSERT_TRUE(ProfileRecord::Read(hostilePacket, hostileRecord));
    EXPECT_EQ(hostileRecord.end, ProfileRecord::End::BadIndex);
    EXPECT_TRUE(hostileRecord.modes[16].has_value());
    EXPECT_FALSE(hostileRecord.modes[2].has_value());
}

TEST(ProfileRecordTest, TextsAreCutToTheirFieldsAndABadStringReadsEmpty) {
    TestProfile profile;
    profile.nickname = quill::WString(62, u'n') + u"\U0001F3B1";
    profile.lines[0] = quill::WString(1300, u'l');
    Packet packet = RecordOf(profile);
    ProfileRecord record;
    ASSERT_TRUE(ProfileRecord::Read(packet, record));
    EXPECT_EQ(record.nickname, quill::WString(62, u'n')) << "never half a character";
    EXPECT_EQ(record.lines[0].size(), ProfileRecord::kLineLength);
    EXPECT_EQ(record.lines[1], u"two");

    // A string byte count beyond 3066 reads as empty and the record goes on.
    Packet message;
    message.Init(MessageId::UserProfile).WriteU8(1).WriteU16(0x7000).WriteU16(0).WriteU8(3);
    message.WriteU32(1).WriteU16(9).WriteI64(10).WriteU16(0).WriteU16(0).WriteU16(91);
    for (int n = 0; n < 4; ++n)
        message.WriteWString(u"x");
    message.WriteU8(255);
    Packet bad = AsReceived(std::move(message));
    bad.ReadU8();
    ProfileRecord badRecord;
    ASSERT_TRUE(ProfileRecord::Read(bad, badRecord));
    EXPECT_EQ(badRecord.nickname, u"");
    EXPECT_EQ(badRecord.level, 9);
    EXPECT_EQ(badRecord.markValue, 91);
}

}  // namespace
}  // namespace kestrovan::test
