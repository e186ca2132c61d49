#include <gtest/gtest.h>

#include "QuillLib/gamedata/GameTypes.h"
#include "tests/support/common/LogCapture.h"

namespace quill {
namespace {

TEST(GameTypesTest, BallCountsFamiliesAndDefaultItemsFollowTheTypeTable) {
    struct Row {
        GameType type;
        uint32_t balls;
        int32_t family;
        uint16_t table;
        uint16_t ballSet;
    };
    const Row rows[] = {
        {-1, 22, -1, 1020, 2003}, {0, 4, 0, 1020, 2003},   {1, 4, -1, 1020, 2003},  {2, 4, 1, 1020, 2003},
        {3, 3, 1, 1027, 2004},    {4, 3, 1, 1024, 2004},   {5, 3, 1, 1028, 2004},   {6, 6, 2, 1020, 2008},
        {10, 16, 3, 1030, 2006},  {11, 16, 3, 1020, 2003}, {12, 10, 3, 1032, 2006}, {13, 16, 3, 1033, 2006},
        {16, 22, 3, 1035, 2007},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        EXPECT_EQ(GetBallCount(row.type), row.balls);
        EXPECT_EQ(GetGameFamily(row.type), row.family);
        EXPECT_EQ(DefaultTableItemId(row.type), row.table);
        EXPECT_EQ(DefaultBallItemId(row.type), row.ballSet);
    }
    for (GameType unnamed : {7, 8, 9, 14, 15, 17, 99, -2}) {
        EXPECT_EQ(GetGameFamily(unnamed), -1);
        EXPECT_EQ(DefaultTableItemId(unnamed), 1020);
        EXPECT_EQ(DefaultBallItemId(unnamed), 2003);
        EXPECT_TRUE(GameShortName(unnamed).empty());
    }
}

TEST(GameTypesTest, UnknownBallCountIsLoggedToTheConsoleAndIsZero) {
    test::LogCapture log;
    EXPECT_EQ(GetBallCount(7), 0u);
    EXPECT_TRUE(log.Contains("BBBBBBBBBB :7 \n")) << log.Text();
}

TEST(GameTypesTest, BallSetsGiveRadiusAndMassAndNothingOutsideTheTable) {
    EXPECT_FLOAT_EQ(GetBallRadius(0), 3.25f);
    EXPECT_FLOAT_EQ(GetBallRadius(6), 2.625f);
    EXPECT_FLOAT_EQ(GetBallMass(6), 0.15f);
    EXPECT_EQ(GetBallRadius(7), 0.0f);
    EXPECT_EQ(GetBallMass(7), 0.0f);
    EXPECT_EQ(GetBallRadius(0xFFFFFFFF), 0.0f);
}

TEST(GameTypesTest, BallGroupsSplitCueLowEightAndHigh) {
    EXPECT_EQ(BallGroupOf(0), ball_group::kCue);
    EXPECT_EQ(BallGroupOf(1), ball_group::kLow);
    EXPECT_EQ(BallGroupOf(7), ball_group::kLow);
    EXPECT_EQ(BallGroupOf(8), ball_group::kEight);
    EXPECT_EQ(BallGroupOf(9), ball_group::kHigh);
    EXPECT_EQ(BallGroupOf(21), ball_group::kHigh);
}

TEST(GameTypesTest, NamesAndShotCodeHelpers) {
    EXPECT_EQ(GameShortName(0), u"4balls");
    EXPECT_EQ(GameLongName(0), u"4balls korean carom");
    EXPECT_EQ(GameShortName(13), u"14-1 st.");
    EXPECT_EQ(GameLongName(13), u"14-1 straight");
    EXPECT_TRUE(GameShortName(1).empty());
    EXPECT_TRUE(GameLongName(-1).empty());

    EXPECT_EQ(ThousandsCappedAt3(7005), 3);
    EXPECT_EQ(ThousandsCappedAt3(-2001), -2);
}

}  // namespace
}  // namespace quill
