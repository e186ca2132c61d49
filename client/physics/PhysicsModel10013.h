#pragma once
// Code 0x10013: a lighter cue turning (TuningA10 28), a power-dependent turning blend and a miscue limit that
// ignores a negative contact-time factor.
#include "client/physics/PhysicsModel10012.h"

namespace kestrovan {

class PhysicsModel10013 : public PhysicsModel10012 {
public:
    PhysicsModel10013(uint32_t tableKind, uint16_t ballCount);

    float TuningA10() override;
    float BlendA12(float a1, float a2, float a3, float a4) override;
    float ScaleA14(float a1, float a2, float a3, float a4, float a5) override;
};

}  // namespace kestrovan
