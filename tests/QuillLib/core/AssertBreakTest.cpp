#include <gtest/gtest.h>

#include <string>

#include "LogTestSupport.h"
#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/core/LogSystem.h"

namespace quill {
namespace {

struct BreakTaken {
    std::string file;
    int line;
};

TEST(AssertBreakTest, BreakLineIsInTheFileBeforeTheCrashPathRuns) {
    test::TempDirectory directory;
    test::ConsoleCapture console;
    test::ManualLocalTime clock(platform::LocalTime{2024, 5, 1, 8, 30, 0, 0, 3});
    TheLog().SetDirectory(directory.Wide());
    ASSERT_TRUE(TheLog().Start(u"StartLog", 100, true));
    std::string fileAtCrash;
    SetBreakHook([&](const char* file, int line) {
        fileAtCrash = directory.Read("StartLog.log");
        throw BreakTaken{file, line};
    });

    try {
        AssertBreak("SceneManager.cpp", 212);
        FAIL() << "AssertBreak returned";
    } catch (const BreakTaken& taken) {
        EXPECT_EQ(taken.file, "SceneManager.cpp");
        EXPECT_EQ(taken.line, 212);
    }
    SetBreakHook({});
    TheLog().Stop();

    EXPECT_EQ(fileAtCrash, "08:30:00 BREAK : SceneManager.cpp  212\n");
    EXPECT_EQ(console.Text(), "08:30:00 BREAK : SceneManager.cpp  212\n");
}

TEST(AssertBreakDeathTest, WithoutACrashPathTheProgramAborts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(AssertBreak("Engine.cpp", 7), "");
}

}  // namespace
}  // namespace quill
