#include "client/table/LockedCamera.h"

#include "QuillLib/core/ScopedLock.h"
#include "client/table/TableAngles.h"

namespace kestrovan {
namespace {

// Runs call on the camera under its lock; the default result when the slot is empty.
template <class Result, class Call>
Result WithCamera(CameraRef camera, Result empty, Call call) {
    if (camera == nullptr || *camera == nullptr) {
        return empty;
    }
    quill::ScopedLock hold((*camera)->GetLock());
    return call(**camera);
}

template <class Call>
void WithCamera(CameraRef camera, Call call) {
    if (camera != nullptr && *camera != nullptr) {
        quill::ScopedLock hold((*camera)->GetLock());
        call(**camera);
    }
}

}  // namespace

quill::Vec3 LockedGetEye(CameraRef camera) {
    return WithCamera(camera, quill::Vec3{}, [](quill::Camera& c) { return c.Eye(); });
}

quill::SceneObject::LimitRecord LockedGetField(CameraRef camera) {
    return WithCamera(camera, quill::SceneObject::LimitRecord{}, [](quill::Camera& c) { return c.Limits(); });
}

float LockedGetFov(CameraRef camera) {
    return WithCamera(camera, 0.0f, [](quill::Camera& c) { return c.FieldOfView(); });
}

float LockedGetYawDegrees(CameraRef camera) {
    return WithCamera(camera, 0.0f, [](quill::Camera& c) { return RadiansToDegrees(c.GetYaw()); });
}

float GetCameraPitchDegrees(CameraRef camera) {
    return WithCamera(camera, 0.0f, [](quill::Camera& c) { return RadiansToDegrees(c.GetPitch()); });
}

float LockedGetDistance(CameraRef camera) {
    return WithCamera(camera, 0.0f, [](quill::Camera& c) { return c.GetDistance(); });
}

void LockedSetFrame(CameraRef camera, const quill::Vec3& eye, const quill::Vec3& target, const quill::Vec3& up,
                    const quill::Vec3& side) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetFrame(eye, target, up, side); });
}

void LockedSetProjection(CameraRef camera, const quill::Camera::Projection& projection) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetProjection(projection); });
}

void LockedSetScreenRect(CameraRef camera, float distance1, float pitch1, float distance2, float pitch2) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetScreenRect(distance1, pitch1, distance2, pitch2); });
}

void LockedSetTarget(CameraRef camera, const quill::Vec3& target) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetTarget(target); });
}

void LockedSetEye(CameraRef camera, const quill::Vec3& eye) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetEye(eye); });
}

void LockedSetMinDistance(CameraRef camera, float distance) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetMinDistance(distance); });
}

void LockedSetMaxDistance(CameraRef camera, float distance) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetMaxDistance(distance); });
}

void LockedSetMinPitch(CameraRef camera, float radians) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetMinPitch(radians); });
}

void LockedSetMaxPitch(CameraRef camera, float radians) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetMaxPitch(radians); });
}

void LockedSetYaw(CameraRef camera, float radians) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetYaw(radians); });
}

void LockedSetYawDegrees(CameraRef camera, float degrees) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetYawDegrees(degrees); });
}

void LockedSetPitchDegrees(CameraRef camera, float degrees) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetPitchDegrees(degrees); });
}

void LockedSetDistance(CameraRef camera, float distance) {
    WithCamera(camera, [&](quill::Camera& c) { c.SetDistance(distance); });
}

void LockedMoveTargetTo(CameraRef camera, const quill::Vec3& point) {
    WithCamera(camera, [&](quill::Camera& c) { c.MoveTargetTo(point); });
}

}  // namespace kestrovan
