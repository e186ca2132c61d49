#pragma once
// A play-position notification: the event is set when the play cursor passes the byte offset.
#include <cstdint>

namespace platform {

class Event;

struct NotifyPosition {
    uint32_t offset = 0;
    Event* event = nullptr;
};

}  // namespace platform
