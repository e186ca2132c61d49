// The way into a game room, headless with the game data, against the stand-in server's lobby script: the
// lobby joins a room, the script's JoinRoomResult 0 brings the game room through the scene manager's switch
// and load, and the room tells the server RoomEntered. A room of each table family (carom, pocket, snooker)
// sets the room's table up on that room's game and equipment; leaving returns to the lobby.
#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <functional>
#include <optional>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/SceneId.h"
#include "client/app/SoundIds.h"
#include "client/connection/GameConnection.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/scenes/lobby/SceneLobby.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "platform/system/ScopedFpuMode.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/net/RoomMessages.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

kvtest::TestRoom Room(uint16_t number, uint8_t gameMode, uint16_t tableItem, uint16_t ballSetItem) {
    kvtest::TestRoom room;
    room.number = number;
    room.gameMode = gameMode;
    room.tableItem = tableItem;
    room.ballSetItem = ballSetItem;
    room.title = u"Family room";
    return room;
}

class RoomFromLobby : public SceneTestApp {
protected:
    RoomFromLobby() : SceneTestApp(AppMode::Online, {u"launcher"}) {
        RegisterItemModels();
        std::filesystem::copy(KV_DATA_FOLDER, fixture.folder.Path() / "data", std::filesystem::copy_options::recursive);
        loaded = app.InitRenderer();
        {
            const quill::ScopedLock turn = MainThreadTurn();
            app.Scenes().SetPopups(CreateScenePopups(app));
            for (int32_t id : {SceneId::Lobby, SceneId::RoomGame}) {
                std::unique_ptr<Scene> scene = CreateScene(id, app);
                scene->Init();
                app.Scenes().AddScene(std::move(scene));
            }
        }
        GameConnection& connection = *app.Connection();
        connection.SetChannelKind(0, 2);
        connection.SetCurrentChannel(1);
        connection.LocalPlayer().accountId = 0x100000002;
        connection.LocalPlayer().level = 12;
        connection.LocalPlayer().age = 30;
        connection.LocalPlayer().tutorialDone = 1;
        connection.LocalPlayer().experience = 5000;
        kvtest::LobbyScript script;
        script.rooms = {Room(1, 3, 1027, 2004), Room(2, 10, 1030, 2006), Room(3, 16, 1035, 2007)};
        kvtest::InstallLobbyScript(server, script);
        server.GreetWithHello();
        // The connection hands the server's greeting on once a screen can take messages.
        app.Scenes().SwitchTo(SceneId::Lobby);
        app.Scenes().Current()->SetReady(true);
        connection.SetServerAddress(server.Host(), server.Port());
        connection.StartDispatchThread();
        connection.Connect();
        connected = server.WaitForMessage(quill::MessageId::LoginRequest).has_value();
    }
    ~RoomFromLobby() override { app.Connection()->StopDispatchThread(); }

    // The frame step's switch and load, in one turn of the main thread.
    int SwitchAndLoad() {
        const quill::ScopedLock turn = MainThreadTurn();
        app.Scenes().PerformPendingSwitch(app.GetEngine()->GetRenderSceneManager());
        return app.Scenes().LoadPendingScene();
    }
    SceneLobby& Lobby() { return *static_cast<SceneLobby*>(app.Scenes().Current()); }
    // Waits until the lobby has taken what the server answered its LobbyEnter with (ending in LobbyEntered), as
    // a player sees the lobby before choosing a room: a chat line sent after LobbyEnter comes back after that
    // answer, and the screen takes the server's messages in order.
    bool LobbyTookItsEntry(size_t entries) {
        if (!server.WaitForMessages(quill::MessageId::LobbyEnter, entries)) return false;
        const quill::WString marker = quill::Format(u"entry %d", static_cast<int>(entries));
        GameConnection& connection = *app.Connection();
        quill::Packet* packet = connection.AllocPacket();
        if (packet == nullptr) return false;
        packet->Init(quill::MessageId::LobbyChatSend).WriteWString(marker);
        connection.SendPacket(packet);
        connection.FreePacket(packet);
        return Eventually([&] {
            const std::vector<LobbyChatLine> lines = Lobby().ChatLines();
            return !lines.empty() && lines.back().text.find(marker) != quill::WString::npos;
        });
    }

    kvtest::GameServerFixture server;
    bool loaded = false;
    bool connected = false;
};

TEST_F(RoomFromLobby, ARoomOfEachTableFamilyOpensOnItsEquipmentAndTellsTheServer) {
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(connected);
    ASSERT_EQ(SwitchAndLoad(), 1);

    struct Family {
        uint16_t room;
        quill::GameType mode;
        uint16_t tableItem;
        uint16_t ballSetItem;
        uint32_t balls;
    };
    size_t entered = 0;
    for (const Family& family : {Family{1, 3, 1027, 2004, 3}, Family{2, 10, 1030, 2006, 16}, Family{3, 16, 1035, 2007, 22}}) {
        SCOPED_TRACE(family.room);
        ASSERT_EQ(app.Scenes().Current()->GetSceneId(), SceneId::Lobby);
        ASSERT_TRUE(LobbyTookItsEntry(entered + 1));
        {
            const quill::ScopedLock turn = MainThreadTurn();
            Lobby().JoinRoom(family.room);
        }
        ASSERT_TRUE(Eventually([&] { return app.Scenes().Current()->IsChangePending(); }))
            << "JoinRoomResult 0 asks for the room";
        ASSERT_EQ(SwitchAndLoad(), 1);
        auto& room = *static_cast<SceneRoomGame*>(app.Scenes().Current());
        ASSERT_EQ(room.GetSceneId(), SceneId::RoomGame);
        ASSERT_TRUE(Eventually([&] { return server.CountReceived(quill::MessageId::RoomEntered) == entered + 1; }));
        ++entered;
        ASSERT_NE(room.Table(), nullptr);
        EXPECT_EQ(room.Table()->Equipment().GameMode(), family.mode);
        EXPECT_EQ(room.Table()->Equipment().TableItemId(), family.tableItem);
        EXPECT_EQ(room.Table()->Equipment().BallSetItemId(), family.ballSetItem);
        EXPECT_EQ(room.Table()->Physics().BallCount(), family.balls);
        EXPECT_EQ(room.Room().gameType, family.mode);
        EXPECT_EQ(room.Board()->RowCount(), 1) << "the player among the watchers";
        quill::SoundManager* sounds = quill::SoundManager::Current();
        ASSERT_NE(sounds, nullptr) << "the null audio device's manager";
        EXPECT_TRUE(sounds->GetSound(sound_id::kTableMusic)) << "the room's music";
        EXPECT_TRUE(sounds->GetSound(SceneRoomGame::kCountdownSound)) << "the countdown's beep";
        // The room holds ten in the morning: its first frame starts the morning's ambient sound, every time.
        app.Scenes().RenderCurrentScene(app.GetDevice(), false);
        EXPECT_TRUE(sounds->IsPlaying(0)) << "the morning sound";
        EXPECT_FALSE(sounds->IsPlaying(1)) << "no dawn sound";

        // Back to the lobby, which enters its channel's lists again.
        room.RequestSceneChange(SceneId::Lobby);
        ASSERT_EQ(SwitchAndLoad(), 1);
        EXPECT_EQ(room.Table(), nullptr) << "the room let its table go";
        EXPECT_FALSE(sounds->GetSound(sound_id::kTableMusic)) << "the music removed";
        app.Scenes().RenderCurrentScene(app.GetDevice(), false);
        EXPECT_FALSE(sounds->IsPlaying(0)) << "the lobby's clock is past midnight";
    }
    EXPECT_EQ(server.CountReceived(quill::MessageId::JoinRoom), 3u);
    EXPECT_EQ(server.CountReceived(quill::MessageId::RoomEntered), 3u);
}

TEST_F(RoomFromLobby, TheBreakersViewInThreeCushionTurnsByTheExactYawOnTheDispatchThread) {
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(connected);
    ASSERT_EQ(SwitchAndLoad(), 1);
    ASSERT_TRUE(LobbyTookItsEntry(1));
    {
        const quill::ScopedLock turn = MainThreadTurn();
        Lobby().JoinRoom(1);
    }
    ASSERT_TRUE(Eventually([&] { return app.Scenes().Current()->IsChangePending(); }));
    ASSERT_EQ(SwitchAndLoad(), 1);
    auto& room = *static_cast<SceneRoomGame*>(app.Scenes().Current());
    ASSERT_TRUE(Eventually([&] { return server.CountReceived(quill::MessageId::RoomEntered) == 1; }));
    server.Send(kvtest::RoomSnapshotMessage({}));
    ASSERT_TRUE(Eventually([&] { return room.LocalSeat() == 0; }));

    // The start resets the camera (pitch 0.5236, yaw pi, distance 300), then turns it to the break's yaw,
    // on the dispatch thread, which rounds toward zero. The same from the same camera here, in the same
    // rounding, with the exact yaw.
    const CameraRef camera = room.Table()->Cameras().GetCurrentCameraRef();
    ASSERT_NE(*camera, nullptr);
    std::optional<quill::Camera> expected;
    {
        quill::ScopedLock hold((*camera)->GetLock());
        expected.emplace(**camera);
        platform::ScopedFpuMode dispatchRounding;
        expected->SetPitch(0.5236f, false);
        expected->SetYaw(quill::kPi);
        expected->SetDistance(300.0f);
        expected->SetYaw(std::bit_cast<float>(0x40278D37u));
    }
    server.Send(kvtest::GameStartMessage(kvtest::TwoPlayerStart(3, 0, 1)));
    ASSERT_TRUE(Eventually([&] { return room.IsGameRunning(); }));
    quill::ScopedLock handled(room.RoomLock());  // the start's handler holds it until it is done
    quill::ScopedLock hold((*camera)->GetLock());
    const quill::Vec3 eye = (*camera)->Eye();
    EXPECT_EQ(std::bit_cast<uint32_t>(eye.x), std::bit_cast<uint32_t>(expected->Eye().x));
    EXPECT_EQ(std::bit_cast<uint32_t>(eye.y), std::bit_cast<uint32_t>(expected->Eye().y));
    EXPECT_EQ(std::bit_cast<uint32_t>(eye.z), std::bit_cast<uint32_t>(expected->Eye().z));
}

}  // namespace
}  // namespace kestrovan::test
