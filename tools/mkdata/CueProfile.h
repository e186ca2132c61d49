#pragma once
// The shape of a cue: a surface of revolution along +x from the tip at the origin to the bumper at
// kLength (cm), with the lengths of its sections. The painter lays its sections out by the same lengths.
#include <vector>

#include "tools/mkdata/MeshBuilder.h"

namespace mkdata {

class CueProfile {
public:
    static constexpr float kLength = 145.0f;
    static constexpr float kTipEnd = 1.0f;
    static constexpr float kFerruleEnd = 3.5f;
    static constexpr float kJointStart = 73.5f;
    static constexpr float kJointEnd = 76.0f;
    static constexpr float kWrapStart = 100.0f;
    static constexpr float kWrapEnd = 128.0f;
    static constexpr float kBumperStart = 144.4f;

    // The profile between two lengths (whole cue: 0 to kLength); the ends are closed where the profile
    // starts at the tip or ends at the bumper.
    static std::vector<MeshBuilder::ProfilePoint> Between(float from, float to);
    // The radius (cm) at a length.
    static float RadiusAt(float along);
};

}  // namespace mkdata
