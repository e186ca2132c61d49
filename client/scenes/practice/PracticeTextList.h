#pragma once
// The practice room's text list: up to 200 coloured lines, each stamped with the time it was added; the
// oldest goes when a 201st comes. The room shows the last eight: with more than eight lines the view starts
// at line count - 7, counted from 1.
#include <cstdint>
#include <deque>
#include <vector>

#include "QuillLib/core/WString.h"

namespace kestrovan {

class PracticeTextList {
public:
    static constexpr size_t kCapacity = 200;
    static constexpr size_t kShown = 8;

    struct Line {
        quill::WString text;
        uint32_t colour = 0;
        uint32_t addedMs = 0;
    };

    void Add(quill::WStringView text, uint32_t colour, uint32_t nowMs);
    void Clear() { lines_.clear(); }
    size_t Count() const { return lines_.size(); }
    const Line& At(size_t index) const { return lines_[index]; }
    // The first line shown, counted from 1 (1 while eight or fewer lines are kept).
    size_t ViewStart() const;
    // The lines shown, oldest first.
    std::vector<Line> Shown() const;

private:
    std::deque<Line> lines_;
};

}  // namespace kestrovan
