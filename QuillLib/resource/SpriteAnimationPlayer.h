#pragma once
// The frame animation of a sprite: frameCount cells of equal size, frameTime seconds each, looped (mode 0)
// or played once (mode 1).
#include <cstdint>

namespace quill {

struct SpriteAnimationPlayer {
    static constexpr uint32_t kLoop = 0;
    static constexpr uint32_t kOnce = 1;
    // Advance's results.
    static constexpr int kRunning = 0;
    static constexpr int kStopped = 1;
    static constexpr int kFinished = 2;

    SpriteAnimationPlayer(uint32_t playMode, uint32_t frames, float secondsPerFrame)
        : mode(playMode), frameCount(frames), frameTime(secondsPerFrame), playing(playMode == kLoop ? 1 : 0) {}
    // A copy starts afresh: playing when it loops, stopped otherwise.
    SpriteAnimationPlayer(const SpriteAnimationPlayer& other)
        : SpriteAnimationPlayer(other.mode, other.frameCount, other.frameTime) {}
    SpriteAnimationPlayer& operator=(const SpriteAnimationPlayer&) = delete;

    // time += elapsed. A loop wraps at the end and always runs; a single play reports kStopped until it
    // is started and kFinished from its end on; any other mode is stopped.
    int Advance(float elapsed) {
        time += elapsed;
        const float total = static_cast<float>(frameCount) * frameTime;
        if (mode == kLoop) {
            if (time > total) {
                time -= total;
            }
            return kRunning;
        }
        if (mode == kOnce) {
            if (!playing) {
                return kStopped;
            }
            return time >= total ? kFinished : kRunning;
        }
        return kStopped;
    }

    uint32_t mode;
    uint32_t frameCount;
    float frameTime;
    uint8_t playing;
    float time = 0.0f;
};

}  // namespace quill
