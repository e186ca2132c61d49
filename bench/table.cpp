// Speed of the game table's per-frame update while a shot runs: a three-cushion shot and an 8-ball break, each
// started from the committed shot record and updated frame by frame until every ball rests, as the game thread
// runs it (the physics step, the trails, the camera tick and the effects; drawing is not part of it). Reported as
// real time per wall-clock second: one update stands for 5 ms of play (the frame clock's 200 ticks a second).
#include <benchmark/benchmark.h>

#include <memory>

#include "client/physics/PhysicsModelCode.h"
#include "client/table/GameTable.h"
#include "platform/system/FpuMode.h"

namespace {

using kestrovan::GameTable;
namespace type = quill::game_type;

constexpr double kFrameSeconds = 0.005;
constexpr uint32_t kFrameTime = 50;  // the table clock's 0.1 ms units

// A racked table with the stroke of a firm shot at ball 1 in its shot record.
std::unique_ptr<GameTable> RackedTable(quill::GameType gameType) {
    auto table = std::make_unique<GameTable>();
    table->SetGameMode(gameType);
    table->SetEquipmentItems(0, 0);
    table->SetupTable(kestrovan::kDefaultPhysicsModelCode, 1);
    table->Reset(7);
    kestrovan::ShotRecord& shot = table->GetShotRecord();
    const quill::Vec3 target = table->Physics().CachedPosition(1);
    shot.aimPointX = target.x;
    shot.aimPointY = target.y;
    shot.power = 0.8f;
    shot.powerCap = 1.0f;
    shot.paramE = 0.25f;
    shot.startParamA = 0.65f;
    shot.startParamB = 3.0f;
    return table;
}

void RunShots(benchmark::State& state, quill::GameType gameType) {
    platform::SetThreadFpuMode();
    double played = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<GameTable> table = RackedTable(gameType);
        table->StartShot(0, false);
        state.ResumeTiming();
        uint32_t time = 0;
        while (table->IsShotRunning()) {
            time += kFrameTime;
            table->Update(time, 0, 0, false);
            played += kFrameSeconds;
        }
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
    state.counters["played_s_per_s"] = benchmark::Counter(played, benchmark::Counter::kIsRate);
}

void BM_ThreeCushionShotToRest(benchmark::State& state) {
    RunShots(state, type::kThreeCushion);
}
void BM_EightBallBreakToRest(benchmark::State& state) {
    RunShots(state, type::kEightBall);
}

// One update in the first second of a break, when most balls move.
void BM_UpdateDuringBreak(benchmark::State& state) {
    platform::SetThreadFpuMode();
    std::unique_ptr<GameTable> table = RackedTable(type::kEightBall);
    uint32_t time = 0;
    for (auto _ : state) {
        if (!table->IsShotRunning() || time > 200 * kFrameTime) {
            state.PauseTiming();
            table = RackedTable(type::kEightBall);
            table->StartShot(0, false);
            time = 0;
            state.ResumeTiming();
        }
        time += kFrameTime;
        table->Update(time, 0, 0, false);
    }
}

BENCHMARK(BM_ThreeCushionShotToRest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EightBallBreakToRest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateDuringBreak)->Unit(benchmark::kMicrosecond);

}  // namespace
