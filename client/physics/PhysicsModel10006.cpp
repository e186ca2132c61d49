#include "client/physics/PhysicsModel10006.h"

#include "client/physics/CueStrike10001.h"

namespace kestrovan {

PhysicsModel10006::PhysicsModel10006(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10005(tableKind, ballCount) {}

void PhysicsModel10006::Strike(PhysicsBall& ball, const CueStroke& stroke) {
    CueStrike10001(*this, ball, stroke, 3, CueStrikeTuning{}).Run();
}

TuningRow PhysicsModel10006::FlagBRow(uint32_t flagB) {
    if (flagB == 0) {
        return TuningRow{{18, 0.24f}, {19, 0.24f}, {22, 0.0f}, {23, 0.99f}};
    }
    return TuningRow{{18, 0.3f}, {19, 0.32f}, {22, 0.0f}, {23, 0.99f}};
}

TuningRow PhysicsModel10006::ClothRow(uint32_t clothSubType) {
    if (clothSubType == 1) {
        return TuningRow{{0, 0.2f}, {2, 0.008f}, {3, 0.016f}, {1, 0.99f}};
    }
    return TuningRow{{0, 0.18f}, {2, 0.006f}, {3, 0.012f}, {1, 0.99f}};
}

void PhysicsModel10006::SetupTuning() {
    static const TuningRow kPocket{{0, 0.24f},  {1, 0.99f}, {2, 0.01f},  {3, 0.02f},      {18, 0.28f},
                                   {19, 0.3f},  {22, 0.0f}, {23, 0.99f}, {28, 400000.0f}, {29, 50.0f},
                                   {30, 90.0f}, {12, 0.6f}, {13, 60.0f}};
    static const CaromTuningTable kCarom{
        {FlagBRow(0), FlagBRow(1)},
        {TuningRow{}, ClothRow(1), TuningRow{}, TuningRow{}, ClothRow(4)},
        {TuningRow{{28, 400000.0f}, {29, 40.0f}}, TuningRow{}, TuningRow{{28, 500000.0f}, {29, 42.0f}}},
        TuningRow{}};
    WriteSeriesTuning(kPocket, kCarom);
}

}  // namespace kestrovan
