#pragma once
// What the program asks of the shared messenger (the friend and clan lists, their chats and dialogs) from
// outside the screens' community module: the connection hands it the community messages, the scene manager
// attaches it to each screen and runs its clan dialog, and the screens open it (F8), ask it about a player
// and pass it the keyboard. The community module's Messenger implements it.
//
// Threads: see the table in client/app/Scene.h; a window that a server message opens is shown by the main thread's
// next pass (ShowPending).
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"

namespace quill {
class PlayerState;
}

namespace kestrovan {

class Widget;

class MessengerPopup {
public:
    // The kinds of question AskAboutMember asks.
    static constexpr int32_t kAskFriend = 1;
    static constexpr int32_t kInviteToClan = 3;
    static constexpr int32_t kBlock = 4;
    static constexpr int32_t kBan = 5;
    static constexpr int32_t kInviteToClanFromRoom = 6;

    virtual ~MessengerPopup() = default;

    // The textures and fonts of the window and of all it shows (main thread, once the packs are there).
    virtual void LoadWindowGraphics(uint32_t arg) = 0;

    // --- Server messages (dispatch thread), the packet's cursor on the first payload byte ---
    // MessengerChat, or MessengerChatEcho (echo: the server's copy of the player's own line).
    virtual void OnChatLine(quill::Packet& packet, bool echo) = 0;
    // FriendRequestResult, FriendRequestReceived, FriendRequestAnswer, ClanInviteResult, ClanMemberStatus,
    // ClanLeaveResult, ClanInvitation and FindPlayerResult.
    virtual void OnServerMessage(quill::MessageId id, quill::Packet& packet) = 0;
    // ClanCreateResult, which the lobby passes on.
    virtual void OnClanCreateResult(quill::Packet& packet) = 0;
    // The friend or clan list changed.
    virtual void RefreshMemberList() = 0;
    // The record has left its list and goes back to the pool after the call.
    virtual void OnFriendRemoved(uint8_t quiet, const quill::PlayerState& record) = 0;
    virtual void OnClanMemberJoined(const quill::PlayerState& record) = 0;
    virtual void OnClanMemberLeft(const quill::PlayerState& record) = 0;
    // A friend (listKind 1) or clan member logged in or out; the record is updated already.
    virtual void OnMemberPresence(uint8_t listKind, const quill::PlayerState& record, bool online) = 0;

    // The windows the server's messages opened and what their chat lines changed since the last pass, shown on
    // the current screen (main thread).
    virtual void ShowPending() = 0;

    // --- Screens ---
    // A screen was entered: the messenger, its icon and its dialogs move to it; the window opens again when
    // it was open, the new-message icon shows when a line waits unread, and a waiting friend request shows.
    virtual void AttachToScreen(Widget& screen) = 0;
    // F8 and the messenger buttons: opens the window on the screen when it is closed, closes it otherwise.
    virtual void Toggle(Widget& screen) = 0;
    virtual bool IsOpen() const = 0;
    // The first friend request that waits, in its dialog.
    virtual void ShowNextRequest() = 0;
    // The new-message icon that follows the player from screen to screen (the game room blinks it its own way);
    // null when there is none.
    virtual Widget* AlarmIcon() const { return nullptr; }
    // The nickname of the last friend request announced to the game room (ChatNotify), which the room's
    // new-message window names; empty before any.
    virtual quill::WString LastAnnouncedRequester() const { return {}; }
    // The clan creation dialog (the scene manager, for MessengerControl).
    virtual void OpenClanDialog() = 0;
    // The question of that kind about a player (the lobby and room menus: their user record).
    virtual void AskAboutMember(const quill::PlayerState& record, int32_t kind) = 0;
    // The game room's name for the same questions (actions 1 friend, 4 block, 5 ban, 6 clan invitation).
    void OpenUserDialog(const quill::PlayerState& record, int32_t action) { AskAboutMember(record, action); }
    // The question whether to delete a friend; a record without member id is looked up by its nickname.
    virtual void AskDeleteFriend(const quill::PlayerState& record) = 0;
    // The screens take the keyboard from the chat entry and give it back (only in the chat view).
    virtual void ReleaseChatFocus() = 0;
    virtual void FocusChatEntry() = 0;
};

}  // namespace kestrovan
