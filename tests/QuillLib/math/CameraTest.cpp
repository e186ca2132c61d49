#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/Camera.h"
#include "tests/QuillLib/math/MathExpect.h"

namespace quill {
namespace {

using test::ExpectMatrixNear;
using test::ExpectVecEq;
using test::ExpectVecNear;

constexpr float kPolarMargin = kPi / 200.0f;

// A look-at frame without projection, to compare the camera's view with the plain frame's.
class PlainFrame : public SceneObject {
public:
    PlainFrame* Clone() const override { return new PlainFrame(*this); }
    int ClassifySphere(const Vec3&, float, float*) const override { return 0; }
    int GetType() const override { return 0; }
    void GetProjectionMatrix(Matrix4&) const override {}
    void GetViewProjectionMatrix(Matrix4&) const override {}
};

// A camera 100 units from the target, level with it.
Camera OrbitCamera() {
    Camera camera(u"orbit");
    camera.SetFrame(Vec3{-100.0f, 0.0f, 0.0f}, Vec3{0.0f, 0.0f, 0.0f}, Vec3{0.0f, 0.0f, 1.0f}, Vec3{-1.0f, 0.0f, 0.0f});
    return camera;
}

TEST(CameraTest, ConstructedFromAFrameAndAProjection) {
    const FourVec3 frame{Vec3{0, -50, 20}, Vec3{0, 0, 0}, Vec3{0, 0, 3}, Vec3{1, 0, 0}};
    const Camera::Projection projection{0.0f, 0.0f, 1.0f, 0.5f, 1.0f, 500.0f};
    const Camera camera(u"Camera01", frame, projection);
    EXPECT_EQ(camera.name, u"Camera01");
    EXPECT_EQ(camera.id, NamedObject::kNoId);
    EXPECT_EQ(camera.GetType(), 2);
    EXPECT_EQ(camera.GetDistanceFov().enabled, 0);
    ExpectVecEq(camera.Eye(), 0, -50, 20);
    ExpectVecEq(camera.Frame().up, 0, 0, 1);
    // side = normalise(up x (up x side)): a side already perpendicular to up comes out reversed.
    ExpectVecEq(camera.Frame().side, -1, 0, 0);
    EXPECT_EQ(camera.GetProjection().aspectRatio, 0.5f);
    EXPECT_EQ(camera.Limits().maxPitch, kHalfPi);

    std::unique_ptr<Camera> copy(camera.Clone());
    EXPECT_EQ(copy->name, u"Camera01");
    ExpectVecEq(copy->Eye(), 0, -50, 20);
    EXPECT_EQ(copy->GetLock().Depth(), 0);
}

TEST(CameraLimitsTest, SettersClampAndExchange) {
    Camera camera;
    camera.SetMinPitch(-0.5f);
    camera.SetMaxPitch(0.5f);
    camera.SetMinPitch(1.0f);  // above the maximum: exchanged
    EXPECT_EQ(camera.Limits().minPitch, 0.5f);
    EXPECT_EQ(camera.Limits().maxPitch, 1.0f);

    camera.SetMaxPitch(2.0f);  // clamped to pi/2
    EXPECT_EQ(camera.Limits().maxPitch, kHalfPi);
    camera.SetMaxPitch(-3.0f);  // clamped to -pi/2, below the minimum: exchanged
    EXPECT_EQ(camera.Limits().minPitch, -kHalfPi);
    EXPECT_EQ(camera.Limits().maxPitch, 0.5f);
    camera.SetMaxPitch(0.5f + kFloatEpsilon / 2);  // within FLT_EPSILON: ignored
    EXPECT_EQ(camera.Limits().maxPitch, 0.5f);

    Camera pitchOnly;
    pitchOnly.SetMinPitch(2.0f);  // clamped first, then above the maximum of pi/2: no exchange needed
    EXPECT_EQ(pitchOnly.Limits().minPitch, kHalfPi);

    camera.SetMinDistance(0.05f);
    EXPECT_EQ(camera.Limits().minDistance, 0.1f);
    camera.SetMaxDistance(50.0f);
    camera.SetMinDistance(80.0f);
    EXPECT_EQ(camera.Limits().minDistance, 50.0f);
    EXPECT_EQ(camera.Limits().maxDistance, 80.0f);
}

TEST(CameraDistanceTest, DistanceIsClampedToTheLimits) {
    Camera camera = OrbitCamera();
    EXPECT_FLOAT_EQ(camera.GetDistance(), 100.0f);
    camera.SetMaxDistance(60.0f);
    camera.SetDistance(500.0f);
    EXPECT_FLOAT_EQ(camera.GetDistance(), 60.0f);
    ExpectVecNear(camera.Eye(), -60, 0, 0, 1e-5f);
    camera.SetDistanceAlong(0.0f, Vec3{0, 1, 0});
    ExpectVecNear(camera.Eye(), 0, 0.1f, 0);

    camera.MoveTargetTo(Vec3{10, 20, 30});
    ExpectVecEq(camera.Target(), 10, 20, 30);
    ExpectVecNear(camera.Eye(), 10, 20.1f, 30, 1e-5f);
    EXPECT_FLOAT_EQ(camera.DepthOf(Vec3{10, 10, 30}), 10.1f);
}

TEST(CameraDistanceTest, SetTargetKeepRangeReplacesTheEyeOnlyOutsideTheLimits) {
    Camera camera = OrbitCamera();
    camera.SetMinDistance(50.0f);
    camera.SetMaxDistance(150.0f);
    camera.SetTargetKeepRange(Vec3{20, 0, 0});
    ExpectVecEq(camera.Eye(), -100, 0, 0);  // 120 is within the limits
    camera.SetTargetKeepRange(Vec3{-90, 0, 0});
    EXPECT_FLOAT_EQ(camera.GetDistance(), 50.0f);
    ExpectVecNear(camera.Eye(), -140, 0, 0, 1e-4f);  // along the old direction from the target to the eye
}

TEST(CameraOrbitTest, YawAndPitchRoundTrip) {
    Camera camera = OrbitCamera();
    EXPECT_NEAR(camera.GetPitch(), 0.0f, 1e-6f);
    camera.SetYaw(0.7f);
    EXPECT_NEAR(camera.GetYaw(), 0.7f, 1e-5f);
    camera.SetPitch(0.4f, false);
    EXPECT_NEAR(camera.GetPitch(), 0.4f, 1e-5f);
    EXPECT_NEAR(camera.GetYaw(), 0.7f, 1e-5f);
    EXPECT_FLOAT_EQ(camera.GetDistance(), 100.0f);
    ExpectVecEq(camera.Target(), 0, 0, 0);

    camera.SetYawDegrees(-30.0f);
    EXPECT_NEAR(camera.GetYaw(), DegreesToRadians(-30.0f), 1e-5f);
    camera.SetPitchDegrees(10.0f);
    EXPECT_NEAR(camera.GetPitch(), DegreesToRadians(10.0f), 1e-5f);
}

TEST(CameraOrbitTest, SettingThePresentYawChangesNothing) {
    Camera camera = OrbitCamera();
    camera.Orbit(0.3f, 0.2f, false);
    const Vec3 before = camera.Eye();
    camera.SetYaw(camera.GetYaw());
    EXPECT_TRUE(camera.Eye().Equals(before));
    camera.Orbit(kFloatEpsilon / 2, -kFloatEpsilon / 2, false);
    EXPECT_TRUE(camera.Eye().Equals(before));
}

TEST(CameraOrbitTest, PitchStopsAtTheLimits) {
    Camera camera = OrbitCamera();
    camera.SetMaxPitch(0.5f);
    camera.Orbit(0.0f, 1.2f, false);
    EXPECT_NEAR(camera.GetPitch(), 0.5f, 2e-6f);

    // With the limit at pi/2 the orbit still keeps pi/200 away from the up axis...
    camera.SetMaxPitch(kHalfPi);
    camera.Orbit(0.0f, 3.0f, false);
    EXPECT_NEAR(camera.GetPitch(), kHalfPi - kPolarMargin, 2e-6f);
    camera.SetPitch(kHalfPi, false);
    EXPECT_LE(camera.GetPitch(), kHalfPi - kPolarMargin + 2e-6f);
    camera.Orbit(0.0f, -4.0f, false);
    EXPECT_NEAR(camera.GetPitch(), -kHalfPi + kPolarMargin, 2e-6f);

    // ...unless unclamped.
    camera.Orbit(0.0f, 4.0f, true);
    EXPECT_NEAR(camera.GetPitch(), kHalfPi, 1e-3f);
    EXPECT_FLOAT_EQ(camera.GetDistance(), 100.0f);
}

TEST(CameraOrbitTest, EyeAboveTheTargetPitchesAboutTheRightVector) {
    Camera camera = OrbitCamera();
    const Vec3 right = camera.View().right;
    camera.SetEye(Vec3{0, 0, 100});                               // straight above: up x d is zero
    ExpectVecEq(camera.View().right, right.x, right.y, right.z);  // the old right stays
    camera.Orbit(0.0f, -0.5f, true);
    EXPECT_TRUE(std::isfinite(camera.Eye().x) && std::isfinite(camera.Eye().y) && std::isfinite(camera.Eye().z));
    EXPECT_NEAR(camera.GetPitch(), kHalfPi - 0.5f, 1e-5f);
    EXPECT_NEAR(Vec3::Dot(camera.Eye(), right), 0.0f, 1e-4f);  // the eye turned in the plane across right
}

TEST(CameraOrbitTest, RoundedUnitDotsNeverMakeTheCameraNaN) {
    // normalise(1, 0, 4) dotted with itself is 1.0000001 in floats: acos of it would be NaN.
    Vec3 probe{1, 0, 4};
    probe.Normalize();
    ASSERT_GT(Vec3::Dot(probe, probe), 1.0f);

    Camera camera;
    camera.SetFrame(Vec3{1, 0, 4}, Vec3{0, 0, 0}, Vec3{1, 0, 4}, Vec3{0, 1, 0});
    EXPECT_EQ(camera.GetPitch(), kHalfPi);
    EXPECT_FALSE(std::isnan(camera.GetYaw()));
    camera.Orbit(0.2f, -0.3f, false);
    for (float v : {camera.Eye().x, camera.Eye().y, camera.Eye().z, camera.View().look.x, camera.View().viewUp.z}) {
        EXPECT_TRUE(std::isfinite(v));
    }
}

TEST(CameraProjectionTest, FieldOfViewIsCappedAndFollowsTheDistance) {
    Camera camera = OrbitCamera();
    camera.SetFieldOfView(3.0f);
    EXPECT_FLOAT_EQ(camera.FieldOfView(), 2.8274333f);

    camera.SetDistanceFov(40.0f, 1.0472f, 20.0f, 1.0123f);
    const Camera::DistanceFov& points = camera.GetDistanceFov();
    EXPECT_EQ(points.enabled, 1);
    EXPECT_EQ(points.distance1, 20.0f);
    EXPECT_EQ(points.fov1, 1.0123f);
    EXPECT_EQ(points.distance2, 40.0f);
    EXPECT_EQ(points.fov2, 1.0472f);
    EXPECT_EQ(camera.FieldOfView(), 1.0472f);  // 100 is beyond distance 2

    camera.SetDistance(30.0f);
    EXPECT_FLOAT_EQ(camera.FieldOfView(), (1.0123f + 1.0472f) / 2);
    camera.SetDistance(5.0f);
    EXPECT_EQ(camera.FieldOfView(), 1.0123f);

    camera.SetFieldOfView(0.9f);  // turns the feature off
    camera.SetDistance(50.0f);
    EXPECT_EQ(camera.FieldOfView(), 0.9f);

    // Equal distances keep the given order, and at that distance the first field of view holds.
    Camera level = OrbitCamera();
    ASSERT_EQ(level.GetDistance(), 100.0f);
    level.SetScreenRect(100.0f, 0.349f, 100.0f, 0.436f);
    EXPECT_EQ(level.GetDistanceFov().fov1, 0.349f);
    EXPECT_EQ(level.FieldOfView(), 0.349f);
}

TEST(CameraProjectionTest, AspectRatioChangesOnlyBeyondEpsilon) {
    Camera camera;
    Matrix4 before;
    camera.GetProjectionMatrix(before);
    camera.SetAspectRatio(0.75f + kFloatEpsilon / 4);
    EXPECT_EQ(camera.GetProjection().aspectRatio, 0.75f);
    camera.SetAspectRatio(0.5625f);
    Matrix4 after;
    camera.GetProjectionMatrix(after);
    EXPECT_EQ(after.m[0], before.m[0]);
    EXPECT_FLOAT_EQ(after.m[5], before.m[5] * 0.75f / 0.5625f);
}

TEST(CameraProjectionTest, DepthRunsFromZeroAtNearToOneAtFar) {
    Camera camera;
    camera.SetProjection(0.0f, 0.0f, kHalfPi, 1.0f, 10.0f, 1000.0f);
    Matrix4 projection;
    camera.GetProjectionMatrix(projection);
    EXPECT_FLOAT_EQ(projection.m[0], 1.0f);
    EXPECT_EQ(projection.m[11], 1.0f);
    EXPECT_EQ(projection.m[15], 0.0f);
    const auto depth = [&](float z) { return (z * projection.m[10] + projection.m[14]) / z; };
    EXPECT_NEAR(depth(10.0f), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(depth(1000.0f), 1.0f);

    camera.SetProjection(0.0f, 0.0f, kHalfPi, 1.0f, 10.0f, 10.0f);
    camera.GetProjectionMatrix(projection);
    EXPECT_EQ(projection.m[10], 0.0f);
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
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(direct.m[i], product.m[i], 1e-4f * std::fmax(1.0f, std::fabs(product.m[i]))) << i;
    }
}

TEST(CameraProjectionTest, WithoutLensShiftTheCameraViewIsTheFrameView) {
    Camera camera = OrbitCamera();
    camera.Orbit(1.0f, 0.5f, false);
    PlainFrame frame;
    frame.SetFrame(camera.Eye(), camera.Target(), camera.Frame().up, Vec3{1, 0, 0});
    ExpectVecEq(camera.GetPosition(), camera.Eye().x, camera.Eye().y, camera.Eye().z);
    Matrix4 cameraView;
    Matrix4 frameView;
    camera.GetViewMatrix(cameraView);
    frame.GetViewMatrix(frameView);
    ExpectMatrixNear(cameraView, frameView, 0.0f);

    // A horizontal shift moves the position sideways by tan(fov / 2) * shift * distance.
    camera.SetProjection(0.5f, 0.0f, kHalfPi, 0.75f, 10.0f, 10000.0f);
    const Vec3 shifted = camera.GetPosition();
    const Vec3 expected = camera.Eye() - camera.View().right * (0.5f * 100.0f);
    ExpectVecNear(shifted, expected.x, expected.y, expected.z, 1e-4f);
}

TEST(CameraProjectionTest, TranslateMovesEveryPointAndTheViewTranslation) {
    Camera camera = OrbitCamera();
    camera.SetProjection(0.0f, 0.3f, 1.0f, 0.75f, 10.0f, 10000.0f);
    const Vec3 shiftedBefore = camera.ShiftedTarget();
    const Vec3 lookBefore = camera.View().look;
    camera.Translate(Vec3{5, 6, 7});
    ExpectVecEq(camera.ShiftedTarget(), shiftedBefore.x + 5, shiftedBefore.y + 6, shiftedBefore.z + 7);
    EXPECT_TRUE(camera.View().look.Equals(lookBefore));
    Vec3 eyeInView;
    Matrix4 view;
    camera.GetViewMatrix(view);
    TransformPoint(eyeInView, camera.Eye(), view);
    ExpectVecNear(eyeInView, 0, 0, 0, 1e-4f);
}

TEST(CameraCullTest, ClassifiesSpheresAgainstTheFrustum) {
    Camera camera;
    camera.SetFrame(Vec3{0, 0, 0}, Vec3{0, 0, 100}, Vec3{0, 1, 0}, Vec3{1, 0, 0});
    float depth = 0.0f;
    EXPECT_EQ(camera.ClassifySphere(Vec3{0, 0, -20}, 5.0f, &depth), Camera::kOutside);  // behind the near plane
    EXPECT_FLOAT_EQ(depth, -20.0f);
    EXPECT_EQ(camera.ClassifySphere(Vec3{0, 0, 12}, 5.0f, nullptr), Camera::kCrossing);  // touches the near plane
    EXPECT_EQ(camera.ClassifySphere(Vec3{0, 0, 500}, 1.0f, &depth), Camera::kInside);
    EXPECT_FLOAT_EQ(depth, 500.0f);
    EXPECT_EQ(camera.ClassifySphere(Vec3{0, 0, 10020}, 10.0f, nullptr), Camera::kOutside);  // past the far plane
    EXPECT_EQ(camera.ClassifySphere(Vec3{1000, 0, 500}, 1.0f, nullptr), Camera::kOutside);  // far to the side
    // At depth 500 the half width is 500 tan(pi/8), about 207: a sphere on that edge crosses it.
    EXPECT_EQ(camera.ClassifySphere(Vec3{207, 0, 500}, 5.0f, nullptr), Camera::kCrossing);
}

TEST(CameraStateTest, CopyViewStateTakesTheViewButNotTheIdentity) {
    Camera source = OrbitCamera();
    source.SetProjection(0.1f, 0.2f, 1.2f, 0.6f, 2.0f, 300.0f);
    source.SetDistanceFov(10.0f, 0.5f, 20.0f, 0.6f);
    source.dirty = 1;
    source.tag = 42;
    Camera view(u"");
    {
        ScopedLock lock(source.GetLock());
        view.CopyViewStateFrom(source);
    }
    EXPECT_TRUE(view.name.empty());
    EXPECT_EQ(view.tag, 0u);
    EXPECT_EQ(view.dirty, 1);
    EXPECT_TRUE(view.Eye().Equals(source.Eye()));
    EXPECT_EQ(view.GetProjection().farDistance, 300.0f);
    EXPECT_EQ(view.GetDistanceFov().distance2, 20.0f);
    Matrix4 a;
    Matrix4 b;
    source.GetViewProjectionMatrix(a);
    view.GetViewProjectionMatrix(b);
    ExpectMatrixNear(a, b, 0.0f);
}

}  // namespace
}  // namespace quill
