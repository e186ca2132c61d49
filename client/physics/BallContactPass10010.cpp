#include "client/physics/BallContactPass10010.h"

#include "client/physics/BallContactResolution.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsModel10010.h"
#include "client/physics/PhysicsVector.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrovan {

namespace {

#if defined(__SSE2__)

// A ball's velocity and spin as (x, y, z, 0) in SSE registers while its contact is resolved apart. Each lane does
// the scalar step's operations in the same order, so the bits are the same; the fourth lane is never read back.
struct PackedBallMotion {
    __m128 velocity;
    __m128 spin;

    static PackedBallMotion From(const PhysicsBall& ball) { return {Pack(ball.velocity), Pack(ball.spin)}; }
    void StoreTo(PhysicsBall* ball) const {
        ball->velocity = Unpack(velocity);
        ball->spin = Unpack(spin);
    }
    static __m128 Pack(const Vec3& v) { return _mm_set_ps(0.0f, v.z, v.y, v.x); }
    static Vec3 Unpack(__m128 v) {
        alignas(16) float out[4];
        _mm_store_ps(out, v);
        return {out[0], out[1], out[2]};
    }
};

// A contact while it is resolved apart: its normal as (x, y, z, 0) and turned to (y, z, x, 0) for the cross
// products, and its compression.
struct PackedContact {
    __m128 n;
    __m128 yzx;
    float compression;

    static PackedContact From(const BallContact& contact) {
        const __m128 n = PackedBallMotion::Pack(contact.normal);
        return {n, Turned(n), contact.compression};
    }
    static __m128 Turned(__m128 v) { return _mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 0, 2, 1)); }

    // Dot(v, n) = (v.x n.x + v.y n.y) + v.z n.z.
    float Dot(__m128 v) const {
        const __m128 p = _mm_mul_ps(v, n);
        const __m128 xy = _mm_add_ss(p, _mm_shuffle_ps(p, p, _MM_SHUFFLE(1, 1, 1, 1)));
        return _mm_cvtss_f32(_mm_add_ss(xy, _mm_movehl_ps(p, p)));
    }
    // Cross(v, n) = (v.y n.z - v.z n.y, v.z n.x - v.x n.z, v.x n.y - v.y n.x), its lanes computed as (z, x, y)
    // and turned back.
    __m128 Cross(__m128 v) const { return Turned(_mm_sub_ps(_mm_mul_ps(v, yzx), _mm_mul_ps(Turned(v), n))); }
};

// Vec3::Length: the squares summed in double precision, rounded to float, then the root.
inline float PackedLength(__m128 v) {
    const __m128d xy = _mm_cvtps_pd(v);
    const __m128d xy2 = _mm_mul_pd(xy, xy);
    const __m128d z = _mm_cvtps_pd(_mm_movehl_ps(v, v));
    const __m128d sum = _mm_add_sd(_mm_add_sd(xy2, _mm_unpackhi_pd(xy2, xy2)), _mm_mul_sd(z, z));
    return physmath::Sqrt(static_cast<float>(_mm_cvtsd_f64(sum)));
}

#endif

// One micro-step of a compressed contact, with the constants read once per resolution.
struct MicroStep10010 : ScalarMicroStep {
#if defined(__SSE2__)
    using Motion = PackedBallMotion;
    using Contact = PackedContact;

    static Contact Prepare(const BallContact& contact) {
        return PackedContact::From(contact);
    }
    static void Finish(const Contact& prepared, BallContact* contact) {
        contact->compression = prepared.compression;
    }
#endif

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

#if defined(__SSE2__)
    // The same step on packed motion.
    void operator()(PackedContact& contact, PackedBallMotion& a, PackedBallMotion& b) const {
        const PackedContact& n = contact;
        const float rel = n.Dot(b.velocity) - n.Dot(a.velocity);
        contact.compression = contact.compression + rel * step;
        const float force = (contact.compression * stiffness + rel * damping) / mass * step;
        if (force < 0.0f) {
            return;
        }
        const __m128 push = _mm_mul_ps(n.n, _mm_set1_ps(force));
        a.velocity = _mm_add_ps(a.velocity, push);
        b.velocity = _mm_sub_ps(b.velocity, push);
        ApplyFriction(n, force, a, b);
    }

    void ApplyFriction(const PackedContact& n, float force, PackedBallMotion& a, PackedBallMotion& b) const {
        const __m128 r = _mm_set1_ps(radius);
        __m128 ta = _mm_sub_ps(_mm_sub_ps(a.velocity, _mm_mul_ps(n.n, _mm_set1_ps(n.Dot(a.velocity)))),
                               _mm_mul_ps(n.Cross(a.spin), r));
        __m128 tb = _mm_add_ps(_mm_sub_ps(b.velocity, _mm_mul_ps(n.n, _mm_set1_ps(n.Dot(b.velocity)))),
                               _mm_mul_ps(n.Cross(b.spin), r));
        const float slip = PackedLength(_mm_sub_ps(tb, ta));
        const float limit = force * friction;
        if (limit * 3.5f >= slip) {
            return;
        }
        const __m128 g = _mm_set1_ps(limit / slip);
        ta = _mm_mul_ps(ta, g);
        tb = _mm_mul_ps(tb, g);
        const __m128 share = _mm_set1_ps(spinShare);
        const __m128 ja = _mm_sub_ps(_mm_mul_ps(tb, share), ta);
        const __m128 jb = _mm_sub_ps(tb, _mm_mul_ps(ta, share));
        const __m128 scale = _mm_set1_ps(frictionScale);
        a.velocity = _mm_add_ps(a.velocity, _mm_mul_ps(ja, scale));
        b.velocity = _mm_sub_ps(b.velocity, _mm_mul_ps(jb, scale));
        const __m128 armLanes = _mm_set1_ps(arm);
        a.spin = _mm_add_ps(a.spin, _mm_div_ps(n.Cross(ja), armLanes));
        b.spin = _mm_add_ps(b.spin, _mm_div_ps(n.Cross(jb), armLanes));
    }
#endif
};

}  // namespace

BallContactPass10010::BallContactPass10010(PhysicsModel10010& model, BallPairSearch& search)
    : BallContactPass(model, search, BallPairSearchForm{}), frictionScale_(model.TuningFields().ballFrictionScale) {}

void BallContactPass10010::ResolveContacts() {
    const ModelConstants& c = TheModelConstants();
    const PhysicsBall& reference = model_.Ball(0);
    const MicroStep10010 step{{},
                              c.BallContactStep,
                              kContactStiffness,
                              kContactDamping,
                              reference.mass,
                              reference.radiusM,
                              reference.inertiaArm,
                              c.BallFriction,
                              c.BallSpinShare,
                              frictionScale_};
    BallContactResolution<MicroStep10010>::Resolve(model_, contacts_, step);
}

}  // namespace kestrovan
