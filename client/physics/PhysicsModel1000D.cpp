#include "client/physics/PhysicsModel1000D.h"

#include "client/physics/CushionContactSearch.h"
#include "client/physics/CushionPass10005.h"

namespace kestrovan {

PhysicsModel1000D::PhysicsModel1000D(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel1000C(tableKind, ballCount) {}

const TuningRow& PhysicsModel1000D::JawPocketRow() {
    static constexpr TuningRow kRow{{0, 0.24f},   {1, 0.99f}, {2, 0.01f},  {3, 0.02f},      {18, 0.28f},
                                    {19, 0.3f},   {22, 0.0f}, {23, 0.99f}, {28, 400000.0f}, {29, 50.0f},
                                    {30, 250.0f}, {12, 0.5f}, {13, 50.0f}, {20, 0.056f},    {21, 0.06f}};
    return kRow;
}

void PhysicsModel1000D::SetupTuning() {
    static const CaromTuningTable kCarom{{TuningRow{}, TuningRow{}},
                                         {TuningRow{{0, 0.28f}, {2, 0.0095f}, {1, 0.99f}, {3, 0.024f}},
                                          TuningRow{{0, 0.22f}, {2, 0.012f}, {1, 0.99f}, {3, 0.024f}}, TuningRow{},
                                          TuningRow{}, TuningRow{{0, 0.18f}, {2, 0.012f}, {1, 0.99f}, {3, 0.024f}}},
                                         {TuningRow{{18, 0.22f}, {19, 0.24f}, {28, 300000.0f}, {29, 54.0f}},
                                          TuningRow{{18, 0.22f}, {19, 0.26f}, {28, 350000.0f}, {29, 54.0f}},
                                          TuningRow{{18, 0.22f}, {19, 0.24f}, {28, 400000.0f}, {29, 50.0f}}},
                                         TuningRow{{22, 0.0f}, {23, 0.99f}}};
    WriteSeriesTuning(JawPocketRow(), kCarom);
}

void PhysicsModel1000D::CollideCushions(PhysicsBall& ball, float dt) {
    // Far from every cushion (the common case) the pass would find nothing: it is not even built.
    if (CushionContactSearch::ZoneMask(Geometry(), ball, CushionContactSearch::BackBox::HalfOpen) != 0) {
        CushionPass10005(*this, ball, dt, true).Run();
    }
}

bool PhysicsModel1000D::TestCushion(quill::Vec3& position, float radiusCm, quill::Vec3& normalOut,
                                    float& contactHeightOut, CushionFlags& flags, uint8_t side) {
    return TestSeriesCushion(position, radiusCm, normalOut, contactHeightOut, flags, side, false);
}

float PhysicsModel1000D::TuningB12() {
    return 1.05f;
}
float PhysicsModel1000D::TuningB15() {
    return 1.8f;
}
float PhysicsModel1000D::TuningB17() {
    return 0.3f;
}

}  // namespace kestrovan
