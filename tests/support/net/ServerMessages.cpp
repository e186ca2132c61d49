#include "tests/support/net/ServerMessages.h"

#include "client/scenes/lobby/LobbyMessages.h"
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
    Packet p;
    p.Init(MessageId::LoginResult);
    p.WriteU8(0);
    p.WriteU32(a.userId).WriteI64(a.accountId).WriteWString(a.nickname).WriteWString(a.loginId);
    p.WriteU32(2).WriteU8(3).WriteU32(4).WriteU32(5).WriteU8(6);
    p.WriteI64(a.cash).WriteI64(a.cueMoney).WriteI64(12);
    p.WriteU8(a.membership);
    if (a.membership != 0)
        p.WriteWString(a.membershipText).WriteU16(30);
    p.WriteU32(a.schoolProgress).WriteU8(17);
    p.WriteU16(a.level).WriteU32(19).WriteU16(20).WriteU32(21).WriteU16(22).WriteU16(23);
    p.WriteU16(static_cast<uint16_t>(a.grade)).WriteU16(25).WriteU16(26).WriteU8(27).WriteU16(a.age).WriteU8(a.tutorialDone);
    for (uint32_t skill : a.skills)
        p.WriteU32(skill);
    for (int i = 0; i < 4; ++i)
        p.WriteWString(u"profile line");
    for (int i = 0; i < 6; ++i)
        p.WriteWString(u"chat");
    p.WriteU8(45).WriteU8(46).WriteU32(a.options).WriteU8(a.status);
    if (a.status == 3)
        p.WriteWString(u"banned for a day");
    return p;
}

Packet ChannelListMessage(const std::vector<TestChannel>& channels) {
    Packet p;
    p.Init(MessageId::ChannelList);
    p.WriteU8(static_cast<uint8_t>(channels.size()));
    for (const TestChannel& c : channels) {
        p.WriteU8(c.number).WriteU16(c.users).WriteU16(c.capacity).WriteU16(c.extra).WriteU16(c.kind);
    }
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
