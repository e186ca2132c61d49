#include "tests/support/net/CommunityMessages.h"

#include "client/scenes/community/MessengerMessages.h"
#include "tests/support/net/BuiltMessage.h"

namespace kvtest {

using quill::MessageId;
using quill::Packet;

namespace {

void WriteMember(Packet& packet, const TestMember& member) {
    packet.WriteU32(member.memberId).WriteI64(member.userId).WriteWString(member.nickname);
    packet.WriteU8(member.channel).WriteU16(member.place).WriteU32(0).WriteU8(member.flag);
}

}  // namespace

Packet FriendListMessage(const std::vector<TestMember>& members) {
    Packet packet;
    packet.Init(MessageId::FriendList).WriteU16(static_cast<uint16_t>(members.size()));
    for (const TestMember& member : members)
        WriteMember(packet, member);
    return packet;
}

Packet ClanInfoMessage(const TestClan& clan, const std::vector<TestMember>& members) {
    Packet packet;
    packet.Init(MessageId::ClanInfo).WriteU32(clan.id).WriteWString(clan.name).WriteU32(clan.value);
    packet.WriteI64(clan.money).WriteU8(clan.memberCount).WriteU8(clan.capacity);
    packet.WriteU16(static_cast<uint16_t>(members.size()));
    for (const TestMember& member : members)
        WriteMember(packet, member);
    return packet;
}

Packet MemberLoggedInMessage(uint8_t listKind, const TestMember& member) {
    Packet packet;
    packet.Init(MessageId::MemberLoggedIn).WriteU8(listKind).WriteU32(member.memberId).WriteWString(member.nickname);
    packet.WriteI64(member.userId).WriteU8(member.channel).WriteU16(member.place).WriteU32(0);
    return packet;
}

Packet MemberLoggedOutMessage(uint8_t listKind, uint32_t memberId, quill::WStringView nickname) {
    Packet packet;
    packet.Init(MessageId::MemberLoggedOut).WriteU8(listKind).WriteU32(memberId).WriteWString(nickname);
    return packet;
}

Packet ChatMessage(MessageId id, uint8_t kind, uint32_t memberId, quill::WStringView text) {
    return BuiltMessage(id, kestrovan::ChatLineMessage{.kind = kind, .memberId = memberId, .text = quill::WString(text)});
}

Packet FriendRequestReceivedMessage(int64_t userId, uint32_t memberId, quill::WStringView nickname) {
    return BuiltMessage(MessageId::FriendRequestReceived,
                        kestrovan::FriendRequestMessage{.userId = userId, .memberId = memberId,
                                                        .nickname = quill::WString(nickname)});
}

void WriteProfileRecord(Packet& packet, const TestProfile& profile) {
    packet.WriteWString(profile.nickname).WriteU8(profile.icon).WriteU32(profile.experience).WriteU16(profile.level);
    packet.WriteI64(profile.money).WriteU16(profile.second).WriteU16(profile.third);
    packet.WriteU16(static_cast<uint16_t>(profile.mark));
    for (const quill::WString& line : profile.lines)
        packet.WriteWString(line);
    for (const TestProfileMode& mode : profile.modes) {
        packet.WriteU8(mode.index).WriteU32(mode.value).WriteU16(mode.rating);
        for (uint32_t value : mode.values)
            packet.WriteU32(value);
    }
    if (profile.endMark)
        packet.WriteU8(255);
}

Packet UserProfileMessage(const TestProfile& profile, bool found) {
    Packet packet;
    packet.Init(MessageId::UserProfile).WriteU8(found ? 1 : 0);
    if (found)
        WriteProfileRecord(packet, profile);
    return packet;
}

Packet FriendAddedMessage(const TestMember& member) {
    Packet packet;
    packet.Init(MessageId::FriendAdded).WriteU32(member.memberId).WriteI64(member.userId).WriteWString(member.nickname);
    packet.WriteU8(member.channel).WriteU16(member.place).WriteU32(0);
    return packet;
}

Packet FriendRemovedMessage(uint8_t quiet, uint32_t memberId, quill::WStringView nickname) {
    Packet packet;
    packet.Init(MessageId::FriendRemoved).WriteU8(quiet).WriteU32(memberId).WriteWString(nickname);
    return packet;
}

Packet MemberLocationMessage(uint32_t memberId, uint8_t channel, uint16_t place) {
    Packet packet;
    packet.Init(MessageId::MemberLocation).WriteU32(memberId).WriteU8(channel).WriteU16(place);
    return packet;
}

Packet ClanMemberJoinedMessage(const TestMember& member) {
    Packet packet;
    packet.Init(MessageId::ClanMemberJoined);
    WriteMember(packet, member);
    return packet;
}

Packet ClanMemberLeftMessage(uint32_t memberId, quill::WStringView nickname) {
    Packet packet;
    packet.Init(MessageId::ClanMemberLeft).WriteU32(memberId).WriteWString(nickname);
    return packet;
}

Packet FriendRequestResultMessage(uint8_t result, quill::WStringView nickname) {
    return BuiltMessage(MessageId::FriendRequestResult,
                        kestrovan::FriendResultMessage{.result = result, .nickname = quill::WString(nickname)}, false);
}

Packet FriendRequestAnswerMessage(uint8_t result, quill::WStringView nickname) {
    return BuiltMessage(MessageId::FriendRequestAnswer,
                        kestrovan::FriendResultMessage{.result = result, .nickname = quill::WString(nickname)}, true);
}

Packet ClanCreateResultMessage(uint8_t result, uint32_t clanId, quill::WStringView name, uint32_t cost) {
    return BuiltMessage(MessageId::ClanCreateResult,
                        kestrovan::ClanCreatedMessage{.result = result, .clanId = clanId,
                                                      .clanName = quill::WString(name), .cost = cost});
}

Packet ClanMemberStatusMessage(uint32_t clanId, uint8_t capacity, uint32_t value, int64_t money) {
    return BuiltMessage(MessageId::ClanMemberStatus,
                        kestrovan::ClanStatusMessage{.clanId = clanId, .capacity = capacity, .value = value,
                                                     .money = money});
}

Packet ClanInviteResultMessage(uint8_t result) {
    Packet packet;
    packet.Init(MessageId::ClanInviteResult).WriteU8(result);
    return packet;
}

Packet ClanLeaveResultMessage(uint8_t result) {
    Packet packet;
    packet.Init(MessageId::ClanLeaveResult).WriteU8(result);
    return packet;
}

Packet ClanInvitationMessage(quill::WStringView inviter, uint32_t clanId, quill::WStringView clanName,
                             uint8_t memberCount) {
    return BuiltMessage(MessageId::ClanInvitation,
                        kestrovan::ClanInvitation{.inviter = quill::WString(inviter), .clanId = clanId,
                                                  .clanName = quill::WString(clanName), .memberCount = memberCount});
}

Packet FindPlayerResultMessage(uint8_t result, int64_t userId, quill::WStringView nickname, uint8_t channel,
                               uint16_t place) {
    return BuiltMessage(MessageId::FindPlayerResult,
                        kestrovan::FoundPlayerRecord{.found = result != 0, .userId = userId,
                                                     .nickname = quill::WString(nickname), .channel = channel,
                                                     .place = place});
}

}  // namespace kvtest
