#include "client/physics/ClothFriction.h"

#include "QuillLib/math/Vector2D.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsMath.h"

namespace kestrovan {

namespace {

struct SurfaceCoefficients {
    float slide;  // P0
    float share;  // P1
    float roll;   // P2
    float turn;   // P3
    float speedLoad;
};

bool SurfaceOf(uint32_t surface, const PhysicsConstants& k, const ClothFrictionForm& form, SurfaceCoefficients* out) {
    switch (static_cast<ClothSurface>(surface)) {
        case ClothSurface::Cloth:
            *out = {k[0], k[1], k[2], k[3], form.clothSpeedLoad};
            return true;
        case ClothSurface::Floor:
            *out = {k[4], k[5], k[6], k[7], -0.002f};
            return true;
        case ClothSurface::RailTop:
            *out = {k[8], k[9], k[10], k[11], 0.0f};
            return true;
    }
    return false;
}

// The three friction budgets of the sub-step: the most the contact can slide, the rolling loss, the turning loss;
// and the ball's horizontal speed, which the load and the rolling both use.
struct Budget {
    float slideMax;
    float roll;
    float turn;
    float speed;
};

// Returns false when the form does nothing for this ball and load.
bool ComputeBudget(const PhysicsBall& ball, float dt, const SurfaceCoefficients& c, const ClothFrictionForm& form,
                   Budget* out) {
    const quill::Vec3& v = ball.velocity;
    if (form.forceForm) {
        if (v.z / dt > 0.0f) {
            return false;
        }
        const float speed = quill::Length2D(v.x, v.y);
        const float n = -v.z / dt - speed * c.speedLoad / dt;
        *out = {n * c.slide * dt, c.roll * n * dt, c.turn * n * dt, speed};
        return true;
    }
    if (ball.IsAtRest()) {
        return false;
    }
    const float speed = quill::Length2D(v.x, v.y);
    const float n = -v.z - speed * c.speedLoad;
    if (form.skipWhenRising ? v.z > 0.0f : n < 0.0f) {
        return false;
    }
    *out = {n * c.slide, n * c.roll, n * c.turn, speed};
    return true;
}

// One axis of the contact point's slip split into the part carried by translation (a) and by spin (b).
void SplitSlip(float slip, float v, float spinSpeed, float* a, float* b) {
    if (slip * v > 0.0f) {
        *a = 0.0f;
        *b = slip;
    } else if (slip * spinSpeed < 0.0f) {
        *b = 0.0f;
        *a = -slip;
    } else {
        *a = v;
        *b = spinSpeed;
    }
}

void SlideBall(PhysicsBall& ball, float slideMax, float slipLength, float ax, float ay, float bx, float by, float share,
               const ClothFrictionForm& form) {
    quill::Vec3& v = ball.velocity;
    quill::Vec3& w = ball.spin;
    const float inertia = ball.inertiaArm;
    const float f = slideMax / slipLength;
    ax *= f;
    ay *= f;
    bx *= f;
    by *= f;
    v.x -= ax * form.slideLossScale;
    v.y -= ay * form.slideLossScale;
    w.x += by / inertia;
    w.y -= bx / inertia;
    ax *= share;
    ay *= share;
    bx *= share;
    by *= share;
    v.x += bx;
    v.y += by;
    w.x -= ay / inertia * form.passedSpinScale;
    w.y += ax / inertia * form.passedSpinScale;
}

// Rolls the ball (at horizontal speed s) and takes the rolling loss off; returns the turning budget, raised when the
// ball stopped.
float Roll(PhysicsBall& ball, float s, float roll, float turn, const ClothFrictionForm& form) {
    quill::Vec3& v = ball.velocity;
    quill::Vec3& w = ball.spin;
    const float r = ball.radiusM;
    if (s <= form.slowSpeedLimit && form.slowSpeedLimit > 0.0f) {
        roll = roll * ClothFriction::SlowSpeedGrowth(s, form.slowSpeedLimit, form.slowSpeedBoost);
    }
    if (s < roll) {
        roll = 0.0f;
    }
    if (roll == 0.0f) {
        v.x = v.y = 0.0f;
        w.x = w.y = 0.0f;
        return turn * form.stopTurnFactor;
    }
    w.x = -v.y / r;
    w.y = v.x / r;
    // The direction of motion: v / s, or none when s is 0 (Normalize2D of v, whose length is s).
    const float dx = s > 0.0f ? v.x / s : 0.0f;
    const float dy = s > 0.0f ? v.y / s : 0.0f;
    v.x -= dx * roll;
    v.y -= dy * roll;
    w.x += dy * roll / r;
    w.y -= dx * roll / r;
    return turn;
}

void BrakeVerticalSpin(PhysicsBall& ball, float turn) {
    float& wz = ball.spin.z;
    const float t = turn / ball.radiusM;
    const float magnitude = physmath::Fabs(wz);
    if (magnitude >= t && turn != 0.0f) {
        wz = wz * (1.0f - t / magnitude);
    } else {
        wz = 0.0f;
    }
}

}  // namespace

void ClothFriction::Apply(PhysicsBall& ball, float dt, uint32_t surface, const PhysicsConstants& k,
                          const ClothFrictionForm& form) {
    SurfaceCoefficients c{};
    if (!SurfaceOf(surface, k, form, &c)) {
        return;
    }
    Budget budget{};
    if (!ComputeBudget(ball, dt, c, form, &budget)) {
        return;
    }
    const quill::Vec3& v = ball.velocity;
    const quill::Vec3& w = ball.spin;
    // The speed of the ball's surface at its bottom point and the slip between it and the ball's motion.
    const float spinSpeedX = ball.radiusM * w.y;
    const float spinSpeedY = -ball.radiusM * w.x;
    const float slipX = spinSpeedX - v.x;
    const float slipY = spinSpeedY - v.y;
    const float slipLength = quill::Length2D(slipX, slipY);
    // 3.5 = 1 + 1 / 0.4: the change of slip that an impulse of 1 causes on a solid sphere.
    const bool sliding = form.forceForm ? !(slipLength <= budget.slideMax * 3.5f) : budget.slideMax * 3.5f < slipLength;
    float turn = budget.turn;
    if (sliding) {
        float ax = 0.0f;
        float ay = 0.0f;
        float bx = 0.0f;
        float by = 0.0f;
        SplitSlip(slipX, v.x, spinSpeedX, &ax, &bx);
        SplitSlip(slipY, v.y, spinSpeedY, &ay, &by);
        SlideBall(ball, budget.slideMax, slipLength, ax, ay, bx, by, c.share, form);
    } else {
        turn = Roll(ball, budget.speed, budget.roll, budget.turn, form);
    }
    BrakeVerticalSpin(ball, turn);
}

}  // namespace kestrovan
