#pragma once
// Reads a digit off a box of an interface texture as a player would: the ink that stands apart from the ground,
// fitted to a grid and matched against the digits of several typefaces and against a bare box (the box a font
// draws for a glyph it lacks, and a zero drawn as segments at a small size). The best match is what the box
// reads as; a bare box, or no digit that matches well, reads as no digit.
//
// Threads: one test's thread.
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "tests/support/layout/LayoutRules.h"

namespace kestrovan::test {

class DigitReading {
public:
    // Rasterises the reference digits; without fonts there are none and every box reads as no digit.
    DigitReading();

    // The digit the box of the texture shows, -1 for none.
    int32_t Read(const kvtest::TexelReader& texels, int32_t texture, const kvtest::LayoutBox& box) const;

    static constexpr int32_t kGridWidth = 12;
    static constexpr int32_t kGridHeight = 16;
    using Grid = std::array<float, kGridWidth * kGridHeight>;

private:
    std::vector<std::pair<int32_t, Grid>> references_;
};

}  // namespace kestrovan::test
