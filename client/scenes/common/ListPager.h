#pragma once
// Which rows of a list a view shows: `rows` rows at once from a first row counted from 1, the way a scroll
// bar's event carries it (its position plus one). Over `count` entries the first row goes from 1 to Range(),
// count - rows + 1 and at least 1, which is also the number of the scroll bar's positions. The list keeps
// its own entries and count; the pager keeps the first row.
//
// Pure logic, header-only, so that the readers and fuzz targets of the lists' models use it without the
// widgets.
#include <algorithm>
#include <cstdint>

namespace kestrovan {

class ListPager {
public:
    explicit ListPager(int32_t rows) : rows_(rows) {}

    // The first row shown, 1-based. It stays when the count shrinks, until the next ScrollTo.
    int32_t First() const { return first_; }
    // The last first row over count entries: count - rows + 1, at least 1.
    int32_t Range(int32_t count) const { return std::max(1, count - rows_ + 1); }
    // The first row, kept within 1 .. Range(count).
    void ScrollTo(int32_t first, int32_t count) { first_ = std::clamp(first, 1, Range(count)); }
    void Reset() { first_ = 1; }
    bool CanStepBack() const { return first_ >= 2; }
    bool CanStepForward(int32_t count) const { return first_ < count - rows_ + 1; }
    // Whether the last rows are shown, and the first row that shows them: a list that follows its newest
    // entries (a chat) moves there when it was there before an entry came.
    bool AtEnd(int32_t count) const { return first_ >= Range(count); }
    void ScrollToEnd(int32_t count) { first_ = Range(count); }
    // The scroll bar's position that shows the first row.
    int32_t BarPosition() const { return first_ - 1; }

private:
    int32_t rows_;
    int32_t first_ = 1;
};

}  // namespace kestrovan
