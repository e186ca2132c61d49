#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

#include "client/rules/TablePhysics.h"
#include "client/table/GameTable.h"
#include "client/table/TableAim.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEvents.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableMessageIo.h"
#include "client/table/TableMessages.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "client/table/TableTrails.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"
#include "tests/support/common/LogCapture.h"
#include "tests/support/table/CentreShot.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
namespace Vk = platform::Vk;
namespace Msg = platform::Msg;
using quill::Vec3;

constexpr uint32_t kFrame = 100;  // 10 ms of the table's clock
constexpr int kMaxFrames = 200000;

// Every ball's position and orientation as bits, for exact comparisons between tables.
std::vector<uint32_t> BallBits(TablePhysics& physics) {
    std::vector<uint32_t> bits;
    for (uint32_t i = 0; i < physics.BallCount(); ++i) {
        const Vec3& p = physics.CachedPosition(i);
        const quill::Quaternion& q = physics.CachedOrientation(i);
        for (float v : {p.x, p.y, p.z, q.x, q.y, q.z, q.w}) {
            bits.push_back(std::bit_cast<uint32_t>(v));
        }
    }
    return bits;
}

// A three-cushion table in the judged state, its balls in a row, the local player allowed to shoot.
class ShotTable : public test::TableFixture {
public:
    ShotTable() {
        Equip(type::kThreeCushion);
        table->SetState(7);
        table->Turn().SetControlEnabled(true);
        table->Services().random = [] { return 17; };
        table->Aim().SetAimParameters(200.0f, 12.0f, 0.0f, 0.0f, 5.0f);
    }

    // One update of the game thread after a frame's mouse motion.
    void Frame(int32_t dy) {
        time += kFrame;
        table->Update(time, 0, dy, false);
    }
    void Frames(int count, int32_t dy) {
        for (int i = 0; i < count; ++i) {
            Frame(dy);
        }
    }
    void Key(int virtualKey, bool down) {
        if (down) {
            host.keysDown.insert(virtualKey);
        } else {
            host.keysDown.erase(virtualKey);
        }
        table->Input().HandleInput(down ? Msg::KeyDown : Msg::KeyUp, static_cast<platform::WParam>(virtualKey), 0);
    }
    // Ctrl, the cue drawn back, a pause, pushed through the ball and followed through: the committed shot.
    void PlayStroke() {
        Key(Vk::Control, true);
        Frames(10, 12);
        Frames(3, 0);
        for (int i = 0; i < 200 && !table->IsShotRunning(); ++i) {
            Frame(-25);
        }
        Key(Vk::Control, false);
    }
    // Updates until the table reports that the balls stopped; the number of frames.
    int RunUntilStopped() {
        for (int frames = 1; frames < kMaxFrames; ++frames) {
            Frame(0);
            if (!host.events.empty() && host.events.back().id == quill::AppEventId::BallsStopped) {
                return frames;
            }
        }
        return -1;
    }
    std::vector<uint8_t> ShotBytes() {
        quill::Packet packet;
        table->Messages().WriteShot(packet);
        packet.Finish();
        const auto bytes = packet.Bytes();
        return {bytes.begin(), bytes.end()};
    }

    uint32_t time = 10000;
};

class ShotFlowTest : public ::testing::Test, protected ShotTable {};

TEST_F(ShotFlowTest, KeysAndStrokeCommitTheShot) {
    table->Aim().SetChalkLevel(60);
    player.chalkId = 4901;
    PlayStroke();
    ASSERT_TRUE(table->IsShotRunning());
    EXPECT_FALSE(table->Input().Flags().strokeKeyHeld);
    EXPECT_FALSE(table->Input().Flags().strokeFinishing);
    EXPECT_FALSE(table->Turn().IsControlEnabled());
    EXPECT_FALSE(table->RenderStep().IsVisible());
    // The mouse speed was taken away while Ctrl was down and given back at the strike.
    EXPECT_EQ(host.mouseSpeed, (MouseSpeed{6, 10, 1}));

    const ShotRecord& shot = table->Records().GetShotRecord();
    const ShotRecord& committed = table->Records().GetCommittedRecord();
    EXPECT_GT(shot.power, 0.0f);
    EXPECT_EQ(shot.paramG, table->Aim().Stroke().Deviation());
    EXPECT_EQ(shot.version, 2966u);
    EXPECT_EQ(shot.gameMode, 3);
    EXPECT_EQ(shot.ballCount, 3);
    EXPECT_EQ(shot.chalkItemId, 4901);
    EXPECT_EQ(shot.chalkValue, 60);
    EXPECT_EQ(shot.cuePartIds[0], 0xFFFF);
    EXPECT_EQ(committed.power, shot.power);
    EXPECT_NE(committed.valid & ShotRecord::kValidState7, 0u);
    // The local flag is spent by the shot start.
    EXPECT_EQ(committed.valid & ShotRecord::kValidLocalShot, 0u);

    // ShotFired with the power in percent, once; the chalk the shot took is charged.
    ASSERT_EQ(host.CountEvents(quill::AppEventId::ShotFired), 1);
    const auto fired = std::find_if(host.events.begin(), host.events.end(),
                                    [](const test::PostedEvent& e) { return e.id == quill::AppEventId::ShotFired; });
    EXPECT_EQ(fired->wParam, static_cast<uint32_t>(shot.power * 100.0f));
    EXPECT_GE(shot.chalkUsed, 7);
    EXPECT_EQ(table->Aim().ChalkLevel(), std::max(60 - shot.chalkUsed, 0));
    EXPECT_GT(table->ShotCost(), 0);

    // The Shot message the room sends: three start positions, the chalk and the fifteen stroke values.
    const std::vector<uint8_t> bytes = ShotBytes();
    ASSERT_EQ(bytes.size(), 4u + 64u + 12u * 3u);
    EXPECT_EQ(bytes[2] | bytes[3] << 8, 1204);
    EXPECT_EQ(bytes[4], 3);
    auto received = test::Received(bytes);
    ShotRecord read;
    uint8_t sent = 0;
    ASSERT_TRUE(TableMessages::ReadShot(*received, read, sent));
    EXPECT_EQ(read.power, shot.power);
    EXPECT_EQ(read.paramG, shot.paramG);
    EXPECT_EQ(read.positions[2].x, shot.positions[2].x);
    EXPECT_EQ(read.aimPointX, shot.aimPointX);
}

// The motion the main thread hands over ahead of a release is input alone: the push it carries strikes as a
// frame's would, but it steps no running shot, whose steps stay the game thread's frames.
TEST_F(ShotFlowTest, MotionHandedOverAheadOfAReleaseStrokesButStepsNoShot) {
    Key(Vk::Control, true);
    Frames(10, 12);
    Frames(3, 0);
    table->TakeMouseInput(time, 0, -250);  // the push, taken with Ctrl's key-up
    Key(Vk::Control, false);
    EXPECT_TRUE(table->Input().Flags().strokeFinishing) << "the push handed over did not strike";
    Frames(5, 0);
    ASSERT_TRUE(table->IsShotRunning());
    Frame(0);
    const std::vector<uint32_t> running = BallBits(table->Physics());
    for (int i = 0; i < 5; ++i) table->TakeMouseInput(time, 3, -40);
    EXPECT_EQ(BallBits(table->Physics()), running) << "a motion handed over stepped the shot";
    Frame(0);
    EXPECT_NE(BallBits(table->Physics()), running);
}

TEST_F(ShotFlowTest, ShotRunsToRestWithTheRefereesResult) {
    PlayStroke();
    ASSERT_TRUE(table->IsShotRunning());
    const int frames = RunUntilStopped();
    ASSERT_GT(frames, 0);
    EXPECT_FALSE(table->IsShotRunning());
    // The cue ball left a trail while it ran.
    EXPECT_GT(table->Trails().BallTrail(0).Count(), 1u);
    // The report record holds the resting balls.
    EXPECT_EQ(table->Records().GetReportRecord().positions[1].x, table->Physics().CachedPosition(1).x);
    const int32_t result = table->Physics().AnnounceShot(0);
    EXPECT_GE(result, -1);
    EXPECT_LE(result, 1);
    quill::Packet report;
    table->Messages().WriteShotResultReport(report);
    report.Finish();
    EXPECT_EQ(report.Bytes().size(), 6u);  // a carom game reports the turn code alone
}

TEST_F(ShotFlowTest, TablesFedTheSameShotEndBitIdentical) {
    PlayStroke();
    const std::vector<uint8_t> message = ShotBytes();
    ASSERT_GT(RunUntilStopped(), 0);
    const std::vector<uint32_t> shooter = BallBits(table->Physics());

    std::vector<std::vector<uint32_t>> watchers;
    for (int i = 0; i < 2; ++i) {
        ShotTable watcher;
        auto packet = test::Received(message);
        ASSERT_TRUE(watcher.table->Messages().ReadShot(*packet));
        watcher.table->StartShot(2, false);
        watcher.Frame(0);
        EXPECT_TRUE(watcher.table->IsShotPending());  // the cue swings first
        EXPECT_FALSE(watcher.table->IsShotRunning());
        ASSERT_GT(watcher.RunUntilStopped(), 0);
        EXPECT_EQ(watcher.host.CountEvents(quill::AppEventId::ShotFired), 0);
        watchers.push_back(BallBits(watcher.table->Physics()));
    }
    EXPECT_EQ(watchers[0], watchers[1]);
    EXPECT_EQ(watchers[0], shooter);
}

TEST_F(ShotFlowTest, ARelayedShotAfterALocalOneIsNotChargedAgain) {
    table->Aim().SetChalkLevel(60);
    player.chalkId = 4901;
    PlayStroke();
    ASSERT_GT(RunUntilStopped(), 0);
    const std::vector<uint8_t> message = ShotBytes();
    const int32_t chalk = table->Aim().ChalkLevel();
    host.events.clear();

    // The next shot is another player's, relayed: no ShotFired, no chalk, no cost.
    auto packet = test::Received(message);
    ASSERT_TRUE(table->Messages().ReadShot(*packet));
    table->StartShot(2, false);
    ASSERT_GT(RunUntilStopped(), 0);
    EXPECT_EQ(host.CountEvents(quill::AppEventId::ShotFired), 0);
    EXPECT_EQ(table->Aim().ChalkLevel(), chalk);
    EXPECT_EQ(table->ShotCost(), 0);
}

// Another player's Shot and a stored text play their power within 0..1 and their deviation within -1..1 (a value
// that is no number as 0), with a warning: the gauge's bars and the power label stay on the screen.
TEST_F(ShotFlowTest, AShotFromOutsidePlaysItsPowerAndDeviationWithinRange) {
    quill::test::LogCapture log;
    std::vector<uint8_t> payload{0, 0, 0, 0};
    test::AppendFloats(payload, {1.0f, -1e30f, 1e30f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                                 0.0f});
    ASSERT_TRUE(table->Messages().ReadShot(*test::ReceivedMessage(quill::MessageId::Shot, payload)));
    EXPECT_EQ(table->Records().GetShotRecord().power, 0.0f);
    EXPECT_EQ(table->Records().GetShotRecord().paramG, 1.0f);
    EXPECT_TRUE(log.Contains("WARNING: the power or deviation of a Shot message lay outside its range"));
    table->StartShot(0, false);
    EXPECT_EQ(test::HudPlace(table->HudValues().Hud(), TableHud::kPowerLabel).top, 181);
    table->StopShot();

    ShotData text;
    text.ballCount = 3;
    text.power = 1e30f;
    text.paramG = std::nanf("");
    table->LoadShotRecord(text);
    EXPECT_EQ(table->Records().GetShotRecord().power, 1.0f);
    EXPECT_EQ(table->Records().GetShotRecord().paramG, 0.0f);
    EXPECT_TRUE(log.Contains("WARNING: the power or deviation of a shot text lay outside its range"));
    table->StartShot(0, false);
    EXPECT_EQ(test::HudText(table->HudValues().Hud(), TableHud::kPowerLabel), u"100.0%");
    EXPECT_EQ(test::HudPlace(table->HudValues().Hud(), TableHud::kPowerLabel).top, 61);
}

TEST_F(ShotFlowTest, TheFirstShotAfterAResetRuns) {
    table->Reset(3);
    table->Turn().SetControlEnabled(true);
    table->Aim().SetAimParameters(0.0f, 0.0f, 0.0f, 0.0f, 5.0f);
    PlayStroke();
    ASSERT_TRUE(table->IsShotRunning());
    Frames(5, 0);
    EXPECT_TRUE(table->IsShotRunning());
    // Reset while a shot runs stops it; the shot after it runs again.
    table->Reset(3);
    EXPECT_FALSE(table->IsShotRunning());
    const std::vector<uint32_t> rest = BallBits(table->Physics());
    Frames(3, 0);
    EXPECT_EQ(BallBits(table->Physics()), rest);
    table->Turn().SetControlEnabled(true);
    table->Aim().SetAimParameters(0.0f, 0.0f, 0.0f, 0.0f, 5.0f);
    PlayStroke();
    Frames(5, 0);
    EXPECT_TRUE(table->IsShotRunning());
    // So does one after a stopped shot.
    EXPECT_TRUE(table->StopShot());
    table->Turn().SetControlEnabled(true);
    PlayStroke();
    Frames(5, 0);
    EXPECT_TRUE(table->IsShotRunning());
}

TEST_F(ShotFlowTest, ShotStartShowsThePowerAndState6StaysQuiet) {
    ShotRecord& record = table->Records().GetShotRecord();
    record.power = 1.0f;
    record.powerCap = 1.0f;
    record.aimPointX = 100.0f;
    table->StartShot(0, false);
    EXPECT_EQ(test::HudPlace(table->HudValues().Hud(), TableHud::kPowerLabel).top, 61);
    EXPECT_EQ(test::HudText(table->HudValues().Hud(), TableHud::kPowerLabel), u"100.0%");
    EXPECT_TRUE(table->HudValues().Hud().GetWidget(TableHud::kPowerLabel).IsVisible());
    table->StopShot();

    record.power = 0.5f;
    table->StartShot(0, false);
    EXPECT_EQ(test::HudPlace(table->HudValues().Hud(), TableHud::kPowerLabel).top, 121);
    EXPECT_EQ(test::HudText(table->HudValues().Hud(), TableHud::kPowerLabel), u"50.0%");
    table->StopShot();

    // A local shot in the slow watching state: no ShotFired; the cue swings first and the camera stays.
    table->SetState(6);
    host.events.clear();
    test::PlayCentreShot(*table);
    EXPECT_FALSE(table->IsShotRunning());
    const float distance = table->Cameras().GetCamera().GetCamera(1)->GetDistance();
    for (int i = 0; i < 400 && !table->IsShotRunning(); ++i) {
        Frame(0);
    }
    EXPECT_TRUE(table->IsShotRunning());
    EXPECT_EQ(table->Cameras().GetCamera().GetCamera(1)->GetDistance(), distance);
    EXPECT_EQ(host.CountEvents(quill::AppEventId::ShotFired), 0);
}

TEST_F(ShotFlowTest, WatchingStateGrowsTrailsSlowlyAndReportsNothing) {
    table->SetState(6);
    ShotRecord& record = table->Records().GetShotRecord();
    record.aimPointX = 100.0f;
    record.power = 0.9f;
    record.powerCap = 1.0f;
    table->StartShot(0, false);
    Frames(20, 0);
    // Ten frames apart: the first point and at most one more per ten frames.
    EXPECT_LE(table->Trails().BallTrail(0).Count(), 3u);
    EXPECT_GE(table->Trails().BallTrail(0).Count(), 1u);
    for (int i = 0; i < kMaxFrames && table->IsShotRunning(); ++i) {
        Frame(0);
    }
    EXPECT_FALSE(table->IsShotRunning());
    EXPECT_EQ(host.CountEvents(quill::AppEventId::BallsStopped), 0);
}

TEST(ShotFlow, APocketedCueBallIsBackOnTheTableBeforeTheShotEnds) {
    ShotTable pool;
    pool.Equip(type::kEightBall);
    pool.table->SetState(4);
    TablePhysics& physics = pool.table->Physics();
    const TableGeometry& bed = physics.Model()->Geometry();
    const float r = physics.BallRadius();
    physics.SetBallPosition(0, bed.noseMaxX - 20.0f, bed.noseMaxY - 20.0f, r);
    ShotRecord& record = pool.table->Records().GetShotRecord();
    record.aimPointX = bed.noseMaxX + bed.cornerPocketOffset;
    record.aimPointY = bed.noseMaxY + bed.cornerPocketOffset;
    record.power = 0.6f;
    record.powerCap = 1.0f;
    record.startParamA = 0.65f;
    record.startParamB = 3.0f;
    pool.table->StartShot(0, false);
    bool pocketed = false;
    int frames = 0;
    for (; frames < kMaxFrames && pool.host.CountEvents(quill::AppEventId::BallsStopped) == 0; ++frames) {
        pool.Frame(0);
        const Vec3& cue = physics.CachedPosition(0);
        pocketed = pocketed || physics.CachedFlag(0) != 0 || std::fabs(cue.x) > bed.noseMaxX ||
                   std::fabs(cue.y) > bed.noseMaxY || cue.z < 0.0f;
    }
    ASSERT_LT(frames, kMaxFrames);
    EXPECT_TRUE(pocketed);
    // Reported once, with the cue ball on the head spot again.
    EXPECT_EQ(physics.CachedFlag(0), 0);
    EXPECT_FLOAT_EQ(physics.CachedPosition(0).x, -bed.noseMaxX / 2.0f);
    EXPECT_EQ(physics.CachedPosition(0).y, 0.0f);
    EXPECT_EQ(pool.host.CountEvents(quill::AppEventId::BallsStopped), 1);
}

TEST_F(ShotFlowTest, KeyRefusalsAndTheirValues) {
    table->Input().SetKeyMask(-1);
    // Ctrl while Space is held is refused.
    Key(Vk::Space, true);
    EXPECT_TRUE(table->Input().Flags().overviewKeyHeld);
    Key(Vk::Control, true);
    EXPECT_FALSE(table->Input().Flags().strokeKeyHeld);
    Key(Vk::Control, false);
    Key(Vk::Space, false);
    EXPECT_FALSE(table->Input().Flags().overviewKeyHeld);

    // 'V': the guide line's length from the bonuses; with none it is 12.0.
    const float lengths[] = {12.0f, 31.1f, 88.4f};
    const int32_t guideValues[] = {0, 0, 100000};
    for (int i = 0; i < 3; ++i) {
        player.aimItemBonus = i > 0 ? 10 : 0;
        connection.guideLineBonus = i > 0 ? 15 : 0;
        connection.guideValue = guideValues[i];
        table->Input().OnKey('V', true);
        EXPECT_NEAR(table->Input().GuideLineLength(), lengths[i], 1e-4);
        table->Input().OnKey('V', false);
        table->Cameras().GetCamera().Stop();
    }

    // 'Z' opens the next pen stroke of the local slot, never beyond 48.
    table->Aim().SetSideOption(1);
    for (int i = 0; i < 60; ++i) {
        table->Input().OnKey('Z', true);
        table->Input().OnKey('Z', false);
    }
    EXPECT_EQ(table->PensAndMarks().Pen().CurrentStroke(0), 48);
    EXPECT_EQ(host.events.back().id, quill::AppEventId::CursorMode);
    EXPECT_EQ(host.events.back().wParam, 0u);

    // Losing the focus releases every held key.
    table->Input().OnKey(Vk::Shift, true);
    table->Input().OnKey(Vk::Control, true);
    table->Input().ReleaseHeldKeys(false);
    EXPECT_FALSE(table->Input().Flags().zoomKeyHeld);
    EXPECT_FALSE(table->Input().Flags().strokeKeyHeld);
}

}  // namespace
}  // namespace kestrovan
