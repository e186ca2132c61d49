#include "client/physics/CueStrikeBase.h"

#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/StrikeBedRebound.h"

namespace kestrovan {

CueStrikeBase::CueStrikeBase(PhysicsModel& model, PhysicsBall& ball, const CueStroke& stroke)
    : CueStrike(ball, stroke), model_(model) {}

// The tip's slip is tested against the angle that the limit factor allows, and the shortened contact may last
// until the tip reaches the limit angle of MiscueDeflection (the latest admissible end). The model has no cue
// mass: the ball takes the cue's speed times the share of the impulse that an off-centre hit leaves to its
// centre, and the rest as spin.
void CueStrikeBase::Run() {
    stroke_.contactX *= 0.85f;
    stroke_.contactY *= 0.85f;
    stroke_.spinX *= 0.85f;
    stroke_.spinY *= 0.85f;
    if (!Aim(FrameForm::Clamped)) {
        return;
    }
    // At a power of 4 or more the contact time is not positive: nothing could be delivered, so nothing is struck.
    contactTime_ =
        (4.0f - stroke_.power) * (stroke_.contactTimeFactor * 0.4f + 1.0f) * TheModelConstants().StrikeTimeBase / 4.0f;
    if (!(contactTime_ > 0.0f)) {
        return;
    }
    TestMiscue(NarrowedLimit(), LatestEnd::Admissible);
    if (spinLength_ > 0.98f) {
        spinLength_ = 0.98f;
    }
    Transfer(CentreShare());
    WriteCueContact(excess_ > 0.0f ? MiscuePush() : quill::Vec3{}, 5.0f);
    ball_.cueActive = 1;
    if (!(excess_ > 0.0f)) {
        SplitOffTheBed();
    }
}

// How the bed splits the stroke is the one rebound that the first 10001-series strike also applies (the series
// grew out of this model): the bed returns the downward part along the tip's contact normal.
void CueStrikeBase::SplitOffTheBed() {
    StrikeBedRebound::Apply(ball_, model_.Geometry(), frame_, stroke_.spinX, stroke_.spinY, spinLength_,
                            ThePhysicsConstants()[12]);
}

}  // namespace kestrovan
