#include "tests/support/net/PlayerMessages.h"

namespace kvtest {

using quill::MessageId;
using quill::Packet;

Packet SkillSaveResultMessage(uint8_t result, uint16_t points, const std::array<uint32_t, 5>& skills) {
    Packet p;
    p.Init(MessageId::SkillSaveResult).WriteU8(result);
    if (result == 0) {
        p.WriteU16(points);
        for (uint32_t value : skills) p.WriteU32(value);
    }
    return p;
}

Packet TournamentScheduleMessage(const std::vector<TestRanking>& rows) {
    Packet p;
    p.Init(MessageId::TournamentSchedule).WriteU16(1).WriteU16(0);
    for (const TestRanking& row : rows) {
        p.WriteU16(row.rank).WriteWString(row.nickname).WriteU16(row.score).WriteU8(row.games);
        p.WriteU8(20).WriteU8(15).WriteU8(30);
    }
    p.WriteU16(9999);
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
