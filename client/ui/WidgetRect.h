#pragma once
// A widget rectangle in pixels with inclusive edges: right = left + width - 1, bottom = top + height - 1.
// Widget, source and hit rectangles all use this form.
#include <cstdint>

namespace kestrovan {

struct WidgetRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // The rectangle of w x h pixels with its top-left at (x, y).
    static constexpr WidgetRect FromSize(int32_t x, int32_t y, int32_t w, int32_t h) {
        return WidgetRect{x, y, x + w - 1, y + h - 1};
    }

    constexpr int32_t Width() const { return right - left + 1; }
    constexpr int32_t Height() const { return bottom - top + 1; }
    constexpr bool Contains(int32_t x, int32_t y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    constexpr void Offset(int32_t dx, int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    friend constexpr bool operator==(const WidgetRect&, const WidgetRect&) = default;
};

}  // namespace kestrovan
