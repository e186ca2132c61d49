// The interface skin and the ball faces: what the painters put where, and how they refuse bad regions.
#include <gtest/gtest.h>

#include <algorithm>

#include "tools/mkdata/BallPainter.h"
#include "tools/mkdata/RegionTable.h"
#include "tools/mkdata/UiSkinPainter.h"

namespace {

using mkdata::RgbaImage;
using mkdata::UiSkinPainter;

std::vector<mkdata::UiRegion> Regions(const std::string& text) {
    mkdata::RegionTable table;
    EXPECT_TRUE(table.Parse(text)) << table.Error();
    return table.Find("Game", 0);
}

TEST(UiSkinPainterTest, UnlistedAreasShowThePanelFaceAndRegionsTheirStyle) {
    RgbaImage image(256, 256);
    std::string error;
    ASSERT_TRUE(UiSkinPainter::Paint(image,
                                     Regions("Game 0 10 10 40 20 button frames=2\n"
                                             "Game 0 100 100 50 10 digits\n"
                                             "Game 0 0 200 64 16 shade\n"
                                             "Game 0 200 100 21 18 icon colour=F0C040\n"),
                                     error))
        << error;
    EXPECT_EQ(image.At(200, 30), UiSkinPainter::kFace);
    // Two button faces side by side: normal, then the hovered one tinted towards the accent.
    EXPECT_NE(image.At(20, 20), image.At(40, 20));
    // A digit strip keeps a transparent ground around its glyphs; a shade is translucent black.
    EXPECT_EQ(image.At(100, 100) >> 24, 0u);
    EXPECT_EQ(image.At(10, 205), 0xA0000000u);
    // A round badge on clear ground: no square of face round it.
    EXPECT_EQ(image.At(210, 109), 0xFFF0C040u);
    EXPECT_EQ(image.At(200, 100) >> 24, 0u);
    EXPECT_EQ(image.At(220, 117) >> 24, 0u);
}

// The marks: a filter's ball lit on its checked faces and dimmed on the others, level badges whose plates
// change with the tier of ten, and the star on clear ground.
TEST(UiSkinPainterTest, GameTypeBallsLevelBadgesAndTheStar) {
    RgbaImage image(512, 256);
    std::string error;
    ASSERT_TRUE(UiSkinPainter::Paint(image,
                                     Regions("Game 0 0 0 264 168 gametypes frames=7\n"
                                             "Game 0 0 200 264 22 levels\n"
                                             "Game 0 300 200 23 15 star\n"),
                                     error))
        << error;
    // The 8-ball's cell (the seventh): its black ball on the unchecked normal face, lit on the checked one.
    const auto brightest = [](mkdata::Argb c) { return std::max({c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF}); };
    const int32_t eight = 6 * 24 + 12;
    EXPECT_LT(brightest(image.At(eight - 5, 4 * 24 + 16)), 40u) << "the black ball, checked";
    EXPECT_GT(brightest(image.At(eight - 5, 16)), 40u) << "dimmed towards the face, unchecked";
    EXPECT_NE(image.At(eight - 5, 16), image.At(1, 1));
    // Level 1's plate (bronze) and level 11's (silver) differ; the ground round a plate is clear.
    EXPECT_NE(image.At(11, 203), image.At(10 * 22 + 11, 203));
    EXPECT_EQ(image.At(0, 200) >> 24, 0u);
    EXPECT_EQ(image.At(300, 200) >> 24, 0u) << "the star's box corner";
    EXPECT_EQ(image.At(311, 208) >> 24, 0xFFu) << "the star's middle";
}

TEST(UiSkinPainterTest, ABackdropIsDarkerThanEveryFaceAndTilesWithoutASeam) {
    RgbaImage image(64, 64);
    std::string error;
    ASSERT_TRUE(UiSkinPainter::Paint(image, Regions("Game 0 0 0 32 32 backdrop\n"), error)) << error;
    const auto brightest = [](mkdata::Argb c) { return std::max({c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF}); };
    for (uint32_t y = 0; y < 32; ++y) {
        for (uint32_t x = 0; x < 32; ++x) {
            ASSERT_LT(brightest(image.At(x, y)), brightest(UiSkinPainter::kDark) + 20) << x << ", " << y;
            // The pattern continues across the tile's edges: a pixel matches the one a tile's width on.
            ASSERT_EQ(image.At(x, y), image.At((x + 31) % 32, (y + 1) % 32)) << x << ", " << y;
        }
    }
    EXPECT_NE(image.At(0, 0), image.At(1, 0)) << "faint lines over the face";
}

TEST(UiSkinPainterTest, UnknownStylesAndBadColoursNameTheirLine) {
    RgbaImage image(64, 64);
    std::string error;
    EXPECT_FALSE(UiSkinPainter::Paint(image, Regions("Game 0 0 0 8 8 panel\nGame 0 0 0 8 8 sparkle\n"), error));
    EXPECT_NE(error.find("line 2: no style sparkle"), std::string::npos) << error;
    EXPECT_FALSE(UiSkinPainter::Paint(image, Regions("Game 0 0 0 8 8 icon colour=red\n"), error));
    EXPECT_NE(error.find("line 1"), std::string::npos) << error;
}

TEST(BallPainterTest, StripesSpotsAndNumbersSitAroundTheEquator) {
    constexpr mkdata::Argb kRed = 0xFFC8141E;
    const RgbaImage stripe = mkdata::BallPainter::Paint(mkdata::BallPainter::Style::Stripe, kRed, 11);
    // Ivory at the poles, the colour on the band away from the number spots, an ivory spot at a quarter turn.
    EXPECT_NE(stripe.At(128, 2), kRed);
    EXPECT_EQ(stripe.At(128, 64), kRed);
    EXPECT_NE(stripe.At(64, 64 - 18), kRed);
    const RgbaImage solid = mkdata::BallPainter::Paint(mkdata::BallPainter::Style::Solid, kRed, 0);
    EXPECT_EQ(solid.At(64, 64), kRed);
    EXPECT_EQ(solid.At(128, 2), kRed);
}

}  // namespace
