#include "client/physics/CueStrike10010.h"

#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsConstants.h"
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
    : CueStrike(ball, stroke), model_(model) {}

// The limit of the miscue test follows the series' ScaleA14, and a shortened contact ends at that limit at the
// latest.
void CueStrike10010::Run() {
    const ModelConstants& c = TheModelConstants();
    PhysicsModel10010::Fields& fields = model_.TuningFields();
    fields.spinStopFactor = fields.strikeValue;
    ApplySpinRatio();
    if (!Aim(FrameForm::Clamped)) {
        return;  // the aim point lies on the ball's centre: no stroke
    }
    contactTime_ = (stroke_.contactTimeFactor * fields.contactTimeFactor + 1.0f) * c.StrikeTimeBase;
    TestMiscue(model_.ScaleA14(c.MiscueDeflection, fields.miscueA, fields.miscueB, stroke_.limitFactor,
                               stroke_.contactTimeFactor),
               LatestEnd::Limit);
    if (spinLength_ > 0.98f) {
        spinLength_ = 0.98f;
    }
    Transfer(TransferFactor());
    WriteCueContact(excess_ > 0.0f ? MiscuePush() : quill::Vec3{}, 2.0f);
    ball_.cueActive = 1;
    if (excess_ > 0.0f) {
        return;  // the tip slipped: no contact to follow
    }
    SimulateTipContact();
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

// The cue (mass M) hits the ball (mass m) elastically: the ball's centre takes 2 M' / (M' + 1) x K of the power,
// with M' = M / (m K). A centre hit of a 0.7 kg cue on a 0.21 kg ball gives the ball 1.538 times the cue's speed.
float CueStrike10010::TransferFactor() const {
    const float share = CentreShare();
    const float massRatio = model_.TuningFields().cueMass / (ball_.mass * share);
    return 2.0f * massRatio / (massRatio + 1.0f) * share;
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
