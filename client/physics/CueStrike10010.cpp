#include "client/physics/CueStrike10010.h"

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Vector2D.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel10010.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

// A tip contact lasts a few thousand steps of a thousandth of the contact time; this bound only stops a contact
// that would never separate.
constexpr int kMaxTipContactSteps = 1'000'000;

}  // namespace

CueStrike10010::CueStrike10010(PhysicsModel10010& model, PhysicsBall& ball, const CueStroke& stroke)
    : model_(model), ball_(ball), stroke_(stroke) {}

void CueStrike10010::Run() {
    PhysicsModel10010::Fields& fields = model_.TuningFields();
    fields.spinStopFactor = fields.strikeValue;
    if (!BuildFrame()) {
        return;  // the aim point lies on the ball's centre: no stroke
    }
    TestMiscue();
    if (spinLength_ > 0.98f) {
        spinLength_ = 0.98f;
    }
    Transfer();
    WriteStroke();
    if (excess_ > 0.0f) {
        return;  // the tip slipped: no contact to follow
    }
    SimulateTipContact();
}

bool CueStrike10010::BuildFrame() {
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
    ApplySpinRatio();
    frame_ = StrokeFrame::Build(dx, dy, distance, stroke_.elevation, false);
    quill::Normalize2D(&stroke_.contactX, &stroke_.contactY, &contactLength_);
    quill::Normalize2D(&stroke_.spinX, &stroke_.spinY, &spinLength_);
    spinAxis_ = Normalized(frame_.side * stroke_.spinY - frame_.up * stroke_.spinX);
    const ModelConstants& c = TheModelConstants();
    contactTime_ = (stroke_.contactTimeFactor * model_.TuningFields().contactTimeFactor + 1.0f) * c.StrikeTimeBase;
    cueSpeed_ = c.CueSpeedScale * stroke_.power;
    return true;
}

// A spin offset beyond a positive contact offset scales the final spin by their ratio, while the contact itself
// uses the contact offset. Only positive offsets are compared, so left and low offsets keep their spin offset:
// recorded shots and other clients rely on that asymmetry.
void CueStrike10010::ApplySpinRatio() {
    const float k = model_.TuningA13();
    ratioX_ = stroke_.contactX > 0.0f ? stroke_.spinX / stroke_.contactX * k : 0.0f;
    ratioY_ = stroke_.contactY > 0.0f ? stroke_.spinY / stroke_.contactY * k : 0.0f;
    if (ratioX_ > k) {
        stroke_.spinX = stroke_.contactX;
    } else {
        ratioX_ = k;
    }
    if (ratioY_ > k) {
        stroke_.spinY = stroke_.contactY;
    } else {
        ratioY_ = k;
    }
}

// The tip rolls over the ball's face during the contact; the further its offset, the sooner it reaches the limit
// angle at which it slips. The part of the contact time beyond that limit (the excess) is a miscue: it shortens
// the contact and the power and is recorded with a strength that rises steeply with the excess.
void CueStrike10010::TestMiscue() {
    excess_ = 0.0f;
    unreducedPower_ = 0.0f;
    // Without cue speed the tip never rolls (the test's time scale R / Vc would be infinite).
    if (!(contactLength_ > 1e-6f) || !(cueSpeed_ > 0.0f)) {
        return;
    }
    // An offset beyond the ball's edge is taken at the edge.
    if (contactLength_ > 1.0f) {
        contactLength_ = 1.0f;
    }
    const ModelConstants& c = TheModelConstants();
    const PhysicsModel10010::Fields& fields = model_.TuningFields();
    const float radius = ball_.radiusM;
    const float t1 = MiscueTangentOf(contactLength_);
    const float timeScale = radius / cueSpeed_;
    const float a0 = physmath::Log(t1) * timeScale;
    const float limit = model_.ScaleA14(c.MiscueDeflection, fields.miscueA, fields.miscueB, stroke_.limitFactor,
                                        stroke_.contactTimeFactor);
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
        const float severity = 1.0f - physmath::TwelfthPower(-physmath::Log10(x));
        excess = severity * contactTime_;
        tend = tend - excess;
        if (tend < a0) {
            tend = a0;
        } else if (tend > am) {
            tend = am;
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

// The cue (mass M) hits the ball (mass m) elastically; an off-centre hit leaves the share K of the impulse to the
// ball's centre (K = 1 / (R len2^2 / J + 1)) and turns the rest into spin. A centre hit of a 0.7 kg cue on a
// 0.21 kg ball gives the ball 1.538 times the cue's speed.
void CueStrike10010::Transfer() {
    const ModelConstants& c = TheModelConstants();
    const float radius = ball_.radiusM;
    const float arm = ball_.inertiaArm;
    const float share = 1.0f / (radius * spinLength_ * spinLength_ / arm + 1.0f);
    const float massRatio = model_.TuningFields().cueMass / (ball_.mass * share);
    const float factor = 2.0f * massRatio / (massRatio + 1.0f) * share;
    cueSpeed_ = c.CueSpeedScale * stroke_.power;
    transferredPower_ = factor * stroke_.power;
    unreducedPower_ = factor * unreducedPower_;
    ballSpeed_ = c.CueSpeedScale * transferredPower_;
    spinRate_ = spinLength_ * c.CueSpeedScale * transferredPower_ / arm;
}

void CueStrike10010::WriteStroke() {
    const ModelConstants& c = TheModelConstants();
    quill::Vec3 push;
    if (excess_ > 0.0f) {
        // The slipping tip pushes along its contact normal.
        const float deflection = c.MiscueDeflection;
        const quill::Vec3 slipNormal = Normalized(frame_.direction - frame_.side * (deflection * stroke_.spinX) -
                                                  frame_.up * (deflection * stroke_.spinY));
        push = slipNormal *
               (0.6f * Dot(slipNormal, frame_.direction) * c.CueSpeedScale * unreducedPower_ * excess_ / contactTime_);
    }
    ball_.cueLinear = frame_.direction * ballSpeed_ + push;
    ball_.cueAngular = spinAxis_ * spinRate_;
    ball_.cueDuration = 2.0f * contactTime_;
    ball_.cueTimeLeft = ball_.cueDuration;
    ball_.cuePhaseRate = quill::kPi / (2.0f * contactTime_);
    ball_.cueActive = 1;
}

// The cue and the ball followed through the contact: the tip's compression P pushes the ball with the tip's
// stiffness, the cue turns about its bridge (lever 1.3) under the force across it, and a ball lying on the bed
// compresses the bed, which pushes back and brakes the ball's spin. The result replaces the transfer's velocity
// and spin: the horizontal velocity and the spin become the pending cue contact, the vertical velocity acts at
// once.
void CueStrike10010::SimulateTipContact() {
    const PhysicsModel10010::Fields& fields = model_.TuningFields();
    const PhysicsConstants& k = ThePhysicsConstants();
    const float radius = ball_.radiusM;
    const float mass = ball_.mass;
    const float arm = ball_.inertiaArm;
    const float cueMass = fields.cueMass;
    const quill::Vec3& d = frame_.direction;
    const float h = 0.001f * contactTime_;
    const bool onBed = ball_.position.z == ball_.radiusCm;
    const float cosTilt = physmath::Sqrt(1.0f - spinLength_ * spinLength_);
    const quill::Vec3 normal =
        Normalized(d * cosTilt - (frame_.side * stroke_.spinX + frame_.up * stroke_.spinY) * spinLength_);
    const float turning =
        model_.BlendA12(physmath::Cos(stroke_.elevation), stroke_.extraValue, stroke_.power, transferredPower_) /
        (1.3f * cueMass);

    quill::Vec3 cue = d * cueSpeed_;
    quill::Vec3 cueTurn;
    quill::Vec3 ballVelocity;
    quill::Vec3 ballSpin;
    quill::Vec3 press;
    float bed = 0.0f;
    for (int step = 0; step < kMaxTipContactSteps; ++step) {
        const quill::Vec3 tipVelocity = cue + Cross(d, cueTurn) * 1.3f;
        const quill::Vec3 surfaceVelocity = ballVelocity + Cross(normal, ballSpin) * radius;
        press = press + (tipVelocity - surfaceVelocity) * h;
        const float compression = Dot(press, d);
        if (compression > fields.tipCompressionLimit) {
            press = press + d * (fields.tipCompressionLimit - compression);
        }
        if (!(compression > 0.0f) && !(bed > 0.0f)) {
            break;  // the tip has left the ball and the bed has sprung back
        }
        const quill::Vec3 force = compression > 0.0f ? press * fields.tipStiffness * h : quill::Vec3{};

        const float along = Dot(cue, d);
        float ramp = 1.0f;
        if (!(along > 0.0f)) {
            ramp = (along + 0.3f) / 0.3f;
            if (ramp < 0.0f) {
                ramp = 0.0f;
            }
        }
        cue = cue - Divided(force * ramp, cueMass);
        const quill::Vec3 across = (force - d * Dot(force, d)) * turning;
        cueTurn = cueTurn + Cross(d, across);

        if (onBed) {
            bed -= ballVelocity.z * h;
        }
        if (bed > fields.bedCompressionLimit) {
            bed = fields.bedCompressionLimit;
            if (ballVelocity.z < 0.0f) {
                ballVelocity.z = 0.0f;
            }
        }
        float bedPush = bed > 0.0f ? fields.bedStiffness * bed * h : 0.0f;
        if (bedPush < 0.0f) {
            bedPush = 0.0f;
        }
        if (bedPush != 0.0f) {
            quill::Vec3 horizontalSpin{ballSpin.x, ballSpin.y, 0.0f};
            float spinSize = 0.0f;
            horizontalSpin.Normalize(&spinSize);
            if (bedPush * k[0] * 3.5f < spinSize) {
                ballSpin = ballSpin - horizontalSpin * (bedPush * k[0] / 0.25f / arm * 0.1f);
            }
        }
        ballVelocity = ballVelocity + Divided(force + quill::Vec3{0.0f, 0.0f, bedPush}, mass);
        const float normalForce = Dot(force, normal);
        if (normalForce > 0.0f) {
            const quill::Vec3 tangential = Divided(force - normal * normalForce, mass * arm);
            ballSpin = ballSpin + Cross(tangential, normal);
        }
        if (HasNaN(press) || HasNaN(ballVelocity) || HasNaN(ballSpin)) {
            break;
        }
    }
    ball_.velocity = quill::Vec3{0.0f, 0.0f, ballVelocity.z};
    ball_.cueLinear = quill::Vec3{ballVelocity.x, ballVelocity.y, 0.0f};
    ball_.cueAngular = quill::Vec3{ballSpin.x * ratioX_, ballSpin.y * ratioY_, ballSpin.z * ratioX_};
}

}  // namespace kestrovan
