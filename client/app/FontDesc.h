#pragma once
// The process-wide font descriptions that widgets and labels choose from (the tooltip uses the fourth, the
// message boxes the fifth and seventh). Built before first use and never changed; any thread may read them.
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

struct FontDesc {
    quill::WStringView face;
    int32_t height = 0;
    uint32_t weight = 0;  // 0: the face's default
    bool italic = false;
};

inline constexpr const char16_t* kUiFontFace = u"굴림";

// The eleven descriptions, in their fixed order.
const std::array<FontDesc, 11>& UiFonts();

}  // namespace kestrovan
