#include "client/physics/CueStrike.h"

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Vector2D.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

CueStrike::CueStrike(PhysicsBall& ball, const CueStroke& stroke) : ball_(ball), stroke_(stroke) {
    stroke_.contactTimeFactor = stroke.BoundedContactTimeFactor();
}

bool CueStrike::Aim(FrameForm form) {
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
    frame_ = form == FrameForm::Unclamped
                 ? StrokeFrame::BuildUnclamped(dx, dy, distance, stroke_.elevation)
                 : StrokeFrame::Build(dx, dy, distance, stroke_.elevation, form == FrameForm::ClampedNormalised);
    quill::Normalize2D(&stroke_.contactX, &stroke_.contactY, &contactLength_);
    quill::Normalize2D(&stroke_.spinX, &stroke_.spinY, &spinLength_);
    spinAxis_ = Normalized(frame_.side * stroke_.spinY - frame_.up * stroke_.spinX);
    cueSpeed_ = TheModelConstants().CueSpeedScale * stroke_.power;
    return true;
}

bool CueStrike::StartMiscueTest() {
    excess_ = 0.0f;
    unreducedPower_ = 0.0f;
    if (!(contactLength_ > 1e-6f) || !(cueSpeed_ > 0.0f)) {
        return false;
    }
    if (contactLength_ > 1.0f) {
        contactLength_ = 1.0f;
    }
    return true;
}

float CueStrike::ShortenForMiscue(float excess, float earliestEnd, float latestEnd, float* end) const {
    const float share = excess / contactTime_ * 0.9f + 0.1f;
    const float severity = 1.0f - physmath::TwelfthPower(-physmath::Log10(share));
    const float slipping = severity * contactTime_;
    *end = *end - slipping;
    if (*end < earliestEnd) {
        *end = earliestEnd;
    } else if (*end > latestEnd) {
        *end = latestEnd;
    }
    ThePhysicsEventList().Append(PhysicsEventKind::Miscue, 0, slipping / contactTime_);
    return slipping;
}

// The tip rolls over the ball's face during the contact; the further its offset, the sooner it reaches the limit
// offset at which it slips. The contact time beyond that point (the excess, at most the whole contact) is a
// miscue that shortens the contact and the power. Afterwards the spin offset's size is rescaled by the angle the
// tip actually rolled through.
void CueStrike::TestMiscue(float limit, LatestEnd latestEnd) {
    if (!StartMiscueTest()) {
        return;
    }
    const float radius = ball_.radiusM;
    const float timeScale = radius / cueSpeed_;
    const float t1 = MiscueTangentOf(contactLength_);
    const float a0 = physmath::Log(t1) * timeScale;
    const float tm = MiscueTangentOf(limit);
    float limitEnd = physmath::Log(tm) * timeScale;
    float tend = a0 + contactTime_;
    float excess = tm == 1.0f ? 0.0f : tend - limitEnd;
    if (excess > contactTime_) {
        limitEnd = tend - contactTime_;
        excess = contactTime_;
    }
    if (excess > 0.0f) {
        const float latest =
            latestEnd == LatestEnd::Limit ? limitEnd : physmath::Log(TheModelConstants().MiscueTangent) * timeScale;
        excess = ShortenForMiscue(excess, a0, latest, &tend);
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

float CueStrike::NarrowedLimit() const {
    return 1.0f - (1.0f - TheModelConstants().MiscueDeflection) * stroke_.limitFactor;
}

float CueStrike::CentreShare() const {
    return 1.0f / (ball_.radiusM * spinLength_ * spinLength_ / ball_.inertiaArm + 1.0f);
}

void CueStrike::Transfer(float factor) {
    const ModelConstants& c = TheModelConstants();
    cueSpeed_ = c.CueSpeedScale * stroke_.power;
    transferredPower_ = factor * stroke_.power;
    unreducedPower_ = factor * unreducedPower_;
    ballSpeed_ = c.CueSpeedScale * transferredPower_;
    spinRate_ = spinLength_ * c.CueSpeedScale * transferredPower_ / ball_.inertiaArm;
}

quill::Vec3 CueStrike::SlipNormal(float deflection) const {
    return Normalized(frame_.direction - frame_.side * (deflection * stroke_.spinX) -
                      frame_.up * (deflection * stroke_.spinY));
}

quill::Vec3 CueStrike::MiscuePush() const {
    const ModelConstants& c = TheModelConstants();
    const quill::Vec3 slipNormal = SlipNormal(c.MiscueDeflection);
    return slipNormal *
           (0.6f * Dot(slipNormal, frame_.direction) * c.CueSpeedScale * unreducedPower_ * excess_ / contactTime_);
}

void CueStrike::WriteCueContact(const quill::Vec3& push, float contactTimes) {
    ball_.cueLinear = frame_.direction * ballSpeed_ + push;
    ball_.cueAngular = spinAxis_ * spinRate_;
    ball_.cueDuration = contactTimes * contactTime_;
    ball_.cueTimeLeft = ball_.cueDuration;
    ball_.cuePhaseRate = quill::kPi / (contactTimes * contactTime_);
}

}  // namespace kestrovan
