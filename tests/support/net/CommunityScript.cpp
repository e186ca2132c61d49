#include "tests/support/net/CommunityScript.h"

#include <algorithm>

namespace kvtest {

using quill::MessageId;
using quill::Packet;

namespace {

constexpr uint32_t kClanCreationCost = 100000;
constexpr uint32_t kCreatedClanId = 901;
constexpr uint8_t kClanFull = 3;

void AnswerChat(const ServerMessage& request, GameServerFixture& server) {
    Packet packet = request.Read();
    const uint8_t kind = packet.ReadU8();
    const uint32_t memberId = packet.ReadU32();
    server.Send(ChatMessage(MessageId::MessengerChatEcho, kind, memberId, packet.ReadWString()));
}

void AnswerFriendReply(const ServerMessage& request, GameServerFixture& server) {
    Packet packet = request.Read();
    const uint8_t accepted = packet.ReadU8();
    const uint32_t memberId = packet.ReadU32();
    const quill::WString nickname = packet.ReadWString();
    if (accepted != 0)
        server.Send(FriendAddedMessage(TestMember{memberId, 2000 + memberId, nickname, 1, 0, 0}));
}

void AnswerFriendDelete(const CommunityScript& script, const ServerMessage& request, GameServerFixture& server) {
    const uint32_t memberId = request.Read().ReadU32();
    const auto listed = std::find_if(script.friends.begin(), script.friends.end(),
                                     [memberId](const TestMember& member) { return member.memberId == memberId; });
    server.Send(FriendRemovedMessage(0, memberId, listed != script.friends.end() ? listed->nickname : u"?"));
}

void AnswerFindPlayer(const CommunityScript& script, const ServerMessage& request, GameServerFixture& server) {
    const quill::WString nickname = request.Read().ReadWString();
    const auto found = std::find_if(script.findable.begin(), script.findable.end(),
                                    [&](const TestMember& member) { return member.nickname == nickname; });
    if (found == script.findable.end()) {
        server.Send(FindPlayerResultMessage(0, 0, u"", 0, 0));
        return;
    }
    server.Send(FindPlayerResultMessage(1, found->userId, found->nickname, found->channel, found->place));
}

void AnswerUserInfo(const CommunityScript& script, const ServerMessage& request, GameServerFixture& server) {
    Packet packet = request.Read();
    packet.ReadU8();
    packet.ReadI64();
    TestProfile profile = script.profile;
    profile.nickname = packet.ReadWString();
    server.Send(UserProfileMessage(profile));
}

}  // namespace

std::vector<Packet> CommunityLoginMessages(const CommunityScript& script) {
    return {FriendListMessage(script.friends), ClanInfoMessage(script.clan, script.clanMembers)};
}

void InstallCommunityScript(GameServerFixture& server, const CommunityScript& script) {
    server.ReplyTo(MessageId::MessengerChatSend, AnswerChat);
    server.ReplyWith(MessageId::FriendRequest, {FriendRequestResultMessage(0)});
    server.ReplyTo(MessageId::FriendRequestReply, AnswerFriendReply);
    server.ReplyTo(MessageId::FriendDelete, [script](const ServerMessage& request, GameServerFixture& s) {
        AnswerFriendDelete(script, request, s);
    });
    server.ReplyTo(MessageId::ClanCreate, [](const ServerMessage& request, GameServerFixture& s) {
        s.Send(ClanCreateResultMessage(0, kCreatedClanId, request.Read().ReadWString(), kClanCreationCost));
    });
    server.ReplyTo(MessageId::ClanSettings, [script](const ServerMessage& request, GameServerFixture& s) {
        Packet packet = request.Read();
        packet.ReadU8();
        s.Send(ClanMemberStatusMessage(script.clan.id, packet.ReadU8(), script.clan.value, script.clan.money));
    });
    server.ReplyWith(MessageId::ClanInvite, {ClanInviteResultMessage(kClanFull)});
    server.ReplyWith(MessageId::ClanInviteAnswer, {ClanInfoMessage(script.clan, script.clanMembers)});
    server.ReplyWith(MessageId::ClanLeave, {ClanLeaveResultMessage(script.leaveResult)});
    server.ReplyTo(MessageId::FindPlayer, [script](const ServerMessage& request, GameServerFixture& s) {
        AnswerFindPlayer(script, request, s);
    });
    server.ReplyTo(MessageId::UserInfoRequest, [script](const ServerMessage& request, GameServerFixture& s) {
        AnswerUserInfo(script, request, s);
    });
}

}  // namespace kvtest
