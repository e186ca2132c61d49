#pragma once
// What the cue strikes of all models share. A strike does not move the ball: it leaves in the ball's cue fields
// the velocity and spin that the stroke gives it, which PhysicsModel::MoveBall delivers over the contact, and
// records a Miscue event when the tip slips. Every strike aims (the stroke's frame at the ball, the unit contact
// and spin offsets with their sizes), tests whether the tip rolls past its limit on the ball's face, transfers
// the cue's momentum and writes the cue fields; the base model's strike and the 10010 series' one share the same
// miscue test and push. The derived strikes add their versions' steps around these.
#include "QuillLib/math/Vec3.h"
#include "client/physics/CueStroke.h"
#include "client/physics/StrokeFrame.h"
#include "platform/system/ScopedFpuMode.h"

namespace kestrovan {

class PhysicsBall;

class CueStrike {
protected:
    // Which of StrokeFrame's constructions the strike uses.
    enum class FrameForm {
        Clamped,            // StrokeFrame::Build with the aim direction as it is
        ClampedNormalised,  // StrokeFrame::Build with the aim direction normalised
        Unclamped,          // StrokeFrame::BuildUnclamped
    };
    // Where a miscue's shortened contact ends at the latest.
    enum class LatestEnd {
        Admissible,  // where the tip reaches the angle of MiscueDeflection
        Limit,       // where the tip reaches the tested limit
    };

    CueStrike(PhysicsBall& ball, const CueStroke& stroke);

    // The stroke's frame, the unit contact and spin offsets with their sizes, the spin offset's axis and the cue's
    // speed. False when the aim point lies on the ball's centre: no stroke.
    bool Aim(FrameForm form);

    // Clears the miscue's results. False when the tip does not roll: without an offset, or without cue speed (the
    // test's time scale R / Vc would be infinite). An offset beyond the ball's edge is taken at the edge.
    bool StartMiscueTest();
    // A miscue of the given excess (the part of the contact beyond the limit, > 0): the slip's severity rises
    // steeply with the excess, the contact's end moves back by it, held between earliestEnd and latestEnd, and a
    // Miscue event records the severity. Returns the slipping part of the contact.
    float ShortenForMiscue(float excess, float earliestEnd, float latestEnd, float* end) const;
    // The miscue test of the base model and the 10010 series: the tip slips once it rolls past the limit offset,
    // and a shortened contact ends at latestEnd at the latest. Sets the excess, shortens the power and rescales
    // the spin offset's size by the angle the tip rolled through.
    void TestMiscue(float limit, LatestEnd latestEnd);
    // The limit offset of the admissible angle, narrowed by the stroke's limit factor.
    float NarrowedLimit() const;

    // The share of the impulse that an off-centre hit leaves to the ball's centre, K = 1 / (R b^2 / J + 1) for
    // the spin offset's size b; the rest turns into spin.
    float CentreShare() const;
    // Hands the share factor of the stroke's power to the ball as speed along the cue and spin about the spin
    // axis; the cue's speed follows the stroke's power as the miscue test left it.
    void Transfer(float factor);

    // The contact normal of a slipping tip: the cue's axis tilted by deflection times the unit spin offset.
    quill::Vec3 SlipNormal(float deflection) const;
    // The push of the tip slipping in a miscue, in the base model and the 10010 series.
    quill::Vec3 MiscuePush() const;
    // Leaves the stroke in the ball: the transferred speed along the cue plus the slipping tip's push, and the
    // spin, delivered along a half sine over contactTimes contact times.
    void WriteCueContact(const quill::Vec3& push, float contactTimes);

    // First of the members: the whole strike computes in the physics mode, whatever the caller's.
    platform::ScopedFpuMode fpuMode_;
    PhysicsBall& ball_;
    CueStroke stroke_;
    StrokeFrame frame_;
    quill::Vec3 spinAxis_;
    float contactLength_ = 0.0f;     // e: the tip's offset in radii
    float spinLength_ = 0.0f;        // b: the spin offset's size, later the lever of the transfer
    float contactTime_ = 0.0f;       // Tc
    float cueSpeed_ = 0.0f;          // Vc
    float excess_ = 0.0f;            // the slipping part of the contact; > 0 after a miscue
    float unreducedPower_ = 0.0f;    // P0: the power before the miscue shortened it, once transferred
    float transferredPower_ = 0.0f;  // p: the power the ball receives
    float ballSpeed_ = 0.0f;
    float spinRate_ = 0.0f;
};

}  // namespace kestrovan
