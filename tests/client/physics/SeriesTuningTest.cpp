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
const std::vector<std::pair<int, float>> kCommonEntries = {
    {4, 1.0f},     {5, 0.5f},    {6, 0.2f},  {7, 0.4f},    {8, 0.25f},  {9, 0.6f},
    {10, 0.008f},  {11, 0.8f},   {14, 0.2f}, {15, 200.0f}, {16, 0.4f},  {17, 40.0f},
    {24, 2000.0f}, {25, 0.025f}, {26, 2.0f}, {27, 0.0f},   {32, 0.05f},
};

// Table kinds by their choices: 1 has pockets; 0 is flagB 0, cloth 1, cushion mode 0; 4 is flagB 1, cloth 3,
// mode 1; 5 is flagB 0, cloth 0, mode 1; 7 is flagB 1, cloth 4, mode 2.
struct TuningCase {
    uint32_t code;
    uint32_t kind;
    std::vector<std::pair<int, float>> entries;
};

const float k23Of10001 = std::bit_cast<float>(0x3F4CFB2Bu);

const std::vector<TuningCase> kCases = {
    // 0x10001 and 0x10002 (for 0x10002 to 0x10004): one set whatever the carom table.
    {0x10001,
     1,
     {{0, 0.4f},
      {1, 0.6f},
      {2, 0.008f},
      {3, 0.024f},
      {12, 0.5f},
      {13, 50.0f},
      {18, 0.28f},
      {19, 0.28f},
      {23, k23Of10001},
      {28, 120000.0f},
      {29, 7.0f},
      {30, 80.0f}}},
    {0x10001,
     7,
     {{0, 0.3f},
      {1, 0.7f},
      {2, 0.006f},
      {3, 0.018f},
      {12, 0.5f},
      {13, 50.0f},
      {18, 0.28f},
      {19, 0.28f},
      {23, k23Of10001},
      {28, 120000.0f},
      {29, 7.0f},
      {30, 80.0f}}},
    {0x10002,
     1,
     {{0, 0.4f},
      {1, 0.6f},
      {2, 0.008f},
      {3, 0.024f},
      {12, 0.5f},
      {13, 50.0f},
      {18, 0.26f},
      {19, 0.26f},
      {23, 0.81f},
      {28, 120000.0f},
      {29, 7.0f},
      {30, 80.0f}}},
    {0x10004,
     0,
     {{0, 0.3f},
      {1, 0.7f},
      {2, 0.006f},
      {3, 0.018f},
      {12, 0.5f},
      {13, 50.0f},
      {18, 0.26f},
      {19, 0.26f},
      {23, 0.81f},
      {28, 120000.0f},
      {29, 7.0f},
      {30, 80.0f}}},
    // 0x10005.
    {0x10005,
     1,
     {{0, 0.24f},
      {1, 0.99f},
      {2, 0.01f},
      {3, 0.018f},
      {18, 0.26f},
      {19, 0.3f},
      {22, 0.0f},
      {23, 0.99f},
      {28, 200000.0f},
      {29, 34.0f},
      {30, 60.0f},
      {12, 0.6f},
      {13, 60.0f}}},
    {0x10005,
     0,
     {{12, 0.6f},
      {13, 60.0f},
      {18, 0.24f},
      {19, 0.28f},
      {22, 0.0f},
      {23, 0.99f},
      {0, 0.2f},
      {2, 0.008f},
      {3, 0.012f},
      {1, 0.99f},
      {28, 200000.0f},
      {29, 30.0f}}},
    {0x10005, 4, {{12, 0.6f}, {13, 60.0f}, {18, 0.3f}, {19, 0.38f}, {22, 0.0f}, {23, 0.99f}}},
    {0x10005, 5, {{12, 0.6f}, {13, 60.0f}, {18, 0.24f}, {19, 0.28f}, {22, 0.0f}, {23, 0.99f}}},
    {0x10005,
     7,
     {{12, 0.6f},
      {13, 60.0f},
      {18, 0.3f},
      {19, 0.38f},
      {22, 0.0f},
      {23, 0.99f},
      {0, 0.18f},
      {2, 0.006f},
      {3, 0.009f},
      {1, 0.99f},
      {28, 250000.0f},
      {29, 30.0f}}},
    // 0x10006.
    {0x10006,
     1,
     {{0, 0.24f},
      {1, 0.99f},
      {2, 0.01f},
      {3, 0.02f},
      {18, 0.28f},
      {19, 0.3f},
      {22, 0.0f},
      {23, 0.99f},
      {28, 400000.0f},
      {29, 50.0f},
      {30, 90.0f},
      {12, 0.6f},
      {13, 60.0f}}},
    {0x10006,
     0,
     {{12, 0.6f},
      {13, 60.0f},
      {18, 0.24f},
      {19, 0.24f},
      {22, 0.0f},
      {23, 0.99f},
      {0, 0.2f},
      {2, 0.008f},
      {3, 0.016f},
      {1, 0.99f},
      {28, 400000.0f},
      {29, 40.0f}}},
    {0x10006, 4, {{12, 0.6f}, {13, 60.0f}, {18, 0.3f}, {19, 0.32f}, {22, 0.0f}, {23, 0.99f}}},
    {0x10006,
     7,
     {{12, 0.6f},
      {13, 60.0f},
      {18, 0.3f},
      {19, 0.32f},
      {22, 0.0f},
      {23, 0.99f},
      {0, 0.18f},
      {2, 0.006f},
      {3, 0.012f},
      {1, 0.99f},
      {28, 500000.0f},
      {29, 42.0f}}},
    // 0x10007 (for 0x10007 to 0x10009).
    {0x10007,
     1,
     {{0, 0.24f},
      {1, 0.99f},
      {2, 0.01f},
      {3, 0.02f},
      {18, 0.28f},
      {19, 0.3f},
      {22, 0.0f},
      {23, 0.99f},
      {28, 400000.0f},
      {29, 50.0f},
      {30, 250.0f},
      {12, 0.5f},
      {13, 50.0f}}},
    {0x10009,
     0,
     {{18, 0.24f},
      {19, 0.24f},
      {22, 0.0f},
      {23, 0.99f},
      {0, 0.2f},
      {2, 0.008f},
      {3, 0.016f},
      {1, 0.99f},
      {28, 400000.0f},
      {29, 40.0f},
      {12, 0.6f},
      {13, 60.0f}}},
    {0x10007,
     4,
     {{18, 0.3f}, {19, 0.32f}, {22, 0.0f}, {23, 0.99f}, {28, 450000.0f}, {29, 41.0f}, {12, 0.6f}, {13, 60.0f}}},
    {0x10008,
     7,
     {{18, 0.3f},
      {19, 0.32f},
      {22, 0.0f},
      {23, 0.99f},
      {0, 0.18f},
      {2, 0.006f},
      {3, 0.012f},
      {1, 0.99f},
      {28, 500000.0f},
      {29, 42.0f},
      {12, 0.6f},
      {13, 60.0f}}},
    // 0x1000A.
    {0x1000A,
     1,
     {{0, 0.24f},
      {1, 0.99f},
      {2, 0.01f},
      {3, 0.02f},
      {18, 0.28f},
      {19, 0.3f},
      {22, 0.0f},
      {23, 0.99f},
      {28, 400000.0f},
      {29, 50.0f},
      {30, 250.0f},
      {12, 0.5f},
      {13, 50.0f}}},
    {0x1000A,
     0,
     {{2, 0.009f},
      {3, 0.018f},
      {0, 0.15f},
      {1, 0.99f},
      {18, 0.24f},
      {19, 0.28f},
      {29, 64.0f},
      {22, 0.0f},
      {23, 0.99f},
      {28, 400000.0f},
      {12, 0.6f},
      {13, 60.0f}}},
    {0x1000A,
     4,
     {{18, 0.26f}, {19, 0.3f}, {29, 59.0f}, {22, 0.0f}, {23, 0.99f}, {28, 400000.0f}, {12, 0.6f}, {13, 60.0f}}},
    {0x1000A,
     7,
     {{2, 0.008f},
      {3, 0.016f},
      {0, 0.15f},
      {1, 0.99f},
      {18, 0.28f},
      {19, 0.32f},
      {29, 54.0f},
      {22, 0.0f},
      {23, 0.99f},
      {28, 400000.0f},
      {12, 0.6f},
      {13, 60.0f}}},
    // 0x1000B.
    {0x1000B,
     1,
     {{0, 0.24f},
      {1, 0.99f},
      {2, 0.01f},
      {3, 0.02f},
      {18, 0.28f},
      {19, 0.3f},
      {22, 0.0f},
      {23, 0.99f},
      {28, 400000.0f},
      {29, 50.0f},
      {30, 250.0f},
      {12, 0.5f},
      {13, 50.0f}}},
    {0x1000B,
     0,
     {{0, 0.17f},
      {2, 0.0085f},
      {3, 0.018f},
      {1, 0.99f},
      {18, 0.24f},
      {19, 0.34f},
      {29, 58.0f},
      {22, 0.0f},
      {23, 0.99f},
      {28, 400000.0f},
      {12, 0.6f},
      {13, 60.0f}}},
    {0x1000B,
     5,
     {{18, 0.26f}, {19, 0.36f}, {29, 53.0f}, {22, 0.0f}, {23, 0.99f}, {28, 400000.0f}, {12, 0.6f}, {13, 60.0f}}},
    {0x1000B,
     7,
     {{0, 0.15f},
      {2, 0.0075f},
      {3, 0.016f},
      {1, 0.99f},
      {18, 0.28f},
      {19, 0.38f},
      {29, 48.0f},
      {22, 0.0f},
      {23, 0.99f},
      {28, 400000.0f},
      {12, 0.6f},
      {13, 60.0f}}},
    // 0x1000C.
    {0x1000C,
     1,
     {{0, 0.24f},
      {1, 0.99f},
      {2, 0.01f},
      {3, 0.02f},
      {18, 0.28f},
      {19, 0.3f},
      {22, 0.0f},
      {23, 0.99f},
      {28, 400000.0f},
      {29, 50.0f},
      {30, 250.0f},
      {12, 0.5f},
      {13, 50.0f}}},
    {0x1000C,
     0,
     {{0, 0.28f},
      {1, 0.9f},
      {2, 0.0088f},
      {3, 0.028f},
      {18, 0.22f},
      {19, 0.24f},
      {28, 300000.0f},
      {22, 0.0f},
      {23, 0.99f},
      {29, 54.0f},
      {12, 0.6f},
      {13, 60.0f}}},
    {0x1000C,
     5,
     {{0, 0.28f},
      {2, 0.0095f},
      {3, 0.024f},
      {1, 0.99f},
      {18, 0.22f},
      {19, 0.26f},
      {28, 350000.0f},
      {22, 0.0f},
      {23, 0.99f},
      {29, 54.0f},
      {12, 0.6f},
      {13, 60.0f}}},
    {0x1000C,
     7,
     {{0, 0.18f},
      {2, 0.0075f},
      {3, 0.02f},
      {1, 0.99f},
      {18, 0.2f},
      {19, 0.24f},
      {28, 400000.0f},
      {22, 0.0f},
      {23, 0.99f},
      {29, 54.0f},
      {12, 0.6f},
      {13, 60.0f}}},
    // 0x1000D: the jaw entries K20 and K21 on pocket tables.
    {0x1000D,
     1,
     {{0, 0.24f},
      {1, 0.99f},
      {2, 0.01f},
      {3, 0.02f},
      {18, 0.28f},
      {19, 0.3f},
      {20, 0.056f},
      {21, 0.06f},
      {22, 0.0f},
      {23, 0.99f},
      {28, 400000.0f},
      {29, 50.0f},
      {30, 250.0f},
      {12, 0.5f},
      {13, 50.0f}}},
    {0x1000D,
     0,
     {{0, 0.22f},
      {2, 0.012f},
      {1, 0.99f},
      {3, 0.024f},
      {18, 0.22f},
      {19, 0.24f},
      {28, 300000.0f},
      {29, 54.0f},
      {22, 0.0f},
      {23, 0.99f},
      {12, 0.6f},
      {13, 60.0f}}},
    {0x1000D,
     4,
     {{18, 0.22f}, {19, 0.26f}, {28, 350000.0f}, {29, 54.0f}, {22, 0.0f}, {23, 0.99f}, {12, 0.6f}, {13, 60.0f}}},
    {0x1000D,
     7,
     {{0, 0.18f},
      {2, 0.012f},
      {1, 0.99f},
      {3, 0.024f},
      {18, 0.22f},
      {19, 0.24f},
      {28, 400000.0f},
      {29, 50.0f},
      {22, 0.0f},
      {23, 0.99f},
      {12, 0.6f},
      {13, 60.0f}}},
    // 0x1000E and 0x1000F.
    {0x1000E,
     1,
     {{22, 0.0f},
      {18, 0.28f},
      {19, 0.3f},
      {20, 0.056f},
      {21, 0.06f},
      {23, 0.99f},
      {0, 0.24f},
      {1, 0.99f},
      {2, 0.01f},
      {3, 0.02f},
      {28, 400000.0f},
      {29, 50.0f},
      {30, 250.0f},
      {12, 0.5f},
      {13, 50.0f}}},
    {0x1000E,
     0,
     {{0, 0.22f},
      {2, 0.012f},
      {1, 0.99f},
      {3, 0.024f},
      {28, 300000.0f},
      {29, 54.0f},
      {18, 0.22f},
      {19, 0.24f},
      {22, 0.0f},
      {23, 0.99f},
      {12, 0.6f},
      {13, 60.0f}}},
    {0x1000E,
     4,
     {{0, 0.26f},
      {2, 0.009f},
      {1, 0.99f},
      {3, 0.024f},
      {28, 330000.0f},
      {29, 54.0f},
      {18, 0.18f},
      {19, 0.24f},
      {22, 0.0f},
      {23, 0.99f},
      {12, 0.6f},
      {13, 60.0f}}},
    {0x1000F,
     5,
     {{0, 0.28f},
      {2, 0.0095f},
      {1, 0.99f},
      {3, 0.024f},
      {28, 330000.0f},
      {29, 54.0f},
      {18, 0.18f},
      {19, 0.24f},
      {22, 0.0f},
      {23, 0.99f},
      {12, 0.6f},
      {13, 60.0f}}},
    {0x1000F,
     7,
     {{0, 0.18f},
      {2, 0.012f},
      {1, 0.99f},
      {3, 0.024f},
      {28, 400000.0f},
      {29, 50.0f},
      {18, 0.22f},
      {19, 0.24f},
      {22, 0.0f},
      {23, 0.99f},
      {12, 0.6f},
      {13, 60.0f}}},
};

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
    for (const TuningCase& c : kCases) {
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
