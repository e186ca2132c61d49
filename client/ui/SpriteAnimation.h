#pragma once
// A sprite animation of the resource-pack catalogue as an AnimatedImage plays it: frames advanced by time,
// drawn at a screen position.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

namespace kestrovan {

class SpriteAnimation {
public:
    // What Advance answers once an animation played once has shown its last frame.
    static constexpr int32_t kFinished = 3;

    virtual ~SpriteAnimation() = default;

    virtual void SetPlayMode(int32_t mode) = 0;
    virtual void SetDrawMode(int32_t mode) = 0;
    // Screen position of the animation's top-left.
    virtual void SetPosition(float x, float y) = 0;
    // Back to the first frame.
    virtual void Rewind() = 0;
    // Starts the animation and its sub-animations again.
    virtual void Restart() = 0;
    // Advances by the seconds; kFinished when a play-once animation has ended.
    virtual int32_t Advance(float seconds) = 0;
    virtual void Draw(uint32_t updateArg) = 0;
};

}  // namespace kestrovan
