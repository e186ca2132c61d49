#include "client/scenes/practice/SchoolTaskJudge.h"

#include <cmath>

namespace kestrovan {

namespace {

// The flags of the tasks that look for two states.
enum Flag : size_t {
    kYawRight,
    kYawLeft,
    kPitchLow,
    kPitchHigh,
    kNear,
    kFar,
    kTipLeft,
    kTipRight,
    kTipDown,
    kTipUp,
};

bool ShotWithin(const SchoolTableView& table, int32_t percent, int32_t shotsTaken, int32_t low, int32_t high) {
    return !table.shotRunning && shotsTaken > 0 && percent >= low && percent <= high;
}

}  // namespace

bool SchoolTaskJudge::IsBallInAimCone(const quill::Vec3& eye, const quill::Vec3& target, const quill::Vec3& cueBall,
                                      const quill::Vec3& ball) {
    float dx = target.x - eye.x;
    float dy = target.y - eye.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0.0f)) return false;
    dx /= length;
    dy /= length;
    const float bx = ball.x - cueBall.x;
    const float by = ball.y - cueBall.y;
    const float bz = ball.z - cueBall.z;
    const float distance = std::sqrt(bx * bx + by * by + bz * bz);
    if (!(distance > 0.0f)) return true;
    const float cosine = (dx * bx + dy * by) / distance;
    const float sine = std::sqrt(std::fmax(0.0f, 1.0f - cosine * cosine));
    return distance * sine < kAimConeRadius;
}

bool SchoolTaskJudge::Both(size_t a, bool first, size_t b, bool second) {
    if (first) flags_[a] = 1;
    if (second) flags_[b] = 1;
    return flags_[a] != 0 && flags_[b] != 0;
}

bool SchoolTaskJudge::Met(int32_t page, int32_t task, const SchoolTableView& table, int32_t powerPercent,
                          int32_t shotsTaken) {
    const bool shotCounts = shotsTaken > 0;
    switch (page * 10 + task) {
        case 41:
            return Both(kYawRight, table.yawDegrees > 50.0f && table.yawDegrees < 130.0f, kYawLeft,
                        table.yawDegrees > -220.0f && table.yawDegrees < -140.0f);
        case 42:
            return Both(kPitchLow, table.pitchDegrees < 10.0f, kPitchHigh, table.pitchDegrees > 50.0f);
        case 43:
            return Both(kNear, table.distance < 200.0f, kFar, table.distance > 400.0f);
        case 51:
        case 83:
        case 91:
            return shotCounts;
        case 71:
            return table.freeOrbitIdle && table.solidInAimCone;
        case 72:
            return table.freeOrbitIdle && table.stripeInAimCone;
        case 81:
            return Both(kTipLeft, table.tipX < -0.15f, kTipRight, table.tipX > 0.15f);
        case 82:
            return Both(kTipDown, table.tipY < -0.15f, kTipUp, table.tipY > 0.15f);
        case 411:
            return ShotWithin(table, powerPercent, shotsTaken, 5, 15);
        case 412:
            return ShotWithin(table, powerPercent, shotsTaken, 60, 80);
        case 421:
            return ShotWithin(table, powerPercent, shotsTaken, 15, 25);
        case 422:
            return ShotWithin(table, powerPercent, shotsTaken, 50, 70);
        case 501:
            return !table.shotRunning && table.elevationDegrees > 80.0f;
        case 511:
            return table.guideViewHeld &&
                   (table.tipX < -0.25f || table.tipX > 0.25f || table.tipY < -0.25f || table.tipY > 0.25f);
        case 512:
            return !table.shotRunning && shotCounts && powerPercent > 70;
        default:
            return false;
    }
}

}  // namespace kestrovan
