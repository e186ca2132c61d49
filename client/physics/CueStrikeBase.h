#pragma once
// The cue strike of the base model (code 0x10000): the 10010 series' outline (the stroke's frame, the miscue
// test, the transfer and the miscue push) in its older form. The offsets are taken at 0.85, the contact time
// shrinks with the power, the tip's slip is tested against the limit angle of MiscueDeflection and against the
// limit factor's angle, and there is no simulated tip contact: the cue fields receive the stroke directly, over
// five contact times, split into a bounce from the bed when the cue drives a ball on the bed downwards.
#include "client/physics/CueStrike.h"

namespace kestrovan {

class PhysicsModel;

class CueStrikeBase final : public CueStrike {
public:
    CueStrikeBase(PhysicsModel& model, PhysicsBall& ball, const CueStroke& stroke);

    void Run();

private:
    void SplitOffTheBed();

    PhysicsModel& model_;
};

}  // namespace kestrovan
