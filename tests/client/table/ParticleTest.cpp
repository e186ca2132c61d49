#include <gtest/gtest.h>

#include <cmath>

#include "client/table/AmbientEffect.h"
#include "client/table/Particle.h"
#include "client/table/ParticleBurst.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan {
namespace {

// A draw sequence that covers the range: 0, 1, 2, ... scaled over 0..32767.
std::function<int()> Sweep() {
    auto counter = std::make_shared<int>(0);
    return [counter] { return (*counter)++ * 7919 % 32768; };
}

quill::Transform Emitter(float x, float y, float z) {
    quill::Transform emitter;
    emitter.SetPosition({x, y, z});
    return emitter;
}

TEST(ParticleBurst, ChalkLandsOnTheBedAndFades) {
    ParticleBurst burst(nullptr, Sweep());
    EXPECT_FALSE(burst.IsActive());
    burst.Start(500, 0.8f, 0.5f, 0.01f, 1.8f, 8.0f, 60.0f, 0.04f);
    EXPECT_EQ(burst.Count(), 200u);
    burst.Start(50, 0.8f, 0.5f, 0.01f, 1.8f, 8.0f, 60.0f, 0.04f);
    EXPECT_EQ(burst.Count(), 50u);
    burst.Emit(Emitter(10.0f, 5.0f, 3.5f));
    ASSERT_TRUE(burst.IsActive());

    test::RecordingParticleDrawer drawer;
    burst.Draw(drawer);
    EXPECT_EQ(drawer.sprites, 50);
    EXPECT_EQ(drawer.offsets, (std::vector<float>{-0.01f, 0.0f}));

    int steps = 0;
    bool belowTheBed = false;
    while (burst.IsActive() && steps < 10000) {
        burst.Update(0.01f);
        for (uint32_t i = 0; i < burst.Count(); ++i) {
            belowTheBed = belowTheBed || burst.ParticleAt(i).World().position.z < -1e-4f;
        }
        ++steps;
    }
    EXPECT_FALSE(burst.IsActive());
    EXPECT_FALSE(belowTheBed);
    EXPECT_NEAR(burst.Elapsed(), 0.01f * static_cast<float>(steps), 1e-3);
    for (uint32_t i = 0; i < burst.Count(); ++i) {
        const Particle& particle = burst.ParticleAt(i);
        EXPECT_TRUE(particle.HasLanded());
        EXPECT_NEAR(particle.World().position.z, 0.0f, 1e-4) << "particle " << i;
        EXPECT_EQ(particle.Opacity(), 0.0f);
        // Thrown within the spawn radius of the emitter's axis and scattered by at most the flight.
        EXPECT_LT(std::hypot(particle.World().position.x - 10.0f, particle.World().position.y - 5.0f), 20.0f);
    }
    test::RecordingParticleDrawer after;
    burst.Draw(after);
    EXPECT_EQ(after.sprites, 0);
    EXPECT_TRUE(after.offsets.empty());
}

TEST(Particle, OpacityNeverBelowZero) {
    Particle particle;
    particle.SetFade(0.5f, 0.8f, 10.0f);
    particle.Launch(Emitter(0.0f, 0.0f, 2.0f), {0.0f, 0.0f, 0.0f}, 0.01f, {0.0f, 0.0f, -100.0f});
    EXPECT_FALSE(particle.Update(0.1f));  // falls 10 units in one step: lands on the bed
    EXPECT_TRUE(particle.HasLanded());
    EXPECT_EQ(particle.World().position.z, 0.0f);
    EXPECT_FALSE(particle.Update(0.25f));
    EXPECT_NEAR(particle.Opacity(), 0.4f, 1e-6);
    EXPECT_TRUE(particle.Update(5.0f));  // far past its fade time in one step
    EXPECT_EQ(particle.Opacity(), 0.0f);
}

TEST(AmbientEffect, SwingsForTwoSeconds) {
    test::RecordingModel model;
    AmbientEffect effect(model, [] { return 32767; });
    EXPECT_FALSE(model.visible);
    effect.Update(0.1f);
    EXPECT_EQ(model.placements, 0);  // not shown: nothing moves

    effect.Restart();
    EXPECT_TRUE(model.visible);
    // The largest draw tilts the axis to y = 0.4 before it is normalised.
    EXPECT_NEAR(effect.Axis().y, 0.4f / std::sqrt(1.16f), 1e-5);
    effect.Update(0.5f);
    EXPECT_EQ(model.placements, 1);
    EXPECT_NEAR(model.placement.scale.x, 0.3f, 1e-6);
    EXPECT_TRUE(model.visible);
    effect.Update(1.4f);
    EXPECT_TRUE(model.visible);
    effect.Update(0.2f);  // past two seconds: it ends
    EXPECT_FALSE(model.visible);
    EXPECT_EQ(effect.Elapsed(), 0.0f);
}

}  // namespace
}  // namespace kestrovan
