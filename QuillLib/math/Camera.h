#pragma once
// The scene object that also projects: a perspective projection with a lens shift, a field of view that may
// follow the viewing distance, and a sphere-against-frustum test. The renderer takes its view and projection
// matrices from here; a render scene keeps one as its view record and copies the current camera into it.
#include <cstdint>

#include "QuillLib/math/SceneObject.h"

namespace quill {

class Camera : public SceneObject {
public:
    // The six projection values, in the order SetProjection takes them.
    struct Projection {
        float shiftX = 0.0f;
        float shiftY = 0.0f;
        float fieldOfView = kPi / 4;  // horizontal, radians
        float aspectRatio = 0.75f;    // height / width
        float nearDistance = 10.0f;
        float farDistance = 10000.0f;
    };

    // The two (distance, field of view) points of a field of view that follows the viewing distance.
    struct DistanceFov {
        uint8_t enabled = 0;
        float distance1 = 0.0f;
        float fov1 = 0.0f;
        float distance2 = 0.0f;
        float fov2 = 0.0f;
    };

    static constexpr int kType = 2;

    // Default frame, projection and limits, the distance-dependent field of view off.
    explicit Camera(WStringView name = u"");
    // As a scene description builds its cameras: then the frame and the projection set.
    Camera(WStringView name, const FourVec3& frame, const Projection& projection);
    Camera(const Camera& other) = default;

    Camera* Clone() const override;
    int GetType() const override { return kType; }

    // ResetOrbit, then the default projection (distance-dependent field of view off), then UpdateProjection.
    void ResetOrbit() override;
    void Reset() { ResetOrbit(); }

    void SetProjection(float shiftX, float shiftY, float fieldOfView, float aspectRatio, float nearDistance,
                       float farDistance);
    void SetProjection(const Projection& projection);
    // Turns the distance-dependent field of view off.
    void SetFieldOfView(float fieldOfView);
    // Ignored when within FLT_EPSILON of the present ratio.
    void SetAspectRatio(float aspectRatio);
    // Stores the two points ordered by distance (equal distances keep the given order) and turns the feature on.
    void SetDistanceFov(float distance1, float fov1, float distance2, float fov2);
    // The name scene descriptions and the table use for SetDistanceFov.
    void SetScreenRect(float x1, float y1, float x2, float y2) { SetDistanceFov(x1, y1, x2, y2); }
    // Caps the field of view at 0.9 pi, derives the half-angle terms, then RebuildView.
    void UpdateProjection();

    // The eye moved sideways by the lens shift.
    Vec3 GetPosition() const override;
    void SetDistanceAlong(float distance, const Vec3& direction) override;
    // Moves eye, target and shifted target.
    void Translate(const Vec3& delta) override;
    void RebuildView() override;
    void RebuildViewTranslation() override;
    // The distance-dependent field of view when on, then UpdateProjection.
    void Update() override;

    // Left-handed perspective: depth 0 at the near and 1 at the far distance.
    void GetProjectionMatrix(Matrix4& out) const override;
    // GetViewMatrix times GetProjectionMatrix, computed directly.
    void GetViewProjectionMatrix(Matrix4& out) const override;
    int ClassifySphere(const Vec3& centre, float radius, float* outDepth) const override;

    // Copies everything that describes the view (frame, limits, projection, dirty byte), not the identity,
    // tag or lock: how a render scene takes over its current camera.
    void CopyViewStateFrom(const Camera& source);

    const Projection& GetProjection() const { return projection_; }
    float FieldOfView() const { return projection_.fieldOfView; }
    const DistanceFov& GetDistanceFov() const { return distanceFov_; }

    static constexpr int kOutside = 1;
    static constexpr int kCrossing = 2;
    static constexpr int kInside = 3;

private:
    // The half-angle terms UpdateProjection derives.
    struct Terms {
        float sinHalfFov = 0.0f;
        float tanHalfFov = 0.0f;
        float sinHalfVertical = 0.0f;
        float tanHalfVertical = 0.0f;  // tan(fov / 2) * aspect
    };

    void ApplyDistanceFov();
    // tan(fov / 2) * shiftX * distance: how far the lens shift moves the eye sideways.
    float SideShift() const;

    Projection projection_;
    Vec3 shiftedTarget_;
    Terms terms_;
    DistanceFov distanceFov_;
};

}  // namespace quill
