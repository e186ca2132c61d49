#pragma once
// The room's chat history: the last 200 lines written into the room (players' chat, notices, prompts), each
// with its colour and the time it came, and which of them the eight lines of the chat box show. The view is
// a 1-based position of the first record shown; it follows new lines while it is at the end and stays where
// the player scrolled it otherwise. A line fades in by blinking for its first 600 ms and fades to half from
// 30 s on. Pure: the room keeps it under the widget-tree lock.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/ListPager.h"

namespace kestrovan {

class RoomChatLog {
public:
    static constexpr size_t kCapacity = 200;
    static constexpr size_t kLines = 8;
    static constexpr size_t kMaxText = 79;  // characters a record keeps

    struct Record {
        uint32_t colour = 0;
        quill::WString text;
        uint32_t stamp = 0;  // ms
    };

    // What one line of the chat box shows.
    struct Line {
        bool shown = false;
        quill::WString text;
        uint32_t colour = 0;
        float opacity = 1.0f;
    };

    // Appends a record (text cut to 79 characters); above 200 the oldest goes. The view follows the end when
    // it was there.
    void Add(quill::WStringView text, uint32_t colour, uint32_t nowMs);
    void Clear();
    size_t Count() const { return records_.size(); }
    const Record& At(size_t index) const { return records_[index]; }

    // The first record shown, 1-based, kept within 1 .. ScrollRange().
    int32_t ScrollPosition() const { return pager_.First(); }
    void SetScrollPosition(int32_t position);
    // Positions the scroll bar offers: the record count less seven, at least 1.
    int32_t ScrollRange() const;
    bool AtEnd() const { return pager_.AtEnd(RecordCount()); }

    // The eight lines from the top: with fewer than eight records the top lines stay empty and the records
    // fill the bottom ones, the oldest highest; otherwise eight records from the view's position.
    std::array<Line, kLines> Layout(uint32_t nowMs) const;
    // A line's opacity by its age: blinking (1.0 and 0.5 by tenths of a second) below 600 ms, 1.0 below 30 s,
    // then falling to 0.5 over the next 15 s and staying there.
    static float Opacity(uint32_t ageMs);

private:
    int32_t RecordCount() const { return static_cast<int32_t>(records_.size()); }

    std::deque<Record> records_;
    ListPager pager_{static_cast<int32_t>(kLines)};
};

}  // namespace kestrovan
