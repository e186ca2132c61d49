// Throughput of the log: lines per second through LogSystem::Log with the writer running and writing a
// file in a temporary folder. The argument is the record pool's size (100 is the start log's).
//   LogCall          the callers' side: one call per iteration from 1 to 4 threads; a caller that finds the
//                    pool empty waits for the writer, so a sustained rate is also the writer's rate.
//   LogToFile        end to end: 1000 lines, then Flush until they are in the file.
//   SpdlogCall       the same lines through spdlog's asynchronous logger (a queue of 1000 lines that blocks
//                    when full, one writer thread, a file, the same time prefix): the ecosystem's yardstick.
// At the end the program prints the one-thread rates of both loggers and their ratio.
#include <benchmark/benchmark.h>
#include <spdlog/async.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/spdlog.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "QuillLib/core/LogSystem.h"
#include "bench/RateReporter.h"
#include "platform/system/CodePage.h"

namespace {

// A started log writing into its own temporary folder, removed afterwards.
class BenchLog {
public:
    explicit BenchLog(uint32_t records) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrovan-bench-XXXXXX").string();
        directory_ = mkdtemp(pattern.data());
        log_.SetDirectory(platform::Utf8ToUtf16(directory_.string()));
        log_.Start(u"Bench", records, true);
    }
    ~BenchLog() {
        log_.Stop();
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }

    quill::LogSystem& Log() { return log_; }

private:
    std::filesystem::path directory_;
    quill::LogSystem log_;
};

void LogLine(quill::LogSystem& log, int number) {
    log.Log(u"bench line %d: table %d shot %hs power %.2f\n", number, number % 40, "carom", 0.75);
}

// Made by thread 0 before the timed loop and stopped by it after the loop; the library's barriers at
// the loop's start and end keep the other threads inside.
std::unique_ptr<BenchLog> sharedLog;

void LogCall(benchmark::State& state) {
    if (state.thread_index() == 0) {
        sharedLog = std::make_unique<BenchLog>(static_cast<uint32_t>(state.range(0)));
    }
    int number = 0;
    for (auto _ : state) {
        LogLine(sharedLog->Log(), number++);
    }
    state.SetItemsProcessed(state.iterations());
    if (state.thread_index() == 0) {
        sharedLog.reset();
    }
}
BENCHMARK(LogCall)->Arg(100)->Arg(1000)->ThreadRange(1, 4)->UseRealTime();

void LogToFile(benchmark::State& state) {
    constexpr int kLines = 1000;
    BenchLog log(static_cast<uint32_t>(state.range(0)));
    for (auto _ : state) {
        for (int i = 0; i < kLines; ++i) {
            LogLine(log.Log(), i);
        }
        log.Log().Flush(platform::kInfinite);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(LogToFile)->Arg(100)->Arg(1000)->UseRealTime();

constexpr size_t kSpdlogQueue = 1000;

void SpdlogCall(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrovan-bench-XXXXXX").string();
    const std::filesystem::path directory = mkdtemp(pattern.data());
    {
        auto pool = std::make_shared<spdlog::details::thread_pool>(kSpdlogQueue, 1);
        auto sink = std::make_shared<spdlog::sinks::basic_file_sink_mt>((directory / "Bench.log").string(), true);
        auto logger = std::make_shared<spdlog::async_logger>("bench", sink, pool, spdlog::async_overflow_policy::block);
        logger->set_pattern("%H:%M:%S %v");
        int number = 0;
        for (auto _ : state) {
            logger->info("bench line {}: table {} shot {} power {:.2f}", number, number % 40, "carom", 0.75);
            ++number;
        }
        state.SetItemsProcessed(state.iterations());
    }  // the logger and its pool drain and stop here
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}
BENCHMARK(SpdlogCall)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    kvbench::RateReporter reporter("items_per_second");
    if (!kvbench::RunBenchmarks(argc, argv, reporter)) {
        return 1;
    }
    const double ours = reporter.Rate("LogCall/1000/real_time/threads:1");
    const double spdlog = reporter.Rate("SpdlogCall/real_time");
    if (!std::isnan(ours) && !std::isnan(spdlog)) {
        std::printf("\nLines per second from one thread: LogSystem %.0f, spdlog (asynchronous) %.0f, ratio %.2f\n",
                    ours, spdlog, ours / spdlog);
    }
    return 0;
}
