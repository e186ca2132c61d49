#pragma once
// The level badge the profile windows show beside the level: cells of 22 pixels in row 941 of the common
// texture, one a level from level 1 on. Levels past the strip keep its last whole cell; level 0 has none.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

namespace kestrovan {

class Image;
class Widget;

class LevelBadge {
public:
    // The badge's image at (x, y) of parent, showing level 1 until ShowLevel.
    static Image* AddTo(Widget& parent, int32_t x, int32_t y);
    // Shows the level's cell, or hides the badge for level 0.
    static void ShowLevel(Image& badge, int32_t level);
};

}  // namespace kestrovan
