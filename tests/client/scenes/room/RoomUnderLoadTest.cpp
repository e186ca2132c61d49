// The game room under the program's three threads at once: while the stand-in server floods it with players
// taking and leaving seats, their details and chat lines, the main thread draws it and sweeps the mouse over it
// and the game thread updates it (the clocks, the chat's layout, the table). In the test build the thread
// contract ends the test on a widget changed without the widget-tree lock; under ThreadSanitizer any race shows.
#include <gtest/gtest.h>

#include "QuillLib/core/Format.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/RoomMessages.h"
#include "tests/support/net/ServerMessages.h"
#include "tests/support/scenes/SceneHarness.h"
#include "tests/support/scenes/ScreenThreads.h"

namespace kestrovan::test {
namespace {

constexpr int kRounds = 150;

class RoomUnderLoad : public SceneHarness<SceneRoomGame> {
protected:
    RoomUnderLoad() {
        app.SetScreenSize({1024, 768});
        app.Scenes().ResizeAll(1024, 768);
        quill::RoomInfo& room = app.Connection()->GetRoomInfo();
        room.maxPlayers = 4;
        room.roomNumber = 7;
        server.GreetWithHello();
        app.Connection()->SetServerAddress(server.Host(), server.Port());
        app.Connection()->StartDispatchThread();
        app.Connection()->Connect();
        connected = server.WaitForMessage(quill::MessageId::LoginRequest).has_value();
    }
    ~RoomUnderLoad() override { app.Connection()->StopDispatchThread(); }

    kvtest::GameServerFixture server;
    bool connected = false;
};

// One round: a player takes seat 1, 2 or 3 (ready or not), another leaves one, and each says something.
void SendRound(kvtest::GameServerFixture& server, int round) {
    kvtest::TestRoomPlayer player;
    player.seat = static_cast<uint8_t>(1 + round % 3);
    player.nickname = quill::Format(u"rival%d", round % 7);
    player.memberId = static_cast<uint32_t>(100 + round);
    player.ready = static_cast<uint8_t>(round % 2);
    server.Send(kvtest::RoomMemberEnteredMessage(player, 2, 4));
    if (round % 3 == 2) {
        const auto seat = static_cast<uint32_t>(1 + (round + 1) % 3);
        server.Send(kvtest::ShortMessage(quill::MessageId::RoomMemberLeft, {{seat, 1}, {5, 1}, {0, 1}, {0, 1}}));
    }
    server.Send(kvtest::RoomChatMessage(0, player.seat, player.nickname, quill::Format(u"line %d", round)));
}

TEST_F(RoomUnderLoad, TheServersFloodTheDrawingAndTheMouseShareTheWidgetsSafely) {
    ASSERT_TRUE(connected);
    {
        const quill::ScopedLock turn = MainThreadTurn();
        ASSERT_EQ(scene->LoadResources(nullptr, nullptr), 1) << "the table is made without packs";
    }
    Activate();
    ScreenThreads threads(app);
    for (int round = 0; round < kRounds; ++round) {
        SendRound(server, round);
        threads.MainPass();
    }
    server.Send(kvtest::RoomChatMessage(0, 1, u"rival", u"the end"));
    EXPECT_TRUE(threads.PassUntil([&] {
        const RoomChatLog log = scene->ChatLog();
        return log.Count() > 0 && log.At(log.Count() - 1).text.ends_with(u"the end");
    }));
}

}  // namespace
}  // namespace kestrovan::test
