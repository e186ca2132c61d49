#include "client/physics/BallContactPassBase.h"

#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

BallContactPassBase::BallContactPassBase(PhysicsModel& model, BallPairSearch& search)
    : BallContactPass(model, search, BallPairSearchForm{.ownRadii = true, .markXPositive = true}) {}

// The spring's force acts on each ball by its own mass, whatever its sign; the contact has separated when its
// compression is negative after the impulses.
void BallContactPassBase::ResolveMicroStep(BallContact& contact, uint16_t* separated) {
    PhysicsBall& a = model_.Ball(contact.first);
    PhysicsBall& b = model_.Ball(contact.second);
    const Vec3& n = contact.normal;
    const float rel = Dot(n, b.velocity) - Dot(n, a.velocity);
    contact.compression = contact.compression + rel * kMicroStep;
    const float force = contact.compression * kContactStiffness + rel * kContactDamping;
    a.velocity = a.velocity + n * (force / a.mass * kMicroStep);
    b.velocity = b.velocity - n * (force / b.mass * kMicroStep);
    if (force > 0.0f) {
        ApplyFriction(contact, force);
    }
    if (contact.compression < 0.0f) {
        ++*separated;
    }
}

// Sliding friction with the impulse limit F x 2e-6 x BallFriction; a slip that 3.5 times the limit would stop
// gets no tangential impulse. The impulses act on each ball by its own mass and inertia. A pulling spring (a
// contact in its last micro-step) transfers no friction.
void BallContactPassBase::ApplyFriction(const BallContact& contact, float force) {
    const ModelConstants& c = TheModelConstants();
    PhysicsBall& a = model_.Ball(contact.first);
    PhysicsBall& b = model_.Ball(contact.second);
    const Vec3& n = contact.normal;
    Vec3 ta = (a.velocity - n * Dot(a.velocity, n)) - Cross(a.spin, n) * a.radiusM;
    Vec3 tb = (b.velocity - n * Dot(b.velocity, n)) + Cross(b.spin, n) * b.radiusM;
    float slip = 0.0f;
    Normalized(tb - ta, &slip);
    const float limit = force * kMicroStep * c.BallFriction;
    if (!(limit * 3.5f < slip)) {
        return;
    }
    const float g = limit / slip;
    ta = ta * g;
    tb = tb * g;
    const Vec3 ja = -ta + tb * c.BallSpinShare;
    const Vec3 jb = tb - ta * c.BallSpinShare;
    a.velocity = a.velocity + Divided(ja, a.mass);
    b.velocity = b.velocity - Divided(jb, b.mass);
    a.spin = a.spin + Divided(Cross(ja, n), a.mass * a.inertiaArm);
    b.spin = b.spin + Divided(Cross(jb, n), b.mass * b.inertiaArm);
}

}  // namespace kestrovan
