// Throughput of the log: lines per second through LogSystem::Log with the writer running and writing a
// file in a temporary folder. The argument is the record pool's size (100 is the start log's).
//   LogCall          the callers' side: one call per iteration from 1 to 4 threads; a caller that finds the
//                    pool empty waits for the writer, so a sustained rate is also the writer's rate.
//   LogToFile        end to end: 1000 lines, then Flush until they are in the file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "QuillLib/core/LogSystem.h"
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

}  // namespace
