#pragma once
// What a committed stroke is: the spin it puts on the cue ball (its two stroke values, from the strike point and
// the follow-through) and its class for the shot records of the screens: centre, side, high or low strike, an
// elevated cue, and strong strokes. Pure.
#include <cstdint>

#include "client/table/ShotRecord.h"

namespace kestrovan {

struct ShotClass {
    static constexpr uint8_t kCentre = 0;
    static constexpr uint8_t kSide = 2;
    static constexpr uint8_t kHigh = 3;
    static constexpr uint8_t kLow = 4;
    static constexpr uint8_t kElevated = 5;
    static constexpr uint8_t kStrong = 10;  // added to the class

    uint8_t kind = kCentre;
    uint8_t kindValue = 0;   // how strongly the stroke is of its class
    uint8_t powerValue = 0;  // how strong a strong stroke is
};

class ShotClassification {
public:
    // The stroke values from the strike point: a follow-through beyond half the deviation range lengthens
    // them, a strong power shortens that; the pair is at most 1 long.
    static void ShapeStroke(ShotRecord& record);
    static ShotClass Classify(const ShotRecord& record);
};

}  // namespace kestrovan
