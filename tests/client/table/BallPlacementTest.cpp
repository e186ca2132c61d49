#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "client/rules/TablePhysics.h"
#include "client/table/BallPicking.h"
#include "client/table/PlacementArea.h"
#include "client/table/ScreenProjection.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableInput.h"
#include "client/table/TableRack.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::Vec3;

constexpr float kRadius = 3.275f;
constexpr float kMargin = 0.01f;
constexpr PlacementBounds kCarom{120.0f, 60.0f, 0.0f, 30.0f};
constexpr PlacementBounds kSnooker{177.8f, 88.9f, 0.0f, 44.45f};

Vec3 Clamped(Vec3 p, const PlacementBounds& bounds, int32_t area, quill::GameType mode, bool* changed = nullptr) {
    const bool moved = ClampToPlacementArea(p, bounds, kRadius, kMargin, area, mode);
    if (changed != nullptr) {
        *changed = moved;
    }
    return p;
}

TEST(ClampToPlacementArea, TheBedsEdgesAndTheHeadString) {
    bool changed = false;
    Vec3 p = Clamped({200.0f, 100.0f, kRadius}, kCarom, 0, type::kThreeCushion, &changed);
    EXPECT_TRUE(changed);
    EXPECT_FLOAT_EQ(p.x, 120.0f - kRadius - kMargin);
    EXPECT_FLOAT_EQ(p.y, 60.0f - kRadius - kMargin);
    // The margin lies on the same side on the negative edges: the ball may sit 0.01 into those cushions.
    p = Clamped({-200.0f, -100.0f, kRadius}, kCarom, 2, type::kThreeCushion);
    EXPECT_FLOAT_EQ(p.x, kRadius - 120.0f - kMargin);
    EXPECT_FLOAT_EQ(p.y, kRadius - 60.0f - kMargin);
    // Behind the head string: the left quarter of the bed.
    p = Clamped({0.0f, 10.0f, kRadius}, kCarom, 1, type::kEightBall);
    EXPECT_FLOAT_EQ(p.x, -60.0f - kMargin);
    EXPECT_EQ(p.y, 10.0f);

    // Inside: nothing changes. Above the bed (still falling): only the height is looked at.
    Clamped({10.0f, 10.0f, kRadius}, kCarom, 0, type::kThreeCushion, &changed);
    EXPECT_FALSE(changed);
    p = Clamped({500.0f, 0.0f, kRadius + 1.0f}, kCarom, 0, type::kThreeCushion, &changed);
    EXPECT_FALSE(changed);
    EXPECT_EQ(p.x, 500.0f);
    p = Clamped({0.0f, 0.0f, 1.0f}, kCarom, 0, type::kThreeCushion, &changed);
    EXPECT_TRUE(changed);
    EXPECT_EQ(p.z, kRadius);
}

TEST(ClampToPlacementArea, TheSnookerD) {
    const float baulk = -2.342f * kSnooker.unit;
    const float radius = 0.6569f * kSnooker.unit;
    // Beyond the baulk line: back onto it.
    Vec3 p = Clamped({0.0f, 5.0f, kRadius}, kSnooker, 1, type::kSnooker);
    EXPECT_FLOAT_EQ(p.x, baulk);  // the table rounds toward zero, the constant here was folded to nearest
    EXPECT_EQ(p.y, 5.0f);
    // Beyond the arc: onto the arc along the line from the D's centre.
    p = Clamped({baulk - 30.0f, 40.0f, kRadius}, kSnooker, 2, type::kSnooker);
    EXPECT_NEAR(std::hypot(p.x - baulk, p.y), radius, 1e-4);
    EXPECT_NEAR((p.y) / (baulk - p.x), 40.0f / 30.0f, 1e-5);
    // Straight behind, on the far side of the arc.
    p = Clamped({-170.0f, 0.0f, kRadius}, kSnooker, 1, type::kSnooker);
    EXPECT_NEAR(p.x, baulk - radius, 1e-4);
    // Inside the D nothing moves; area 0 in snooker is the whole bed.
    bool changed = true;
    Clamped({baulk - 5.0f, 5.0f, kRadius}, kSnooker, 1, type::kSnooker, &changed);
    EXPECT_FALSE(changed);
    p = Clamped({0.0f, 5.0f, kRadius}, kSnooker, 0, type::kSnooker);
    EXPECT_EQ(p.x, 0.0f);
}

TEST(ResolveHeldBallDrop, PushedToTouchUnlessBlocked) {
    const float touch = 2.0f * kRadius + kMargin;
    std::vector<Vec3> balls{{0.0f, 0.0f, kRadius}, {20.0f, 0.0f, kRadius}, {-40.0f, 0.0f, kRadius}};
    // A free spot: taken as it is.
    auto drop = ResolveHeldBallDrop({0.0f, 30.0f, kRadius}, 0, balls, kCarom, kRadius, 0, type::kThreeCushion);
    ASSERT_TRUE(drop.has_value());
    EXPECT_EQ(drop->y, 30.0f);
    // Onto ball 1's centre: no side to push to.
    EXPECT_FALSE(ResolveHeldBallDrop(balls[1], 0, balls, kCarom, kRadius, 0, type::kThreeCushion).has_value());
    // Overlapping ball 1 from the left: pushed out to touch it.
    drop = ResolveHeldBallDrop({17.0f, 0.0f, kRadius}, 0, balls, kCarom, kRadius, 0, type::kThreeCushion);
    ASSERT_TRUE(drop.has_value());
    EXPECT_NEAR(drop->x, 20.0f - touch, 1e-5);
    EXPECT_EQ(drop->y, 0.0f);
    // The pushed spot touches a third ball: the held ball stays.
    balls.push_back({20.0f - touch - 2.0f, 0.0f, kRadius});
    EXPECT_FALSE(
        ResolveHeldBallDrop({17.0f, 0.0f, kRadius}, 0, balls, kCarom, kRadius, 0, type::kThreeCushion).has_value());
    // The pushed spot lies in the cushion: the held ball stays.
    const std::vector<Vec3> nearCushion{{0.0f, 0.0f, kRadius}, {113.0f, 0.0f, kRadius}};
    EXPECT_FALSE(ResolveHeldBallDrop({115.0f, 0.0f, kRadius}, 0, nearCushion, kCarom, kRadius, 0, type::kThreeCushion)
                     .has_value());
}

std::vector<BallScreenInfo> Records(const std::vector<float>& depths) {
    std::vector<BallScreenInfo> records;
    for (size_t i = 0; i < depths.size(); ++i) {
        records.push_back({static_cast<int32_t>(i), depths[i], 100.0f * static_cast<float>(i), 50.0f, 10.0f});
    }
    return records;
}

TEST(BallPicking, DepthOrderIsStrictAndStable) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    auto records = Records({1.0f, 5.0f, nan, 5.0f, 3.0f, 5.004f});
    SortBallScreenInfo(records);
    std::vector<int32_t> order;
    for (const auto& record : records) {
        order.push_back(record.index);
    }
    EXPECT_EQ(order, (std::vector<int32_t>{5, 1, 3, 4, 0, 2}));

    // Every permutation of many equal and near-equal depths sorts without fault.
    std::vector<float> depths;
    for (int i = 0; i < 200; ++i) {
        depths.push_back(static_cast<float>(i % 7) * 0.003f);
    }
    auto many = Records(depths);
    SortBallScreenInfo(many);
    EXPECT_TRUE(std::is_sorted(many.begin(), many.end(), [](const auto& a, const auto& b) { return a.depth > b.depth; }));
}

TEST(BallPicking, OnlyTheCueBallInHandUnlessState5) {
    auto records = Records({1.0f, 1.0f, 1.0f});
    // Inside ball 2's circle (centre (200, 50), radius 10); the edge itself does not count.
    EXPECT_EQ(PickBallAt(records, 203, 52, 0, 7).index, 2);
    EXPECT_EQ(PickBallAt(records, 210, 50, 0, 7).index, -1);
    EXPECT_EQ(PickBallAt(records, 203, 52, 1, 7).index, -1);
    EXPECT_EQ(PickBallAt(records, 203, 52, 2, 5).index, 2);
    const PickedBall cue = PickBallAt(records, 7, 45, 1, 7);
    EXPECT_EQ(cue.index, 0);
    EXPECT_EQ(cue.grabOffsetX, 7);
    EXPECT_EQ(cue.grabOffsetY, -5);
}

class TablePickingTest : public ::testing::Test, protected test::TableFixture {
protected:
    // Where a table point appears in the window, through the aiming camera.
    ScreenPoint Screen(const Vec3& point) {
        quill::Matrix4 viewProjection;
        quill::Matrix4 projection;
        cameras[1]->GetViewProjectionMatrix(viewProjection);
        cameras[1]->GetProjectionMatrix(projection);
        return ScreenProjection(viewProjection, projection.m[0], host.width, host.height).Project(point);
    }

    static uint32_t Packed(float x, float y) {
        return static_cast<uint16_t>(static_cast<int16_t>(x)) |
               static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(y))) << 16;
    }

    // Picks ball 0 a little off its centre and drags it so that the centre goes to target.
    void DragCueBallTo(const Vec3& target) {
        const Vec3 start = table->Physics().CachedPosition(0);
        const ScreenPoint at = Screen(start);
        const int32_t pickX = static_cast<int32_t>(at.x) + 2;
        const int32_t pickY = static_cast<int32_t>(at.y) + 1;
        ASSERT_EQ(table->Picking().PickBallAt(pickX, pickY), 0);
        table->Picking().SetHeldBall(0);
        const BallScreenInfo info = table->Picking().ScreenInfoAt(0);
        const auto grabX = static_cast<float>(static_cast<int32_t>(static_cast<float>(pickX) - info.screenX));
        const auto grabY = static_cast<float>(static_cast<int32_t>(static_cast<float>(pickY) - info.screenY));
        const ScreenPoint to = Screen({target.x, target.y, start.z});
        table->Input().MoveHeldBall(0, Packed(to.x + grabX + 0.5f, to.y + grabY + 0.5f));
    }
};

TEST_F(TablePickingTest, ProjectionDepthOrderAndTheCueBallRecord) {
    Equip(type::kThreeCushion);
    table->Rack().SetCueBallIndex(2);
    table->Physics().SetBallPosition(0, 0.0f, 40.0f, kRadius);   // far from the camera
    table->Physics().SetBallPosition(1, 0.0f, -40.0f, kRadius);  // near
    table->Physics().SetBallPosition(2, 50.0f, 0.0f, kRadius);
    table->Picking().ProjectBalls();
    const BallScreenInfo near = table->Picking().ScreenInfoAt(1);
    EXPECT_NEAR(near.screenX, Screen({0.0f, -40.0f, kRadius}).x, 1e-3);
    EXPECT_GT(near.screenRadius, table->Picking().ScreenInfoAt(0).screenRadius);
    table->Picking().SortBallScreenInfo();
    EXPECT_EQ(table->Picking().ScreenInfoAt(0).index, 0);
    EXPECT_EQ(table->Picking().ScreenInfoAt(2).index, 1);
    ASSERT_TRUE(table->Picking().CueBallScreenInfo().has_value());
    EXPECT_EQ(table->Picking().CueBallScreenInfo()->index, 2);
}

TEST_F(TablePickingTest, DraggedBallFollowsTheCursorInsideTheArea) {
    Equip(type::kThreeCushion);
    table->Picking().SetPlacementArea(2);
    DragCueBallTo({-50.0f, 20.0f, 0.0f});
    Vec3 placed = table->Physics().CachedPosition(0);
    EXPECT_NEAR(placed.x, -50.0f, 0.6f);
    EXPECT_NEAR(placed.y, 20.0f, 0.6f);

    // Far beyond the right end and the far side: it stops at the cushions.
    DragCueBallTo({300.0f, 80.0f, 0.0f});
    placed = table->Physics().CachedPosition(0);
    EXPECT_FLOAT_EQ(placed.x, 120.0f - kRadius - kMargin);
    EXPECT_FLOAT_EQ(placed.y, 60.0f - kRadius - kMargin);

    // Behind the head string.
    table->Picking().SetPlacementArea(1);
    DragCueBallTo({40.0f, 0.0f, 0.0f});
    EXPECT_FLOAT_EQ(table->Physics().CachedPosition(0).x, -60.0f - kMargin);

    // Without a held ball nothing moves.
    table->Picking().SetHeldBall(-1);
    table->Input().MoveHeldBall(0, Packed(10.0f, 10.0f));
    EXPECT_FLOAT_EQ(table->Physics().CachedPosition(0).x, -60.0f - kMargin);
}

TEST_F(TablePickingTest, BallInHandInTheD) {
    Equip(type::kSnooker);
    table->Picking().SetPlacementArea(1);
    const float unit = static_cast<float>(table->Physics().GetHalfTableSize());
    DragCueBallTo({0.0f, 0.0f, 0.0f});
    const Vec3 placed = table->Physics().CachedPosition(0);
    EXPECT_EQ(placed.x, -2.342f * unit);
    EXPECT_LE(std::fabs(placed.y), 0.6569f * unit);
}

TEST_F(TablePickingTest, PocketsArePickedByTheirScreenCircles) {
    Equip(type::kEightBall);
    const auto& pockets = table->Picking().PocketPositions();
    for (int32_t i = 0; i < 6; ++i) {
        const ScreenPoint at = Screen({pockets[i][0], pockets[i][1], 0.0f});
        EXPECT_EQ(table->Picking().PickPocketAt(static_cast<int32_t>(at.x), static_cast<int32_t>(at.y)), i + 1);
    }
    const ScreenPoint centre = Screen({0.0f, 0.0f, 0.0f});
    EXPECT_EQ(table->Picking().PickPocketAt(static_cast<int32_t>(centre.x), static_cast<int32_t>(centre.y)), -1);
}

}  // namespace
}  // namespace kestrovan
