#include "client/scenes/community/MessengerMessages.h"

#include "client/scenes/common/TextFields.h"
#include "client/scenes/community/ChatPartner.h"

namespace kestrovan {

namespace {

quill::WString ReadName(quill::Packet& packet) {
    return CutToLength(packet.ReadWString(), kNameFieldLength);
}

}  // namespace

ChatLineMessage ChatLineMessage::Read(quill::Packet& packet) {
    ChatLineMessage message;
    message.kind = packet.ReadU8();
    message.memberId = packet.ReadU32();
    message.text = CutToLength(packet.ReadWString(), ChatLine::kLength);
    return message;
}

FriendRequestMessage FriendRequestMessage::Read(quill::Packet& packet) {
    FriendRequestMessage message;
    message.userId = packet.ReadI64();
    message.memberId = packet.ReadU32();
    message.nickname = ReadName(packet);
    return message;
}

FriendResultMessage FriendResultMessage::ReadRequestResult(quill::Packet& packet) {
    constexpr uint8_t kRefused = 2;
    FriendResultMessage message;
    message.result = packet.ReadU8();
    if (message.result == kRefused)
        message.nickname = ReadName(packet);
    return message;
}

FriendResultMessage FriendResultMessage::ReadAnswer(quill::Packet& packet) {
    FriendResultMessage message;
    message.result = packet.ReadU8();
    message.nickname = ReadName(packet);
    return message;
}

ClanStatusMessage ClanStatusMessage::Read(quill::Packet& packet) {
    ClanStatusMessage message;
    message.clanId = packet.ReadU32();
    message.capacity = packet.ReadU8();
    message.value = packet.ReadU32();
    message.money = packet.ReadI64();
    return message;
}

ClanInvitation ClanInvitation::Read(quill::Packet& packet) {
    ClanInvitation invitation;
    invitation.inviter = ReadName(packet);
    invitation.clanId = packet.ReadU32();
    invitation.clanName = ReadName(packet);
    invitation.memberCount = packet.ReadU8();
    return invitation;
}

FoundPlayerRecord FoundPlayerRecord::Read(quill::Packet& packet) {
    FoundPlayerRecord record;
    record.found = packet.ReadU8() != 0;
    if (!record.found)
        return record;
    record.userId = packet.ReadI64();
    record.nickname = ReadName(packet);
    record.channel = packet.ReadU8();
    record.place = packet.ReadU16();
    return record;
}

ClanCreatedMessage ClanCreatedMessage::Read(quill::Packet& packet) {
    ClanCreatedMessage message;
    message.result = packet.ReadU8();
    if (message.result != 0)
        return message;
    message.clanId = packet.ReadU32();
    message.clanName = ReadName(packet);
    packet.ReadU8();
    packet.ReadU8();
    message.cost = packet.ReadU32();
    return message;
}

}  // namespace kestrovan
