#pragma once
// Which messages a peek may take, as in Windows' PeekMessage: a window (kNoWindow: any) and an id range
// (first and last both 0: any id).
#include <cstdint>

#include "platform/window/Message.h"

namespace platform {

struct MessageFilter {
    WindowId window = kNoWindow;
    uint32_t first = 0;
    uint32_t last = 0;

    bool Accepts(const Message& message) const {
        if (window != kNoWindow && message.window != window) {
            return false;
        }
        return (first == 0 && last == 0) || (message.id >= first && message.id <= last);
    }
};

}  // namespace platform
