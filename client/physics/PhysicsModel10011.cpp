#include "client/physics/PhysicsModel10011.h"

namespace kestrovan {

PhysicsModel10011::PhysicsModel10011(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10010(tableKind, ballCount) {}

const PhysicsModel10010::ClothTable& PhysicsModel10011::LaterCloth() {
    static constexpr ClothTable kCloth = {
        {true, 0.18f, 0.99f, 0.0044f, 0.01f, -1.0f, -1.0f}, {true, 0.17f, 0.98f, 0.0042f, 0.016f, 0.7f, 3.4f},
        {false, 0.0f, 0.0f, 0.0f, 0.0f, -1.0f, -1.0f},      {true, 0.17f, 0.99f, 0.0044f, 0.009f, -1.0f, -1.0f},
        {true, 0.16f, 0.98f, 0.0042f, 0.014f, 0.7f, 3.4f},
    };
    return kCloth;
}

void PhysicsModel10011::SetupTuning() {
    WriteSeriesTuning(LaterCloth(), 80.0f);
}

}  // namespace kestrovan
