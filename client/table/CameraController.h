#pragma once
// The table's cameras, one per camera mode (1 aiming, 2 free orbit, 3 top view), and the one timed move of the
// current camera: distance, pitch, yaw and field of view, and optionally the point looked at, go to their targets
// in equal steps over a number of frames (200 frames are one second). A step never passes its target, so a move
// ends exactly on it.
//
// The controller does not own its cameras (the scene or the table does) and has no lock of its own: moves are
// started by the table's input, update and callers and stepped by its update, and every camera access is made
// under that camera's lock.
#include <array>
#include <cstdint>

#include "QuillLib/math/Camera.h"
#include "QuillLib/math/Vec3.h"
#include "client/table/SceneCameraSelector.h"

namespace kestrovan {

class CameraController {
public:
    static constexpr uint32_t kModeCount = 5;
    static constexpr uint32_t kAimingMode = 1;
    static constexpr uint32_t kTopViewMode = 3;
    // Passed to SetTarget and Retarget for a component that keeps its present value.
    static constexpr float kKeep = -100000.0f;

    // Tick results.
    static constexpr int kIdle = 0;
    static constexpr int kStepDue = 1;
    static constexpr int kEnded = 2;

    // What SaveView remembers of the current camera.
    struct SavedView {
        float pitch = 0.0f;  // degrees
        float distance = 0.0f;
        float yaw = 0.0f;  // degrees
        float fieldOfView = 0.0f;
        quill::Vec3 target;
    };

    void SetCamera(uint32_t mode, quill::Camera* camera);
    quill::Camera* GetCamera(uint32_t mode) const;
    quill::Camera* CurrentCamera() const { return GetCamera(mode_); }
    // The address of the current mode's camera pointer.
    quill::Camera* const* CurrentCameraRef() const;
    // The address of a mode's camera pointer (null outside the modes).
    quill::Camera* const* CameraRefOf(uint32_t mode) const;

    uint32_t Mode() const { return mode_; }
    void SetMode(uint32_t mode);
    void SetSceneCameraId(uint32_t mode, uint32_t id);
    // The scene camera id of mode; mode -1 is the current mode.
    uint32_t GetSceneCameraId(int32_t mode) const;
    void SetScene(SceneCameraSelector* scene) { scene_ = scene; }
    // The scene draws through the camera of the current mode.
    void ApplyMode();

    // Targets of the next move; a field of view in degrees.
    void SetTarget(float distance, float pitchDegrees, float yawDegrees, float fovDegrees);
    // The point the camera looks at at the end of the next move.
    void SetLookAt(const quill::Vec3& point);
    // New targets for the running move, whose remaining frames stay.
    void Retarget(float distance, float pitchDegrees, float yawDegrees, float fovDegrees);
    // Starts the move over frames frames (at least one); notify is reported by NotifyAtEnd.
    void StartMove(int32_t frames, uint8_t notify);
    // Ends the move where it stands; a look-at still asked for keeps the controller busy.
    void Stop();
    // The next move no longer moves the point looked at.
    void ClearLookAt() { lookAtMove_ = false; }
    // When the move ends, the camera is put on the looked-at point even if the move was cut short.
    void SetApplyAtEnd(bool apply) { applyAtEnd_ = apply; }
    // The destination mode's camera takes over the source mode's view (frame, limits, projection).
    void CopyCamera(uint32_t sourceMode, uint32_t destinationMode);
    // Once per frame: kIdle without a move, kStepDue when a step should follow, kEnded once at the end.
    int Tick();
    // One step of every component that moves.
    void Step();
    bool IsMoving() const { return running_ || lookAtMove_; }
    bool NotifyAtEnd() const { return notify_ != 0; }
    uint32_t FramesLeft() const { return framesLeft_; }

    void SaveView();
    const SavedView& Saved() const { return saved_; }

private:
    enum Component { kDistance, kPitch, kYaw, kFov, kComponentCount };

    struct Present {
        float values[kComponentCount] = {};
        quill::Vec3 target;
    };
    Present ReadPresent() const;
    void ApplyStep(quill::Camera& camera, const Present& present);

    std::array<quill::Camera*, kModeCount> cameras_{};
    std::array<uint32_t, kModeCount> sceneCameraIds_{};
    uint32_t mode_ = kAimingMode;
    SceneCameraSelector* scene_ = nullptr;

    uint32_t framesLeft_ = 0;
    bool running_ = false;
    uint8_t notify_ = 0;
    std::array<bool, kComponentCount> changes_{};
    bool lookAtMove_ = false;
    bool applyAtEnd_ = false;
    std::array<float, kComponentCount> targets_{};
    std::array<float, kComponentCount> steps_{};
    quill::Vec3 lookAtTarget_;
    quill::Vec3 lookAtStep_;
    SavedView saved_;
};

}  // namespace kestrovan
