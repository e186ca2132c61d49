#pragma once
// The lobby's decisions that need no screen: the context menu's entries for a user, where a pending
// "join with" target leads, the tournament entry check, the layout by screen height and the texts the
// lobby writes for the server's answers. Pure.
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "client/connection/JoinWithTarget.h"
#include "client/scenes/common/messages/LobbyMessages.h"

namespace quill {
class PlayerState;
class RoomInfo;
}

namespace kestrovan {

struct TournamentView;

// --- The context menu of a user row ---

struct ContextMenuEntries {
    bool joinWith = false;
    bool askFriend = false;
    bool inviteClan = false;
    const char16_t* friendCaption = u"Ask Friend";  // "Del Friend" in the friends tab
};
// tab 0 lists the lobby's users, 1 the friends; self: the row is the player's own; inviteClanBefore: the
// entry's visibility from the last opening (the friends tab keeps it).
ContextMenuEntries MakeContextMenu(int32_t tab, bool self, const quill::PlayerState& player, bool inviteClanBefore);

// --- Following a "join with" target ---

enum class JoinStep {
    Nothing,
    JoinRoom,              // the target's room, in this channel
    JoinRoomWithPassword,  // the same with its stored password
    LeaveChannel,          // to the channel list, the target kept pending
    EnterPractice,
    EnterShop,
    ClearTarget,
    TutorialGate,
};

// What the JoinWith event does with the target in the current channel.
JoinStep PlanJoinWith(const JoinWithTarget& target, int32_t currentChannel, bool joinPending);
// What the lobby does when the server confirms it (LobbyEntered); the steps that clear the target say so
// in clearsTarget.
struct LobbyEnteredPlan {
    JoinStep step = JoinStep::Nothing;
    bool clearsTarget = false;
};
LobbyEnteredPlan PlanLobbyEntered(const JoinWithTarget& target, int32_t currentChannel, bool joinPending);

// --- The room the server lets the player into ---

// The connection's room on JoinRoomResult 0: the answer carries the room's settings but not its number,
// title, lock or seats, so those come from what the lobby asked for (the listed room it joined, or the
// room it asked to create); then the answer's fields. A room created has no number in the request: its
// number is the place where the server moved the player (playerPlace, the lobby's record of him), when that
// is a room.
void FillJoinedRoom(quill::RoomInfo& room, const quill::RoomInfo& asked, const JoinRoomResultMessage& result,
                    int16_t playerPlace);

// --- The tournament channel's entry check ---

// The notice of the first test the player fails; empty when he may create a room. A game type outside
// 0..16 fails on the handicap.
quill::WString TournamentEntryRefusal(const TournamentView& view, const quill::PlayerState& player);

// --- Layout by screen height ---

struct LobbyLayout {
    int32_t roomRows = 6;
    int32_t buttonsY = 450;  // "Create New Game" and "Quick Join"
    int32_t panelX = 20;
    int32_t panelY = 40;
    int32_t barX = 502;
    int32_t barY = 122;
    int32_t wheelHeight = 470;  // the room scroll bar's second rectangle
    int32_t orderY = 486;
    bool cornerShown = true;
};
LobbyLayout LobbyLayoutFor(uint32_t height);

// --- Texts ---

// "%dst of Yesterday Best by %s" and its 2nd, 3rd, nth forms, for the index from 0.
quill::WString BestShotCaption(size_t index, quill::WStringView nickname);
// The line of a refused JoinRoomResult; empty for results without one.
quill::WString JoinRoomRefusal(uint32_t result);
// The notice of a CreateRoomResult; empty for codes without one.
quill::WString CreateRoomRefusal(uint8_t code, quill::WStringView nickname, uint16_t room);
// The red lines of a ChatBanned kind (none for unknown kinds).
std::vector<quill::WString> ChatBanLines(uint8_t kind, quill::WStringView nickname);
// The green line of a RaceTournamentNotice state; empty for unknown states.
quill::WString RaceNoticeLine(uint8_t state, uint8_t startHour, uint8_t startMinute);

}  // namespace kestrovan
