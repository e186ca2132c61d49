#pragma once
// The table's camera rig: the cameras of the camera modes with their one timed move (CameraController), the
// aiming camera a screen may hand the table, the camera and mouse options the application sets, the view the
// camera returns to behind the cue ball, and the matrix that takes cursor positions back onto the table.
// The camera moves keep their targets here; where they look (the cue ball) and how the cue is aimed they read
// from the physics and the aim they were made with.
//
// Threads: see the table in client/app/Scene.h; each camera access is made under that camera's own lock.
#include <cstdint>
#include <memory>

#include "QuillLib/math/Camera.h"
#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Vec3.h"
#include "client/table/CameraController.h"
#include "client/table/CameraState.h"
#include "client/table/SceneCameraSelector.h"

namespace kestrovan {

class TablePhysics;

class TableCameraRig {
public:
    static constexpr float kDefaultCameraDistance = 350.0f;
    static constexpr float kDefaultCameraPitch = 25.0f;

    // The application's camera and mouse options as the table keeps them.
    struct CameraOptions {
        int32_t cameraOption = 0;
        bool cameraFlagA = false;
        bool cameraFlagB = false;
        bool cameraFlagC = false;
        bool useCallerDistance = false;
        bool cameraForced = false;
        bool gaugeStroke = false;  // the power is taken from how far the cue was drawn back
        float strokeScale = 1.0f;
        float verticalOrbitScale = 1.0f;
        float horizontalOrbitScale = 1.0f;
        bool invertVertical = false;
        bool invertHorizontal = false;
    };

    TableCameraRig(TablePhysics& physics, const CameraState& aim);
    TableCameraRig(const TableCameraRig&) = delete;
    TableCameraRig& operator=(const TableCameraRig&) = delete;

    // --- camera moves (angles in degrees, times in seconds) ---
    void MoveCameraBehindCueBall(float distance, float seconds, bool keepPitch, bool useGivenDistance);
    void MoveCamera(float seconds, float distance, float pitch, bool lookAtCentre);
    void SetTopView(bool on);
    void FocusCameraOnCueBall();
    // Whether a timed camera move is running.
    bool IsCameraBusy() const { return controller_.IsMoving(); }

    // --- the cameras ---
    CameraController& GetCamera() { return controller_; }
    const CameraController& GetCamera() const { return controller_; }
    quill::Camera* const* GetCurrentCameraRef() const { return controller_.CurrentCameraRef(); }
    // A camera the table owns (a screen's own aiming camera), deleted with the table.
    void SetOwnedCamera(std::unique_ptr<quill::Camera> camera) { ownedCamera_ = std::move(camera); }
    // Creates the cameras of a table screen once its scene is loaded: variant 0 three cameras (modes 3, 2 and 1,
    // the last one current) that the scene takes over; variants 1 and 2 one aiming camera of the table's own.
    void SetupCameras(SceneCameraSelector& scene, int32_t variant);

    // --- options and the view behind the cue ball ---
    CameraOptions& Options() { return options_; }
    const CameraOptions& Options() const { return options_; }
    void SetCameraFlags(bool a, bool b, bool c, bool force);
    float DefaultCameraDistance() const { return defaultCameraDistance_; }
    float DefaultCameraPitch() const { return defaultCameraPitch_; }
    // The view behind the cue ball back to 350 and 25 degrees (a new game).
    void ResetDefaultView();
    // The current camera's distance and pitch become the view behind the cue ball (a shot starts).
    void KeepCurrentViewAsDefault();
    bool RefocusOnTopViewExit() const { return refocusOnTopViewExit_; }
    void SetRefocusOnTopViewExit(bool on) { refocusOnTopViewExit_ = on; }

    // --- cursor positions back onto the table ---
    // Rebuilds the matrix that takes cursor positions back to the table, from the current camera.
    void UpdateUnprojection();
    // The point on the plane z = planeZ under the client position (x, y) of a client area width x height.
    bool UnprojectCursor(float x, float y, float planeZ, uint16_t width, uint16_t height, quill::Vec3& out) const;

private:
    quill::Vec3 CueBallPosition() const;
    void MoveBehindCueBall(float yaw, float distance, float seconds, bool keepPitch, bool useGivenDistance);

    TablePhysics& physics_;
    const CameraState& aim_;
    CameraController controller_;
    std::unique_ptr<quill::Camera> ownedCamera_;
    CameraOptions options_;
    float defaultCameraDistance_ = kDefaultCameraDistance;
    float defaultCameraPitch_ = kDefaultCameraPitch;
    bool refocusOnTopViewExit_ = false;
    quill::Matrix4 viewProjection_;
};

}  // namespace kestrovan
