#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "LogTestSupport.h"
#include "QuillLib/core/LogSystem.h"

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

    test::TempDirectory directory_;
    test::ManualLocalTime clock_{platform::LocalTime{2024, 3, 9, 10, 15, 30, 0, 6}};
    test::ConsoleCapture console_;
    LogSystem log_;
};

TEST_F(LogSystemTest, CallsOutsideStartAndStopOnlyPrintTheNotice) {
    log_.Log(u"too early\n");
    EXPECT_EQ(console_.Text(), kNotInitialized);
    EXPECT_TRUE(log_.Flush(0)) << "nothing is waiting";

    ASSERT_TRUE(log_.Start(u"Run", 16, true));
    EXPECT_FALSE(log_.Start(u"Again", 16, true));
    log_.Log(u"inside\n");
    log_.Stop();
    log_.LogError(u"ERROR: too late\n");

    EXPECT_EQ(console_.Count(kNotInitialized), 2u);
    EXPECT_EQ(directory_.FileNames(), std::vector<std::string>{"Run.log"});
    EXPECT_EQ(directory_.Read("Run.log"), "10:15:30 inside\n");
}

TEST_F(LogSystemTest, FixedNameLogReplacesItsFileAndNeverRotates) {
    { std::ofstream(directory_.Path() / "StartLog.log") << "an older run\n"; }
    ASSERT_TRUE(log_.Start(u"StartLog", 100, true));
    log_.Log(u"first %d\n", 1);
    ASSERT_TRUE(log_.Flush(kFlushMs));
    clock_.Set(2024, 3, 10, 0, 5, 0);
    log_.Log(u"next day\n");
    log_.Stop();

    EXPECT_EQ(directory_.FileNames(), std::vector<std::string>{"StartLog.log"});
    EXPECT_EQ(directory_.Read("StartLog.log"), "10:15:30 first 1\n00:05:00 next day\n");
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
    EXPECT_EQ(directory_.Read("240310_000510Game.log"), "00:05:10 next day\n");
    EXPECT_EQ(directory_.Read("240401_001000Game.log"), "00:10:00 new month\n");
}

TEST_F(LogSystemTest, LogErrorReachesConsoleAndFileLogOnlyTheFile) {
    ASSERT_TRUE(log_.Start(u"Both", 16, true));
    log_.Log(u"routine %s\n", u"line");
    log_.LogError(u"ERROR: %hs failed (%d)\n", "connect", -3);
    log_.Stop();

    EXPECT_EQ(directory_.Read("Both.log"), "10:15:30 routine line\n10:15:30 ERROR: connect failed (-3)\n");
    EXPECT_EQ(console_.Text(), "10:15:30 ERROR: connect failed (-3)\n");
}

TEST_F(LogSystemTest, LineKeepsTheTimeItWasMadeAt) {
    platform::Event writerBusy(true, false);
    platform::Event release(true, false);
    platform::SetConsoleSink([&](std::string_view) {
        writerBusy.Set();
        release.Wait();
    });
    clock_.Set(2024, 3, 9, 12, 0, 0);
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

TEST_F(LogSystemTest, LongMessagesAreCutToTheRecordAndKeepTheirLineEnd) {
    ASSERT_TRUE(log_.Start(u"Long", 16, true));
    const std::string fits(245, 'a');  // with "\n", exactly the 246 units after the prefix
    const std::string tooLong(400, 'b');
    log_.Log(u"%hs\n", fits);
    log_.Log(u"%hs\n", tooLong);
    log_.Log(u"after\n");
    log_.Stop();

    const std::vector<std::string> lines = Lines(directory_.Read("Long.log"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "10:15:30 " + fits);
    EXPECT_EQ(lines[1], "10:15:30 " + std::string(245, 'b'));
    EXPECT_EQ(lines[2], "10:15:30 after");
}

TEST_F(LogSystemTest, TextIsWrittenWholeAsUtf8) {
    ASSERT_TRUE(log_.Start(u"Korean", 16, true));
    log_.Log(u"점수 %s %hs\n", u"한국어", "\xEC\x98\xA4\xEB\xA5\x98");
    log_.Log(u"next\n");
    log_.Stop();
    EXPECT_EQ(directory_.Read("Korean.log"),
              "10:15:30 \xEC\xA0\x90\xEC\x88\x98 \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 "
              "\xEC\x98\xA4\xEB\xA5\x98\n10:15:30 next\n");
}

TEST_F(LogSystemTest, RunsWithoutAFileWhenItCannotBeOpened) {
    log_.SetDirectory(directory_.Wide() + u"/missing");
    ASSERT_TRUE(log_.Start(u"Nowhere", 16, true));
    log_.Log(u"dropped\n");
    log_.LogError(u"ERROR: shown\n");
    log_.Stop();
    EXPECT_NE(console_.Text().find("ERROR: cannot open the log file"), std::string::npos);
    EXPECT_NE(console_.Text().find("10:15:30 ERROR: shown\n"), std::string::npos);
    EXPECT_TRUE(directory_.FileNames().empty());
}

TEST_F(LogSystemTest, ManyThreadsLoseNoLineAndKeepTheirOrder) {
    constexpr int kThreads = 4;
    constexpr int kLinesEach = 1000;
    ASSERT_TRUE(log_.Start(u"Stress", 100, true));  // a small pool, so callers wait for records
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < kLinesEach; ++i) {
                log_.Log(u"thread %d line %d\n", t, i);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    log_.Stop();  // no Flush: Stop itself writes what is queued

    std::vector<int> next(kThreads, 0);
    const std::vector<std::string> lines = Lines(directory_.Read("Stress.log"));
    for (const std::string& line : lines) {
        int thread = -1;
        int number = -1;
        ASSERT_EQ(std::sscanf(line.c_str(), "10:15:30 thread %d line %d", &thread, &number), 2) << line;
        ASSERT_EQ(number, next.at(thread)) << "thread " << thread;
        ++next[thread];
    }
    EXPECT_EQ(lines.size(), static_cast<size_t>(kThreads * kLinesEach));
}

TEST_F(LogSystemTest, CallsRacingWithStopAreWrittenOrRefusedNeverLost) {
    constexpr int kThreads = 4;
    constexpr int kLinesEach = 5000;
    ASSERT_TRUE(log_.Start(u"Race", 50, true));
    std::atomic<int> calls{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kLinesEach; ++i) {
                log_.Log(u"racing line\n");
                ++calls;
            }
        });
    }
    while (calls.load() < 500) {
        std::this_thread::yield();
    }
    log_.Stop();
    for (std::thread& thread : threads) {
        thread.join();
    }

    const size_t written = Lines(directory_.Read("Race.log")).size();
    const size_t refused = console_.Count(kNotInitialized);
    EXPECT_GE(written, 500u);
    EXPECT_EQ(written + refused, static_cast<size_t>(kThreads * kLinesEach));
}

}  // namespace
}  // namespace quill

namespace quill {
namespace {

TEST(TheLogDeathTest, ExitWritesWhatWasQueued) {
    test::TempDirectory directory;
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
