// The cushion test geometry, the deforming rebound, and the contact zone and settling of the 10010 series' pass.
#include <gtest/gtest.h>

#include <cmath>

#include "client/physics/CushionContactSearch.h"
#include "client/physics/CushionRebound.h"
#include "client/physics/CushionTest.h"
#include "client/physics/PhysicsConstants.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

class CushionGeometryTest : public PhysicsTest {
protected:
    static TableGeometry Table(uint32_t kind) {
        TableGeometry g;
        InitTableGeometry(kind, &g);
        return g;
    }
    struct Contact {
        bool touches = false;
        quill::Vec3 normal;
        float height = 0.0f;
        CushionFlags flags;
    };
    // The cushion test of a ball of radius 3.275 at p against the cushions of side, with fresh flags.
    static Contact Touch(const TableGeometry& g, bool rounded, quill::Vec3 p, uint8_t side) {
        const bool pockets = g.tableKind == 1 || g.tableKind >= 9;
        Contact contact;
        contact.touches =
            CushionTest(g, pockets, rounded).Test(p, 3.275f, side, &contact.normal, &contact.height, &contact.flags);
        return contact;
    }
};

TEST_F(CushionGeometryTest, StraightNoseContact) {
    const TableGeometry g = Table(0);
    const Contact nose = Touch(g, true, {118.0f, 0.0f, 3.275f}, 2);
    ASSERT_TRUE(nose.touches);
    EXPECT_EQ(nose.flags.nose, 1);
    EXPECT_EQ(nose.flags.upperFace, 0);
    EXPECT_EQ(nose.flags.jaw, 0u);
    EXPECT_EQ(nose.height, 4.2f);
    EXPECT_EQ(nose.normal.x, -3.275f) << "a nose contact is never closer than the radius horizontally";
    EXPECT_EQ(nose.normal.y, 0.0f);
    EXPECT_FLOAT_EQ(nose.normal.z, 3.275f - 4.2f);

    EXPECT_FALSE(Touch(g, true, {110.0f, 0.0f, 3.275f}, 2).touches) << "out of reach";
    EXPECT_FALSE(Touch(g, true, {118.0f, 0.0f, 3.275f}, 3).touches) << "not one side bit";
    EXPECT_FALSE(Touch(g, true, {118.0f, 0.0f, 9.0f}, 2).touches) << "above the cushion";
}

TEST_F(CushionGeometryTest, UpperFaceContactOfARaisedBall) {
    const Contact face = Touch(Table(0), true, {119.8f, 0.0f, 6.2f}, 2);
    ASSERT_TRUE(face.touches);
    EXPECT_EQ(face.flags.upperFace, 1);
    EXPECT_EQ(face.flags.nose, 0);
    // d = 0.2, h0 = 2: the distance from the face split by the face's slope.
    const float rise = 1.05f;
    const float length = std::sqrt(5.03f * 5.03f + rise * rise);
    const float distance = 0.2f * rise / length + 2.0f * 5.03f / length;
    EXPECT_NEAR(face.normal.x, -distance * rise / length, 1e-4f);
    EXPECT_NEAR(face.normal.z, distance * 5.03f / length, 1e-4f);
    EXPECT_NEAR(face.height, 4.2f + (2.0f * rise / length - 0.2f * 5.03f / length) * rise / length, 1e-4f);
}

TEST_F(CushionGeometryTest, CornerMouthTouchesNoCushion) {
    const TableGeometry g = Table(1);
    const quill::Vec3 inMouth{g.noseMinX - 1.0f, g.noseMinY - 1.0f, 3.275f};
    for (const uint8_t side : {1, 4}) {
        const Contact mouth = Touch(g, true, inMouth, side);
        EXPECT_FALSE(mouth.touches) << int{side};
        EXPECT_EQ(mouth.flags.jaw, 1u) << int{side};
    }
}

TEST_F(CushionGeometryTest, JawFaceNormalPointsToTheTable) {
    const TableGeometry g = Table(1);
    // The jaw of pocket 1 on the cushion at noseMinX runs from A (nose, 8.9 from the corner) to B (back, 3.2).
    const float ax = g.noseMinX;
    const float ay = g.noseMinY + 8.9f;
    const float bx = g.noseMinX - 4.7f;
    const float by = g.noseMinY + 3.2f;
    const float length = std::hypot(bx - ax, by - ay);
    const float perpX = (ay - by) / length;  // (5.7, -4.7) / |AB|: towards the table and the pocket
    const float perpY = (bx - ax) / length;
    const quill::Vec3 p{(ax + bx) / 2 + 2.0f * perpX, (ay + by) / 2 + 2.0f * perpY, 3.275f};
    const Contact jaw1 = Touch(g, false, p, 1);
    ASSERT_TRUE(jaw1.touches);
    EXPECT_EQ(jaw1.flags.jaw, 1u);
    EXPECT_EQ(jaw1.flags.nose, 0);
    EXPECT_NEAR(jaw1.normal.x, 2.0f * perpX, 1e-4f);
    EXPECT_NEAR(jaw1.normal.y, 2.0f * perpY, 1e-4f);
    EXPECT_EQ(jaw1.normal.z, 0.0f) << "within the face's band the contact is at the ball's own height";
    EXPECT_EQ(jaw1.height, 3.275f);

    // The same place at the jaw of pocket 6 on the cushion at noseMaxY, measured from that corner: the distance
    // along the cushion becomes -x and the depth into the table -y.
    const quill::Vec3 p6{g.noseMaxX - (p.y - g.noseMinY), g.noseMaxY - (p.x - g.noseMinX), 3.275f};
    const Contact jaw6 = Touch(g, false, p6, 8);
    ASSERT_TRUE(jaw6.touches);
    EXPECT_EQ(jaw6.flags.jaw, 6u);
    EXPECT_NEAR(jaw6.normal.x, -2.0f * perpY, 1e-4f);
    EXPECT_NEAR(jaw6.normal.y, -2.0f * perpX, 1e-4f);
}

TEST_F(CushionGeometryTest, RoundedJawEndsOfTheLargeTable) {
    const TableGeometry g = Table(11);
    // Pocket 1's jaw on the cushion at noseMinX: an arc of radius 7.991 about Q = A - 7.991 x (1, 0).
    const float qx = g.noseMinX - 7.991f;
    const float qy = g.noseMinY + 8.599f;
    const float angle = -0.5235988f;  // 30 degrees towards B
    const quill::Vec3 p{qx + 9.491f * std::cos(angle), qy + 9.491f * std::sin(angle), 3.275f};
    const Contact arc = Touch(g, true, p, 1);
    ASSERT_TRUE(arc.touches);
    EXPECT_EQ(arc.flags.jaw, 1u);
    EXPECT_NEAR(arc.normal.x, 1.5f * std::cos(angle), 1e-3f);
    EXPECT_NEAR(arc.normal.y, 1.5f * std::sin(angle), 1e-3f);

    // Past the line through Q and B the contact is the back end B at the cushion's top.
    const float bx = g.noseMinX - 4.7f;
    const float by = g.noseMinY + 1.322f;
    const Contact end = Touch(g, true, {bx - 0.5f, by + 0.7f, 3.275f}, 1);
    ASSERT_TRUE(end.touches);
    EXPECT_EQ(end.height, 4.7f);
    EXPECT_NEAR(end.normal.x, -0.5f, 1e-4f);
    EXPECT_NEAR(end.normal.y, 0.7f, 1e-4f);
    EXPECT_FLOAT_EQ(end.normal.z, 3.275f - 4.7f);
    EXPECT_EQ(end.flags.nose, 0);
}

class CushionReboundTest : public PhysicsTest {
protected:
    static PhysicsConstants Constants(float along, float across) {
        PhysicsConstants k;
        k[28] = 100000.0f;
        k[29] = 17.0f;
        k[18] = along;
        k[19] = across;
        return k;
    }
};

TEST_F(CushionReboundTest, AContactPushesTheBallOutUntilItLetsGo) {
    quill::Vec3 v{-1.0f, 0.3f, 0.0f};
    quill::Vec3 w;
    quill::Vec3 d;
    const PhysicsConstants k = Constants(0.21f, 0.18f);
    CushionReboundForm form;
    form.separateSlipTests = true;
    int steps = 0;
    while (CushionRebound::Step(v, w, FacingPlusX(), d, 0.03275f, 0.25f, 0.0131f, 0.000005f, k, form)) {
        ASSERT_LT(++steps, 100000);
    }
    EXPECT_GT(v.x, 0.0f) << "the ball leaves the cushion";
    EXPECT_LT(v.x, 1.0f) << "slower than it came";
    EXPECT_LT(v.y, 0.3f) << "friction along the cushion";

    // Moving away with no deformation: the contact ends at once and leaves the ball alone.
    quill::Vec3 away{0.5f, 0.0f, 0.0f};
    quill::Vec3 spin;
    quill::Vec3 none;
    EXPECT_FALSE(CushionRebound::Step(away, spin, FacingPlusX(), none, 0.03275f, 0.25f, 0.0131f, 0.000005f, k, form));
    EXPECT_EQ(away.x, 0.5f);
}

TEST_F(CushionReboundTest, WithoutFrictionTheDeformationStaysNormal) {
    quill::Vec3 v{-1.0f, 0.5f, 0.0f};
    quill::Vec3 w;
    quill::Vec3 d;
    const PhysicsConstants k = Constants(0.0f, 0.0f);
    ASSERT_TRUE(
        CushionRebound::Step(v, w, FacingPlusX(), d, 0.03275f, 0.25f, 0.0131f, 0.000005f, k, CushionReboundForm{}));
    ASSERT_TRUE(
        CushionRebound::Step(v, w, FacingPlusX(), d, 0.03275f, 0.25f, 0.0131f, 0.000005f, k, CushionReboundForm{}));
    EXPECT_GT(d.x, 0.0f);
    EXPECT_EQ(d.y, 0.0f);
    EXPECT_EQ(d.z, 0.0f);
}

class CushionZoneTest : public PhysicsTest {};

TEST_F(CushionZoneTest, OnlyTheClosedZoneCountsTheFarCushionBacksIn) {
    // The 10010 series' zone is the closed box of the cushion backs, the older models' the half-open one.
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}});
    PhysicsBall& ball = model->Ball(0);
    const TableGeometry& g = model->Geometry();
    struct Edge {
        float x, y;
        uint8_t closed, halfOpen;
    };
    for (const Edge& edge : {Edge{g.cushionBackMaxX, 0.0f, 2, 0}, Edge{0.0f, g.cushionBackMaxY, 8, 0},
                             Edge{g.cushionBackMinX, g.cushionBackMinY, 5, 5}}) {
        ball.position = {edge.x, edge.y, ball.radiusCm};
        EXPECT_EQ(CushionContactSearch::ZoneMask(g, ball, CushionContactSearch::BackBox::Closed), edge.closed);
        EXPECT_EQ(CushionContactSearch::ZoneMask(g, ball, CushionContactSearch::BackBox::HalfOpen), edge.halfOpen);
    }
}

TEST_F(CushionZoneTest, SettledContactsCountFourSubSteps) {
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}});
    PhysicsBall& ball = model->Ball(0);
    const quill::Vec3 normal{-3.0f, 0.0f, 0.0f};
    EXPECT_FALSE(model->IsCushionContactSettled(0, ball, normal)) << "not positive";
    ball.cushionPositive[0] = 1;
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(model->IsCushionContactSettled(0, ball, normal));
    }
    EXPECT_EQ(ball.cushionSteps[0], 4);
    ball.velocity = {1.0f, 0.0f, 0.0f};
    EXPECT_TRUE(model->IsCushionContactSettled(0, ball, normal)) << "moving into the cushion again";
    ball.velocity = {-1.0f, 0.0f, 0.0f};
    EXPECT_FALSE(model->IsCushionContactSettled(0, ball, normal));
}

}  // namespace
}  // namespace kestrovan::test
