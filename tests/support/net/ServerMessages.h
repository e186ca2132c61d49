#pragma once
// Game-server messages built as the server sends them, for the tests of the screens and the connection: the
// login conversation (the account record of a successful LoginResult, the channel list, the channel entry) and
// the lobby's (the room list and its changes, the lobby's users, chat, the answers to joining and creating a
// room). Each builder returns the message unsent; GameServerFixture::Send puts it on the wire, AsReceived
// turns it into what a receiver holds.
//
//   server.Send(RoomListEntryMessage(TestRoom{.number = 3, .title = u"Three cushions"}));
//   quill::Packet packet = AsReceived(LobbyChatMessage(u"Carom", u"hello"));
#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"

namespace kvtest {

// --- Login ---

// The fields of an account record that the tests choose; the others are written as small fixed values.
struct TestAccount {
    uint32_t userId = 77;
    int64_t accountId = 0x100000002;
    quill::WString nickname = u"Carom";
    quill::WString loginId = u"player";
    int64_t cash = 5000;
    int64_t cueMoney = 11;
    uint8_t membership = 0;
    quill::WString membershipText = u"2030-01-01";
    uint16_t level = 12;
    uint32_t experience = 19;
    int16_t grade = 0;
    uint16_t age = 30;
    uint8_t tutorialDone = 1;  // the byte after the age; 0 sends the player to the school on his first lobby
    std::array<uint32_t, 5> skills{1, 2, 3, 4, 5};
    uint32_t options = 0x800;
    uint8_t status = 0;
    // The school's stored progress: the highest page reached.
    uint32_t schoolProgress = 16;
};

// A row of the channel list: number (0-based), users, capacity, extra capacity and the channel's kind.
struct TestChannel {
    uint8_t number;
    uint16_t users;
    uint16_t capacity;
    uint16_t extra;
    uint16_t kind;
};

// Two channels: "Ch-1 (All carom)" with 30 of 100 players and "Ch-2 (Pool)" with 99 of 100.
std::vector<TestChannel> DefaultChannels();

// LoginResult 0 with the account record.
quill::Packet LoginResultMessage(const TestAccount& account);
quill::Packet ChannelListMessage(const std::vector<TestChannel>& channels);
// ChannelEnterResult: the result and the channel (1-based); results 8 and 9 carry the channel's counts.
quill::Packet ChannelEnterResultMessage(uint8_t result, uint8_t channel, uint16_t users = 0, uint16_t capacity = 0,
                                        uint16_t extra = 0);
// A message of that id with fields of the given widths (1, 2 or 4 bytes), in order.
quill::Packet ShortMessage(quill::MessageId id, std::initializer_list<std::pair<uint32_t, int>> fields);

// --- Lobby: the room list ---

// A room as the room messages carry it. A room with a player count of 0 is an empty slot of the list.
struct TestRoom {
    uint16_t number = 1;     // 1 to 120
    uint8_t state = 0;       // 2 while a game runs
    uint32_t elapsedMs = 0;  // of the running game
    uint8_t gameMode = 3;    // a GameType: three-cushion
    uint8_t status = 0;      // the second status value; above 0 shows the rated mark
    uint8_t players = 1;
    uint8_t maxPlayers = 2;
    quill::WString title = u"Test room";
    uint8_t passwordFlag = 0;
    quill::WString password;  // what JoinRoomWithPassword must carry when the flag is set
    uint16_t settingA = 1;
    uint16_t tableItem = 1020;
    uint16_t ballSetItem = 2000;
    uint8_t settingB = 0xFF;
    uint8_t timeLimit = 40;  // seconds, sent only in the join's answer
    uint8_t stakeIndex = 1;
    uint8_t optionFlags = 0;
    uint32_t stake = 0;
    uint16_t minHandicap = 0;
    uint16_t maxHandicap = 0;
};

// Three rooms: 1 waiting (one of two players), 2 playing (two of two, a game 65 s old), 3 locked with the
// password "secret".
std::vector<TestRoom> DefaultRooms();

quill::Packet RoomListResetMessage();
quill::Packet RoomListEntryMessage(const TestRoom& room);
quill::Packet RoomUpdateMessage(const TestRoom& room);
// RoomStateChanged: the room's second status value, player count, state and equipment.
quill::Packet RoomStateChangedMessage(const TestRoom& room);
// The room leaves the list: RoomStateChanged with no players.
quill::Packet RoomRemovedMessage(uint16_t number);
quill::Packet RoomCountChangedMessage(uint16_t number, uint8_t state);
quill::Packet LobbyRefreshMessage();

// --- Lobby: its users ---

// A player as LobbyUserAdded carries him. place: 0 the lobby, n room n, negative the other places.
struct TestUser {
    int64_t userId = 1001;
    quill::WString nickname = u"Banker";
    uint32_t clanId = 0;
    quill::WString clanName;  // sent only with a clan id
    int16_t place = 0;
    uint32_t sortValue = 100;
    uint16_t level = 10;
    uint16_t rank = 0;
    uint8_t further = 0;
};

// The player of the default account (in the lobby) and three others: one in room 2, one in a clan, one at
// the practice table.
std::vector<TestUser> DefaultUsers();

// LobbyUserRemoved: every listed user leaves the table.
quill::Packet LobbyUsersClearedMessage();
quill::Packet LobbyUserAddedMessage(const TestUser& user);
quill::Packet LobbyUserLeftMessage(int64_t userId);
quill::Packet LobbyUserMovedMessage(int64_t userId, int16_t place);
// UserLocationNotice: a listed user's clan changed.
quill::Packet UserClanMessage(int64_t userId, uint32_t clanId, quill::WStringView clanName);
quill::Packet LobbyEnteredMessage();

// --- Lobby: chat and answers ---

quill::Packet LobbyChatMessage(quill::WStringView nickname, quill::WStringView text);
quill::Packet SystemNoticeMessage(quill::WStringView text);
// JoinRoomResult: result 0 carries the room's settings, any other result nothing more.
quill::Packet JoinRoomResultMessage(uint32_t result, const TestRoom& room = {});
// CreateRoomResult: code 21 carries the nickname and the room that waits.
quill::Packet CreateRoomResultMessage(uint8_t code, quill::WStringView nickname = {}, uint16_t room = 0);

// --- Game room ---

// A user the room may invite, as InvitableUsersList carries him.
struct TestInvitableUser {
    uint32_t key = 1;
    int64_t userId = 1001;
    uint16_t level = 5;
    quill::WString nickname = u"Guest";
    uint16_t number = 1;
};

// InvitableUsersList: the count announced (the list's size unless given), then the users.
quill::Packet InvitableUsersListMessage(const std::vector<TestInvitableUser>& users, int32_t announced = -1);

// The message as a receiver holds it: its cursor on the first payload byte.
quill::Packet AsReceived(quill::Packet message);

}  // namespace kvtest
