#include "client/scenes/community/CommunityRequests.h"

#include "QuillLib/net/Packet.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/TextFields.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;

namespace {

constexpr uint8_t kYes = 1;

}  // namespace

template <class Write>
void CommunityRequests::Send(MessageId id, Write write) {
    connection_.SendWritten([&](Packet& packet) {
        packet.Init(id);
        write(packet);
    });
}

void CommunityRequests::SendChat(uint8_t kind, uint32_t memberId, quill::WStringView text) {
    Send(MessageId::MessengerChatSend,
         [&](Packet& p) { p.WriteU8(kind).WriteU32(memberId).WriteWString(CutToLength(text, kChatUnits)); });
}

void CommunityRequests::SendUserInfoRequest(uint8_t selector, int64_t userId, quill::WStringView nickname) {
    Send(MessageId::UserInfoRequest,
         [&](Packet& p) { p.WriteU8(selector).WriteI64(userId).WriteWString(CutToLength(nickname, kNicknameLength)); });
}

void CommunityRequests::SendFriendRequest(int64_t userId, quill::WStringView nickname) {
    Send(MessageId::FriendRequest,
         [&](Packet& p) { p.WriteI64(userId).WriteWString(CutToLength(nickname, kNicknameLength)); });
}

void CommunityRequests::SendFriendDelete(uint32_t memberId) {
    Send(MessageId::FriendDelete, [&](Packet& p) { p.WriteU32(memberId); });
}

void CommunityRequests::SendFriendRequestReply(bool accept, uint32_t memberId, quill::WStringView nickname) {
    Send(MessageId::FriendRequestReply, [&](Packet& p) {
        p.WriteU8(accept ? 1 : 0).WriteU32(memberId).WriteWString(CutToLength(nickname, kNicknameLength));
    });
}

void CommunityRequests::SendClanCreate(quill::WStringView name, uint8_t capacity) {
    Send(MessageId::ClanCreate, [&](Packet& p) { p.WriteWString(name).WriteU8(capacity); });
}

void CommunityRequests::SendClanInvite(int64_t userId) {
    Send(MessageId::ClanInvite, [&](Packet& p) { p.WriteI64(userId); });
}

void CommunityRequests::SendClanSettings(uint8_t capacity) {
    Send(MessageId::ClanSettings, [&](Packet& p) { p.WriteU8(kYes).WriteU8(capacity); });
}

void CommunityRequests::SendClanInviteAnswer(uint32_t clanId) {
    Send(MessageId::ClanInviteAnswer, [&](Packet& p) { p.WriteU8(kYes).WriteU32(clanId); });
}

void CommunityRequests::SendBlockUser(int64_t userId) {
    Send(MessageId::BlockUser, [&](Packet& p) { p.WriteI64(userId); });
}

void CommunityRequests::SendMemberInvite(uint32_t memberId) {
    Send(MessageId::MemberInvite, [&](Packet& p) { p.WriteU32(memberId); });
}

void CommunityRequests::SendFindPlayer(quill::WStringView nickname) {
    Send(MessageId::FindPlayer, [&](Packet& p) { p.WriteWString(CutToLength(nickname, kNicknameLength)); });
}

void CommunityRequests::SendBanUser(int64_t userId) {
    Send(MessageId::BanUser, [&](Packet& p) { p.WriteI64(userId); });
}

}  // namespace kestrovan
