#pragma once
// The lines of the lobby's chat: at most 200, each with its colour and a text of at most 81 characters,
// the scroll position of the six-line view (the first line shown, from 1), which follows new lines. The
// log survives leaving and re-entering the lobby.
#include <cstdint>
#include <deque>
#include <vector>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/ListPager.h"

namespace kestrovan {

struct LobbyChatLine {
    static constexpr size_t kTextUnits = 81;

    uint32_t colour = 0xFFFFFFFF;
    quill::WString text;
};

class LobbyChatLog {
public:
    static constexpr size_t kMaxLines = 200;
    static constexpr int32_t kViewLines = 6;

    // Appends the line (its text cut to 81 units), dropping the oldest beyond 200; the view moves on to
    // show it.
    void Append(uint32_t colour, quill::WStringView text);
    // The scroll bar's range: lines - 5, at least 1.
    int32_t Range() const;
    int32_t Position() const { return pager_.First(); }
    // Values outside 1..Range are clamped.
    void SetPosition(int32_t position);
    // The lines the view shows from the position, at most six.
    std::vector<LobbyChatLine> Visible() const;
    size_t Size() const { return lines_.size(); }
    const std::deque<LobbyChatLine>& Lines() const { return lines_; }

private:
    std::deque<LobbyChatLine> lines_;
    ListPager pager_{kViewLines};  // the first line shown
};

}  // namespace kestrovan
