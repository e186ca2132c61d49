#pragma once
// The cue strike of the base model (code 0x10000): the 10010 series' outline (the stroke's frame, the miscue
// test, the transfer and the miscue push) in its older form. The offsets are taken at 0.85, the contact time
// shrinks with the power, the tip's slip is tested against the limit angle of MiscueDeflection and against the
// limit factor's angle, and there is no simulated tip contact: the cue fields receive the stroke directly, over
// five contact times, split into a bounce from the bed when the cue drives a ball on the bed downwards.
#include "QuillLib/math/Vec3.h"
#include "client/physics/CueStroke.h"
#include "client/physics/StrokeFrame.h"

namespace kestrovan {

class PhysicsBall;
class PhysicsModel;

class CueStrikeBase {
public:
    CueStrikeBase(PhysicsModel& model, PhysicsBall& ball, const CueStroke& stroke);

    void Run();

private:
    bool BuildFrame();
    void TestMiscue();
    void WriteStroke();
    void SplitOffTheBed();

    PhysicsModel& model_;
    PhysicsBall& ball_;
    CueStroke stroke_;
    StrokeFrame frame_;
    quill::Vec3 spinAxis_;
    float contactLength_ = 0.0f;
    float spinLength_ = 0.0f;
    float contactTime_ = 0.0f;
    float cueSpeed_ = 0.0f;
    float excess_ = 0.0f;
    float unreducedPower_ = 0.0f;
};

}  // namespace kestrovan
