#pragma once
// The lobby of a headless online App (SceneHarness), connected to the loopback game server (which greets and
// records what the lobby sends). Server messages handed to Receive take the dispatch path on the test thread;
// with the connection's dispatch thread kept, those the server sends are delivered by it.
#include <functional>

#include "QuillLib/net/Packet.h"
#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/lobby/SceneLobby.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/ServerMessages.h"
#include "tests/support/scenes/SceneHarness.h"

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
    kvtest::TestRoom entry;
    entry.number = room;
    entry.players = players;
    entry.maxPlayers = maxPlayers;
    entry.state = state;
    entry.gameMode = mode;
    entry.passwordFlag = password;
    return kvtest::RoomListEntryMessage(entry);
}

inline quill::Packet UserAdded(int64_t id, const char16_t* nickname, uint32_t sortValue, int16_t place = 0) {
    kvtest::TestUser user;
    user.userId = id;
    user.nickname = nickname;
    user.place = place;
    user.sortValue = sortValue;
    user.level = 5;
    user.rank = 10;
    return kvtest::LobbyUserAddedMessage(user);
}

class LobbyScreen : public SceneHarness<SceneLobby> {
protected:
    static constexpr int32_t kChannel = 3;

    // With dispatchThread the connection's dispatch thread delivers what the server sends, as in the program;
    // without, it answers the server's greeting and stops, and the test delivers the server's messages itself
    // (Receive), playing the one dispatch thread the program has.
    explicit LobbyScreen(bool dispatchThread = false) {
        server.GreetWithHello();
        GameConnection& connection = *app.Connection();
        connection.SetServerAddress(server.Host(), server.Port());
        connection.SetChannelKind(kChannel - 1, 5);
        connection.SetCurrentChannel(kChannel);
        connection.LocalPlayer().accountId = 0x77;
        connection.LocalPlayer().level = 12;
        connection.LocalPlayer().age = 30;
        connection.LocalPlayer().tutorialDone = 1;
        // The connection answers the server's greeting on its dispatch thread.
        connection.StartDispatchThread();
        connection.Connect();
        connected = server.WaitForMessage(quill::MessageId::LoginRequest).has_value();
        if (!dispatchThread)
            connection.StopDispatchThread();
    }
    ~LobbyScreen() override { app.Connection()->StopDispatchThread(); }

    // Activates the lobby and waits for the LobbyEnter it sends.
    void Enter() {
        Activate();
        server.WaitForMessage(quill::MessageId::LobbyEnter);
    }
    // The bytes of the last message of that id the server received; empty when none came in time.
    std::vector<uint8_t> Sent(quill::MessageId id) {
        if (!server.WaitForMessage(id)) return {};
        std::vector<uint8_t> last;
        for (const kvtest::ServerMessage& message : server.Received())
            if (message.id == id) last = message.bytes;
        return last;
    }
    // How many of that id the server has once everything sent before has arrived: a KeepAlive sent now marks
    // the end, as the stream keeps the order.
    size_t CountSent(quill::MessageId id) {
        const size_t marks = server.CountReceived(quill::MessageId::KeepAlive);
        const uint8_t none = 0;
        app.Connection()->SendBytePacket(quill::MessageId::KeepAlive, &none);
        server.WaitForMessages(quill::MessageId::KeepAlive, marks + 1);
        return server.CountReceived(id);
    }

    kvtest::GameServerFixture server;
    SceneLobby* lobby = scene;
    bool connected = false;
};

}  // namespace kestrovan::test
