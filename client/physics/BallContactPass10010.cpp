#include "client/physics/BallContactPass10010.h"

#include <cstddef>
#include <cstdint>

#include "client/physics/BallContactResolution.h"
#include "client/physics/CushionRebound.h"
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

// Two contacts that share no ball in lock-step: each component of the normals and of the balls' motion in SSE
// lanes as (first contact's first ball, second contact's first ball, first contact's second ball, second
// contact's second ball), so that both contacts, and both balls of each, take a micro-step in the same
// instructions. Each lane does the scalar step's operations in the same order, so the bits are the same: what
// the scalar step subtracts from the second ball is added here with the sign turned (x - y is x + -y, and
// rounding toward zero turns with the sign).
struct PairedContacts {
    // The x, y and z lanes of one vector of both contacts.
    struct Triple {
        __m128 xyz[3];

        __m128& operator[](size_t i) { return xyz[i]; }
        const __m128& operator[](size_t i) const { return xyz[i]; }
    };

    Triple n;         // (first, second, first, second) contact's normal
    Triple push;      // the same with the last two lanes turned: the direction each ball is pushed in
    Triple velocity;  // the balls' in the order above
    Triple spin;
    __m128 compression;  // (first, second, first, second)

    static PairedContacts From(const PackedContact& c, const PackedContact& d, const PackedBallMotion& a,
                               const PackedBallMotion& b, const PackedBallMotion& e, const PackedBallMotion& f) {
        const Triple n = Interleave(c.n, d.n, c.n, d.n);
        const __m128 turnHigh = _mm_setr_ps(0.0f, 0.0f, -0.0f, -0.0f);
        return {n,
                {_mm_xor_ps(n[0], turnHigh), _mm_xor_ps(n[1], turnHigh), _mm_xor_ps(n[2], turnHigh)},
                Interleave(a.velocity, e.velocity, b.velocity, f.velocity),
                Interleave(a.spin, e.spin, b.spin, f.spin),
                _mm_setr_ps(c.compression, d.compression, c.compression, d.compression)};
    }
    void SplitTo(PackedContact& c, PackedContact& d, PackedBallMotion& a, PackedBallMotion& b, PackedBallMotion& e,
                 PackedBallMotion& f) const {
        c.compression = _mm_cvtss_f32(compression);
        d.compression = _mm_cvtss_f32(_mm_shuffle_ps(compression, compression, _MM_SHUFFLE(1, 1, 1, 1)));
        Separate(velocity, a.velocity, e.velocity, b.velocity, f.velocity);
        Separate(spin, a.spin, e.spin, b.spin, f.spin);
    }
    // True while both contacts are compressed (compression >= 0, so not NaN).
    bool BothCompressed() const { return (_mm_movemask_ps(_mm_cmpge_ps(compression, _mm_setzero_ps())) & 3) == 3; }

    // Four (x, y, z, 0) vectors as x, y and z lanes in their order.
    static Triple Interleave(__m128 p, __m128 q, __m128 r, __m128 s) {
        const __m128 pqLow = _mm_unpacklo_ps(p, q);
        const __m128 rsLow = _mm_unpacklo_ps(r, s);
        const __m128 pqHigh = _mm_unpackhi_ps(p, q);
        const __m128 rsHigh = _mm_unpackhi_ps(r, s);
        return {_mm_movelh_ps(pqLow, rsLow), _mm_movehl_ps(rsLow, pqLow), _mm_movelh_ps(pqHigh, rsHigh)};
    }
    static void Separate(const Triple& lanes, __m128& p, __m128& q, __m128& r, __m128& s) {
        const __m128 xyLow = _mm_unpacklo_ps(lanes[0], lanes[1]);
        const __m128 xyHigh = _mm_unpackhi_ps(lanes[0], lanes[1]);
        const __m128 zLow = _mm_unpacklo_ps(lanes[2], _mm_setzero_ps());
        const __m128 zHigh = _mm_unpackhi_ps(lanes[2], _mm_setzero_ps());
        p = _mm_movelh_ps(xyLow, zLow);
        q = _mm_movehl_ps(zLow, xyLow);
        r = _mm_movelh_ps(xyHigh, zHigh);
        s = _mm_movehl_ps(zHigh, xyHigh);
    }

    // Dot(v, n) = (v.x n.x + v.y n.y) + v.z n.z.
    __m128 Dot(const Triple& v) const {
        return _mm_add_ps(_mm_add_ps(_mm_mul_ps(v[0], n[0]), _mm_mul_ps(v[1], n[1])), _mm_mul_ps(v[2], n[2]));
    }
    // Cross(v, n) = (v.y n.z - v.z n.y, v.z n.x - v.x n.z, v.x n.y - v.y n.x).
    Triple Cross(const Triple& v) const {
        return {_mm_sub_ps(_mm_mul_ps(v[1], n[2]), _mm_mul_ps(v[2], n[1])),
                _mm_sub_ps(_mm_mul_ps(v[2], n[0]), _mm_mul_ps(v[0], n[2])),
                _mm_sub_ps(_mm_mul_ps(v[0], n[1]), _mm_mul_ps(v[1], n[0]))};
    }
    // The second balls' lanes, (2, 3, 2, 3), and the first balls', (0, 1, 0, 1).
    static __m128 SecondBalls(__m128 v) { return _mm_movehl_ps(v, v); }
    static __m128 FirstBalls(__m128 v) { return _mm_movelh_ps(v, v); }
};

// Vec3::Length of the two contacts' vectors in lanes 0 and 1, as (first, second, first, second): the squares
// summed in double precision, rounded to float, then the root.
inline __m128 PairedLength(const PairedContacts::Triple& v) {
    const __m128d x = _mm_cvtps_pd(v[0]);
    const __m128d y = _mm_cvtps_pd(v[1]);
    const __m128d z = _mm_cvtps_pd(v[2]);
    const __m128d sum = _mm_add_pd(_mm_add_pd(_mm_mul_pd(x, x), _mm_mul_pd(y, y)), _mm_mul_pd(z, z));
    const __m128 rounded = _mm_cvtpd_ps(sum);
    return _mm_sqrt_ps(_mm_movelh_ps(rounded, rounded));
}

#endif

// One micro-step of a compressed contact, with the constants read once per resolution. With kMassPowerOfTwo the
// mass is a power of two whose inverse is a normal float: x / mass is then x times that inverse, exactly, for
// every x (both are the same exact quotient, rounded once), and the product ends sooner than the division in the
// chain from one micro-step to the next.
template <bool kMassPowerOfTwo>
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
    float inverseMass;    // 1 / mass, used with kMassPowerOfTwo
    float radius;         // ball 0's, in metres
    float arm;            // ball 0's inertia arm
    float friction;       // BallFriction
    float spinShare;      // BallSpinShare
    float frictionScale;  // the share of the friction that changes the velocities

    // x / mass.
    float PerMass(float x) const {
        if constexpr (kMassPowerOfTwo) {
            return x * inverseMass;
        } else {
            return x / mass;
        }
    }

    template <class Ball>
    void operator()(BallContact& contact, Ball& a, Ball& b) const {
        const Vec3& n = contact.normal;
        const float rel = Dot(n, b.velocity) - Dot(n, a.velocity);
        contact.compression = contact.compression + rel * step;
        const float force = PerMass(contact.compression * stiffness + rel * damping) * step;
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
    __m128 PerMass(__m128 x) const {
        if constexpr (kMassPowerOfTwo) {
            return _mm_mul_ps(x, _mm_set1_ps(inverseMass));
        } else {
            return _mm_div_ps(x, _mm_set1_ps(mass));
        }
    }

    // The same step on packed motion.
    void operator()(PackedContact& contact, PackedBallMotion& a, PackedBallMotion& b) const {
        const PackedContact& n = contact;
        const float rel = n.Dot(b.velocity) - n.Dot(a.velocity);
        contact.compression = contact.compression + rel * step;
        const float force = PerMass(contact.compression * stiffness + rel * damping) * step;
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
        const __m128 along = p.Dot(p.velocity);
        const __m128 rel = _mm_sub_ps(PairedContacts::SecondBalls(along), PairedContacts::FirstBalls(along));
        const __m128 compression = _mm_add_ps(p.compression, _mm_mul_ps(rel, _mm_set1_ps(step)));
        const __m128 force = _mm_mul_ps(PerMass(_mm_add_ps(_mm_mul_ps(compression, _mm_set1_ps(stiffness)),
                                                           _mm_mul_ps(rel, _mm_set1_ps(damping)))),
                                        _mm_set1_ps(step));
        Triple v;
        for (size_t i = 0; i < 3; ++i) {
            v[i] = _mm_add_ps(p.velocity[i], _mm_mul_ps(p.push[i], force));
        }
        const __m128 pushed = p.Dot(v);
        const Triple cross = p.Cross(p.spin);
        // t: the surface slip of each ball at the contact point, ta in the first balls' lanes and tb, which adds
        // its spin's part (x - y -r is x + y r), in the second balls'. Its halves are taken apart here, where the
        // chain to g has time to spare.
        const __m128 r = _mm_setr_ps(radius, radius, -radius, -radius);
        Triple t;
        Triple tFirst;
        Triple tSecond;
        Triple slipVector;
        for (size_t i = 0; i < 3; ++i) {
            t[i] = _mm_sub_ps(_mm_sub_ps(v[i], _mm_mul_ps(p.n[i], pushed)), _mm_mul_ps(cross[i], r));
            tFirst[i] = PairedContacts::FirstBalls(t[i]);
            tSecond[i] = PairedContacts::SecondBalls(t[i]);
            slipVector[i] = _mm_sub_ps(tSecond[i], t[i]);
        }
        const __m128 slip = PairedLength(slipVector);
        const __m128 limit = _mm_mul_ps(force, _mm_set1_ps(friction));
        const __m128 otherPath =
            _mm_or_ps(_mm_cmplt_ps(force, _mm_setzero_ps()), _mm_cmpge_ps(_mm_mul_ps(limit, _mm_set1_ps(3.5f)), slip));
        if ((_mm_movemask_ps(otherPath) & 3) != 0) {
            return false;
        }
        const __m128 g = _mm_div_ps(limit, slip);
        // The impulses: ja = tb share - ta in the first balls' lanes, jb = tb - ta share in the second balls'
        // (x times 1 is x).
        const __m128 shareFirst = _mm_setr_ps(spinShare, spinShare, 1.0f, 1.0f);
        const __m128 shareSecond = _mm_setr_ps(1.0f, 1.0f, spinShare, spinShare);
        // The second ball's share is subtracted: x + (y * -s) is x - y s.
        const __m128 scale = _mm_setr_ps(frictionScale, frictionScale, -frictionScale, -frictionScale);
        Triple j;
        for (size_t i = 0; i < 3; ++i) {
            j[i] = _mm_sub_ps(_mm_mul_ps(_mm_mul_ps(tSecond[i], g), shareFirst),
                              _mm_mul_ps(_mm_mul_ps(tFirst[i], g), shareSecond));
            p.velocity[i] = _mm_add_ps(v[i], _mm_mul_ps(j[i], scale));
        }
        const __m128 armLanes = _mm_set1_ps(arm);
        const Triple turn = p.Cross(j);
        for (size_t i = 0; i < 3; ++i) {
            p.spin[i] = _mm_add_ps(p.spin[i], _mm_div_ps(turn[i], armLanes));
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
    const float mass = reference.mass;
    const float inverseMass = 1.0f / mass;
    const auto resolve = [&]<bool kMassPowerOfTwo>() {
        const MicroStep10010<kMassPowerOfTwo> step{{},
                                                   c.BallContactStep,
                                                   kContactStiffness,
                                                   kContactDamping,
                                                   mass,
                                                   inverseMass,
                                                   reference.radiusM,
                                                   reference.inertiaArm,
                                                   c.BallFriction,
                                                   c.BallSpinShare,
                                                   frictionScale_};
        BallContactResolution<MicroStep10010<kMassPowerOfTwo>>::Resolve(model_, contacts_, step);
    };
    if (IsNormalPowerOfTwo(mass) && IsNormalPowerOfTwo(inverseMass)) {
        resolve.operator()<true>();
    } else {
        resolve.operator()<false>();
    }
}

}  // namespace kestrovan
