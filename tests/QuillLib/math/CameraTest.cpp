#include <gtest/gtest.h>

#include <cmath>

#include "QuillLib/math/Camera.h"
#include "tests/QuillLib/math/MathExpect.h"

namespace quill {
namespace {

using test::ExpectMatrixNear;
using test::ExpectVecEq;
using test::ExpectVecNear;

constexpr float kPolarMargin = kPi / 200.0f;

// A camera 100 units from the target on -x, level with it, z up: it looks along +x and its right is +y. SetFrame
// reverses a side that is already perpendicular to up, so yaw is measured from +x.
Camera OrbitCamera() {
    Camera camera(u"orbit");
    camera.SetFrame(Vec3{-100.0f, 0.0f, 0.0f}, Vec3{0.0f, 0.0f, 0.0f}, Vec3{0.0f, 0.0f, 1.0f}, Vec3{-1.0f, 0.0f, 0.0f});
    return camera;
}

bool IsFinite(const Vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

TEST(CameraLimitsTest, SettersClampAndExchangeCrossedLimits) {
    Camera camera;
    camera.SetMinPitch(-0.5f);
    camera.SetMaxPitch(0.5f);
    camera.SetMinPitch(1.0f);
    EXPECT_EQ(camera.Limits().minPitch, 0.5f);
    EXPECT_EQ(camera.Limits().maxPitch, 1.0f);
    camera.SetMaxPitch(-3.0f);  // clamped to -pi/2, then below the minimum
    EXPECT_EQ(camera.Limits().minPitch, -kHalfPi);
    EXPECT_EQ(camera.Limits().maxPitch, 0.5f);
    camera.SetMinDistance(0.05f);
    EXPECT_EQ(camera.Limits().minDistance, 0.1f);
}

TEST(CameraDistanceTest, EyeIsKeptWithinTheDistanceLimits) {
    Camera camera = OrbitCamera();
    camera.SetMinDistance(50.0f);
    camera.SetMaxDistance(150.0f);
    camera.SetDistance(500.0f);
    ExpectVecNear(camera.Eye(), {-150, 0, 0}, 1e-4f);
    // A new target moves the eye only when the distance leaves the limits, and then along the old direction.
    camera.SetTargetKeepRange(Vec3{-20, 0, 0});
    ExpectVecEq(camera.Eye(), -150, 0, 0);
    camera.SetTargetKeepRange(Vec3{-130, 30, 0});
    ExpectVecNear(camera.Eye(), {-180, 30, 0}, 1e-4f);
}

TEST(CameraOrbitTest, YawTurnsFromTheSideAboutUpAndPitchRaisesTheEye) {
    Camera camera = OrbitCamera();
    camera.SetYaw(0.7f);
    camera.SetPitch(0.4f, false);
    EXPECT_NEAR(camera.GetYaw(), 0.7f, 1e-5f);
    EXPECT_NEAR(camera.GetPitch(), 0.4f, 1e-5f);
    const float level = 100.0f * std::cos(0.4f);
    ExpectVecNear(camera.Eye(), {level * std::cos(0.7f), level * std::sin(0.7f), 100.0f * std::sin(0.4f)}, 1e-3f);
}

TEST(CameraOrbitTest, PitchStopsAtTheLimitsAndShortOfTheUpAxisUnlessUnclamped) {
    Camera camera = OrbitCamera();
    camera.SetMaxPitch(0.5f);
    camera.Orbit(0.0f, 1.2f, false);
    EXPECT_NEAR(camera.GetPitch(), 0.5f, 2e-6f);

    camera.SetMaxPitch(kHalfPi);
    camera.Orbit(0.0f, 3.0f, false);
    EXPECT_NEAR(camera.GetPitch(), kHalfPi - kPolarMargin, 2e-6f);
    camera.Orbit(0.0f, -4.0f, false);
    EXPECT_NEAR(camera.GetPitch(), -kHalfPi + kPolarMargin, 2e-6f);
    camera.Orbit(0.0f, 4.0f, true);
    EXPECT_NEAR(camera.GetPitch(), kHalfPi, 1e-3f);
}

TEST(CameraOrbitTest, EyeAboveTheTargetPitchesAboutTheRightVector) {
    Camera camera = OrbitCamera();
    const Vec3 right = camera.View().right;
    camera.SetEye(Vec3{0, 0, 100});  // up x look is zero: the old right stays
    ExpectVecEq(camera.View().right, right.x, right.y, right.z);
    camera.Orbit(0.0f, -0.5f, true);
    ASSERT_TRUE(IsFinite(camera.Eye()));
    EXPECT_NEAR(camera.GetPitch(), kHalfPi - 0.5f, 1e-5f);
    EXPECT_NEAR(Vec3::Dot(camera.Eye(), right), 0.0f, 1e-4f);
}

TEST(CameraOrbitTest, RoundedUnitDotsNeverMakeTheCameraNaN) {
    // normalise(1, 0, 4) dotted with itself is 1.0000001 in floats: acos of it would be NaN.
    Vec3 probe{1, 0, 4};
    probe.Normalize();
    ASSERT_GT(Vec3::Dot(probe, probe), 1.0f);

    Camera camera;
    camera.SetFrame(Vec3{1, 0, 4}, Vec3{0, 0, 0}, Vec3{1, 0, 4}, Vec3{0, 1, 0});
    EXPECT_EQ(camera.GetPitch(), kHalfPi);
    camera.Orbit(0.2f, -0.3f, false);
    EXPECT_TRUE(IsFinite(camera.Eye()));
    EXPECT_TRUE(IsFinite(camera.View().look));
}

TEST(CameraProjectionTest, FieldOfViewIsCappedAndFollowsTheDistance) {
    Camera camera = OrbitCamera();
    camera.SetFieldOfView(3.0f);
    EXPECT_FLOAT_EQ(camera.FieldOfView(), 2.8274333f);

    camera.SetDistanceFov(40.0f, 1.0f, 20.0f, 0.8f);  // stored ordered by distance
    EXPECT_EQ(camera.FieldOfView(), 1.0f);            // 100 is beyond the far point
    camera.SetDistance(30.0f);
    EXPECT_FLOAT_EQ(camera.FieldOfView(), 0.9f);
    camera.SetFieldOfView(0.7f);  // turns the feature off
    camera.SetDistance(50.0f);
    EXPECT_EQ(camera.FieldOfView(), 0.7f);

    // Two points at the camera's own distance: no division by zero, the first field of view holds.
    Camera level = OrbitCamera();
    level.SetScreenRect(100.0f, 0.349f, 100.0f, 0.436f);
    EXPECT_EQ(level.FieldOfView(), 0.349f);
}

TEST(CameraProjectionTest, LeftHandedPerspectiveWithDepthFromZeroAtNearToOneAtFar) {
    Camera camera;
    camera.SetProjection(0.0f, 0.0f, kHalfPi, 0.5f, 10.0f, 1000.0f);
    Matrix4 projection;
    camera.GetProjectionMatrix(projection);
    EXPECT_FLOAT_EQ(projection.m[0], 1.0f);
    EXPECT_FLOAT_EQ(projection.m[5], 2.0f);  // the aspect ratio is height / width
    EXPECT_EQ(projection.m[11], 1.0f);
    EXPECT_EQ(projection.m[15], 0.0f);
    const auto depth = [&](float z) { return (z * projection.m[10] + projection.m[14]) / z; };
    EXPECT_NEAR(depth(10.0f), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(depth(1000.0f), 1.0f);

    // Equal near and far distances give no depth scale, also when both are infinite (their difference is NaN).
    for (float distance : {10.0f, INFINITY}) {
        camera.SetProjection(0.0f, 0.0f, kHalfPi, 0.5f, distance, distance);
        camera.GetProjectionMatrix(projection);
        EXPECT_EQ(projection.m[10], 0.0f) << distance;
    }
}

TEST(CameraProjectionTest, ViewProjectionIsTheProductOfViewAndProjection) {
    Camera camera = OrbitCamera();
    camera.SetProjection(0.1f, -0.2f, 1.1f, 0.6f, 5.0f, 2000.0f);
    camera.Orbit(0.4f, 0.3f, false);
    Matrix4 view;
    Matrix4 projection;
    camera.GetViewMatrix(view);
    camera.GetProjectionMatrix(projection);
    Matrix4 product;
    Matrix4::Multiply(product, view, projection);
    Matrix4 direct;
    camera.GetViewProjectionMatrix(direct);
    ExpectMatrixNear(direct, product, 1e-3f);
}

TEST(CameraViewTest, ViewIsLeftHandedFromThePositionMovedByTheLensShift) {
    Camera camera = OrbitCamera();
    camera.SetProjection(0.5f, 0.0f, kHalfPi, 0.75f, 10.0f, 10000.0f);
    camera.MoveTargetTo(Vec3{5, 6, 7});  // eye and target move together
    // tan(fov / 2) * shift * distance = 50 against the right vector.
    ExpectVecNear(camera.GetPosition(), {-95, -44, 7}, 1e-4f);
    Matrix4 view;
    camera.GetViewMatrix(view);
    Vec3 out;
    ExpectVecNear(TransformPoint(out, Vec3{-95, -44, 7}, view), {0, 0, 0}, 1e-4f);
    ExpectVecNear(TransformPoint(out, Vec3{5, -34, 27}, view), {10, 20, 100}, 1e-4f);
    EXPECT_FLOAT_EQ(camera.DepthOf(Vec3{5, -34, 27}), 100.0f);
}

TEST(CameraCullTest, ClassifiesSpheresAgainstTheFrustum) {
    Camera camera;  // field of view pi/4, aspect 0.75: at depth 500 the half width is about 207, the height 155
    camera.SetFrame(Vec3{0, 0, 0}, Vec3{0, 0, 100}, Vec3{0, 1, 0}, Vec3{1, 0, 0});
    const auto classify = [&](const Vec3& centre, float radius) {
        return camera.ClassifySphere(centre, radius, nullptr);
    };
    EXPECT_EQ(classify({0, 0, -20}, 5), Camera::kOutside);     // behind the near plane
    EXPECT_EQ(classify({0, 0, 12}, 5), Camera::kCrossing);     // across the near plane
    EXPECT_EQ(classify({0, 0, 500}, 1), Camera::kInside);      // well inside
    EXPECT_EQ(classify({0, 0, 10020}, 10), Camera::kOutside);  // past the far plane
    EXPECT_EQ(classify({207, 0, 500}, 5), Camera::kCrossing);  // on the side plane
    EXPECT_EQ(classify({0, 170, 500}, 1), Camera::kOutside);   // above the top plane, though within the half width
    float depth = 0.0f;
    camera.ClassifySphere(Vec3{0, 0, -20}, 5.0f, &depth);
    EXPECT_FLOAT_EQ(depth, -20.0f);
}

TEST(CameraStateTest, CopyViewStateTakesTheViewButNotTheIdentity) {
    Camera source = OrbitCamera();
    source.SetProjection(0.1f, 0.2f, 1.2f, 0.6f, 2.0f, 300.0f);
    source.SetDistanceFov(10.0f, 0.5f, 200.0f, 0.6f);
    source.dirty = 1;
    source.tag = 42;
    Camera view(u"");
    view.CopyViewStateFrom(source);
    EXPECT_EQ(view.tag, 0u);
    EXPECT_EQ(view.dirty, 1);
    const auto expectSameView = [&] {
        Matrix4 expected;
        Matrix4 copied;
        source.GetViewProjectionMatrix(expected);
        view.GetViewProjectionMatrix(copied);
        ExpectMatrixNear(copied, expected, 0.0f);
    };
    expectSameView();
    // A later zoom derives the field of view from the distance in the copy too.
    source.SetDistance(50.0f);
    view.SetDistance(50.0f);
    expectSameView();
}

}  // namespace
}  // namespace quill
