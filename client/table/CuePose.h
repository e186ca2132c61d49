#pragma once
// Where the cue stick stands while a player aims: behind the cue ball along the aim, tilted up by the elevation,
// its tip at the strike point and drawn back by the pull-back. The stick model lies along +x with its tip at the
// origin. Pure.
#include "QuillLib/math/Transform.h"
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

struct CueAim {
    quill::Vec3 cueBall;   // the cue ball's centre
    float radius = 0.0f;   // the ball radius
    float yaw = 0.0f;      // radians: the aim direction, turned from +x about z
    float elevation = 0.0f;  // radians
    float tipOffsetX = 0.0f;  // the strike point, fractions of the radius (right, up)
    float tipOffsetY = 0.0f;
    float pullBack = 0.0f;    // along the stick; negative: drawn back
};

class CuePose {
public:
    // The tip's flat depth and rounding radius with which the contact depth is taken (the stock tip).
    static constexpr float kTipFlatDepth = 0.65f;
    static constexpr float kTipRounding = 3.0f;
    // The stick is placed this much above the ball's centre.
    static constexpr float kLift = 0.2f;

    // The unit aim direction in the bed plane.
    static quill::Vec3 AimDirection(float yaw);
    // The stick's placement for the aim.
    static quill::Transform StickTransform(const CueAim& aim);
    // The stick laid aside beyond the bed edge the aim line meets first (while the ambient effect shows);
    // halfLength and halfWidth are the bed's bounds.
    static quill::Transform LaidAsideTransform(const CueAim& aim, float halfLength, float halfWidth);
};

}  // namespace kestrovan
