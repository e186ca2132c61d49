#pragma once
// A picture that blinks while asked to: fully opaque for the first second of every two since its blink
// start, nearly transparent (0.1) in the other, looked at on every second tick. The messenger's new-message
// icon and the marks on its chat tabs are blinking icons.
//
// Threads: ticked as every widget (client/app/Scene.h); the start and the flag may be set from any thread.
#include <atomic>
#include <cstdint>

#include "client/ui/Image.h"

namespace kestrovan {

class BlinkingIcon : public Image {
public:
    static constexpr uint32_t kPeriodMs = 2000;
    static constexpr uint32_t kLitMs = 1000;
    static constexpr float kDimAlpha = 0.1f;

    // The opacity at now for a blink that started at start (32-bit times that wrap).
    static float OpacityAt(uint32_t now, uint32_t start);

    void SetBlinkStart(uint32_t start) { start_ = start; }
    uint32_t BlinkStart() const { return start_; }

    void Tick(uint32_t now) override;

private:
    std::atomic<bool> blinking_{true};
    std::atomic<uint32_t> start_{0};
    uint32_t ticks_ = 0;
};

}  // namespace kestrovan
