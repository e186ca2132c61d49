#pragma once
// The game room's server messages read into plain records, outside the screen: each reader takes the payload
// at the packet's cursor and returns the record, or nothing when the message ends before its fields do (a bad
// string counts as such an end). Lists are bounded by the message itself: a reader never keeps more entries
// than the room has places for (seven teams, eight members, eight seats), and reads and drops the blocks past
// them so that what follows stays aligned. Seats, teams and balls are returned as sent; the room checks them
// before it uses one as an index. Nicknames and other texts are cut to kRoomTextUnits.
//
// Layouts the protocol leaves to the client (what the stand-in server of the tests sends as well):
// - RoomSnapshot after the point-rule bytes: u8 game mode, u8 member count, u8 capacity, u8 master seat,
//   u8 first cue-ball index, u8 shooter seat, u8 turn time (s), u32 stake, u16 table item, u16 ball set,
//   u8 local seat, u32 elapsed turn time (ms), u32 game-value.
// - RoomMemberEntered and RoomMemberInfo carry a player record: u8 seat, string nickname, i64 user id, u32
//   member id, u16 level, i64 money, u16 rating for the room's game, u8 team, u8 ready, u8 status (3 and 4:
//   banned from chatting), u16 withdrawals of the last 10 games, u16 withdrawals in all, u16 cue item id;
//   RoomMemberEntered then u8 member count and u8 capacity.
// - GameStateSync: u8 shooter seat, u16 inning, u32 elapsed game time (ms), u32 game-value, u8 team count,
//   per team u8 team id, u16 state, u32 score, u8 ball group, u8 member count, per member u8 seat, u16
//   innings, u16 points.
// - RoomOptionsChanged: string title, u8 game option, u8 option flags, u16 table item, u16 ball set, u8
//   changes made, u8 changes allowed.
// - MoneyLimitReached: i64 money, i64 cue money, u32, u32 (the gold values).
// ItemBuyResult, ItemUseResult and ItemQuantity are read by the shop's readers (ShopMessages.h), which the room
// shares.
// Requests whose layout is left open (written by the room): ParticipateRequest u8 0; RoomRequest1184 u8 the
// request window's state; RoomRequest1189 u8 kind; RoomValue1228 u8 0; ItemConsumed's count a u16; ReportUser
// u32 player id, string nickname (empty when none), u16 N, then N bytes: the lines in CP949, each ended by a
// line feed.
//
// Each record's Layout is its one description on the wire (QuillLib/net/FieldReader.h): the readers here, the
// tests' builders and the fuzz targets all follow it.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/common/messages/ShopMessages.h"

namespace kestrovan {

inline constexpr uint8_t kRoomSeats = 8;
inline constexpr uint8_t kRoomTeams = 7;
inline constexpr size_t kRoomTextUnits = 63;
inline constexpr size_t kRoomChatUnits = 200;
inline constexpr uint8_t kMoneyListEnd = 0xFF;

inline bool IsRoomSeat(int32_t seat) {
    return seat >= 0 && seat < kRoomSeats;
}

// The game modes whose team blocks carry cushion counts, and the room modes whose teams carry money.
inline bool CarriesCushionCounts(quill::GameType tableMode) {
    return tableMode == 0 || tableMode == 3;
}
inline bool CarriesStakeMoney(uint8_t roomMode) {
    return roomMode == 2 || roomMode == 5;
}

// Whether the received message has a byte left at the cursor.
inline bool HasPayloadByte(const quill::Packet& packet) {
    return packet.Cursor() < packet.LengthReadBack();
}

// The five point-rule bytes in wire order.
struct PointRuleBytes {
    uint8_t kind = 0;
    uint8_t count = 0;
    uint8_t multiplier = 0;
    uint8_t step = 0;
    uint8_t flag = 0;
    static void Layout(auto& io, auto& m) { io(m.kind, m.count, m.multiplier, m.step, m.flag); }
};

// GameStart (1181).
struct GameStartMessage {
    struct Member {
        uint8_t seat = 0;
        uint16_t points = 0;
        static void Layout(auto& io, auto& m) { io(m.seat, m.points); }
    };
    struct Team {
        uint8_t id = 0;
        uint16_t state = 0;
        uint32_t score = 0;
        uint16_t gameWord = 0;
        uint8_t gameByte = 0;
        uint8_t threeCushions = 0;  // table modes 0 and 3
        uint8_t banks = 0;
        uint8_t sixBall = 0;  // table mode 6
        uint8_t ballGroup = 0;
        std::vector<Member> members;
        // The team's fields before its members.
        static void Layout(auto& io, auto& m, quill::GameType tableMode) {
            io(m.id, m.state, m.score, m.gameWord, m.gameByte);
            if (CarriesCushionCounts(tableMode)) io(m.threeCushions, m.banks);
            if (tableMode == 6) io(m.sixBall);
            io(m.ballGroup);
        }
    };
    uint32_t seed = 0;
    uint32_t elapsedMs = 0;
    uint8_t firstShooter = 0;
    uint8_t cueBall = 0;
    PointRuleBytes rule;
    uint8_t teamCount = 0;
    uint8_t membersPerTeam = 0;
    std::vector<Team> teams;  // at most kRoomTeams
    uint32_t gameValue = 0;
    static void Layout(auto& io, auto& m, quill::GameType tableMode) {
        io(m.seed, m.elapsedMs, m.firstShooter, m.cueBall, m.rule, m.teamCount, m.membersPerTeam);
        io.Repeat(m.teamCount, m.teams, kRoomTeams, [&](auto& team) {
            Team::Layout(io, team, tableMode);
            io.Repeat(m.membersPerTeam, team.members, kRoomSeats);
        });
        io(m.gameValue);
    }
};
std::optional<GameStartMessage> ReadGameStart(quill::Packet& packet, quill::GameType tableMode);

// TurnResult (1208). The game block and the money list are read only while a game runs.
struct TurnResultMessage {
    struct Money {
        uint8_t seat = 0;
        int64_t money = 0;
    };
    uint16_t ballSetItem = 0;
    uint16_t tableItem = 0;
    uint8_t result = 0;  // 2: the shooter's team keeps the turn
    uint8_t nextShooter = 0;
    uint8_t cueBall = 0;
    uint32_t seed = 0;
    bool hasGame = false;
    uint16_t inning = 0;
    int16_t pointChange = 0;
    uint8_t marker = 0;
    uint16_t innings = 0;
    uint16_t runCount = 0;
    uint16_t points = 0;
    uint32_t gameTimer = 0;
    uint16_t shooterTeamState = 0;
    uint16_t nextTeamState = 0;
    uint32_t pointsGained = 0;
    uint8_t ballInHand = 0;
    std::vector<Money> money;  // seats 0..7 only; the list ends at 0xFF or the payload's end
    // The message up to the money list, which its reader and its builders take apart.
    static void Layout(auto& io, auto& m, bool gameRunning) {
        io(m.ballSetItem, m.tableItem, m.result, m.nextShooter, m.cueBall, m.seed);
        io.Derive(m.hasGame, gameRunning);
        if (!gameRunning) return;
        io(m.inning, m.pointChange, m.marker, m.innings, m.runCount, m.points);
        io.Skip(uint32_t{});
        io.Skip(uint32_t{});
        io(m.gameTimer, m.shooterTeamState, m.nextTeamState, m.pointsGained, m.ballInHand);
    }
};
std::optional<TurnResultMessage> ReadTurnResult(quill::Packet& packet, bool gameRunning);

// BreakRerack (1209).
struct BreakRerackMessage {
    uint32_t seed = 0;
    uint8_t kind = 0;
    static void Layout(auto& io, auto& m) { io(m.seed, m.kind); }
};
std::optional<BreakRerackMessage> ReadBreakRerack(quill::Packet& packet);

// GroupDetermined (1239) and EightBallShot (1240, with its flag first): a ball group per team place.
struct BallGroupsMessage {
    uint8_t flag = 0;
    std::vector<uint8_t> groups;  // at most kRoomTeams
    static void Layout(auto& io, auto& m, bool withFlag) {
        if (withFlag) io(m.flag);
        io.CountedList(m.groups, kRoomTeams);
    }
};
std::optional<BallGroupsMessage> ReadBallGroups(quill::Packet& packet, bool withFlag);

std::optional<PointRuleBytes> ReadPointRule(quill::Packet& packet);

// ScoreUpdate (1207); the team blocks only while a game runs.
struct ScoreUpdateMessage {
    struct Team {
        uint32_t score = 0;
        uint16_t wordA = 0;
        uint16_t wordB = 0;
        uint8_t threeCushions = 0;
        uint8_t banks = 0;
        int64_t money = 0;  // room modes 2 and 5
        static void Layout(auto& io, auto& m, quill::GameType tableMode, uint8_t roomMode) {
            io(m.score, m.wordA, m.wordB);
            if (CarriesCushionCounts(tableMode)) io(m.threeCushions, m.banks);
            if (CarriesStakeMoney(roomMode)) io(m.money);
        }
    };
    int64_t value = 0;
    uint8_t teamCount = 0;
    std::vector<Team> teams;  // at most kRoomTeams
    uint32_t gameValue = 0;
    static void Layout(auto& io, auto& m, bool gameRunning, quill::GameType tableMode, uint8_t roomMode) {
        io(m.value, m.teamCount);
        if (!gameRunning) return;
        io.Repeat(m.teamCount, m.teams, kRoomTeams, [&](auto& team) { Team::Layout(io, team, tableMode, roomMode); });
        io(m.gameValue);
        io.Skip(uint32_t{});
    }
};
std::optional<ScoreUpdateMessage> ReadScoreUpdate(quill::Packet& packet, bool gameRunning, quill::GameType tableMode,
                                                  uint8_t roomMode);

// GameEnd (1183).
struct GameEndMessage {
    struct Member {
        uint8_t seat = 0;
        uint32_t points = 0;
        uint32_t valueB = 0;
        uint8_t rank = 0;
        static void Layout(auto& io, auto& m) { io(m.seat, m.points, m.valueB, m.rank); }
    };
    struct Team {
        uint8_t id = 0;
        uint8_t result = 0;
        std::vector<Member> members;
    };
    quill::WString nickname;
    uint8_t reason = 0;  // 2 withdrew
    uint16_t withdrawalPoints = 0;
    uint8_t teamCount = 0;
    uint8_t membersPerTeam = 0;
    std::vector<Team> teams;
    uint8_t lastResult = 0;  // the last team result on the wire, also of a dropped block
    static void Layout(auto& io, auto& m) {
        io.Text(m.nickname, kRoomTextUnits);
        io(m.reason, m.withdrawalPoints);
        io.Skip(uint16_t{});
        io(m.teamCount, m.membersPerTeam);
        io.Repeat(m.teamCount, m.teams, kRoomTeams, [&](auto& team) {
            io(team.id, team.result);
            io.Derive(m.lastResult, team.result);
            io.Repeat(m.membersPerTeam, team.members, kRoomSeats);
        });
    }
};
std::optional<GameEndMessage> ReadGameEnd(quill::Packet& packet);

// GameSettlement (1198).
struct GameSettlementMessage {
    struct Member {
        bool settled = false;  // the team's result was neither 0 nor 7
        uint32_t points = 0;
        uint32_t valueB = 0;
        int64_t money = 0;
        uint8_t rank = 0;
        uint8_t status = 0;
    };
    struct Team {
        uint8_t id = 0;
        uint8_t result = 0;
        std::vector<Member> members;
    };
    static constexpr uint8_t kInvalidResult = 7;
    uint8_t teamCount = 0;
    uint8_t membersPerTeam = 0;
    std::vector<Team> teams;
    uint8_t last = 0;
    static void Layout(auto& io, auto& m) {
        io(m.teamCount, m.membersPerTeam);
        io.Repeat(m.teamCount, m.teams, kRoomTeams, [&](auto& team) {
            io(team.id, team.result);
            const bool settled = team.result != 0 && team.result != kInvalidResult;
            io.Repeat(m.membersPerTeam, team.members, kRoomSeats, [&](auto& member) {
                io.Derive(member.settled, settled);
                if (settled) io(member.points, member.valueB, member.money, member.rank, member.status);
            });
        });
        io(m.last);
    }
};
std::optional<GameSettlementMessage> ReadGameSettlement(quill::Packet& packet);

// The small seat messages: a seat and one value (SeatChanged, PlayerSlotUpdate, ShotBetState, RoomPrompt1191,
// PlayerDropped: u8; HighRunRecord, HandicapChanged: u16; PlayerAllIn, PlayerWithdrew: the seat alone).
enum class SeatValueWidth { kNone, kByte, kWord };
struct SeatValueMessage {
    uint8_t seat = 0;
    uint32_t value = 0;
    static void Layout(auto& io, auto& m, SeatValueWidth width) {
        io(m.seat);
        if (width == SeatValueWidth::kByte) io.As(uint8_t{}, m.value);
        if (width == SeatValueWidth::kWord) io.As(uint16_t{}, m.value);
    }
};
std::optional<SeatValueMessage> ReadSeatValue(quill::Packet& packet, SeatValueWidth width);

// LevelUp (1221).
struct LevelUpMessage {
    uint8_t seat = 0;
    uint16_t level = 0;
    uint32_t value = 0;
    static void Layout(auto& io, auto& m) { io(m.seat, m.level, m.value); }
};
std::optional<LevelUpMessage> ReadLevelUp(quill::Packet& packet);

// PlayerMoney (1225).
struct PlayerMoneyMessage {
    uint8_t seat = 0;
    int64_t money = 0;
    static void Layout(auto& io, auto& m) { io(m.seat, m.money); }
};
std::optional<PlayerMoneyMessage> ReadPlayerMoney(quill::Packet& packet);

// PlayerReconnected (80).
struct PlayerReconnectedMessage {
    uint8_t seat = 0;
    uint32_t value = 0;
    uint8_t dropped = 0;
    static void Layout(auto& io, auto& m) { io(m.seat, m.value, m.dropped); }
};
std::optional<PlayerReconnectedMessage> ReadPlayerReconnected(quill::Packet& packet);

// UserLocationNotice (46) as the room reads it.
struct SeatLocationMessage {
    uint8_t seat = 0;
    uint32_t value = 0;
    quill::WString text;  // only when the value is 0
    static void Layout(auto& io, auto& m) {
        io(m.seat, m.value);
        if (m.value == 0) io.Text(m.text, kRoomTextUnits);
    }
};
std::optional<SeatLocationMessage> ReadSeatLocation(quill::Packet& packet);

// RoomChat (1158).
struct RoomChatMessage {
    uint8_t team = 0;
    uint8_t seat = 0;
    quill::WString nickname;
    quill::WString text;
    static void Layout(auto& io, auto& m) {
        io(m.team, m.seat);
        io.Text(m.nickname, kRoomTextUnits);
        io.Text(m.text, kRoomChatUnits);
    }
};
std::optional<RoomChatMessage> ReadRoomChat(quill::Packet& packet);

// ChatBanned (52) is read by the lobby's reader (LobbyMessages.h), which the room shares.

// UnbanResult (53).
struct UnbanResultMessage {
    uint8_t kind = 0;
    uint8_t result = 0;
    quill::WString nickname;
    static void Layout(auto& io, auto& m) {
        io(m.kind, m.result);
        io.Text(m.nickname, kRoomTextUnits);
    }
};
std::optional<UnbanResultMessage> ReadUnbanResult(quill::Packet& packet);

// ChatBanNotice (54): the nicknames before the first zero flag (or the payload's end), at most kRoomSeats x 4.
std::vector<quill::WString> ReadChatBanNotice(quill::Packet& packet);

// RoomBanResult (1170): result 0 carries the nickname.
struct RoomBanResultMessage {
    uint8_t result = 0;
    quill::WString nickname;
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result == 0) io.Text(m.nickname, kRoomTextUnits);
    }
};
std::optional<RoomBanResultMessage> ReadRoomBanResult(quill::Packet& packet);

// One string (ChatBanByName, ReportNotice, SystemNotice).
std::optional<quill::WString> ReadRoomText(quill::Packet& packet);

// Jackpot (1237).
struct JackpotMessage {
    quill::WString nickname;
    uint8_t count = 0;
    uint32_t amount = 0;
    static void Layout(auto& io, auto& m) {
        io.Text(m.nickname, kRoomTextUnits);
        io(m.count, m.amount);
    }
};
std::optional<JackpotMessage> ReadJackpot(quill::Packet& packet);

// PrizeNotice (1238).
struct PrizeNoticeMessage {
    quill::WString nickname;
    uint32_t amount = 0;
    uint8_t channel = 0;
    uint16_t room = 0;
    static void Layout(auto& io, auto& m) {
        io.Text(m.nickname, kRoomTextUnits);
        io(m.amount, m.channel, m.room);
    }
};
std::optional<PrizeNoticeMessage> ReadPrizeNotice(quill::Packet& packet);

// RoomValue1223: u8 n, a u32 when n is not 0, a second when n is 10 or more.
struct RoomValueMessage {
    uint8_t index = 0;
    uint32_t value = 0;
    std::optional<uint32_t> second;
    static void Layout(auto& io, auto& m) {
        io(m.index);
        if (m.index != 0) io(m.value);
        if (m.index >= 10) io(m.second);
    }
};
std::optional<RoomValueMessage> ReadRoomValue(quill::Packet& packet);

// Three u16 (RoomTimer, RoomCounters).
std::optional<std::array<uint16_t, 3>> ReadThreeWords(quill::Packet& packet);

// OpponentRequest (1185).
struct OpponentRequestMessage {
    quill::WString nickname;
    uint8_t kind = 0;
    static void Layout(auto& io, auto& m) {
        io.Text(m.nickname, kRoomTextUnits);
        io(m.kind);
    }
};
std::optional<OpponentRequestMessage> ReadOpponentRequest(quill::Packet& packet);

// Two bytes (RequestRefused: flag, kind).
std::optional<std::array<uint8_t, 2>> ReadTwoBytes(quill::Packet& packet);

// PlayerJoinedGame (1172).
struct PlayerJoinedMessage {
    uint8_t seat = 0;
    int64_t money = 0;
    uint8_t team = 0;
    uint32_t penalty = 0;
    uint16_t teamState = 0;
    uint32_t gameValueIncrease = 0;
    static void Layout(auto& io, auto& m) {
        io(m.seat, m.money, m.team, m.penalty, m.teamState, m.gameValueIncrease);
    }
};
std::optional<PlayerJoinedMessage> ReadPlayerJoined(quill::Packet& packet);

// RoomMemberLeft (1167).
struct MemberLeftMessage {
    uint8_t memberCount = 0;
    uint8_t seat = 0;
    uint8_t reasonA = 0;
    uint8_t reasonB = 0;
    static void Layout(auto& io, auto& m) { io(m.memberCount, m.seat, m.reasonA, m.reasonB); }
};
std::optional<MemberLeftMessage> ReadMemberLeft(quill::Packet& packet);

// RoomMasterChanged (1168).
struct MasterChangedMessage {
    uint8_t seat = 0;
    uint16_t wordA = 0;
    uint16_t wordB = 0;
    static void Layout(auto& io, auto& m) { io(m.seat, m.wordA, m.wordB); }
};
std::optional<MasterChangedMessage> ReadMasterChanged(quill::Packet& packet);

// The player record of RoomMemberEntered and RoomMemberInfo.
struct RoomPlayerRecord {
    uint8_t seat = 0;
    quill::WString nickname;
    int64_t userId = 0;
    uint32_t memberId = 0;
    uint16_t level = 0;
    int64_t money = 0;
    uint16_t rating = 0;
    uint8_t team = 0;
    uint8_t ready = 0;
    uint8_t status = 0;
    uint16_t recentWithdrawals = 0;
    uint16_t withdrawals = 0;
    uint16_t cueItem = 0;
    static void Layout(auto& io, auto& m) {
        io(m.seat);
        io.Text(m.nickname, kRoomTextUnits);
        io(m.userId, m.memberId, m.level, m.money, m.rating, m.team, m.ready, m.status, m.recentWithdrawals);
        io(m.withdrawals, m.cueItem);
    }
};
std::optional<RoomPlayerRecord> ReadRoomPlayer(quill::Packet& packet);

struct MemberEnteredMessage {
    RoomPlayerRecord player;
    uint8_t memberCount = 0;
    uint8_t capacity = 0;
    static void Layout(auto& io, auto& m) { io(m.player, m.memberCount, m.capacity); }
};
std::optional<MemberEnteredMessage> ReadMemberEntered(quill::Packet& packet);

// RoomSnapshot (1153).
struct RoomSnapshotMessage {
    int64_t idleValue = 0;  // shown on the point-rule panel; its low 32 bits: ms since the room's last game
    uint16_t roomValue = 0;
    uint8_t observe = 0;
    uint8_t roomState = 0;  // 2: a game runs
    uint32_t seed = 0;
    quill::WString text;
    PointRuleBytes rule;
    uint8_t marker = 0;
    uint8_t gameMode = 0;
    uint8_t memberCount = 0;
    uint8_t capacity = 0;
    uint8_t masterSeat = 0;
    uint8_t cueBall = 0;
    uint8_t shooterSeat = 0;
    uint8_t turnTime = 0;
    uint32_t stake = 0;
    uint16_t tableItem = 0;
    uint16_t ballSetItem = 0;
    uint8_t localSeat = 0;
    uint32_t turnElapsedMs = 0;
    uint32_t gameValue = 0;
    static void Layout(auto& io, auto& m) {
        io(m.idleValue);
        for (int i = 0; i < 3; ++i) io.Skip(uint16_t{});
        io(m.roomValue, m.observe, m.roomState, m.seed);
        if (io.Flag(!m.text.empty())) io.Text(m.text, kRoomChatUnits);
        io(m.rule.kind);
        if (m.rule.kind > 0) io(m.rule.count, m.rule.multiplier, m.rule.step, m.rule.flag, m.marker);
        io(m.gameMode, m.memberCount, m.capacity, m.masterSeat, m.cueBall, m.shooterSeat, m.turnTime, m.stake);
        io(m.tableItem, m.ballSetItem, m.localSeat, m.turnElapsedMs, m.gameValue);
    }
};
std::optional<RoomSnapshotMessage> ReadRoomSnapshot(quill::Packet& packet);

// GameStateSync (1182).
struct GameStateSyncMessage {
    struct Member {
        uint8_t seat = 0;
        uint16_t innings = 0;
        uint16_t points = 0;
        static void Layout(auto& io, auto& m) { io(m.seat, m.innings, m.points); }
    };
    struct Team {
        uint8_t id = 0;
        uint16_t state = 0;
        uint32_t score = 0;
        uint8_t ballGroup = 0;
        std::vector<Member> members;
        static void Layout(auto& io, auto& m) {
            io(m.id, m.state, m.score, m.ballGroup);
            io.CountedList(m.members, kRoomSeats);
        }
    };
    uint8_t shooterSeat = 0;
    uint16_t inning = 0;
    uint32_t elapsedMs = 0;
    uint32_t gameValue = 0;
    std::vector<Team> teams;  // at most kRoomTeams
    static void Layout(auto& io, auto& m) {
        io(m.shooterSeat, m.inning, m.elapsedMs, m.gameValue);
        io.CountedList(m.teams, kRoomTeams);
    }
};
std::optional<GameStateSyncMessage> ReadGameStateSync(quill::Packet& packet);

// RoomOptionsChanged (1156).
struct RoomOptionsMessage {
    quill::WString title;
    uint8_t option = 0;
    uint8_t flags = 0;
    uint16_t tableItem = 0;
    uint16_t ballSetItem = 0;
    uint8_t changesMade = 0;
    uint8_t changesAllowed = 0;
    static void Layout(auto& io, auto& m) {
        io.Text(m.title, kRoomTextUnits);
        io(m.option, m.flags, m.tableItem, m.ballSetItem, m.changesMade, m.changesAllowed);
    }
};
std::optional<RoomOptionsMessage> ReadRoomOptions(quill::Packet& packet);

// MoneyLimitReached (1222).
struct MoneyLimitMessage {
    int64_t money = 0;
    int64_t cueMoney = 0;
    std::array<uint32_t, 2> goldValues{};
    static void Layout(auto& io, auto& m) { io(m.money, m.cueMoney, m.goldValues); }
};
std::optional<MoneyLimitMessage> ReadMoneyLimit(quill::Packet& packet);

// ItemBuyResult (93) as the shop reads it: the lines the room shows for it.
std::vector<quill::WString> ItemBuyResultLines(const ItemBuyResult& answer);

// ItemStats (1244); B is clamped to kItemStatLimit.
struct ItemStatsMessage {
    static constexpr uint64_t kItemStatLimit = 1000000;
    uint32_t key = 0;
    uint32_t subKey = 0;
    int64_t valueA = 0;
    int64_t valueB = 0;
    static void Layout(auto& io, auto& m) { io(m.key, m.subKey, m.valueA, m.valueB); }
};
std::optional<ItemStatsMessage> ReadItemStats(quill::Packet& packet);

// SeatCueUpdate (1242): the five part ids only for a custom cue (flag 1).
struct SeatCueMessage {
    uint8_t seat = 0;
    uint32_t cueItem = 0;
    uint8_t custom = 0;
    std::array<uint16_t, 5> parts{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    static void Layout(auto& io, auto& m) {
        io(m.seat, m.cueItem, m.custom);
        if (m.custom == 1) io(m.parts);
    }
};
std::optional<SeatCueMessage> ReadSeatCue(quill::Packet& packet);

// BallPlacementRelay (1216): the ball and its position as float bits.
struct BallPlacementMessage {
    uint8_t ball = 0;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    static void Layout(auto& io, auto& m) { io(m.ball, m.x, m.y, m.z); }
};
std::optional<BallPlacementMessage> ReadBallPlacement(quill::Packet& packet);

// AimState (1210) as relayed: aim point x and y, tip offsets x and y, elevation.
std::optional<std::array<float, 5>> ReadRemoteAim(quill::Packet& packet);

// The head of TablePlacement (1203); the ball positions and the second pair of items follow.
struct TablePlacementHead {
    uint8_t shooter = 0;
    uint8_t cueBall = 0;
    uint16_t tableItem = 0;
    uint16_t ballSetItem = 0;
    static void Layout(auto& io, auto& m) { io(m.shooter, m.cueBall, m.tableItem, m.ballSetItem); }
};
std::optional<TablePlacementHead> ReadTablePlacementHead(quill::Packet& packet);

// Two u16 item ids in the order given (the tail of TablePlacement: table, ball set).
std::optional<std::array<uint16_t, 2>> ReadItemPair(quill::Packet& packet);

// The room's default equipment of a game mode, for zero ids.
uint16_t RoomTableItem(uint16_t tableItem, quill::GameType mode);
uint16_t RoomBallSetItem(uint16_t ballSetItem, quill::GameType mode);

}  // namespace kestrovan
