#pragma once
// One window message in the Windows shape: the window it is addressed to, its id (Msg), two parameters
// packed as the id prescribes (MessageParams.h) and the millisecond time it was made. The parameters are
// pointer-sized, but every packing keeps its 32-bit Windows layout, so values read back exactly as callers
// written for Windows expect.
#include <cstdint>
#include <functional>

namespace platform {

using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

// Windows of the program are numbered by the window layer: the main window and its hidden children (the
// native edit of text entry). 0 names no window; a message posted to it goes to the main window's queue
// without a target, as a thread message.
using WindowId = uint32_t;
inline constexpr WindowId kNoWindow = 0;
inline constexpr WindowId kMainWindow = 1;

struct Message {
    WindowId window = kNoWindow;
    uint32_t id = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    uint32_t time = 0;
};

// The procedure of one window: gets each message dispatched or sent to it and returns its result.
using WindowProcedure = std::function<LResult(const Message&)>;

}  // namespace platform
