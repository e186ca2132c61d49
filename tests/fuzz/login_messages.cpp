// Feeds the login screen's readers of server messages with payloads the fuzzer chooses: the account record
// of LoginResult and the channel list. Nothing may crash or read out of bounds; every text the record keeps
// fits its field, and a list is either read whole or refused. The answer codes' texts are looked up too. The
// record, a channel row and the screen's smaller messages filled from the payload come back through their
// writer and reader unchanged.
//
// Input: [u8 selector][payload]; the selector's low bit picks the reader, the whole byte the answer code.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/scenes/login/AccountRecord.h"
#include "client/scenes/login/ChannelGates.h"
#include "client/scenes/login/LoginMessages.h"
#include "client/scenes/login/LoginTexts.h"
#include "tests/fuzz/FieldFiller.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzMessages.h"

namespace {

using kvfuzz::Check;
using kvfuzz::ReceivedMessage;

using kestrovan::AccountRecord;
using kestrovan::ChannelRow;

void ReadAccount(std::span<const uint8_t> payload) {
    quill::Packet packet = ReceivedMessage(quill::MessageId::LoginResult, payload);
    AccountRecord record;
    AccountRecord::Read(packet, record);
    Check(record.nickname.size() <= AccountRecord::kNicknameLength);
    Check(record.loginId.size() <= AccountRecord::kLoginIdLength);
    Check(record.membershipText.size() <= AccountRecord::kMembershipTextLength);
    for (const quill::WString& line : record.profileLines)
        Check(line.size() <= AccountRecord::kProfileLineLength);
    for (const quill::WString& text : record.chatTexts)
        Check(text.size() <= AccountRecord::kChatTextLength);
    for (int32_t skill : record.skills)
        Check(skill <= AccountRecord::kSkillCap);
    quill::PlayerState profile;
    record.ApplyTo(profile);
    kvfuzz::FuzzInput input(payload);
    kvfuzz::FieldFiller::CheckRoundTrip<AccountRecord>(input);
}

void ReadChannels(std::span<const uint8_t> payload) {
    quill::Packet packet = ReceivedMessage(quill::MessageId::ChannelList, payload);
    std::vector<ChannelRow> rows;
    if (kestrovan::ReadChannelList(packet, rows)) {
        Check(rows.size() == payload[0]);
        kestrovan::PreselectChannelRow(rows, 15, 3);
    }
    kvfuzz::FuzzInput input(payload);
    kvfuzz::FieldFiller::CheckRoundTrips<ChannelRow, kestrovan::ChannelEnterResultMessage,
                                         kestrovan::ResumeGameNoticeMessage, kestrovan::ResumeGameMessage,
                                         kestrovan::FriendWhereMessage>(input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 2)
        return 0;
    const uint8_t selector = bytes[0];
    const std::span<const uint8_t> payload(bytes + 1, size - 1);
    if ((selector & 1) == 0) {
        ReadAccount(payload);
    } else {
        ReadChannels(payload);
    }
    kestrovan::LoginResultLines(selector, payload[0]);
    kestrovan::LoginFailedLines(static_cast<int32_t>(selector) - 128);
    kestrovan::NicknameResultLines(selector);
    kestrovan::ChannelKindSuffix(selector);
    return 0;
}
