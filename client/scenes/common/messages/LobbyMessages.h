#pragma once
// The lobby's server messages read into plain records, outside the screen: each reader takes the payload
// at the packet's cursor and returns the record, or nothing when the message ends before its fields do (a
// bad string counts as such an end). Texts longer than the lobby's fields are cut to them, never inside a
// character; room numbers are returned as sent, and the room table ignores those it has no record for.
//
// Threads: any (pure); the lobby calls them on the dispatch thread.
#include <cstdint>
#include <optional>

#include "QuillLib/core/WString.h"
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
};

// RoomStateChanged (1125).
struct RoomStateMessage {
    uint16_t room = 0;
    int8_t status = 0;
    uint8_t players = 0;
    uint8_t state = 0;
    uint16_t tableItem = 0;
    uint16_t ballItem = 0;
};

// RoomCountChanged (1126).
struct RoomCountMessage {
    uint16_t room = 0;
    uint8_t state = 0;
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
};

// LobbyUserMoved (1124).
struct LobbyUserMovedMessage {
    int64_t userId = 0;
    int16_t place = 0;
};

// UserLocationNotice (46); the clan name is sent only with a clan.
struct UserClanMessage {
    int64_t userId = 0;
    uint32_t clanId = 0;
    quill::WString clanName;
};

// LobbyChat (11).
struct LobbyChatMessage {
    quill::WString nickname;
    quill::WString text;
};

// ChatBanned (52); kinds 0 and 2 name a player.
struct ChatBannedMessage {
    uint8_t kind = 0;
    quill::WString nickname;
};

// CreateRoomResult (1131); code 21 names who waits and where.
struct CreateRoomResultMessage {
    uint8_t code = 0;
    quill::WString nickname;
    uint16_t room = 0;
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
