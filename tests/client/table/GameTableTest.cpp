#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <chrono>
#include <future>
#include <limits>
#include <thread>
#include <vector>

#include "QuillLib/core/ScopedLock.h"
#include "client/rules/TablePhysics.h"
#include "client/table/GameTable.h"
#include "client/table/LineList.h"
#include "client/table/LinePoint.h"
#include "client/table/ParticleBurst.h"
#include "client/table/PenStrokes.h"
#include "client/table/ScreenProjection.h"
#include "client/table/TableAim.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableChalkBursts.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableMarks.h"
#include "client/table/TableMessageIo.h"
#include "client/table/TableMessages.h"
#include "client/table/TableModels.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "client/table/TableTrails.h"
#include "tests/client/rules/RecordingTableSound.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using ::testing::ElementsAre;
using quill::MessageId;
using quill::Vec3;
using test::FloatBytes;

class GameTableTest : public ::testing::Test, protected test::TableFixture {
protected:
    GameTable& Table() { return *table; }
    TablePhysics& Physics() { return table->Physics(); }
};

std::vector<uint8_t> PenPayload(uint8_t stroke, const Vec3& p) {
    std::vector<uint8_t> payload{stroke};
    test::AppendFloats(payload, {p.x, p.y, p.z});
    return payload;
}

TEST_F(GameTableTest, NewTableDefaults) {
    EXPECT_EQ(Table().State(), 4);
    EXPECT_EQ(Physics().GetTableState(), 4);
    EXPECT_EQ(Table().Equipment().GameMode(), -1);
    EXPECT_EQ(Table().Equipment().TableItemId(), 1020);
    EXPECT_EQ(Table().Equipment().BallSetItemId(), 2003);
    EXPECT_EQ(Table().Equipment().TableItemIdCopy(), 1020u);
    EXPECT_TRUE(Table().RenderStep().IsVisible());
    EXPECT_EQ(Table().Picking().HeldBall(), -1);
    EXPECT_EQ(Table().Aim().TargetBall(), -1);
    EXPECT_EQ(Table().Input().KeyMask(), -1);
    EXPECT_EQ(Table().Aim().SideOption(), 0);
    EXPECT_EQ(Table().HudValues().PowerDisplayMode(), 1);
    EXPECT_EQ(Table().Cameras().DefaultCameraDistance(), 350.0f);
    EXPECT_EQ(Table().Cameras().DefaultCameraPitch(), 25.0f);
    EXPECT_EQ(Table().Trails().BallTrail(5).BaseColour(), 0x20ffffffu);
    EXPECT_EQ(Table().Trails().BallTrail(5).FadeWindow(), 200u);
    EXPECT_EQ(Table().Trails().BallTrail(5).FadeLength(), 800u);
    EXPECT_EQ(Table().Trails().GuideLine(0).BaseColour(), 0x80ff80ffu);
    EXPECT_EQ(Table().Aim().Pose().pullBack, -3.0f);
    EXPECT_EQ(Table().HudValues().ForScreens().shortValue, 1);
    EXPECT_EQ(Table().Cameras().GetCamera().Mode(), 1u);
}

TEST_F(GameTableTest, SmallSetters) {
    Table().Aim().SetSideOption(1);
    Table().Aim().SetSideOption(2);
    EXPECT_EQ(Table().Aim().SideOption(), 2);
    Table().Aim().SetSideOption(2);
    EXPECT_EQ(Table().Aim().SideOption(), 1);
    Table().Aim().SetSideOption(0);
    Table().Aim().SetSideOption(2);
    EXPECT_EQ(Table().Aim().SideOption(), 3);

    EXPECT_EQ(Table().SetState(5), 5);
    EXPECT_EQ(Physics().GetTableState(), 5);

    Table().Aim().SetTargetBall(3);
    EXPECT_EQ(Table().Aim().TargetBall(), 3);
    EXPECT_EQ(Physics().SecondBall(), 3);
    EXPECT_FALSE(Table().Aim().TargetMode());
    Table().Aim().SetTargetMode(true);
    EXPECT_TRUE(Table().Aim().TargetMode());
    EXPECT_EQ(Table().Aim().TargetBall(), -1);

    test::RecordingModel marker;
    test::RecordingModel& cue = ShowCueModel();
    Table().RenderStep().SetMarkers(&marker, nullptr);
    Table().RenderStep().SetVisible(false);
    EXPECT_FALSE(marker.visible);
    EXPECT_FALSE(cue.visible);
    Table().RenderStep().SetVisible(true);
    EXPECT_TRUE(cue.visible);

    int destroyed = 0;
    Table().Models().SetBallModel(0, std::make_unique<test::RecordingModel>(&destroyed));
    Table().Models().SetBallModel(21, std::make_unique<test::RecordingModel>(&destroyed));
    Table().Models().ReleaseBallModels();
    EXPECT_EQ(destroyed, 2);
}

TEST(ClampTurnCode, BankCountCappedAtThree) {
    EXPECT_EQ(GameTable::ClampTurnCode(5003), 3);
    EXPECT_EQ(GameTable::ClampTurnCode(5010), 3010);
    EXPECT_EQ(GameTable::ClampTurnCode(2010), 2010);
    EXPECT_EQ(GameTable::ClampTurnCode(1), 1);
    EXPECT_EQ(GameTable::ClampTurnCode(-2), -2);
}

TEST(BallColour, ByGameType) {
    EXPECT_EQ(TableTrails::GetBallColour(type::kFourBall, 0), 0xffff00u);
    EXPECT_EQ(TableTrails::GetBallColour(type::kThreeCushion, 3), 0xff0000u);
    EXPECT_EQ(TableTrails::GetBallColour(type::kSixBalls, 2), 0x000000u);
    EXPECT_EQ(TableTrails::GetBallColour(type::kSixBalls, 5), 0x0000ffu);
    EXPECT_EQ(TableTrails::GetBallColour(type::kSnooker, 15), 0xff0000u);
    EXPECT_EQ(TableTrails::GetBallColour(type::kSnooker, 16), 0xebce00u);
    EXPECT_EQ(TableTrails::GetBallColour(type::kSnooker, 21), 0x000000u);
    EXPECT_EQ(TableTrails::GetBallColour(type::kEightBall, 8), 0x000000u);
    EXPECT_EQ(TableTrails::GetBallColour(type::kNineBall, 9), 0xffff00u);
    EXPECT_EQ(TableTrails::GetBallColour(type::kNineBall, 15), 0xc06000u);
    EXPECT_EQ(TableTrails::GetBallColour(type::kNone, 0), 0xffffffu);
    EXPECT_EQ(TableTrails::GetBallColour(type::kEightBall, 30), 0xffffffu);
}

TEST_F(GameTableTest, EquipmentDefaultsByGameMode) {
    const auto equip = [&](quill::GameType mode, uint16_t tableItem, uint16_t ballSet) {
        Table().Equipment().SetGameMode(mode);
        Table().Equipment().SetEquipmentItems(tableItem, ballSet);
        return std::vector<uint32_t>{Table().Equipment().TableItemId(), Table().Equipment().BallSetItemId()};
    };
    EXPECT_THAT(equip(type::kNineBall, 0, 0), ElementsAre(1012, 2006));
    EXPECT_THAT(equip(type::kFourBall, 1, 1), ElementsAre(1000, 2000));
    EXPECT_THAT(equip(type::kThreeCushion, 1005, 2), ElementsAre(1005, 2002));
    EXPECT_THAT(equip(type::kThreeCushion, 0, 1), ElementsAre(1003, 2001));
    EXPECT_THAT(equip(type::kSixBalls, 1, 0), ElementsAre(1, 2008));
    EXPECT_THAT(equip(type::kSnooker, 0, 0), ElementsAre(1035, 2007));
    EXPECT_THAT(equip(type::kCardBall, 0, 0), ElementsAre(0, 0));  // no defaults of its own
    EXPECT_EQ(Table().Equipment().TableItemIdCopy(), 0u);
}

TEST_F(GameTableTest, EquipmentPhysicsFromTheCatalogue) {
    Equip(type::kEightBall);
    EXPECT_EQ(Physics().TableKind(), 1);
    EXPECT_EQ(Physics().BallSetIndex(), 5u);
    EXPECT_EQ(Table().Equipment().TableItemProperty(), 1u);
    EXPECT_NEAR(Physics().GetHalfTableSize(), 31.875, 1e-6);
    EXPECT_EQ(Physics().BallCount(), 16);
    // Pockets in order from the near left corner; corner pockets lie 2.29 beyond both nose lines.
    EXPECT_FLOAT_EQ(Table().Picking().PocketPositions()[0][0], -127.5f - 2.29f);
    EXPECT_FLOAT_EQ(Table().Picking().PocketPositions()[1][0], 0.0f);
    EXPECT_FLOAT_EQ(Table().Picking().PocketPositions()[5][1], 63.75f + 2.29f);

    // A table the catalogue does not know keeps the present properties.
    Table().Equipment().SetEquipmentItems(1500, 0);
    Table().Equipment().ApplyEquipmentPhysics();
    EXPECT_EQ(Physics().TableKind(), 1);

    // The balls in a row on the pool table would not fit the same row of a snooker table's area? They do; off the
    // carom table's short ends they would not.
    EXPECT_TRUE(Table().Equipment().BallsFitTableItem(test::kSnookerTableItem));
    Physics().SetBallPosition(3, 125.0f, 0.0f, 2.86f);
    EXPECT_FALSE(Table().Equipment().BallsFitTableItem(test::kCaromTableItem));
    EXPECT_FALSE(Table().Equipment().BallsFitTableItem(4711));
}

TEST_F(GameTableTest, SnookerSetUpDrawsTheD) {
    Equip(type::kSnooker);
    const LineList& line = Table().Trails().GuideLine(1);
    ASSERT_EQ(line.Count(), 91u + 2u);
    const float unit = static_cast<float>(Physics().GetHalfTableSize());
    EXPECT_NEAR(line.PointAt(0).position.x, -2.342f * unit, 1e-4);
    EXPECT_NEAR(line.PointAt(0).position.y, 0.6569f * unit, 1e-4);
    EXPECT_NEAR(line.PointAt(45).position.x, -2.342f * unit - 0.6569f * unit, 1e-3);  // 90 degrees
    EXPECT_NEAR(line.PointAt(92).position.y, 2.0f * unit + 5.0f, 1e-4);
    EXPECT_EQ(line.PointAt(10).colour, 0xff000000u);

    // Set up again for another game: the D goes.
    Table().Equipment().SetGameMode(type::kEightBall);
    Table().Models().SetupTable(kDefaultPhysicsModelCode, 1);
    EXPECT_EQ(Table().Trails().GuideLine(1).Count(), 0u);
}

TEST_F(GameTableTest, StopShotTakesThePhysicsLockOnlyWhileAShotRuns) {
    Equip(type::kThreeCushion);
    std::atomic<bool> held{false};
    std::promise<void> release;
    std::thread holder([&] {
        quill::ScopedLock hold(Physics().GetLock());
        held = true;
        release.get_future().wait();
    });
    while (!held) {
        std::this_thread::yield();
    }
    auto stopped = std::async(std::launch::async, [&] { return Table().StopShot(); });
    const bool returned = stopped.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    release.set_value();
    holder.join();
    ASSERT_TRUE(returned);
    EXPECT_FALSE(stopped.get());

    Table().SetShotRunning(true);
    EXPECT_TRUE(Table().StopShot());
    EXPECT_FALSE(Table().IsShotRunning());
}

TEST_F(GameTableTest, ShotReportAndBallStateFromTheTable) {
    Equip(type::kThreeCushion);
    quill::Packet report;
    Table().Messages().WriteShotResultReport(report);
    report.Finish();
    EXPECT_EQ(report.Bytes().size(), 6u);  // a carom report is the turn code alone

    Physics().SetBallPosition(1, 11.0f, 12.0f, 3.275f);
    EXPECT_EQ(Table().Records().SyncReportRecord(), 3u);
    EXPECT_EQ(Table().Records().GetReportRecord().valid, ShotRecord::kValidFilled);
    quill::Packet state;
    Table().Messages().WriteBallState(state, false);
    state.Finish();
    const auto bytes = state.Bytes();
    ASSERT_EQ(bytes.size(), 4u + 89u);
    EXPECT_EQ(bytes[4] | bytes[5] << 8, 1003);
    EXPECT_EQ(bytes[6] | bytes[7] << 8, 2004);
    EXPECT_EQ(std::vector(bytes.begin() + 9 + 12, bytes.begin() + 9 + 16), FloatBytes(11.0f));

    quill::Packet placement;
    Table().Messages().WriteBallPlacement(placement, 1).Finish();
    EXPECT_EQ(placement.Bytes()[4], 1);
    EXPECT_EQ(std::vector(placement.Bytes().begin() + 9, placement.Bytes().begin() + 13), FloatBytes(12.0f));
}

TEST_F(GameTableTest, TableMarksLayoutHitsAndHostileIndices) {
    Equip(type::kThreeCushion);
    test::RecordingTableSound sound;
    Table().SetSound(&sound);
    const float unit = 30.0f;

    // Rail marks 0 and 23, and index 150 that no rail layout has.
    auto rails = test::ReceivedMessage(MessageId::TableStateSync, {1, 3, 0, 0, 23, 0, 150, 0});
    ASSERT_TRUE(Table().PensAndMarks().ReadTableMarks(*rails));
    const TableMarks& marks = Table().PensAndMarks().Marks();
    EXPECT_TRUE(marks.IsShown());
    EXPECT_EQ(marks.LaidOutCount(), 24u);
    EXPECT_TRUE(marks.IsMarked(0));
    EXPECT_TRUE(marks.IsMarked(23));
    EXPECT_FALSE(marks.IsMarked(150));
    EXPECT_FLOAT_EQ(marks.PointAt(0).x, -3.0f * unit);
    EXPECT_FLOAT_EQ(marks.PointAt(0).y, -(2.0f * unit + 5.0f));
    EXPECT_FLOAT_EQ(marks.PointAt(23).x, 4.0f * unit + 5.0f);
    EXPECT_FLOAT_EQ(marks.PointAt(23).y, 2.0f * unit);
    EXPECT_FLOAT_EQ(marks.PointAt(23).z, 7.0f);

    // A ball at a squared distance of exactly 120 from mark 3 (at (0, -65)) leaves it; a hair closer clears it.
    const Vec3 mark3 = marks.PointAt(3);
    ASSERT_EQ(mark3.x, 0.0f);
    // Offsets (x, dy) whose squared distance, computed as the table computes it, is exactly 120.
    float onLimit = 0.0f;
    float across = 0.0f;
    for (int dy = 0; dy < 10 && onLimit == 0.0f; ++dy) {
        const auto y2 = static_cast<float>(dy * dy);
        float x = std::sqrt(120.0f - y2);
        for (int step = 0; step < 100; ++step) {
            x = std::nextafter(x, 20.0f);
        }
        for (int step = 0; step < 200 && onLimit == 0.0f; ++step, x = std::nextafter(x, 0.0f)) {
            if (x * x + y2 == 120.0f) {
                onLimit = x;
                across = static_cast<float>(dy);
            }
        }
    }
    ASSERT_NE(onLimit, 0.0f);
    auto withThree = test::ReceivedMessage(MessageId::TableStateSync, {1, 3, 0, 0, 3, 0, 23, 0});
    ASSERT_TRUE(Table().PensAndMarks().ReadTableMarks(*withThree));
    Physics().SetBallPosition(0, onLimit, mark3.y - across, 3.275f);
    Table().PensAndMarks().CheckMarkHits();
    EXPECT_TRUE(marks.IsMarked(3));
    EXPECT_TRUE(sound.sounds.empty());
    Physics().SetBallPosition(0, std::nextafter(onLimit, 0.0f), mark3.y - across, 3.275f);
    Table().PensAndMarks().CheckMarkHits();
    EXPECT_FALSE(marks.IsMarked(3));
    EXPECT_TRUE(marks.IsMarked(0));
    EXPECT_TRUE(marks.IsMarked(23));
    EXPECT_THAT(sound.SoundIds(), ElementsAre(33u));
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0].id, 1086u);
    EXPECT_EQ(host.events[0].wParam, 3u);

    // The grid: 128 cells; cell 16r + c sits at ((c - 7.5) H/2, (r - 3.5) H/2, 2).
    auto grid = test::ReceivedMessage(MessageId::TableStateSync, {0, 2, 17, 0, 130, 0});
    ASSERT_TRUE(Table().PensAndMarks().ReadTableMarks(*grid));
    EXPECT_TRUE(marks.IsMarked(17));
    EXPECT_FALSE(marks.IsMarked(130));
    EXPECT_FLOAT_EQ(marks.PointAt(17).x, (1.0f - 7.5f) * unit * 0.5f);
    EXPECT_FLOAT_EQ(marks.PointAt(17).y, (1.0f - 3.5f) * unit * 0.5f);

    // A negative count reads nothing; a payload that stops early changes nothing.
    auto negative = test::ReceivedMessage(MessageId::TableStateSync, {0, 0xFF, 17, 0});
    ASSERT_TRUE(Table().PensAndMarks().ReadTableMarks(*negative));
    EXPECT_FALSE(marks.IsMarked(17));
    auto again = test::ReceivedMessage(MessageId::TableStateSync, {0, 1, 5, 0});
    ASSERT_TRUE(Table().PensAndMarks().ReadTableMarks(*again));
    auto truncated = test::ReceivedMessage(MessageId::TableStateSync, {1, 2, 0, 0});
    EXPECT_FALSE(Table().PensAndMarks().ReadTableMarks(*truncated));
    EXPECT_TRUE(marks.IsMarked(5));
    EXPECT_EQ(marks.LaidOutCount(), 128u);

    // Every frame's update clears the marks the ball has reached.
    const Vec3 cell5 = marks.PointAt(5);
    Physics().SetBallPosition(0, cell5.x, cell5.y, 3.275f);
    Table().Update(0, 0, 0, false);
    EXPECT_FALSE(marks.IsMarked(5));
    EXPECT_THAT(sound.SoundIds(), ElementsAre(33u, 33u));
    ASSERT_EQ(host.events.size(), 2u);
    EXPECT_EQ(host.events[1].wParam, 5u);

    // A new rack takes the marks away.
    Table().Rack().ResetShotToState7(1);
    EXPECT_FALSE(marks.IsShown());
    EXPECT_FALSE(marks.IsMarked(5));
}

TEST_F(GameTableTest, PenPointsAreDrawnClampedAndSent) {
    Equip(type::kThreeCushion);
    const float radius = Physics().BallRadius();
    // The cursor over a point of the bed.
    quill::Matrix4 viewProjection;
    quill::Matrix4 projection;
    cameras[1]->GetViewProjectionMatrix(viewProjection);
    cameras[1]->GetProjectionMatrix(projection);
    const ScreenProjection screen(viewProjection, projection.m[0], 1024, 768);
    const ScreenPoint onBed = screen.Project({40.0f, 20.0f, radius});
    Table().PensAndMarks().AddPenPoint(2, static_cast<int32_t>(onBed.x), static_cast<int32_t>(onBed.y));
    const LineList* stroke = Table().PensAndMarks().Pen().Stroke(2, 0);
    ASSERT_EQ(stroke->Count(), 1u);
    const LinePoint drawn = stroke->PointAt(0);
    EXPECT_NEAR(drawn.position.x, 40.0f, 1.5f);
    EXPECT_NEAR(drawn.position.y, 20.0f, 1.5f);
    EXPECT_EQ(drawn.position.z, radius);
    EXPECT_EQ(drawn.colour, 0xaaffffffu);

    ASSERT_EQ(connection.sent.size(), 1u);
    std::vector<uint8_t> expected{17, 0, 0xD3, 0x04};
    const auto payload = PenPayload(0, drawn.position);
    expected.insert(expected.end(), payload.begin(), payload.end());
    EXPECT_EQ(connection.sent[0], expected);
    EXPECT_EQ(connection.freed, 1);

    // Off the bed: lifted by 4 and kept within 20 of the bed's edge.
    const ScreenPoint offBed = screen.Project({200.0f, 20.0f, radius});
    Table().PensAndMarks().AddPenPoint(2, static_cast<int32_t>(offBed.x), static_cast<int32_t>(offBed.y));
    const LinePoint lifted = stroke->PointAt(1);
    EXPECT_EQ(lifted.position.x, 4.0f * 30.0f + 20.0f);
    EXPECT_EQ(lifted.position.z, radius + 4.0f);

    // No packet to be had: the point is drawn, nothing is sent.
    connection.emptyPool = true;
    Table().PensAndMarks().AddPenPoint(2, static_cast<int32_t>(onBed.x), static_cast<int32_t>(onBed.y));
    EXPECT_EQ(stroke->Count(), 3u);
    EXPECT_EQ(connection.sent.size(), 2u);

    // A local slot out of range draws and sends nothing.
    Table().PensAndMarks().AddPenPoint(8, 100, 100);
    EXPECT_EQ(connection.sent.size(), 2u);
}

TEST_F(GameTableTest, RemotePenPointsStayInsideTheTable) {
    Equip(type::kThreeCushion);
    const Vec3 point{10.0f, -5.0f, 3.275f};
    int32_t x = -1;
    int32_t y = -1;
    auto valid = test::ReceivedMessage(MessageId::TableEvent, PenPayload(7, point));
    ASSERT_TRUE(Table().PensAndMarks().ReceivePenPoint(3, *valid, &x, &y));
    EXPECT_EQ(Table().PensAndMarks().Pen().CurrentStroke(3), 7);
    EXPECT_EQ(Table().PensAndMarks().Pen().Stroke(3, 7)->Count(), 1u);
    quill::Matrix4 viewProjection;
    cameras[1]->GetViewProjectionMatrix(viewProjection);
    const ScreenPoint expected = ScreenProjection(viewProjection, 1.0f, 1024, 768).Project(point);
    EXPECT_EQ(x, static_cast<int32_t>(expected.x));
    EXPECT_EQ(y, static_cast<int32_t>(expected.y));

    // Slots and strokes outside the table's 8 x 50, and a payload cut short, change nothing.
    const std::vector<std::pair<int8_t, uint8_t>> hostile{{8, 0}, {-1, 0}, {0, 50}, {0, 255}, {127, 49}};
    for (const auto& [slot, stroke] : hostile) {
        auto message = test::ReceivedMessage(MessageId::TableEvent, PenPayload(stroke, point));
        x = y = -1;
        EXPECT_FALSE(Table().PensAndMarks().ReceivePenPoint(slot, *message, &x, &y));
        EXPECT_EQ(x, -1);
    }
    auto cut = test::ReceivedMessage(MessageId::TableEvent, {1, 0, 0, 0});
    EXPECT_FALSE(Table().PensAndMarks().ReceivePenPoint(0, *cut, &x, &y));
    uint32_t points = 0;
    for (int32_t slot = 0; slot < PenStrokes::kSlotCount; ++slot) {
        for (int32_t stroke = 0; stroke < PenStrokes::kStrokesPerSlot; ++stroke) {
            points += Table().PensAndMarks().Pen().Stroke(slot, stroke)->Count();
        }
    }
    EXPECT_EQ(points, 1u);
    EXPECT_EQ(Table().PensAndMarks().Pen().CurrentStroke(0), 0);

    Table().PensAndMarks().ClearPenStrokes();
    EXPECT_EQ(Table().PensAndMarks().Pen().Stroke(3, 7)->Count(), 0u);
    EXPECT_EQ(Table().PensAndMarks().Pen().CurrentStroke(3), 0);
}

TEST_F(GameTableTest, BallStateFromAPeerIsBoundedByTheTable) {
    Equip(type::kEightBall);
    // 30 balls for a 16-ball table: the first 16 are applied, the rest read and skipped.
    auto many = test::ReceivedMessage(MessageId::TableState, test::BallStatePayload(30, 30, 100.0f, true));
    ASSERT_TRUE(Table().Messages().ReadBallState(*many));
    EXPECT_EQ(Physics().CachedPosition(15).x, 115.0f);
    EXPECT_EQ(Physics().CachedFlag(15), 15);
    EXPECT_EQ(Physics().CachedPosition(16).x, 0.0f);  // beyond the ball set: untouched
    EXPECT_EQ(Table().Records().GetReportRecord().positions[15].x, 115.0f);

    // Fewer balls than the table has: the others stay.
    auto few = test::ReceivedMessage(MessageId::TableState, test::BallStatePayload(2, 2, 200.0f, true));
    ASSERT_TRUE(Table().Messages().ReadBallState(*few));
    EXPECT_EQ(Physics().CachedPosition(1).x, 201.0f);
    EXPECT_EQ(Physics().CachedPosition(2).x, 102.0f);

    // Cut short: nothing moves.
    std::vector<uint8_t> payload = test::BallStatePayload(16, 16, 300.0f, true);
    payload.pop_back();
    auto cut = test::ReceivedMessage(MessageId::TableState, payload);
    EXPECT_FALSE(Table().Messages().ReadBallState(*cut));
    EXPECT_EQ(Physics().CachedPosition(0).x, 200.0f);
}

TEST_F(GameTableTest, RelayedShotFillsTheRecord) {
    Equip(type::kThreeCushion);
    ShotRecord sent;
    sent.positions[0] = {10.0f, 0.0f, 3.275f};
    sent.positions[1] = {20.0f, 5.0f, 3.275f};
    sent.chalkItemId = 4901;
    sent.power = 0.6f;
    sent.aimPointX = 10.0f;
    sent.aimPointY = 100.0f;
    sent.tipOffsetY = -0.25f;
    sent.paramC = 12.0f;
    quill::Packet packet;
    // Five balls sent to a 3-ball table.
    TableMessages::WriteShot(packet, sent, 5);
    packet.Finish();
    auto received = test::Received(packet.Bytes());
    ASSERT_TRUE(Table().Messages().ReadShot(*received));
    const ShotRecord& record = Table().Records().GetShotRecord();
    EXPECT_EQ(record.version, 2966u);
    EXPECT_EQ(record.ballCount, 3);
    EXPECT_EQ(record.gameMode, 3);
    EXPECT_EQ(record.ballSetItemId, 2004);
    EXPECT_EQ(record.chalkItemId, 4901);
    EXPECT_EQ(record.power, 0.6f);
    EXPECT_EQ(Physics().CachedPosition(1).x, 20.0f);
    EXPECT_EQ(record.positions[1].y, 5.0f);
    // The aim is the game thread's: it takes the stroke at the next update.
    EXPECT_EQ(Table().Aim().Pose().elevation, CameraState::kDefaultElevation);
    Table().Update(0, 0, 0, false);
    EXPECT_NEAR(Table().Aim().Pose().aimYaw, 90.0f, 1e-4);  // from the cue ball at (10, 0) toward (10, 100)
    EXPECT_EQ(Table().Aim().Pose().tipOffsetY, -0.25f);
    EXPECT_EQ(Table().Aim().Pose().elevation, 12.0f);

    auto cut = test::ReceivedMessage(MessageId::Shot, {1, 0, 0});
    EXPECT_FALSE(Table().Messages().ReadShot(*cut));
    EXPECT_EQ(Table().Records().GetShotRecord().power, 0.6f);
}

TEST_F(GameTableTest, LoadedShotIsBoundedByTheTable) {
    Equip(type::kThreeCushion);
    test::RecordingModel& cue = ShowCueModel();
    Table().RenderStep().SetVisible(false);
    ShotData data;
    data.gameMode = 3;
    data.ballCount = 200;  // from a text; the table has 3 balls
    data.cueBallIndex = 40;
    data.power = 0.7f;
    data.aimPointX = 100.0f;
    for (uint32_t i = 0; i < quill::kMaxBalls; ++i) {
        data.positions[i] = {static_cast<float>(i) * 10.0f, 0.0f, 3.275f};
    }
    Table().LoadShotRecord(data);
    const ShotRecord& record = Table().Records().GetShotRecord();
    EXPECT_EQ(record.valid, ShotRecord::kValidFilled);
    EXPECT_EQ(record.version, 2966u);
    EXPECT_EQ(record.physicsModelCode, kDefaultPhysicsModelCode);
    EXPECT_EQ(record.ballCount, 3);
    EXPECT_EQ(record.powerCap, 0.0f);
    EXPECT_EQ(Physics().CachedPosition(2).x, 20.0f);
    EXPECT_EQ(Physics().CueBall(), 0);
    EXPECT_TRUE(Table().RenderStep().IsVisible());
    EXPECT_TRUE(cue.visible);
    EXPECT_EQ(Table().Aim().Pose().pullBack, -3.0f);
    EXPECT_NEAR(Table().Aim().Pose().aimYaw, 0.0f, 1e-4);
}

TEST_F(GameTableTest, RestoredRecordsKeepCaromFlags) {
    Equip(type::kThreeCushion);
    Physics().SetBallFlag(2, 1);
    ShotRecord record;
    record.gameMode = 3;
    record.cueBallIndex = 1;
    record.positions[2] = {50.0f, 10.0f, 3.275f};
    Table().RestoreShotRecord(record);
    EXPECT_EQ(Physics().CachedFlag(2), 1);
    EXPECT_EQ(Physics().CachedPosition(2).x, 50.0f);
    EXPECT_EQ(Physics().CueBall(), 1);

    record.gameMode = 10;
    Table().RestoreShotRecord(record);
    EXPECT_EQ(Physics().CachedFlag(2), 0);

    // Balls moved since are put back where the record has them.
    Physics().SetBallPosition(2, -70.0f, 0.0f, 3.275f);
    Table().RenderStep().SetVisible(false);
    Table().ResetBallsFromShotRecord();
    EXPECT_EQ(Physics().CachedPosition(2).x, 50.0f);
    EXPECT_TRUE(Table().RenderStep().IsVisible());
}

TEST_F(GameTableTest, ResetToState7) {
    Equip(type::kThreeCushion);
    test::RecordingModel& cue = ShowCueModel();
    cue.visible = false;
    Table().Picking().SetPlacementArea(1);
    Table().Rack().SetCueBallIndex(2);
    Table().Rack().ResetShotToState7(1234);
    EXPECT_EQ(Table().State(), 7);
    EXPECT_EQ(Physics().GetTableState(), 7);
    EXPECT_EQ(Table().Picking().PlacementArea(), 0);
    EXPECT_EQ(Physics().CueBall(), 0);
    EXPECT_EQ(Physics().SecondBall(), -1);
    EXPECT_TRUE(cue.visible);
}

TEST_F(GameTableTest, ChalkBurstsByChalkItem) {
    auto first = std::make_unique<ParticleBurst>(nullptr);
    auto third = std::make_unique<ParticleBurst>(nullptr);
    const ParticleBurst* firstBurst = first.get();
    const ParticleBurst* thirdBurst = third.get();
    Table().ChalkBursts().SetChalkBurst(0, std::move(first));
    Table().ChalkBursts().SetChalkBurst(2, std::move(third));
    EXPECT_EQ(Table().ChalkBursts().SelectChalkBurst(4901), firstBurst);
    EXPECT_EQ(Table().ChalkBursts().SelectChalkBurst(4902), nullptr);
    EXPECT_EQ(Table().ChalkBursts().SelectChalkBurst(4903), thirdBurst);
    Table().ChalkBursts().SetChalkBurst(2, nullptr);
    EXPECT_EQ(Table().ChalkBursts().CurrentChalkBurst(), nullptr);

    auto owned = std::make_unique<test::RecordingModel>();
    test::RecordingModel& model = *owned;
    Table().Ambient().Install(std::move(owned), [] { return 0; });
    EXPECT_FALSE(model.visible);
    Table().RenderStep().SetVisible(false);
    Table().StartAmbientEffect(10);
    EXPECT_FALSE(model.visible);
    Table().RenderStep().SetVisible(true);
    Table().StartAmbientEffect(20);
    EXPECT_TRUE(model.visible);
    EXPECT_EQ(Table().Ambient().GetAmbientEffect()->lastTime, 20u);
}

}  // namespace
}  // namespace kestrovan
