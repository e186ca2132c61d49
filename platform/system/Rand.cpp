#include "platform/system/Rand.h"

#include <atomic>

namespace platform {
namespace {

constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;

std::atomic<uint32_t> state{1};

}  // namespace

int Rand() {
    uint32_t current = state.load();
    uint32_t next;
    do {
        next = current * kMultiplier + kIncrement;
    } while (!state.compare_exchange_weak(current, next));
    return static_cast<int>((next >> 16) & kRandMax);
}

void SRand(uint32_t seed) {
    state.store(seed);
}

}  // namespace platform
