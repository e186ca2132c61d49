#pragma once
// One posted application event: an id and three words whose meaning belongs to the id (the third is not
// read by the delivery). Events live in the block pool of their EventQueue (or, for one that must not be lost,
// beyond it); next links them in the queue.
#include <cstdint>

namespace quill {

struct AppEvent {
    uint32_t id;
    uint32_t wParam;
    uint32_t lParam;
    uint32_t extra;
    AppEvent* next;
};

}  // namespace quill
