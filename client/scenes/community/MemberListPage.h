#pragma once
// What the messenger's eight member rows show of a friend or clan list: the members online first, then those
// offline, each group in the list's key order, from the first shown row on. The first shown row counts from
// 1 and stops at count - 7 (at least 1), which is also the scroll bar's range.
//
// Threads: Read takes the directory's lock and copies what it needs, so the caller holds no pointer into the directory
// afterwards.
#include <cstdint>
#include <vector>

#include "client/scenes/community/MemberSnapshot.h"

namespace quill {
class UserDirectory;
}

namespace kestrovan {

struct MemberListPage {
    static constexpr int32_t kRows = 8;

    int32_t count = 0;                 // members in the list
    int32_t firstRow = 1;              // the first shown member, 1-based, after clamping
    int32_t scrollRange = 1;           // positions of the scroll bar: count - 7, at least 1
    std::vector<MemberSnapshot> rows;  // at most kRows

    // The first shown row clamped to 1 .. count - 7.
    static int32_t ClampFirstRow(int32_t firstRow, int32_t count);
    static int32_t ScrollRange(int32_t count);
    // The page of the directory from firstRow on (clamped).
    static MemberListPage Read(quill::UserDirectory& directory, int32_t firstRow);
};

}  // namespace kestrovan
