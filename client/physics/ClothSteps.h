#pragma once
// The sub-steps of balls that roll or slide on the open cloth, four side by side. Most sub-steps of a shot are of
// this kind: a ball lying on the cloth, far from the cushions and the holes, with no cue contact, moves, gets
// gravity, is carried by the bed and rubs on the cloth. Taken four balls at a time, each lane computes its ball's
// sub-step with the operations of MoveBall (PhysicsModel::CollideBed and ClothFriction in the model's impulse
// form), in their order and rounding, so the bits are those of the ball-by-ball step; the branches become choices
// between the results of both sides. A ball that comes near a cushion or a hole, or whose numbers are not all
// numbers, is left for the ball-by-ball step. Owned by its model and used on the thread that simulates.
#include <cstddef>
#include <cstdint>
#include <span>

#include "client/physics/ClothFriction.h"
#include "client/physics/PhysicsBall.h"

namespace kestrovan {

class OrientationTurns;
class PhysicsModel;

class ClothSteps {
public:
    static constexpr unsigned kWidth = 4;

    // wide: where the processor has AVX, the sub-steps take two divisions of four lanes as one of eight, which costs
    // the divider the time of one (the same bits as the baseline code, which the others use).
    explicit ClothSteps(bool wide = true);

    // Takes the model's friction form, constants and table for the sub-steps of dt of one Simulate call; false when
    // they cannot be taken side by side (the model's friction is a force form, or a ball lying on the cloth would
    // not simply be carried by it).
    bool Prepare(PhysicsModel& model, float dt);
    // Whether the ball's next sub-step may be taken side by side: it moves, lies on the cloth at its own height
    // with no vertical speed, and neither the cue nor a cushion contact of the last pass acts on it.
    static bool Qualifies(const PhysicsBall& ball) {
        return ball.pocketed == 0 && ball.cueActive == 0 && ball.cushionMask == 0 && !(ball.cueTimeLeft > 0.0f) &&
               ball.velocity.z == 0.0f && ball.position.z == ball.radiusCm && !ball.IsAtRest();
    }
    // Takes the sub-step of up to kWidth qualifying balls side by side. Returns one bit per ball (bit i for
    // balls[i]) whose sub-step was taken; the others are left as they were, for the ball-by-ball step.
    unsigned Step(std::span<PhysicsBall* const> balls) const;
    // A pair of balls that a run watches, in the order of their indices: each is a ball of the run (its place in
    // the run's balls) or kFixed for the ball that does not move, with that place and velocity. touch is at least
    // the distance at which the pair search takes the pair for touching.
    struct WatchedPair {
        uint8_t first;
        uint8_t second;
        float touch;
        quill::Vec3 fixedPosition;
        quill::Vec3 fixedVelocity;
    };
    static constexpr uint8_t kFixed = 0xFF;
    static constexpr size_t kMaxWatchedPairs = 16;

    // Takes up to maxSubSteps sub-steps in a row of up to kMaxRunBalls qualifying balls (indices: their indices in
    // the model), side by side, as Step would one after the other. It stops before a sub-step that some ball cannot
    // take side by side, that brings a ball allowedShift or further from where it started along x or along y, or
    // after which a watched pair may touch and approach (as the pair search tells it); and after the sub-step in
    // which a ball comes to rest. The spin of each ball that still moves after a sub-step goes to turns, as Simulate's ball loop would
    // add it; turns must have room for maxSubSteps more per ball. Returns the number of sub-steps taken; the balls
    // then hold their state after the last.
    uint32_t Run(std::span<PhysicsBall* const> balls, std::span<const uint16_t> indices, uint32_t maxSubSteps,
                 float allowedShift, std::span<const WatchedPair> watched, OrientationTurns& turns) const;
    static constexpr size_t kMaxRunBalls = 16;

    // The values of one Simulate call that every lane uses, each repeated for every lane (see ClothSteps.cpp).
    static constexpr size_t kLaneValueCount = 25;

private:
    bool wide_;
    ClothFrictionForm form_;
    alignas(16) float lanes_[kLaneValueCount][kWidth] = {};
};

}  // namespace kestrovan
