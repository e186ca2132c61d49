// The lobby's list work of one frame with a full channel: 120 rooms (a third running, a sixth full) and 604
// players. Reported per iteration:
// - rooms_page: the room page of six rows in "Waiting room first" order, as every room message refreshes it;
// - users_page: the page of twelve players over the whole user table, as every user message refreshes it;
// - fill_users: the user table filled with 604 players from their messages and emptied again (a channel
//   entered and left);
// - frame: both pages and a quick-join search, what one busy frame of server messages costs.
#include <benchmark/benchmark.h>

#include <vector>

#include "client/scenes/common/messages/LobbyMessages.h"
#include "client/scenes/lobby/LobbyRoomTable.h"
#include "client/scenes/lobby/LobbyUserTable.h"

namespace {

using namespace kestrovan;

void FillRooms(LobbyRoomTable& rooms) {
    for (uint16_t n = 1; n <= 120; ++n) {
        RoomListEntryMessage room;
        room.room = n;
        room.gameMode = static_cast<uint8_t>(n % 2 == 0 ? 3 : 10);
        room.maxPlayers = 4;
        room.players = static_cast<uint8_t>(n % 6 == 0 ? 4 : 1 + n % 3);
        room.state = static_cast<uint8_t>(n % 3 == 0 ? 2 : 0);
        room.title = u"Room title";
        rooms.Apply(room, 1000);
    }
}

LobbyUserMessage UserMessage(int64_t id) {
    LobbyUserMessage user;
    user.userId = id;
    user.nickname = u"Player";
    user.sortValue = static_cast<uint32_t>(id * 7919 % 1000);
    user.rankCode = static_cast<uint16_t>(id % 10 == 0 ? 95 : 10);
    return user;
}

void FillUsers(LobbyUserTable& users) {
    for (int64_t id = 1; id <= LobbyUserTable::kRecords; ++id) users.Add(UserMessage(id), 1);
}

std::vector<const quill::PlayerState*> Source(const LobbyUserTable& users) {
    std::vector<const quill::PlayerState*> source;
    source.reserve(static_cast<size_t>(users.Count()));
    for (const auto& [sortValue, record] : users.All()) source.push_back(record);
    return source;
}

void BM_rooms_page(benchmark::State& state) {
    LobbyRoomTable rooms;
    FillRooms(rooms);
    for (auto _ : state) benchmark::DoNotOptimize(rooms.MakePage(30, 6));
}
BENCHMARK(BM_rooms_page);

void BM_users_page(benchmark::State& state) {
    LobbyUserTable users;
    FillUsers(users);
    for (auto _ : state) benchmark::DoNotOptimize(MakeUserPage(Source(users), 300, LobbyUserTable::kRows));
}
BENCHMARK(BM_users_page);

void BM_fill_users(benchmark::State& state) {
    LobbyUserTable users;
    for (auto _ : state) {
        FillUsers(users);
        users.Clear();
    }
}
BENCHMARK(BM_fill_users)->Unit(benchmark::kMicrosecond);

void BM_frame(benchmark::State& state) {
    LobbyRoomTable rooms;
    FillRooms(rooms);
    LobbyUserTable users;
    FillUsers(users);
    for (auto _ : state) {
        benchmark::DoNotOptimize(rooms.MakePage(1, 6));
        benchmark::DoNotOptimize(MakeUserPage(Source(users), 1, LobbyUserTable::kRows));
        benchmark::DoNotOptimize(rooms.QuickJoin());
    }
}
BENCHMARK(BM_frame);

}  // namespace

BENCHMARK_MAIN();
