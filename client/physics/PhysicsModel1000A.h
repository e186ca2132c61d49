#pragma once
// Code 0x1000A: the third friction version (scaled sliding loss and passed spin, a tunable cloth speed load) and
// the second cushion rebound (a weighted slip).
#include "client/physics/PhysicsModel10009.h"

namespace kestrovan {

class PhysicsModel1000A : public PhysicsModel10009 {
public:
    PhysicsModel1000A(uint32_t tableKind, uint16_t ballCount);

    void SetupTuning() override;
    ClothFrictionForm ClothForm() override;
    bool CushionRebound(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal, quill::Vec3& deformation,
                        float radiusM, float mass, float inertiaArm, float h, const PhysicsConstants& k) override;

    virtual float TuningB12();  // the sliding loss of translation
    virtual float TuningB13();  // the spin change of the passed share
    virtual float TuningB14();  // the rebound's slip weight along the cushion
    virtual float TuningB15();  // and across it
    virtual float TuningB16();  // the cloth's speed load

protected:
    // The later rebound's form with this class's weights.
    CushionReboundForm WeightedReboundForm();
};

}  // namespace kestrovan
