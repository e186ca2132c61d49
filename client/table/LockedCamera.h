#pragma once
// One engine camera call inside the camera's lock: the main thread draws through the same cameras that the game
// thread moves. Each operation takes the address of a camera pointer (the controller's slot of a camera mode);
// an empty slot makes it do nothing and answer zero. Angles at this interface are degrees.
#include "QuillLib/math/Camera.h"
#include "QuillLib/math/SceneObject.h"
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

using CameraRef = quill::Camera* const*;

quill::Vec3 LockedGetEye(CameraRef camera);
quill::SceneObject::LimitRecord LockedGetField(CameraRef camera);
float LockedGetFov(CameraRef camera);
float LockedGetYawDegrees(CameraRef camera);
float GetCameraPitchDegrees(CameraRef camera);
float LockedGetDistance(CameraRef camera);

void LockedSetFrame(CameraRef camera, const quill::Vec3& eye, const quill::Vec3& target, const quill::Vec3& up,
                    const quill::Vec3& side);
void LockedSetProjection(CameraRef camera, const quill::Camera::Projection& projection);
void LockedSetScreenRect(CameraRef camera, float distance1, float pitch1, float distance2, float pitch2);
void LockedSetTarget(CameraRef camera, const quill::Vec3& target);
void LockedSetEye(CameraRef camera, const quill::Vec3& eye);
void LockedSetMinDistance(CameraRef camera, float distance);
void LockedSetMaxDistance(CameraRef camera, float distance);
void LockedSetMinPitch(CameraRef camera, float radians);
void LockedSetMaxPitch(CameraRef camera, float radians);
// The yaw in radians, for a value that must be exact.
void LockedSetYaw(CameraRef camera, float radians);
void LockedSetYawDegrees(CameraRef camera, float degrees);
void LockedSetPitchDegrees(CameraRef camera, float degrees);
void LockedSetDistance(CameraRef camera, float distance);
// Moves the camera so that the point it looks at lands on point.
void LockedMoveTargetTo(CameraRef camera, const quill::Vec3& point);

}  // namespace kestrovan
