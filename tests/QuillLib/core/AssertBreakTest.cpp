#include <gtest/gtest.h>

#include <string>

#include "LogTestSupport.h"
#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/core/LogSystem.h"
#include "tests/support/common/ConsoleCapture.h"
#include "tests/support/common/TempDirectory.h"

namespace quill {
namespace {

TEST(AssertBreakTest, BreakLineIsInTheFileBeforeTheCrashPathRuns) {
    kvtest::TempDirectory directory;
    kvtest::ConsoleCapture console;
    test::ManualLocalTime clock(platform::LocalTime{2024, 5, 1, 8, 30, 0, 0, 3});
    TheLog().SetDirectory(directory.Wide());
    ASSERT_TRUE(TheLog().Start(u"StartLog", 100, true));
    std::string fileAtCrash;
    std::string crashedAt;
    // The crash path must not return, so it leaves by throwing.
    SetBreakHook([&](const char* file, int line) {
        fileAtCrash = directory.Read("StartLog.log");
        throw std::string(file) + ":" + std::to_string(line);
    });
    try {
        AssertBreak("SceneManager.cpp", 212);
    } catch (const std::string& where) {
        crashedAt = where;
    }
    SetBreakHook({});
    TheLog().Stop();

    EXPECT_EQ(crashedAt, "SceneManager.cpp:212");
    EXPECT_EQ(fileAtCrash, "08:30:00 BREAK : SceneManager.cpp  212\n");
    EXPECT_EQ(console.Text(), "08:30:00 BREAK : SceneManager.cpp  212\n");
}

TEST(AssertBreakDeathTest, WithoutACrashPathTheProgramAborts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(AssertBreak("Engine.cpp", 7), "");
}

}  // namespace
}  // namespace quill
