#pragma once
// The last step of every moving ball's sub-step, the turn of its orientation by its spin, kept back and done in
// batches. Nothing in a sub-step reads an orientation, so the turns of a Simulate call can wait until the call
// returns (or until a ball has kCapacity of them waiting); then each ball turns through its sub-steps in order,
// which gives exactly the bits of turning in every sub-step. Done together, the turn quaternions of many sub-steps
// are independent of each other and are computed four at a time; only their products follow one another, and
// those run four balls side by side, one ball per lane of a group (the balls left over each with the components
// of its quaternion side by side). Where the processor has AVX registers, the turns go eight at a time and the groups
// have eight lanes, with the same bits. Owned by its model and used on the thread that simulates.
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

class PhysicsModel;

class OrientationTurns {
public:
    static constexpr uint32_t kCapacity = 64;

    // wide: compute with the AVX registers, eight lanes of floats and four of doubles (the same bits as the
    // baseline SSE2 code); only where the processor has them, which SupportsWide tells (any thread may ask).
    explicit OrientationTurns(bool wide = SupportsWide()) : wide_(wide && SupportsWide()) {}
    static bool SupportsWide();

    // Makes room for count balls, so that simulating never allocates.
    void Resize(uint16_t count);
    // Keeps the spin of one of the ball's sub-steps; false when the ball now has kCapacity turns waiting.
    bool Add(uint16_t index, const quill::Vec3& spin) {
        Waiting& waiting = waiting_[index];
        waiting.spinX[waiting.count] = spin.x;
        waiting.spinY[waiting.count] = spin.y;
        waiting.spinZ[waiting.count] = spin.z;
        return ++waiting.count < kCapacity;
    }
    // Keeps the spins of count of the ball's sub-steps in a row, as count calls of Add would (the ball must have room
    // for them): the spin of the s-th is (x, y, z)[s * stride].
    // Four sub-steps at a time go in one store per component.
    void AddRow(uint16_t index, const float* x, const float* y, const float* z, size_t stride, uint32_t count) {
        Waiting& waiting = waiting_[index];
        float* spinX = waiting.spinX + waiting.count;
        float* spinY = waiting.spinY + waiting.count;
        float* spinZ = waiting.spinZ + waiting.count;
        uint32_t s = 0;
#if defined(__SSE2__)
        for (; s + 4 <= count; s += 4) {
            _mm_storeu_ps(spinX + s, FourOf(x + s * stride, stride));
            _mm_storeu_ps(spinY + s, FourOf(y + s * stride, stride));
            _mm_storeu_ps(spinZ + s, FourOf(z + s * stride, stride));
        }
#endif
        for (; s < count; ++s) {
            spinX[s] = x[s * stride];
            spinY[s] = y[s * stride];
            spinZ[s] = z[s * stride];
        }
        waiting.count += count;
    }
    // How many more turns the ball can keep before Add reports it full.
    uint32_t Room(uint16_t index) const { return kCapacity - 1 - waiting_[index].count; }
    // Turns every ball of the model with waiting turns through them, each by its spin over dt.
    void ApplyAll(PhysicsModel& model, float dt);

    // The turn of one sub-step, as Quaternion::FromAxisAngle builds it from the spin's axis and angle.
    static quill::Quaternion TurnOf(const quill::Vec3& spin, float dt);
    // orientation = turn x orientation, normalised.
    static void Turn(quill::Quaternion& orientation, const quill::Quaternion& turn) {
        quill::Quaternion::Multiply(orientation, turn, orientation);
        quill::QuaternionNormalize(orientation);
    }

    // The waiting turns of one ball: the spins component by component, so that four sub-steps load together, and
    // the turn quaternions computed from them.
    struct Waiting {
        uint32_t count = 0;
        alignas(32) float spinX[kCapacity];
        alignas(32) float spinY[kCapacity];
        alignas(32) float spinZ[kCapacity];
        alignas(32) quill::Quaternion turns[kCapacity];
    };

    // The orientations of four turning balls during ApplyAll, component by component, with their waiting turns.
    struct alignas(16) Group {
        float x[4];
        float y[4];
        float z[4];
        float w[4];
        int32_t counts[4];
        const Waiting* waiting[4];
        uint32_t fewest;  // the smallest and largest count of the group's balls
        uint32_t most;
    };

    // A group of eight lanes for the wide code; counts as floats, which AVX compares eight at a time.
    struct alignas(32) WideGroup {
        float x[8];
        float y[8];
        float z[8];
        float w[8];
        float counts[8];
        const Waiting* waiting[8];
        uint32_t fewest;
        uint32_t most;
    };

private:
#if defined(__SSE2__)
    // values[0], values[stride], values[2 stride] and values[3 stride] side by side.
    static __m128 FourOf(const float* values, size_t stride) {
        return _mm_setr_ps(values[0], values[stride], values[2 * stride], values[3 * stride]);
    }
#endif

    // Calls run with count (0 to 3, the balls left over after the groups) as a compile-time constant.
    template <class Run>
    static void WithLeftOver(size_t count, Run&& run) {
        switch (count) {
            case 0:
                run(std::integral_constant<size_t, 0>{});
                break;
            case 1:
                run(std::integral_constant<size_t, 1>{});
                break;
            case 2:
                run(std::integral_constant<size_t, 2>{});
                break;
            default:
                run(std::integral_constant<size_t, 3>{});
                break;
        }
    }

    void LoadGroup(PhysicsModel& model, size_t g);
    void StoreGroup(PhysicsModel& model, size_t g) const;
    // ApplyAll in the wide code (OrientationTurnsWide.cpp).
    void ApplyAllWide(PhysicsModel& model, float dt);
    void LoadWideGroup(PhysicsModel& model, size_t g, size_t first, size_t end);
    void StoreWideGroup(PhysicsModel& model, size_t g, size_t first, size_t end) const;

    bool wide_;
    Waiting none_;  // the waiting turns of a wide group's lanes without a ball: none
    std::vector<Waiting> waiting_;
    std::vector<uint16_t> turning_;  // the balls with waiting turns, during ApplyAll
    std::vector<Group> groups_;      // the turning balls four at a time, during ApplyAll
    std::vector<WideGroup> wideGroups_;  // or eight at a time in the wide code
};

}  // namespace kestrovan
