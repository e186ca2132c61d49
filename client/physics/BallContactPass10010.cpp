#include "client/physics/BallContactPass10010.h"

#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsModel10010.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

BallContactPass10010::BallContactPass10010(PhysicsModel10010& model, BallPairSearch& search)
    : BallContactPass(model, search, BallPairSearchForm{}), frictionScale_(model.TuningFields().ballFrictionScale) {}

void BallContactPass10010::ResolveMicroStep(BallContact& contact, uint16_t* separated) {
    const ModelConstants& c = TheModelConstants();
    PhysicsBall& a = model_.Ball(contact.first);
    PhysicsBall& b = model_.Ball(contact.second);
    const Vec3& n = contact.normal;
    const float mass = model_.Ball(0).mass;
    const float rel = Dot(n, b.velocity) - Dot(n, a.velocity);
    contact.compression = contact.compression + rel * c.BallContactStep;
    const float force = (contact.compression * kContactStiffness + rel * kContactDamping) / mass * c.BallContactStep;
    if (contact.compression < 0.0f) {
        ++*separated;
    }
    if (force < 0.0f) {
        return;
    }
    a.velocity = a.velocity + n * force;
    b.velocity = b.velocity - n * force;
    ApplyFriction(contact, force);
}

// Sliding friction between the two surfaces at the contact point, with the velocities after the push. A slip
// that an impulse of the friction limit would more than stop (3.5 x the limit, a solid sphere's slip change per
// unit impulse) gets no tangential impulse at all.
void BallContactPass10010::ApplyFriction(const BallContact& contact, float force) {
    const ModelConstants& c = TheModelConstants();
    PhysicsBall& a = model_.Ball(contact.first);
    PhysicsBall& b = model_.Ball(contact.second);
    const PhysicsBall& reference = model_.Ball(0);
    const float radius = reference.radiusM;
    const float arm = reference.inertiaArm;
    const Vec3& n = contact.normal;
    Vec3 ta = (a.velocity - n * Dot(a.velocity, n)) - Cross(a.spin, n) * radius;
    Vec3 tb = (b.velocity - n * Dot(b.velocity, n)) + Cross(b.spin, n) * radius;
    float slip = 0.0f;
    Normalized(tb - ta, &slip);
    const float limit = force * c.BallFriction;
    if (limit * 3.5f >= slip) {
        return;
    }
    const float g = limit / slip;
    ta = ta * g;
    tb = tb * g;
    const Vec3 ja = -ta + tb * c.BallSpinShare;
    const Vec3 jb = tb - ta * c.BallSpinShare;
    a.velocity = a.velocity + ja * frictionScale_;
    b.velocity = b.velocity - jb * frictionScale_;
    a.spin = a.spin + Divided(Cross(ja, n), arm);
    b.spin = b.spin + Divided(Cross(jb, n), arm);
}

}  // namespace kestrovan
