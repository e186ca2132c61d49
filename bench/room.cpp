// The game room's work. Reported per iteration:
// - chat_layout: the eight lines of the chat box laid out from a full history of 200 lines (the room does
//   it every tenth update and for every line written);
// - chat_add: one more line written into a full history and the view laid out again;
// - room_frame: one frame of the game room on the default data: the game thread's update (table, turn
//   clock, game clock, chat) and the main thread's render (the table's passes on the room's stage, the replay
//   view, the HUD and the widgets), through the recording device as a null device;
// - turn_result_read: a TurnResult of a running game with a full money list read into its record (the
//   dispatch thread reads one after every shot).
#include <benchmark/benchmark.h>

#include "QuillLib/engine/Engine.h"
#include "bench/ScreenBench.h"
#include "client/scenes/room/RoomChatLog.h"
#include "client/scenes/room/RoomMessages.h"
#include "client/scenes/room/SceneRoomGame.h"

namespace {

using namespace kestrovan;

RoomChatLog FullLog() {
    RoomChatLog log;
    for (uint32_t n = 0; n < RoomChatLog::kCapacity; ++n) {
        log.Add(u"Player : a line of the room's chat, as long as lines usually are", 0xFF00FF00, n * 100);
    }
    return log;
}

void BM_chat_layout(benchmark::State& state) {
    const RoomChatLog log = FullLog();
    uint32_t now = 30000;
    for (auto _ : state) benchmark::DoNotOptimize(log.Layout(now += 10));
}
BENCHMARK(BM_chat_layout);

void BM_chat_add(benchmark::State& state) {
    RoomChatLog log = FullLog();
    uint32_t now = 30000;
    for (auto _ : state) {
        log.Add(u"Player : another line", 0xFFFFFFFF, now += 10);
        benchmark::DoNotOptimize(log.Layout(now));
    }
}
BENCHMARK(BM_chat_add);

void BM_turn_result_read(benchmark::State& state) {
    quill::Packet message;
    message.Init(quill::MessageId::TurnResult);
    message.WriteU16(2004).WriteU16(1027).WriteU8(0).WriteU8(1).WriteU8(0).WriteU32(99);
    message.WriteU16(3).WriteU16(0).WriteU8(0).WriteU16(2).WriteU16(0).WriteU16(4).WriteU32(0).WriteU32(0);
    message.WriteU32(0).WriteU16(0).WriteU16(0).WriteU32(0).WriteU8(0);
    for (uint8_t seat = 0; seat < kRoomSeats; ++seat) message.WriteU8(seat).WriteI64(int64_t{seat} * 1000);
    message.WriteU8(kMoneyListEnd);
    message.Finish();
    const std::vector<uint8_t> bytes(message.Bytes().begin(), message.Bytes().end());
    quill::Packet packet;
    for (auto _ : state) {
        packet.LoadReceived(bytes);
        benchmark::DoNotOptimize(ReadTurnResult(packet, true));
    }
}
BENCHMARK(BM_turn_result_read);

void BM_room_frame(benchmark::State& state) {
    kvbench::WithScreenApp(state, "room", [&](App& app, platform::gfx::RecordingSetup& graphics) {
        SceneRoomGame room(app);
        room.Init();
        if (room.LoadResources(app.GetResourceManager(), app.GetDevice()) != 0) state.SkipWithError("no room data");
        room.Activate();
        for (int i = 0; i < 40; ++i) room.AddChatLine(u"Player : a line of the room's chat", 0xFF00FF00);
        room.SetGameRunning(true);
        room.SetLocalSeat(1);
        room.BeginTurn(1, 0);
        graphics.log.SetEnabled(false);
        uint32_t now = 0;
        for (auto _ : state) {
            now += 16;
            room.Update(now, static_cast<int64_t>(now) * 10, {});
            room.Render(app.GetDevice(), true);
        }
        room.OnLeave(app.GetResourceManager(), app.GetEngine()->GetRenderSceneManager());
    });
}
BENCHMARK(BM_room_frame)->Unit(benchmark::kMicrosecond);

}  // namespace
