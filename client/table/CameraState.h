#pragma once
// The table's aim state: where the cue tip meets the cue ball, how far the cue is drawn back, the aim direction
// and point and the cue's elevation. It can glide to target values in equal frame steps (a watching client
// follows the shooter's aim this way, and the table re-aims with it), and it can play the cue's short
// draw-back-and-strike animation before a relayed shot. The shooter's client sends it to the other players as
// message AimState.
//
// Angles are degrees; the aim yaw is kept in [0, 360). No lock of its own: the table changes it under its table
// lock (the input, the update, the render step, a relayed aim), or hands a change to its next update
// (GameTable::ApplyRemoteRequests).
#include <cstdint>

#include "QuillLib/net/Packet.h"

namespace kestrovan {

class CameraState {
public:
    // Passed to SetTargets for a component that keeps its present value.
    static constexpr float kKeep = -1000000.0f;
    static constexpr float kRestingPullBack = -3.0f;
    static constexpr float kDefaultElevation = 2.6f;
    static constexpr float kMaxPullBack = 30.0f;
    static constexpr int32_t kDefaultBackswingSteps = 100;
    // The cue swings this many frames at most before the strike; the phases end it earlier.
    static constexpr int32_t kStrokeFrames = 400;

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
    // backswingLimit = steps x 0.22 + 3.0 (100 steps give 25.0, 120 give 29.4).
    void SetBackswingSteps(int32_t steps);

    // The values AimState relays, as they stand now.
    void SaveSnapshot();
    // Whether the tip offsets, elevation or yaw differ from the snapshot; when none does, stamp = now.
    bool CheckChanged(uint32_t nowMs);
    // True, and stamp = now, when more than 1000 ms passed since the stamp (unsigned, so the timer may wrap).
    bool CheckStampElapsed(uint32_t nowMs);

    // Glide targets; kKeep keeps the present value. The yaw target is wrapped into [0, 360).
    void SetTargets(float tipX, float tipY, float yaw, float elevation);
    // Starts the glide over frames frames (at least one), the yaw taking the short way round.
    void StartEase(int32_t frames);
    // Starts the cue's swing: drawn back to -15.0 and pushed to -2.0 swings times, then the last push.
    void StartStroke(int32_t swings);
    void StopEase();
    // Once per frame: kIdle without a glide, kStepped after a step, kEnded once after the last step.
    int Tick();

    // Message AimState (1210): aim point, tip offsets and elevation as float bits.
    void WriteAimState(quill::Packet& packet) const;

    float tipOffsetX = 0.0f;
    float tipOffsetY = 0.0f;
    float pullBack = kRestingPullBack;
    float aimYaw = 0.0f;
    float elevation = kDefaultElevation;
    float elevationCopy = kDefaultElevation;
    float aimPointX = 1000.0f;
    float aimPointY = 0.0f;
    float backswingLimit = 25.0f;
    int32_t backswingSteps = kDefaultBackswingSteps;
    bool changed = false;

    bool IsStroking() const { return strokeMode_; }
    int32_t FramesLeft() const { return framesLeft_; }
    uint32_t Stamp() const { return stamp_; }

private:
    struct Values {
        float tipX = 0.0f;
        float tipY = 0.0f;
        float yaw = 0.0f;
        float elevation = 0.0f;
    };

    void Step();
    void StepGlide();
    void StepStroke();

    uint32_t stamp_ = 0;
    Values snapshot_;
    Values targets_;
    Values steps_;
    bool easing_ = false;
    int32_t framesLeft_ = 0;
    bool strokeMode_ = false;
    int32_t strokePhase_ = 0;
};

}  // namespace kestrovan
