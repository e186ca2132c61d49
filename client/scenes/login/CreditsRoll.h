#pragma once
// The credits at the top left of the login screen: nineteen entries, each a role and a name, fading in
// until the fade value reaches 1.2 and out until it reaches -0.2, by 0.005 per step; the labels show the
// value clamped to 0..1, so each entry stays fully shown for a while and is gone for a while. The roll runs
// once per activation. Pure.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

class CreditsRoll {
public:
    static constexpr int32_t kEntryCount = 19;

    // The roles, each ending with a blank, and the credited names.
    static const std::array<quill::WStringView, kEntryCount>& Roles();
    static const std::array<quill::WStringView, kEntryCount>& Names();

    struct Step {
        float opacity = 0.0f;    // of both labels
        bool nextEntry = false;  // the labels take the entry at Index()
    };

    // Entry 0, fade 0, rising.
    void Reset();
    // One fade step (the screen calls it on every even update of its cycle); nothing once the roll is over.
    Step Advance();

    int32_t Index() const { return index_; }
    bool IsOver() const { return index_ >= kEntryCount; }
    float Fade() const { return static_cast<float>(fadeSteps_) * kStep; }

private:
    static constexpr float kStep = 0.005f;
    // The fade counts whole steps, so that the turning points are met exactly.
    static constexpr int32_t kTopSteps = 240;     // 1.2
    static constexpr int32_t kBottomSteps = -40;  // -0.2

    int32_t index_ = 0;
    int32_t fadeSteps_ = 0;
    bool rising_ = true;
};

}  // namespace kestrovan
