#pragma once
// The balls of one Simulate call that have reached a fixed point: a sub-step that left a resting ball's state the
// same byte for byte and added no event will do exactly that again, because a ball's sub-step depends only on its
// own state and on the model's constants, which no sub-step changes. Such a ball skips its later sub-steps in the
// call while nothing touches it: only the ball-ball pass may, and a ball in one of its contacts moves again. (Its
// orientation may still turn at a flush of the waiting turns, but no sub-step reads that.) Owned by its model and
// used on the thread that simulates; inline, since every ball of every sub-step goes through it.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "client/physics/PhysicsBall.h"

namespace kestrovan {

class SettledBalls {
public:
    // Makes room for count balls (so that a simulation step never allocates) and forgets every fixed point.
    void Resize(uint16_t count) {
        before_.assign(count, BallBytes{});
        settled_.assign(count, 0);
    }
    // Forgets every fixed point: the holder may change the balls between calls.
    void ForgetAll() { std::fill(settled_.begin(), settled_.end(), uint8_t{0}); }

    // Whether ball index is at its fixed point, so its sub-step can be skipped.
    bool IsSettled(uint16_t index) const { return settled_[index] != 0; }
    // The ball-ball pass touched ball index: it moves again.
    void Touch(uint16_t index) { settled_[index] = 0; }
    // Before the sub-step of a resting ball: keeps its state to compare with afterwards.
    void Keep(uint16_t index, const PhysicsBall& ball) {
        std::memcpy(before_[index].data(), &ball, sizeof(PhysicsBall));
    }
    // Puts the kept state back into the ball.
    void Restore(uint16_t index, PhysicsBall& ball) const {
        std::memcpy(static_cast<void*>(&ball), before_[index].data(), sizeof(PhysicsBall));
    }
    // After it: the ball has reached its fixed point when it rests, added no event and changed no byte.
    void AfterSubStep(uint16_t index, const PhysicsBall& ball, bool atRest, bool addedEvents) {
        settled_[index] = atRest && !addedEvents && SameAsKept(index, ball) ? 1 : 0;
    }

private:
    static_assert(std::is_trivially_copyable_v<PhysicsBall>, "ball states are compared byte for byte");
    using BallBytes = std::array<unsigned char, sizeof(PhysicsBall)>;

    bool SameAsKept(uint16_t index, const PhysicsBall& ball) const {
        return std::memcmp(&ball, before_[index].data(), sizeof(PhysicsBall)) == 0;
    }

    std::vector<BallBytes> before_;  // the state of each resting ball at the start of its last sub-step
    std::vector<uint8_t> settled_;   // before_ holds the ball's fixed point
};

}  // namespace kestrovan
