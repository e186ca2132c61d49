#pragma once
// Code 0x10002: the lighter cue (0.7) and the faster cue speed of the later 10001 series.
#include "client/physics/PhysicsModel10001.h"

namespace kestrovan {

class PhysicsModel10002 : public PhysicsModel10001 {
public:
    PhysicsModel10002(uint32_t tableKind, uint16_t ballCount);

    void SetupConstants() override;
    void SetupTuning() override;
    float TuningB8() override;
};

}  // namespace kestrovan
