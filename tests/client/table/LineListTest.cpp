#include <gtest/gtest.h>

#include <vector>

#include "client/table/LineList.h"

namespace kestrovan {
namespace {

constexpr uint32_t kPen = 0xaaffffff;
constexpr uint32_t kBase = 0x40ffffff;

class StripRecorder : public TableLineDrawer {
public:
    void DrawLineStrip(std::span<const LinePoint> points) override { strips.emplace_back(points.begin(), points.end()); }
    std::vector<std::vector<LinePoint>> strips;
};

TEST(LineList, PenStrokesFadeBehindTheirWindow) {
    LineList stroke;
    stroke.SetFade(kBase, 20, 100);
    for (int i = 0; i < 20; ++i) {
        stroke.AddPointLimited({static_cast<float>(i), 0.0f, 0.0f}, kPen);
    }
    // A full window and nothing faded yet.
    EXPECT_EQ(stroke.PointAt(0).colour, kPen);
    // The 21st point blends point 0 by 1/100 of the way: alpha 0x40 + 0x6a x 99 / 100 = 0xa8.
    stroke.AddPointLimited({20.0f, 0.0f, 0.0f}, kPen);
    EXPECT_EQ(stroke.PointAt(0).colour, 0xa8ffffffu);
    EXPECT_EQ(stroke.PointAt(1).colour, kPen);
    // The 22nd blends point 1 the same way and point 0 by 1/99 more: 0x40 + 0x68 x 98 / 99 = 0xa6.
    stroke.AddPointLimited({21.0f, 0.0f, 0.0f}, kPen);
    EXPECT_EQ(stroke.PointAt(1).colour, 0xa8ffffffu);
    EXPECT_EQ(stroke.PointAt(0).colour, 0xa6ffffffu);
    // Once the window and the fade length lie behind it, point 0 is the base colour exactly.
    while (stroke.Count() < 121) {
        stroke.AddPointLimited({0.0f, 0.0f, 0.0f}, kPen);
    }
    EXPECT_EQ(stroke.PointAt(0).colour, kBase);
    EXPECT_GT(stroke.PointAt(2).colour, kBase);
    EXPECT_EQ(stroke.PointAt(101).colour, kPen);  // the newest 20 of 121 start at 101
    EXPECT_EQ(stroke.PointAt(100).colour, 0xa8ffffffu);
}

TEST(LineList, StopsAt4000PointsUntilCleared) {
    LineList trail;
    trail.SetFade(0x20ffffff, 200, 800);
    for (int i = 0; i < LineList::kMaxAddedPoints; ++i) {
        ASSERT_TRUE(trail.AddPointLimited({static_cast<float>(i), 0.0f, 0.0f}, 0x80ffffff));
    }
    const uint32_t faded = trail.PointAt(3799).colour;
    // The 4001st point is neither stored nor fades the others.
    EXPECT_FALSE(trail.AddPointLimited({1.0f, 1.0f, 1.0f}, 0x80ffffff));
    EXPECT_EQ(trail.Count(), 4000u);
    EXPECT_EQ(trail.AddedCount(), 4000);
    EXPECT_EQ(trail.PointAt(3799).colour, faded);
    EXPECT_EQ(trail.PointAt(3999).position.x, 3999.0f);

    trail.Clear();
    EXPECT_EQ(trail.Count(), 0u);
    EXPECT_EQ(trail.AddedCount(), 0);
    EXPECT_TRUE(trail.AddPointLimited({1.0f, 1.0f, 1.0f}, 0x80ffffff));
}

TEST(LineList, PlainPointsGrowAndDraw) {
    LineList line;
    StripRecorder drawer;
    line.Draw(drawer);
    EXPECT_TRUE(drawer.strips.empty());  // nothing to draw
    for (int i = 0; i < 50; ++i) {
        line.AddPointXY(static_cast<float>(i), 2.0f, 0xff000000);
    }
    EXPECT_EQ(line.AddedCount(), 0);  // only the limited form counts
    line.Draw(drawer);
    ASSERT_EQ(drawer.strips.size(), 1u);
    ASSERT_EQ(drawer.strips[0].size(), 50u);
    EXPECT_EQ(drawer.strips[0][49].position.x, 49.0f);
    EXPECT_EQ(drawer.strips[0][49].position.z, 0.0f);
    EXPECT_EQ(line.PointAt(50).colour, 0u);  // beyond the end

    // Without a fade window nothing ever fades.
    line.FadeTail(false);
    EXPECT_EQ(line.PointAt(0).colour, 0xff000000u);
}

}  // namespace
}  // namespace kestrovan
