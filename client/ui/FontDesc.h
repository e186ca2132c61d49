#pragma once
// A font description handed to text labels: face name, height in pixels, weight and italic. The application
// makes the program's descriptions at start-up and keeps them; labels keep a pointer to one.
#include <cstdint>

#include "platform/system/WString.h"

namespace kestrovan {

struct FontDesc {
    platform::WString face;
    int32_t height = 12;
    uint32_t weight = 400;
    bool italic = false;
};

}  // namespace kestrovan
