#pragma once
// Shared set-up of the physics suites: the thread's floating-point mode of the game thread, a clean process-wide
// physics state before and after each test, and models whose balls are sized and placed as the holder does.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "client/physics/BallSetSize.h"
#include "client/physics/CushionRebound.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsModelFactory.h"
#include "platform/system/FpuMode.h"

namespace kestrovan::test {

inline uint32_t Bits(float f) {
    return std::bit_cast<uint32_t>(f);
}

inline bool IsFinite(const quill::Vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The share of the cue's speed that an elastic centre hit of a cue of mass M gives a ball of mass m: 1.538 for
// 0.7 kg on 0.21 kg.
inline float CentreHitShare(float cueMass, float ballMass) {
    const float rho = cueMass / ballMass;
    return 2.0f / (rho + 1.0f) * rho;
}

// Entries of the process-wide constants as (index, value) pairs, compared bit for bit.
using Entries = std::vector<std::pair<int, float>>;

inline void ExpectEntries(const Entries& entries) {
    for (const auto& [index, value] : entries) {
        EXPECT_EQ(Bits(ThePhysicsConstants()[index]), Bits(value))
            << "K" << index << " = " << ThePhysicsConstants()[index];
    }
}

// The unit normal of a cushion facing +x, as the cushion steps take it.
inline CushionNormal FacingPlusX() {
    return CushionNormal::Of({1.0f, 0.0f, 0.0f});
}

class PhysicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetThreadFpuMode();
        ResetPhysicsStateForTest();
    }
    void TearDown() override { ResetPhysicsStateForTest(); }

    // A model owned by the test, its balls sized by the ball set and resting on the cloth at the given points.
    static std::unique_ptr<PhysicsModel> MakeModel(uint32_t code, uint32_t tableKind,
                                                   std::initializer_list<std::pair<float, float>> places,
                                                   uint32_t ballSet = kDefaultBallSet) {
        std::unique_ptr<PhysicsModel> model(
            CreatePhysicsModel(code, tableKind, static_cast<uint32_t>(places.size()), false));
        const BallSetSize size = BallSetSize::ForBallSet(ballSet);
        uint16_t i = 0;
        for (const auto& [x, y] : places) {
            PhysicsBall& ball = model->Ball(i++);
            ball.SetSize(size.radiusCm, size.mass);
            ball.position = quill::Vec3{x, y, ball.radiusCm};
        }
        return model;
    }

    // Simulates as the holder does until the motion ends; returns the number of calls (0 when it never ended).
    static uint32_t RunToRest(PhysicsModel& model, uint32_t subSteps, uint32_t maxCalls = 100000) {
        for (uint32_t call = 1; call <= maxCalls; ++call) {
            if (model.Simulate(0.005f, subSteps, 1.0f)) {
                return call;
            }
        }
        return 0;
    }

    // The events of one kind in the list of the last call.
    static std::vector<PhysicsEvent> EventsOf(PhysicsEventKind kind) {
        std::vector<PhysicsEvent> events;
        for (const PhysicsEvent& event : ThePhysicsEventList().Events()) {
            if (event.kind == kind) {
                events.push_back(event);
            }
        }
        return events;
    }
    static size_t CountEvents(PhysicsEventKind kind) { return EventsOf(kind).size(); }
};

// Strikes along +x of one ball of ball set 1 (0.21 kg, 3.05 cm) resting at the origin.
class StrikeTest : public PhysicsTest {
protected:
    PhysicsBall& Place(uint32_t code) {
        model_ = MakeModel(code, 0, {{0.0f, 0.0f}}, 1);
        return model_->Ball(0);
    }
    PhysicsBall& Strike(uint32_t code, const CueStroke& stroke) {
        PhysicsBall& ball = Place(code);
        ThePhysicsEventList().Clear();
        model_->Strike(ball, stroke);
        return ball;
    }
    // The tip meets the ball at (contactX, contactY) of its radius and spins it as if hit there.
    static CueStroke Stroke(float power, float elevation = 0.0f, float contactX = 0.0f, float contactY = 0.0f,
                            float limitFactor = 0.0f) {
        CueStroke stroke;
        stroke.aimX = 100.0f;
        stroke.power = power;
        stroke.elevation = elevation;
        stroke.contactX = stroke.spinX = contactX;
        stroke.contactY = stroke.spinY = contactY;
        stroke.limitFactor = limitFactor;
        return stroke;
    }

    std::unique_ptr<PhysicsModel> model_;
};

}  // namespace kestrovan::test
