// Speed of the game table while a shot runs: a three-cushion shot and an 8-ball break, each started from the
// committed shot record and updated frame by frame until every ball rests, as the game thread runs it (the
// physics step, the trails, the camera tick and the effects), first without drawing and then with the main
// thread's render step and draw passes after every update, on the recording device with the default data's
// models (the room scene, the table, the balls, the cue and the HUD). Reported as real time per wall-clock
// second: one update stands for 5 ms of play (the frame clock's 200 ticks a second); and the time of one
// table frame (update and draw) during a break.
#include <benchmark/benchmark.h>

#include <memory>

#include "client/physics/PhysicsModelCode.h"
#include "client/rules/TablePhysics.h"
#include "client/table/GameTable.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableModels.h"
#include "client/table/TableShotRecords.h"
#include "platform/system/FpuMode.h"
#include "tests/support/gfx/TableStage.h"

namespace {

using kestrovan::GameTable;
namespace type = quill::game_type;

constexpr double kFrameSeconds = 0.005;
constexpr uint32_t kFrameTime = 50;  // the table clock's 0.1 ms units

// The recording device with the default data; it also installs the widget toolkit every table's HUD needs.
kvtest::TableStage& Stage() {
    static kvtest::TestEngineFactory factory(true);
    static kvtest::TableStage stage(factory, KV_DATA_FOLDER, 1024, 768);
    return stage;
}

// The stroke of a firm shot at ball 1 into the table's shot record.
void AimFirmShot(GameTable& table) {
    kestrovan::ShotRecord& shot = table.Records().GetShotRecord();
    const quill::Vec3 target = table.Physics().CachedPosition(1);
    shot.aimPointX = target.x;
    shot.aimPointY = target.y;
    shot.power = 0.8f;
    shot.powerCap = 1.0f;
    shot.paramE = 0.25f;
    shot.startParamA = 0.65f;
    shot.startParamB = 3.0f;
}

// A racked table without models, its shot aimed.
std::unique_ptr<GameTable> RackedTable(quill::GameType gameType) {
    Stage();
    auto table = std::make_unique<GameTable>();
    table->Equipment().SetGameMode(gameType);
    table->Equipment().SetEquipmentItems(0, 0);
    table->Models().SetupTable(kestrovan::kDefaultPhysicsModelCode, 1);
    table->Reset(7);
    AimFirmShot(*table);
    return table;
}

// The stage's table racked for the game type with its models, its shot aimed and struck; false without a device.
bool StrikeOnStage(benchmark::State& state, quill::GameType gameType) {
    kvtest::TableStage& stage = Stage();
    if (!stage.Ready() || !stage.MakeTable(gameType)) {
        state.SkipWithError(stage.Error().c_str());
        return false;
    }
    stage.ViewFrom({0.0f, -330.0f, 260.0f}, {0.0f, 0.0f, 0.0f});
    AimFirmShot(*stage.table);
    stage.table->StartShot(0, false);
    return true;
}

// One update and one drawn frame, as the game thread and the main thread run them.
void UpdateAndDraw(kvtest::TableStage& stage, uint32_t time) {
    stage.table->Update(time, 0, 0, false);
    stage.DrawFrame();
    stage.device->Present();
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

// A three-cushion shot from strike to rest, drawn after every update.
void BM_ThreeCushionShotToRestDrawn(benchmark::State& state) {
    platform::SetThreadFpuMode();
    double played = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        const bool struck = StrikeOnStage(state, type::kThreeCushion);
        state.ResumeTiming();
        if (!struck) {
            return;
        }
        uint32_t time = 0;
        while (Stage().table->IsShotRunning()) {
            time += kFrameTime;
            UpdateAndDraw(Stage(), time);
            played += kFrameSeconds;
        }
    }
    state.counters["played_s_per_s"] = benchmark::Counter(played, benchmark::Counter::kIsRate);
}

// One table frame (update and draw) in the first second of an 8-ball break, when most balls move.
void BM_TableFrameDuringBreak(benchmark::State& state) {
    platform::SetThreadFpuMode();
    uint32_t time = 0;
    bool struck = false;
    for (auto _ : state) {
        if (!struck || !Stage().table->IsShotRunning() || time > 200 * kFrameTime) {
            state.PauseTiming();
            struck = StrikeOnStage(state, type::kEightBall);
            time = 0;
            state.ResumeTiming();
            if (!struck) {
                return;
            }
        }
        time += kFrameTime;
        UpdateAndDraw(Stage(), time);
    }
}

BENCHMARK(BM_ThreeCushionShotToRest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThreeCushionShotToRestDrawn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableFrameDuringBreak)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EightBallBreakToRest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateDuringBreak)->Unit(benchmark::kMicrosecond);

}  // namespace
