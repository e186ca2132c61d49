#pragma once
// A label that hides itself two seconds after it is shown.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/scenes/room/ShowTimer.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

class TimedLabel : public TextLabel {
public:
    static constexpr uint32_t kShownMs = 2000;

    TimedLabel();

    // The time starts at the next tick.
    void OnShow() override;
    void Tick(uint32_t now) override;

private:
    ShowTimer shown_;
};

}  // namespace kestrovan
