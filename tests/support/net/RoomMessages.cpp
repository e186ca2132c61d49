#include "tests/support/net/RoomMessages.h"

#include "client/scenes/room/RoomMessages.h"
#include "tests/support/net/BuiltMessage.h"

namespace kvtest {

using quill::MessageId;
using quill::Packet;

Packet RoomSnapshotMessage(const TestRoomSnapshot& s) {
    kestrovan::RoomSnapshotMessage m;
    m.idleValue = s.idleValue;
    m.roomValue = 10;
    m.observe = s.observe;
    m.roomState = s.roomState;
    m.seed = s.seed;
    m.text = s.text;
    m.rule = {.kind = s.ruleKind, .count = 1, .multiplier = 2, .step = 1, .flag = 1};
    m.gameMode = s.gameMode;
    m.memberCount = s.memberCount;
    m.capacity = s.capacity;
    m.masterSeat = s.masterSeat;
    m.cueBall = s.cueBall;
    m.shooterSeat = s.shooterSeat;
    m.turnTime = s.turnTime;
    m.stake = s.stake;
    m.tableItem = s.tableItem;
    m.ballSetItem = s.ballSetItem;
    m.localSeat = s.localSeat;
    m.turnElapsedMs = s.turnElapsedMs;
    m.gameValue = s.gameValue;
    return BuiltMessage(MessageId::RoomSnapshot, m);
}

namespace {

kestrovan::RoomPlayerRecord PlayerRecord(const TestRoomPlayer& r) {
    return {.seat = r.seat, .nickname = r.nickname, .userId = r.userId, .memberId = r.memberId, .level = r.level,
            .money = r.money, .rating = r.rating, .team = r.team, .ready = r.ready, .status = r.status,
            .recentWithdrawals = r.recentWithdrawals, .withdrawals = r.withdrawals, .cueItem = r.cueItem};
}

}  // namespace

Packet RoomMemberEnteredMessage(const TestRoomPlayer& r, uint8_t memberCount, uint8_t capacity) {
    return BuiltMessage(MessageId::RoomMemberEntered, kestrovan::MemberEnteredMessage{.player = PlayerRecord(r),
                                                                                      .memberCount = memberCount,
                                                                                      .capacity = capacity});
}

Packet RoomMemberInfoMessage(const TestRoomPlayer& r) {
    return BuiltMessage(MessageId::RoomMemberInfo, PlayerRecord(r));
}

TestGameStart TwoPlayerStart(uint8_t tableMode, uint8_t a, uint8_t b) {
    TestGameStart start;
    start.tableMode = tableMode;
    start.firstShooter = a;
    start.teams = {TestStartTeam{.id = 1, .members = {{a, 0}}}, TestStartTeam{.id = 2, .members = {{b, 0}}}};
    return start;
}

Packet GameStartMessage(const TestGameStart& s) {
    kestrovan::GameStartMessage m;
    m.seed = s.seed;
    m.elapsedMs = s.elapsedMs;
    m.firstShooter = s.firstShooter;
    m.cueBall = s.cueBall;
    m.rule = {.kind = s.rule[0], .count = s.rule[1], .multiplier = s.rule[2], .step = s.rule[3], .flag = s.rule[4]};
    m.teamCount = static_cast<uint8_t>(s.teams.size());
    m.membersPerTeam = s.membersPerTeam;
    for (const TestStartTeam& t : s.teams) {
        kestrovan::GameStartMessage::Team& team = m.teams.emplace_back();
        team.id = t.id;
        team.state = t.state;
        team.score = t.score;
        team.gameWord = 1;
        team.gameByte = 1;
        team.threeCushions = t.threeCushions;
        team.banks = t.banks;
        team.ballGroup = t.ballGroup;
        // Places the test leaves open are sent as seat 0xFF.
        for (size_t i = 0; i < s.membersPerTeam; ++i) {
            const auto member = i < t.members.size() ? t.members[i] : std::pair<uint8_t, uint16_t>{0xFF, 0};
            team.members.push_back({.seat = member.first, .points = member.second});
        }
    }
    m.gameValue = s.gameValue;
    return BuiltMessage(MessageId::GameStart, m, static_cast<quill::GameType>(s.tableMode));
}

Packet TurnResultMessage(const TestTurnResult& t) {
    const kestrovan::TurnResultMessage m{
        .ballSetItem = t.ballSetItem, .tableItem = t.tableItem, .result = t.result, .nextShooter = t.nextShooter,
        .cueBall = t.cueBall, .seed = t.seed, .inning = t.inning, .pointChange = t.pointChange,
        .marker = t.marker, .innings = t.innings, .runCount = t.runCount, .points = t.points,
        .gameTimer = t.gameTimer, .shooterTeamState = t.shooterTeamState, .nextTeamState = t.nextTeamState,
        .pointsGained = t.pointsGained, .ballInHand = t.ballInHand, .money = {}};
    Packet p = BuiltMessage(MessageId::TurnResult, m, t.running);
    if (!t.running) return p;
    // The money list, with or without its end mark, as the test asks.
    for (const auto& [seat, money] : t.money) p.WriteU8(seat).WriteI64(money);
    if (t.endMark) p.WriteU8(kestrovan::kMoneyListEnd);
    return p;
}

Packet GameEndMessage(quill::WStringView nickname, uint8_t reason, uint16_t withdrawalPoints,
                      const std::vector<TestEndTeam>& teams, uint8_t membersPerTeam) {
    kestrovan::GameEndMessage m{.nickname = quill::WString(nickname), .reason = reason,
                                .withdrawalPoints = withdrawalPoints,
                                .teamCount = static_cast<uint8_t>(teams.size()), .membersPerTeam = membersPerTeam,
                                .teams = {}};
    for (const TestEndTeam& t : teams) {
        kestrovan::GameEndMessage::Team& team = m.teams.emplace_back();
        team.id = t.id;
        team.result = t.result;
        for (size_t i = 0; i < membersPerTeam; ++i) {
            const auto member = i < t.members.size() ? t.members[i] : std::pair<uint8_t, uint32_t>{0xFF, 0};
            team.members.push_back({.seat = member.first, .points = member.second, .rank = 1});
        }
    }
    return BuiltMessage(MessageId::GameEnd, m);
}

Packet GameSettlementMessage(const std::vector<TestSettleTeam>& teams, uint8_t membersPerTeam) {
    kestrovan::GameSettlementMessage m{.teamCount = static_cast<uint8_t>(teams.size()),
                                       .membersPerTeam = membersPerTeam, .teams = {}};
    for (const TestSettleTeam& t : teams) {
        kestrovan::GameSettlementMessage::Team& team = m.teams.emplace_back();
        team.id = t.id;
        team.result = t.result;
        if (t.result == 0 || t.result == kestrovan::GameSettlementMessage::kInvalidResult) continue;
        for (size_t i = 0; i < membersPerTeam; ++i) {
            team.members.push_back({.points = 10, .money = i < t.money.size() ? t.money[i] : 0, .rank = 1});
        }
    }
    return BuiltMessage(MessageId::GameSettlement, m);
}

Packet RoomChatMessage(uint8_t team, uint8_t seat, quill::WStringView nickname, quill::WStringView text) {
    return BuiltMessage(MessageId::RoomChat, kestrovan::RoomChatMessage{.team = team, .seat = seat,
                                                                 .nickname = quill::WString(nickname),
                                                                 .text = quill::WString(text)});
}

Packet EmptyMessage(MessageId id) {
    Packet p;
    p.Init(id);
    return p;
}

}  // namespace kvtest
