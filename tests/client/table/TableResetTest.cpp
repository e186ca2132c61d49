#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "QuillLib/core/ScopedLock.h"
#include "client/physics/TableGeometry.h"
#include "client/rules/TablePhysics.h"
#include "client/table/CameraController.h"
#include "client/table/CueModelEntry.h"
#include "client/table/GameTable.h"
#include "client/table/TableAim.h"
#include "client/table/TableAngles.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableCueModels.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableMessageIo.h"
#include "client/table/TableModels.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "tests/client/rules/RecordingTableSound.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::Vec3;

// A table equipped from the stock item models.
class TableResetTest : public ::testing::Test, protected test::TableFixture {
protected:
    TableResetTest() {
        stock.AddStockModels(quill::TheCuePartCatalogue());
        table->Services().itemModels = &stock;
    }
    void Pocket(uint32_t ball) {
        quill::ScopedLock hold(table->Physics().GetLock());
        table->Physics().SetBallFlag(ball, 1);
    }
    void Update() { table->Update(++time, 0, 0, false); }

    ItemModelCatalogue stock;
    test::RecordingTableSound sound;
    uint32_t time = 0;
};

TEST_F(TableResetTest, EveryGameTypeRacksOnTheBedWithoutOverlaps) {
    const quill::GameType types[] = {type::kFourBall,     type::kFourBallUnnamed, type::kOneCushionGamble,
                                     type::kThreeCushion, type::kThreeCushionPro, type::kThreeCushionGamble,
                                     type::kSixBalls,     type::kEightBall,       type::kCardBall,
                                     type::kNineBall,     type::kStraightPool,    type::kSnooker};
    for (const quill::GameType gameType : types) {
        SCOPED_TRACE(gameType);
        Equip(gameType);
        // State left over from play: modes held, a shot record, a committed local shot, pen strokes.
        table->Input().Flags().zoomKeyHeld = true;
        table->Aim().SetChalkLevel(50);
        table->Records().GetShotRecord().valid = ShotRecord::kValidFilled;
        table->Records().GetCommittedRecord().valid = ShotRecord::kValidFilled | ShotRecord::kValidLocalShot;
        table->Aim().SetSideOption(1);
        table->Input().OnKey('Z', true);

        table->Reset(12345);
        TablePhysics& physics = table->Physics();
        const uint32_t count = physics.BallCount();
        ASSERT_EQ(count, quill::GetBallCount(gameType));
        const float r = physics.BallRadius();
        const TableGeometry& bed = physics.Model()->Geometry();
        for (uint32_t i = 0; i < count; ++i) {
            const Vec3& p = physics.CachedPosition(i);
            EXPECT_EQ(physics.CachedFlag(i), 0) << i;
            EXPECT_LE(std::fabs(p.x), bed.noseMaxX - r + 1e-3f) << i;
            EXPECT_LE(std::fabs(p.y), bed.noseMaxY - r + 1e-3f) << i;
            for (uint32_t j = i + 1; j < count; ++j) {
                const Vec3 gap = p - physics.CachedPosition(j);
                EXPECT_GE(std::sqrt(gap.LengthSquared()), 2.0 * r - 0.05) << i << " " << j;
            }
        }
        EXPECT_FALSE(table->Input().Flags().zoomKeyHeld);
        EXPECT_EQ(table->Aim().ChalkLevel(), 0);
        EXPECT_EQ(table->Records().GetShotRecord().valid & ShotRecord::kValidFilled, 0u);
        EXPECT_EQ(table->Records().GetCommittedRecord().valid, 0u);
        EXPECT_EQ(table->Cameras().DefaultCameraDistance(), 350.0f);
        EXPECT_EQ(table->Cameras().DefaultCameraPitch(), 25.0f);
        EXPECT_EQ(table->Aim().Pose().aimPointX, 1000.0f);
        EXPECT_EQ(table->PensAndMarks().Pen().CurrentStroke(0), 0);
        EXPECT_EQ(table->PensAndMarks().Pen().Stroke(0, 1)->Count(), 0u);
        const bool strip = gameType >= type::kEightBall && gameType != type::kSnooker;
        EXPECT_EQ(table->HudValues().Hud().GetWidget(TableHud::kPocketStrip).IsVisible(), strip);
        EXPECT_EQ(table->Records().GetReportRecord().positions[count - 1].x, physics.CachedPosition(count - 1).x);
    }
}

TEST_F(TableResetTest, RacksFromTheSameSeedAgree) {
    Equip(type::kNineBall);
    table->Reset(777);
    std::vector<float> first;
    for (uint32_t i = 0; i < 10; ++i) {
        first.push_back(table->Physics().CachedPosition(i).x);
    }
    table->Rack().PlaceBallsSpaced();
    EXPECT_NE(table->Physics().CachedPosition(5).x, first[5]);
    table->Reset(777);
    for (uint32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(table->Physics().CachedPosition(i).x, first[i]) << i;
    }
    table->Rack().RackBalls();
    EXPECT_EQ(table->Records().GetReportRecord().valid & ShotRecord::kValidFilled, ShotRecord::kValidFilled);
}

TEST_F(TableResetTest, StraightPoolRacksAgainWithOneObjectBallLeft) {
    table->SetSound(&sound);
    Equip(type::kStraightPool);
    table->Reset(99);
    for (uint32_t ball = 1; ball <= 13; ++ball) {
        Pocket(ball);
    }
    EXPECT_FALSE(table->Rack().ReRackIfNeeded(5, false));  // two object balls left
    EXPECT_TRUE(sound.sounds.empty());
    // The last ball stays where it lies unless the new rack covers it; the cue ball too.
    table->Physics().SetBallPosition(0, -100.0f, 30.0f, table->Physics().BallRadius());
    table->Physics().SetBallPosition(15, -50.0f, -40.0f, table->Physics().BallRadius());
    Pocket(14);
    ASSERT_TRUE(table->Rack().ReRackIfNeeded(5, false));
    ASSERT_EQ(sound.SoundIds(), std::vector<uint32_t>{27});
    EXPECT_EQ(table->Physics().CachedPosition(15).x, -50.0f);
    EXPECT_EQ(table->Physics().CachedPosition(0).x, -100.0f);
    for (uint32_t ball = 1; ball < 15; ++ball) {
        EXPECT_EQ(table->Physics().CachedFlag(ball), 0) << ball;
    }
}

TEST_F(TableResetTest, PocketGamesRackAgainWhenTheTableIsEmpty) {
    table->SetSound(&sound);
    for (const quill::GameType gameType : {type::kEightBall, type::kNineBall}) {
        Equip(gameType);
        table->Reset(5);
        for (uint32_t ball = 1; ball < table->Physics().BallCount(); ++ball) {
            Pocket(ball);
        }
        table->SetState(7);
        EXPECT_FALSE(table->Rack().ReRackIfNeeded(3, false));
        EXPECT_TRUE(table->Rack().ReRackIfNeeded(3, true));
        EXPECT_EQ(table->Physics().CachedFlag(1), 0);
        table->SetState(4);
        EXPECT_FALSE(table->Rack().ReRackIfNeeded(3, false));  // the rack is full again
    }
    EXPECT_EQ(sound.SoundIds(), (std::vector<uint32_t>{27, 27}));
}

TEST_F(TableResetTest, CueBallChangesMoveTheCameraAtTheNextUpdate) {
    Equip(type::kThreeCushion);
    CameraController& controller = table->Cameras().GetCamera();
    // In the top view the index changes, the camera stays and only the refocus is marked.
    controller.SetMode(CameraController::kTopViewMode);
    table->Aim().Pose().tipOffsetX = 0.3f;
    table->Rack().SetCueBall(1, false);
    EXPECT_EQ(table->Physics().CueBall(), 1);
    EXPECT_EQ(table->Aim().Pose().tipOffsetX, 0.3f);  // the aim is the game thread's until its update
    Update();
    EXPECT_EQ(table->Aim().Pose().tipOffsetX, 0.0f);
    EXPECT_FALSE(controller.IsMoving());
    EXPECT_TRUE(table->Cameras().RefocusOnTopViewExit());

    // In the aiming view the camera turns behind the new cue ball in a second.
    controller.SetMode(CameraController::kAimingMode);
    table->Rack().SetCueBall(0, false);
    EXPECT_FALSE(controller.IsMoving());
    Update();
    EXPECT_TRUE(controller.IsMoving());
    EXPECT_EQ(controller.FramesLeft(), 199u);

    // A placed cue ball: half a second toward it, distance and pitch kept.
    controller.Stop();
    controller.ClearLookAt();
    table->Cameras().SetRefocusOnTopViewExit(false);
    table->Rack().SetBallPosition(0, 10.0f, 20.0f, table->Physics().BallRadius());
    EXPECT_EQ(table->Records().GetReportRecord().positions[0].y, 20.0f);
    Update();
    EXPECT_EQ(controller.FramesLeft(), 99u);
    EXPECT_TRUE(table->Cameras().RefocusOnTopViewExit());
    for (int i = 0; i < 120; ++i) {
        Update();
    }
    EXPECT_NEAR(cameras[1]->Target().y, 20.0f, 1e-3);

    // Another player's ball state: the camera looks at the cue ball at the next update.
    auto state = test::ReceivedMessage(quill::MessageId::TableState, test::BallStatePayload(3, 3, 40.0f, false));
    ASSERT_TRUE(table->Messages().ReadBallState(*state));
    EXPECT_FALSE(controller.IsMoving());
    Update();
    EXPECT_EQ(controller.FramesLeft(), 99u);
}

TEST_F(TableResetTest, ResetCameraAndReAim) {
    Equip(type::kThreeCushion);
    table->Rack().ResetCamera();
    EXPECT_NEAR(cameras[1]->GetDistance(), 300.0f, 1e-2);
    EXPECT_NEAR(cameras[1]->GetPitch(), 0.5236f, 1e-5);
    // Re-aim toward the ball on the aim line: the camera turns behind the cue ball.
    table->Physics().SetBallPosition(0, -40.0f, 0.0f, 3.075f);
    table->Physics().SetBallPosition(1, 40.0f, 0.0f, 3.075f);
    table->Aim().SetAimParameters(100.0f, 0.0f, 0.0f, 0.0f, 5.0f);
    table->Services().random = [] { return 50; };
    table->Rack().ReAim(0.5f, false);
    EXPECT_EQ(table->Cameras().GetCamera().FramesLeft(), 100u);
    for (int i = 0; i < 110; ++i) {
        Update();
    }
    // The yaw aims from behind at the first ball on the line (ball 2, between the two), a little off its centre
    // (rand() % 100 / 30 added to x and y).
    const float yaw = WrapDegrees(RadiansToDegrees(cameras[1]->GetYaw()));
    EXPECT_GT(yaw, 180.0f);
    EXPECT_LT(yaw, 185.0f);
}

TEST_F(TableResetTest, CueEntriesAreSharedAndFreedWithTheirLastUser) {
    CueModelEntry* stock = table->CueModels().GetCueModel(1, 0xFFFF, 0, 0, 0, 0);
    EXPECT_EQ(stock->ItemId(), 3001);
    EXPECT_FALSE(stock->IsCustom());
    EXPECT_EQ(table->CueModels().GetCueModel(3001, 0xFFFF, 7, 7, 7, 7), stock);
    EXPECT_EQ(stock->Count(), 2);
    CueModelEntry* custom = table->CueModels().GetCueModel(3100, 4, 20, 3, 3, 1);
    EXPECT_TRUE(custom->IsCustom());
    EXPECT_NE(custom, stock);
    EXPECT_EQ(table->CueModels().GetCueModel(3100, 4, 20, 3, 3, 2),
              table->CueModels().GetCueModel(3100, 4, 20, 3, 3, 2));  // tip differs
    EXPECT_EQ(table->CueModels().CueModelCount(), 3u);

    int destroyed = 0;
    auto model = std::make_unique<test::RecordingModel>(&destroyed);
    stock->SetModel(std::move(model));
    table->RenderStep().SetCurrentCue(stock);
    table->RenderStep().Render3D(false);
    table->CueModels().ReleaseCue(stock);
    EXPECT_EQ(stock->Count(), 1);
    EXPECT_EQ(destroyed, 0);
    table->CueModels().ReleaseCue(stock);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(table->RenderStep().CurrentCue(), nullptr);
    EXPECT_EQ(table->CueModels().CueModelCount(), 2u);
    table->CueModels().ReleaseCue(nullptr);

    // Unloading frees the models but keeps the entries.
    int customDestroyed = 0;
    custom->SetModel(std::make_unique<test::RecordingModel>(&customDestroyed));
    EXPECT_TRUE(table->Models().UnloadModels());
    EXPECT_EQ(customDestroyed, 1);
    EXPECT_EQ(custom->Model(), nullptr);
    EXPECT_EQ(table->CueModels().CueModelCount(), 2u);
}

}  // namespace
}  // namespace kestrovan
