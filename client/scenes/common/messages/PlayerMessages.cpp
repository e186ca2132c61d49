#include "client/scenes/common/messages/PlayerMessages.h"

#include <algorithm>

#include "client/scenes/common/TextFields.h"

namespace kestrovan {

namespace {

bool AtEnd(const quill::Packet& packet) {
    return packet.Cursor() >= packet.LengthReadBack();
}

// One row after its rank; false when the message ended inside it.
bool ReadRowFields(quill::Packet& packet, RankingRow& row) {
    const uint16_t errorsBefore = packet.ErrorCount();
    row.nickname = CutToLength(packet.ReadWString(), RankingPage::kNicknameUnits);
    packet.ReadU16(row.score).ReadU8(row.games).ReadU8(row.hour).ReadU8(row.minute).ReadU8(row.second);
    return packet.ErrorCount() == errorsBefore;
}

}  // namespace

std::optional<SkillSaveAnswer> ReadSkillSaveAnswer(quill::Packet& packet) {
    const uint16_t errorsBefore = packet.ErrorCount();
    SkillSaveAnswer answer;
    packet.ReadU8(answer.result);
    if (answer.result == SkillSaveAnswer::kSaved) {
        packet.ReadU16(answer.skillPoints);
        for (uint32_t& value : answer.skills) value = std::min(packet.ReadU32(), SkillSaveAnswer::kMastered);
    }
    if (packet.ErrorCount() != errorsBefore) return std::nullopt;
    return answer;
}

std::optional<RankingPage> ReadRankingPage(quill::Packet& packet) {
    const uint16_t errorsBefore = packet.ErrorCount();
    RankingPage page;
    packet.ReadU16(page.kept).ReadU16(page.second);
    if (packet.ErrorCount() != errorsBefore) return std::nullopt;
    while (page.rows.size() < RankingPage::kRows && !AtEnd(packet)) {
        RankingRow row;
        packet.ReadU16(row.rank);
        if (packet.ErrorCount() != errorsBefore || row.rank == RankingPage::kEndMark) break;
        if (!ReadRowFields(packet, row)) break;
        page.rows.push_back(std::move(row));
    }
    return page;
}

}  // namespace kestrovan
