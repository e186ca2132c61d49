#pragma once
// A keyframe animation: a length in seconds and a time-ordered list of keyframes of one kind. Sampling at
// a time finds the keyframes around it, starting from the index found last time (the hint a player keeps),
// and blends them; the three kinds (bone poses, model transforms, vertex frames) share this code.
//
// Threads: the thread that drives the scenes.
#include <cmath>
#include <cstdint>
#include <vector>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/math/MathConstants.h"

namespace quill {

template <typename K>
class Animation : public NamedObject {
public:
    using KeyframeType = K;

    // Whether a keyframe may be appended.
    virtual bool CanApplyTo(const K& keyframe) = 0;

    // Appends a keyframe the animation accepts at a time not below 0 and, once the length is above 0, past
    // the length; the length becomes its time.
    bool AppendKeyframe(SharedPtr<K> keyframe) {
        if (!CanApplyTo(*keyframe) || keyframe->time < 0.0f) {
            return false;
        }
        if (length > 0.0f && !(keyframe->time > length)) {
            return false;
        }
        length = keyframe->time;
        keyframes.push_back(std::move(keyframe));
        return true;
    }

    // The index of the keyframe after the time, with time turned into the fraction of the way from the
    // keyframe before it (the last keyframe for index 0). -1 for no keyframes or a time past the length
    // (or not a number). A time between the last keyframe and a larger length gives the last index with
    // fraction 1; the search makes at most one pass, so it always ends.
    int32_t FindKeyframe(uint32_t hint, float& time) const {
        const uint32_t count = static_cast<uint32_t>(keyframes.size());
        if (count == 0 || !(time <= length)) {
            return -1;
        }
        uint32_t index = hint < count && keyframes[hint]->time <= time ? hint : 0;
        float previous = keyframes[index]->time;
        for (uint32_t step = 0; step < count; ++step) {
            const float at = keyframes[index]->time;
            if (time == at && index == count - 1) {
                time = 0.0f;
                return static_cast<int32_t>(index);
            }
            if (time < at) {
                const float span = at - previous;
                time = std::fabs(span) < kFloatEpsilon ? 0.0f : (time - previous) / span;
                return static_cast<int32_t>(index);
            }
            previous = at;
            index = index + 1 == count ? 0 : index + 1;
        }
        time = 1.0f;
        return static_cast<int32_t>(count - 1);
    }

    float length = 0.0f;
    std::vector<SharedPtr<K>> keyframes;

protected:
    explicit Animation(WStringView name) : NamedObject(name) {}
    // Copies id, name and length, and makes new keyframes with the same time and data.
    Animation(const Animation& other) : NamedObject(other), length(other.length) {
        for (const SharedPtr<K>& keyframe : other.keyframes) {
            keyframes.push_back(quill::make_shared<K>(*keyframe));
        }
    }
    Animation& operator=(const Animation&) = delete;

    // The common start of Sample: the keyframes around the time and the fraction between them (0 at the
    // previous keyframe, 1 at the next). False when there is nothing to sample.
    bool FindPair(uint32_t hint, float time, uint32_t& next, uint32_t& previous, float& fraction) const {
        const int32_t found = FindKeyframe(hint, time);
        if (found < 0) {
            return false;
        }
        next = static_cast<uint32_t>(found);
        previous = next == 0 ? static_cast<uint32_t>(keyframes.size() - 1) : next - 1;
        fraction = time;
        return true;
    }
};

}  // namespace quill
