#include <gtest/gtest.h>

#include <iterator>
#include <limits>
#include <utility>

#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "QuillLib/gamedata/UserDirectory.h"

namespace quill {
namespace {

TEST(RoomInfoTest, ResetRestoresTheEmptyRoomButKeepsTheTitle) {
    RoomInfo room;
    EXPECT_EQ(room.title, u"Default Room Title");
    room.title = u"Masters";
    room.stake = 500;
    room.optionFlags = 24;
    room.open = 0;
    room.Reset();
    EXPECT_EQ(room.title, u"Masters");
    EXPECT_EQ(room.stake, 0u);
    EXPECT_EQ(room.optionFlags, 0);
    EXPECT_EQ(room.open, 1);
    EXPECT_EQ(room.slotIndex, -1);
    EXPECT_EQ(room.roomNumber, -2);
}

TEST(RoomInfoTest, HalfFriendlyClosedAndGambleDependOnTheGameType) {
    RoomInfo room;
    room.optionFlags = RoomInfo::kHalfGameFlag | RoomInfo::kFriendlyFlag;
    room.open = 0;
    const struct {
        uint8_t gameType;
        bool half;
        bool friendlyAndClosed;
        bool gamble;
    } rows[] = {
        {0, true, true, false},  {3, true, true, false},  {13, true, true, false},  {4, false, true, false},
        {2, false, false, true}, {5, false, false, true}, {6, false, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int{row.gameType});
        room.gameType = row.gameType;
        EXPECT_EQ(room.IsHalfGame(), row.half);
        EXPECT_EQ(room.IsFriendly(), row.friendlyAndClosed);
        EXPECT_EQ(room.IsClosed(), row.friendlyAndClosed);
        EXPECT_EQ(room.IsGambleGame(), row.gamble);
    }
}

// StakeAmount(game type, stake index, stake class): the gamble games by index, the others by class and index.
TEST(RoomInfoTest, StakeTable) {
    EXPECT_EQ(RoomInfo::StakeAmount(6, 3, 0), 100000u);
    EXPECT_EQ(RoomInfo::StakeAmount(2, 0, 3), 1000u);
    EXPECT_EQ(RoomInfo::StakeAmount(5, 2, 0), 10000u);
    EXPECT_EQ(RoomInfo::StakeAmount(0, 4, 0), 2000u);
    EXPECT_EQ(RoomInfo::StakeAmount(0, 4, 1), 0u);
    EXPECT_EQ(RoomInfo::StakeAmount(12, 3, 2), 500u);
    EXPECT_EQ(RoomInfo::StakeAmount(2, 4, 0), 0u);
    EXPECT_EQ(RoomInfo::StakeAmount(0, 5, 0), 0u);
    EXPECT_EQ(RoomInfo::StakeAmount(0, 1, 4), 0u);
}

TEST(RoomInfoTest, RequiredMoneyByGameTypeAndWithoutOverflow) {
    RoomInfo room;
    room.gameType = 6;
    room.stake = 1000;
    EXPECT_EQ(room.RequiredMoney(1999, 0), 2000);
    EXPECT_EQ(room.RequiredMoney(2000, 0), 0);
    room.gameType = 2;
    EXPECT_EQ(room.RequiredMoney(0, 0), 10000);
    room.gameType = 0;
    EXPECT_EQ(room.RequiredMoney(0, 1), 3000);
    EXPECT_EQ(room.RequiredMoney(0, 0), 5000);
    room.open = 0;
    EXPECT_EQ(room.RequiredMoney(0, 0), 0);
    EXPECT_EQ(room.RequiredMoney(std::numeric_limits<int64_t>::max(), 0), 0);

    // A stake from the server near the 32-bit limit still asks for ten times as much.
    room.gameType = 5;
    room.stake = 0xFFFFFFF0u;
    EXPECT_EQ(room.RequiredMoney(1000000, 0), int64_t{0xFFFFFFF0} * 10);
}

TEST(UserDirectoryTest, RecordsByIdAndByExactName) {
    UserDirectory directory;
    const std::pair<uint32_t, const char16_t*> users[] = {{20, u"Kim"}, {10, u"Lee"}, {30, u"Kim"}};
    PlayerState records[std::size(users)];
    for (size_t i = 0; i < std::size(users); ++i) {
        records[i].userId = users[i].first;
        records[i].name = users[i].second;
        EXPECT_TRUE(directory.Insert(&records[i]));
    }
    PlayerState duplicate;
    duplicate.userId = 20;
    EXPECT_FALSE(directory.Insert(&duplicate));
    EXPECT_EQ(directory.Find(20), &records[0]);

    EXPECT_EQ(directory.FindByName(u"Kim"), &records[0]);  // the first in id order
    EXPECT_EQ(directory.FindByName(u"kim"), nullptr);
    EXPECT_TRUE(directory.ContainsName(u"Lee"));  // takes the lock twice
    EXPECT_FALSE(directory.ContainsName(u"Park"));

    directory.Erase(20);
    directory.Erase(99);
    EXPECT_EQ(directory.Count(), 2u);
    EXPECT_EQ(directory.FindByName(u"Kim"), &records[2]);
}

}  // namespace
}  // namespace quill
