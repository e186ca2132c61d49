#pragma once
// A placed view object of a 3D scene: a look-at frame (eye, target, up and side references) with limits on
// pitch and distance, from which it derives an orthonormal view basis and a view matrix. Cameras orbit the
// eye about the target (yaw and pitch), zoom (distance) and pan (translate). Conventions are the engine's:
// row vectors, left-handed, radians.
//
// The object is shared between the thread that moves it and the render thread that copies it: every access
// from outside is bracketed by its lock.
#include <cstdint>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/NamedObject.h"
#include "QuillLib/math/FourVec3.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Vec3.h"

namespace quill {

class SceneObject : public NamedObject {
public:
    static constexpr float kMinDistance = 0.1f;

    // The record a scene description stores with each camera: the flag byte (the view-valid flag, set whenever
    // the view translation is rebuilt), the limits, and one word that descriptions do not store.
    struct LimitRecord {
        uint8_t flag = 0;
        float minPitch = -kHalfPi;
        float maxPitch = kHalfPi;
        float unstored = 0.0f;
        float minDistance = kMinDistance;
        float maxDistance = kFloatMax;
    };

    // The view basis: unit look, right and view-up vectors, and the view translation.
    struct Basis {
        Vec3 look{0.0f, 0.0f, -1.0f};
        Vec3 right{1.0f, 0.0f, 0.0f};
        Vec3 viewUp{0.0f, 1.0f, 0.0f};
        Vec3 translation;
    };

    explicit SceneObject(WStringView name = u"");
    // A copy has the source's identity and view but a lock of its own.
    SceneObject(const SceneObject& other);
    SceneObject& operator=(const SceneObject&) = delete;
    ~SceneObject() override = default;

    SceneObject* Clone() const override = 0;

    // Eye, target, up and side as after construction; look (0, 0, -1), right (1, 0, 0), view up (0, 1, 0).
    void ResetFrame();
    // Eye (0, 0, -1), target 0, up (0, 0, 1), side (1, 0, 0), default limits, then Update.
    virtual void ResetOrbit();
    // Copies the frame, normalises up and makes side normalise(up x (up x side)), then Update. For a unit up
    // that is the negated part of side perpendicular to up: a side already perpendicular comes out reversed.
    void SetFrame(const Vec3& eye, const Vec3& target, const Vec3& up, const Vec3& side);
    void SetFrame(const FourVec3& frame) { SetFrame(frame.eye, frame.target, frame.up, frame.side); }

    virtual Vec3 GetPosition() const;
    float GetDistance() const;
    // SetDistanceAlong(d, eye - target).
    void SetDistance(float distance);
    // Places the eye at the distance (clamped to the limits) from the target along direction, then rebuilds.
    virtual void SetDistanceAlong(float distance, const Vec3& direction);
    // Moves eye and target by delta.
    virtual void Translate(const Vec3& delta);

    // The signed angle about up between side and the horizontal direction from the target toward the eye.
    float GetYaw() const;
    // The elevation of the eye above the target: pi/2 minus the angle between eye - target and up.
    float GetPitch() const;
    void SetYaw(float angle);
    // Clamped to the pitch limits; unclamped lets the orbit reach the up axis.
    void SetPitch(float angle, bool unclamped);
    void SetYawDegrees(float degrees) { SetYaw(DegreesToRadians(degrees)); }
    void SetPitchDegrees(float degrees) { SetPitch(DegreesToRadians(degrees), false); }
    // Turns the eye about the target: yaw about up, pitch toward up; nothing below FLT_EPSILON in both.
    void Orbit(float yaw, float pitch, bool unclamped);
    void OrbitDegrees(float yaw, float pitch, bool unclamped);
    // Moves eye and target so that the target lands on point.
    void MoveTargetTo(const Vec3& point);
    // Sets the target, recomputes, and when the distance then falls outside the limits places the eye at the
    // clamped distance along the old direction from the target to the eye.
    void SetTargetKeepRange(const Vec3& point);
    // Store a new eye or target and recompute.
    void SetEye(const Vec3& eye);
    void SetTarget(const Vec3& target);

    // Limit setters: a value within FLT_EPSILON of the present limit is ignored; pitch is clamped to
    // [-pi/2, pi/2] and distance to [0.1, FLT_MAX]; a minimum above the maximum (or a maximum below the
    // minimum) exchanges the two.
    void SetMinPitch(float angle);
    void SetMaxPitch(float angle);
    void SetMinDistance(float distance);
    void SetMaxDistance(float distance);
    const LimitRecord& Limits() const { return limits_; }
    // Stores a record as a scene description holds it, without checks.
    void SetLimits(const LimitRecord& limits) { limits_ = limits; }

    // (point - eye) . look
    float DepthOf(const Vec3& point) const;
    // Columns right, view up and look; the view translation in the last row.
    void GetViewMatrix(Matrix4& out) const;

    // 1 outside, 2 crossing, 3 inside the view volume of a sphere; outDepth (when given) gets its depth.
    virtual int ClassifySphere(const Vec3& centre, float radius, float* outDepth) const = 0;
    virtual int GetType() const = 0;
    virtual void GetProjectionMatrix(Matrix4& out) const = 0;
    virtual void GetViewProjectionMatrix(Matrix4& out) const = 0;
    // look = normalise(target - eye), right and view up rebuilt from it, then RebuildViewTranslation.
    virtual void RebuildView();
    // translation = -(right . eye, view up . eye, look . eye); sets the view-valid flag.
    virtual void RebuildViewTranslation();
    virtual void Update();

    const FourVec3& Frame() const { return frame_; }
    const Vec3& Eye() const { return frame_.eye; }
    const Vec3& Target() const { return frame_.target; }
    const Basis& View() const { return basis_; }

    // Held around every use of the object from another thread.
    CriticalSectionLock& GetLock() const { return lock_; }

    // The word that collecting scene objects by tag compares.
    uint32_t tag = 0;
    // Set when the object changed in a way the render scene must pick up.
    uint8_t dirty = 0;

protected:
    // eye = target + normalise(direction) * distance, the distance clamped to the limits.
    void PlaceEyeAlong(float distance, const Vec3& direction);
    // right = normalise(up x look) unless up and look are (nearly) parallel, when the old right stays.
    void RebuildRight();
    // Copies frame, basis, limits and the dirty byte, but neither identity, tag nor lock.
    void CopyViewFrom(const SceneObject& source);

    FourVec3 frame_;
    Basis basis_;
    LimitRecord limits_;

private:
    void OrbitStep(float yaw, float polarDelta, bool unclamped);

    mutable CriticalSectionLock lock_;
};

}  // namespace quill
