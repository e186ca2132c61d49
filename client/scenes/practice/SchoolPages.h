#pragma once
// The school's page script as data: the pages 1 to 86 (with gaps) and the closing page 98, each with its
// title, up to five text lines and up to five tasks, and the search that moves from a page to the next or
// previous existing one. The search stops at the first and the last page: going down it never passes page
// 1, going up never page 98.
#include <cstdint>
#include <span>

#include "QuillLib/core/WString.h"

namespace kestrovan {

struct SchoolPage {
    int32_t number = 0;
    const char16_t* title = nullptr;  // page 1's and page 12's carry the nickname (%s)
    std::span<const char16_t* const> lines;
    std::span<const char16_t* const> tasks;
};

class SchoolPages {
public:
    static constexpr int32_t kFirst = 1;
    static constexpr int32_t kLast = 98;
    static constexpr int32_t kBasicsDone = 12;
    static constexpr int32_t kFinalLesson = 86;

    // The page of that number, or null where the script has none.
    static const SchoolPage* Find(int32_t number);
    // The page shown after moving by delta (+1 or -1) from page `from`: the first existing page in that
    // direction, page 98 at most going up and page 1 at least going down (page 1 itself when nothing lies
    // below).
    static int32_t Step(int32_t from, int32_t delta);
    // Every page, in order.
    static std::span<const SchoolPage> All();

    // Page 12's lines, which depend on whether the basics' reward was given already.
    static std::span<const char16_t* const> BasicsDoneLines(bool rewardGiven);
};

}  // namespace kestrovan
