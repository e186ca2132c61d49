// Two tables agree: a shot made on a reference table and relayed by the stand-in server runs in the room and
// stops with the same table state, bit for bit; the room's own shot goes out as Shot, and the reference that runs
// it ends where the room's report (with the table state the server asked for meanwhile) says.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "QuillLib/core/AppEventId.h"
#include "client/connection/GameConnection.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/table/GameTable.h"
#include "client/table/TableAim.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableMessageIo.h"
#include "client/table/TableModels.h"
#include "client/table/TableRack.h"
#include "platform/system/FpuMode.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/RoomMessages.h"
#include "tests/support/scenes/SceneHarness.h"
#include "tests/support/table/CentreShot.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;
namespace Event = quill::AppEventId;

constexpr uint8_t kLocalSeat = 0;
constexpr uint8_t kRivalSeat = 1;
constexpr uint32_t kSeed = 4321;
constexpr int kMaxFrames = 200000;

// A table as the room's stage makes one, with stand-in services: the same game, items and physics model.
struct ReferenceTable {
    ReferenceTable() {
        table.Services().host = &host;
        table.Services().connection = &connection;
        table.Services().player = &player;
        table.Equipment().SetGameMode(quill::game_type::kThreeCushion);
        table.Equipment().SetEquipmentItems(1027, 2004);
        table.Models().SetupTable(kDefaultPhysicsModelCode, 1);
        table.Reset(kSeed);
        table.Rack().ResetShotToState7(kSeed);
        table.Rack().SetCueBallIndex(0);
    }
    // Frames of 10 ms until the balls stopped.
    bool RunUntilStopped() {
        for (int n = 0; n < kMaxFrames; ++n) {
            time += 100;
            table.Update(time, 0, 0, false);
            if (host.CountEvents(Event::BallsStopped) > 0) return true;
        }
        return false;
    }
    std::vector<uint8_t> BallState() {
        quill::Packet packet;
        packet.Init(MessageId::TableState);
        table.Messages().WriteBallState(packet, false);
        packet.Finish();
        return {packet.Bytes().begin() + 4, packet.Bytes().end()};
    }

    FakeHost host;
    FakeConnection connection;
    FakePlayer player;
    GameTable table;
    uint32_t time = 10000;
};

class RoomShotRoad : public SceneHarness<SceneRoomGame> {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    RoomShotRoad() {
        platform::SetThreadFpuMode();
        Connection().LocalPlayer().name = u"Carom";
        Connection().LocalPlayer().experience = 5000;
        server = std::make_unique<kvtest::GameServerFixture>();
        server->GreetWithHello();
        Connection().SetServerAddress(server->Host(), server->Port());
        Connection().StartDispatchThread();
        Connection().Connect();
        connected = server->WaitForMessage(MessageId::LoginRequest).has_value();
        // The dispatch thread has answered the greeting: the test delivers the server's messages itself.
        Connection().StopDispatchThread();
        Connection().GetRoomInfo().gameType = 3;
        Connection().GetRoomInfo().tableItem = 1027;
        Connection().GetRoomInfo().ballItem = 2004;
        scene->LoadResources(nullptr, nullptr);
        Activate();
        Receive(kvtest::RoomSnapshotMessage({}));
        Receive(kvtest::RoomMemberEnteredMessage(kvtest::TestRoomPlayer{}, 2, 2));
        Receive(kvtest::ShortMessage(MessageId::SeatChanged, {{kLocalSeat, 1}, {1, 1}}));
        Receive(kvtest::ShortMessage(MessageId::SeatChanged, {{kRivalSeat, 1}, {2, 1}}));
    }
    ~RoomShotRoad() override { Connection().StopDispatchThread(); }
    GameConnection& Connection() { return *app.Connection(); }

    void Start(uint8_t first) {
        kvtest::TestGameStart start = kvtest::TwoPlayerStart(3, first, first == kLocalSeat ? kRivalSeat : kLocalSeat);
        start.seed = kSeed;
        Receive(kvtest::GameStartMessage(start));
    }
    // The room's frames until its table's shot has run and stopped.
    bool RunRoomUntilStopped() {
        GameTable& table = *scene->Table();
        bool started = false;
        for (int n = 0; n < kMaxFrames; ++n) {
            now += 10;
            app.Scenes().UpdateCurrentScene(now, int64_t{now} * 10);
            started = started || table.IsShotRunning();
            if (started && !table.IsShotRunning() && !table.IsShotPending()) return true;
        }
        return false;
    }
    std::vector<uint8_t> RoomBallState() {
        quill::Packet packet;
        packet.Init(MessageId::TableState);
        scene->Table()->Messages().WriteBallState(packet, false);
        packet.Finish();
        return {packet.Bytes().begin() + 4, packet.Bytes().end()};
    }

    std::unique_ptr<kvtest::GameServerFixture> server;
    bool connected = false;
    uint32_t now = 10000;
};

TEST_F(RoomShotRoad, ARelayedShotStopsWhereItStopsOnTheShootersTable) {
    ASSERT_TRUE(connected);
    Start(kRivalSeat);
    ReferenceTable shooter;
    shooter.table.SetState(7);
    shooter.table.Aim().SetAimParameters(200.0f, 12.0f, 0.0f, 0.0f, 5.0f);
    PlayCentreShot(shooter.table);
    quill::Packet shot;
    shot.Init(MessageId::Shot);
    shooter.table.Messages().WriteShot(shot);
    ASSERT_TRUE(shooter.RunUntilStopped());
    ASSERT_NE(shooter.BallState(), RoomBallState()) << "the shot moved the balls";

    Receive(shot);
    EXPECT_TRUE(scene->IsShotInFlight());
    ASSERT_TRUE(RunRoomUntilStopped());
    EXPECT_EQ(RoomBallState(), shooter.BallState()) << "bit for bit";

    // The relayed shot is not the room's to report.
    app.Scenes().OnMessage(Event::BallsStopped, 0, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(server->CountReceived(MessageId::ShotResultReport), 0u);
}

TEST_F(RoomShotRoad, TheRoomsOwnShotGoesOutAndEndsOnTheReferenceWhereTheRoomReportsIt) {
    ASSERT_TRUE(connected);
    Start(kLocalSeat);
    GameTable& table = *scene->Table();
    table.Aim().SetAimParameters(150.0f, -20.0f, 0.0f, 0.0f, 5.0f);
    PlayCentreShot(table);
    // The table posted ShotFired for the local shot; the App hands it to the room.
    app.Scenes().OnMessage(Event::ShotFired, 0, 0);
    ASSERT_TRUE(server->WaitForMessage(MessageId::Shot).has_value());
    // The server asks for the table state while the shot runs: it comes with the report.
    Receive(kvtest::EmptyMessage(MessageId::TableStateRequest));
    EXPECT_TRUE(scene->IsTableStatePending());
    ASSERT_TRUE(RunRoomUntilStopped());
    app.Scenes().OnMessage(Event::BallsStopped, 0, 0);
    ASSERT_TRUE(server->WaitForMessage(MessageId::ShotResultReport).has_value());
    const auto state = server->WaitForMessage(MessageId::TableState);
    ASSERT_TRUE(state.has_value());
    EXPECT_FALSE(scene->IsTableStatePending());

    ReferenceTable watcher;
    quill::Packet relayed = server->WaitForMessage(MessageId::Shot)->Read();
    ASSERT_TRUE(watcher.table.Messages().ReadShot(relayed));
    watcher.table.StartShot(2, false);
    ASSERT_TRUE(watcher.RunUntilStopped());
    const std::vector<uint8_t> reported(state->bytes.begin() + 4, state->bytes.end() - 4);
    EXPECT_EQ(watcher.BallState(), reported);
    EXPECT_EQ(state->bytes[state->bytes.size() - 4] | state->bytes[state->bytes.size() - 3] << 8, 1027);
}

}  // namespace
}  // namespace kestrovan::test
