#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "LogTestSupport.h"
#include "QuillLib/core/LogSystem.h"
#include "platform/system/Console.h"
#include "platform/system/Event.h"
#include "tests/support/common/ConsoleCapture.h"
#include "tests/support/common/TempDirectory.h"

namespace quill {
namespace {

constexpr std::string_view kNotInitialized = "Log system is not initialized..\nUse LOG0() instead..\n";
constexpr uint32_t kFlushMs = 10000;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

class LogSystemTest : public ::testing::Test {
protected:
    LogSystemTest() { log_.SetDirectory(directory_.Wide()); }

    kvtest::TempDirectory directory_;
    test::ManualLocalTime clock_{platform::LocalTime{2024, 3, 9, 10, 15, 30, 0, 6}};
    kvtest::ConsoleCapture console_;
    LogSystem log_;
};

TEST_F(LogSystemTest, CallsOutsideStartAndStopOnlyPrintTheNotice) {
    log_.Log(u"too early\n");
    ASSERT_TRUE(log_.Start(u"Run", 16, true));
    EXPECT_FALSE(log_.Start(u"Again", 16, true));
    log_.Stop();
    log_.LogError(u"ERROR: too late\n");

    EXPECT_EQ(console_.Text(), std::string(kNotInitialized) + std::string(kNotInitialized));
    EXPECT_EQ(directory_.FileNames(), std::vector<std::string>{"Run.log"});
    EXPECT_EQ(directory_.Read("Run.log"), "");
}

TEST_F(LogSystemTest, FixedNameLogReplacesItsFileNeverRotatesAndShowsOnlyErrorsOnTheConsole) {
    std::ofstream(directory_.Path() / "Run.log") << "an older run\n";
    ASSERT_TRUE(log_.Start(u"Run", 100, true));
    log_.Log(u"점수 %s %hs\n", u"한국어", "\xEC\x98\xA4");  // wide and narrow text alike become UTF-8
    log_.LogError(u"ERROR: %hs failed (%d)\n", "connect", -3);
    ASSERT_TRUE(log_.Flush(kFlushMs));
    clock_.Set(2024, 3, 10, 0, 5, 0);
    log_.Log(u"next day\n");
    log_.Stop();

    EXPECT_EQ(directory_.FileNames(), std::vector<std::string>{"Run.log"});
    EXPECT_EQ(directory_.Read("Run.log"),
              "10:15:30 \xEC\xA0\x90\xEC\x88\x98 \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 \xEC\x98\xA4\n"
              "10:15:30 ERROR: connect failed (-3)\n00:05:00 next day\n");
    EXPECT_EQ(console_.Text(), "10:15:30 ERROR: connect failed (-3)\n");
}

TEST_F(LogSystemTest, DatedLogStartsANewFileEveryHourDayAndMonth) {
    ASSERT_TRUE(log_.Start(u"Game", 100, false));
    auto logAt = [&](int month, int day, int hour, int minute, int second, const char* text) {
        clock_.Set(2024, month, day, hour, minute, second);
        log_.Log(u"%hs\n", text);
        ASSERT_TRUE(log_.Flush(kFlushMs));
    };
    logAt(3, 9, 10, 20, 0, "same file");
    logAt(3, 9, 11, 14, 59, "59 minutes later");
    logAt(3, 9, 11, 15, 0, "60 minutes later");
    logAt(3, 10, 0, 5, 10, "next day");
    logAt(3, 31, 23, 30, 0, "end of month");
    logAt(4, 1, 0, 10, 0, "new month");
    log_.Stop();

    EXPECT_EQ(directory_.FileNames(),
              (std::vector<std::string>{"240309_101530Game_Start.log", "240309_111500Game.log", "240310_000510Game.log",
                                        "240331_233000Game.log", "240401_001000Game.log"}));
    EXPECT_EQ(directory_.Read("240309_101530Game_Start.log"), "10:20:00 same file\n11:14:59 59 minutes later\n");
    EXPECT_EQ(directory_.Read("240309_111500Game.log"), "11:15:00 60 minutes later\n");
    EXPECT_EQ(directory_.Read("240401_001000Game.log"), "00:10:00 new month\n");
}

TEST_F(LogSystemTest, LineKeepsTheTimeItWasMadeAt) {
    // The console write of the first line holds the writer while the second line is made and the clock moves.
    platform::Event writerBusy(true, false);
    platform::Event release(true, false);
    platform::SetConsoleSink([&](std::string_view) {
        writerBusy.Set();
        release.Wait();
    });
    ASSERT_TRUE(log_.Start(u"Late", 16, true));
    log_.LogError(u"ERROR: holds the writer\n");
    ASSERT_TRUE(writerBusy.Wait(kFlushMs));
    clock_.Set(2024, 3, 9, 12, 0, 59);
    log_.Log(u"made at 12:00:59\n");
    clock_.Set(2024, 3, 9, 12, 1, 30);
    release.Set();
    log_.Stop();

    EXPECT_EQ(Lines(directory_.Read("Late.log")).at(1), "12:00:59 made at 12:00:59");
}

TEST_F(LogSystemTest, MessagesAreCutToTheRecordAndKeepTheirPrefixAndLineEnd) {
    ASSERT_TRUE(log_.Start(u"Long", 16, true));
    const std::string fits(245, 'a');  // with "\n", exactly the 246 units after the prefix
    log_.Log(u"%hs\n", fits);
    log_.Log(u"%hs\n", std::string(400, 'b'));
    // Zero units inside a text (as a damaged file or the server may send) neither end the line early nor
    // reach back into the prefix when the line is cut.
    log_.Log(u"%s\n", WString(u"a\0b", 3));
    WString zeroFirst(400, u'c');
    zeroFirst[0] = u'\0';
    log_.Log(u"%s\n", zeroFirst);
    log_.Log(u"after\n");
    log_.Stop();

    EXPECT_EQ(Lines(directory_.Read("Long.log")),
              (std::vector<std::string>{"10:15:30 " + fits, "10:15:30 " + std::string(245, 'b'), "10:15:30 a?b",
                                        "10:15:30 ?" + std::string(244, 'c'), "10:15:30 after"}));
}

// A flood of one line (a peer's undecipherable frames) leaves that line once and its count, on the console as in
// the file; a file never grows past its limit by more than the line that says the limit is reached.
TEST_F(LogSystemTest, RepeatedLinesAreCountedAndTheFileStopsAtItsSizeLimit) {
    ASSERT_TRUE(log_.Start(u"Run", 16, true));
    for (int frame = 0; frame < 1000; ++frame) log_.LogError(u"WARNING : DECRYPT ERROR %d\n", 4099);
    log_.Log(u"WARNING : DECRYPT ERROR 4099\n");  // the same text to the file alone is another line
    clock_.Set(2024, 3, 9, 10, 16, 0);
    log_.Log(u"next\n");
    log_.Log(u"last\n");
    log_.Log(u"last\n");
    log_.Stop();
    EXPECT_EQ(Lines(directory_.Read("Run.log")),
              (std::vector<std::string>{"10:15:30 WARNING : DECRYPT ERROR 4099", "10:15:30 ... repeated 999 times",
                                        "10:15:30 WARNING : DECRYPT ERROR 4099", "10:16:00 next", "10:16:00 last",
                                        "10:16:00 ... repeated 1 times"}));
    EXPECT_EQ(console_.Text(), "10:15:30 WARNING : DECRYPT ERROR 4099\n10:15:30 ... repeated 999 times\n");

    log_.SetFileSizeLimit(200);
    ASSERT_TRUE(log_.Start(u"Run", 16, true));
    for (int line = 0; line < 100; ++line) log_.Log(u"line %d of many\n", line);
    log_.Stop();
    const std::vector<std::string> lines = Lines(directory_.Read("Run.log"));
    ASSERT_EQ(lines.size(), 9u) << "eight lines of 24 bytes fit in 200";
    EXPECT_EQ(lines[7], "10:16:00 line 7 of many");
    EXPECT_EQ(lines[8], "10:16:00 ERROR: the log file reached its size limit of 200 bytes; no more lines are written to it");
    EXPECT_EQ(console_.Text().find(lines[8]), console_.Text().rfind(lines[8])) << "said once";
}

TEST_F(LogSystemTest, RunsWithoutAFileWhenItCannotBeOpened) {
    log_.SetDirectory(directory_.Wide("missing"));
    ASSERT_TRUE(log_.Start(u"Nowhere", 16, true));
    log_.Log(u"dropped\n");
    log_.LogError(u"ERROR: shown\n");
    log_.Stop();
    EXPECT_NE(console_.Text().find("ERROR: cannot open the log file"), std::string::npos);
    EXPECT_NE(console_.Text().find("10:15:30 ERROR: shown\n"), std::string::npos);
}

// Threads log while the log is stopped under them: every call either writes its line or prints the notice,
// and each thread's lines are all there, in its order.
TEST_F(LogSystemTest, ThreadsRacingWithStopLoseNoLineAndKeepTheirOrder) {
    constexpr int kThreads = 4;
    constexpr int kLinesEach = 5000;
    ASSERT_TRUE(log_.Start(u"Stress", 4, true));  // few records: Stop finds callers waiting for one
    std::atomic<int> calls{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kLinesEach; ++i) {
                log_.Log(u"thread %d line %d\n", t, i);
                ++calls;
            }
        });
    }
    while (calls.load() < 500) {
        std::this_thread::yield();
    }
    log_.Stop();  // no Flush: Stop itself writes what is queued
    for (std::thread& thread : threads) {
        thread.join();
    }

    std::vector<int> next(kThreads, 0);
    const std::vector<std::string> lines = Lines(directory_.Read("Stress.log"));
    for (const std::string& line : lines) {
        int thread = -1;
        int number = -1;
        ASSERT_EQ(std::sscanf(line.c_str(), "10:15:30 thread %d line %d", &thread, &number), 2) << line;
        ASSERT_EQ(number, next.at(thread)) << "thread " << thread;
        ++next[thread];
    }
    EXPECT_GE(lines.size(), 500u);
    EXPECT_EQ(lines.size() + console_.Count(kNotInitialized), static_cast<size_t>(kThreads * kLinesEach));
}

TEST(TheLogDeathTest, ExitWritesWhatWasQueued) {
    kvtest::TempDirectory directory;
    GTEST_FLAG_SET(death_test_style, "fast");  // the child must write into this test's folder
    EXPECT_EXIT(
        {
            TheLog().SetDirectory(directory.Wide());
            TheLog().Start(u"Exit", 100, true);
            for (int i = 0; i < 50; ++i) {
                TheLog().Log(u"queued %d\n", i);
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(Lines(directory.Read("Exit.log")).size(), 50u);
}

}  // namespace
}  // namespace quill
