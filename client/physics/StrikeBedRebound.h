#pragma once
// The bed's answer to a stroke that drives a ball lying on it downwards, in the strikes that have no simulated
// contact (the base model's and the first version of the 10001 series): the bed, with the restitution K12,
// returns the stroke's vertical part along the tip's contact normal and raises the spin by the same share; a
// return that would still point down is absorbed instead.
#include "client/physics/StrokeFrame.h"
#include "client/physics/TableGeometry.h"

namespace kestrovan {

class PhysicsBall;

class StrikeBedRebound {
public:
    // Acts only when the ball lies within the cushion backs on (or in) the bed and the pending cue contact's
    // vertical velocity is negative. (sideOffset, heightOffset) is the unit spin offset, lever its size.
    static void Apply(PhysicsBall& ball, const TableGeometry& geometry, const StrokeFrame& frame, float sideOffset,
                      float heightOffset, float lever, float bedRestitution);
};

}  // namespace kestrovan
