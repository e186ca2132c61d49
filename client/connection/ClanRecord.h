#pragma once
// The player's clan as the ClanInfo message describes it.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

struct ClanRecord {
    uint32_t id = 0;  // 0: no clan
    quill::WString name;
    uint32_t value = 0;
    int64_t money = 0;
    uint8_t memberCount = 0;
    uint8_t capacity = 0;
    static void Layout(auto& io, auto& m) { io(m.id, m.name, m.value, m.money, m.memberCount, m.capacity); }
};

}  // namespace kestrovan
