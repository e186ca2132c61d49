#pragma once
// Two shots that the physics' tests and benchmarks share: a three-ball carom shot with some top and side spin,
// and a hard break of a full fifteen-ball rack on a pocket table. The carom shot is also recorded as probe output
// (physprobe --ball -60,0 --ball 0,0 --ball 60,20 --aim 0,1 --contact 0.1,0.3 --power 0.6).
#include "client/physics/ShotSetup.h"
#include "platform/system/ScopedFpuMode.h"

namespace kestrovan {

inline ShotSetup CaromReferenceShot() {
    ShotSetup setup;
    setup.tableKind = 0;
    setup.balls = {{-60.0f, 0.0f, {}}, {0.0f, 0.0f, {}}, {60.0f, 20.0f, {}}};
    setup.stroke.aimX = 0.0f;
    setup.stroke.aimY = 1.0f;
    setup.stroke.contactX = setup.stroke.spinX = 0.1f;
    setup.stroke.contactY = setup.stroke.spinY = 0.3f;
    setup.stroke.power = 0.6f;
    return setup;
}

// The rack's apex on the foot spot, rows 0.01 cm apart, the cue ball on the head spot aimed a little off centre.
inline ShotSetup PocketBreakReferenceShot() {
    const platform::ScopedFpuMode fpuMode;  // the rack's places are products and sums: round them alike everywhere
    ShotSetup setup;
    setup.tableKind = 1;
    setup.balls.push_back({-63.75f, 0.0f, {}});
    const float spacing = 2.0f * 3.275f + 0.01f;
    for (int row = 0; row < 5; ++row) {
        for (int i = 0; i <= row; ++i) {
            setup.balls.push_back({63.75f + static_cast<float>(row) * spacing * 0.8660254f,
                                   (static_cast<float>(i) - static_cast<float>(row) / 2.0f) * spacing,
                                   {}});
        }
    }
    setup.stroke.aimX = 63.75f;
    setup.stroke.aimY = 0.3f;
    setup.stroke.power = 1.0f;
    return setup;
}

}  // namespace kestrovan
