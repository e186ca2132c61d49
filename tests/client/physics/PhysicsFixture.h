#pragma once
// Shared set-up of the physics suites: the thread's floating-point mode of the game thread, a clean process-wide
// physics state before and after each test, and models whose balls are sized and placed as the holder does.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <memory>

#include "client/physics/BallSetSize.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsModelFactory.h"
#include "platform/system/FpuMode.h"

namespace kestrovan::test {

inline uint32_t Bits(float f) {
    return std::bit_cast<uint32_t>(f);
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

    static size_t CountEvents(PhysicsEventKind kind) {
        size_t count = 0;
        for (const PhysicsEvent& event : ThePhysicsEventList().Events()) {
            count += event.kind == kind ? 1 : 0;
        }
        return count;
    }
};

}  // namespace kestrovan::test
