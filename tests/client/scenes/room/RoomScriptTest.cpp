// The room against the stand-in server's room script, through the connection's dispatch thread: entering
// brings the room's state and the opponent, a seat, ready and start bring the game, the shot's report brings
// the turn's result, the opponent's aim, shot and request for the table state come in, a chat line comes back,
// and the way out is refused during the game and granted after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/ScopedLock.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/room/ResultBoard.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/table/GameTable.h"
#include "client/table/TableAim.h"
#include "client/table/TableMessageIo.h"
#include "client/ui/TextLabel.h"
#include "platform/system/FpuMode.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/scenes/SceneHarness.h"
#include "tests/support/table/CentreShot.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;
namespace Event = quill::AppEventId;

class RoomScriptRun : public SceneHarness<SceneRoomGame> {
protected:
    RoomScriptRun() {
        platform::SetThreadFpuMode();
        GameConnection& connection = *app.Connection();
        connection.LocalPlayer().name = u"Carom";
        connection.LocalPlayer().experience = 5000;
        connection.GetRoomInfo().gameType = 3;
        connection.GetRoomInfo().tableItem = 1027;
        connection.GetRoomInfo().ballItem = 2004;
        state = kvtest::InstallRoomScript(server);
        server.GreetWithHello();
        connection.SetServerAddress(server.Host(), server.Port());
        connection.StartDispatchThread();
        connection.Connect();
        connected = server.WaitForMessage(MessageId::LoginRequest).has_value();
        const quill::ScopedLock turn = MainThreadTurn();
        scene->LoadResources(nullptr, nullptr);
    }
    ~RoomScriptRun() override { app.Connection()->StopDispatchThread(); }

    // What the dispatch thread's handlers change, read once the handler that holds the room lock is done.
    template <class F>
    auto Locked(F read) const {
        quill::ScopedLock hold(scene->RoomLock());
        return read();
    }
    bool HasLine(quill::WStringView text) const {
        const RoomChatLog log = scene->ChatLog();
        for (size_t i = 0; i < log.Count(); ++i) {
            if (log.At(i).text == text) return true;
        }
        return false;
    }
    // The game thread's frames until the table's shot has run and stopped.
    bool RunShot() {
        GameTable& table = *scene->Table();
        bool started = false;
        for (int n = 0; n < 200000; ++n) {
            now += 10;
            app.Scenes().UpdateCurrentScene(now, int64_t{now} * 10);
            started = started || table.IsShotRunning();
            if (started && !table.IsShotRunning() && !table.IsShotPending()) return true;
        }
        return false;
    }

    kvtest::GameServerFixture server;
    std::shared_ptr<kvtest::RoomScriptState> state;
    bool connected = false;
    uint32_t now = 10000;
};

TEST_F(RoomScriptRun, AGameFromTheSeatToTheEndAgainstTheScript) {
    ASSERT_TRUE(connected);
    Activate();
    ASSERT_TRUE(Eventually([&] { return Locked([&] { return scene->Model().players[1].name == u"Rival"; }); }))
        << "RoomMemberEntered";
    EXPECT_EQ(scene->LocalSeat(), 0);
    EXPECT_EQ(scene->MasterSeat(), 0);
    EXPECT_TRUE(HasLine(u"Rival entered room. (1 withdrawals out of 10 games, a total of 4 withdrawals)"));

    // A seat, ready and the master's start.
    app.Scenes().OnMessage(Event::SlotChosen, 1, 0);
    ASSERT_TRUE(Eventually([&] { return Locked([&] { return scene->Model().players[0].team == 1; }); }))
        << "SeatChanged";
    app.Scenes().OnMessage(Event::RoomToggleChanged, 1, 0);
    ASSERT_TRUE(server.WaitForMessage(MessageId::ReadyToggle).has_value());
    ASSERT_TRUE(Eventually([&] { return server.CountReceived(MessageId::ReadyToggle) == 1; }));
    app.Scenes().OnMessage(Event::StartReadyPressed, 1, 0);
    ASSERT_TRUE(Eventually([&] { return scene->IsGameRunning(); })) << "GameStart";
    EXPECT_EQ(Locked([&] { return scene->Model().players[1].team; }), 2);
    EXPECT_TRUE(Locked([&] { return scene->IsLocalTurn(); }));
    EXPECT_TRUE(HasLine(u"The game has started."));

    // The local shot: Shot, then the report when the balls stop, then the turn passes.
    GameTable& table = *scene->Table();
    table.Aim().SetAimParameters(150.0f, -20.0f, 0.0f, 0.0f, 5.0f);
    PlayCentreShot(table);
    app.Scenes().OnMessage(Event::ShotFired, 0, 0);
    ASSERT_TRUE(server.WaitForMessage(MessageId::Shot).has_value());
    ASSERT_TRUE(RunShot());
    app.Scenes().OnMessage(Event::BallsStopped, 0, 0);
    ASSERT_TRUE(server.WaitForMessage(MessageId::ShotResultReport).has_value());
    ASSERT_TRUE(Eventually([&] { return scene->ShooterSeat() == 1; })) << "TurnResult";
    EXPECT_FALSE(Locked([&] { return scene->IsLocalTurn() || table.Turn().AimFollowsCamera(); }));
    EXPECT_EQ(scene->Inning(), 1);

    // The opponent aims, shoots and the server asks for the table.
    quill::Packet aim;
    aim.Init(MessageId::AimState);
    for (float value : {300.0f, 40.0f, 0.1f, -0.1f, 6.0f}) aim.WriteU32(std::bit_cast<uint32_t>(value));
    server.Send(aim);
    quill::Packet shot;
    shot.Init(MessageId::Shot);
    table.Messages().WriteShot(shot);
    server.Send(shot);
    server.Send(kvtest::EmptyMessage(MessageId::TableStateRequest));
    ASSERT_TRUE(Eventually([&] { return scene->IsShotInFlight(); })) << "the relayed shot";
    ASSERT_TRUE(Eventually([&] { return scene->IsTableStatePending(); })) << "answered after the shot";
    ASSERT_TRUE(RunShot());

    // Chat comes back from the server.
    {
        const quill::ScopedLock turn = MainThreadTurn();
        EXPECT_TRUE(scene->SendChat(u"nice shot", true));
    }
    EXPECT_TRUE(Eventually([&] { return HasLine(u"Carom : nice shot"); }));

    // No way out during the game.
    app.Scenes().OnMessage(Event::RoomEvent1040, 0, 0);
    ASSERT_TRUE(Eventually([&] { return server.CountReceived(MessageId::LeaveRoomRequest) == 1; }));
    ASSERT_TRUE(Eventually([&] { return Locked([&] { return Box().IsVisible(); }); })) << "ExitNotAllowed";
    EXPECT_FALSE(scene->IsChangePending());

    // The end, then the way out.
    server.Send(kvtest::GameEndMessage(u"Rival", 2, 3, {{1, 1, {{0, 10}}}, {2, 2, {{1, 0}}}}, 1));
    ASSERT_TRUE(Eventually([&] { return !scene->IsGameRunning(); }));
    EXPECT_TRUE(Locked([&] { return scene->Results()->IsVisible(); }));
    state->inGame = false;
    app.Scenes().OnMessage(Event::RoomEvent1040, 0, 0);
    EXPECT_TRUE(Eventually([&] { return scene->IsChangePending(); })) << "RoomError 0 leads to the lobby";
}

}  // namespace
}  // namespace kestrovan::test
