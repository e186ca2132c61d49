#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
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
// the file.
TEST_F(LogSystemTest, RepeatedLinesAreCounted) {
    ASSERT_TRUE(log_.Start(u"Run", 16, true));
    for (int frame = 0; frame < 1000; ++frame) log_.LogError(u"WARNING : DECRYPT ERROR %d\n", 4099);
    log_.Log(u"WARNING : DECRYPT ERROR 4099\n");  // the same text to the file alone is another line
    ASSERT_TRUE(log_.Flush(kFlushMs));
    clock_.Set(2024, 3, 9, 10, 16, 0);
    log_.Log(u"next\n");
    log_.Log(u"last\n");
    log_.Log(u"last\n");
    // The same line in a later second (each shot's "BallsStopped") is written again, after its earlier count;
    // its own count is written by the idle writer once its second has passed.
    clock_.Set(2024, 3, 9, 10, 16, 20);
    log_.Log(u"last\n");
    log_.Log(u"last\n");
    ASSERT_TRUE(log_.Flush(kFlushMs));
    clock_.Set(2024, 3, 9, 10, 16, 21);
    const auto summed = [&] { return directory_.Read("Run.log").find("10:16:20 ... repeated") != std::string::npos; };
    for (int wait = 0; wait < 1000 && !summed(); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(summed()) << "summed up by the idle writer";
    log_.Stop();
    EXPECT_EQ(Lines(directory_.Read("Run.log")),
              (std::vector<std::string>{"10:15:30 WARNING : DECRYPT ERROR 4099", "10:15:30 ... repeated 999 times",
                                        "10:15:30 WARNING : DECRYPT ERROR 4099", "10:16:00 next", "10:16:00 last",
                                        "10:16:00 ... repeated 1 times", "10:16:20 last",
                                        "10:16:20 ... repeated 1 times"}));
    EXPECT_EQ(console_.Text(), "10:15:30 WARNING : DECRYPT ERROR 4099\n10:15:30 ... repeated 999 times\n");
}

// Two warnings in turn (a peer's messages cut short and out of range), which the repeat count cannot fold: five of
// each kind a second are written, the rest counted and summed up once that second has passed, by the idle writer
// or by the next line; a real error after them is written.
TEST_F(LogSystemTest, WarningsInTurnAreFoldedByKindAndSummedUpOnceTheirSecondHasPassed) {
    ASSERT_TRUE(log_.Start(u"Run", 16, true));
    for (int pair = 0; pair < 1000; ++pair) {
        log_.LogError(u"WARNING : SHOT MESSAGE TOO SHORT\n");
        log_.LogError(u"WARNING: value %d out of range\n", pair);
    }
    ASSERT_TRUE(log_.Flush(kFlushMs));
    clock_.Set(2024, 3, 9, 10, 15, 31);
    for (int wait = 0; wait < 1000 && directory_.Read("Run.log").find("more lines") == std::string::npos; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_NE(directory_.Read("Run.log").find("more lines"), std::string::npos) << "summed up by the idle writer";
    log_.LogError(u"WARNING : SHOT MESSAGE TOO SHORT\n");
    clock_.Set(2024, 3, 9, 10, 15, 32);
    log_.LogError(u"ERROR: a real one\n");
    log_.Stop();

    std::vector<std::string> expected;
    for (int pair = 0; pair < 5; ++pair) {
        expected.push_back("10:15:30 WARNING : SHOT MESSAGE TOO SHORT");
        expected.push_back("10:15:30 WARNING: value " + std::to_string(pair) + " out of range");
    }
    expected.push_back("10:15:30 ... 995 more lines like \"WARNING : SHOT MESSAGE TOO SHORT\"");
    expected.push_back("10:15:30 ... 995 more lines like \"WARNING: value 0 out of range\"");
    expected.push_back("10:15:31 WARNING : SHOT MESSAGE TOO SHORT");
    expected.push_back("10:15:32 ERROR: a real one");
    EXPECT_EQ(Lines(directory_.Read("Run.log")), expected);
    EXPECT_EQ(Lines(console_.Text()), expected);
}

// Warnings past three quarters of the limit give way to errors, so that an error after a flood still reaches the
// file and the console; past the limit nothing does. Each output says once where it stopped taking which lines.
TEST_F(LogSystemTest, TheFileAndTheConsoleKeepRoomForErrorsAndStopAtTheirLimit) {
    log_.SetSizeLimit(2000);
    ASSERT_TRUE(log_.Start(u"Run", 16, true));
    for (int line = 0; line < 60; ++line) {
        clock_.Set(2024, 3, 9, 10, 16, line);  // one a second: none is folded
        log_.LogError(u"WARNING: line %d\n", line);
    }
    log_.LogError(u"ERROR: after the flood\n");
    for (int line = 0; line < 20; ++line) {
        clock_.Set(2024, 3, 9, 10, 17, line);
        log_.LogError(u"ERROR: error %d\n", line);
    }
    log_.Stop();

    const auto expectStops = [](const std::string& output, const std::string& name) {
        EXPECT_NE(output.find("10:16:59 ERROR: after the flood\n"), std::string::npos) << output;
        EXPECT_EQ(output.find("WARNING: line 59"), std::string::npos) << output;
        const std::string reserve = "WARNING: " + name +
                                    " nearly reached its size limit of 2000 bytes; only errors are written to it from "
                                    "now on\n";
        EXPECT_NE(output.find(reserve), std::string::npos) << output;
        EXPECT_EQ(output.find(reserve), output.rfind(reserve)) << "said once";
        const std::string full = "ERROR: " + name + " reached its size limit of 2000 bytes; no more lines are written "
                                 "to it\n";
        ASSERT_GT(output.size(), full.size());
        EXPECT_EQ(output.find(full), output.size() - full.size()) << "the last line, said once: " << output;
        EXPECT_LE(output.size() - full.size() - LogRecord::kPrefixUnits, 2000u);
    };
    expectStops(directory_.Read("Run.log"), "the log file");
    expectStops(console_.Text(), "the console output");
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
