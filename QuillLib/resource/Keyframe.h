#pragma once
// One keyframe of an animation: its time in seconds from the start. The three kinds add the value they
// hold.
namespace quill {

struct Keyframe {
    explicit Keyframe(float keyTime = 0.0f) : time(keyTime) {}
    Keyframe(const Keyframe&) = default;
    Keyframe& operator=(const Keyframe&) = default;
    virtual ~Keyframe() = default;

    float time;
};

}  // namespace quill
