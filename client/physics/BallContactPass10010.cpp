#include "client/physics/BallContactPass10010.h"

#include <cstddef>

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

// Two contacts that share no ball in lock-step: each component of the normals and of the balls' motion as
// (first contact, second contact, first, second) in SSE lanes, so that both take a micro-step in the same
// instructions. Each lane does the scalar step's operations in the same order, so the bits are the same; the
// last two lanes repeat the first two and are never read back.
struct PairedContacts {
    // The x, y and z lanes of one vector of both contacts.
    struct Triple {
        __m128 xyz[3];

        __m128& operator[](size_t i) { return xyz[i]; }
        const __m128& operator[](size_t i) const { return xyz[i]; }
    };

    Triple n;
    Triple velocityA;  // each contact's first ball
    Triple velocityB;  // and second ball
    Triple spinA;
    Triple spinB;
    __m128 compression;

    static PairedContacts From(const PackedContact& c, const PackedContact& d, const PackedBallMotion& a,
                               const PackedBallMotion& b, const PackedBallMotion& e, const PackedBallMotion& f) {
        return {Interleave(c.n, d.n),
                Interleave(a.velocity, e.velocity),
                Interleave(b.velocity, f.velocity),
                Interleave(a.spin, e.spin),
                Interleave(b.spin, f.spin),
                _mm_setr_ps(c.compression, d.compression, c.compression, d.compression)};
    }
    void SplitTo(PackedContact& c, PackedContact& d, PackedBallMotion& a, PackedBallMotion& b, PackedBallMotion& e,
                 PackedBallMotion& f) const {
        c.compression = _mm_cvtss_f32(compression);
        d.compression = _mm_cvtss_f32(_mm_shuffle_ps(compression, compression, _MM_SHUFFLE(1, 1, 1, 1)));
        Separate(velocityA, a.velocity, e.velocity);
        Separate(velocityB, b.velocity, f.velocity);
        Separate(spinA, a.spin, e.spin);
        Separate(spinB, b.spin, f.spin);
    }
    // True while both contacts are compressed (compression >= 0, so not NaN).
    bool BothCompressed() const { return (_mm_movemask_ps(_mm_cmpge_ps(compression, _mm_setzero_ps())) & 3) == 3; }

    // (x, y, z, 0) of the first and of the second contact as x, y and z lanes.
    static Triple Interleave(__m128 first, __m128 second) {
        const __m128 xy = _mm_unpacklo_ps(first, second);
        const __m128 z = _mm_unpackhi_ps(first, second);
        return {_mm_movelh_ps(xy, xy), _mm_movehl_ps(xy, xy), _mm_movelh_ps(z, z)};
    }
    static void Separate(const Triple& lanes, __m128& first, __m128& second) {
        const __m128 xy = _mm_unpacklo_ps(lanes[0], lanes[1]);
        const __m128 z = _mm_unpacklo_ps(lanes[2], _mm_setzero_ps());
        first = _mm_movelh_ps(xy, z);
        second = _mm_movehl_ps(z, xy);
    }

    // Dot(v, n) = (v.x n.x + v.y n.y) + v.z n.z.
    __m128 Dot(const Triple& v) const {
        return _mm_add_ps(_mm_add_ps(_mm_mul_ps(v[0], n[0]), _mm_mul_ps(v[1], n[1])), _mm_mul_ps(v[2], n[2]));
    }
    // Dot(n, b) - Dot(n, a): how fast the balls approach along the normal.
    __m128 Rel(const Triple& a, const Triple& b) const { return _mm_sub_ps(Dot(b), Dot(a)); }
    // Cross(v, n) = (v.y n.z - v.z n.y, v.z n.x - v.x n.z, v.x n.y - v.y n.x).
    Triple Cross(const Triple& v) const {
        return {_mm_sub_ps(_mm_mul_ps(v[1], n[2]), _mm_mul_ps(v[2], n[1])),
                _mm_sub_ps(_mm_mul_ps(v[2], n[0]), _mm_mul_ps(v[0], n[2])),
                _mm_sub_ps(_mm_mul_ps(v[0], n[1]), _mm_mul_ps(v[1], n[0]))};
    }
};

// Vec3::Length of the two contacts' vectors in lanes 0 and 1: the squares summed in double precision, rounded to
// float, then the root.
inline __m128 PairedLength(const PairedContacts::Triple& v) {
    const __m128d x = _mm_cvtps_pd(v[0]);
    const __m128d y = _mm_cvtps_pd(v[1]);
    const __m128d z = _mm_cvtps_pd(v[2]);
    const __m128d sum = _mm_add_pd(_mm_add_pd(_mm_mul_pd(x, x), _mm_mul_pd(y, y)), _mm_mul_pd(z, z));
    const __m128 rounded = _mm_cvtpd_ps(sum);
    return _mm_sqrt_ps(_mm_movelh_ps(rounded, rounded));
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
    using Pair = PairedContacts;
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

    // The same step on two contacts in lock-step, for the common case that both push and both slip past the
    // friction limit. False, with the pair untouched, when either contact lets go or slips too little in this
    // micro-step (that takes a different path through the step).
    bool StepPair(PairedContacts& p) const {
        using Triple = PairedContacts::Triple;
        const __m128 rel = p.Rel(p.velocityA, p.velocityB);
        const __m128 compression = _mm_add_ps(p.compression, _mm_mul_ps(rel, _mm_set1_ps(step)));
        const __m128 force = _mm_mul_ps(_mm_div_ps(_mm_add_ps(_mm_mul_ps(compression, _mm_set1_ps(stiffness)),
                                                              _mm_mul_ps(rel, _mm_set1_ps(damping))),
                                                   _mm_set1_ps(mass)),
                                        _mm_set1_ps(step));
        Triple va;
        Triple vb;
        for (size_t i = 0; i < 3; ++i) {
            const __m128 push = _mm_mul_ps(p.n[i], force);
            va[i] = _mm_add_ps(p.velocityA[i], push);
            vb[i] = _mm_sub_ps(p.velocityB[i], push);
        }
        const __m128 dotA = p.Dot(va);
        const __m128 dotB = p.Dot(vb);
        const Triple crossA = p.Cross(p.spinA);
        const Triple crossB = p.Cross(p.spinB);
        const __m128 r = _mm_set1_ps(radius);
        Triple ta;
        Triple tb;
        Triple slipVector;
        for (size_t i = 0; i < 3; ++i) {
            ta[i] = _mm_sub_ps(_mm_sub_ps(va[i], _mm_mul_ps(p.n[i], dotA)), _mm_mul_ps(crossA[i], r));
            tb[i] = _mm_add_ps(_mm_sub_ps(vb[i], _mm_mul_ps(p.n[i], dotB)), _mm_mul_ps(crossB[i], r));
            slipVector[i] = _mm_sub_ps(tb[i], ta[i]);
        }
        const __m128 slip = PairedLength(slipVector);
        const __m128 limit = _mm_mul_ps(force, _mm_set1_ps(friction));
        const __m128 otherPath =
            _mm_or_ps(_mm_cmplt_ps(force, _mm_setzero_ps()), _mm_cmpge_ps(_mm_mul_ps(limit, _mm_set1_ps(3.5f)), slip));
        if ((_mm_movemask_ps(otherPath) & 3) != 0) {
            return false;
        }
        const __m128 g = _mm_div_ps(limit, slip);
        const __m128 share = _mm_set1_ps(spinShare);
        const __m128 scale = _mm_set1_ps(frictionScale);
        Triple ja;
        Triple jb;
        for (size_t i = 0; i < 3; ++i) {
            const __m128 gta = _mm_mul_ps(ta[i], g);
            const __m128 gtb = _mm_mul_ps(tb[i], g);
            ja[i] = _mm_sub_ps(_mm_mul_ps(gtb, share), gta);
            jb[i] = _mm_sub_ps(gtb, _mm_mul_ps(gta, share));
            p.velocityA[i] = _mm_add_ps(va[i], _mm_mul_ps(ja[i], scale));
            p.velocityB[i] = _mm_sub_ps(vb[i], _mm_mul_ps(jb[i], scale));
        }
        const __m128 armLanes = _mm_set1_ps(arm);
        const Triple turnA = p.Cross(ja);
        const Triple turnB = p.Cross(jb);
        for (size_t i = 0; i < 3; ++i) {
            p.spinA[i] = _mm_add_ps(p.spinA[i], _mm_div_ps(turnA[i], armLanes));
            p.spinB[i] = _mm_add_ps(p.spinB[i], _mm_div_ps(turnB[i], armLanes));
        }
        p.compression = compression;
        return true;
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
