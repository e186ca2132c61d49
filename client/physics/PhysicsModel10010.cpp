#include "client/physics/PhysicsModel10010.h"

#include "client/physics/BallContactPass10010.h"
#include "client/physics/CueStrike10010.h"
#include "client/physics/CushionContactSearch.h"
#include "client/physics/CushionPass10010.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsMath.h"

namespace kestrovan {

namespace {

constexpr PhysicsModel10010::ClothRow kNoCloth{false, 0.0f, 0.0f, 0.0f, 0.0f, -1.0f, -1.0f};

// clothSubType 0 to 4 of PhysicsModel10010::SetupTuning.
constexpr PhysicsModel10010::ClothTable kCloth10010 = {
    {true, 0.18f, 0.99f, 0.0044f, 0.008f, -1.0f, -1.0f}, {true, 0.17f, 0.98f, 0.0042f, 0.016f, -1.0f, -1.0f}, kNoCloth,
    {true, 0.17f, 0.99f, 0.0042f, 0.007f, 0.15f, -1.0f}, {true, 0.16f, 0.98f, 0.004f, 0.014f, 0.5f, -1.0f},
};

struct CushionRow {
    float k18, k19, k28, k29;
};

// cushionMode 0 to 2, the same for every body of the series.
constexpr CushionRow kCushionModes[3] = {
    {0.21f, 0.18f, 100000.0f, 17.0f},
    {0.22f, 0.21f, 120000.0f, 19.0f},
    {0.26f, 0.25f, 140000.0f, 24.0f},
};

void WritePocketEntries(PhysicsConstants& k, float pocketDamping) {
    WriteTuningEntries(k, {{0, 0.22f},
                           {1, 0.99f},
                           {2, 0.008f},
                           {3, 0.04f},
                           {12, 0.5f},
                           {13, 50.0f},
                           {18, 0.34f},
                           {19, 0.3f},
                           {20, 0.34f},
                           {21, 0.3f},
                           {22, 0.0f},
                           {23, 0.99f},
                           {28, 100000.0f},
                           {29, 20.0f},
                           {30, pocketDamping}});
}

}  // namespace

PhysicsModel10010::PhysicsModel10010(uint32_t tableKind, uint16_t ballCount) : PhysicsModel(tableKind, ballCount) {}

void PhysicsModel10010::Strike(PhysicsBall& ball, const CueStroke& stroke) {
    CueStrike10010(*this, ball, stroke).Run();
}

void PhysicsModel10010::SetupConstants() {
    PhysicsModel::SetupConstants();
    ModelConstants& c = TheModelConstants();
    c.CueSpeedScale = 3.7f;
    c.BallFriction = 0.04f;
    c.BallFrictionAlt = 1.0f;
    c.BallSpinShare = 0.99f;
    c.StrikeTimeBase = 0.009f;
    c.MiscueDeflection = 1.0f;
    c.MiscueTangent = MiscueTangentRoundedOnce(c.MiscueDeflection);
    c.BallContactStep = 5e-6f;
    fields_ = Fields{0.7f,  150000.0f, 680000.0f, 0.005f, 0.0018f, 1.5f, 1.5f, 0.25f, 2.0f,
                     2e-5f, 0.4f,      0.45f,     0.2f,   1.0f,    1.0f, 1.0f, 1.0f};
}

void PhysicsModel10010::SetupTuning() {
    WriteSeriesTuning(kCloth10010, 80.0f);
}

void PhysicsModel10010::WriteSeriesTuning(const ClothTable& cloth, float pocketDamping) {
    PhysicsConstants& k = ThePhysicsConstants();
    const TableGeometry& g = Geometry();
    WriteCommonTuningEntries(k, g.cushionNoseHeight);
    if (HasPockets()) {
        WritePocketEntries(k, pocketDamping);
        fields_.slowSpeedLimit = 0.0f;
        fields_.slowSpeedBoost = 0.0f;
        return;
    }
    fields_.slowSpeedLimit = 0.4f;
    fields_.slowSpeedBoost = 2.0f;
    // A cloth or cushion mode without a row plays as the default table's (clothSubType 1, cushionMode 0): entries
    // left unwritten would keep the values of the model set up before, so clients would disagree.
    const ClothRow& clothRow = g.clothSubType < 5 && cloth[g.clothSubType].writes ? cloth[g.clothSubType] : cloth[1];
    k[0] = clothRow.k0;
    k[1] = clothRow.k1;
    k[2] = clothRow.k2;
    k[3] = clothRow.k3;
    if (clothRow.slowSpeedLimit >= 0.0f) {
        fields_.slowSpeedLimit = clothRow.slowSpeedLimit;
    }
    if (clothRow.slowSpeedBoost >= 0.0f) {
        fields_.slowSpeedBoost = clothRow.slowSpeedBoost;
    }
    const CushionRow& cushionRow = kCushionModes[g.cushionMode < 3 ? g.cushionMode : 0];
    k[18] = cushionRow.k18;
    k[19] = cushionRow.k19;
    k[28] = cushionRow.k28;
    k[29] = cushionRow.k29;
    k[22] = 0.0f;
    k[23] = 0.99f;
    k[12] = 0.6f;
    k[13] = 60.0f;
}

ClothFrictionForm PhysicsModel10010::ClothForm() {
    ClothFrictionForm form;
    form.clothSpeedLoad = fields_.clothSpeedLoad;
    form.slowSpeedLimit = fields_.slowSpeedLimit;
    form.slowSpeedBoost = fields_.slowSpeedBoost;
    form.stopTurnFactor = fields_.spinStopFactor;
    return form;
}

void PhysicsModel10010::CollideCushions(PhysicsBall& ball, float dt) {
    // Far from every cushion (the common case) the pass would find nothing: it is not even built.
    if (CushionContactSearch::ZoneMask(Geometry(), ball, CushionContactSearch::BackBox::Closed) != 0) {
        CushionPass10010(*this, ball, dt).Run();
    }
}

bool PhysicsModel10010::CollideBalls() {
    return BallContactPass10010(*this, PairSearch()).Run();
}

float PhysicsModel10010::AdjustApproachSpeed(float /*a*/, float speed, float /*angle*/) {
    return speed;
}

float PhysicsModel10010::TuningA10() {
    return 46.0f;
}

float PhysicsModel10010::TuningA11() {
    return 150.0f;
}

float PhysicsModel10010::BlendA12(float a1, float a2, float /*a3*/, float a4) {
    return (a1 * (TuningA10() + TuningA11() * (1.0f - a2)) + 4.0f * a4) * 10.0f;
}

float PhysicsModel10010::TuningA13() {
    return 1.0f;
}

float PhysicsModel10010::ScaleA14(float a1, float a2, float a3, float a4, float a5) {
    const float v = a1 * (1.0f - a2 * a4) * (1.0f + a3 * a5);
    return v > 1.0f ? 1.0f : v;
}

}  // namespace kestrovan
