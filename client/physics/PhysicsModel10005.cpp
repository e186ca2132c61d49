#include "client/physics/PhysicsModel10005.h"

#include "client/physics/BallContactPass10005.h"
#include "client/physics/CueStrike10001.h"
#include "client/physics/CushionContactSearch.h"
#include "client/physics/CushionPass10005.h"
#include "client/physics/ModelConstants.h"

namespace kestrovan {

namespace {

constexpr TuningRow kPocket10005{{0, 0.24f},  {1, 0.99f}, {2, 0.01f},  {3, 0.018f},     {18, 0.26f},
                                 {19, 0.3f},  {22, 0.0f}, {23, 0.99f}, {28, 200000.0f}, {29, 34.0f},
                                 {30, 60.0f}, {12, 0.6f}, {13, 60.0f}};

constexpr CaromTuningTable kCarom10005{
    {TuningRow{{18, 0.24f}, {19, 0.28f}, {22, 0.0f}, {23, 0.99f}},
     TuningRow{{18, 0.3f}, {19, 0.38f}, {22, 0.0f}, {23, 0.99f}}},
    {TuningRow{}, TuningRow{{0, 0.2f}, {2, 0.008f}, {3, 0.012f}, {1, 0.99f}}, TuningRow{}, TuningRow{},
     TuningRow{{0, 0.18f}, {2, 0.006f}, {3, 0.009f}, {1, 0.99f}}},
    {TuningRow{{28, 200000.0f}, {29, 30.0f}}, TuningRow{}, TuningRow{{28, 250000.0f}, {29, 30.0f}}},
    TuningRow{}};

}  // namespace

PhysicsModel10005::PhysicsModel10005(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10004(tableKind, ballCount) {}

void PhysicsModel10005::Strike(PhysicsBall& ball, const CueStroke& stroke) {
    CueStrike10001(*this, ball, stroke, 2, CueStrikeTuning{}).Run();
}

void PhysicsModel10005::SetupConstants() {
    PhysicsModel::SetupConstants();
    ModelConstants& c = TheModelConstants();
    c.CueSpeedScale = 4.67f;
    c.StrikeTimeBase = 0.0025f;
    c.BallFriction = 0.024f;
    c.BallFrictionAlt = 0.024f;
    c.BallSpinShare = 0.99f;
    SetCueMass(0.7f);
}

void PhysicsModel10005::SetupTuning() {
    WriteSeriesTuning(kPocket10005, kCarom10005);
}

void PhysicsModel10005::WriteSeriesTuning(const TuningRow& pocket, const CaromTuningTable& carom) {
    PhysicsConstants& k = ThePhysicsConstants();
    WriteCommonTuningEntries(k, Geometry().cushionNoseHeight);
    if (HasPockets()) {
        pocket.WriteTo(k);
        return;
    }
    carom.WriteTo(k, Geometry());
}

const TuningRow& PhysicsModel10005::LaterPocketRow() {
    static constexpr TuningRow kRow{{0, 0.24f},   {1, 0.99f}, {2, 0.01f},  {3, 0.02f},      {18, 0.28f},
                                    {19, 0.3f},   {22, 0.0f}, {23, 0.99f}, {28, 400000.0f}, {29, 50.0f},
                                    {30, 250.0f}, {12, 0.5f}, {13, 50.0f}};
    return kRow;
}

ClothFrictionForm PhysicsModel10005::ClothForm() {
    ClothFrictionForm form;
    form.skipWhenRising = true;
    form.clothSpeedLoad = 2e-5f;
    form.stopTurnFactor = TuningB8();
    return form;
}

void PhysicsModel10005::CollideCushions(PhysicsBall& ball, float dt) {
    // Far from every cushion (the common case) the pass would find nothing: it is not even built.
    if (CushionContactSearch::ZoneMask(Geometry(), ball, CushionContactSearch::BackBox::HalfOpen) != 0) {
        CushionPass10005(*this, ball, dt, false).Run();
    }
}

bool PhysicsModel10005::CollideBalls() {
    return BallContactPass10005(*this, PairSearch(), BallContactFriction10005{}).Run();
}

bool PhysicsModel10005::TestCushion(quill::Vec3& position, float radiusCm, quill::Vec3& normalOut,
                                    float& contactHeightOut, CushionFlags& flags, uint8_t side) {
    return TestSeriesCushion(position, radiusCm, normalOut, contactHeightOut, flags, side, true);
}

bool PhysicsModel10005::TestSeriesCushion(quill::Vec3& position, float radiusCm, quill::Vec3& normalOut,
                                          float& contactHeightOut, CushionFlags& flags, uint8_t side, bool clearJaw) {
    flags.nose = 0;
    flags.upperFace = 0;
    if (clearJaw) {
        flags.jaw = 0;
    }
    const CushionTest test(Geometry(), HasPockets(), true);
    return test.Test(position, radiusCm, side, &normalOut, &contactHeightOut, &flags);
}

bool PhysicsModel10005::CushionRebound(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal,
                                       quill::Vec3& deformation, float radiusM, float mass, float inertiaArm, float h,
                                       const PhysicsConstants& k) {
    return kestrovan::CushionRebound::Step(velocity, spin, normal, deformation, radiusM, mass, inertiaArm, h, k,
                                           CushionReboundForm{});
}

}  // namespace kestrovan
