#include "client/physics/CueStrikeBase.h"

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Vector2D.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"
#include "client/physics/StrikeBedRebound.h"

namespace kestrovan {

CueStrikeBase::CueStrikeBase(PhysicsModel& model, PhysicsBall& ball, const CueStroke& stroke)
    : model_(model), ball_(ball), stroke_(stroke) {}

void CueStrikeBase::Run() {
    stroke_.contactX *= 0.85f;
    stroke_.contactY *= 0.85f;
    stroke_.spinX *= 0.85f;
    stroke_.spinY *= 0.85f;
    if (!BuildFrame()) {
        return;
    }
    // At a power of 4 or more the contact time is not positive: nothing could be delivered, so nothing is struck.
    if (!(contactTime_ > 0.0f)) {
        return;
    }
    TestMiscue();
    if (spinLength_ > 0.98f) {
        spinLength_ = 0.98f;
    }
    WriteStroke();
    if (!(excess_ > 0.0f)) {
        SplitOffTheBed();
    }
}

bool CueStrikeBase::BuildFrame() {
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
    frame_ = StrokeFrame::Build(dx, dy, distance, stroke_.elevation, false);
    quill::Normalize2D(&stroke_.contactX, &stroke_.contactY, &contactLength_);
    quill::Normalize2D(&stroke_.spinX, &stroke_.spinY, &spinLength_);
    spinAxis_ = Normalized(frame_.side * stroke_.spinY - frame_.up * stroke_.spinX);
    const ModelConstants& c = TheModelConstants();
    contactTime_ = (4.0f - stroke_.power) * (stroke_.contactTimeFactor * 0.4f + 1.0f) * c.StrikeTimeBase / 4.0f;
    cueSpeed_ = c.CueSpeedScale * stroke_.power;
    return true;
}

// The tip's slip: the contact may last until the tip reaches the limit angle of MiscueDeflection (the latest
// admissible end) and is tested against the angle that the limit factor allows; the part of the contact beyond
// that angle is the miscue's excess, recorded as in the later strikes.
void CueStrikeBase::TestMiscue() {
    excess_ = 0.0f;
    unreducedPower_ = 0.0f;
    if (!(contactLength_ > 1e-6f) || !(cueSpeed_ > 0.0f)) {
        return;
    }
    if (contactLength_ > 1.0f) {
        contactLength_ = 1.0f;
    }
    const ModelConstants& c = TheModelConstants();
    const float radius = ball_.radiusM;
    const float timeScale = radius / cueSpeed_;
    const float t1 = MiscueTangentOf(contactLength_);
    const float a0 = physmath::Log(t1) * timeScale;
    const float latestEnd = physmath::Log(c.MiscueTangent) * timeScale;
    const float limit = 1.0f - (1.0f - c.MiscueDeflection) * stroke_.limitFactor;
    const float tm = MiscueTangentOf(limit);
    float am = physmath::Log(tm) * timeScale;
    float tend = a0 + contactTime_;
    float excess = tm == 1.0f ? 0.0f : tend - am;
    if (excess > contactTime_) {
        am = tend - contactTime_;
        excess = contactTime_;
    }
    if (excess > 0.0f) {
        const float x = excess / contactTime_ * 0.9f + 0.1f;
        excess = (1.0f - physmath::TwelfthPower(-physmath::Log10(x))) * contactTime_;
        tend = tend - excess;
        if (tend < a0) {
            tend = a0;
        } else if (tend > latestEnd) {
            tend = latestEnd;
        }
        ThePhysicsEventList().Append(PhysicsEventKind::Miscue, 0, excess / contactTime_);
    } else {
        excess = 0.0f;
    }
    const float phiEnd = 2.0f * physmath::Atan(physmath::Exp(cueSpeed_ * tend / radius)) * radius / cueSpeed_;
    const float phi0 = 2.0f * physmath::Atan(t1) * radius / cueSpeed_;
    const float ratio = tend == a0 ? 0.0f : ((phiEnd - phi0) / (tend - a0)) / contactLength_;
    spinLength_ = spinLength_ * ratio;
    float share = (tend - a0) / contactTime_;
    if (share > 1.0f) {
        share = 1.0f;
    }
    unreducedPower_ = stroke_.power;
    stroke_.power = stroke_.power * share;
    excess_ = excess;
}

// The model has no cue mass: the ball takes the cue's speed times the share of the impulse that an off-centre
// hit leaves to its centre, and the rest as spin.
void CueStrikeBase::WriteStroke() {
    const ModelConstants& c = TheModelConstants();
    const float arm = ball_.inertiaArm;
    const float centreShare = 1.0f / (ball_.radiusM * spinLength_ * spinLength_ / arm + 1.0f);
    const float power = centreShare * stroke_.power;
    const float unreduced = centreShare * unreducedPower_;
    const float speed = c.CueSpeedScale * power;
    const float spinRate = spinLength_ * c.CueSpeedScale * power / arm;
    quill::Vec3 push;
    if (excess_ > 0.0f) {
        const float deflection = c.MiscueDeflection;
        const quill::Vec3 slipNormal = Normalized(frame_.direction - frame_.side * (deflection * stroke_.spinX) -
                                                  frame_.up * (deflection * stroke_.spinY));
        push = slipNormal *
               (0.6f * Dot(slipNormal, frame_.direction) * c.CueSpeedScale * unreduced * excess_ / contactTime_);
    }
    ball_.cueLinear = frame_.direction * speed + push;
    ball_.cueAngular = spinAxis_ * spinRate;
    ball_.cueDuration = 5.0f * contactTime_;
    ball_.cueTimeLeft = ball_.cueDuration;
    ball_.cuePhaseRate = quill::kPi / (5.0f * contactTime_);
    ball_.cueActive = 1;
}

// How the bed splits the stroke is the one rebound that the first 10001-series strike also applies (the series
// grew out of this model): the bed returns the downward part along the tip's contact normal.
void CueStrikeBase::SplitOffTheBed() {
    StrikeBedRebound::Apply(ball_, model_.Geometry(), frame_, stroke_.spinX, stroke_.spinY, spinLength_,
                            ThePhysicsConstants()[12]);
}

}  // namespace kestrovan
