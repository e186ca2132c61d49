#include "client/physics/PhysicsModel10007.h"

#include "client/physics/CueStrike10001.h"

namespace kestrovan {

PhysicsModel10007::PhysicsModel10007(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10006(tableKind, ballCount) {}

void PhysicsModel10007::Strike(PhysicsBall& ball, const CueStroke& stroke) {
    CueStrike10001(*this, ball, stroke, 4, CueStrikeTuning{}).Run();
}

void PhysicsModel10007::SetupTuning() {
    static const CaromTuningTable kCarom{
        {FlagBRow(0), FlagBRow(1)},
        {TuningRow{}, ClothRow(1), TuningRow{}, TuningRow{}, ClothRow(4)},
        {TuningRow{{28, 400000.0f}, {29, 40.0f}}, TuningRow{{28, 450000.0f}, {29, 41.0f}},
         TuningRow{{28, 500000.0f}, {29, 42.0f}}},
        TuningRow{}};
    WriteSeriesTuning(LaterPocketRow(), kCarom);
}

}  // namespace kestrovan
