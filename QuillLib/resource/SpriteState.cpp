#include "QuillLib/resource/SpriteState.h"

#include <cmath>

namespace quill {
namespace {

constexpr float kTurn = 6.2831855f;

}  // namespace

float WrapTurn(float radians) {
    return std::fmod(radians, kTurn);
}

SpriteState SpriteState::Then(const SpriteState& motion) const {
    return SpriteState{x + motion.x,           y + motion.y,           z + motion.z,
                       scaleX * motion.scaleX, scaleY * motion.scaleY, WrapTurn(rotation + motion.rotation),
                       alpha * motion.alpha};
}

}  // namespace quill
