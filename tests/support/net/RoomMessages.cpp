#include "tests/support/net/RoomMessages.h"

namespace kvtest {

using quill::MessageId;
using quill::Packet;

Packet RoomSnapshotMessage(const TestRoomSnapshot& s) {
    Packet p;
    p.Init(MessageId::RoomSnapshot);
    p.WriteI64(s.idleValue).WriteU16(0).WriteU16(0).WriteU16(0).WriteU16(10);
    p.WriteU8(s.observe).WriteU8(s.roomState).WriteU32(s.seed);
    p.WriteU8(s.text.empty() ? 0 : 1);
    if (!s.text.empty()) p.WriteWString(s.text);
    p.WriteU8(s.ruleKind);
    if (s.ruleKind > 0) p.WriteU8(1).WriteU8(2).WriteU8(1).WriteU8(1).WriteU8(0).WriteU8(0);
    p.WriteU8(s.gameMode).WriteU8(s.memberCount).WriteU8(s.capacity).WriteU8(s.masterSeat).WriteU8(s.cueBall);
    p.WriteU8(s.shooterSeat).WriteU8(s.turnTime).WriteU32(s.stake).WriteU16(s.tableItem).WriteU16(s.ballSetItem);
    p.WriteU8(s.localSeat).WriteU32(s.turnElapsedMs).WriteU32(s.gameValue);
    return p;
}

namespace {

void WritePlayer(Packet& p, const TestRoomPlayer& r) {
    p.WriteU8(r.seat).WriteWString(r.nickname).WriteI64(r.userId).WriteU32(r.memberId).WriteU16(r.level);
    p.WriteI64(r.money).WriteU16(r.rating).WriteU8(r.team).WriteU8(r.ready).WriteU8(r.status);
    p.WriteU16(r.recentWithdrawals).WriteU16(r.withdrawals).WriteU16(r.cueItem);
}

}  // namespace

Packet RoomMemberEnteredMessage(const TestRoomPlayer& player, uint8_t memberCount, uint8_t capacity) {
    Packet p;
    p.Init(MessageId::RoomMemberEntered);
    WritePlayer(p, player);
    p.WriteU8(memberCount).WriteU8(capacity);
    return p;
}

TestGameStart TwoPlayerStart(uint8_t tableMode, uint8_t a, uint8_t b) {
    TestGameStart start;
    start.tableMode = tableMode;
    start.firstShooter = a;
    start.teams = {TestStartTeam{.id = 1, .members = {{a, 0}}}, TestStartTeam{.id = 2, .members = {{b, 0}}}};
    return start;
}

Packet GameStartMessage(const TestGameStart& s) {
    Packet p;
    p.Init(MessageId::GameStart);
    p.WriteU32(s.seed).WriteU32(s.elapsedMs).WriteU8(s.firstShooter).WriteU8(s.cueBall);
    for (uint8_t value : s.rule) p.WriteU8(value);
    p.WriteU8(static_cast<uint8_t>(s.teams.size())).WriteU8(s.membersPerTeam);
    for (const TestStartTeam& t : s.teams) {
        p.WriteU8(t.id).WriteU16(t.state).WriteU32(t.score).WriteU16(1).WriteU8(1);
        if (s.tableMode == 0 || s.tableMode == 3) p.WriteU8(t.threeCushions).WriteU8(t.banks);
        if (s.tableMode == 6) p.WriteU8(0);
        p.WriteU8(t.ballGroup);
        for (size_t m = 0; m < s.membersPerTeam; ++m) {
            const auto member = m < t.members.size() ? t.members[m] : std::pair<uint8_t, uint16_t>{0xFF, 0};
            p.WriteU8(member.first).WriteU16(member.second);
        }
    }
    p.WriteU32(s.gameValue);
    return p;
}

Packet TurnResultMessage(const TestTurnResult& t) {
    Packet p;
    p.Init(MessageId::TurnResult);
    p.WriteU16(t.ballSetItem).WriteU16(t.tableItem).WriteU8(t.result).WriteU8(t.nextShooter).WriteU8(t.cueBall);
    p.WriteU32(t.seed);
    if (!t.running) return p;
    p.WriteU16(t.inning).WriteU16(static_cast<uint16_t>(t.pointChange)).WriteU8(t.marker);
    p.WriteU16(t.innings).WriteU16(t.runCount).WriteU16(t.points).WriteU32(0).WriteU32(0).WriteU32(t.gameTimer);
    p.WriteU16(t.shooterTeamState).WriteU16(t.nextTeamState).WriteU32(t.pointsGained).WriteU8(t.ballInHand);
    for (const auto& [seat, money] : t.money) p.WriteU8(seat).WriteI64(money);
    if (t.endMark) p.WriteU8(0xFF);
    return p;
}

Packet GameEndMessage(quill::WStringView nickname, uint8_t reason, uint16_t withdrawalPoints,
                      const std::vector<TestEndTeam>& teams, uint8_t membersPerTeam) {
    Packet p;
    p.Init(MessageId::GameEnd);
    p.WriteWString(nickname).WriteU8(reason).WriteU16(withdrawalPoints).WriteU16(0);
    p.WriteU8(static_cast<uint8_t>(teams.size())).WriteU8(membersPerTeam);
    for (const TestEndTeam& t : teams) {
        p.WriteU8(t.id).WriteU8(t.result);
        for (size_t m = 0; m < membersPerTeam; ++m) {
            const auto member = m < t.members.size() ? t.members[m] : std::pair<uint8_t, uint32_t>{0xFF, 0};
            p.WriteU8(member.first).WriteU32(member.second).WriteU32(0).WriteU8(1);
        }
    }
    return p;
}

Packet GameSettlementMessage(const std::vector<TestSettleTeam>& teams, uint8_t membersPerTeam) {
    Packet p;
    p.Init(MessageId::GameSettlement);
    p.WriteU8(static_cast<uint8_t>(teams.size())).WriteU8(membersPerTeam);
    for (const TestSettleTeam& t : teams) {
        p.WriteU8(t.id).WriteU8(t.result);
        if (t.result == 0 || t.result == 7) continue;
        for (size_t m = 0; m < membersPerTeam; ++m) {
            p.WriteU32(10).WriteU32(0).WriteI64(m < t.money.size() ? t.money[m] : 0).WriteU8(1).WriteU8(0);
        }
    }
    p.WriteU8(0);
    return p;
}

Packet RoomChatMessage(uint8_t team, uint8_t seat, quill::WStringView nickname, quill::WStringView text) {
    Packet p;
    p.Init(MessageId::RoomChat);
    p.WriteU8(team).WriteU8(seat).WriteWString(nickname).WriteWString(text);
    return p;
}

Packet EmptyMessage(MessageId id) {
    Packet p;
    p.Init(id);
    return p;
}

}  // namespace kvtest
