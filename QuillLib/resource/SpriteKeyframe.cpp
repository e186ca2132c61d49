#include "QuillLib/resource/SpriteKeyframe.h"

#include <algorithm>

namespace quill {
SpriteState SpriteKeyframe::Evaluate(float t) const {
    float u = t - delay;
    if (u < 0.0f) {
        return start;
    }
    u = std::min(u, duration);
    const float half = u * u * 0.5f;
    auto move = [u, half](float from, float speed, float change) { return from + speed * u + change * half; };
    SpriteState state;
    state.x = move(start.x, velocity.x, acceleration.x);
    state.y = move(start.y, velocity.y, acceleration.y);
    state.z = move(start.z, velocity.z, acceleration.z);
    state.scaleX = move(start.scaleX, velocity.scaleX, acceleration.scaleX);
    state.scaleY = move(start.scaleY, velocity.scaleY, acceleration.scaleY);
    state.rotation = WrapTurn(WrapTurn(start.rotation + velocity.rotation * u) + acceleration.rotation * half);
    state.alpha = move(start.alpha, velocity.alpha, acceleration.alpha);
    return state;
}

}  // namespace quill
