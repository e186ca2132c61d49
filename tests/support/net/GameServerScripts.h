#pragma once
// The stand-in game server's side of the conversations the screens have with it, installed as its replies,
// so that a screen's tests and the program's checks under X talk to a server that answers like the real one.
//
//   GameServerFixture server;
//   InstallLoginScript(server);          // hello, login, channel list, channel entry
//   InstallLobbyScript(server);          // the lobby's lists, chat, joining and creating rooms
//   server.Send(LobbyUserLeftMessage(1003));   // pushes on cue, built with ServerMessages.h
//
// The replies run on the fixture's thread as each request arrives; a script installed again replaces the
// replies it gives.
#include <cstdint>
#include <map>
#include <vector>

#include "QuillLib/core/WString.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/ServerMessages.h"

namespace kvtest {

struct LoginScript {
    TestAccount account;
    std::vector<TestChannel> channels = DefaultChannels();
};

// Greets every client with ServerHello; answers LoginRequest with LoginResult (the account) and the channel
// list, ChannelListRequest with the channel list, and ChannelEnter (a row of the list) with ChannelEnterResult
// 0 and that row's channel, 1-based (a row past the list: result 1, no entry).
void InstallLoginScript(GameServerFixture& server, const LoginScript& script = {});

struct LobbyScript {
    std::vector<TestRoom> rooms = DefaultRooms();
    std::vector<TestUser> users = DefaultUsers();
    std::vector<TestChannel> channels = DefaultChannels();
    // The nickname under which the player's chat lines come back.
    quill::WString nickname = TestAccount{}.nickname;
    // Results that JoinRoom and JoinRoomWithPassword give for a room whatever else holds (14 banned, 15 the
    // handicap does not qualify, 16 not available).
    std::map<uint16_t, uint32_t> joinResults;
    // 0: CreateRoom is answered as the join of the new room, numbered createdRoom; any other code is answered
    // with CreateRoomResult of that code.
    uint8_t createResult = 0;
    uint16_t createdRoom = 7;
};

// Answers LobbyEnter with RoomListReset, a RoomListEntry per room, LobbyUserRemoved (the table emptied), a
// LobbyUserAdded per user and LobbyEntered; LobbyChatSend with the line as LobbyChat under the player's
// nickname; JoinRoom and JoinRoomWithPassword with JoinRoomResult: the forced result when there is one, else
// 12 for a room not listed, 13 for a full one, 5 for a locked one without its password, and 0 with the room's
// settings; CreateRoom as createResult says; LeaveChannel with the channel list.
void InstallLobbyScript(GameServerFixture& server, const LobbyScript& script = {});

}  // namespace kvtest
