// Feeds the player windows' readers of server messages with payloads the fuzzer chooses: the skill save's
// answer (its values capped at 100000) and the tournament's ranking pages (at most fifteen rows, nicknames
// within their field), and makes every text the chart shows of a row. Nothing may crash or read out of
// bounds; each record filled from the payload comes back through its writer and reader unchanged.
//
// Input: [u8 selector][payload]; the selector picks the reader.
#include <cstddef>
#include <cstdint>
#include <span>

#include "client/scenes/common/TextFields.h"
#include "client/scenes/common/messages/PlayerMessages.h"
#include "client/scenes/lobby/TournamentTexts.h"
#include "tests/fuzz/FieldFiller.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzMessages.h"

namespace {

using kvfuzz::Check;
using kvfuzz::ReceivedMessage;

using namespace kestrovan;

void ReadSkillAnswer(std::span<const uint8_t> payload) {
    quill::Packet packet = ReceivedMessage(quill::MessageId::SkillSaveResult, payload);
    if (const auto answer = ReadSkillSaveAnswer(packet)) {
        for (uint32_t value : answer->skills) Check(value <= SkillSaveAnswer::kMastered);
    }
    kvfuzz::FuzzInput input(payload);
    kvfuzz::FieldFiller::CheckRoundTrip<SkillSaveAnswer>(input);
}

void ReadPage(std::span<const uint8_t> payload) {
    quill::Packet packet = ReceivedMessage(quill::MessageId::TournamentSchedule, payload);
    const auto page = ReadRankingPage(packet);
    if (!page) return;
    Check(page->rows.size() <= RankingPage::kRows);
    const TournamentView view;
    for (const RankingRow& row : page->rows) {
        Check(row.rank != RankingPage::kEndMark);
        Check(row.nickname.size() <= kNicknameLength);
        Check(!RankingRatioText(row.score, row.games).empty());
        Check(!RankingTimeText(row.hour, row.minute, row.second).empty());
        RankingReward(view, row.rank);
    }
    kvfuzz::FuzzInput input(payload);
    kvfuzz::FieldFiller::CheckRoundTrips<RankingPage, RankingRow>(input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 1)
        return 0;
    const std::span<const uint8_t> payload(bytes + 1, size - 1);
    if (bytes[0] % 2 == 0)
        ReadSkillAnswer(payload);
    else
        ReadPage(payload);
    return 0;
}
