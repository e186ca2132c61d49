#pragma once
// A pending move to another place, stored by the invitation popup, the messenger's "Join with" and the
// gold shortage popup, and carried out by the screens once they reach the target's channel. The main thread
// (buttons, events) and the login and lobby packet handlers (dispatch thread) write and read it, each holding
// the widget-tree lock.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

struct JoinWithTarget {
    static constexpr int16_t kPracticeRoom = -2;
    static constexpr int16_t kShop = -3;
    static constexpr int16_t kNoPlace = -999;

    uint8_t pending = 0;
    uint8_t channel = 0;  // 1-based
    int16_t place = kNoPlace;  // a room number, kPracticeRoom or kShop
    uint8_t hasPassword = 0;
    quill::WString password;
    uint32_t targetKind = 0;
    uint32_t targetValue = 0;

    void Clear() { *this = JoinWithTarget{}; }
};

}  // namespace kestrovan
