#pragma once
// Code 0x1000D: the third cushion pass, the second cushion test version (the jaw number survives between the two
// axis tests) and jaw constants on pocket tables.
#include "client/physics/PhysicsModel1000C.h"

namespace kestrovan {

class PhysicsModel1000D : public PhysicsModel1000C {
public:
    PhysicsModel1000D(uint32_t tableKind, uint16_t ballCount);

    void SetupTuning() override;
    // The third version of the series' cushion pass.
    void CollideCushions(PhysicsBall& ball, float dt) override;
    bool TestCushion(quill::Vec3& position, float radiusCm, quill::Vec3& normalOut, float& contactHeightOut,
                     CushionFlags& flags, uint8_t side) override;
    float TuningB12() override;
    float TuningB15() override;
    float TuningB17() override;

protected:
    // The pocket set of the codes 0x1000D to 0x1000F.
    static const TuningRow& JawPocketRow();
};

}  // namespace kestrovan
