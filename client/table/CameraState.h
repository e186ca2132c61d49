#pragma once
// The table's aim state: where the cue tip meets the cue ball, how far the cue is drawn back, the aim direction
// and point and the cue's elevation, with a glide that moves the aim to target values in equal frame steps
// (a watching client follows the shooter's aim this way, and the table re-aims with it).
//
// Angles are degrees. The aim yaw is kept in [0, 360). Not locked: the game thread owns it.
#include <cstdint>

namespace kestrovan {

class CameraState {
public:
    // Passed to SetTargets for a component that keeps its present value.
    static constexpr float kKeep = -1000000.0f;
    static constexpr float kRestingPullBack = -3.0f;
    static constexpr float kDefaultElevation = 2.6f;
    static constexpr float kMaxPullBack = 30.0f;

    // Tick results.
    static constexpr int kIdle = 0;
    static constexpr int kStepped = 1;
    static constexpr int kEnded = 2;

    // Every field at its default; no glide runs.
    void Reset();
    // The aim at rest: pull-back -3.0, tip offsets 0, aim point (1000, 0), elevation 2.6, yaw 0.
    void ResetAim();
    // Stores the yaw wrapped into [0, 360).
    void SetYawDegrees(float degrees);
    // pullBack = value, at most 30.0 and at least -backswingLimit.
    void SetPullBack(float value);
    // Glide targets; kKeep keeps the present value. The yaw target is wrapped into [0, 360).
    void SetTargets(float tipX, float tipY, float yaw, float elevation);
    // Starts the glide over frames frames (at least one), the yaw taking the short way round.
    void StartEase(int32_t frames);
    void StopEase();
    // Once per frame: kIdle without a glide, kStepped after a step, kEnded once after the last step.
    int Tick();

    float tipOffsetX = 0.0f;
    float tipOffsetY = 0.0f;
    float pullBack = kRestingPullBack;
    float aimYaw = 0.0f;
    float elevation = kDefaultElevation;
    float elevationCopy = kDefaultElevation;
    float aimPointX = 1000.0f;
    float aimPointY = 0.0f;
    float backswingLimit = 25.0f;
    int32_t backswingSteps = 100;
    bool changed = false;

    bool IsEasing() const { return easing_; }
    int32_t FramesLeft() const { return framesLeft_; }

private:
    struct Values {
        float tipX = 0.0f;
        float tipY = 0.0f;
        float yaw = 0.0f;
        float elevation = 0.0f;
    };

    void Step();

    Values targets_;
    Values steps_;
    bool easing_ = false;
    int32_t framesLeft_ = 0;
};

}  // namespace kestrovan
