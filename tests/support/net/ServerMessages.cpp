#include "tests/support/net/ServerMessages.h"

#include <bit>

#include "client/scenes/common/messages/LobbyMessages.h"
#include "client/scenes/login/AccountRecord.h"
#include "client/scenes/login/ChannelGates.h"
#include "tests/support/net/BuiltMessage.h"

namespace kvtest {

using quill::MessageId;
using quill::Packet;

namespace {

Packet Empty(MessageId id) {
    Packet p;
    p.Init(id);
    return p;
}

}  // namespace

// --- Login ---

std::vector<TestChannel> DefaultChannels() {
    return {{0, 30, 100, 0, 2}, {1, 99, 100, 0, 5}};
}

Packet LoginResultMessage(const TestAccount& a) {
    // The fields the test does not choose carry small fixed values, each its own.
    const quill::WString line = u"profile line";
    const quill::WString chat = u"chat";
    const kestrovan::AccountRecord record{
        .userId = a.userId, .accountId = a.accountId, .nickname = a.nickname, .loginId = a.loginId, .value2 = 2,
        .value3 = 3, .value4 = 4, .value5 = 5, .value6 = 6, .cash = a.cash, .cueMoney = a.cueMoney, .extraMoney = 12,
        .membership = a.membership, .membershipText = a.membershipText, .membershipDays = 30,
        .connectionValue = a.schoolProgress, .connectionFlag = 17, .level = a.level, .experience = a.experience,
        .skillPoints = 20, .value9 = 21, .value10 = 22, .value11 = 23, .grade = a.grade, .value12 = 25,
        .value13 = 26, .value14 = 27, .age = a.age, .tutorialDone = a.tutorialDone,
        .skills = std::bit_cast<std::array<int32_t, 5>>(a.skills), .profileLines = {line, line, line, line},
        .chatTexts = {chat, chat, chat, chat, chat, chat}, .value16 = 45, .value17 = 46, .options = a.options,
        .status = a.status, .statusText = u"banned for a day"};
    Packet p;
    p.Init(MessageId::LoginResult).WriteU8(0);
    quill::WriteMessage(p, record);
    return p;
}

Packet ChannelListMessage(const std::vector<TestChannel>& channels) {
    std::vector<kestrovan::ChannelRow> rows;
    for (const TestChannel& c : channels) {
        rows.push_back({.number = c.number, .users = c.users, .capacity = c.capacity, .extra = c.extra,
                        .kind = static_cast<int16_t>(c.kind)});
    }
    Packet p;
    p.Init(MessageId::ChannelList);
    quill::FieldWriter(p).CountedList(rows, rows.size());
    return p;
}

Packet ChannelEnterResultMessage(uint8_t result, uint8_t channel, uint16_t users, uint16_t capacity, uint16_t extra) {
    Packet p;
    p.Init(MessageId::ChannelEnterResult);
    p.WriteU8(result).WriteU8(channel);
    if (result == 8 || result == 9)
        p.WriteU16(users).WriteU16(capacity).WriteU16(extra);
    return p;
}

Packet ShortMessage(MessageId id, std::initializer_list<std::pair<uint32_t, int>> fields) {
    Packet p;
    p.Init(id);
    for (const auto& [value, width] : fields) {
        if (width == 1)
            p.WriteU8(static_cast<uint8_t>(value));
        if (width == 2)
            p.WriteU16(static_cast<uint16_t>(value));
        if (width == 4)
            p.WriteU32(value);
    }
    return p;
}

// --- Lobby: the room list ---

std::vector<TestRoom> DefaultRooms() {
    TestRoom waiting;
    waiting.number = 1;
    waiting.title = u"Waiting room";
    TestRoom playing;
    playing.number = 2;
    playing.state = 2;
    playing.elapsedMs = 65000;
    playing.gameMode = 0;
    playing.players = 2;
    playing.title = u"Playing room";
    playing.stakeIndex = 2;
    TestRoom locked;
    locked.number = 3;
    locked.gameMode = 10;
    locked.maxPlayers = 4;
    locked.title = u"Locked room";
    locked.passwordFlag = 1;
    locked.password = u"secret";
    return {waiting, playing, locked};
}

Packet RoomListResetMessage() {
    return Empty(MessageId::RoomListReset);
}

Packet RoomListEntryMessage(const TestRoom& r) {
    const kestrovan::RoomListEntryMessage m{
        .room = r.number, .state = r.state, .elapsedMs = r.elapsedMs, .gameMode = r.gameMode,
        .status = static_cast<int8_t>(r.status), .players = r.players, .maxPlayers = r.maxPlayers, .title = r.title,
        .passwordFlag = r.passwordFlag, .settingA = r.settingA, .tableItem = r.tableItem, .ballItem = r.ballSetItem,
        .settingB = static_cast<int8_t>(r.settingB), .stakeIndex = r.stakeIndex, .optionFlags = r.optionFlags,
        .stake = r.stake, .minHandicap = r.minHandicap, .maxHandicap = r.maxHandicap};
    return BuiltMessage(MessageId::RoomListEntry, m);
}

Packet RoomUpdateMessage(const TestRoom& r) {
    const kestrovan::RoomUpdateMessage m{
        .room = r.number, .status = static_cast<int8_t>(r.status), .maxPlayers = r.maxPlayers, .title = r.title,
        .passwordFlag = r.passwordFlag, .settingB = static_cast<int8_t>(r.settingB), .stakeIndex = r.stakeIndex,
        .stake = r.stake, .minHandicap = r.minHandicap, .maxHandicap = r.maxHandicap};
    return BuiltMessage(MessageId::RoomUpdate, m);
}

Packet RoomStateChangedMessage(const TestRoom& r) {
    const kestrovan::RoomStateMessage m{.room = r.number, .status = static_cast<int8_t>(r.status),
                                        .players = r.players, .state = r.state, .tableItem = r.tableItem,
                                        .ballItem = r.ballSetItem};
    return BuiltMessage(MessageId::RoomStateChanged, m);
}

Packet RoomRemovedMessage(uint16_t number) {
    TestRoom empty;
    empty.number = number;
    empty.players = 0;
    empty.tableItem = 0;
    empty.ballSetItem = 0;
    return RoomStateChangedMessage(empty);
}

Packet RoomCountChangedMessage(uint16_t number, uint8_t state) {
    return BuiltMessage(MessageId::RoomCountChanged, kestrovan::RoomCountMessage{.room = number, .state = state});
}

Packet LobbyRefreshMessage() {
    return Empty(MessageId::LobbyRefresh);
}

// --- Lobby: its users ---

std::vector<TestUser> DefaultUsers() {
    const TestAccount account;
    TestUser player;
    player.userId = account.accountId;
    player.nickname = account.nickname;
    player.level = account.level;
    player.sortValue = 500;
    TestUser inRoom;
    inRoom.userId = 1002;
    inRoom.nickname = u"Cushion";
    inRoom.place = 2;
    inRoom.sortValue = 900;
    TestUser inClan;
    inClan.userId = 1003;
    inClan.nickname = u"Masse";
    inClan.clanId = 42;
    inClan.clanName = u"Long Rails";
    inClan.rank = 95;
    inClan.sortValue = 300;
    TestUser practising;
    practising.userId = 1004;
    practising.nickname = u"Draw";
    practising.place = -2;
    practising.sortValue = 300;
    return {player, inRoom, inClan, practising};
}

Packet LobbyUsersClearedMessage() {
    Packet p;
    p.Init(MessageId::LobbyUserRemoved);
    p.WriteU32(0);
    return p;
}

Packet LobbyUserAddedMessage(const TestUser& u) {
    const kestrovan::LobbyUserMessage m{.userId = u.userId, .nickname = u.nickname, .clanId = u.clanId,
                                        .clanName = u.clanName, .place = u.place, .sortValue = u.sortValue,
                                        .level = u.level, .rankCode = u.rank, .further = u.further};
    return BuiltMessage(MessageId::LobbyUserAdded, m);
}

Packet LobbyUserLeftMessage(int64_t userId) {
    return BuiltMessage(MessageId::LobbyUserLeft, userId);
}

Packet LobbyUserMovedMessage(int64_t userId, int16_t place) {
    return BuiltMessage(MessageId::LobbyUserMoved, kestrovan::LobbyUserMovedMessage{.userId = userId, .place = place});
}

Packet UserClanMessage(int64_t userId, uint32_t clanId, quill::WStringView clanName) {
    return BuiltMessage(MessageId::UserLocationNotice,
                        kestrovan::UserClanMessage{.userId = userId, .clanId = clanId, .clanName = quill::WString(clanName)});
}

Packet LobbyEnteredMessage() {
    return Empty(MessageId::LobbyEntered);
}

// --- Lobby: chat and answers ---

Packet LobbyChatMessage(quill::WStringView nickname, quill::WStringView text) {
    return BuiltMessage(MessageId::LobbyChat,
                        kestrovan::LobbyChatMessage{.nickname = quill::WString(nickname), .text = quill::WString(text)});
}

Packet SystemNoticeMessage(quill::WStringView text) {
    return BuiltMessage(MessageId::SystemNotice, quill::WString(text));
}

Packet JoinRoomResultMessage(uint32_t result, const TestRoom& r) {
    // The two room counters: the room's number and its player count, values a test can recognise.
    const kestrovan::JoinRoomResultMessage m{
        .result = result, .gameMode = r.gameMode, .settingA = r.settingA, .counter2 = r.players,
        .counter1 = r.number, .settingB = static_cast<int8_t>(r.settingB), .timeLimit = r.timeLimit,
        .optionFlags = r.optionFlags, .stakeIndex = r.stakeIndex, .stake = r.stake, .tableItem = r.tableItem,
        .ballItem = r.ballSetItem, .minHandicap = r.minHandicap, .maxHandicap = r.maxHandicap};
    return BuiltMessage(MessageId::JoinRoomResult, m);
}

Packet CreateRoomResultMessage(uint8_t code, quill::WStringView nickname, uint16_t room) {
    return BuiltMessage(MessageId::CreateRoomResult, kestrovan::CreateRoomResultMessage{
                                                         .code = code, .nickname = quill::WString(nickname), .room = room});
}

Packet InvitableUsersListMessage(const std::vector<TestInvitableUser>& users, int32_t announced) {
    Packet p;
    p.Init(MessageId::InvitableUsersList);
    p.WriteU16(static_cast<uint16_t>(announced >= 0 ? announced : static_cast<int32_t>(users.size())));
    for (const TestInvitableUser& user : users) {
        p.WriteU32(user.key).WriteI64(user.userId).WriteU16(user.level).WriteWString(user.nickname);
        p.WriteU16(user.number);
    }
    return p;
}

Packet AsReceived(Packet message) {
    Packet received;
    received.LoadReceived(message.Finish().Bytes());
    return received;
}

}  // namespace kvtest
