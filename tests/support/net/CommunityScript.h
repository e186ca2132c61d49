#pragma once
// The stand-in game server's side of the community: the friend and clan lists that come with the login, and
// the answers to the messenger's and its dialogs' requests, installed as the server's replies.
//
//   GameServerFixture server;
//   server.ReplyWith(MessageId::LoginRequest, CommunityLoginMessages(script));  // or the login script's answer
//   InstallCommunityScript(server, script);
//   server.Send(MemberLoggedInMessage(1, friendAnn));      // pushes on cue, built with CommunityMessages.h
//
// The replies run on the fixture's thread as each request arrives; installed again, the script replaces them.
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "tests/support/net/CommunityMessages.h"
#include "tests/support/net/GameServerFixture.h"

namespace kvtest {

struct CommunityScript {
    // The player: his member id and nickname, as his own lines come back.
    uint32_t ownMemberId = 77;
    int64_t ownUserId = 0x100000002;
    quill::WString nickname = u"Carom";
    // Two friends online (one in room 12 of channel 1, one in the lobby of channel 2), one offline.
    std::vector<TestMember> friends{{1, 1001, u"Ann", 1, 12, 0}, {2, 1002, u"Ben", 2, 0, 0}, {3, 1003, u"Cid", 0xFF, 0xFFFD, 0}};
    // The clan: the player its master, one member online.
    TestClan clan{900, u"Cushions", 0, 500000, 2, 20};
    std::vector<TestMember> clanMembers{{77, 0x100000002, u"Carom", 1, 0, 10}, {4, 1004, u"Dee", 1, 0, 3}};
    // The profile UserInfoRequest gets (under the nickname asked for).
    TestProfile profile;
    // Whom FindPlayer finds (anyone else: result 0).
    std::vector<TestMember> findable{{5, 1005, u"Seeker", 1, 3, 0}};
    // ClanLeave's answer: 1 refuses a master whose clan has members.
    uint8_t leaveResult = 0;
};

// What the login's answer brings of the community: FriendList and ClanInfo.
std::vector<quill::Packet> CommunityLoginMessages(const CommunityScript& script = {});

// Answers MessengerChatSend with its echo (MessengerChatEcho); FriendRequest with FriendRequestResult 0;
// FriendRequestReply that accepts with FriendAdded of the requester; FriendDelete with FriendRemoved (not
// quiet); ClanCreate with ClanCreateResult 0 at 100,000 gold; ClanSettings with ClanMemberStatus of the new
// capacity; ClanInvite with ClanInviteResult 3 (the clan is full); ClanInviteAnswer with ClanInfo of the clan
// joined; ClanLeave with ClanLeaveResult; FindPlayer with FindPlayerResult; UserInfoRequest with UserProfile.
void InstallCommunityScript(GameServerFixture& server, const CommunityScript& script = {});

}  // namespace kvtest
