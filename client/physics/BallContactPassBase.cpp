#include "client/physics/BallContactPassBase.h"

#include "client/physics/BallContactResolution.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

// One micro-step of a compressed contact, with the constants read once per resolution. The spring's force acts
// on each ball by its own mass, whatever its sign; the contact has separated when its compression is negative
// after the impulses.
struct MicroStepBase : ScalarMicroStep {
    float step;       // the micro-step in seconds
    float stiffness;  // the contact spring's stiffness
    float damping;    // and damping
    float friction;   // BallFriction
    float spinShare;  // BallSpinShare

    template <class Ball>
    void operator()(BallContact& contact, Ball& a, Ball& b) const {
        const Vec3& n = contact.normal;
        const float rel = Dot(n, b.velocity) - Dot(n, a.velocity);
        contact.compression = contact.compression + rel * step;
        const float force = contact.compression * stiffness + rel * damping;
        a.velocity = a.velocity + n * (force / a.mass * step);
        b.velocity = b.velocity - n * (force / b.mass * step);
        if (force > 0.0f) {
            ApplyFriction(n, force, a, b);
        }
    }

    // Sliding friction with the impulse limit F x 2e-6 x BallFriction; a slip that 3.5 times the limit would
    // stop gets no tangential impulse. The impulses act on each ball by its own mass and inertia. A pulling
    // spring (a contact in its last micro-step) transfers no friction.
    template <class Ball>
    void ApplyFriction(const Vec3& n, float force, Ball& a, Ball& b) const {
        Vec3 ta = (a.velocity - n * Dot(a.velocity, n)) - Cross(a.spin, n) * a.radiusM;
        Vec3 tb = (b.velocity - n * Dot(b.velocity, n)) + Cross(b.spin, n) * b.radiusM;
        const float slip = (tb - ta).Length();
        const float limit = force * step * friction;
        if (!(limit * 3.5f < slip)) {
            return;
        }
        const float g = limit / slip;
        ta = ta * g;
        tb = tb * g;
        const Vec3 ja = -ta + tb * spinShare;
        const Vec3 jb = tb - ta * spinShare;
        a.velocity = a.velocity + Divided(ja, a.mass);
        b.velocity = b.velocity - Divided(jb, b.mass);
        a.spin = a.spin + Divided(Cross(ja, n), a.mass * a.inertiaArm);
        b.spin = b.spin + Divided(Cross(jb, n), b.mass * b.inertiaArm);
    }
};

}  // namespace

BallContactPassBase::BallContactPassBase(PhysicsModel& model, BallPairSearch& search)
    : BallContactPass(model, search, BallPairSearchForm{.ownRadii = true, .markXPositive = true}) {}

void BallContactPassBase::ResolveContacts() {
    const ModelConstants& c = TheModelConstants();
    const MicroStepBase step{{}, kMicroStep, kContactStiffness, kContactDamping, c.BallFriction, c.BallSpinShare};
    BallContactResolution<MicroStepBase>::Resolve(model_, contacts_, step);
}

}  // namespace kestrovan
