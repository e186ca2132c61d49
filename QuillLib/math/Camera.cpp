#include "QuillLib/math/Camera.h"

#include <cmath>
#include <utility>

namespace quill {

Camera::Camera(WStringView name) : SceneObject(name) {
    Reset();
}

Camera::Camera(WStringView name, const FourVec3& frame, const Projection& projection) : Camera(name) {
    SetFrame(frame);
    SetProjection(projection);
}

Camera* Camera::Clone() const {
    return new Camera(*this);
}

void Camera::ResetOrbit() {
    SceneObject::ResetOrbit();
    projection_ = Projection{};
    distanceFov_.enabled = 0;
    UpdateProjection();
}

void Camera::SetProjection(float shiftX, float shiftY, float fieldOfView, float aspectRatio, float nearDistance,
                           float farDistance) {
    SetProjection(Projection{shiftX, shiftY, fieldOfView, aspectRatio, nearDistance, farDistance});
}

void Camera::SetProjection(const Projection& projection) {
    projection_ = projection;
    UpdateProjection();
}

void Camera::SetFieldOfView(float fieldOfView) {
    distanceFov_.enabled = 0;
    projection_.fieldOfView = fieldOfView;
    UpdateProjection();
}

void Camera::SetAspectRatio(float aspectRatio) {
    if (std::fabs(aspectRatio - projection_.aspectRatio) >= kFloatEpsilon) {
        projection_.aspectRatio = aspectRatio;
        UpdateProjection();
    }
}

void Camera::SetDistanceFov(float distance1, float fov1, float distance2, float fov2) {
    if (distance2 < distance1) {
        std::swap(distance1, distance2);
        std::swap(fov1, fov2);
    }
    distanceFov_ = DistanceFov{1, distance1, fov1, distance2, fov2};
    Update();
}

void Camera::UpdateProjection() {
    if (projection_.fieldOfView > kMaxFieldOfView) {
        projection_.fieldOfView = kMaxFieldOfView;
    }
    const float half = projection_.fieldOfView * 0.5f;
    terms_.sinHalfFov = std::sin(half);
    terms_.tanHalfFov = std::tan(half);
    terms_.tanHalfVertical = terms_.tanHalfFov * projection_.aspectRatio;
    terms_.sinHalfVertical = std::sin(std::atan(terms_.tanHalfVertical));
    RebuildView();
}

void Camera::ApplyDistanceFov() {
    const DistanceFov& points = distanceFov_;
    const float distance = GetDistance();
    float fov;
    if (distance < points.distance1) {
        fov = points.fov1;
    } else if (distance > points.distance2) {
        fov = points.fov2;
    } else if (IsNearZero(points.distance2 - points.distance1)) {
        fov = points.fov1;
    } else {
        fov = points.fov1 +
              (points.fov2 - points.fov1) * (distance - points.distance1) / (points.distance2 - points.distance1);
    }
    projection_.fieldOfView = fov;
}

void Camera::Update() {
    if (distanceFov_.enabled != 0) {
        ApplyDistanceFov();
    }
    UpdateProjection();
}

float Camera::SideShift() const {
    return terms_.tanHalfFov * projection_.shiftX * GetDistance();
}

Vec3 Camera::GetPosition() const {
    return frame_.eye - basis_.right * SideShift();
}

void Camera::SetDistanceAlong(float distance, const Vec3& direction) {
    PlaceEyeAlong(distance, direction);
    Update();
}

void Camera::Translate(const Vec3& delta) {
    frame_.eye.AddInPlace(delta);
    frame_.target.AddInPlace(delta);
    shiftedTarget_.AddInPlace(delta);
    RebuildViewTranslation();
}

void Camera::RebuildView() {
    float distance = 0.0f;
    basis_.look = frame_.target - frame_.eye;
    basis_.look.Normalize(&distance);
    RebuildRight();
    // The vertical lens shift moves the point looked at along up, in proportion to the distance.
    shiftedTarget_ = frame_.target - frame_.up * (terms_.tanHalfVertical * projection_.shiftY * distance);
    basis_.look = shiftedTarget_ - frame_.eye;
    basis_.look.Normalize();
    RebuildRight();
    Vec3::Cross(basis_.viewUp, basis_.look, basis_.right);
    basis_.viewUp.Normalize();
    RebuildViewTranslation();
}

void Camera::RebuildViewTranslation() {
    SceneObject::RebuildViewTranslation();
    basis_.translation.x = SideShift() - Vec3::Dot(basis_.right, frame_.eye);
}

namespace {

// far / (far - near), 0 when the two are equal. The distances themselves are compared: two infinite ones differ
// by NaN, and under flushed denormals two tiny distinct ones differ by 0.
float DepthScale(const Camera::Projection& projection) {
    if (projection.farDistance == projection.nearDistance) {
        return 0.0f;
    }
    return projection.farDistance / (projection.farDistance - projection.nearDistance);
}

}  // namespace

void Camera::GetProjectionMatrix(Matrix4& out) const {
    const float q = DepthScale(projection_);
    out = Matrix4{};
    out.m[0] = 1.0f / terms_.tanHalfFov;
    out.m[5] = 1.0f / terms_.tanHalfVertical;
    out.m[10] = q;
    out.m[11] = 1.0f;
    out.m[14] = -q * projection_.nearDistance;
    out.m[15] = 0.0f;
}

void Camera::GetViewProjectionMatrix(Matrix4& out) const {
    const float q = DepthScale(projection_);
    const float tanX = terms_.tanHalfFov;
    const float tanY = terms_.tanHalfVertical;
    const Vec3& right = basis_.right;
    const Vec3& viewUp = basis_.viewUp;
    const Vec3& look = basis_.look;
    const float rows[3][3] = {{right.x, viewUp.x, look.x}, {right.y, viewUp.y, look.y}, {right.z, viewUp.z, look.z}};
    for (int i = 0; i < 3; ++i) {
        out.m[4 * i + 0] = rows[i][0] / tanX;
        out.m[4 * i + 1] = rows[i][1] / tanY;
        out.m[4 * i + 2] = rows[i][2] * q;
        out.m[4 * i + 3] = rows[i][2];
    }
    const Vec3& t = basis_.translation;
    out.m[12] = t.x / tanX;
    out.m[13] = t.y / tanY;
    out.m[14] = t.z * q - q * projection_.nearDistance;
    out.m[15] = t.z;
}

int Camera::ClassifySphere(const Vec3& centre, float radius, float* outDepth) const {
    const Vec3 p = centre - GetPosition();
    const float depth = Vec3::Dot(p, basis_.look);
    if (outDepth != nullptr) {
        *outDepth = depth;
    }
    const float nearDistance = projection_.nearDistance;
    const float farDistance = projection_.farDistance;
    if (nearDistance - radius > depth || farDistance + radius < depth) {
        return kOutside;
    }
    const float tanX = terms_.tanHalfFov;
    const float aspect = projection_.aspectRatio;
    // The sphere's reach measured along the view axis at which it touches a side plane.
    const float kx = radius / terms_.sinHalfFov;
    const float ky = radius / terms_.sinHalfVertical;
    const float x = Vec3::Dot(p, basis_.right);
    const float y = Vec3::Dot(p, basis_.viewUp);
    const float outerX = (depth + kx) * tanX;
    const float outerY = (depth + ky) * tanX * aspect;
    if (x < -outerX || x > outerX || y < -outerY || y > outerY) {
        return kOutside;
    }
    if (nearDistance + radius > depth || farDistance - radius < depth) {
        return kCrossing;
    }
    const float innerX = (depth - kx) * tanX;
    const float innerY = (depth - ky) * tanX * aspect;
    if (x < -innerX || x > innerX || y < -innerY || y > innerY) {
        return kCrossing;
    }
    return kInside;
}

void Camera::CopyViewStateFrom(const Camera& source) {
    CopyViewFrom(source);
    projection_ = source.projection_;
    shiftedTarget_ = source.shiftedTarget_;
    terms_ = source.terms_;
    distanceFov_ = source.distanceFov_;
}

}  // namespace quill
