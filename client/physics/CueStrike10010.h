#pragma once
// The cue's impact on the cue ball in the 10010 series. It does not move the ball: it leaves in the ball the
// velocity and spin that the stroke gives it (cueLinear, cueAngular) with the length of the contact, which
// PhysicsModel::MoveBall delivers over the contact time, and records a Miscue event when the tip slips.
//
// Outline: the stroke's frame; the spin ratio of an offset spin; the miscue test, which shortens the contact and
// the power when the tip's offset exceeds the limit; the transfer of the cue's momentum; and for a clean hit a
// simulation of the tip's contact (and the bed's, for a ball lying on it) in steps of a thousandth of the contact
// time, which decides the ball's spin and its vertical velocity.
#include "QuillLib/math/Vec3.h"
#include "client/physics/CueStroke.h"
#include "client/physics/StrokeFrame.h"

namespace kestrovan {

class PhysicsBall;
class PhysicsModel10010;

class CueStrike10010 {
public:
    CueStrike10010(PhysicsModel10010& model, PhysicsBall& ball, const CueStroke& stroke);

    void Run();

private:
    bool BuildFrame();
    void ApplySpinRatio();
    void TestMiscue();
    void Transfer();
    void WriteStroke();
    void SimulateTipContact();

    PhysicsModel10010& model_;
    PhysicsBall& ball_;
    CueStroke stroke_;
    StrokeFrame frame_;
    quill::Vec3 spinAxis_;
    float contactLength_ = 0.0f;  // len1: the tip's offset in radii
    float spinLength_ = 0.0f;     // len2: the spin offset, later the lever of the transfer
    float ratioX_ = 0.0f;         // the spin ratios applied to the final spin
    float ratioY_ = 0.0f;
    float contactTime_ = 0.0f;       // Tc
    float cueSpeed_ = 0.0f;          // Vc
    float excess_ = 0.0f;            // the slipping part of the contact time; > 0 after a miscue
    float unreducedPower_ = 0.0f;    // P0
    float transferredPower_ = 0.0f;  // p
    float ballSpeed_ = 0.0f;
    float spinRate_ = 0.0f;
};

}  // namespace kestrovan
