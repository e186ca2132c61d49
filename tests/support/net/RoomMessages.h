#pragma once
// The game room's server messages built as the stand-in server sends them, in the layouts the room's readers
// take (client/scenes/room/RoomMessages.h), for the room's tests, its fuzz seeds and the program's checks.
//
//   server.Send(RoomSnapshotMessage({.localSeat = 0, .masterSeat = 0}));
//   server.Send(GameStartMessage(TwoPlayerStart(3, 0, 1)));
#include <array>
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"

namespace kvtest {

// RoomSnapshot: the fields a test chooses; the three unused u16 are written as 0.
struct TestRoomSnapshot {
    int64_t idleValue = 0;
    uint8_t observe = 0;
    uint8_t roomState = 0;  // 2 while a game runs
    uint32_t seed = 1234;
    quill::WString text;
    uint8_t ruleKind = 0;
    uint8_t gameMode = 3;
    uint8_t memberCount = 1;
    uint8_t capacity = 2;
    uint8_t masterSeat = 0;
    uint8_t cueBall = 0;
    uint8_t shooterSeat = 0;
    uint8_t turnTime = 40;
    uint32_t stake = 0;
    uint16_t tableItem = 1027;
    uint16_t ballSetItem = 2004;
    uint8_t localSeat = 0;
    uint32_t turnElapsedMs = 0;
    uint32_t gameValue = 0;
};
quill::Packet RoomSnapshotMessage(const TestRoomSnapshot& snapshot);

// The player record of RoomMemberEntered and RoomMemberInfo.
struct TestRoomPlayer {
    uint8_t seat = 1;
    quill::WString nickname = u"Rival";
    int64_t userId = 0x200000003;
    uint32_t memberId = 88;
    uint16_t level = 9;
    int64_t money = 50000;
    uint16_t rating = 150;
    uint8_t team = 0;
    uint8_t ready = 0;
    uint8_t status = 0;
    uint16_t recentWithdrawals = 1;
    uint16_t withdrawals = 4;
    uint16_t cueItem = 3000;
};
quill::Packet RoomMemberEnteredMessage(const TestRoomPlayer& player, uint8_t memberCount, uint8_t capacity);
quill::Packet RoomMemberInfoMessage(const TestRoomPlayer& player);

// GameStart: two teams of one member each unless the test adds more.
struct TestStartTeam {
    uint8_t id = 1;
    uint16_t state = 0;
    uint32_t score = 0;
    uint8_t threeCushions = 0;
    uint8_t banks = 0;
    uint8_t ballGroup = 0;
    std::vector<std::pair<uint8_t, uint16_t>> members;  // seat, points
};
struct TestGameStart {
    uint32_t seed = 4321;
    uint32_t elapsedMs = 0;
    uint8_t firstShooter = 0;
    uint8_t cueBall = 0;
    uint8_t tableMode = 3;  // decides which team fields are written
    std::array<uint8_t, 5> rule{0, 0, 1, 0, 0};  // kind, count, multiplier, step, flag
    std::vector<TestStartTeam> teams;
    uint8_t membersPerTeam = 1;
    uint32_t gameValue = 0;
};
// Two one-player teams: team 1 with seat a, team 2 with seat b; a shoots first.
TestGameStart TwoPlayerStart(uint8_t tableMode, uint8_t a, uint8_t b);
quill::Packet GameStartMessage(const TestGameStart& start);

// TurnResult; the game block and the money list only when running.
struct TestTurnResult {
    uint16_t ballSetItem = 2004;
    uint16_t tableItem = 1027;
    uint8_t result = 0;
    uint8_t nextShooter = 1;
    uint8_t cueBall = 0;
    uint32_t seed = 99;
    bool running = true;
    uint16_t inning = 1;
    int16_t pointChange = 0;
    uint8_t marker = 0;
    uint16_t innings = 1;
    uint16_t runCount = 0;
    uint16_t points = 0;
    uint32_t gameTimer = 0;
    uint16_t shooterTeamState = 0;
    uint16_t nextTeamState = 0;
    uint32_t pointsGained = 0;
    uint8_t ballInHand = 0;
    std::vector<std::pair<uint8_t, int64_t>> money;
    bool endMark = true;  // the list's 0xFF
};
quill::Packet TurnResultMessage(const TestTurnResult& turn);

// GameEnd: per team its id, result and members (seat, points).
struct TestEndTeam {
    uint8_t id = 1;
    uint8_t result = 1;
    std::vector<std::pair<uint8_t, uint32_t>> members;
};
quill::Packet GameEndMessage(quill::WStringView nickname, uint8_t reason, uint16_t withdrawalPoints,
                             const std::vector<TestEndTeam>& teams, uint8_t membersPerTeam);
// GameSettlement: per team its id, result and (when settled) members (seat, money).
struct TestSettleTeam {
    uint8_t id = 1;
    uint8_t result = 1;
    std::vector<int64_t> money;  // one per member
};
quill::Packet GameSettlementMessage(const std::vector<TestSettleTeam>& teams, uint8_t membersPerTeam);

quill::Packet RoomChatMessage(uint8_t team, uint8_t seat, quill::WStringView nickname, quill::WStringView text);
// A message with no payload.
quill::Packet EmptyMessage(quill::MessageId id);

}  // namespace kvtest
