// Speed of the ball-physics models: a three-ball carom shot and a sixteen-ball pocket break, each run from the
// stroke until every ball is at rest, with the default model and then with every model code (recorded shots
// replay with the code they were played with). Reported per run as simulated seconds per wall-clock second and
// sub-steps per wall-clock second.
//
// At the end the program prints, for the two default-model shots, the median speed beside the bound that the
// shot's divisions and square roots alone put on it (see DivisionBound; needs valgrind), and their ratio.
// --no_bound leaves that out (a quick run); --count_shot=carom|break runs that shot once and nothing else
// (what the counting run under valgrind does).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "bench/DivisionBound.h"
#include "bench/RateReporter.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/ReferenceShots.h"
#include "client/physics/ShotProbe.h"
#include "platform/system/FpuMode.h"

namespace {

using kestrovan::ShotProbe;
using kestrovan::ShotSetup;

void RunShot(benchmark::State& state, const ShotSetup& setup) {
    platform::SetThreadFpuMode();
    double simulatedSeconds = 0.0;
    double subSteps = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        ShotProbe probe(setup);
        std::string error;
        if (!probe.Prepare(&error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.ResumeTiming();
        const bool ended = probe.Run(nullptr);
        benchmark::DoNotOptimize(ended);
        simulatedSeconds += probe.Calls() * static_cast<double>(kestrovan::kSimulateCallDuration);
        subSteps += static_cast<double>(probe.Calls()) * probe.SubSteps();
    }
    state.counters["simulated_s_per_s"] = benchmark::Counter(simulatedSeconds, benchmark::Counter::kIsRate);
    state.counters["substeps_per_s"] = benchmark::Counter(subSteps, benchmark::Counter::kIsRate);
}

void BM_CaromShotThreeBalls(benchmark::State& state) {
    RunShot(state, kestrovan::CaromReferenceShot());
}
void BM_PocketBreakSixteenBalls(benchmark::State& state) {
    RunShot(state, kestrovan::PocketBreakReferenceShot());
}

BENCHMARK(BM_CaromShotThreeBalls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PocketBreakSixteenBalls)->Unit(benchmark::kMillisecond);

// The two shots once per model code, named by the code.
void RegisterShot(const char* shotName, kestrovan::PhysicsModelCode code, ShotSetup setup) {
    char name[64];
    std::snprintf(name, sizeof name, "%s/model:0x%05X", shotName, static_cast<unsigned>(code));
    setup.modelCode = code;
    benchmark::RegisterBenchmark(name, [setup](benchmark::State& state) {
        RunShot(state, setup);
    })->Unit(benchmark::kMillisecond);
}

const bool kEveryModelRegistered = [] {
    for (kestrovan::PhysicsModelCode code = kestrovan::kPhysicsModelBase; code <= kestrovan::kPhysicsModel10014;
         ++code) {
        RegisterShot("BM_CaromShotThreeBalls", code, kestrovan::CaromReferenceShot());
        RegisterShot("BM_PocketBreakSixteenBalls", code, kestrovan::PocketBreakReferenceShot());
    }
    return true;
}();

ShotSetup ShotNamed(std::string_view name) {
    return name == "break" ? kestrovan::PocketBreakReferenceShot() : kestrovan::CaromReferenceShot();
}

// Simulated seconds of one run of the shot, after it.
double RunOnce(const ShotSetup& setup) {
    platform::SetThreadFpuMode();
    ShotProbe probe(setup);
    std::string error;
    if (!probe.Prepare(&error)) {
        return 0.0;
    }
    probe.Run(nullptr);
    return probe.Calls() * static_cast<double>(kestrovan::kSimulateCallDuration);
}

}  // namespace

// The one function whose instructions the counting run collects.
extern "C" __attribute__((noinline)) void CountedShot(const char* name) {
    RunOnce(ShotNamed(name));
}

namespace {

void PrintBound(const kvbench::RateReporter& reporter, const char* shot, const char* benchmark) {
    const double speed = reporter.Rate(benchmark);
    if (std::isnan(speed)) {
        return;
    }
#if defined(__x86_64__)
    const auto counts = kvbench::DivisionBound::Count("CountedShot", std::string("--count_shot=") + shot);
    if (!counts) {
        std::printf("%s: %.0f times real time (the division and square-root bound needs valgrind)\n", shot, speed);
        return;
    }
    const double bound = RunOnce(ShotNamed(shot)) / kvbench::DivisionBound::Seconds(*counts);
    std::printf("%s: %.0f times real time; its %llu divisions and square roots alone allow %.0f: ratio %.2f\n", shot,
                speed, static_cast<unsigned long long>(kvbench::DivisionBound::Total(*counts)), bound, speed / bound);
#else
    std::printf("%s: %.0f times real time (no division and square-root bound on this processor)\n", shot, speed);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    bool bound = true;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with("--count_shot=")) {
            CountedShot(argv[i] + std::strlen("--count_shot="));
            return 0;
        }
        if (argument == "--no_bound") {
            bound = false;
        } else {
            argv[kept++] = argv[i];
        }
    }
    kvbench::RateReporter reporter("simulated_s_per_s");
    if (!kvbench::RunBenchmarks(kept, argv, reporter)) {
        return 1;
    }
    if (bound) {
        std::printf("\n");
        PrintBound(reporter, "carom", "BM_CaromShotThreeBalls");
        PrintBound(reporter, "break", "BM_PocketBreakSixteenBalls");
    }
    return 0;
}
