#pragma once
// One sub-step of a ball's contact with a cushion modelled as a spring and damper whose contact point can stick
// to the ball or slip. The contact carries a deformation vector d (the displacement of the cushion's contact
// point), kept in the ball between sub-steps; a call advances d, derives the cushion's force from it and applies
// the impulse to the ball's velocity and spin. Versions differ as set in the CushionReboundForm.
#include <bit>
#include <cstdint>

#include "QuillLib/math/Vec3.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

struct CushionReboundForm {
    enum class Version { First, Second, Third };
    Version version = Version::First;
    // The 10010 series: the lever is R - (n . d) x reboundScale, and the stick-or-slip test is made separately
    // along the cushion (K18) and across it (K19), each removing its own part of the tangential deformation.
    bool separateSlipTests = false;
    float reboundScale = 1.0f;
    float alongSlipWeight = 1.0f;    // second and third versions: weight of the slip along the cushion
    float acrossSlipWeight = 1.0f;   // and across it
    float loadExponent = 1.0f;       // third version: the normal force's power in the friction limit
    float opposedAlongScale = 1.0f;  // third version: velocity change along the cushion when spin opposes motion
};

// The contact geometry of one call: the unit normal n from the cushion into the ball, its horizontal direction
// (ex, ey) and horizontal length ch, and the two tangents that the rebound works along: b in the vertical plane of
// the normal, c horizontal along the cushion. They depend on the contact vector only, so that a contact whose
// vector stays the same from one sub-step to the next keeps one CushionNormal.
struct CushionNormal {
    quill::Vec3 n;
    float ex = 0.0f;
    float ey = 0.0f;
    float ch = 0.0f;
    quill::Vec3 b;
    quill::Vec3 c;

    // From a contact vector as a cushion test gives it: normalised (a length below FLT_EPSILON gives zero), with
    // the horizontal direction and length of the unit normal, and the tangents.
    static CushionNormal Of(const quill::Vec3& contact);
};

// A ball's mass for dividing the cushion's force by it. When the mass is a power of two whose inverse is a normal
// float, v times that inverse is the same exact quotient rounded once, so the same bits for every v, and the
// product ends sooner than the division in the chain from one sub-step to the next. Built once per contact, so
// that the sub-steps neither divide for the inverse nor test the mass again.
struct ReboundMass {
    float mass = 0.0f;
    float inverse = 0.0f;
    bool exactInverse = false;

    static ReboundMass Of(float mass);
    // v / mass.
    Vec3 Divide(const Vec3& v) const { return exactInverse ? v * inverse : Divided(v, mass); }
};

class CushionRebound {
public:
    // Returns false when the contact has let go during this sub-step (velocity and spin then stay as they were).
    // k is the caller's copy of the constants: K28 the stiffness, entry 29 the damping chosen for the contact,
    // K18 and K19 the friction along and across the cushion.
    [[gnu::always_inline]] static bool Step(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal,
                                            quill::Vec3& deformation, float radiusM, float mass, float inertiaArm,
                                            float h, const PhysicsConstants& k, const CushionReboundForm& form);
    // The same with the mass prepared by the caller, for a loop of sub-steps.
    [[gnu::always_inline]] static bool Step(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal,
                                            quill::Vec3& deformation, float radiusM, const ReboundMass& mass,
                                            float inertiaArm, float h, const PhysicsConstants& k,
                                            const CushionReboundForm& form);

private:
    static Vec3 WeightedSlip(const Vec3& s, const Vec3& b, const Vec3& c, const CushionReboundForm& form);
    static void SlipDeformation(Vec3& d, const Vec3& n, const Vec3& b, const Vec3& c, const Vec3& fT, float normalLoad,
                                float tangentialLoad, float q, const PhysicsConstants& k,
                                const CushionReboundForm& form);
};

// True for a positive 2^k with a normal exponent.
inline bool IsNormalPowerOfTwo(float x) {
    const uint32_t bits = std::bit_cast<uint32_t>(x);
    const uint32_t exponent = (bits >> 23) & 0xFFu;
    return (bits & 0x807FFFFFu) == 0 && exponent != 0 && exponent != 0xFFu;
}

inline ReboundMass ReboundMass::Of(float mass) {
    const float inverse = 1.0f / mass;
    return {mass, inverse, IsNormalPowerOfTwo(mass) && IsNormalPowerOfTwo(inverse)};
}

// The slip that moves the deformation: the later versions weigh its parts along and across the cushion.
inline Vec3 CushionRebound::WeightedSlip(const Vec3& s, const Vec3& b, const Vec3& c, const CushionReboundForm& form) {
    if (form.version == CushionReboundForm::Version::First) {
        return s;
    }
    return c * (form.alongSlipWeight * Dot(s, c)) + b * (form.acrossSlipWeight * Dot(s, b));
}

// Stick or slip: when the friction the normal force allows cannot hold the tangential force, the contact point
// slips and the deformation loses (parts of) its tangential component.
inline void CushionRebound::SlipDeformation(Vec3& d, const Vec3& n, const Vec3& b, const Vec3& c, const Vec3& fT,
                                            float normalLoad, float tangentialLoad, float q, const PhysicsConstants& k,
                                            const CushionReboundForm& form) {
    if (form.separateSlipTests) {
        const Vec3 tangential = d - n * Dot(d, n);
        const float alongPart = Dot(tangential, c);
        const float acrossPart = Dot(tangential, b);
        if (2.0f * normalLoad * k[18] * q < tangentialLoad) {
            d = d - c * alongPart;
        }
        if (2.0f * normalLoad * k[19] * q < tangentialLoad) {
            d = d - b * acrossPart;
        }
        return;
    }
    const Vec3 t = Normalized(fT);
    const Vec3 tb = b * Dot(t, b);
    const Vec3 tc = t - tb;
    const float acrossFriction = tb.Length() * k[19];
    const float alongFriction = tc.Length() * k[18];
    const float mu = physmath::Sqrt(acrossFriction * acrossFriction + alongFriction * alongFriction);
    const float load =
        form.version == CushionReboundForm::Version::Third ? physmath::Pow(normalLoad, form.loadExponent) : normalLoad;
    if (2.0f * mu * load * q < tangentialLoad) {
        d = n * Dot(d, n);
    }
}

// Inline, so that a caller running many sub-steps with one form keeps the values in registers and drops the
// branches of the other forms.
inline bool CushionRebound::Step(Vec3& velocity, Vec3& spin, const CushionNormal& normal, Vec3& deformation,
                                 float radiusM, float mass, float inertiaArm, float h, const PhysicsConstants& k,
                                 const CushionReboundForm& form) {
    return Step(velocity, spin, normal, deformation, radiusM, ReboundMass::Of(mass), inertiaArm, h, k, form);
}

inline bool CushionRebound::Step(Vec3& velocity, Vec3& spin, const CushionNormal& normal, Vec3& deformation,
                                 float radiusM, const ReboundMass& mass, float inertiaArm, float h,
                                 const PhysicsConstants& k, const CushionReboundForm& form) {
    const Vec3& n = normal.n;
    const Vec3 b = normal.b;
    const Vec3 c = normal.c;
    Vec3& d = deformation;

    // The lever from the ball's centre to the deformed contact point.
    const float r = radiusM - Dot(n, d) * form.reboundScale;
    const float q = r / inertiaArm + 1.0f;
    const Vec3 vN = n * Dot(velocity, n);
    const Vec3 vT = velocity - vN;
    const Vec3 u = Cross(spin, n) * r;
    const Vec3 uN = n * Dot(u, n);
    const Vec3 uT = u - uN;
    const Vec3 s = vT - uT;  // slip of the contact point
    const Vec3 z = vN - uN;  // normal closing velocity

    float alongScale = 1.0f;
    if (form.version == CushionReboundForm::Version::Third && Dot(uT, c) * Dot(vT, c) < 0.0f) {
        alongScale = form.opposedAlongScale;
    }

    d = d - (Divided(WeightedSlip(s, b, c, form), q) + z) * h;
    if (Dot(d, n) < 0.0f) {
        return false;  // the cushion has let go
    }
    const Vec3 e = Normalized(d);
    const float g = Dot(e, s + z);
    const Vec3 f = mass.Divide(d * k[28] - e * (k[29] * g));
    const float fn = Dot(f, n);
    if (fn < 0.0f) {
        return true;  // the spring would pull the ball in: no impulse, the deformation keeps its update
    }
    const Vec3 impulse = f * h;
    const Vec3 jN = n * Dot(impulse, n);
    const Vec3 jT = impulse - jN;
    if (form.version == CushionReboundForm::Version::Third) {
        const Vec3 share = Divided(jT, q);
        const Vec3 scaled = share + c * ((alongScale - 1.0f) * Dot(share, c));
        velocity = velocity + scaled + jN;
        spin = spin + Cross(Divided(scaled, inertiaArm), n);
    } else {
        // The spin first: it reaches the next sub-step's slip through more operations than the velocity (the
        // lever's cross product and its normal part), so its divisions go to the divider first.
        spin = spin + Cross(Divided(jT, q * inertiaArm), n);
        velocity = velocity + Divided(jT, q) + jN;
    }
    // The slip test of the deformation last: only the next sub-step's lever waits for it, so its square roots
    // take the divider after the divisions that the velocity and spin wait for.
    const Vec3 fN = n * fn;
    const Vec3 fT = f - fN;
    SlipDeformation(d, n, b, c, fT, fN.Length(), fT.Length(), q, k, form);
    return true;
}

}  // namespace kestrovan
