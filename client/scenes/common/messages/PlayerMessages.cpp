#include "client/scenes/common/messages/PlayerMessages.h"

#include <algorithm>

#include "client/scenes/common/TextFields.h"

namespace kestrovan {

std::optional<SkillSaveAnswer> ReadSkillSaveAnswer(quill::Packet& packet) {
    std::optional<SkillSaveAnswer> answer = quill::ReadMessage<SkillSaveAnswer>(packet);
    if (answer) {
        for (uint32_t& value : answer->skills) value = std::min(value, SkillSaveAnswer::kMastered);
    }
    return answer;
}

std::optional<RankingPage> ReadRankingPage(quill::Packet& packet) {
    std::optional<RankingPage> page = quill::ReadMessage<RankingPage>(packet);
    // The rows that arrived whole, up to the end mark, the chart's last row or the message's end.
    while (page && page->rows.size() < RankingPage::kRows && packet.Cursor() < packet.LengthReadBack()) {
        std::optional<RankingRow> row = quill::ReadMessage<RankingRow>(packet);
        if (!row || row->rank == RankingPage::kEndMark) break;
        page->rows.push_back(std::move(*row));
    }
    return page;
}

}  // namespace kestrovan
