#pragma once
// A small picture the window layer hands to the system: the window's icon or a cursor. Pixels are
// 0xAARRGGBB, row by row from the top; a cursor adds the hot spot, the pixel that points.
#include <cstdint>
#include <vector>

namespace platform {

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

struct CursorImage {
    PixelImage image;
    int hotX = 0;
    int hotY = 0;
};

// The system's own cursors, by their Windows ids.
namespace SystemCursor {
inline constexpr uint32_t Arrow = 32512;
inline constexpr uint32_t SizeNwse = 32642;
inline constexpr uint32_t SizeWe = 32644;
inline constexpr uint32_t SizeNs = 32645;
inline constexpr uint32_t Hand = 32649;
}  // namespace SystemCursor

}  // namespace platform
