#include "QuillLib/math/SceneObject.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/math/Quaternion.h"

namespace quill {

namespace {

// Below this squared length up x look is too short to give a right vector: up and look are parallel.
constexpr float kParallelCrossSquared = 2.5e-7f;
// Unless unclamped, an orbit keeps the eye this far (in polar angle) from the up axis.
constexpr float kPolarMargin = kPi / 200.0f;

// acos of a dot product of unit vectors. Rounding can push such a dot slightly past 1, which would make the
// angle (and the camera built from it) NaN; in range the result is unchanged.
float AcosOfUnitDot(float dot) {
    return std::acos(std::clamp(dot, -1.0f, 1.0f));
}

Vec3 Normalized(Vec3 v) {
    return v.Normalize();
}

Vec3 CrossOf(const Vec3& a, const Vec3& b) {
    Vec3 out;
    return Vec3::Cross(out, a, b);
}

// Below the minimum: the minimum; above the maximum: the maximum. Unlike std::clamp this stays defined for
// limits a scene description stored crossed.
float ClampToLimits(float value, float minimum, float maximum) {
    if (value < minimum) {
        return minimum;
    }
    if (value > maximum) {
        return maximum;
    }
    return value;
}

// The shared rule of the four limit setters: ignore a value within FLT_EPSILON of the present limit, clamp,
// and exchange the limits when the new one crosses the other.
void SetLowerLimit(float value, float low, float high, float& lower, float& upper) {
    if (std::fabs(value - lower) < kFloatEpsilon) {
        return;
    }
    value = ClampToLimits(value, low, high);
    if (value > upper) {
        lower = upper;
        upper = value;
    } else {
        lower = value;
    }
}

void SetUpperLimit(float value, float low, float high, float& lower, float& upper) {
    if (std::fabs(value - upper) < kFloatEpsilon) {
        return;
    }
    value = ClampToLimits(value, low, high);
    if (value < lower) {
        upper = lower;
        lower = value;
    } else {
        upper = value;
    }
}

}  // namespace

SceneObject::SceneObject(WStringView name) : NamedObject(name) {}

SceneObject::SceneObject(const SceneObject& other)
    : NamedObject(other),
      tag(other.tag),
      dirty(other.dirty),
      frame_(other.frame_),
      basis_(other.basis_),
      limits_(other.limits_) {}

void SceneObject::CopyViewFrom(const SceneObject& source) {
    frame_ = source.frame_;
    basis_ = source.basis_;
    limits_ = source.limits_;
    dirty = source.dirty;
}

void SceneObject::ResetFrame() {
    frame_.Reset();
    basis_ = Basis{};
}

void SceneObject::ResetOrbit() {
    frame_ = FourVec3{Vec3{0.0f, 0.0f, -1.0f}, Vec3{0.0f, 0.0f, 0.0f}, Vec3{0.0f, 0.0f, 1.0f}, Vec3{1.0f, 0.0f, 0.0f}};
    const uint8_t flag = limits_.flag;
    limits_ = LimitRecord{};
    limits_.flag = flag;
    Update();
}

void SceneObject::SetFrame(const Vec3& eye, const Vec3& target, const Vec3& up, const Vec3& side) {
    frame_.eye = eye;
    frame_.target = target;
    frame_.up = Normalized(up);
    frame_.side = Normalized(CrossOf(frame_.up, CrossOf(frame_.up, side)));
    Update();
}

Vec3 SceneObject::GetPosition() const {
    return frame_.eye;
}

float SceneObject::GetDistance() const {
    return (frame_.target - frame_.eye).Length();
}

void SceneObject::SetDistance(float distance) {
    SetDistanceAlong(distance, frame_.eye - frame_.target);
}

void SceneObject::PlaceEyeAlong(float distance, const Vec3& direction) {
    const float clamped = ClampToLimits(distance, limits_.minDistance, limits_.maxDistance);
    frame_.eye = frame_.target + Normalized(direction) * clamped;
}

void SceneObject::SetDistanceAlong(float distance, const Vec3& direction) {
    PlaceEyeAlong(distance, direction);
    RebuildView();
}

void SceneObject::Translate(const Vec3& delta) {
    frame_.eye.AddInPlace(delta);
    frame_.target.AddInPlace(delta);
    RebuildViewTranslation();
}

float SceneObject::GetYaw() const {
    const Vec3& up = frame_.up;
    const Vec3 horizontal = Normalized(CrossOf(up, CrossOf(up, basis_.look)));
    const float angle = AcosOfUnitDot(Vec3::Dot(horizontal, frame_.side));
    return Vec3::Dot(CrossOf(frame_.side, horizontal), up) >= 0.0f ? angle : -angle;
}

float SceneObject::GetPitch() const {
    return kHalfPi - AcosOfUnitDot(Vec3::Dot(Normalized(frame_.eye - frame_.target), frame_.up));
}

void SceneObject::SetYaw(float angle) {
    const float delta = angle - GetYaw();
    if (std::fabs(delta) >= kFloatEpsilon) {
        Orbit(-delta, 0.0f, false);
    }
}

void SceneObject::SetPitch(float angle, bool unclamped) {
    angle = ClampToLimits(angle, limits_.minPitch, limits_.maxPitch);
    const float delta = angle - GetPitch();
    if (std::fabs(delta) >= kFloatEpsilon) {
        Orbit(0.0f, delta, unclamped);
    }
}

void SceneObject::Orbit(float yaw, float pitch, bool unclamped) {
    if (std::fabs(yaw) < kFloatEpsilon && std::fabs(pitch) < kFloatEpsilon) {
        return;
    }
    OrbitStep(yaw, -pitch, unclamped);
    RebuildView();
}

void SceneObject::OrbitDegrees(float yaw, float pitch, bool unclamped) {
    Orbit(DegreesToRadians(yaw), DegreesToRadians(pitch), unclamped);
}

void SceneObject::OrbitStep(float yaw, float polarDelta, bool unclamped) {
    // Polar angles are measured from up: the pitch limits become limits on the polar angle.
    float low = kHalfPi - limits_.maxPitch;
    float high = kHalfPi - limits_.minPitch;
    if (!unclamped) {
        low = std::max(low, kPolarMargin);
        high = std::min(high, kPi - kPolarMargin);
    }
    const Vec3& up = frame_.up;
    float radius = 0.0f;
    Vec3 d = frame_.eye - frame_.target;
    d.Normalize(&radius);
    const float polar = AcosOfUnitDot(Vec3::Dot(d, up));
    Vec3 axis = CrossOf(up, d);
    if (Vec3::Dot(axis, axis) <= kParallelCrossSquared) {
        axis = basis_.right;  // the eye is on the up axis: pitch about the camera's right vector
    } else {
        axis.Normalize();
    }
    if (polar + polarDelta < low) {
        polarDelta = low - polar;
    } else if (polar + polarDelta > high) {
        polarDelta = high - polar;
    }
    Quaternion turn;
    if (std::fabs(polarDelta) >= kFloatEpsilon) {
        turn.FromAxisAngle(polarDelta, axis);
        d.Rotate(turn);
    }
    if (std::fabs(yaw) >= kFloatEpsilon) {
        turn.FromAxisAngle(-yaw, up);
        d.Rotate(turn);
    }
    frame_.eye = frame_.target + d * radius;
}

void SceneObject::MoveTargetTo(const Vec3& point) {
    Translate(point - frame_.target);
}

void SceneObject::SetTargetKeepRange(const Vec3& point) {
    const Vec3 oldDirection = frame_.eye - frame_.target;
    frame_.target = point;
    Update();
    const float distance = GetDistance();
    if (distance < limits_.minDistance || distance > limits_.maxDistance) {
        SetDistanceAlong(distance, oldDirection);
    }
}

void SceneObject::SetEye(const Vec3& eye) {
    frame_.eye = eye;
    Update();
}

void SceneObject::SetTarget(const Vec3& target) {
    frame_.target = target;
    Update();
}

void SceneObject::SetMinPitch(float angle) {
    SetLowerLimit(angle, -kHalfPi, kHalfPi, limits_.minPitch, limits_.maxPitch);
}

void SceneObject::SetMaxPitch(float angle) {
    SetUpperLimit(angle, -kHalfPi, kHalfPi, limits_.minPitch, limits_.maxPitch);
}

void SceneObject::SetMinDistance(float distance) {
    SetLowerLimit(distance, kMinDistance, kFloatMax, limits_.minDistance, limits_.maxDistance);
}

void SceneObject::SetMaxDistance(float distance) {
    SetUpperLimit(distance, kMinDistance, kFloatMax, limits_.minDistance, limits_.maxDistance);
}

float SceneObject::DepthOf(const Vec3& point) const {
    return Vec3::Dot(point - frame_.eye, basis_.look);
}

void SceneObject::GetViewMatrix(Matrix4& out) const {
    const Vec3 columns[3] = {basis_.right, basis_.viewUp, basis_.look};
    for (int col = 0; col < 3; ++col) {
        out.m[0 + col] = columns[col].x;
        out.m[4 + col] = columns[col].y;
        out.m[8 + col] = columns[col].z;
    }
    out.m[3] = 0.0f;
    out.m[7] = 0.0f;
    out.m[11] = 0.0f;
    out.m[12] = basis_.translation.x;
    out.m[13] = basis_.translation.y;
    out.m[14] = basis_.translation.z;
    out.m[15] = 1.0f;
}

void SceneObject::RebuildRight() {
    const Vec3 r = CrossOf(frame_.up, basis_.look);
    if (Vec3::Dot(r, r) > kParallelCrossSquared) {
        basis_.right = Normalized(r);
    }
}

void SceneObject::RebuildView() {
    basis_.look = Normalized(frame_.target - frame_.eye);
    RebuildRight();
    basis_.viewUp = Normalized(CrossOf(basis_.look, basis_.right));
    RebuildViewTranslation();
}

void SceneObject::RebuildViewTranslation() {
    const Vec3& eye = frame_.eye;
    basis_.translation =
        Vec3{-Vec3::Dot(basis_.right, eye), -Vec3::Dot(basis_.viewUp, eye), -Vec3::Dot(basis_.look, eye)};
    limits_.flag = 1;
}

void SceneObject::Update() {
    RebuildView();
}

}  // namespace quill
