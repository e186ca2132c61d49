#pragma once
// Decides, for every message that reaches the client, whether the connection handles it itself (the
// handshake, the friend and clan lists, the inventory and gifts, balances, records, invitations) or the
// current scene does, and runs the connection's handlers. Every id that the connection does not handle
// goes to the scene's packet slot unchanged, through ConnectionHost::DeliverPacket. Runs on the dispatch
// thread (and on the test thread of the tests that hand it messages).
#include "QuillLib/net/Packet.h"
#include "client/connection/ConnectionHost.h"

namespace kestrovan {

class GameConnection;

class MessageDispatcher {
public:
    MessageDispatcher(GameConnection& connection, ConnectionHost& host);

    // The packet's cursor stands on the first payload byte.
    void Dispatch(quill::Packet& packet);

    // Hands the current scene a message of that id without payload, when it can take one now.
    void DeliverEmpty(quill::MessageId id);

private:
    // Hands the message to the current scene through the host. A scene that began to switch after the
    // dispatch thread's wait does not get it: the message waits for the next scene, as one that arrived a
    // moment later would.
    void PassToScene(quill::MessageId id, quill::Packet& packet);
    // Passes the whole message again, its cursor back on the first payload byte.
    void PassAgainToScene(quill::MessageId id, quill::Packet& packet);
    // Returns true when the id is one of the member messages and was handled.
    bool DispatchMemberMessage(quill::MessageId id, quill::Packet& packet);
    bool DispatchAccountMessage(quill::MessageId id, quill::Packet& packet);

    void OnConnectionLost(quill::Packet& packet);
    void OnClanInfo(quill::Packet& packet);
    void OnPlayerRecordUpdate(quill::Packet& packet);
    void OnCueMoneyUpdate(quill::Packet& packet);
    void OnGoldUpdate(quill::Packet& packet);
    void OnInviteResult(quill::Packet& packet);
    void OnRaceTournamentNotice(quill::Packet& packet);

    GameConnection& connection_;
    ConnectionHost& host_;
};

}  // namespace kestrovan
