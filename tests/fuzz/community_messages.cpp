// Feeds the community windows' readers of server messages with payloads the fuzzer chooses: the profile
// record of UserProfile (read and applied to a profile), the messenger's chat lines (into a chat, whose lines
// stay bounded), friend requests (into the request queue), results, clan status, clan invitations, found
// players and clan creation. Nothing may crash or read out of bounds, and every text keeps to its field; every
// messenger message filled from the payload comes back through its writer and reader unchanged.
//
// Input: [u8 selector][payload]; the selector picks the reader.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/scenes/common/TextFields.h"
#include "client/scenes/community/ChatPartners.h"
#include "client/scenes/community/FriendRequestQueue.h"
#include "client/scenes/community/MessengerMessages.h"
#include "client/scenes/community/ProfileRecord.h"
#include "tests/fuzz/FieldFiller.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzMessages.h"

namespace {

using kvfuzz::Check;
using kvfuzz::ReceivedMessage;

using namespace kestrovan;

void ReadProfile(std::span<const uint8_t> payload) {
    quill::Packet packet = ReceivedMessage(quill::MessageId::UserProfile, payload);
    ProfileRecord record;
    if (!ProfileRecord::Read(packet, record))
        return;
    Check(record.nickname.size() <= kNicknameLength);
    for (const quill::WString& line : record.lines)
        Check(line.size() <= ProfileRecord::kLineLength);
    quill::PlayerState profile;
    record.ApplyTo(profile);
}

// Every chat line of the payload, one after another, into a chat that keeps its bounds.
void ReadChatLines(std::span<const uint8_t> payload) {
    quill::Packet packet = ReceivedMessage(quill::MessageId::MessengerChat, payload);
    ChatPartners chats;
    for (int n = 0; n < 300 && packet.Cursor() < packet.LengthReadBack(); ++n) {
        const ChatLineMessage line = ChatLineMessage::Read(packet);
        Check(line.text.size() <= ChatLine::kLength);
        MemberSnapshot member;
        member.memberId = line.memberId % 5;
        ChatPartner& partner = chats.Open(member, line.kind, (line.kind & 1) != 0);
        partner.AddLine(line.text, 0xFFFFFFFF);
        Check(partner.LineCount() <= static_cast<int32_t>(ChatPartner::kMaxLines));
        chats.SetFirstTab(line.kind);
        chats.SetFirstLine(static_cast<int32_t>(line.memberId));
        Check(chats.Tabs().shown.size() <= ChatPartners::kTabs);
        Check(chats.Lines().shown.size() <= ChatPartners::kLinesShown);
        chats.FollowNewest(line.kind);
    }
}

void ReadRequests(std::span<const uint8_t> payload) {
    quill::Packet packet = ReceivedMessage(quill::MessageId::FriendRequestReceived, payload);
    FriendRequestQueue queue(8, 1);
    for (int n = 0; n < 100 && packet.Cursor() < packet.LengthReadBack(); ++n) {
        const FriendRequestMessage request = FriendRequestMessage::Read(packet);
        Check(request.nickname.size() <= kNameFieldLength);
        queue.Add(request.userId, request.memberId % 16, request.nickname);
        if ((request.memberId & 3) == 0)
            queue.TakeHead();
    }
    Check(queue.Count() <= 8);
}

// Every messenger message filled from the payload, written, read back and written again.
void RoundTripMessengerMessages(std::span<const uint8_t> payload) {
    using kvfuzz::FieldFiller;
    kvfuzz::FuzzInput input(payload);
    FieldFiller::CheckRoundTrips<ChatLineMessage, FriendRequestMessage>(input);
    FieldFiller::CheckRoundTrip<FriendResultMessage>(input, false);
    FieldFiller::CheckRoundTrip<FriendResultMessage>(input, true);
    FieldFiller::CheckRoundTrips<ClanStatusMessage, ClanInvitation, FoundPlayerRecord, ClanCreatedMessage>(input);
}

void ReadOthers(uint8_t selector, std::span<const uint8_t> payload) {
    quill::Packet packet = ReceivedMessage(quill::MessageId::ClanInvitation, payload);
    switch (selector % 7) {
        case 0:
            Check(FriendResultMessage::ReadRequestResult(packet).nickname.size() <= kNameFieldLength);
            break;
        case 1:
            Check(FriendResultMessage::ReadAnswer(packet).nickname.size() <= kNameFieldLength);
            break;
        case 2:
            ClanStatusMessage::Read(packet);
            break;
        case 3: {
            const ClanInvitation invitation = ClanInvitation::Read(packet);
            Check(invitation.inviter.size() <= kNameFieldLength && invitation.clanName.size() <= kNameFieldLength);
            break;
        }
        case 4:
            Check(FoundPlayerRecord::Read(packet).nickname.size() <= kNameFieldLength);
            break;
        default:
            Check(ClanCreatedMessage::Read(packet).clanName.size() <= kNameFieldLength);
            break;
    }
    RoundTripMessengerMessages(payload);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 2)
        return 0;
    const uint8_t selector = bytes[0];
    const std::span<const uint8_t> payload(bytes + 1, size - 1);
    switch (selector % 4) {
        case 0:
            ReadProfile(payload);
            break;
        case 1:
            ReadChatLines(payload);
            break;
        case 2:
            ReadRequests(payload);
            break;
        default:
            ReadOthers(selector / 4, payload);
            break;
    }
    return 0;
}
