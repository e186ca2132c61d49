#pragma once
// The friction of one sub-step between a ball and the surface it lies on: the bed cloth (surface 0), the room's
// floor (1) or the top of a rail (2). Each model version brings its own form; they share one outline, so one body
// takes the version's differences as a ClothFrictionForm.
//
// The load of a sub-step is the surface's normal impulse per unit mass, N = -vz - |v_horizontal| x k (k the
// surface's speed load); every friction effect is a coefficient times N: sliding (P0), the share passed between
// translation and spin (P1), rolling resistance (P2) and friction against spin about the vertical (P3). The
// force forms divide the load by dt and multiply each effect by dt again.
#include <cstdint>

#include "client/physics/PhysicsConstants.h"

namespace kestrovan {

class PhysicsBall;

enum class ClothSurface : uint32_t { Cloth = 0, Floor = 1, RailTop = 2 };

struct ClothFrictionForm {
    // Impulse forms skip a ball at rest and return when the load N is negative (or, with skipWhenRising, when the
    // ball moves upwards). Force forms test neither rest nor the load, only that the ball does not move upwards.
    bool forceForm = false;
    bool skipWhenRising = false;
    float clothSpeedLoad = 0.0f;  // k of the cloth; the floor's is -0.002 and the rail top's 0
    // Below slowSpeedLimit (when above 0) the rolling resistance grows, by slowSpeedBoost at zero speed.
    float slowSpeedLimit = 0.0f;
    float slowSpeedBoost = 0.0f;
    float stopTurnFactor = 1.0f;   // multiplies the turning friction once rolling has stopped the ball
    float slideLossScale = 1.0f;   // scales the translation lost while sliding
    float passedSpinScale = 1.0f;  // scales the spin change of the passed share while sliding
};

class ClothFriction {
public:
    static void Apply(PhysicsBall& ball, float dt, uint32_t surface, const PhysicsConstants& k,
                      const ClothFrictionForm& form);

    // The rolling-resistance factor below the slow-speed limit at horizontal speed s (1 when it does not apply).
    static float SlowSpeedGrowth(float s, float limit, float boost);
};

inline float ClothFriction::SlowSpeedGrowth(float s, float limit, float boost) {
    if (!(s <= limit && limit > 0.0f)) {
        return 1.0f;
    }
    float g = (limit - s) * boost / limit + 1.0f;
    if (s < 0.25f * limit) {
        g *= s / (0.25f * limit);
    } else if (s < 0.5f * limit) {
        g *= s / (0.5f * limit);
    } else if (s < 0.75f * limit) {
        g *= s / (0.75f * limit);
    }
    return g < 0.4f ? 0.4f : g;
}

}  // namespace kestrovan
