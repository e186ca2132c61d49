#pragma once
// What the tournament popups and the lobby's entry check read of the connection's tournament record, and the
// texts the popups make of it and of a ranking row: times as "%2d:%d am" (the hour taken modulo 12, pm from
// noon on), the chart's rule lines, and a row's ratio, time and reward.
//
// Pure: no window, no connection.
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

struct RankingRow;
struct TournamentRecord;

// The record's fields by their meaning. The notice carries the game type, the fee and the three prizes in
// its five numbers and the level range and the start and end times in its schedule bytes; it has no lucky
// reward or count, which stay 0 (no reward shown for them).
struct TournamentView {
    bool soon = false;
    bool running = false;
    bool shown = false;
    int32_t gameType = -1;
    int32_t fee = 0;
    std::array<uint32_t, 3> prizes{};
    uint32_t luckyReward = 0;
    uint32_t luckyCount = 0;
    uint16_t handicapFrom = 0;
    uint16_t handicapTo = 0;
    uint8_t levelFrom = 0;
    uint8_t levelTo = 0;
    uint8_t startHour = 0;
    uint8_t startMinute = 0;
    uint8_t endHour = 0;
    uint8_t endMinute = 0;

    static TournamentView From(const TournamentRecord& record);
};

// "<prefix> : %2d:%d am" or "... pm".
quill::WString ClockText(quill::WStringView prefix, uint8_t hour, uint8_t minute);

// The chart's eight rule lines, in their order: type, handicap, level, plus pack, qualification, fee,
// lucky reward and the reward in experience.
std::array<quill::WString, 8> RankingRuleLines(const TournamentView& view);
// The chart's status line.
quill::WString RankingStatusLine(const TournamentView& view);

// "%.2f" of score / games, 0 without games.
quill::WString RankingRatioText(uint16_t score, uint8_t games);
// "%2d:%2d:%2d am" or "... pm".
quill::WString RankingTimeText(uint8_t hour, uint8_t minute, uint8_t second);
// The money a rank wins: the three prizes, the lucky reward for ranks below 50 ending in 7, else 0.
uint32_t RankingReward(const TournamentView& view, uint16_t rank);

}  // namespace kestrovan
