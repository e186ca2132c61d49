// The login screen's demo shots: each one plays on the table to rest, as the login screen replays it, and
// the recorder that made them (run it with --gtest_also_run_disabled_tests --gtest_filter=*Record* to print
// a new table for DemoShots.cpp).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "client/physics/PhysicsModelCode.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/common/DemoShots.h"
#include "client/scenes/SceneFactory.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/ShotRecord.h"
#include "client/table/TableAim.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableEvents.h"
#include "client/table/TableModels.h"
#include "client/table/TableShotRecords.h"
#include "platform/system/FpuMode.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan::test {
namespace {

// The game thread updates 200 times a second: 5 ms of the table's clock, in tenths of a millisecond.
constexpr uint32_t kFrame = 50;
constexpr int kMaxFrames = 60000;

class DemoTable {
public:
    DemoTable() {
        platform::SetThreadFpuMode();
        RegisterItemModels();
        table.Services().host = &host;
        for (uint32_t mode = 0; mode < CameraController::kModeCount; ++mode) {
            cameras[mode] = MakeTableCamera();
            table.Cameras().GetCamera().SetCamera(mode, cameras[mode].get());
        }
    }

    // What the login screen does with a slot's shot before it plays it.
    void Load(const ShotData& shot) {
        table.SetState(0);
        table.Equipment().SetGameMode(shot.gameMode);
        table.Equipment().SetEquipmentItems(shot.tableItemId, shot.ballSetItemId);
        table.Models().SetupTable(shot.physicsModelCode, 0);
        table.LoadShotRecord(shot);
        table.SnapshotBalls();
    }
    // Updates until the table reports the balls stopped; the frames that took, or -1.
    int PlayToRest() {
        table.StartShot(2, true);
        for (int frames = 1; frames < kMaxFrames; ++frames) {
            time += kFrame;
            table.Update(time, 0, 0, false);
            if (host.CountEvents(quill::AppEventId::BallsStopped) > 0)
                return frames;
        }
        return -1;
    }
    std::vector<quill::Vec3> Positions() {
        std::vector<quill::Vec3> positions;
        for (uint32_t i = 0; i < table.Physics().BallCount(); ++i)
            positions.push_back(table.Physics().CachedPosition(i));
        return positions;
    }

    HudToolkit hud;  // the table's HUD is a widget tree
    FakeHost host;
    GameTable table;
    std::unique_ptr<quill::Camera> cameras[CameraController::kModeCount];
    uint32_t time = 10000;
};

TEST(DemoShots, EveryShotPlaysToRestAndMovesBalls) {
    const std::span<const DemoShotSlot> slots = DemoShots();
    ASSERT_GE(slots.size(), 2u);
    EXPECT_LT(slots.back().shot.size(), DemoShotCycle::kEndMarkLength) << "the table ends with its mark";
    for (size_t i = 0; i + 1 < slots.size(); ++i) {
        SCOPED_TRACE(i);
        const DemoShotSlot& slot = slots[i];
        EXPECT_GE(slot.duration, 10);
        EXPECT_LE(slot.shot.size(), 4001u);
        ShotData shot;
        ASSERT_TRUE(ShotRecord::ParseHex(slot.shot, shot));
        DemoTable demo;
        demo.Load(shot);
        const std::vector<quill::Vec3> before = demo.Positions();
        ASSERT_GT(before.size(), 1u);
        const int frames = demo.PlayToRest();
        ASSERT_GT(frames, 0);
        // The shot starts 300 updates into a cycle of the slot's duration and ends before the cycle does.
        EXPECT_LT(frames, slot.duration * 100 - DemoShotCycle::kPlayAt);
        const std::vector<quill::Vec3> after = demo.Positions();
        int moved = 0;
        for (size_t b = 0; b < before.size(); ++b) {
            moved += std::fabs(after[b].x - before[b].x) + std::fabs(after[b].y - before[b].y) > 1.0f ? 1 : 0;
        }
        EXPECT_GE(moved, 2) << "the cue ball hits another ball";
    }
}

// --- The recorder ----------------------------------------------------------------------------------------

struct Recording {
    quill::GameType gameMode;
    uint16_t cueItem;
    uint32_t rack;
    uint32_t targetBall;  // the ball aimed at
    float power;
    float tipX;
    float tipY;
    int32_t duration;  // the least; a longer shot gets a longer cycle
    float turnRate;
    const char* nickname;
};

// Racks the game, aims at the target ball with the tip offsets and power, and writes the stroke as text.
std::string Record(const Recording& r) {
    DemoTable demo;
    GameTable& table = demo.table;
    table.SetState(0);
    table.Equipment().SetGameMode(r.gameMode);
    table.Equipment().SetEquipmentItems(quill::DefaultTableItemId(r.gameMode), quill::DefaultBallItemId(r.gameMode));
    table.Models().SetupTable(kDefaultPhysicsModelCode, 0);
    table.Reset(r.rack);
    const quill::Vec3 target = table.Physics().CachedPosition(r.targetBall);
    table.Aim().SetAimParameters(target.x, target.y, r.tipX, r.tipY, 5.0f);
    table.Aim().SetPower(r.power);
    table.ComputeStroke();
    table.CommitShot();
    ShotRecord record = table.Records().GetCommittedRecord();
    record.cueItemId = r.cueItem;
    if (r.cueItem == 3102)
        record.cuePartIds = {1, 1, 1, 1, 1};
    return ShotRecord::WriteHex(record);
}

TEST(DemoShots, DISABLED_RecordTheTable) {
    const Recording recordings[] = {
        {0, 3001, 11, 1, 0.55f, 0.0f, 0.3f, 12, 0.5f, "Rowan"}, {3, 3000, 12, 1, 0.8f, 0.4f, 0.2f, 15, 0.3f, "Jin"},
        {0, 3002, 13, 2, 0.45f, -0.3f, 0.0f, 10, 1.0f, "Mira"}, {4, 3102, 14, 1, 0.9f, 0.2f, 0.2f, 16, 0.5f, "Tomas"},
        {10, 3000, 15, 1, 0.95f, 0.0f, 0.0f, 14, 0.3f, "Hana"}, {3, 3001, 16, 2, 0.7f, -0.5f, 0.1f, 15, 0.5f, "Leo"},
        {12, 3000, 17, 1, 0.9f, 0.0f, -0.2f, 14, 1.0f, "Yuna"}, {0, 3000, 18, 1, 0.35f, 0.2f, -0.3f, 11, 0.3f, "Owen"},
        {13, 3002, 19, 1, 0.95f, 0.1f, 0.0f, 16, 0.5f, "Sora"}, {5, 3000, 20, 1, 0.75f, 0.3f, 0.4f, 15, 1.0f, "Ines"},
        {6, 3001, 21, 1, 0.6f, 0.0f, 0.2f, 13, 0.5f, "Dae"},    {3, 3102, 22, 2, 0.85f, -0.4f, 0.3f, 17, 0.3f, "Nadia"},
        {0, 3000, 23, 2, 0.6f, 0.6f, 0.0f, 12, 1.0f, "Felix"},  {10, 3002, 24, 1, 0.9f, -0.2f, 0.0f, 14, 0.5f, "Ria"},
        {4, 3000, 25, 1, 0.75f, 0.0f, 0.5f, 16, 0.3f, "Karl"},  {12, 3001, 26, 1, 0.85f, 0.2f, 0.1f, 14, 1.0f, "Eun"},
        {0, 3000, 27, 1, 0.5f, -0.6f, 0.2f, 12, 0.5f, "Paula"},
    };
    std::printf("    static const std::array<DemoShotSlot, %zu> slots{{\n", std::size(recordings) + 1);
    for (const Recording& r : recordings) {
        const std::string text = Record(r);
        // The cycle lasts long enough for the shot to end: 300 updates before it starts, and a hundred more.
        ShotData shot;
        ShotRecord::ParseHex(text, shot);
        DemoTable replay;
        replay.Load(shot);
        const int updates = replay.PlayToRest();
        const int duration = std::max(r.duration, (updates + DemoShotCycle::kPlayAt + 199) / 100);
        std::printf("        {%d, %.1ff, u\"%s\",\n", duration, static_cast<double>(r.turnRate), r.nickname);
        for (size_t at = 0; at < text.size(); at += 96) {
            std::printf("         \"%s\"%s\n", text.substr(at, 96).c_str(), at + 96 >= text.size() ? "}," : "");
        }
    }
    std::printf("        {10, 1.0f, u\" \", \"\"},\n    }};\n");
}

}  // namespace
}  // namespace kestrovan::test
