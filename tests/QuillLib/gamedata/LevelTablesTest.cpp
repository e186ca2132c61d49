#include <gtest/gtest.h>

#include <string>

#include "QuillLib/gamedata/LevelTables.h"
#include "tests/support/common/ConsoleCapture.h"

namespace quill {
namespace {

class LevelTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        BuildExperienceTable();
        BuildMoneyLimitTable();
    }

    kvtest::ConsoleCapture console;
};

TEST_F(LevelTablesTest, HandicapLadderLookups) {
    EXPECT_EQ(GetHandicapStep(0), 30);
    EXPECT_EQ(GetHandicapStep(14), 3000);
    EXPECT_EQ(GetHandicapStep(15), 9999);
    EXPECT_EQ(GetHandicapStep(200), 9999);  // past the ladder: the end mark, never a stray read

    EXPECT_EQ(GetHandicapIndex(30), 0u);
    EXPECT_EQ(GetHandicapIndex(150), 5u);
    EXPECT_EQ(GetHandicapIndex(31), 14u);

    EXPECT_EQ(GetNextHandicap(29), 30);
    EXPECT_EQ(GetNextHandicap(30), 50);
    EXPECT_EQ(GetNextHandicap(2999), 3000);
    EXPECT_EQ(GetNextHandicap(3000), 9999);
}

TEST_F(LevelTablesTest, ExperienceAtEveryLevelBoundary) {
    EXPECT_EQ(GetExperienceForLevel(1), 0);
    EXPECT_EQ(GetExperienceForLevel(2), 200);
    EXPECT_EQ(GetExperienceForLevel(3), 440);
    EXPECT_EQ(GetExperienceForLevel(4), 728);
    EXPECT_EQ(GetExperienceForLevel(5), 1074);
    EXPECT_EQ(GetExperienceForLevel(6), 1489);
    EXPECT_EQ(GetExperienceForLevel(41), 1471974);
    for (uint16_t level = 2; level <= 41; ++level) {
        EXPECT_GT(GetExperienceForLevel(level), GetExperienceForLevel(level - 1)) << level;
    }
    // Levels from the server outside 1..41 stay inside the table.
    EXPECT_EQ(GetExperienceForLevel(0), 0);
    EXPECT_EQ(GetExperienceForLevel(42), 1471974);
    EXPECT_EQ(GetExperienceForLevel(65535), 1471974);
}

TEST_F(LevelTablesTest, MoneyLimitsGrowByTheirLevelBands) {
    EXPECT_EQ(GetMoneyLimitForLevel(0), 0);
    EXPECT_EQ(GetMoneyLimitForLevel(4), 20000);
    EXPECT_EQ(GetMoneyLimitForLevel(5), 30000);
    EXPECT_EQ(GetMoneyLimitForLevel(10), 80000);
    EXPECT_EQ(GetMoneyLimitForLevel(14), 160000);
    EXPECT_EQ(GetMoneyLimitForLevel(25), 600000);
    EXPECT_EQ(GetMoneyLimitForLevel(30), 1000000);
    EXPECT_EQ(GetMoneyLimitForLevel(40), 3000000);
    EXPECT_EQ(GetMoneyLimitForLevel(9999), 3000000);
}

TEST_F(LevelTablesTest, BothTablesArePrintedEntryByEntry) {
    const std::string printed = console.Text();
    EXPECT_EQ(printed.find("lev:0 need:0\n"), 0u);
    EXPECT_NE(printed.find("lev:1 need:200\n"), std::string::npos);
    EXPECT_NE(printed.find("lev:40 need:1471974\n"), std::string::npos);
    EXPECT_NE(printed.find("lev:0   limit:0   delta:0\n"), std::string::npos);
    EXPECT_NE(printed.find("lev:10   limit:80000   delta:10000\n"), std::string::npos);
    EXPECT_NE(printed.find("lev:40   limit:3000000   delta:200000\n"), std::string::npos);
    // The experience table comes first, 41 lines each.
    EXPECT_LT(printed.find("need:1471974"), printed.find("limit:"));
    EXPECT_EQ(console.Count("\n"), 82u);
}

// A program with a window keeps routine output off its terminal: the tables are built, not printed, while
// warnings and errors still reach the console.
TEST(LevelTablesQuietTest, AProgramWithAWindowPrintsNoTables) {
    kvtest::ConsoleCapture console;
    platform::SetRoutineConsoleOutput(false);
    BuildExperienceTable();
    BuildMoneyLimitTable();
    platform::ConsoleWrite("WARNING: shown\n");
    platform::SetRoutineConsoleOutput(true);
    EXPECT_EQ(console.Text(), "WARNING: shown\n");
    EXPECT_EQ(GetExperienceForLevel(41), 1471974);
}

}  // namespace
}  // namespace quill
