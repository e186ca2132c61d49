// Plays arbitrary shot texts as the replay mode, the shot gallery, the lobby's best shots and the login screen's
// demonstration play them: the text read, the table set up for the shot's game and physics, the shot loaded and
// started, its frames run for a bounded while with the HUD's gauge following. Whatever power, deviation, aim and
// ball values the text carries, nothing may crash, overflow or convert an out-of-range float, and the table
// plays the power and the deviation within their ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/physics/PhysicsModelFactory.h"
#include "client/table/GameTable.h"
#include "client/table/ShotRecord.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableModels.h"
#include "client/table/TableShotRecords.h"
#include "platform/system/Console.h"
#include "platform/system/FpuMode.h"
#include "tests/fuzz/FuzzTable.h"

namespace {

using kestrovan::GameTable;

// The games the screens set a replayed shot's table up for; anything else plays as four-ball.
quill::GameType PlayedGame(uint8_t gameMode) {
    constexpr quill::GameType kOffered[] = {0, 1, 2, 3, 4, 5, 6, 10, 12, 13, 16};
    for (const quill::GameType game : kOffered) {
        if (game == gameMode) {
            return game;
        }
    }
    return 0;
}

constexpr int kFrames = 40;         // 2 s of the table's clock at 20 frames a second
constexpr uint32_t kFrameTime = 500;  // 50 ms in the table's 0.1 ms units

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    // The table logs what it corrects; the fuzzer's output stays readable without it.
    platform::SetConsoleSink([](std::string_view) {});
    platform::SetThreadFpuMode();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    kestrovan::ShotData shot;
    if (!kestrovan::ShotRecord::ParseHex(std::string_view(reinterpret_cast<const char*>(bytes), size), shot)) {
        return 0;
    }
    static kvfuzz::TableFixture fixture;
    GameTable& table = fixture.table;
    table.StopShot();
    table.Reset(1);
    table.Equipment().SetGameMode(PlayedGame(shot.gameMode));
    table.Equipment().SetEquipmentItems(0, 0);
    table.Models().SetupTable(kestrovan::IsPhysicsModelCode(shot.physicsModelCode) ? shot.physicsModelCode
                                                                          : kestrovan::kDefaultPhysicsModelCode,
                     0);
    table.LoadShotRecord(shot);
    const kestrovan::ShotRecord& played = table.Records().GetShotRecord();
    Check(played.power >= 0.0f && played.power <= 1.0f);
    Check(played.paramG >= -1.0f && played.paramG <= 1.0f);
    table.StartShot(0, true);
    uint32_t time = 0;
    for (int frame = 0; frame < kFrames && table.IsShotRunning(); ++frame) {
        table.Update(time += kFrameTime, 0, 0, false);
    }
    return 0;
}
