#pragma once
// The balls that have reached a fixed point: a sub-step that left a resting ball's state the same byte for byte and
// added no event will do exactly that again, because a ball's sub-step depends only on its own state, on the sub-step
// length and on the model's constants, which no sub-step changes. Such a ball skips its later sub-steps while nothing
// touches it: only the ball-ball pass may, and a ball in one of its contacts moves again. (Its orientation may still
// turn at a flush of the waiting turns, but no sub-step reads that.)
//
// A fixed point may also hold into the next Simulate call. The holder may change anything between calls, so the model
// carries one over only when every input of that sub-step is as it was (see PhysicsModel::StepInputs) and the ball's
// state is still the kept one byte for byte; the sub-step must also have stayed away from the cushion pass, which
// reads the model's own tuning fields. Owned by its model and used on the thread that simulates; inline, since every
// ball of every sub-step goes through it.
#include <emmintrin.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "client/physics/PhysicsBall.h"

namespace kestrovan {

// Whether the Size bytes at a and at b are the same, as memcmp(a, b, Size) == 0 tells it: sixteen bytes at a time
// (the last sixteen overlapping the ones before), inline and without an early exit, since the states compared are
// nearly always the same. Needs at least sixteen bytes.
template <size_t Size>
inline bool SameBytes(const void* a, const void* b) {
    static_assert(Size >= 16, "compared sixteen bytes at a time");
    const auto* first = static_cast<const unsigned char*>(a);
    const auto* second = static_cast<const unsigned char*>(b);
    const auto chunkDifference = [&](size_t offset) {
        return _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(first + offset)),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(second + offset)));
    };
    __m128i difference = chunkDifference(Size - 16);
    for (size_t offset = 0; offset + 16 <= Size; offset += 16) {
        difference = _mm_or_si128(difference, chunkDifference(offset));
    }
    return _mm_movemask_epi8(_mm_cmpeq_epi8(difference, _mm_setzero_si128())) == 0xFFFF;
}

class SettledBalls {
public:
    // Makes room for count balls (so that a simulation step never allocates) and forgets every fixed point.
    void Resize(uint16_t count) {
        before_.assign(count, BallBytes{});
        settled_.assign(count, kMoving);
    }
    // Forgets every fixed point: the inputs of the balls' sub-steps have changed.
    void ForgetAll() { std::fill(settled_.begin(), settled_.end(), kMoving); }
    // At the start of a call whose sub-steps read the same inputs as the last call's: keeps the fixed points that
    // may last from one call to the next of the balls whose state is still the kept one, and forgets the others.
    template <typename Balls>
    void CarryOver(const Balls& balls) {
        for (size_t i = 0; i < settled_.size(); ++i) {
            if (settled_[i] == kLasting && !SameAsKept(static_cast<uint16_t>(i), *balls[i])) {
                settled_[i] = kMoving;
            } else if (settled_[i] == kThisCall) {
                settled_[i] = kMoving;
            }
        }
    }

    // Whether ball index is at its fixed point, so its sub-step can be skipped.
    bool IsSettled(uint16_t index) const { return settled_[index] != kMoving; }
    // The ball-ball pass touched ball index: it moves again.
    void Touch(uint16_t index) { settled_[index] = kMoving; }
    // Before the sub-step of a resting ball: keeps its state to compare with afterwards.
    void Keep(uint16_t index, const PhysicsBall& ball) {
        std::memcpy(before_[index].data(), &ball, sizeof(PhysicsBall));
    }
    // Puts the kept state back into the ball.
    void Restore(uint16_t index, PhysicsBall& ball) const {
        std::memcpy(static_cast<void*>(&ball), before_[index].data(), sizeof(PhysicsBall));
    }
    // After it: the ball has reached its fixed point when it rests, added no event and changed no byte. lasting:
    // the sub-step read nothing but the ball and the inputs that the model compares from one call to the next.
    void AfterSubStep(uint16_t index, const PhysicsBall& ball, bool atRest, bool addedEvents, bool lasting) {
        settled_[index] =
            atRest && !addedEvents && SameAsKept(index, ball) ? (lasting ? kLasting : kThisCall) : kMoving;
    }

private:
    static_assert(std::is_trivially_copyable_v<PhysicsBall>, "ball states are compared byte for byte");
    using BallBytes = std::array<unsigned char, sizeof(PhysicsBall)>;
    // What settled_ knows of a ball.
    static constexpr uint8_t kMoving = 0;    // no fixed point
    static constexpr uint8_t kThisCall = 1;  // at its fixed point for the rest of this call
    static constexpr uint8_t kLasting = 2;   // at its fixed point while the inputs and its state stay the same

    bool SameAsKept(uint16_t index, const PhysicsBall& ball) const {
        return SameBytes<sizeof(PhysicsBall)>(&ball, before_[index].data());
    }

    std::vector<BallBytes> before_;  // the state of each resting ball at the start of its last sub-step
    std::vector<uint8_t> settled_;   // kMoving, kThisCall or kLasting
};

}  // namespace kestrovan
