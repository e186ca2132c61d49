#pragma once
// The lobby's server messages read into plain records, outside the screen: each reader takes the payload
// at the packet's cursor and returns the record, or nothing when the message ends before its fields do (a
// bad string counts as such an end). Texts longer than the lobby's fields are cut to them, never inside a
// character; room numbers are returned as sent, and the room table ignores those it has no record for.
//
// Each record's Layout is its one description on the wire (QuillLib/net/FieldReader.h), which the readers
// here, the tests' builders and the fuzz targets follow.
#include <cstdint>
#include <optional>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

// The longest nickname, clan name and room title the lobby keeps, in UTF-16 units.
inline constexpr size_t kLobbyNameUnits = 63;

// RoomListEntry (1117).
struct RoomListEntryMessage {
    uint16_t room = 0;
    uint8_t state = 0;
    uint32_t elapsedMs = 0;
    uint8_t gameMode = 0;
    int8_t status = 0;
    uint8_t players = 0;
    uint8_t maxPlayers = 0;
    quill::WString title;
    uint8_t passwordFlag = 0;
    uint16_t settingA = 0;
    uint16_t tableItem = 0;
    uint16_t ballItem = 0;
    int8_t settingB = 0;
    uint8_t stakeIndex = 0;
    uint8_t optionFlags = 0;
    uint32_t stake = 0;
    uint16_t minHandicap = 0;
    uint16_t maxHandicap = 0;
    static void Layout(auto& io, auto& m) {
        io(m.room, m.state, m.elapsedMs, m.gameMode, m.status, m.players, m.maxPlayers);
        io.Text(m.title, kLobbyNameUnits);
        io(m.passwordFlag, m.settingA, m.tableItem, m.ballItem, m.settingB, m.stakeIndex, m.optionFlags, m.stake);
        io(m.minHandicap, m.maxHandicap);
    }
};

// RoomUpdate (1119).
struct RoomUpdateMessage {
    uint16_t room = 0;
    int8_t status = 0;
    uint8_t maxPlayers = 0;
    quill::WString title;
    uint8_t passwordFlag = 0;
    int8_t settingB = 0;
    uint8_t stakeIndex = 0;
    uint32_t stake = 0;
    uint16_t minHandicap = 0;
    uint16_t maxHandicap = 0;
    static void Layout(auto& io, auto& m) {
        io(m.room, m.status, m.maxPlayers);
        io.Text(m.title, kLobbyNameUnits);
        io(m.passwordFlag, m.settingB, m.stakeIndex, m.stake, m.minHandicap, m.maxHandicap);
    }
};

// RoomStateChanged (1125).
struct RoomStateMessage {
    uint16_t room = 0;
    int8_t status = 0;
    uint8_t players = 0;
    uint8_t state = 0;
    uint16_t tableItem = 0;
    uint16_t ballItem = 0;
    static void Layout(auto& io, auto& m) { io(m.room, m.status, m.players, m.state, m.tableItem, m.ballItem); }
};

// RoomCountChanged (1126).
struct RoomCountMessage {
    uint16_t room = 0;
    uint8_t state = 0;
    static void Layout(auto& io, auto& m) { io(m.room, m.state); }
};

// LobbyUserAdded (1121); the clan name is sent only with a clan.
struct LobbyUserMessage {
    int64_t userId = 0;
    quill::WString nickname;
    uint32_t clanId = 0;
    quill::WString clanName;
    int16_t place = 0;
    uint32_t sortValue = 0;
    uint16_t level = 0;
    uint16_t rankCode = 0;
    uint8_t further = 0;
    static void Layout(auto& io, auto& m) {
        io(m.userId);
        io.Text(m.nickname, kLobbyNameUnits);
        io(m.clanId);
        if (m.clanId != 0) io.Text(m.clanName, kLobbyNameUnits);
        io(m.place, m.sortValue, m.level, m.rankCode, m.further);
    }
};

// LobbyUserMoved (1124).
struct LobbyUserMovedMessage {
    int64_t userId = 0;
    int16_t place = 0;
    static void Layout(auto& io, auto& m) { io(m.userId, m.place); }
};

// UserLocationNotice (46); the clan name is sent only with a clan.
struct UserClanMessage {
    int64_t userId = 0;
    uint32_t clanId = 0;
    quill::WString clanName;
    static void Layout(auto& io, auto& m) {
        io(m.userId, m.clanId);
        if (m.clanId != 0) io.Text(m.clanName, kLobbyNameUnits);
    }
};

// LobbyChat (11).
struct LobbyChatMessage {
    quill::WString nickname;
    quill::WString text;
    static void Layout(auto& io, auto& m) {
        io.Text(m.nickname, kLobbyNameUnits);
        io(m.text);
    }
};

// ChatBanned (52); kinds 0 and 2 name a player.
struct ChatBannedMessage {
    static constexpr uint8_t kBanNamesPlayer = 0;
    static constexpr uint8_t kBlockedByPlayer = 2;
    uint8_t kind = 0;
    quill::WString nickname;
    static void Layout(auto& io, auto& m) {
        io(m.kind);
        if (m.kind == kBanNamesPlayer || m.kind == kBlockedByPlayer) io.Text(m.nickname, kLobbyNameUnits);
    }
};

// CreateRoomResult (1131); code 21 names who waits and where.
struct CreateRoomResultMessage {
    static constexpr uint8_t kWaitingForYou = 21;
    uint8_t code = 0;
    quill::WString nickname;
    uint16_t room = 0;
    static void Layout(auto& io, auto& m) {
        io(m.code);
        if (m.code != kWaitingForYou) return;
        io.Text(m.nickname, kLobbyNameUnits);
        io(m.room);
    }
};

// JoinRoomResult (1134); the room's fields follow only a result of 0.
struct JoinRoomResultMessage {
    uint32_t result = 0;
    uint8_t gameMode = 0;
    uint16_t settingA = 0;
    uint32_t counter2 = 0;
    uint32_t counter1 = 0;
    int8_t settingB = 0;
    uint8_t timeLimit = 0;
    uint8_t optionFlags = 0;
    uint8_t stakeIndex = 0;
    uint32_t stake = 0;
    uint16_t tableItem = 0;
    uint16_t ballItem = 0;
    uint16_t minHandicap = 0;
    uint16_t maxHandicap = 0;
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result != 0) return;
        io.Skip(uint8_t{});
        io(m.gameMode, m.settingA, m.counter2, m.counter1, m.settingB, m.timeLimit, m.optionFlags, m.stakeIndex);
        io(m.stake, m.tableItem, m.ballItem, m.minHandicap, m.maxHandicap);
    }
};

std::optional<RoomListEntryMessage> ReadRoomListEntry(quill::Packet& packet);
std::optional<RoomUpdateMessage> ReadRoomUpdate(quill::Packet& packet);
std::optional<RoomStateMessage> ReadRoomState(quill::Packet& packet);
std::optional<RoomCountMessage> ReadRoomCount(quill::Packet& packet);
std::optional<LobbyUserMessage> ReadLobbyUser(quill::Packet& packet);
std::optional<LobbyUserMovedMessage> ReadLobbyUserMoved(quill::Packet& packet);
std::optional<int64_t> ReadLobbyUserLeft(quill::Packet& packet);
std::optional<UserClanMessage> ReadUserClan(quill::Packet& packet);
std::optional<LobbyChatMessage> ReadLobbyChat(quill::Packet& packet);
std::optional<ChatBannedMessage> ReadChatBanned(quill::Packet& packet);
std::optional<CreateRoomResultMessage> ReadCreateRoomResult(quill::Packet& packet);
std::optional<JoinRoomResultMessage> ReadJoinRoomResult(quill::Packet& packet);
// SystemNotice (47): one text.
std::optional<quill::WString> ReadNoticeText(quill::Packet& packet);
// LobbyNotice (74), RaceTournamentNotice (76): one byte.
std::optional<uint8_t> ReadNoticeByte(quill::Packet& packet);

}  // namespace kestrovan
