#include "client/physics/CueStrike10001.h"

#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel10001.h"
#include "client/physics/PhysicsVector.h"
#include "client/physics/StrikeBedRebound.h"
#include "client/physics/StrikeContact.h"

namespace kestrovan {

namespace {

constexpr float kHalfPi = 1.5707964f;

}  // namespace

CueStrike10001::CueStrike10001(PhysicsModel10001& model, PhysicsBall& ball, const CueStroke& stroke, int version,
                               const CueStrikeTuning& tuning)
    : CueStrike(ball, stroke), model_(model), version_(version), tuning_(tuning) {}

void CueStrike10001::Run() {
    AdjustSpinOffset();
    if (!Aim(version_ == 1 ? FrameForm::Unclamped : FrameForm::ClampedNormalised)) {
        return;  // the aim point lies on the ball's centre: no stroke
    }
    BlendSpinOffset();
    const float growth = stroke_.power * stroke_.contactTimeFactor;
    contactTime_ = (tuning_.contactTimeGain * growth + 1.0f) * TheModelConstants().StrikeTimeBase;
    TestSeriesMiscue();
    Transfer(TransferFactor());
    WriteCueContact(excess_ > 0.0f ? SlipPush() : quill::Vec3{}, 5.0f);
    if (version_ != 1) {
        ball_.cueActive = 1;  // the first version leaves the flag as it was
    }
    if (excess_ > 0.0f) {
        return;  // the tip slipped, or its offset lay beyond the limit: no contact to follow
    }
    if (version_ == 1) {
        StrikeBedRebound::Apply(ball_, model_.Geometry(), frame_, stroke_.spinX, stroke_.spinY, spinLength_,
                                ThePhysicsConstants()[12]);
    } else {
        SimulateContact();
    }
}

// The spin offset (side, height) as each version takes it in.
void CueStrike10001::AdjustSpinOffset() {
    if (version_ == 1) {
        stroke_.spinY = model_.AdjustApproachSpeed(stroke_.power, stroke_.spinY, stroke_.elevation);
    } else if (version_ == 2) {
        const float scale = 1.0f - 0.1f * stroke_.power;
        stroke_.spinX *= scale;
        stroke_.spinY *= scale;
    } else if (version_ >= 6) {
        stroke_.spinX *= tuning_.sideScale;
        stroke_.spinY *= tuning_.heightScale;
    }
}

// Versions 6 and 7 bend the spin offset's size towards the sine of its angle on the ball's face.
void CueStrike10001::BlendSpinOffset() {
    if (version_ < 6) {
        return;
    }
    const float weight = tuning_.blendWeight;
    spinLength_ = (1.0f - weight) * spinLength_ + weight * physmath::Sin(spinLength_ * kHalfPi);
}

// The tip rolls over the ball's face during the contact. The contact ends after the contact time, at the latest
// when the tip reaches the angle of MiscueDeflection; the limit factor narrows the admissible angle, and the part
// of the contact beyond it (the excess) is a miscue that shortens the contact and the power. After the test the
// spin offset's lever is rescaled by the angle the tip actually rolled through. The series computes the rolled
// angle in its own order of operations.
void CueStrike10001::TestSeriesMiscue() {
    deflection_ = 0.0f;
    if (!StartMiscueTest()) {
        return;
    }
    const ModelConstants& c = TheModelConstants();
    const float timeScale = ball_.radiusM / cueSpeed_;
    const float t1 = MiscueTangentOf(contactLength_);
    const float a0 = physmath::Log(t1) * timeScale;
    const float latestEnd = physmath::Log(c.MiscueTangent) * timeScale;
    const float limitEnd = physmath::Log(MiscueTangentOf(NarrowedLimit())) * timeScale;
    float tend = a0 + contactTime_;
    const float excess = tend - limitEnd;
    if (!(excess < contactTime_)) {
        excess_ = excess;  // beyond the limit from the start: full power, no event, no deflection
        return;
    }
    excess_ = excess > 0.0f ? ShortenForMiscue(excess, a0, latestEnd, &tend) : 0.0f;
    const float phiEnd = 2.0f * physmath::Atan(physmath::Exp(tend / timeScale)) * timeScale;
    const float phi0 = 2.0f * physmath::Atan(t1) * timeScale;
    const float ratio = tend == a0 ? 0.0f : ((phiEnd - phi0) / (tend - a0)) / contactLength_;
    spinLength_ = spinLength_ * ratio;
    deflection_ = c.MiscueDeflection;
    float rolled = (tend - a0) / contactTime_;
    if (rolled > 1.0f) {
        rolled = 1.0f;
    }
    unreducedPower_ = stroke_.power;
    stroke_.power = rolled * stroke_.power;
}

// The cue (mass M) hits the ball (mass m) elastically: the ball's centre takes 2 / (M' + 1) x M' x K of the
// power, with M' = M / (m K), the 10010 series' share rounded in this series' order. A centre hit of a 0.7 kg cue
// on a 0.21 kg ball gives the ball 1.538 times the cue's speed.
float CueStrike10001::TransferFactor() const {
    const float share = CentreShare();
    const float massRatio = model_.CueMass() / (ball_.mass * share);
    return (2.0f / (massRatio + 1.0f)) * massRatio * share;
}

// The slipping tip pushes along its own contact normal, tilted by the deflection factor.
quill::Vec3 CueStrike10001::SlipPush() const {
    const ModelConstants& c = TheModelConstants();
    const quill::Vec3 slipNormal = SlipNormal(deflection_);
    return slipNormal *
           (0.6f * Dot(slipNormal, frame_.direction) * c.CueSpeedScale * unreducedPower_ * (excess_ / contactTime_));
}

// The simulated contact replaces the transfer's result: the ball's vertical velocity acts at once, its horizontal
// velocity and its spin become the pending cue contact.
void CueStrike10001::SimulateContact() {
    StrikeContactInput input;
    input.direction = frame_.direction;
    input.normal = frame_.ContactNormal(stroke_.spinX, stroke_.spinY, spinLength_);
    input.cueSpeed = cueSpeed_;
    input.cueMass = model_.CueMass();
    input.compliance =
        StrikeContactForm::Compliance(version_, stroke_.elevation, transferredPower_, ball_.mass, model_.CueMass());
    input.contactTime = contactTime_;
    input.ballMass = ball_.mass;
    input.radiusM = ball_.radiusM;
    input.inertiaArm = ball_.inertiaArm;
    input.clothFriction = ThePhysicsConstants()[0];
    input.onCloth = ball_.position.z == ball_.radiusCm;
    const StrikeContact contact(StrikeContactForm::OfVersion(version_, model_.HasPockets()), input);
    const StrikeContactResult result = contact.Run();
    ball_.velocity = quill::Vec3{0.0f, 0.0f, result.velocity.z};
    ball_.cueLinear = quill::Vec3{result.velocity.x, result.velocity.y, 0.0f};
    ball_.cueAngular = result.spin * tuning_.finalSpinFactor;
}

}  // namespace kestrovan
