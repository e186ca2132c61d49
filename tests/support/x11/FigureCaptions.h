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

}  // namespace kv::test
