#include "tests/support/net/PlayerMessages.h"

#include "client/scenes/common/messages/PlayerMessages.h"
#include "tests/support/net/BuiltMessage.h"

namespace kvtest {

using quill::MessageId;
using quill::Packet;

Packet SkillSaveResultMessage(uint8_t result, uint16_t points, const std::array<uint32_t, 5>& skills) {
    return BuiltMessage(MessageId::SkillSaveResult,
                        kestrovan::SkillSaveAnswer{.result = result, .skillPoints = points, .skills = skills});
}

Packet TournamentScheduleMessage(const std::vector<TestRanking>& rows) {
    Packet p = BuiltMessage(MessageId::TournamentSchedule, kestrovan::RankingPage{.kept = 1, .rows = {}});
    for (const TestRanking& row : rows) {
        quill::WriteMessage(p, kestrovan::RankingRow{.rank = row.rank, .nickname = row.nickname, .score = row.score,
                                                     .games = row.games, .hour = 20, .minute = 15, .second = 30});
    }
    p.WriteU16(kestrovan::RankingPage::kEndMark);
    return p;
}

Packet RaceTournamentNoticeMessage(const TestTournament& t) {
    Packet p;
    p.Init(MessageId::RaceTournamentNotice).WriteU8(t.kind).WriteU8(0).WriteU8(0);
    p.WriteU32(t.gameType).WriteU32(t.fee);
    for (uint32_t prize : t.prizes) p.WriteU32(prize);
    p.WriteU8(0).WriteU16(t.handicapFrom).WriteU16(t.handicapTo);
    for (uint8_t value : t.schedule) p.WriteU8(value);
    p.WriteU8(0).WriteU8(0);
    return p;
}

}  // namespace kvtest
