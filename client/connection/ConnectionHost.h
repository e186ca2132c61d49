#pragma once
// What the game connection needs of the application around it: the scene manager's current scene, the
// application's event queue, the shared notice box, the messenger and the invitation popup, and three
// services of other subsystems (the item models' cue statistics, the chat word filter and the money
// format). The application shell implements it and hands it to the GameConnection it creates.
//
// The connection calls it on its dispatch thread, except CensorWords, which runs on the caller of
// GameConnection::CopyAndCensor. Besides the scenes' packets (DeliverPacket), the messenger, notice, invitation
// and skill-window calls are the only UI the dispatch thread drives, and the host makes every one of them under
// the scene manager's widget-tree lock; every other refresh is asked for with a posted event.
#include <array>
#include <cstddef>
#include <cstdint>

#include "QuillLib/core/Lock.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"
#include "client/connection/ConnectionEvent.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/ConnectionScene.h"
#include "client/connection/Invitation.h"

namespace kestrovan {

using CueStatistics = std::array<uint8_t, 5>;

// Which list a member message means: 1 the friends, any other value the clan.
inline constexpr uint8_t kFriendListKind = 1;

class ConnectionHost {
public:
    virtual ~ConnectionHost() = default;

    // The dispatch thread began or ended its loop: the host knows it as the thread of the server messages.
    virtual void DispatchThreadStarted() {}
    virtual void DispatchThreadEnded() {}

    // The scene manager's current scene (an atomic read, no lock); null while there is none. The dispatch
    // thread polls it without holding anything.
    virtual ConnectionScene* CurrentScene() = 0;

    // Hands a message for the screen to the current scene's OnPacket, the packet's cursor where the
    // handler expects it, when that scene can take messages at this moment (CanTakePackets, looked at again
    // under the lock that scene switches take, so that OnPacket never runs while the scene is left). False,
    // the packet untouched, when there is no such scene.
    virtual bool DeliverPacket(quill::MessageId id, quill::Packet& packet) = 0;

    // The lock that every screen holds while it reads or changes the local player's profile (money, ratings,
    // clan): the scene manager's widget-tree lock. The connection's own handlers write those fields under it.
    virtual quill::Lock& ProfileLock() = 0;

    // Appends an event to the application's queue (App::PostEvent).
    virtual void PostEvent(ConnectionEvent id, uint32_t wParam, uint32_t lParam, uint32_t extra) = 0;

    // Resets the shared message box, fills it with the notice, adds it to the current scene, centres and
    // shows it.
    virtual void ShowNotice(const ConnectionNotice& notice) = 0;

    // The messenger's handlers of the server messages it reads itself, the packet on the first payload
    // byte: a chat line (echo: the server's copy of the player's own line), and the replies and requests
    // FriendRequestResult, FriendRequestReceived, FriendRequestAnswer, ClanInviteResult, ClanMemberStatus,
    // ClanLeaveResult, ClanInvitation and FindPlayerResult.
    virtual void OnMessengerChat(quill::Packet& packet, bool echo) = 0;
    virtual void OnMessengerMessage(quill::MessageId id, quill::Packet& packet) = 0;
    // The skill window's handler of SkillSaveResult.
    virtual void OnSkillSaveResult(quill::Packet& packet) = 0;

    // Changes of the friend and clan directories. The record of OnFriendRemoved and OnClanMemberLeft has
    // left its directory and returns to the connection's pool right after the call; the others stay listed.
    virtual void RefreshMessengerLists() = 0;
    virtual void OnFriendRemoved(uint8_t kind, const quill::PlayerState& record) = 0;
    virtual void OnClanMemberJoined(const quill::PlayerState& record) = 0;
    virtual void OnClanMemberLeft(const quill::PlayerState& record) = 0;
    // A friend (listKind kFriendListKind) or clan member logged in or out.
    virtual void OnMemberPresence(uint8_t listKind, const quill::PlayerState& record, bool loggedIn) = 0;

    // Fills the shared invitation popup and shows it.
    virtual void ShowInvitation(const Invitation& invitation) = 0;

    // The five statistics of a cue's item model; false when the catalogue has no model of that item.
    virtual bool FindCueStatistics(uint32_t itemId, CueStatistics& statistics) = 0;

    // Masks the filtered words among the first maxLength characters of text in place; true when one was found.
    virtual bool CensorWords(char16_t* text, size_t maxLength) = 0;

    // A money amount as every screen shows it (digits grouped by thousands).
    virtual quill::WString FormatMoney(int64_t value) = 0;
};

}  // namespace kestrovan
