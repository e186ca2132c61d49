#pragma once
// The player windows' server messages read into plain records, outside the windows: each reader takes the
// payload at the packet's cursor. A skill save's answer is kept only whole; a ranking page keeps the rows
// that arrived whole, at most the chart's fifteen, and stops at the end mark (rank 9999), at the end of the
// message or at a row cut short, whichever comes first. Nicknames longer than the chart keeps are cut,
// never inside a character.
//
// Each record's Layout is its one description on the wire (QuillLib/net/FieldReader.h), which the readers,
// the tests' builders and the fuzz target follow.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/common/TextFields.h"

namespace kestrovan {

// SkillSaveResult (20): the result, and with result 0 the points left and the five saved skill values.
struct SkillSaveAnswer {
    static constexpr uint8_t kSaved = 0;
    static constexpr uint8_t kPointsMismatch = 1;
    static constexpr uint32_t kMastered = 100000;

    uint8_t result = 0;
    uint16_t skillPoints = 0;
    std::array<uint32_t, 5> skills{};  // each at most 100000 as read
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result == kSaved) io(m.skillPoints, m.skills);
    }
};
// Nothing when the message ends before the fields its result announces.
std::optional<SkillSaveAnswer> ReadSkillSaveAnswer(quill::Packet& packet);

// One row of a TournamentSchedule (1151) page.
struct RankingRow {
    uint16_t rank = 0;
    quill::WString nickname;
    uint16_t score = 0;
    uint8_t games = 0;
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
    static void Layout(auto& io, auto& m) {
        io(m.rank);
        io.Text(m.nickname, kNicknameLength);
        io(m.score, m.games, m.hour, m.minute, m.second);
    }
};

struct RankingPage {
    static constexpr size_t kRows = 15;
    static constexpr uint16_t kEndMark = 9999;

    uint16_t kept = 0;  // the first value, which the chart keeps
    uint16_t second = 0;
    std::vector<RankingRow> rows;  // at most kRows
    // The page's head; its rows follow, each a RankingRow, up to the end mark.
    static void Layout(auto& io, auto& m) { io(m.kept, m.second); }
};
// Nothing when the message ends before its two heading values.
std::optional<RankingPage> ReadRankingPage(quill::Packet& packet);

}  // namespace kestrovan
