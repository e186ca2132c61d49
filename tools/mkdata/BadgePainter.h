#pragma once
// Paints the small marks of the interface that say what a thing is at a glance: the ball of each game type on
// the lobby's filter buttons, the players' level badges and the profile's mark. Their letters and numbers come
// from the system's DejaVu Sans Bold (TextPainter), fitted to the mark.
//
// Threads: any.
#include <cstdint>

#include "tools/mkdata/RgbaImage.h"

namespace mkdata {

class BadgePainter {
public:
    // The game types' cells in the order the lobby cuts them: the carom types 0 and 2 to 6, then the pocket
    // types 10 to 13 and 16 (the card ball of type 11 among them, never offered).
    static constexpr int32_t kGameTypeCells = 11;
    // The level badges' cells: levels 1 to 46, the last standing for every level above.
    static constexpr int32_t kLevelCells = 46;

    // The ball of the game type of the cell, with its short tag, centred at (cx, cy); lit for a type the
    // filter shows, dimmed towards the face for one it hides. False without a font or for a cell past the last.
    static bool DrawGameTypeBall(RgbaImage& image, int32_t cell, float cx, float cy, float radius, bool lit, Argb face);
    // A round badge size pixels square at (x, y) with the level's number, its plate's colour rising with the
    // level in tiers of ten. False without a font.
    static bool DrawLevelBadge(RgbaImage& image, int32_t x, int32_t y, int32_t size, int32_t level);
    // The profile's mark: a gold star on clear ground, centred in the w x h box at (x, y).
    static void DrawStarMark(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h);
};

}  // namespace mkdata
