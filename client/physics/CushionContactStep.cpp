#include "client/physics/CushionContactStep.h"

#include "QuillLib/math/Vector2D.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

// The three terms of the slip along one tangent: the ball's tangential velocity (1), the impulse's tangential
// part (2) and the spin's surface speed (3). Terms that work against the total are dropped and the survivors
// rescaled to the same total.
struct SlipTerms {
    float velocity;
    float impulse;
    float spin;

    float Total() const { return velocity - impulse - spin; }

    void KeepConsistentWith(float total) {
        if (total * velocity < 0.0f) {
            velocity = 0.0f;
        }
        if (total * impulse > 0.0f) {
            impulse = 0.0f;
        }
        if (total * spin > 0.0f) {
            spin = 0.0f;
        }
        const float remaining = Total();
        if (remaining != 0.0f) {
            const float scale = total / remaining;
            velocity *= scale;
            impulse *= scale;
            spin *= scale;
        }
    }

    void Scale(float s) {
        velocity *= s;
        impulse *= s;
        spin *= s;
    }
};

SlipTerms TermsAlong(const Vec3& tangent, const Vec3& tangentialVelocity, const Vec3& tangentialImpulse,
                     const Vec3& surfaceSpeed) {
    return {Dot(tangent, tangentialVelocity), Dot(tangent, tangentialImpulse), Dot(tangent, surfaceSpeed)};
}

}  // namespace

void CushionContactStep::Apply(Vec3& velocity, Vec3& spin, const CushionNormal& normal, float force,
                               float approachSpeed, float radiusM, float inertiaArm, float h, const PhysicsConstants& k,
                               float tangentialFactor, bool tangentFromDirection) {
    const Vec3& n = normal.n;
    // The normal impulse, its vertical part cut to 0.9.
    const float s = force * h;
    const Vec3 impulse{s * n.x, s * n.y, 0.9f * s * n.z};
    const float jn = Dot(impulse, n);
    const Vec3 offNormal = (impulse - n * jn) * (tangentialFactor / h);
    const Vec3 tangential = velocity + n * approachSpeed;
    velocity = velocity + impulse;

    const Vec3 b{-normal.ex * n.z, -normal.ey * n.z, normal.ch};
    const Vec3 c = tangentFromDirection ? Vec3{-normal.ey, normal.ex, 0.0f} : Cross(b, n);
    const Vec3 surface = Cross(spin, n) * radiusM;

    SlipTerms along = TermsAlong(c, tangential, offNormal, surface);
    const float slipAlong = along.Total();
    along.KeepConsistentWith(slipAlong);
    SlipTerms across = TermsAlong(b, tangential, offNormal, surface);
    const float slipAcross = across.Total();
    across.KeepConsistentWith(slipAcross);

    float dirAlong = slipAlong;
    float dirAcross = slipAcross;
    float slip = 0.0f;
    quill::Normalize2D(&dirAlong, &dirAcross, &slip);
    const float weightedAlong = dirAlong * k[18];
    const float weightedAcross = dirAcross * k[19];
    const float sum = weightedAlong * weightedAlong + weightedAcross * weightedAcross;
    const float mu = sum > 0.0f ? physmath::Sqrt(sum) : 0.0f;
    if (!(3.5f * mu * jn < slip)) {
        return;  // the friction holds: only the normal impulse acts
    }
    along.Scale(jn * k[18] / slip);
    across.Scale(jn * k[19] / slip);
    const float share = k[23];
    const float x1 = across.velocity - (across.impulse + across.spin) * share;
    const float y1 = along.velocity - (along.impulse + along.spin) * share;
    const float x2 = (across.velocity - across.impulse) * share - across.spin;
    const float y2 = (along.velocity - along.impulse) * share - along.spin;
    velocity = velocity - (b * x1 + c * y1);
    const Vec3 g = b * x2 + c * y2;
    spin = spin - Divided(Cross(g, n), inertiaArm);
}

}  // namespace kestrovan
