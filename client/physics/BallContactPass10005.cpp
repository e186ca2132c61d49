#include "client/physics/BallContactPass10005.h"

#include "client/physics/BallContactResolution.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

// One micro-step of a compressed contact, with the constants read once per resolution. The contact's first ball
// is the one its normal points to; the push moves it along the normal and the second ball against it.
struct MicroStep10005 : ScalarMicroStep {
    float step;         // the micro-step in seconds
    float stiffness;    // the contact spring's stiffness
    float damping;      // and damping
    float mass;         // ball 0's
    float radius;       // ball 0's, in metres
    float arm;          // ball 0's inertia arm
    float friction;     // BallFriction
    float frictionAlt;  // BallFrictionAlt
    float spinShare;    // BallSpinShare
    BallContactFriction10005 version;

    template <class Ball>
    void operator()(BallContact& contact, Ball& first, Ball& second) const {
        const Vec3& n = contact.normal;
        const float closing = Dot(n, second.velocity) - Dot(n, first.velocity);
        contact.compression = contact.compression + closing * step;
        const float push = ((closing * damping + contact.compression * stiffness) / mass) * step;
        if (!(push >= 0.0f)) {
            return;
        }
        first.velocity = first.velocity + n * push;
        second.velocity = second.velocity - n * push;
        ApplyFriction(n, push, first, second);
    }

    // Sliding friction between the two surfaces, with the velocities after the push: when the slip exceeds what
    // the push's friction can take, each ball takes the friction share of its own contact-point velocity and
    // passes BallSpinShare of it on to the other.
    template <class Ball>
    void ApplyFriction(const Vec3& n, float push, Ball& first, Ball& second) const {
        const Vec3 spinTermFirst = Cross(first.spin, n) * radius;
        const Vec3 spinTermSecond = Cross(second.spin, n) * radius;
        const Vec3 pointFirst = (first.velocity - n * Dot(first.velocity, n)) - spinTermFirst;
        const Vec3 pointSecond = version.secondVersion
                                     ? (second.velocity - n * Dot(second.velocity, n)) + spinTermSecond
                                     : (second.velocity - n * Dot(second.velocity, n)) - spinTermSecond;
        const Vec3 slip = pointSecond - pointFirst;
        const float slipLength = slip.Length();
        if (!(slipLength > 0.0f)) {
            return;  // nothing slides
        }
        const float limit = push * Coefficient(slip, slipLength, n);
        if (!(slipLength > limit)) {
            return;
        }
        const float share = limit / slipLength;
        const Vec3 takenSecond = pointSecond * share;
        const Vec3 takenFirst = pointFirst * share;
        const Vec3 changeFirst = takenSecond * spinShare - takenFirst;
        const Vec3 changeSecond = takenSecond - takenFirst * spinShare;
        first.velocity = first.velocity + changeFirst * version.velocityScale;
        second.velocity = second.velocity - changeSecond * version.velocityScale;
        first.spin = first.spin + Divided(Cross(changeFirst, n), arm);
        second.spin = second.spin + Divided(Cross(changeSecond, n), arm);
    }

    // The first version's coefficient is BallFriction; the second weighs the slip's part across the line of
    // centres (horizontally) by BallFriction and the rest by BallFrictionAlt.
    float Coefficient(const Vec3& slip, float slipLength, const Vec3& normal) const {
        if (!version.secondVersion) {
            return friction;
        }
        const Vec3 direction = Divided(slip, slipLength);
        const Vec3 across = Normalized(Cross(normal, Vec3{0.0f, 0.0f, 1.0f}));
        const Vec3 acrossPart = across * Dot(direction, across);
        const Vec3 restPart = direction - acrossPart;
        const float weightedAcross = acrossPart.Length() * friction;
        const float weightedRest = restPart.Length() * frictionAlt;
        const float sum = weightedAcross * weightedAcross + weightedRest * weightedRest;
        return sum > 0.0f ? physmath::Sqrt(sum) : 0.0f;
    }
};

}  // namespace

BallContactPass10005::BallContactPass10005(PhysicsModel& model, BallPairSearch& search,
                                           const BallContactFriction10005& friction)
    : BallContactPass(model, search, BallPairSearchForm{}), friction_(friction) {}

void BallContactPass10005::ResolveContacts() {
    const ModelConstants& c = TheModelConstants();
    const PhysicsBall& reference = model_.Ball(0);
    const MicroStep10005 step{{},
                              kMicroStep,
                              kContactStiffness,
                              kContactDamping,
                              reference.mass,
                              reference.radiusM,
                              reference.inertiaArm,
                              c.BallFriction,
                              c.BallFrictionAlt,
                              c.BallSpinShare,
                              friction_};
    BallContactResolution<MicroStep10005>::Resolve(model_, contacts_, step);
}

}  // namespace kestrovan
