#include <gtest/gtest.h>

#include <limits>

#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "QuillLib/gamedata/UserDirectory.h"

namespace quill {
namespace {

TEST(RoomInfoTest, ResetRestoresTheEmptyRoomButKeepsTheTitle) {
    RoomInfo room;
    EXPECT_EQ(room.title, u"Default Room Title");
    EXPECT_EQ(room.maxPlayers, 6);
    EXPECT_EQ(room.inningTime, 40);
    EXPECT_EQ(room.open, 1);
    room.title = u"Masters";
    room.stake = 500;
    room.optionFlags = 24;
    room.Reset();
    EXPECT_EQ(room.title, u"Masters");
    EXPECT_EQ(room.stake, 0u);
    EXPECT_EQ(room.optionFlags, 0);
    EXPECT_EQ(room.slotIndex, -1);
    EXPECT_EQ(room.roomNumber, -2);
}

TEST(RoomInfoTest, HalfFriendlyAndClosedDependOnTheGameType) {
    RoomInfo room;
    room.optionFlags = RoomInfo::kHalfGameFlag | RoomInfo::kFriendlyFlag;
    room.open = 0;
    for (uint8_t type : {0, 3, 13}) {
        room.gameType = type;
        EXPECT_TRUE(room.IsHalfGame()) << int{type};
    }
    room.gameType = 4;
    EXPECT_FALSE(room.IsHalfGame());
    EXPECT_TRUE(room.IsFriendly());
    EXPECT_TRUE(room.IsClosed());
    for (uint8_t type : {2, 5, 6}) {
        room.gameType = type;
        EXPECT_FALSE(room.IsFriendly());
        EXPECT_FALSE(room.IsClosed());
    }
    room.gameType = 6;
    EXPECT_FALSE(room.IsGambleGame());
    room.gameType = 5;
    EXPECT_TRUE(room.IsGambleGame());
}

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
    PlayerState kim;
    kim.userId = 20;
    kim.name = u"Kim";
    PlayerState lee;
    lee.userId = 10;
    lee.name = u"Lee";
    PlayerState kimAgain;
    kimAgain.userId = 30;
    kimAgain.name = u"Kim";

    EXPECT_TRUE(directory.Insert(&kim));
    EXPECT_TRUE(directory.Insert(&lee));
    EXPECT_TRUE(directory.Insert(&kimAgain));
    PlayerState duplicate;
    duplicate.userId = 20;
    EXPECT_FALSE(directory.Insert(&duplicate));
    EXPECT_EQ(directory.Find(20), &kim);
    EXPECT_EQ(directory.Count(), 3u);

    EXPECT_EQ(directory.FindByName(u"Kim"), &kim);  // the first in id order
    EXPECT_EQ(directory.FindByName(u"kim"), nullptr);
    EXPECT_TRUE(directory.ContainsName(u"Lee"));  // takes the lock twice
    EXPECT_FALSE(directory.ContainsName(u"Park"));

    directory.Erase(20);
    directory.Erase(99);
    EXPECT_EQ(directory.Find(20), nullptr);
    EXPECT_EQ(directory.FindByName(u"Kim"), &kimAgain);
}

}  // namespace
}  // namespace quill
