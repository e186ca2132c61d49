#pragma once
// The table's cue and aim: the aim's pose (where the cue tip meets the cue ball, the pull-back, the aim point and
// yaw, the cue's elevation and its highest value), the cue placed behind the cue ball clear of the balls and rails,
// the power of the stroke being charged with the mouse stroke's sampler, the chalk level, the called target ball
// or pocket and the screen's side option; with the HUD's power gauge and aiming cursor they drive.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "QuillLib/math/Transform.h"
#include "client/table/CameraState.h"
#include "client/table/CuePose.h"
#include "client/table/StrokeSampler.h"

namespace kestrovan {

class GameTable;

class TableAim {
public:
    explicit TableAim(GameTable& table);
    TableAim(const TableAim&) = delete;
    TableAim& operator=(const TableAim&) = delete;

    // The aim's pose (angles in degrees).
    CameraState& Pose() { return pose_; }
    const CameraState& Pose() const { return pose_; }

    // --- the aim (the screens' input, events, updates and handlers) ---
    void SetAimParameters(float aimPointX, float aimPointY, float tipOffsetX, float tipOffsetY, float elevation);
    void AimEasedCamera(float aimPointX, float aimPointY, float tipOffsetX, float tipOffsetY, float elevation);
    // The three-cushion break: the strike point stays on the upper half and the cue low.
    bool InBreakLimits() const;
    // The strike point moved by the mouse (the render step's cue event), kept on the ball.
    void MoveTipOffset(int32_t dx, int32_t dy);
    // The cue raised or lowered by the mouse (the render step's cue event), within its limits.
    void ChangeElevation(int32_t dy);
    // The cue's highest elevation in degrees; with the flag (or above 88.4) 88.4.
    void SetElevationLimit(float degrees, bool useDefault);
    // Looking along the cue, the view keeps just above the cue's elevation.
    void PitchToElevation();

    // --- the cue pose ---
    // Raises the cue's elevation so that the stick clears the balls and rails, and places the cue model.
    void UpdateCueModel();
    CueAim CurrentCueAim(float pullBack) const;
    // The cue where it strikes the ball.
    quill::Transform ImpactTransform() const;

    // --- the stroke ---
    void SetPower(float power) { power_ = power; }
    float Power() const { return power_; }
    void SetChalkLevel(int32_t level) { chalkLevel_ = level; }
    int32_t ChalkLevel() const { return chalkLevel_; }
    StrokeSampler& Stroke() { return stroke_; }
    const StrokeSampler& Stroke() const { return stroke_; }
    // What the mouse stroke reads of the options, the gauge and the player's cue.
    StrokeContext MakeStrokeContext() const;

    // --- the target ball and the called pocket ---
    void SetTargetMode(bool on);
    void SetTargetBall(int32_t ball);
    void ClearTargetBall(int32_t ignored = 0);
    // The target mode ends (the stroke is committed); the target ball stays.
    void LeaveTargetMode() { targetMode_ = false; }
    // The target ball is forgotten (the shot ended); the target mode stays.
    void ForgetTargetBall() { targetBall_ = -1; }
    // A click on a pocket calls it: the called pocket becomes the target ball.
    void CallPocket(int32_t pocket) { targetBall_ = static_cast<int8_t>(pocket); }
    bool TargetMode() const { return targetMode_; }
    int8_t TargetBall() const { return targetBall_; }
    // The value 2 toggles between 1 and 2 (new = 3 - old); any other value is stored.
    void SetSideOption(int32_t value);
    int32_t SideOption() const { return sideOption_; }

    // --- HUD: laid out on the game thread, drawn on the main thread ---
    void UpdatePowerGauge();
    void SetAimCursor(bool restore, bool warpBack, int32_t frame);

private:
    GameTable& table_;
    CameraState pose_;
    float power_ = 0.0f;
    int32_t chalkLevel_ = 0;
    StrokeSampler stroke_;
    bool targetMode_ = false;
    int8_t targetBall_ = -1;
    int32_t sideOption_ = 0;
    float elevationLimit_ = 88.4f;
    bool elevationLimitDefault_ = true;
};

}  // namespace kestrovan
