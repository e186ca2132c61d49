#pragma once
// Server messages of the community as the game server sends them, for the tests of the messenger, its
// dialogs and the profile window: the friend and clan lists, presence, chat lines, friend requests and
// answers, the clan's messages, a found player and profiles. Each builder returns the message unsent;
// AsReceived (ServerMessages.h) turns it into what a receiver holds.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"
#include "tests/support/net/ServerMessages.h"

namespace kvtest {

// One member of a FriendList or ClanInfo message.
struct TestMember {
    uint32_t memberId = 0;
    int64_t userId = 0;
    quill::WString nickname;
    uint8_t channel = 0xFF;  // offline
    uint16_t place = 0xFFFD;
    uint8_t flag = 0;  // in the clan list, the member's rank
};

struct TestClan {
    uint32_t id = 900;
    quill::WString name = u"Cushions";
    uint32_t value = 0;
    int64_t money = 0;
    uint8_t memberCount = 0;
    uint8_t capacity = 20;
};

struct TestProfileMode {
    uint8_t index = 0;
    uint32_t value = 0;
    uint16_t rating = 0;
    std::array<uint32_t, 8> values{};
};

struct TestProfile {
    quill::WString nickname = u"Visitor";
    uint8_t icon = 2;
    uint32_t experience = 1234;
    uint16_t level = 5;
    int64_t money = 1234567;
    uint16_t second = 7;
    uint16_t third = 8;
    int16_t mark = 0;
    std::array<quill::WString, 4> lines{u"one", u"two", u"three", u"four"};
    std::vector<TestProfileMode> modes;
    bool endMark = true;
};

quill::Packet FriendListMessage(const std::vector<TestMember>& members);
quill::Packet ClanInfoMessage(const TestClan& clan, const std::vector<TestMember>& members);
quill::Packet MemberLoggedInMessage(uint8_t listKind, const TestMember& member);
quill::Packet MemberLoggedOutMessage(uint8_t listKind, uint32_t memberId, quill::WStringView nickname);
// MessengerChat (13) or MessengerChatEcho (16).
quill::Packet ChatMessage(quill::MessageId id, uint8_t kind, uint32_t memberId, quill::WStringView text);
quill::Packet FriendRequestReceivedMessage(int64_t userId, uint32_t memberId, quill::WStringView nickname);
// UserProfile (18) with found flag 1 and the record (found false: the flag 0 alone).
quill::Packet UserProfileMessage(const TestProfile& profile, bool found = true);
// The profile record alone, after a found flag of 1, for readers that take the payload.
void WriteProfileRecord(quill::Packet& packet, const TestProfile& profile);
quill::Packet FriendAddedMessage(const TestMember& member);
// FriendRemoved: quiet 0 shows the player a notice.
quill::Packet FriendRemovedMessage(uint8_t quiet, uint32_t memberId, quill::WStringView nickname);
quill::Packet MemberLocationMessage(uint32_t memberId, uint8_t channel, uint16_t place);
quill::Packet ClanMemberJoinedMessage(const TestMember& member);
quill::Packet ClanMemberLeftMessage(uint32_t memberId, quill::WStringView nickname);
// FriendRequestResult: result 2 carries the nickname of the player who refused.
quill::Packet FriendRequestResultMessage(uint8_t result, quill::WStringView nickname = {});
quill::Packet FriendRequestAnswerMessage(uint8_t result, quill::WStringView nickname);
// ClanCreateResult: result 0 carries the new clan's id, name and what it cost.
quill::Packet ClanCreateResultMessage(uint8_t result, uint32_t clanId = 0, quill::WStringView name = {},
                                      uint32_t cost = 0);
quill::Packet ClanMemberStatusMessage(uint32_t clanId, uint8_t capacity, uint32_t value, int64_t money);
quill::Packet ClanInviteResultMessage(uint8_t result);
quill::Packet ClanLeaveResultMessage(uint8_t result);
quill::Packet ClanInvitationMessage(quill::WStringView inviter, uint32_t clanId, quill::WStringView clanName,
                                    uint8_t memberCount);
quill::Packet FindPlayerResultMessage(uint8_t result, int64_t userId, quill::WStringView nickname, uint8_t channel,
                                      uint16_t place);

}  // namespace kvtest
