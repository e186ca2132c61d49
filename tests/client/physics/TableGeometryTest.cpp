#include <gtest/gtest.h>

#include <cmath>

#include "client/physics/CushionRect.h"
#include "client/physics/PocketGeometry.h"
#include "client/physics/TableGeometry.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

struct KindExpectation {
    uint32_t kind;
    float halfLength, halfWidth, cushionWidth, railWidth, top, nose;
    uint8_t pockets;
    uint32_t flagB, cloth, cushionMode;
};

class TableGeometryTest : public PhysicsTest {};

TEST_F(TableGeometryTest, EveryKindHasItsSizesAndDerivedLines) {
    const KindExpectation kinds[] = {
        {0, 120.0f, 60.0f, 5.03f, 10.87f, 5.25f, 4.2f, 0, 0, 1, 0},
        {1, 127.5f, 63.75f, 4.7f, 11.5f, 4.7f, 4.1f, 1, 0, 1, 0},
        {2, 120.0f, 60.0f, 5.03f, 10.87f, 5.25f, 3.95f, 0, 0, 1, 0},
        {3, 120.0f, 60.0f, 5.03f, 10.87f, 5.25f, 3.7f, 0, 0, 4, 0},
        {4, 120.0f, 60.0f, 5.03f, 10.87f, 5.25f, 3.7f, 0, 1, 3, 1},
        {5, 120.0f, 60.0f, 5.03f, 10.87f, 5.25f, 3.95f, 0, 0, 0, 1},
        {6, 142.24f, 71.12f, 5.03f, 10.87f, 5.25f, 3.7f, 0, 1, 4, 0},
        {7, 142.24f, 71.12f, 5.03f, 10.87f, 5.25f, 3.7f, 0, 1, 4, 2},
        {8, 142.24f, 71.12f, 5.03f, 10.87f, 5.25f, 3.7f, 0, 1, 3, 2},
        {9, 127.5f, 63.75f, 4.7f, 11.5f, 4.7f, 3.5f, 1, 0, 1, 0},
        {10, 127.5f, 63.75f, 4.7f, 11.5f, 4.7f, 3.5f, 1, 0, 1, 0},
        {11, 177.8f, 88.9f, 4.7f, 11.5f, 4.7f, 3.14f, 1, 0, 1, 0},
    };
    for (const KindExpectation& e : kinds) {
        SCOPED_TRACE(e.kind);
        TableGeometry g;
        EXPECT_EQ(InitTableGeometry(e.kind, &g, kPhysicsModel10014), e.pockets);
        EXPECT_EQ(g.tableKind, e.kind);
        EXPECT_EQ(g.noseMaxX, e.halfLength);
        EXPECT_EQ(g.noseMinX, -e.halfLength);
        EXPECT_EQ(g.noseMaxY, e.halfWidth);
        EXPECT_EQ(g.noseMinY, -e.halfWidth);
        EXPECT_EQ(g.cushionWidth, e.cushionWidth);
        EXPECT_EQ(g.railWidth, e.railWidth);
        EXPECT_EQ(g.cushionTopHeight, e.top);
        EXPECT_EQ(g.cushionNoseHeight, e.nose);
        EXPECT_EQ(g.floorHeight, -71.5f);
        EXPECT_EQ(g.flagA, e.kind == 11 ? 1u : 0u);
        EXPECT_EQ(g.flagB, e.flagB);
        EXPECT_EQ(g.clothSubType, e.cloth);
        EXPECT_EQ(g.cushionMode, e.cushionMode);
        EXPECT_FLOAT_EQ(g.cushionBackMaxX, e.halfLength + e.cushionWidth);
        EXPECT_FLOAT_EQ(g.cushionBackMinX, -(e.halfLength + e.cushionWidth));
        EXPECT_FLOAT_EQ(g.cushionBackMaxY, e.halfWidth + e.cushionWidth);
        EXPECT_FLOAT_EQ(g.cushionBackMinY, -(e.halfWidth + e.cushionWidth));
        EXPECT_FLOAT_EQ(g.frameMaxX, e.halfLength + e.cushionWidth + e.railWidth);
        EXPECT_FLOAT_EQ(g.frameMinY, -(e.halfWidth + e.cushionWidth + e.railWidth));
    }
}

TEST_F(TableGeometryTest, PocketWordsOfThePocketKinds) {
    TableGeometry kind1;
    InitTableGeometry(1, &kind1);
    EXPECT_EQ(Bits(kind1.middlePocketOffset), 0x40AE6660u);
    EXPECT_EQ(Bits(kind1.pocketJaw8), 0x40AE6660u);
    EXPECT_EQ(kind1.pocketJaw0, 3.2f);
    EXPECT_EQ(kind1.pocketJaw1, 8.9f);
    EXPECT_EQ(kind1.pocketJaw4, 6.8f);
    EXPECT_EQ(kind1.pocketFloorHeight, -15.0f);

    TableGeometry kind9;
    InitTableGeometry(9, &kind9);
    EXPECT_EQ(Bits(kind9.middlePocketOffset), 0x40AE6666u);

    TableGeometry kind11;
    InitTableGeometry(11, &kind11);
    EXPECT_EQ(kind11.pocketJaw0, 1.322f);
    EXPECT_EQ(kind11.pocketJaw2, 7.991f);
    EXPECT_EQ(kind11.pocketJaw5, 4.7f);
    EXPECT_EQ(kind11.cornerPocketRadius, 5.2f);
}

TEST_F(TableGeometryTest, KindEightIsLaidOutAsSevenBeforeCode10012) {
    for (const uint32_t code : {0x10000u, 0x10001u, 0x1000Fu, 0x10010u, 0x10011u, 0x10012u, 0x10013u, 0x10014u}) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        const bool asSeven = code < 0x10012;
        TableGeometry g;
        InitTableGeometry(8, &g, code);
        EXPECT_EQ(g.tableKind, asSeven ? 7u : 8u);
        EXPECT_EQ(g.clothSubType, asSeven ? 4u : 3u);
        EXPECT_EQ(g.cushionMode, 2u);
    }
}

TEST_F(TableGeometryTest, FrameAndPlayingAreaTestsAreStrict) {
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}});
    PhysicsBall& ball = model->Ball(0);
    const TableGeometry& g = model->Geometry();
    ball.position.x = g.frameMaxX + ball.radiusCm;  // exactly on the widened frame line
    EXPECT_FALSE(ball.IsInsideBounds(0.0f));
    EXPECT_TRUE(ball.IsInsideBounds(0.01f));
    ball.position.x = g.noseMaxX - ball.radiusCm - 1.0f;
    EXPECT_TRUE(IsInsidePlayingArea(ball, g, 0.5f));
    EXPECT_FALSE(IsInsidePlayingArea(ball, g, 1.0f));
}

TEST_F(TableGeometryTest, CushionRectHoldsBallsOnOrInTheBed) {
    auto model = MakeModel(0x10014, 0, {{125.0f, 0.0f}});
    PhysicsBall& ball = model->Ball(0);
    const CushionRect rect = CushionRect::OfTable(model->Geometry());
    EXPECT_TRUE(rect.Contains(ball));
    ball.position.z = ball.radiusCm + 0.01f;
    EXPECT_FALSE(rect.Contains(ball));
    ball.position = {125.1f, 0.0f, 0.0f};
    EXPECT_FALSE(rect.Contains(ball));
}

TEST_F(TableGeometryTest, PocketCentresAndApproach) {
    auto model = MakeModel(0x10014, 1, {{0.0f, 0.0f}});
    const PocketGeometry pockets(model->Geometry());
    float x = 0.0f;
    float y = 0.0f;
    pockets.PocketCentre(1, &x, &y);
    EXPECT_FLOAT_EQ(x, -127.5f - 2.29f);
    EXPECT_FLOAT_EQ(y, -63.75f - 2.29f);
    pockets.PocketCentre(5, &x, &y);
    EXPECT_EQ(x, 0.0f);
    EXPECT_FLOAT_EQ(y, 63.75f + 5.4499969f);

    // Over pocket 6 but moving away from it: not approached; moving in: approached with its depth.
    PhysicsBall& ball = model->Ball(0);
    ball.position = {127.0f, 63.0f, ball.radiusCm};
    ball.velocity = {-1.0f, 0.0f, 0.0f};
    uint8_t pocket = 0;
    EXPECT_FALSE(ball.FindApproachedPocket(&pocket, nullptr));
    ball.velocity = {1.0f, 1.0f, 0.0f};
    float depth = 0.0f;
    ASSERT_TRUE(ball.FindApproachedPocket(&pocket, &depth));
    EXPECT_EQ(pocket, 6);
    EXPECT_LT(depth, 1.0f);
}

TEST_F(TableGeometryTest, RandomOrientationIsReproducible) {
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}, {10.0f, 0.0f}});
    model->Ball(0).SetRandomOrientation(1);
    model->Ball(1).SetRandomOrientation(1);
    const quill::Quaternion& a = model->Ball(0).orientation;
    const quill::Quaternion& b = model->Ball(1).orientation;
    EXPECT_EQ(Bits(a.x), Bits(b.x));
    EXPECT_EQ(Bits(a.w), Bits(b.w));
    // Seed 1 draws 1103527590 first: 150 degrees.
    EXPECT_NEAR(a.w, std::cos(150.0 * 3.14159265 / 360.0), 1e-6);
    EXPECT_NEAR(a.Length(), 1.0f, 1e-6f);
}

}  // namespace
}  // namespace kestrovan::test
