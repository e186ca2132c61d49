#pragma once
// One node of a SPRITE_ANIMATION item as stored: how it loops and its keyframes, each a wait, then a motion
// of position, scale, rotation and alpha with constant acceleration, with the pivot and the source
// rectangle of the texture it shows; then its child nodes.
#include <array>
#include <cstdint>
#include <vector>

#include "tools/mkdata/BodyWriter.h"

namespace mkdata {

struct SpriteAnimationNode {
    // x, y, z, scale x, scale y, rotation (radians), alpha.
    using State = std::array<float, 7>;
    static constexpr State kRest{0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f};
    static constexpr State kStill{0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};

    struct Keyframe {
        float delay = 0.0f;
        float duration = 0.0f;
        std::array<float, 3> pivot{0.0f, 0.0f, 0.0f};
        std::array<int32_t, 4> sourceRect{-1, -1, -1, -1};  // left, top, right, bottom; -1 the whole texture
        State start = kRest;
        State velocity = kStill;
        State acceleration = kStill;
    };

    uint16_t playMode = 0;  // 0 once, 1 for ever, 2 loopCount times
    uint32_t loopCount = 1;
    std::vector<Keyframe> keyframes;
    std::vector<SpriteAnimationNode> children;

    void Write(BodyWriter& out) const;
};

}  // namespace mkdata
