#include "client/physics/CueStrike10001.h"

#include "QuillLib/math/Vector2D.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel10001.h"
#include "client/physics/PhysicsVector.h"
#include "client/physics/StrikeBedRebound.h"
#include "client/physics/StrikeContact.h"

namespace kestrovan {

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707964f;

}  // namespace

CueStrike10001::CueStrike10001(PhysicsModel10001& model, PhysicsBall& ball, const CueStroke& stroke, int version,
                               const CueStrikeTuning& tuning)
    : model_(model), ball_(ball), stroke_(stroke), version_(version), tuning_(tuning) {}

void CueStrike10001::Run() {
    AdjustSpinOffset();
    if (!BuildFrame()) {
        return;  // the aim point lies on the ball's centre: no stroke
    }
    BlendSpinOffset();
    const ModelConstants& c = TheModelConstants();
    const float growth = stroke_.power * stroke_.contactTimeFactor;
    contactTime_ = (tuning_.contactTimeGain * growth + 1.0f) * c.StrikeTimeBase;
    cueSpeed_ = c.CueSpeedScale * stroke_.power;
    TestMiscue();
    Transfer();
    WriteStroke();
    if (excess_ > 0.0f) {
        return;  // the tip slipped, or its offset lay beyond the limit: no contact to follow
    }
    if (version_ == 1) {
        StrikeBedRebound::Apply(ball_, model_.Geometry(), frame_, stroke_.spinX, stroke_.spinY, lever_,
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

bool CueStrike10001::BuildFrame() {
    const float dx = stroke_.aimX - ball_.position.x;
    const float dy = stroke_.aimY - ball_.position.y;
    const float distanceSquared = dx * dx + dy * dy;
    if (!(distanceSquared > 0.0f)) {
        return false;
    }
    const float distance = physmath::Sqrt(distanceSquared);
    if (!(distance > 0.0f)) {
        return false;
    }
    frame_ = version_ == 1 ? StrokeFrame::BuildUnclamped(dx, dy, distance, stroke_.elevation)
                           : StrokeFrame::Build(dx, dy, distance, stroke_.elevation, true);
    quill::Normalize2D(&stroke_.contactX, &stroke_.contactY, &contactLength_);
    quill::Normalize2D(&stroke_.spinX, &stroke_.spinY, &lever_);
    spinAxis_ = Normalized(frame_.side * stroke_.spinY - frame_.up * stroke_.spinX);
    return true;
}

// Versions 6 and 7 bend the spin offset's size towards the sine of its angle on the ball's face.
void CueStrike10001::BlendSpinOffset() {
    if (version_ < 6) {
        return;
    }
    const float weight = tuning_.blendWeight;
    lever_ = (1.0f - weight) * lever_ + weight * physmath::Sin(lever_ * kHalfPi);
}

// The tip rolls over the ball's face during the contact. The contact ends after the contact time, at the latest
// when the tip reaches the angle of MiscueDeflection; the limit factor narrows the admissible angle, and the part
// of the contact beyond it (the excess) is a miscue that shortens the contact and the power. After the test the
// spin offset's lever is rescaled by the angle the tip actually rolled through.
void CueStrike10001::TestMiscue() {
    excess_ = 0.0f;
    deflection_ = 0.0f;
    unreducedPower_ = 0.0f;
    // Without cue speed the tip does not roll (the test's time scale R / Vc would be infinite).
    if (!(contactLength_ > 0.000001f) || !(cueSpeed_ > 0.0f)) {
        return;
    }
    // An offset beyond the ball's edge is taken at the edge, which lies beyond every limit.
    if (contactLength_ > 1.0f) {
        contactLength_ = 1.0f;
    }
    const ModelConstants& c = TheModelConstants();
    const float timeScale = ball_.radiusM / cueSpeed_;
    const float t1 = MiscueTangentOf(contactLength_);
    const float a0 = physmath::Log(t1) * timeScale;
    const float latestEnd = physmath::Log(c.MiscueTangent) * timeScale;
    const float limit = 1.0f - (1.0f - c.MiscueDeflection) * stroke_.limitFactor;
    const float limitEnd = physmath::Log(MiscueTangentOf(limit)) * timeScale;
    float tend = a0 + contactTime_;
    float excess = tend - limitEnd;
    if (!(excess < contactTime_)) {
        excess_ = excess;  // beyond the limit from the start: full power, no event, no deflection
        return;
    }
    if (!(excess > 0.0f)) {
        excess = 0.0f;
    } else {
        const float share = (excess / contactTime_) * 0.9f + 0.1f;
        const float severity = 1.0f - physmath::TwelfthPower(-physmath::Log10(share));
        excess = severity * contactTime_;
        tend = tend - excess;
        if (tend < a0) {
            tend = a0;
        } else if (tend > latestEnd) {
            tend = latestEnd;
        }
        ThePhysicsEventList().Append(PhysicsEventKind::Miscue, 0, excess / contactTime_);
    }
    const float phiEnd = 2.0f * physmath::Atan(physmath::Exp(tend / timeScale)) * timeScale;
    const float phi0 = 2.0f * physmath::Atan(t1) * timeScale;
    const float ratio = tend == a0 ? 0.0f : ((phiEnd - phi0) / (tend - a0)) / contactLength_;
    lever_ = lever_ * ratio;
    deflection_ = c.MiscueDeflection;
    float rolled = (tend - a0) / contactTime_;
    if (rolled > 1.0f) {
        rolled = 1.0f;
    }
    unreducedPower_ = stroke_.power;
    stroke_.power = rolled * stroke_.power;
    excess_ = excess;
}

// The cue (mass M) hits the ball (mass m) elastically; an off-centre hit leaves the share K of the impulse to the
// ball's centre and turns the rest into spin. A centre hit of a 0.7 kg cue on a 0.21 kg ball gives the ball
// 1.538 times the cue's speed.
void CueStrike10001::Transfer() {
    const ModelConstants& c = TheModelConstants();
    const float radius = ball_.radiusM;
    const float arm = ball_.inertiaArm;
    const float share = 1.0f / (radius * lever_ * lever_ / arm + 1.0f);
    const float massRatio = model_.CueMass() / (ball_.mass * share);
    const float factor = (2.0f / (massRatio + 1.0f)) * massRatio * share;
    cueSpeed_ = c.CueSpeedScale * stroke_.power;
    stroke_.power = factor * stroke_.power;
    unreducedPower_ = factor * unreducedPower_;
    ballSpeed_ = c.CueSpeedScale * stroke_.power;
    spinRate_ = lever_ * c.CueSpeedScale * stroke_.power / arm;
}

void CueStrike10001::WriteStroke() {
    const ModelConstants& c = TheModelConstants();
    quill::Vec3 push;
    if (excess_ > 0.0f) {
        // The slipping tip pushes along its own contact normal, tilted by the deflection factor.
        const quill::Vec3& d = frame_.direction;
        const quill::Vec3 slipNormal =
            Normalized(d - frame_.side * (deflection_ * stroke_.spinX) - frame_.up * (deflection_ * stroke_.spinY));
        push = slipNormal * (0.6f * Dot(slipNormal, d) * c.CueSpeedScale * unreducedPower_ * (excess_ / contactTime_));
    }
    ball_.cueLinear = frame_.direction * ballSpeed_ + push;
    ball_.cueAngular = spinAxis_ * spinRate_;
    ball_.cueDuration = 5.0f * contactTime_;
    ball_.cueTimeLeft = ball_.cueDuration;
    ball_.cuePhaseRate = kPi / (5.0f * contactTime_);
    if (version_ != 1) {
        ball_.cueActive = 1;  // the first version leaves the flag as it was
    }
}

// The simulated contact replaces the transfer's result: the ball's vertical velocity acts at once, its horizontal
// velocity and its spin become the pending cue contact.
void CueStrike10001::SimulateContact() {
    StrikeContactInput input;
    input.direction = frame_.direction;
    input.normal = frame_.ContactNormal(stroke_.spinX, stroke_.spinY, lever_);
    input.cueSpeed = cueSpeed_;
    input.cueMass = model_.CueMass();
    input.compliance =
        StrikeContactForm::Compliance(version_, stroke_.elevation, stroke_.power, ball_.mass, model_.CueMass());
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
