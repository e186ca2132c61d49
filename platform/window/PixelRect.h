#pragma once
// Points and rectangles in pixels, on the screen or in the client area of the main window. A rectangle
// holds its left and top edge and excludes its right and bottom edge, as Windows rectangles do.

namespace platform {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(PixelPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

}  // namespace platform
