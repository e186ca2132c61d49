#include "QuillLib/core/Random.h"

#include "platform/system/Rand.h"

namespace quill {

Random::Random() : seed_(static_cast<uint32_t>(platform::Rand())), state_(seed_) {}

void Random::Seed(uint32_t value) {
    seed_ = value;
    state_ = value;
}

uint32_t Random::Next() {
    state_ = state_ * 1103515245u + 12345u;
    ++draws_;
    return state_;
}

}  // namespace quill
