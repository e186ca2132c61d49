#include "client/scenes/room/RoomMessages.h"

#include <bit>

#include "QuillLib/core/Format.h"
#include "client/scenes/common/PacketReadCheck.h"
#include "client/scenes/common/TextFields.h"
#include "client/table/SharedUtilities.h"

namespace kestrovan {

namespace {

constexpr size_t kMaxBanNames = 32;
constexpr uint8_t kMembersKept = 8;
constexpr uint8_t kInvalidResult = 7;

quill::WString ReadName(quill::Packet& packet) {
    return CutToLength(packet.ReadWString(), kRoomTextUnits);
}

float ReadFloat(quill::Packet& packet) {
    return std::bit_cast<float>(packet.ReadU32());
}

bool HasCushionCounts(quill::GameType tableMode) {
    return tableMode == 0 || tableMode == 3;
}

bool IsStakeMode(uint8_t roomMode) {
    return roomMode == 2 || roomMode == 5;
}

PointRuleBytes ReadRuleBytes(quill::Packet& packet) {
    PointRuleBytes rule;
    rule.kind = packet.ReadU8();
    rule.count = packet.ReadU8();
    rule.multiplier = packet.ReadU8();
    rule.step = packet.ReadU8();
    rule.flag = packet.ReadU8();
    return rule;
}

GameStartMessage::Team ReadStartTeam(quill::Packet& packet, quill::GameType tableMode, uint8_t members) {
    GameStartMessage::Team team;
    team.id = packet.ReadU8();
    team.state = packet.ReadU16();
    team.score = packet.ReadU32();
    team.gameWord = packet.ReadU16();
    team.gameByte = packet.ReadU8();
    if (HasCushionCounts(tableMode)) {
        team.threeCushions = packet.ReadU8();
        team.banks = packet.ReadU8();
    }
    if (tableMode == 6) team.sixBall = packet.ReadU8();
    team.ballGroup = packet.ReadU8();
    const PacketReadCheck whole(packet);
    for (uint8_t m = 0; m < members && whole.Holds(); ++m) {
        GameStartMessage::Member member;
        member.seat = packet.ReadU8();
        member.points = packet.ReadU16();
        if (m < kMembersKept) team.members.push_back(member);
    }
    return team;
}

}  // namespace

std::optional<GameStartMessage> ReadGameStart(quill::Packet& packet, quill::GameType tableMode) {
    const PacketReadCheck whole(packet);
    GameStartMessage m;
    m.seed = packet.ReadU32();
    m.elapsedMs = packet.ReadU32();
    m.firstShooter = packet.ReadU8();
    m.cueBall = packet.ReadU8();
    m.rule = ReadRuleBytes(packet);
    m.teamCount = packet.ReadU8();
    m.membersPerTeam = packet.ReadU8();
    for (uint8_t t = 0; t < m.teamCount && whole.Holds(); ++t) {
        GameStartMessage::Team team = ReadStartTeam(packet, tableMode, m.membersPerTeam);
        if (t < kRoomTeams) m.teams.push_back(std::move(team));
    }
    m.gameValue = packet.ReadU32();
    return whole.Result(std::move(m));
}

std::optional<TurnResultMessage> ReadTurnResult(quill::Packet& packet, bool gameRunning) {
    const PacketReadCheck whole(packet);
    TurnResultMessage m;
    m.ballSetItem = packet.ReadU16();
    m.tableItem = packet.ReadU16();
    m.result = packet.ReadU8();
    m.nextShooter = packet.ReadU8();
    m.cueBall = packet.ReadU8();
    m.seed = packet.ReadU32();
    if (!gameRunning || !whole.Holds()) return whole.Result(std::move(m));
    m.hasGame = true;
    m.inning = packet.ReadU16();
    m.pointChange = static_cast<int16_t>(packet.ReadU16());
    m.marker = packet.ReadU8();
    m.innings = packet.ReadU16();
    m.runCount = packet.ReadU16();
    m.points = packet.ReadU16();
    packet.ReadU32();
    packet.ReadU32();
    m.gameTimer = packet.ReadU32();
    m.shooterTeamState = packet.ReadU16();
    m.nextTeamState = packet.ReadU16();
    m.pointsGained = packet.ReadU32();
    m.ballInHand = packet.ReadU8();
    if (!whole.Holds()) return std::nullopt;
    // The money list runs to its end mark or to the payload's end, whichever comes first.
    while (HasPayloadByte(packet)) {
        const uint8_t seat = packet.ReadU8();
        if (seat == kMoneyListEnd) break;
        const int64_t money = packet.ReadI64();
        if (!whole.Holds()) break;
        if (IsRoomSeat(seat)) m.money.push_back({seat, money});
    }
    return std::optional<TurnResultMessage>(std::move(m));
}

std::optional<BreakRerackMessage> ReadBreakRerack(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    BreakRerackMessage m;
    m.seed = packet.ReadU32();
    m.kind = packet.ReadU8();
    return whole.Result(std::move(m));
}

std::optional<BallGroupsMessage> ReadBallGroups(quill::Packet& packet, bool withFlag) {
    const PacketReadCheck whole(packet);
    BallGroupsMessage m;
    if (withFlag) m.flag = packet.ReadU8();
    const uint8_t count = packet.ReadU8();
    for (uint8_t i = 0; i < count && whole.Holds(); ++i) {
        const uint8_t group = packet.ReadU8();
        if (i < kRoomTeams) m.groups.push_back(group);
    }
    return whole.Result(std::move(m));
}

std::optional<PointRuleBytes> ReadPointRule(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    PointRuleBytes rule = ReadRuleBytes(packet);
    return whole.Result(std::move(rule));
}

std::optional<ScoreUpdateMessage> ReadScoreUpdate(quill::Packet& packet, bool gameRunning, quill::GameType tableMode,
                                                  uint8_t roomMode) {
    const PacketReadCheck whole(packet);
    ScoreUpdateMessage m;
    m.value = packet.ReadI64();
    m.teamCount = packet.ReadU8();
    if (!gameRunning) return whole.Result(std::move(m));
    for (uint8_t t = 0; t < m.teamCount && whole.Holds(); ++t) {
        ScoreUpdateMessage::Team team;
        team.score = packet.ReadU32();
        team.wordA = packet.ReadU16();
        team.wordB = packet.ReadU16();
        if (HasCushionCounts(tableMode)) {
            team.threeCushions = packet.ReadU8();
            team.banks = packet.ReadU8();
        }
        if (IsStakeMode(roomMode)) team.money = packet.ReadI64();
        if (t < kRoomTeams) m.teams.push_back(team);
    }
    m.gameValue = packet.ReadU32();
    packet.ReadU32();
    return whole.Result(std::move(m));
}

std::optional<GameEndMessage> ReadGameEnd(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    GameEndMessage m;
    m.nickname = ReadName(packet);
    m.reason = packet.ReadU8();
    m.withdrawalPoints = packet.ReadU16();
    packet.ReadU16();
    m.teamCount = packet.ReadU8();
    m.membersPerTeam = packet.ReadU8();
    for (uint8_t t = 0; t < m.teamCount && whole.Holds(); ++t) {
        GameEndMessage::Team team;
        team.id = packet.ReadU8();
        team.result = packet.ReadU8();
        m.lastResult = team.result;
        for (uint8_t j = 0; j < m.membersPerTeam && whole.Holds(); ++j) {
            GameEndMessage::Member member;
            member.seat = packet.ReadU8();
            member.points = packet.ReadU32();
            member.valueB = packet.ReadU32();
            member.rank = packet.ReadU8();
            if (j < kMembersKept) team.members.push_back(member);
        }
        if (t < kRoomTeams) m.teams.push_back(std::move(team));
    }
    return whole.Result(std::move(m));
}

std::optional<GameSettlementMessage> ReadGameSettlement(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    GameSettlementMessage m;
    m.teamCount = packet.ReadU8();
    m.membersPerTeam = packet.ReadU8();
    for (uint8_t t = 0; t < m.teamCount && whole.Holds(); ++t) {
        GameSettlementMessage::Team team;
        team.id = packet.ReadU8();
        team.result = packet.ReadU8();
        const bool settled = team.result != 0 && team.result != kInvalidResult;
        for (uint8_t j = 0; j < m.membersPerTeam && whole.Holds(); ++j) {
            GameSettlementMessage::Member member;
            member.settled = settled;
            if (settled) {
                member.points = packet.ReadU32();
                member.valueB = packet.ReadU32();
                member.money = packet.ReadI64();
                member.rank = packet.ReadU8();
                member.status = packet.ReadU8();
            }
            if (j < kMembersKept) team.members.push_back(member);
        }
        if (t < kRoomTeams) m.teams.push_back(std::move(team));
    }
    m.last = packet.ReadU8();
    return whole.Result(std::move(m));
}

std::optional<SeatValueMessage> ReadSeatValue(quill::Packet& packet, SeatValueWidth width) {
    const PacketReadCheck whole(packet);
    SeatValueMessage m;
    m.seat = packet.ReadU8();
    if (width == SeatValueWidth::kByte) m.value = packet.ReadU8();
    if (width == SeatValueWidth::kWord) m.value = packet.ReadU16();
    return whole.Result(std::move(m));
}

std::optional<LevelUpMessage> ReadLevelUp(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    LevelUpMessage m;
    m.seat = packet.ReadU8();
    m.level = packet.ReadU16();
    m.value = packet.ReadU32();
    return whole.Result(std::move(m));
}

std::optional<PlayerMoneyMessage> ReadPlayerMoney(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    PlayerMoneyMessage m;
    m.seat = packet.ReadU8();
    m.money = packet.ReadI64();
    return whole.Result(std::move(m));
}

std::optional<PlayerReconnectedMessage> ReadPlayerReconnected(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    PlayerReconnectedMessage m;
    m.seat = packet.ReadU8();
    m.value = packet.ReadU32();
    m.dropped = packet.ReadU8();
    return whole.Result(std::move(m));
}

std::optional<SeatLocationMessage> ReadSeatLocation(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    SeatLocationMessage m;
    m.seat = packet.ReadU8();
    m.value = packet.ReadU32();
    if (m.value == 0) m.text = ReadName(packet);
    return whole.Result(std::move(m));
}

std::optional<RoomChatMessage> ReadRoomChat(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    RoomChatMessage m;
    m.team = packet.ReadU8();
    m.seat = packet.ReadU8();
    m.nickname = ReadName(packet);
    m.text = CutToLength(packet.ReadWString(), kRoomChatUnits);
    return whole.Result(std::move(m));
}

std::optional<UnbanResultMessage> ReadUnbanResult(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    UnbanResultMessage m;
    m.kind = packet.ReadU8();
    m.result = packet.ReadU8();
    m.nickname = ReadName(packet);
    return whole.Result(std::move(m));
}

std::vector<quill::WString> ReadChatBanNotice(quill::Packet& packet) {
    std::vector<quill::WString> names;
    const PacketReadCheck whole(packet);
    while (names.size() < kMaxBanNames && HasPayloadByte(packet)) {
        if (packet.ReadU8() == 0) break;
        quill::WString name = ReadName(packet);
        if (!whole.Holds()) break;
        names.push_back(std::move(name));
    }
    return names;
}

std::optional<RoomBanResultMessage> ReadRoomBanResult(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    RoomBanResultMessage m;
    m.result = packet.ReadU8();
    if (m.result == 0) m.nickname = ReadName(packet);
    return whole.Result(std::move(m));
}

std::optional<quill::WString> ReadRoomText(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    quill::WString text = CutToLength(packet.ReadWString(), kRoomChatUnits);
    return whole.Result(std::move(text));
}

std::optional<JackpotMessage> ReadJackpot(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    JackpotMessage m;
    m.nickname = ReadName(packet);
    m.count = packet.ReadU8();
    m.amount = packet.ReadU32();
    return whole.Result(std::move(m));
}

std::optional<PrizeNoticeMessage> ReadPrizeNotice(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    PrizeNoticeMessage m;
    m.nickname = ReadName(packet);
    m.amount = packet.ReadU32();
    m.channel = packet.ReadU8();
    m.room = packet.ReadU16();
    return whole.Result(std::move(m));
}

std::optional<RoomValueMessage> ReadRoomValue(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    RoomValueMessage m;
    m.index = packet.ReadU8();
    if (m.index != 0) m.value = packet.ReadU32();
    if (m.index >= 10) m.second = packet.ReadU32();
    return whole.Result(std::move(m));
}

std::optional<std::array<uint16_t, 3>> ReadThreeWords(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    std::array<uint16_t, 3> words{};
    for (uint16_t& word : words) word = packet.ReadU16();
    return whole.Result(std::move(words));
}

std::optional<OpponentRequestMessage> ReadOpponentRequest(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    OpponentRequestMessage m;
    m.nickname = ReadName(packet);
    m.kind = packet.ReadU8();
    return whole.Result(std::move(m));
}

std::optional<std::array<uint8_t, 2>> ReadTwoBytes(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    std::array<uint8_t, 2> bytes{};
    bytes[0] = packet.ReadU8();
    bytes[1] = packet.ReadU8();
    return whole.Result(std::move(bytes));
}

std::optional<PlayerJoinedMessage> ReadPlayerJoined(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    PlayerJoinedMessage m;
    m.seat = packet.ReadU8();
    m.money = packet.ReadI64();
    m.team = packet.ReadU8();
    m.penalty = packet.ReadU32();
    m.teamState = packet.ReadU16();
    m.gameValueIncrease = packet.ReadU32();
    return whole.Result(std::move(m));
}

std::optional<MemberLeftMessage> ReadMemberLeft(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    MemberLeftMessage m;
    m.memberCount = packet.ReadU8();
    m.seat = packet.ReadU8();
    m.reasonA = packet.ReadU8();
    m.reasonB = packet.ReadU8();
    return whole.Result(std::move(m));
}

std::optional<MasterChangedMessage> ReadMasterChanged(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    MasterChangedMessage m;
    m.seat = packet.ReadU8();
    m.wordA = packet.ReadU16();
    m.wordB = packet.ReadU16();
    return whole.Result(std::move(m));
}

std::optional<RoomPlayerRecord> ReadRoomPlayer(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    RoomPlayerRecord m;
    m.seat = packet.ReadU8();
    m.nickname = ReadName(packet);
    m.userId = packet.ReadI64();
    m.memberId = packet.ReadU32();
    m.level = packet.ReadU16();
    m.money = packet.ReadI64();
    m.rating = packet.ReadU16();
    m.team = packet.ReadU8();
    m.ready = packet.ReadU8();
    m.status = packet.ReadU8();
    m.recentWithdrawals = packet.ReadU16();
    m.withdrawals = packet.ReadU16();
    m.cueItem = packet.ReadU16();
    return whole.Result(std::move(m));
}

std::optional<MemberEnteredMessage> ReadMemberEntered(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    MemberEnteredMessage m;
    if (auto player = ReadRoomPlayer(packet)) m.player = std::move(*player);
    m.memberCount = packet.ReadU8();
    m.capacity = packet.ReadU8();
    return whole.Result(std::move(m));
}

std::optional<RoomSnapshotMessage> ReadRoomSnapshot(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    RoomSnapshotMessage m;
    m.idleValue = packet.ReadI64();
    for (int i = 0; i < 3; ++i) packet.ReadU16();
    m.roomValue = packet.ReadU16();
    m.observe = packet.ReadU8();
    m.roomState = packet.ReadU8();
    m.seed = packet.ReadU32();
    if (packet.ReadU8() != 0) m.text = CutToLength(packet.ReadWString(), kRoomChatUnits);
    m.rule.kind = packet.ReadU8();
    if (m.rule.kind > 0) {
        m.rule.count = packet.ReadU8();
        m.rule.multiplier = packet.ReadU8();
        m.rule.step = packet.ReadU8();
        m.rule.flag = packet.ReadU8();
        m.marker = packet.ReadU8();
    }
    m.gameMode = packet.ReadU8();
    m.memberCount = packet.ReadU8();
    m.capacity = packet.ReadU8();
    m.masterSeat = packet.ReadU8();
    m.cueBall = packet.ReadU8();
    m.shooterSeat = packet.ReadU8();
    m.turnTime = packet.ReadU8();
    m.stake = packet.ReadU32();
    m.tableItem = packet.ReadU16();
    m.ballSetItem = packet.ReadU16();
    m.localSeat = packet.ReadU8();
    m.turnElapsedMs = packet.ReadU32();
    m.gameValue = packet.ReadU32();
    return whole.Result(std::move(m));
}

std::optional<GameStateSyncMessage> ReadGameStateSync(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    GameStateSyncMessage m;
    m.shooterSeat = packet.ReadU8();
    m.inning = packet.ReadU16();
    m.elapsedMs = packet.ReadU32();
    m.gameValue = packet.ReadU32();
    const uint8_t teams = packet.ReadU8();
    for (uint8_t t = 0; t < teams && whole.Holds(); ++t) {
        GameStateSyncMessage::Team team;
        team.id = packet.ReadU8();
        team.state = packet.ReadU16();
        team.score = packet.ReadU32();
        team.ballGroup = packet.ReadU8();
        const uint8_t members = packet.ReadU8();
        for (uint8_t j = 0; j < members && whole.Holds(); ++j) {
            GameStateSyncMessage::Member member;
            member.seat = packet.ReadU8();
            member.innings = packet.ReadU16();
            member.points = packet.ReadU16();
            if (j < kMembersKept) team.members.push_back(member);
        }
        if (t < kRoomTeams) m.teams.push_back(std::move(team));
    }
    return whole.Result(std::move(m));
}

std::optional<RoomOptionsMessage> ReadRoomOptions(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    RoomOptionsMessage m;
    m.title = ReadName(packet);
    m.option = packet.ReadU8();
    m.flags = packet.ReadU8();
    m.tableItem = packet.ReadU16();
    m.ballSetItem = packet.ReadU16();
    m.changesMade = packet.ReadU8();
    m.changesAllowed = packet.ReadU8();
    return whole.Result(std::move(m));
}

std::optional<MoneyLimitMessage> ReadMoneyLimit(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    MoneyLimitMessage m;
    m.money = packet.ReadI64();
    m.cueMoney = packet.ReadI64();
    m.goldValues[0] = packet.ReadU32();
    m.goldValues[1] = packet.ReadU32();
    return whole.Result(std::move(m));
}

std::vector<quill::WString> ItemBuyResultLines(const ItemBuyResult& answer) {
    constexpr uint8_t kGivenByMe = 2;
    constexpr uint8_t kGivenByClan = 3;
    switch (answer.result) {
        case 0: {
            std::vector<quill::WString> lines{answer.mode == kGivenByMe || answer.mode == kGivenByClan
                                                  ? u"The item was given to friend."
                                                  : u"Successfully purchased."};
            if (answer.bonus != 0) {
                lines.push_back(quill::Format(u"Gold %s is charged for bonus.", FormatMoney(answer.bonus)));
            }
            return lines;
        }
        case 1: return {u"Error has occurred in the purchase process.", u"Please reconnect to check the result."};
        case 2: return {u"Not enough money."};
        case 3: return {u"Check nickname."};
        case 4: return {u"The relevant user does not exist."};
        case 5: return {u"Item is not on sale."};
        case 6: return {u"DB error."};
        case 7: return {u"Item pool is full.", u"Try later please."};
        default: return {u"Please reconnect to check the result."};
    }
}

std::optional<ItemStatsMessage> ReadItemStats(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    ItemStatsMessage m;
    m.key = packet.ReadU32();
    m.subKey = packet.ReadU32();
    m.valueA = packet.ReadI64();
    m.valueB = packet.ReadI64();
    if (static_cast<uint64_t>(m.valueB) > ItemStatsMessage::kItemStatLimit) {
        m.valueB = static_cast<int64_t>(ItemStatsMessage::kItemStatLimit);
    }
    return whole.Result(std::move(m));
}

std::optional<SeatCueMessage> ReadSeatCue(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    SeatCueMessage m;
    m.seat = packet.ReadU8();
    m.cueItem = packet.ReadU32();
    m.custom = packet.ReadU8();
    if (m.custom == 1) {
        for (uint16_t& part : m.parts) part = packet.ReadU16();
    }
    return whole.Result(std::move(m));
}

std::optional<BallPlacementMessage> ReadBallPlacement(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    BallPlacementMessage m;
    m.ball = packet.ReadU8();
    m.x = ReadFloat(packet);
    m.y = ReadFloat(packet);
    m.z = ReadFloat(packet);
    return whole.Result(std::move(m));
}

std::optional<std::array<float, 5>> ReadRemoteAim(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    std::array<float, 5> values{};
    for (float& value : values) value = ReadFloat(packet);
    return whole.Result(std::move(values));
}

std::optional<TablePlacementHead> ReadTablePlacementHead(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    TablePlacementHead m;
    m.shooter = packet.ReadU8();
    m.cueBall = packet.ReadU8();
    m.tableItem = packet.ReadU16();
    m.ballSetItem = packet.ReadU16();
    return whole.Result(std::move(m));
}

std::optional<std::array<uint16_t, 2>> ReadItemPair(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    std::array<uint16_t, 2> items{};
    items[0] = packet.ReadU16();
    items[1] = packet.ReadU16();
    return whole.Result(std::move(items));
}

uint16_t RoomTableItem(uint16_t tableItem, quill::GameType mode) {
    return tableItem != 0 ? tableItem : quill::DefaultTableItemId(mode);
}

uint16_t RoomBallSetItem(uint16_t ballSetItem, quill::GameType mode) {
    return ballSetItem != 0 ? ballSetItem : quill::DefaultBallItemId(mode);
}

}  // namespace kestrovan
