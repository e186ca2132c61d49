#include "client/table/CuePose.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Quaternion.h"
#include "client/table/CueClearance.h"

namespace kestrovan {
namespace {

using quill::Quaternion;
using quill::Vec3;

constexpr Vec3 kXAxis{1.0f, 0.0f, 0.0f};
constexpr Vec3 kYAxis{0.0f, 1.0f, 0.0f};
constexpr Vec3 kZAxis{0.0f, 0.0f, 1.0f};
constexpr float kAsideTurn = 0.3f;
constexpr float kAsideTilt = -1.0471976f;

Quaternion AxisAngle(float angle, const Vec3& axis) {
    Quaternion q;
    q.FromAxisAngle(angle, axis);
    return q;
}

// The turn about z by the yaw after the tilt about y that raises the butt by the elevation, for a stick whose
// butt lies along -x from its tip.
Quaternion StickRotation(float yaw, float elevation) {
    Quaternion rotation;
    return Quaternion::Multiply(rotation, AxisAngle(yaw, kZAxis), AxisAngle(elevation, kYAxis));
}

// The model's own placement: its butt lies along +x from the tip, so it is turned half round about z first.
Quaternion PlaceModel(const Quaternion& stickRotation) {
    Quaternion rotation;
    return Quaternion::Multiply(rotation, stickRotation, AxisAngle(quill::kPi, kZAxis));
}

// Distance from the point along the unit direction to the first bed edge it meets.
float DistanceToEdge(const Vec3& from, const Vec3& direction, float halfLength, float halfWidth) {
    float nearest = std::numeric_limits<float>::max();
    if (direction.x != 0.0f) {
        nearest = std::min(nearest, ((direction.x > 0.0f ? halfLength : -halfLength) - from.x) / direction.x);
    }
    if (direction.y != 0.0f) {
        nearest = std::min(nearest, ((direction.y > 0.0f ? halfWidth : -halfWidth) - from.y) / direction.y);
    }
    return nearest == std::numeric_limits<float>::max() ? 0.0f : std::max(nearest, 0.0f);
}

}  // namespace

Vec3 CuePose::AimDirection(float yaw) {
    return {std::cos(yaw), std::sin(yaw), 0.0f};
}

quill::Transform CuePose::StickTransform(const CueAim& aim) {
    const Quaternion rotation = StickRotation(aim.yaw, aim.elevation);
    Vec3 forward = kXAxis;  // from the butt to the tip
    forward.Rotate(rotation);
    const Vec3 flat = AimDirection(aim.yaw);
    const Vec3 right{flat.y, -flat.x, 0.0f};
    const float depth = CueTipContactDepth(aim.tipOffsetX, aim.tipOffsetY, kTipFlatDepth, kTipRounding, aim.radius);
    Vec3 position = aim.cueBall + Vec3{0.0f, 0.0f, kLift + aim.radius * aim.tipOffsetY};
    position = position + right * (aim.radius * aim.tipOffsetX);
    position = position - forward * (aim.radius - depth);
    position = position + forward * aim.pullBack;
    quill::Transform transform;
    transform.Set(position, {1.0f, 1.0f, 1.0f}, PlaceModel(rotation));
    return transform;
}

quill::Transform CuePose::LaidAsideTransform(const CueAim& aim, float halfLength, float halfWidth) {
    const Vec3 flat = AimDirection(aim.yaw);
    Quaternion rotation = StickRotation(aim.yaw, 0.0f);
    rotation.MultiplyInPlace(AxisAngle(kAsideTurn, kXAxis));
    rotation.MultiplyInPlace(AxisAngle(kAsideTilt, kYAxis));
    const float beyond =
        DistanceToEdge(aim.cueBall, flat, halfLength, halfWidth) + 60.0f * std::atan(kAsideTilt) + 40.0f;
    quill::Transform transform;
    transform.Set(aim.cueBall + flat * beyond, {1.0f, 1.0f, 1.0f}, PlaceModel(rotation));
    return transform;
}

}  // namespace kestrovan
