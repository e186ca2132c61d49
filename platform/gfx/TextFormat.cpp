#include "platform/gfx/TextFormat.h"

namespace platform::gfx {

Point PlaceTextLine(const Rect& rect, int32_t cx, int32_t cy, uint32_t format) {
    Point at{rect.left, rect.top};
    if ((format & TextFormat::Center) != 0) {
        at.x = rect.left + (rect.Width() - cx) / 2;
    } else if ((format & TextFormat::Right) != 0) {
        at.x = rect.right - cx;
    }
    if ((format & TextFormat::VCenter) != 0) {
        at.y = rect.top + (rect.Height() - cy) / 2;
    } else if ((format & TextFormat::Bottom) != 0) {
        at.y = rect.bottom - cy;
    }
    return at;
}

}  // namespace platform::gfx
