#include "client/physics/BallContactPass10010.h"

#include "client/physics/BallContactResolution.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsModel10010.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

// One micro-step of a compressed contact, with the constants read once per resolution.
struct MicroStep10010 {
    float step;           // BallContactStep
    float stiffness;      // the contact spring's stiffness
    float damping;        // and damping
    float mass;           // ball 0's
    float radius;         // ball 0's, in metres
    float arm;            // ball 0's inertia arm
    float friction;       // BallFriction
    float spinShare;      // BallSpinShare
    float frictionScale;  // the share of the friction that changes the velocities

    template <class Ball>
    void operator()(BallContact& contact, Ball& a, Ball& b) const {
        const Vec3& n = contact.normal;
        const float rel = Dot(n, b.velocity) - Dot(n, a.velocity);
        contact.compression = contact.compression + rel * step;
        const float force = (contact.compression * stiffness + rel * damping) / mass * step;
        if (force < 0.0f) {
            return;
        }
        a.velocity = a.velocity + n * force;
        b.velocity = b.velocity - n * force;
        ApplyFriction(n, force, a, b);
    }

    // Sliding friction between the two surfaces at the contact point, with the velocities after the push. A slip
    // that an impulse of the friction limit would more than stop (3.5 x the limit, a solid sphere's slip change
    // per unit impulse) gets no tangential impulse at all.
    template <class Ball>
    void ApplyFriction(const Vec3& n, float force, Ball& a, Ball& b) const {
        Vec3 ta = (a.velocity - n * Dot(a.velocity, n)) - Cross(a.spin, n) * radius;
        Vec3 tb = (b.velocity - n * Dot(b.velocity, n)) + Cross(b.spin, n) * radius;
        const float slip = (tb - ta).Length();
        const float limit = force * friction;
        if (limit * 3.5f >= slip) {
            return;
        }
        const float g = limit / slip;
        ta = ta * g;
        tb = tb * g;
        const Vec3 ja = -ta + tb * spinShare;
        const Vec3 jb = tb - ta * spinShare;
        a.velocity = a.velocity + ja * frictionScale;
        b.velocity = b.velocity - jb * frictionScale;
        a.spin = a.spin + Divided(Cross(ja, n), arm);
        b.spin = b.spin + Divided(Cross(jb, n), arm);
    }
};

}  // namespace

BallContactPass10010::BallContactPass10010(PhysicsModel10010& model, BallPairSearch& search)
    : BallContactPass(model, search, BallPairSearchForm{}), frictionScale_(model.TuningFields().ballFrictionScale) {}

void BallContactPass10010::ResolveContacts() {
    const ModelConstants& c = TheModelConstants();
    const PhysicsBall& reference = model_.Ball(0);
    const MicroStep10010 step{c.BallContactStep, kContactStiffness, kContactDamping,
                              reference.mass,    reference.radiusM, reference.inertiaArm,
                              c.BallFriction,    c.BallSpinShare,   frictionScale_};
    BallContactResolution<MicroStep10010>::Resolve(model_, contacts_, step);
}

}  // namespace kestrovan
