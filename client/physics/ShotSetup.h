#pragma once
// One shot described from outside the game: the model, the table, the ball set, where the balls lie and the
// stroke. The probe tool, the tests and the benchmarks run shots from this description.
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/math/Vec3.h"
#include "client/physics/BallSetSize.h"
#include "client/physics/CueStroke.h"
#include "client/physics/PhysicsModelCode.h"

namespace kestrovan {

struct ShotBall {
    float x = 0.0f;
    float y = 0.0f;
    std::optional<float> z;  // unset: resting on the cloth (z = the ball's radius)
};

struct ShotSetup {
    PhysicsModelCode modelCode = kDefaultPhysicsModelCode;
    uint32_t tableKind = 0;
    uint32_t ballSet = kDefaultBallSet;
    std::vector<ShotBall> balls;
    uint16_t cueBall = 0;
    CueStroke stroke;
    uint32_t subSteps = 0;  // 0: 50 on a carom table, 15 on a pocket table, as the game's holder does
    float timeScale = 1.0f;
    uint32_t maxCalls = 200000;  // 1000 s of play at 0.005 s per call
};

inline constexpr uint32_t kMaxShotBalls = 64;
inline constexpr float kSimulateCallDuration = 0.005f;

}  // namespace kestrovan
