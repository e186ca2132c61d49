#pragma once
// The board that tells, once the 8-ball groups are determined, which balls each player plays: one row per
// member of every team in play, "STRIPE" for the high balls or "SOLID" for the others, and the nickname.
// The board grows with its rows.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/ui/Image.h"

namespace kestrovan {

class TextLabel;

class GroupBoard : public Image {
public:
    static constexpr size_t kRows = 8;  // the room's seats
    static constexpr int32_t kWidth = 180;
    static constexpr int32_t kRowHeight = 18;

    GroupBoard();

    // No rows.
    void Clear();
    // The next row: highBalls for a team whose group is the high balls. Rows past the eighth are dropped.
    void AddRow(bool highBalls, quill::WStringView nickname);

    size_t RowCount() const { return count_; }
    TextLabel* Mark(size_t row) const { return marks_[row]; }
    TextLabel* Name(size_t row) const { return names_[row]; }

private:
    void FitRows();

    std::array<TextLabel*, kRows> marks_{};
    std::array<TextLabel*, kRows> names_{};
    size_t count_ = 0;
};

}  // namespace kestrovan
