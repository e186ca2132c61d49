#pragma once
// Captions a player reads beside a window's figures: the letters that stand in the few pixels before a figure
// that is written from its left edge. The profile window and My Info show one statistics block (My Info 58
// pixels lower, its win rate 4 pixels further right).
#include <array>

#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {

struct FigurePlace {
    int x, y;
};

// The statistics' figures in the profile window: the first and second counts and the share, then the third to
// eighth values as their rows stand (third, fourth; sixth, fifth; seventh, eighth).
constexpr std::array<FigurePlace, 9> kStatisticsFigures{{
    {100, 341}, {240, 341}, {420, 341}, {130, 367}, {250, 367}, {150, 393}, {300, 393}, {130, 419}, {275, 419}}};

// Light pixels in the 36 pixels before the figure at (x, y) of the screen, over a figure's 16 rows.
int CaptionLight(const Screenshot& shot, int x, int y);

// The level badge, 22 pixels square at (x, y) of the screen: its pixels that stand out from the window's face
// just left of it (the badge's plate and number; none for an empty square of face).
int BadgePixels(const Screenshot& shot, int x, int y);
// The mode tabs (93 x 20, the pocket row from (35, top) of the window at (left, top of the tabs), the carom row 23
// lower, 94 apart): the largest difference, in one colour channel, between the faces of the tabs not chosen,
// each read beside its left edge; 0 when they all wear one face. The chosen tab is the first of the first row.
int UnchosenTabSpread(const Screenshot& shot, int left, int top);

}  // namespace kv::test
