// The model family: the factory with its cache and current model, and what each model's set-up writes into the
// process-wide constants for each table kind.
#include <gtest/gtest.h>

#include <bit>

#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsModel10001.h"
#include "client/physics/PhysicsModel10003.h"
#include "client/physics/PhysicsModel10004.h"
#include "client/physics/PhysicsModel1000A.h"
#include "client/physics/PhysicsModel1000C.h"
#include "client/physics/PhysicsModel1000F.h"
#include "client/physics/PhysicsModel10010.h"
#include "client/physics/PhysicsModel10011.h"
#include "client/physics/PhysicsModel10012.h"
#include "client/physics/PhysicsModel10013.h"
#include "client/physics/PhysicsModel10014.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

class FactoryTest : public PhysicsTest {};

TEST_F(FactoryTest, CodesOutsideTheFamilyGiveNullAndChangeNothing) {
    PhysicsModel* cached = CreatePhysicsModel(0x10014, 0, 3, true);
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(CreatePhysicsModel(0x10015, 0, 3, true), nullptr);
    EXPECT_EQ(CreatePhysicsModel(0, 0, 3, false), nullptr);
    EXPECT_EQ(CreatePhysicsModel(0xFFFF, 0, 3, true), nullptr);
    EXPECT_EQ(CurrentPhysicsModel(), cached);
}

TEST_F(FactoryTest, EveryCodeBuildsItsClassAndBecomesCurrent) {
    for (uint32_t code = 0x10000; code <= 0x10014; ++code) {
        std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(code, 2, 4, false));
        ASSERT_NE(model, nullptr) << std::hex << code;
        EXPECT_EQ(model->Code(), code);
        EXPECT_EQ(model->BallCount(), 4);
        EXPECT_EQ(CurrentPhysicsModel(), model.get());
        const bool tenTen = dynamic_cast<PhysicsModel10010*>(model.get()) != nullptr;
        const bool tenOne = dynamic_cast<PhysicsModel10001*>(model.get()) != nullptr;
        EXPECT_EQ(tenTen, code >= 0x10010);
        EXPECT_EQ(tenOne, code >= 0x10001 && code <= 0x1000F);
    }
    EXPECT_EQ(CurrentPhysicsModel(), nullptr) << "a deleted model is not current";
    EXPECT_NE(dynamic_cast<PhysicsModel10014*>(CreatePhysicsModel(0x10014, 0, 3, true)), nullptr);
    EXPECT_NE(dynamic_cast<PhysicsModel1000F*>(CreatePhysicsModel(0x1000F, 0, 3, true)), nullptr);
}

TEST_F(FactoryTest, CachedModelsAreSharedAndPreparedAgainAtEveryHandOut) {
    PhysicsModel* first = CreatePhysicsModel(0x10014, 0, 3, true);
    first->Ball(0).position = {1.0f, 2.0f, 3.25f};
    PhysicsModel* second = CreatePhysicsModel(0x10014, 0, 3, true);
    EXPECT_EQ(first, second);
    EXPECT_EQ(second->Ball(0).position.x, 1.0f) << "same ball count: the balls are kept";

    PhysicsModel* pocket = CreatePhysicsModel(0x10014, 1, 16, true);
    EXPECT_EQ(pocket, first);
    EXPECT_EQ(pocket->BallCount(), 16);
    EXPECT_EQ(pocket->Ball(0).position.x, 0.0f) << "another count: new balls";
    EXPECT_TRUE(pocket->HasPockets());
    EXPECT_EQ(pocket->Geometry().noseMaxX, 127.5f);
    EXPECT_EQ(ThePhysicsConstants()[30], 40.0f);
    EXPECT_EQ(ThePhysicsEventList().Capacity(), 200u);

    // Uncached requests never touch the cache.
    std::unique_ptr<PhysicsModel> owned(CreatePhysicsModel(0x10014, 0, 3, false));
    EXPECT_NE(owned.get(), first);
    EXPECT_EQ(CreatePhysicsModel(0x10014, 0, 3, true), first);
}

TEST_F(FactoryTest, BallsAndEventCapacity) {
    std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(0x10014, 0, 3, false));
    EXPECT_EQ(ThePhysicsEventList().Capacity(), 18u);
    model->CreateBalls(22);
    EXPECT_EQ(ThePhysicsEventList().Capacity(), 341u);
    model->Ball(21).position.x = 5.0f;
    model->CreateBalls(22);
    EXPECT_EQ(model->Ball(21).position.x, 5.0f) << "the same count keeps the balls";
}

TEST_F(FactoryTest, KindEightFollowsTheModelsOwnCode) {
    std::unique_ptr<PhysicsModel> older(CreatePhysicsModel(0x10011, 8, 3, false));
    std::unique_ptr<PhysicsModel> newer(CreatePhysicsModel(0x10012, 8, 3, false));
    EXPECT_EQ(older->Geometry().tableKind, 7u);
    EXPECT_EQ(newer->Geometry().tableKind, 8u);
    // Apart from kind 8 the two codes set up alike.
    std::unique_ptr<PhysicsModel> a(CreatePhysicsModel(0x10011, 4, 3, false));
    const PhysicsConstants afterA = ThePhysicsConstants();
    std::unique_ptr<PhysicsModel> b(CreatePhysicsModel(0x10012, 4, 3, false));
    EXPECT_EQ(afterA.k, ThePhysicsConstants().k);
}

class SetupTest : public PhysicsTest {
protected:
    static const PhysicsConstants& K() { return ThePhysicsConstants(); }
    static PhysicsModel10010::Fields Fields(PhysicsModel* model) {
        return dynamic_cast<PhysicsModel10010&>(*model).TuningFields();
    }
};

TEST_F(SetupTest, DefaultModelConstantsPerTableKind) {
    struct Case {
        uint32_t kind;
        Entries entries;
        float slowSpeedLimit, slowSpeedBoost;
    };
    // clang-format off
    const Case cases[] = {
        {0, {{0, 0.17f}, {1, 0.98f}, {2, 0.0042f}, {3, 0.016f}, {12, 0.6f}, {13, 60.0f}, {18, 0.21f}, {19, 0.18f},
             {28, 100000.0f}, {29, 17.0f}}, 0.7f, 3.4f},
        {4, {{0, 0.17f}, {1, 0.99f}, {2, 0.0044f}, {3, 0.009f}, {18, 0.22f}, {19, 0.21f}, {28, 120000.0f},
             {29, 19.0f}}, 0.4f, 2.0f},
        {7, {{0, 0.16f}, {3, 0.014f}, {18, 0.26f}, {19, 0.25f}, {28, 140000.0f}, {29, 24.0f}}, 0.7f, 3.4f},
        {11, {{0, 0.22f}, {3, 0.04f}, {12, 0.5f}, {13, 50.0f}, {20, 0.34f}, {30, 40.0f}}, 0.0f, 0.0f},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "table kind " << c.kind);
        std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(0x10014, c.kind, 3, false));
        ExpectEntries(c.entries);
        EXPECT_EQ(K()[31], model->Geometry().cushionNoseHeight / 100.0f);
        EXPECT_EQ(Fields(model.get()).slowSpeedLimit, c.slowSpeedLimit);
        EXPECT_EQ(Fields(model.get()).slowSpeedBoost, c.slowSpeedBoost);
    }
}

TEST_F(SetupTest, TenTenSeriesConstantsAndFields) {
    std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(0x10010, 0, 3, false));
    const ModelConstants& c = TheModelConstants();
    EXPECT_EQ(c.CueSpeedScale, 3.7f);
    EXPECT_EQ(c.BallFriction, 0.04f);
    EXPECT_EQ(c.BallFrictionAlt, 1.0f);
    EXPECT_EQ(c.BallSpinShare, 0.99f);
    EXPECT_EQ(c.StrikeTimeBase, 0.009f);
    EXPECT_EQ(c.MiscueDeflection, 1.0f);
    EXPECT_EQ(c.MiscueTangent, 1.0f);
    EXPECT_EQ(Bits(c.BallContactStep), 0x36A7C5ACu);
    const PhysicsModel10010::Fields f = Fields(model.get());
    EXPECT_EQ(f.cueMass, 0.7f);
    EXPECT_EQ(f.tipStiffness, 150000.0f);
    EXPECT_EQ(f.bedStiffness, 680000.0f);
    EXPECT_EQ(f.strikeValue, 1.5f);
    EXPECT_EQ(Bits(f.clothSpeedLoad), 0x37A7C5ACu);
    EXPECT_EQ(f.reboundScale, 1.0f);
    EXPECT_EQ(f.spinStopFactor, 1.5f);
    // 0x10010's own cloth table: clothSubType 1 keeps the slow-speed limit 0.4.
    EXPECT_EQ(K()[3], 0.016f);
    EXPECT_EQ(f.slowSpeedLimit, 0.4f);
}

TEST_F(SetupTest, WhatCarriesOverBetweenSetUps) {
    std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(0x10011, 1, 16, false));
    EXPECT_EQ(K()[30], 80.0f);
    const Entries pocketJaw = {{20, 0.34f}, {21, 0.3f}, {30, 80.0f}};
    model.reset(CreatePhysicsModel(0x10014, 0, 3, false));
    ExpectEntries(pocketJaw);  // carom set-ups leave the jaw entries of the pocket set-up
    model.reset(CreatePhysicsModel(0x10000, 0, 3, false));
    ExpectEntries(pocketJaw);
    EXPECT_EQ(Bits(TheModelConstants().BallContactStep), 0x36A7C5ACu) << "the base set-up leaves it";
    EXPECT_EQ(TheModelConstants().CueSpeedScale, 9.5f);
    EXPECT_EQ(Bits(TheModelConstants().MiscueTangent), 0x3EE72007u) << "0.45141622: the exact value rounded once";
    model.reset(CreatePhysicsModel(0x1000D, 1, 16, false));
    model.reset(CreatePhysicsModel(0x10001, 0, 3, false));
    // 0x10001 to 0x10004 never write K20 to K22.
    ExpectEntries({{20, 0.056f}, {21, 0.06f}, {23, std::bit_cast<float>(0x3F4CFB2Bu)}});
}

// The series' constants and the entries of each class and table are checked in SeriesTuningTest.
TEST_F(SetupTest, ACaromClothOrCushionModeWithoutARowTakesTheDefaultTablesRow) {
    std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(0x1000E, 5, 3, false));  // cloth 0, cushion mode 1
    model->SharedRecord().geometry.clothSubType = 2;
    ThePhysicsConstants()[0] = 0.5f;
    model->Reinitialise(0);
    ExpectEntries({{0, 0.22f}, {1, 0.99f}, {2, 0.012f}, {3, 0.024f}});  // cloth 1's, not what was there
    EXPECT_EQ(K()[28], 330000.0f) << "the cushion mode's entries are still written";

    // The 10010 series likewise, with cloth 1's slow-speed growth; a cushion mode beyond the table takes mode 0's.
    model.reset(CreatePhysicsModel(0x10014, 0, 3, false));
    model->SharedRecord().geometry.clothSubType = 2;
    model->SharedRecord().geometry.cushionMode = 7;
    ThePhysicsConstants().k.fill(-7.0f);
    model->Reinitialise(0);
    ExpectEntries({{0, 0.17f}, {1, 0.98f}, {2, 0.0042f}, {3, 0.016f}, {18, 0.21f}, {28, 100000.0f}});
}

TEST_F(SetupTest, TheLastClassOfTheSeriesRaisesTheCushionTop) {
    std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(0x1000F, 0, 3, false));
    EXPECT_FLOAT_EQ(model->Geometry().cushionTopHeight, 4.7f);
}

TEST_F(SetupTest, TuningOperationsByClass) {
    std::unique_ptr<PhysicsModel> m10010(CreatePhysicsModel(0x10010, 0, 3, false));
    std::unique_ptr<PhysicsModel> m10014(CreatePhysicsModel(0x10014, 0, 3, false));
    auto& a = dynamic_cast<PhysicsModel10010&>(*m10010);
    auto& b = dynamic_cast<PhysicsModel10010&>(*m10014);
    EXPECT_EQ(a.TuningA10(), 46.0f);
    EXPECT_EQ(b.TuningA10(), 28.0f);
    EXPECT_EQ(b.TuningA11(), 150.0f);
    EXPECT_EQ(b.TuningA13(), 1.0f);
    EXPECT_EQ(b.BlendA12(1.0f, 1.0f, 0.0f, 123.0f), 1120.0f);
    EXPECT_FLOAT_EQ(a.BlendA12(0.5f, 0.5f, 9.0f, 2.0f), (0.5f * (46.0f + 75.0f) + 8.0f) * 10.0f);
    EXPECT_FLOAT_EQ(b.ScaleA14(1.0f, 0.45f, 0.2f, 0.5f, -5.0f), 1.0f - 0.45f * 0.5f);
    EXPECT_EQ(a.ScaleA14(1.0f, 0.45f, 0.2f, 0.5f, -5.0f), 0.0f);
    EXPECT_EQ(b.ScaleA14(1.0f, 0.45f, 0.2f, 0.0f, 3.0f), 1.0f) << "capped at 1";
    EXPECT_EQ(b.AdjustApproachSpeed(1.0f, -2.0f, 0.0f), -2.0f);

    std::unique_ptr<PhysicsModel> m3(CreatePhysicsModel(0x10003, 0, 3, false));
    std::unique_ptr<PhysicsModel> m4(CreatePhysicsModel(0x10004, 0, 3, false));
    EXPECT_FLOAT_EQ(dynamic_cast<PhysicsModel10003&>(*m3).AdjustApproachSpeed(1.0f, -1.0f, 0.0f), -0.8f);
    EXPECT_EQ(dynamic_cast<PhysicsModel10003&>(*m3).AdjustApproachSpeed(1.0f, 1.0f, 0.0f), 1.0f);
    EXPECT_FLOAT_EQ(dynamic_cast<PhysicsModel10004&>(*m4).AdjustApproachSpeed(1.0f, -1.0f, 0.0f), -0.8f);
    EXPECT_EQ(dynamic_cast<PhysicsModel10004&>(*m4).TuningB8(), 2.0f);

    std::unique_ptr<PhysicsModel> mA(CreatePhysicsModel(0x1000A, 0, 3, false));
    std::unique_ptr<PhysicsModel> mF(CreatePhysicsModel(0x1000F, 0, 3, false));
    EXPECT_EQ(Bits(dynamic_cast<PhysicsModel1000A&>(*mA).TuningB16()), 0x37A7C5ACu);
    EXPECT_EQ(dynamic_cast<PhysicsModel1000A&>(*mA).TuningB14(), 1.2f);
    auto& f = dynamic_cast<PhysicsModel1000C&>(*mF);
    EXPECT_EQ(Bits(f.TuningB16()), 0x3927C5ACu);
    EXPECT_EQ(Bits(f.TuningB22()), 0x3F84DD2Fu);
    EXPECT_EQ(f.TuningB12(), 1.05f);
    EXPECT_EQ(f.TuningB15(), 1.5f);
    EXPECT_EQ(f.TuningB18(), 1.1f);
    EXPECT_EQ(f.TuningB21(), 0.1f);
    EXPECT_EQ(f.TuningB23(), 0.8f);
}

}  // namespace
}  // namespace kestrovan::test
