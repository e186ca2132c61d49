// Feeds the practice room's readers (GoldCharged, ChallengeReward, SystemNotice) with payloads
// the fuzzer chooses, then runs a challenge and the text list over what was read. Nothing may crash or read
// out of bounds; a record read whole never carries a text longer than the room keeps, a challenge never
// passes its twentieth inning, and the text list never holds more than its 200 lines. Each record filled from
// the payload comes back through its writer and reader unchanged.
//
// Input: [u8 which reader][payload].
#include <cstddef>
#include <cstdint>
#include <span>

#include "client/scenes/practice/PracticeChallenge.h"
#include "client/scenes/practice/PracticeMessages.h"
#include "client/scenes/practice/PracticeTextList.h"
#include "tests/fuzz/FieldFiller.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzMessages.h"

namespace {

using kvfuzz::Check;
using kvfuzz::ReceivedMessage;

void RunChallenge(std::span<const uint8_t> bytes) {
    kestrovan::PracticeChallenge challenge;
    const quill::GameType types[] = {0, 2, 3, 4, 5, 13};
    challenge.Start(types[bytes.empty() ? 0 : bytes[0] % 6], bytes.size() > 1 ? bytes[1] % 7 : 1);
    int finished = 0;
    for (uint8_t byte : bytes) {
        const auto judgement = challenge.Judge(byte % 8 == 0 ? 1000 : byte % 8, byte >> 4);
        finished += judgement.finished ? 1 : 0;
        Check(challenge.Innings() <= kestrovan::PracticeChallenge::kInnings);
    }
    Check(finished <= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::span<const uint8_t> payload{data + 1, size - 1};
    kestrovan::PracticeTextList list;
    switch (data[0] % 3) {
        case 0: {
            quill::Packet packet = ReceivedMessage(quill::MessageId::GoldCharged, payload);
            if (const auto message = kestrovan::ReadGoldCharged(packet)) Check(payload.size() >= 14);
            kvfuzz::FuzzInput input(payload);
            kvfuzz::FieldFiller::CheckRoundTrip<kestrovan::GoldChargedMessage>(input);
            break;
        }
        case 1: {
            quill::Packet packet = ReceivedMessage(quill::MessageId::ChallengeReward, payload);
            if (const auto message = kestrovan::ReadChallengeReward(packet)) Check(payload.size() >= 12);
            kvfuzz::FuzzInput input(payload);
            kvfuzz::FieldFiller::CheckRoundTrip<kestrovan::ChallengeRewardMessage>(input);
            break;
        }
        default: {
            quill::Packet packet = ReceivedMessage(quill::MessageId::SystemNotice, payload);
            if (const auto text = kestrovan::ReadPracticeNotice(packet)) {
                Check(text->size() <= kestrovan::kPracticeTextUnits);
                for (size_t i = 0; i < payload.size(); ++i) list.Add(*text, 0xFFFF0000, static_cast<uint32_t>(i));
            }
            break;
        }
    }
    Check(list.Count() <= kestrovan::PracticeTextList::kCapacity);
    Check(list.Shown().size() <= kestrovan::PracticeTextList::kShown);
    RunChallenge(payload);
    return 0;
}
