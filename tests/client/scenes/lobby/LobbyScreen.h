#pragma once
// The lobby of a headless online App, connected to the loopback game server (which greets and records
// what the lobby sends), made current and activated as the shell would after its load (the background
// table needs the game data and is not made). Server messages are handed to its packet slot on the test
// thread, or sent by the server and delivered by the connection's dispatch thread.
#include <functional>
#include <thread>

#include "QuillLib/net/Packet.h"
#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/scenes/lobby/SceneLobby.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {

// A message of that id as the server sends it, its payload written by fill.
inline quill::Packet LobbyMessage(quill::MessageId id, const std::function<void(quill::Packet&)>& fill) {
    quill::Packet message;
    message.Init(id);
    fill(message);
    message.Finish();
    return message;
}

inline quill::Packet RoomEntry(uint16_t room, uint8_t players, uint8_t maxPlayers, uint8_t state = 0,
                               uint8_t mode = 3, uint8_t password = 0) {
    return LobbyMessage(quill::MessageId::RoomListEntry, [&](quill::Packet& p) {
        p.WriteU16(room).WriteU8(state).WriteU32(0).WriteU8(mode).WriteU8(0).WriteU8(players).WriteU8(maxPlayers);
        p.WriteWString(u"Room").WriteU8(password).WriteU16(1).WriteU16(1000).WriteU16(2000).WriteU8(0xFF);
        p.WriteU8(1).WriteU8(0).WriteU32(0).WriteU16(0).WriteU16(0);
    });
}

inline quill::Packet UserAdded(int64_t id, const char16_t* nickname, uint32_t sortValue, int16_t place = 0) {
    return LobbyMessage(quill::MessageId::LobbyUserAdded, [&](quill::Packet& p) {
        p.WriteI64(id).WriteWString(nickname).WriteU32(0).WriteU16(static_cast<uint16_t>(place)).WriteU32(sortValue);
        p.WriteU16(5).WriteU16(10).WriteU8(0);
    });
}

class LobbyScreen : public SceneTestApp {
protected:
    static constexpr int32_t kChannel = 3;

    LobbyScreen() : SceneTestApp(AppMode::Online, {u"launcher"}) {
        server.GreetWithHello();
        GameConnection& connection = *app.Connection();
        connection.SetServerAddress(server.Host(), server.Port());
        connection.SetChannelKind(kChannel - 1, 5);
        connection.SetCurrentChannel(kChannel);
        connection.LocalPlayer().accountId = 0x77;
        connection.LocalPlayer().level = 12;
        connection.LocalPlayer().age = 30;
        connection.LocalPlayer().tutorialDone = 1;
        app.Scenes().SetPopups(CreateScenePopups(app));
        auto scene = std::make_unique<SceneLobby>(app);
        lobby = scene.get();
        lobby->Init();
        app.Scenes().AddScene(std::move(scene));
        app.Scenes().SwitchTo(SceneId::Lobby);
        lobby->SetLoadWanted(false);
        lobby->SetReady(true);
        // The connection answers the server's greeting on its dispatch thread.
        connection.StartDispatchThread();
        connection.Connect();
        connected = server.WaitForMessage(quill::MessageId::LoginRequest).has_value();
    }
    ~LobbyScreen() override { app.Connection()->StopDispatchThread(); }

    // Activates the lobby and waits for the LobbyEnter it sends.
    void Enter() {
        lobby->Activate();
        server.WaitForMessage(quill::MessageId::LobbyEnter);
    }
    void Receive(const quill::Packet& message) {
        quill::Packet packet;
        packet.LoadReceived(message.Bytes());
        lobby->OnPacket(packet.Id(), packet);
    }
    NoticeBox& Box() { return *app.Scenes().GetMessageBox(); }
    NoticeBox& SecondBox() { return *app.Scenes().GetSecondMessageBox(); }
    // The bytes of the last message of that id the server received; empty when none came in time.
    std::vector<uint8_t> Sent(quill::MessageId id) {
        if (!server.WaitForMessage(id, 3000)) return {};
        std::vector<uint8_t> last;
        for (const kvtest::ServerMessage& message : server.Received())
            if (message.id == id) last = message.bytes;
        return last;
    }
    size_t CountSent(quill::MessageId id, uint32_t settleMs = 200) {
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        return server.CountReceived(id);
    }
    static bool Eventually(const std::function<bool()>& condition) {
        for (int waited = 0; waited < 10000; waited += 5) {
            if (condition()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return condition();
    }

    kvtest::GameServerFixture server;
    SceneLobby* lobby = nullptr;
    bool connected = false;
};

}  // namespace kestrovan::test
