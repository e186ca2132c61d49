#include "client/physics/CushionRebound.h"

#include "QuillLib/math/Vector2D.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

// The slip that moves the deformation: the later versions weigh its parts along and across the cushion.
Vec3 WeightedSlip(const Vec3& s, const Vec3& b, const Vec3& c, const CushionReboundForm& form) {
    if (form.version == CushionReboundForm::Version::First) {
        return s;
    }
    return c * (form.alongSlipWeight * Dot(s, c)) + b * (form.acrossSlipWeight * Dot(s, b));
}

// Stick or slip: when the friction the normal force allows cannot hold the tangential force, the contact point
// slips and the deformation loses (parts of) its tangential component.
void SlipDeformation(Vec3& d, const Vec3& n, const Vec3& b, const Vec3& c, const Vec3& fT, float normalLoad,
                     float tangentialLoad, float q, const PhysicsConstants& k, const CushionReboundForm& form) {
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

}  // namespace

CushionNormal CushionNormal::Of(const Vec3& contact) {
    CushionNormal normal;
    normal.n = Normalized(contact);
    normal.ex = normal.n.x;
    normal.ey = normal.n.y;
    quill::Normalize2D(&normal.ex, &normal.ey, &normal.ch);
    const Vec3& n = normal.n;
    normal.b = Vec3{-normal.ex * n.z, -normal.ey * n.z, normal.ch};
    normal.c = Cross(normal.b, n);
    return normal;
}

bool CushionRebound::Step(Vec3& velocity, Vec3& spin, const CushionNormal& normal, Vec3& deformation, float radiusM,
                          float mass, float inertiaArm, float h, const PhysicsConstants& k,
                          const CushionReboundForm& form) {
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
    const Vec3 f = Divided(d * k[28] - e * (k[29] * g), mass);
    const float fn = Dot(f, n);
    if (fn < 0.0f) {
        return true;  // the spring would pull the ball in: no impulse, the deformation keeps its update
    }
    const Vec3 fN = n * fn;
    const Vec3 fT = f - fN;
    SlipDeformation(d, n, b, c, fT, fN.Length(), fT.Length(), q, k, form);

    const Vec3 impulse = f * h;
    const Vec3 jN = n * Dot(impulse, n);
    const Vec3 jT = impulse - jN;
    if (form.version == CushionReboundForm::Version::Third) {
        const Vec3 share = Divided(jT, q);
        const Vec3 scaled = share + c * ((alongScale - 1.0f) * Dot(share, c));
        velocity = velocity + scaled + jN;
        spin = spin + Cross(Divided(scaled, inertiaArm), n);
    } else {
        velocity = velocity + Divided(jT, q) + jN;
        spin = spin + Cross(Divided(jT, q * inertiaArm), n);
    }
    return true;
}

}  // namespace kestrovan
