#include "client/physics/BallContactPass10005.h"

#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

BallContactPass10005::BallContactPass10005(PhysicsModel& model, BallPairSearch& search,
                                           const BallContactFriction10005& friction)
    : BallContactPass(model, search, BallPairSearchForm{}), friction_(friction) {}

// The contact's first ball is the one its normal points to; the push moves it along the normal and the second
// ball against it.
void BallContactPass10005::ResolveMicroStep(BallContact& contact, uint16_t* separated) {
    PhysicsBall& first = model_.Ball(contact.first);
    PhysicsBall& second = model_.Ball(contact.second);
    const Vec3& n = contact.normal;
    const float closing = Dot(n, second.velocity) - Dot(n, first.velocity);
    contact.compression = contact.compression + closing * kMicroStep;
    const float push =
        ((closing * kContactDamping + contact.compression * kContactStiffness) / model_.Ball(0).mass) * kMicroStep;
    if (contact.compression < 0.0f) {
        ++*separated;
    }
    if (!(push >= 0.0f)) {
        return;
    }
    first.velocity = first.velocity + n * push;
    second.velocity = second.velocity - n * push;
    ApplyFriction(contact, push);
}

// Sliding friction between the two surfaces, with the velocities after the push: when the slip exceeds what the
// push's friction can take, each ball takes the friction share of its own contact-point velocity and passes
// BallSpinShare of it on to the other.
void BallContactPass10005::ApplyFriction(const BallContact& contact, float push) {
    const ModelConstants& c = TheModelConstants();
    PhysicsBall& first = model_.Ball(contact.first);
    PhysicsBall& second = model_.Ball(contact.second);
    const PhysicsBall& reference = model_.Ball(0);
    const float radius = reference.radiusM;
    const float arm = reference.inertiaArm;
    const Vec3& n = contact.normal;
    const Vec3 spinTermFirst = Cross(first.spin, n) * radius;
    const Vec3 spinTermSecond = Cross(second.spin, n) * radius;
    const Vec3 pointFirst = (first.velocity - n * Dot(first.velocity, n)) - spinTermFirst;
    const Vec3 pointSecond = friction_.secondVersion ? (second.velocity - n * Dot(second.velocity, n)) + spinTermSecond
                                                     : (second.velocity - n * Dot(second.velocity, n)) - spinTermSecond;
    const Vec3 slip = pointSecond - pointFirst;
    const float slipLength = slip.Length();
    if (!(slipLength > 0.0f)) {
        return;  // nothing slides
    }
    const float limit = push * FrictionCoefficient(slip, slipLength, n);
    if (!(slipLength > limit)) {
        return;
    }
    const float share = limit / slipLength;
    const Vec3 takenSecond = pointSecond * share;
    const Vec3 takenFirst = pointFirst * share;
    const Vec3 changeFirst = takenSecond * c.BallSpinShare - takenFirst;
    const Vec3 changeSecond = takenSecond - takenFirst * c.BallSpinShare;
    first.velocity = first.velocity + changeFirst * friction_.velocityScale;
    second.velocity = second.velocity - changeSecond * friction_.velocityScale;
    first.spin = first.spin + Divided(Cross(changeFirst, n), arm);
    second.spin = second.spin + Divided(Cross(changeSecond, n), arm);
}

// The first version's coefficient is BallFriction; the second weighs the slip's part across the line of centres
// (horizontally) by BallFriction and the rest by BallFrictionAlt.
float BallContactPass10005::FrictionCoefficient(const Vec3& slip, float slipLength, const Vec3& normal) const {
    const ModelConstants& c = TheModelConstants();
    if (!friction_.secondVersion) {
        return c.BallFriction;
    }
    const Vec3 direction = Divided(slip, slipLength);
    const Vec3 across = Normalized(Cross(normal, Vec3{0.0f, 0.0f, 1.0f}));
    const Vec3 acrossPart = across * Dot(direction, across);
    const Vec3 restPart = direction - acrossPart;
    const float weightedAcross = acrossPart.Length() * c.BallFriction;
    const float weightedRest = restPart.Length() * c.BallFrictionAlt;
    const float sum = weightedAcross * weightedAcross + weightedRest * weightedRest;
    return sum > 0.0f ? physmath::Sqrt(sum) : 0.0f;
}

}  // namespace kestrovan
