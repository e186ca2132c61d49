#include "client/physics/PhysicsModel1000A.h"

namespace kestrovan {

PhysicsModel1000A::PhysicsModel1000A(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10009(tableKind, ballCount) {}

void PhysicsModel1000A::SetupTuning() {
    static const CaromTuningTable kCarom{
        {TuningRow{}, TuningRow{}},
        {TuningRow{}, TuningRow{{2, 0.009f}, {3, 0.018f}, {0, 0.15f}, {1, 0.99f}}, TuningRow{}, TuningRow{},
         TuningRow{{2, 0.008f}, {3, 0.016f}, {0, 0.15f}, {1, 0.99f}}},
        {TuningRow{{18, 0.24f}, {19, 0.28f}, {29, 64.0f}}, TuningRow{{18, 0.26f}, {19, 0.3f}, {29, 59.0f}},
         TuningRow{{18, 0.28f}, {19, 0.32f}, {29, 54.0f}}},
        TuningRow{{22, 0.0f}, {23, 0.99f}, {28, 400000.0f}}};
    WriteSeriesTuning(LaterPocketRow(), kCarom);
}

ClothFrictionForm PhysicsModel1000A::ClothForm() {
    ClothFrictionForm form;
    form.clothSpeedLoad = TuningB16();
    form.stopTurnFactor = TuningB8();
    form.slideLossScale = TuningB12();
    form.passedSpinScale = TuningB13();
    return form;
}

CushionReboundForm PhysicsModel1000A::WeightedReboundForm() {
    CushionReboundForm form;
    form.version = CushionReboundForm::Version::Second;
    form.alongSlipWeight = TuningB14();
    form.acrossSlipWeight = TuningB15();
    return form;
}

bool PhysicsModel1000A::CushionRebound(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal,
                                       quill::Vec3& deformation, float radiusM, float mass, float inertiaArm, float h,
                                       const PhysicsConstants& k) {
    return kestrovan::CushionRebound::Step(velocity, spin, normal, deformation, radiusM, mass, inertiaArm, h, k,
                                           WeightedReboundForm());
}

float PhysicsModel1000A::TuningB12() {
    return 0.6f;
}
float PhysicsModel1000A::TuningB13() {
    return 0.6f;
}
float PhysicsModel1000A::TuningB14() {
    return 1.2f;
}
float PhysicsModel1000A::TuningB15() {
    return 1.25f;
}
float PhysicsModel1000A::TuningB16() {
    return 2e-5f;
}

}  // namespace kestrovan
