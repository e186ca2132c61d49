#include "client/physics/PhysicsModel1000B.h"

namespace kestrovan {

PhysicsModel1000B::PhysicsModel1000B(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel1000A(tableKind, ballCount) {}

void PhysicsModel1000B::SetupTuning() {
    static const CaromTuningTable kCarom{
        {TuningRow{}, TuningRow{}},
        {TuningRow{}, TuningRow{{0, 0.17f}, {2, 0.0085f}, {3, 0.018f}, {1, 0.99f}}, TuningRow{}, TuningRow{},
         TuningRow{{0, 0.15f}, {2, 0.0075f}, {3, 0.016f}, {1, 0.99f}}},
        {TuningRow{{18, 0.24f}, {19, 0.34f}, {29, 58.0f}}, TuningRow{{18, 0.26f}, {19, 0.36f}, {29, 53.0f}},
         TuningRow{{18, 0.28f}, {19, 0.38f}, {29, 48.0f}}},
        TuningRow{{22, 0.0f}, {23, 0.99f}, {28, 400000.0f}}};
    WriteSeriesTuning(LaterPocketRow(), kCarom);
}

float PhysicsModel1000B::TuningB12() {
    return 0.7f;
}
float PhysicsModel1000B::TuningB13() {
    return 0.7f;
}

}  // namespace kestrovan
