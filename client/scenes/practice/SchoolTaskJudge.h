#pragma once
// The school's task judging as rules alone: whether the current task of a page is met by the table as it is
// this frame (its camera's yaw, pitch and distance, the cue tip's contact point and elevation, the balls near
// the aim line) and by the shots taken since the last task was met. Tasks that ask for two states one after
// the other (the camera turned both ways, the tip moved to both sides) keep what they saw in flags, which
// stay set until Clear.
#include <array>
#include <cstdint>

#include "QuillLib/math/Vec3.h"

namespace kestrovan {

// What the judging reads of the table this frame.
struct SchoolTableView {
    float yawDegrees = 0.0f;
    float pitchDegrees = 0.0f;
    float distance = 0.0f;
    float tipX = 0.0f;  // the contact point, left and right
    float tipY = 0.0f;  // up and down
    float elevationDegrees = 0.0f;
    bool shotRunning = false;
    bool freeOrbitIdle = false;  // the Shift view, no camera move under way
    bool guideViewHeld = false;  // the 'V' key
    bool solidInAimCone = false;   // one of balls 1 to 8 lies on the aim line
    bool stripeInAimCone = false;  // one of balls 9 to 15
};

class SchoolTaskJudge {
public:
    static constexpr size_t kFlags = 21;
    static constexpr float kAimConeRadius = 0.2f;

    // Whether ball's centre lies within 0.2 of the line from the cue ball along the camera's horizontal view
    // (eye to target); balls behind the cue ball count too.
    static bool IsBallInAimCone(const quill::Vec3& eye, const quill::Vec3& target, const quill::Vec3& cueBall,
                                const quill::Vec3& ball);

    // Task (1-based) of the page is met. powerPercent: the last shot's power in whole percents, as the gauge
    // reports it (judged as such: a fraction computed on a thread that rounds toward zero falls below 5 % for
    // a 5 % shot); shotsTaken: the shots whose balls stopped since the last task was met.
    bool Met(int32_t page, int32_t task, const SchoolTableView& table, int32_t powerPercent, int32_t shotsTaken);
    void Clear() { flags_.fill(0); }

private:
    // Sets flag a when first holds and flag b when second holds; both set at last.
    bool Both(size_t a, bool first, size_t b, bool second);

    std::array<uint8_t, kFlags> flags_{};
};

}  // namespace kestrovan
