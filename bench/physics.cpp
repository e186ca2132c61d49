// Speed of the ball-physics models: a three-ball carom shot and a sixteen-ball pocket break, each run from the
// stroke until every ball is at rest, with the default model and then with every model code (recorded shots
// replay with the code they were played with). Reported per run as simulated seconds per wall-clock second and
// sub-steps per wall-clock second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

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

}  // namespace
