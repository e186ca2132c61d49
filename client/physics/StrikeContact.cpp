#include "client/physics/StrikeContact.h"

#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

// A contact separates after a couple of thousand steps; this bound only stops one that never would.
constexpr uint32_t kMaxSteps = 1'000'000;
constexpr float kTipStiffness = 200000.0f;
// The cue sways about its bridge, 1.3 times further from the tip than the tip's own lever.
constexpr float kCueLever = 1.3f;
// A cue moving back along its axis at this speed has let go of the ball.
constexpr float kCueReboundSpeed = 0.3f;

}  // namespace

StrikeContactForm StrikeContactForm::OfVersion(int version, bool hasPockets) {
    StrikeContactForm form;
    switch (version) {
        case 2:
        case 3:
        case 4:
            // The oldest contacts: no limit on the tip or the cloth, the cloth pressed by every ball and damped
            // by its vertical speed, and the ball's own mass throughout.
            form.end = version == 4 ? End::CueRebound : End::TimeLimit;
            form.tipLimit = 0.0f;
            form.brakeCue = false;
            form.pressOnlyOnCloth = false;
            form.clothLimit = 0.0f;
            form.clothDamping = version == 4 ? 30.0f : 10.0f;
            if (version == 2) {
                form.clothStiffness = 1000000.0f;
            } else if (version == 3) {
                form.clothStiffness = hasPockets ? 700000.0f : 1000000.0f;
            } else {
                form.clothStiffness = 900000.0f;
            }
            form.brakingMass = 0.0f;
            break;
        case 5:
        case 6:
            form.tipLimit = 0.0048f;
            form.lockCueAtLimit = true;
            form.pressOnlyOnCloth = false;
            form.clothLimit = 0.00124f;
            form.updateMass = 0.25f;
            break;
        default:
            break;
    }
    return form;
}

float StrikeContactForm::Compliance(int version, float elevation, float power, float ballMass, float cueMass) {
    const float c = physmath::Cos(elevation);
    const float bridge = cueMass * 1.3f;
    switch (version) {
        case 2:
            return (4950.0f * c + 50.0f) / bridge;
        case 3:
            return (4960.0f * c + 40.0f) / bridge;
        case 4:
            if (elevation < 0.005f) {
                return 5000.0f / bridge;
            }
            return ((46.0f * c + 4.0f) * power * 2.5f / ballMass) / bridge;
        default:
            return ((c * 496.0f + 4.0f) * power * 10.0f) / bridge;
    }
}

StrikeContact::StrikeContact(const StrikeContactForm& form, const StrikeContactInput& input)
    : form_(form), input_(input) {}

bool StrikeContact::GoesOn(const Vec3& cueVelocity, float time) const {
    switch (form_.end) {
        case StrikeContactForm::End::TimeLimit:
            return time < 1.5f * input_.contactTime;
        case StrikeContactForm::End::CueRebound:
            return Dot(cueVelocity, input_.direction) > -kCueReboundSpeed;
        case StrikeContactForm::End::Separation:
            break;
    }
    return true;
}

StrikeContactResult StrikeContact::Run() const {
    const StrikeContactInput& in = input_;
    const Vec3& d = in.direction;
    const Vec3& contactNormal = in.normal;
    const float dt = in.contactTime * 0.001f;
    const float brakingMass = form_.brakingMass > 0.0f ? form_.brakingMass : in.ballMass;
    const float updateMass = form_.updateMass > 0.0f ? form_.updateMass : in.ballMass;
    const float arm = in.inertiaArm;

    Vec3 velocity;  // the ball's
    Vec3 spin;
    Vec3 tip;            // the tip's compression
    Vec3 sway;           // the cue's turning about its bridge
    float cloth = 0.0f;  // the cloth's compression
    Vec3 cue = d * in.cueSpeed;
    float time = 0.0f;
    StrikeContactResult result;
    while (result.steps < kMaxSteps && GoesOn(cue, time)) {
        ++result.steps;
        // The tip's velocity against the ball's surface at the contact.
        const Vec3 surface = velocity + Cross(sway, d) * kCueLever - Cross(spin, contactNormal) * in.radiusM;
        tip = tip + (cue - surface) * dt;
        const float depth = Dot(tip, d);
        if (form_.tipLimit > 0.0f && depth > form_.tipLimit) {
            tip = tip + d * (form_.tipLimit - depth);
            if (form_.lockCueAtLimit) {
                cue = cue + d * Dot(surface - cue, d);
            }
        }
        if (!(depth > 0.0f) && !(cloth > 0.0f)) {
            break;  // the tip has left the ball and the cloth has sprung back
        }
        const Vec3 impulse = depth > 0.0f ? tip * kTipStiffness * dt : Vec3{};

        float brake = 1.0f;
        const float along = Dot(cue, d);
        if (form_.brakeCue && !(along > 0.0f)) {
            brake = (along + kCueReboundSpeed) / kCueReboundSpeed;
            if (brake < 0.0f) {
                brake = 0.0f;
            }
        }
        cue = cue - Divided(impulse * brake, in.cueMass);
        const Vec3 across = impulse - d * Dot(impulse, d);
        sway = sway - Cross(across * in.compliance, d);

        if (!form_.pressOnlyOnCloth || in.onCloth) {
            cloth = cloth - velocity.z * dt;
        }
        if (form_.clothLimit > 0.0f && cloth > form_.clothLimit) {
            cloth = form_.clothLimit;
            if (velocity.z < 0.0f) {
                velocity.z = 0.0f;
            }
        }
        Vec3 push;
        if (cloth > 0.0f) {
            push.z = (form_.clothDamping * velocity.z + form_.clothStiffness * cloth) * dt;
        }
        // The cloth brakes the horizontal spin. Without horizontal spin there is nothing to brake (and no
        // direction to brake it along: the older versions' cloth can push with a negative load here).
        const Vec3 horizontalSpin{spin.x, spin.y, 0.0f};
        const float horizontalRate = horizontalSpin.Length();
        if (horizontalRate > 0.0f && push.z * in.clothFriction * 3.5f < horizontalRate) {
            spin =
                spin - Divided(horizontalSpin, horizontalRate) * (push.z * in.clothFriction / brakingMass / arm) * 0.1f;
        }
        velocity = velocity + Divided(impulse + push, updateMass);
        const float normalImpulse = Dot(impulse, contactNormal);
        if (normalImpulse > 0.0f) {
            spin = spin + Cross(Divided(impulse - contactNormal * normalImpulse, updateMass * arm), contactNormal);
        }
        time = time + dt;
        if (HasNaN(tip) || HasNaN(velocity) || HasNaN(spin)) {
            break;
        }
    }
    result.velocity = velocity;
    result.spin = spin;
    return result;
}

}  // namespace kestrovan
