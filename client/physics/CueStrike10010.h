#pragma once
// The cue's impact on the cue ball in the 10010 series. It does not move the ball: it leaves in the ball the
// velocity and spin that the stroke gives it (cueLinear, cueAngular) with the length of the contact, which
// PhysicsModel::MoveBall delivers over the contact time, and records a Miscue event when the tip slips.
//
// Outline: the stroke's frame; the spin ratio of an offset spin; the miscue test, which shortens the contact and
// the power when the tip's offset exceeds the limit; the transfer of the cue's momentum; and for a clean hit a
// simulation of the tip's contact (and the bed's, for a ball lying on it) in steps of a thousandth of the contact
// time, which decides the ball's spin and its vertical velocity.
#include "client/physics/CueStrike.h"

namespace kestrovan {

class PhysicsModel10010;

class CueStrike10010 final : public CueStrike {
public:
    CueStrike10010(PhysicsModel10010& model, PhysicsBall& ball, const CueStroke& stroke);

    void Run();

private:
    void ApplySpinRatio();
    float TransferFactor() const;
    void SimulateTipContact();

    PhysicsModel10010& model_;
    float ratioX_ = 0.0f;  // the spin ratios applied to the final spin
    float ratioY_ = 0.0f;
};

}  // namespace kestrovan
