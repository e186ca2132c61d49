#pragma once
// The player windows' server messages as the stand-in server sends them: the answer to a skill save, a
// ranking page of the tournament and the race tournament's notice.
#include <array>
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"

namespace kvtest {

// SkillSaveResult: the result; with 0 the points left and the five skill values.
quill::Packet SkillSaveResultMessage(uint8_t result, uint16_t points = 0, const std::array<uint32_t, 5>& skills = {});

// A row of the ranking.
struct TestRanking {
    uint16_t rank;
    quill::WString nickname;
    uint16_t score;
    uint8_t games;
};
// TournamentSchedule: the rows given, then the end mark.
quill::Packet TournamentScheduleMessage(const std::vector<TestRanking>& rows);

// RaceTournamentNotice: the kind (0 ended, 1 soon, 2 running), the game type, the fee, the three prizes, the
// handicap range, the level range and the start and end times.
struct TestTournament {
    uint8_t kind = 2;
    uint32_t gameType = 3;
    uint32_t fee = 1000;
    std::array<uint32_t, 3> prizes{50000, 20000, 10000};
    uint16_t handicapFrom = 30;
    uint16_t handicapTo = 9999;
    std::array<uint8_t, 6> schedule{1, 50, 20, 0, 22, 30};  // levels from and to, start and end hour, minute
};
quill::Packet RaceTournamentNoticeMessage(const TestTournament& tournament);

}  // namespace kvtest
