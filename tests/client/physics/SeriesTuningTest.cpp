// What every set-up of the 10001 series writes into the process-wide constants, per class and per table: the
// pocket set, and on carom tables the choices by flagB, clothSubType and cushionMode. Each case starts from a
// block of marker values, so that an entry a set-up must leave alone is seen to keep its marker.
#include <gtest/gtest.h>

#include <bit>
#include <set>
#include <vector>

#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsModel10001.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

constexpr float kMarker = -7.0f;
// Written by every set-up of the series before its own choices (K31 follows the table's nose height).
const Entries kCommonEntries = {
    {4, 1.0f},     {5, 0.5f},    {6, 0.2f},  {7, 0.4f},    {8, 0.25f},  {9, 0.6f},
    {10, 0.008f},  {11, 0.8f},   {14, 0.2f}, {15, 200.0f}, {16, 0.4f},  {17, 40.0f},
    {24, 2000.0f}, {25, 0.025f}, {26, 2.0f}, {27, 0.0f},   {32, 0.05f},
};

// Table kinds by their choices: 1 has pockets; 0 is flagB 0, cloth 1, cushion mode 0; 4 is flagB 1, cloth 3,
// mode 1; 5 is flagB 0, cloth 0, mode 1; 6 is flagB 1, cloth 4, mode 0; 7 is flagB 1, cloth 4, mode 2.
struct TuningCase {
    uint32_t code;
    uint32_t kind;
    Entries entries;
};

// In the tables below, kKept marks an entry that the set-up leaves alone.
constexpr float kKept = kMarker;

// The first tuning (0x10001 to 0x10004): one set for pocket tables and one whatever the carom table.
TuningCase FirstTuning(uint32_t code, uint32_t kind, float cushionFriction, float k23) {
    const Entries cloth = kind == 1 ? Entries{{0, 0.4f}, {1, 0.6f}, {2, 0.008f}, {3, 0.024f}}
                                    : Entries{{0, 0.3f}, {1, 0.7f}, {2, 0.006f}, {3, 0.018f}};
    Entries entries = {
        {12, 0.5f},      {13, 50.0f}, {18, cushionFriction}, {19, cushionFriction}, {23, k23},
        {28, 120000.0f}, {29, 7.0f},  {30, 80.0f},
    };
    entries.insert(entries.end(), cloth.begin(), cloth.end());
    return {code, kind, entries};
}

// The pocket sets from 0x10005 on, by the entries in which they differ. Each also writes K0 = 0.24, K1 = 0.99,
// K2 = 0.01, K19 = 0.3, K22 = 0 and K23 = 0.99.
struct PocketCase {
    uint32_t code;
    float k3, k12, k13, k18, k20, k21, k28, k29, k30;
};

const PocketCase kPocketCases[] = {
    // code, K3, K12, K13, K18, K20, K21, K28, K29, K30
    {0x10005, 0.018f, 0.6f, 60.0f, 0.26f, kKept, kKept, 200000.0f, 34.0f, 60.0f},
    {0x10006, 0.02f, 0.6f, 60.0f, 0.28f, kKept, kKept, 400000.0f, 50.0f, 90.0f},
    // 0x10007 to 0x1000C share one set; 0x1000D on add the jaw's friction.
    {0x10007, 0.02f, 0.5f, 50.0f, 0.28f, kKept, kKept, 400000.0f, 50.0f, 250.0f},
    {0x1000A, 0.02f, 0.5f, 50.0f, 0.28f, kKept, kKept, 400000.0f, 50.0f, 250.0f},
    {0x1000B, 0.02f, 0.5f, 50.0f, 0.28f, kKept, kKept, 400000.0f, 50.0f, 250.0f},
    {0x1000C, 0.02f, 0.5f, 50.0f, 0.28f, kKept, kKept, 400000.0f, 50.0f, 250.0f},
    {0x1000D, 0.02f, 0.5f, 50.0f, 0.28f, 0.056f, 0.06f, 400000.0f, 50.0f, 250.0f},
    {0x1000E, 0.02f, 0.5f, 50.0f, 0.28f, 0.056f, 0.06f, 400000.0f, 50.0f, 250.0f},
};

// The carom sets from 0x10005 on, by the entries in which they differ. Each also writes K12 = 0.6, K13 = 60,
// K22 = 0 and K23 = 0.99.
struct CaromCase {
    uint32_t code;
    uint32_t kind;
    float k0, k1, k2, k3, k18, k19, k28, k29;
};

const CaromCase kCaromCases[] = {
    // code, kind, K0, K1, K2, K3, K18, K19, K28, K29
    {0x10005, 0, 0.2f, 0.99f, 0.008f, 0.012f, 0.24f, 0.28f, 200000.0f, 30.0f},
    // A cloth or cushion mode without a row of its own (cloth 3 and 0, mode 1 here) takes the row of cloth 1
    // (mode 0): nothing the cloth and the cushions need is left to the model set up before.
    {0x10005, 4, 0.2f, 0.99f, 0.008f, 0.012f, 0.3f, 0.38f, 200000.0f, 30.0f},
    {0x10005, 5, 0.2f, 0.99f, 0.008f, 0.012f, 0.24f, 0.28f, 200000.0f, 30.0f},
    {0x10005, 7, 0.18f, 0.99f, 0.006f, 0.009f, 0.3f, 0.38f, 250000.0f, 30.0f},
    {0x10006, 0, 0.2f, 0.99f, 0.008f, 0.016f, 0.24f, 0.24f, 400000.0f, 40.0f},
    {0x10006, 4, 0.2f, 0.99f, 0.008f, 0.016f, 0.3f, 0.32f, 400000.0f, 40.0f},
    {0x10006, 6, 0.18f, 0.99f, 0.006f, 0.012f, 0.3f, 0.32f, 400000.0f, 40.0f},
    {0x10006, 7, 0.18f, 0.99f, 0.006f, 0.012f, 0.3f, 0.32f, 500000.0f, 42.0f},
    // 0x10007 for 0x10007 to 0x10009.
    {0x10009, 0, 0.2f, 0.99f, 0.008f, 0.016f, 0.24f, 0.24f, 400000.0f, 40.0f},
    {0x10007, 4, 0.2f, 0.99f, 0.008f, 0.016f, 0.3f, 0.32f, 450000.0f, 41.0f},
    {0x10008, 7, 0.18f, 0.99f, 0.006f, 0.012f, 0.3f, 0.32f, 500000.0f, 42.0f},
    {0x1000A, 0, 0.15f, 0.99f, 0.009f, 0.018f, 0.24f, 0.28f, 400000.0f, 64.0f},
    {0x1000A, 4, 0.15f, 0.99f, 0.009f, 0.018f, 0.26f, 0.3f, 400000.0f, 59.0f},
    {0x1000A, 7, 0.15f, 0.99f, 0.008f, 0.016f, 0.28f, 0.32f, 400000.0f, 54.0f},
    {0x1000B, 0, 0.17f, 0.99f, 0.0085f, 0.018f, 0.24f, 0.34f, 400000.0f, 58.0f},
    {0x1000B, 5, 0.17f, 0.99f, 0.0085f, 0.018f, 0.26f, 0.36f, 400000.0f, 53.0f},
    {0x1000B, 7, 0.15f, 0.99f, 0.0075f, 0.016f, 0.28f, 0.38f, 400000.0f, 48.0f},
    {0x1000C, 0, 0.28f, 0.9f, 0.0088f, 0.028f, 0.22f, 0.24f, 300000.0f, 54.0f},
    {0x1000C, 5, 0.28f, 0.99f, 0.0095f, 0.024f, 0.22f, 0.26f, 350000.0f, 54.0f},
    {0x1000C, 7, 0.18f, 0.99f, 0.0075f, 0.02f, 0.2f, 0.24f, 400000.0f, 54.0f},
    {0x1000D, 0, 0.22f, 0.99f, 0.012f, 0.024f, 0.22f, 0.24f, 300000.0f, 54.0f},
    {0x1000D, 4, 0.22f, 0.99f, 0.012f, 0.024f, 0.22f, 0.26f, 350000.0f, 54.0f},
    {0x1000D, 7, 0.18f, 0.99f, 0.012f, 0.024f, 0.22f, 0.24f, 400000.0f, 50.0f},
    // 0x1000E for 0x1000E and 0x1000F.
    {0x1000E, 0, 0.22f, 0.99f, 0.012f, 0.024f, 0.22f, 0.24f, 300000.0f, 54.0f},
    {0x1000E, 4, 0.26f, 0.99f, 0.009f, 0.024f, 0.18f, 0.24f, 330000.0f, 54.0f},
    {0x1000F, 5, 0.28f, 0.99f, 0.0095f, 0.024f, 0.18f, 0.24f, 330000.0f, 54.0f},
    {0x1000F, 7, 0.18f, 0.99f, 0.012f, 0.024f, 0.22f, 0.24f, 400000.0f, 50.0f},
};

std::vector<TuningCase> AllCases() {
    const float k23Of10001 = std::bit_cast<float>(0x3F4CFB2Bu);
    std::vector<TuningCase> cases = {FirstTuning(0x10001, 1, 0.28f, k23Of10001),
                                     FirstTuning(0x10001, 7, 0.28f, k23Of10001), FirstTuning(0x10002, 1, 0.26f, 0.81f),
                                     FirstTuning(0x10004, 0, 0.26f, 0.81f)};
    for (const PocketCase& p : kPocketCases) {
        Entries entries = {
            {0, 0.24f},  {1, 0.99f},  {2, 0.01f}, {3, p.k3},   {12, p.k12}, {13, p.k13}, {18, p.k18}, {19, 0.3f},
            {20, p.k20}, {21, p.k21}, {22, 0.0f}, {23, 0.99f}, {28, p.k28}, {29, p.k29}, {30, p.k30},
        };
        cases.push_back({p.code, 1, entries});
    }
    for (const CaromCase& c : kCaromCases) {
        Entries entries = {
            {0, c.k0},   {1, c.k1},   {2, c.k2},  {3, c.k3},   {12, 0.6f},  {13, 60.0f},
            {18, c.k18}, {19, c.k19}, {22, 0.0f}, {23, 0.99f}, {28, c.k28}, {29, c.k29},
        };
        cases.push_back({c.code, c.kind, entries});
    }
    return cases;
}

class SeriesTuningTest : public PhysicsTest {
protected:
    // Hands the model out, then marks the whole block and runs its set-ups again.
    static std::unique_ptr<PhysicsModel> SetUpOnMarkers(uint32_t code, uint32_t kind) {
        std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(code, kind, 3, false));
        ThePhysicsConstants().k.fill(kMarker);
        model->Reinitialise(kind);
        return model;
    }
};

TEST_F(SeriesTuningTest, EachClassWritesItsOwnEntriesForEachTable) {
    for (const TuningCase& c : AllCases()) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << c.code << std::dec << " kind " << c.kind);
        const std::unique_ptr<PhysicsModel> model = SetUpOnMarkers(c.code, c.kind);
        const PhysicsConstants& k = ThePhysicsConstants();
        std::set<int> written = {31};
        for (const auto& [index, value] : kCommonEntries) {
            written.insert(index);
            EXPECT_EQ(Bits(k[index]), Bits(value)) << "K" << index;
        }
        EXPECT_EQ(k[31], model->Geometry().cushionNoseHeight / 100.0f);
        for (const auto& [index, value] : c.entries) {
            written.insert(index);
            EXPECT_EQ(Bits(k[index]), Bits(value)) << "K" << index;
        }
        for (int index = 0; index < static_cast<int>(kPhysicsConstantCount); ++index) {
            if (written.count(index) == 0) {
                EXPECT_EQ(k[index], kMarker) << "K" << index << " must keep the earlier set-up's value";
            }
        }
    }
}

TEST_F(SeriesTuningTest, PocketTablesGetOneSetWhateverTheirLayout) {
    for (uint32_t code = 0x10001; code <= 0x1000F; ++code) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        SetUpOnMarkers(code, 1);
        PhysicsConstants reference = ThePhysicsConstants();
        for (const uint32_t kind : {9u, 10u, 11u}) {
            const std::unique_ptr<PhysicsModel> model = SetUpOnMarkers(code, kind);
            PhysicsConstants k = ThePhysicsConstants();
            k[31] = reference[31];  // the nose height differs between these tables
            EXPECT_EQ(k.k, reference.k) << "kind " << kind;
        }
    }
}

TEST_F(SeriesTuningTest, AFlagBeyondTheChoicesLeavesItsEntries) {
    for (const uint32_t code : {0x10005u, 0x10006u, 0x10009u}) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(code, 0, 3, false));
        model->SharedRecord().geometry.flagB = 2;
        ThePhysicsConstants().k.fill(kMarker);
        model->Reinitialise(0);
        for (const int index : {18, 19, 22, 23}) {
            EXPECT_EQ(ThePhysicsConstants()[index], kMarker) << "K" << index;
        }
        EXPECT_EQ(ThePhysicsConstants()[0], 0.2f) << "the cloth choice still applies";
    }
}

TEST_F(SeriesTuningTest, ModelConstantsAndCueMassOfEveryClass) {
    for (uint32_t code = 0x10001; code <= 0x1000F; ++code) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        TheModelConstants() = ModelConstants{};
        std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(code, 0, 3, false));
        const ModelConstants& c = TheModelConstants();
        const float speed = code == 0x10001 ? 4.3f : (code >= 0x1000E ? 4.4f : 4.67f);
        const float friction = code <= 0x10004 ? 0.12f : (code >= 0x1000C ? 0.062f : 0.024f);
        EXPECT_EQ(c.CueSpeedScale, speed);
        EXPECT_EQ(c.StrikeTimeBase, 0.0025f);
        EXPECT_EQ(c.BallFriction, friction);
        EXPECT_EQ(c.BallFrictionAlt, code <= 0x10004 ? 0.18f : 0.024f);
        EXPECT_EQ(c.BallSpinShare, code <= 0x10004 ? 0.5f : 0.99f) << "the first classes keep the base value";
        EXPECT_EQ(c.MiscueDeflection, 0.75f);
        EXPECT_EQ(c.BallContactStep, 0.0f) << "not a value of this series";
        EXPECT_EQ(dynamic_cast<PhysicsModel10001&>(*model).CueMass(), code == 0x10001 ? 1.0f : 0.7f);
    }
}

}  // namespace
}  // namespace kestrovan::test
