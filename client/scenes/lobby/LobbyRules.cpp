#include "client/scenes/lobby/LobbyRules.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/scenes/lobby/TournamentTexts.h"

namespace kestrovan {

namespace {

constexpr uint8_t kClanInviterRank = 9;

bool IsRoom(int16_t place) {
    return place > 0;
}

// Joining the target's room in this channel, with its stored password when it has one.
JoinStep JoinTargetRoom(const JoinWithTarget& target) {
    return target.hasPassword != 0 ? JoinStep::JoinRoomWithPassword : JoinStep::JoinRoom;
}

bool IsChannelOnlyPlace(int16_t place) {
    return place == JoinWithTarget::kPracticeRoom || place == JoinWithTarget::kShop;
}

}  // namespace

ContextMenuEntries MakeContextMenu(int32_t tab, bool self, const quill::PlayerState& player, bool inviteClanBefore) {
    ContextMenuEntries entries;
    if (tab == 1) {
        entries.joinWith = true;
        entries.askFriend = true;
        entries.inviteClan = inviteClanBefore;
        entries.friendCaption = u"Del Friend";
        return entries;
    }
    if (self) return entries;
    entries.joinWith = true;
    entries.askFriend = true;
    entries.inviteClan = player.clanId != 0 && player.clanRank >= kClanInviterRank;
    return entries;
}

JoinStep PlanJoinWith(const JoinWithTarget& target, int32_t currentChannel, bool joinPending) {
    if (target.pending == 0) return JoinStep::Nothing;
    // The practice room and the shop are in every channel: the lobby goes there as when the server
    // confirms it, never through the channel list (a target of channel 0 would enter no channel).
    if (IsChannelOnlyPlace(target.place)) return PlanLobbyEntered(target, currentChannel, joinPending).step;
    if (target.channel == currentChannel) return IsRoom(target.place) ? JoinTargetRoom(target) : JoinStep::Nothing;
    if (target.channel == 0) return JoinStep::ClearTarget;
    return joinPending ? JoinStep::Nothing : JoinStep::LeaveChannel;
}

LobbyEnteredPlan PlanLobbyEntered(const JoinWithTarget& target, int32_t currentChannel, bool joinPending) {
    if (target.pending == 0) return {JoinStep::TutorialGate, false};
    if (target.place == JoinWithTarget::kPracticeRoom) {
        // The target is spent either way: coming back from the practice room must not enter it again.
        return {joinPending ? JoinStep::ClearTarget : JoinStep::EnterPractice, true};
    }
    if (target.place == JoinWithTarget::kShop) return {joinPending ? JoinStep::ClearTarget : JoinStep::EnterShop, true};
    if (target.place < 0) return {JoinStep::Nothing, false};
    if (target.channel == 0) return {JoinStep::ClearTarget, true};
    if (target.channel != currentChannel) return {JoinStep::LeaveChannel, false};
    if (IsRoom(target.place)) return {JoinTargetRoom(target), true};
    return {JoinStep::ClearTarget, true};
}

quill::WString TournamentEntryRefusal(const TournamentView& view, const quill::PlayerState& player) {
    if (!view.running) return u"It is not the tournament running time.";
    const bool knownType = quill::IsGameTypeIndex(view.gameType);
    const uint16_t handicap = knownType ? player.ratingByType[static_cast<size_t>(view.gameType)] : 0;
    if (!knownType || handicap > view.handicapTo || handicap < view.handicapFrom)
        return u"You cannot enter because you don't qualify for handicap requirements.";
    if (player.level > view.levelTo || player.level < view.levelFrom)
        return u"You cannot enter because you don't qualify for level requirements.";
    if (player.cueMoney < static_cast<int64_t>(view.fee)) return u"You are falling short of gold to join.";
    return {};
}

LobbyLayout LobbyLayoutFor(uint32_t height) {
    LobbyLayout layout;
    if (height >= 768) return layout;
    layout.panelX = 0;
    layout.panelY = 36;
    layout.barX = 497;
    layout.barY = 37;
    layout.wheelHeight = 300;
    layout.cornerShown = false;
    if (height >= 720) {
        layout.roomRows = 5;
        layout.buttonsY = 380;
        layout.orderY = 436;
    } else {
        layout.roomRows = 4;
        layout.buttonsY = 310;
        layout.orderY = 366;
    }
    return layout;
}

quill::WString BestShotCaption(size_t index, quill::WStringView nickname) {
    static constexpr const char16_t* kFormats[] = {u"%dst of Yesterday Best by %s", u"%dnd of Yesterday Best by %s",
                                                   u"%drd of Yesterday Best by %s"};
    const char16_t* format = index < 3 ? kFormats[index] : u"%dth of Yesterday Best by %s";
    return quill::Format(format, static_cast<int32_t>(index + 1), nickname);
}

quill::WString JoinRoomRefusal(uint32_t result) {
    switch (result) {
        case 5:
            return u"Password is incorrect.";
        case 12:
            return u"Room info is not valid.";
        case 13:
            return u"The room is fuul.";
        case 14:
            return u"You cannot enter the room you are banned from for 10 minutes.";
        case 15:
            return u"You cannot enter because you don't qualify for handicap requirements.";
        case 16:
            return u"This room is currently not available.";
        default:
            return {};
    }
}

quill::WString CreateRoomRefusal(uint8_t code, quill::WStringView nickname, uint16_t room) {
    switch (code) {
        case 19:
            return u"Only tournament participants are allowed to open.";
        case 20:
            return u"It is not the tournament running time.";
        case 21:
            return quill::Format(u"%s is waiting for you at room %d.", nickname, static_cast<int32_t>(room));
        case 25:
            return u"Cannot create room.(ERROR_ETC)";
        default:
            return {};
    }
}

std::vector<quill::WString> ChatBanLines(uint8_t kind, quill::WStringView nickname) {
    switch (kind) {
        case 0:
            return {quill::Format(u"%s %s", nickname, u"is banned from chatting.")};
        case 1:
            return {u"Chatting is blocked for 30 minutes.", u"Enter '/unblock nickname' to cancel blocking."};
        case 2:
            return {quill::Format(u"%s %s", nickname, u"blocked you from chatting.")};
        case 3:
            return {u"You are banned from chatting for an hour because you have been blocked by several users."};
        default:
            return {};
    }
}

quill::WString RaceNoticeLine(uint8_t state, uint8_t startHour, uint8_t startMinute) {
    switch (state) {
        case 2:
            return u"** Race Tournament is taking place. (Tournament Info -> Race)";
        case 1:
            return quill::Format(u"** Race tournament starts at %d:%d.", static_cast<int32_t>(startHour),
                                 static_cast<int32_t>(startMinute));
        case 0:
            return u"** Today's tournament has ended.";
        default:
            return {};
    }
}

void FillJoinedRoom(quill::RoomInfo& room, const quill::RoomInfo& asked, const JoinRoomResultMessage& result,
                    int16_t playerPlace) {
    room.roomNumber = asked.roomNumber > 0 || playerPlace <= 0 ? asked.roomNumber : playerPlace;
    room.title = asked.title;
    room.password = asked.password;
    room.passwordFlag = asked.passwordFlag;
    room.state = asked.state;
    room.status = asked.status;
    room.playerCount = asked.playerCount;
    room.maxPlayers = asked.maxPlayers;
    room.gameType = result.gameMode;
    room.setting = result.settingA;
    room.counterB = result.counter2;
    room.counterA = result.counter1;
    room.slotIndex = result.settingB;
    room.inningTime = result.timeLimit;
    room.optionFlags = result.optionFlags;
    room.open = result.stakeIndex;
    room.stake = result.stake;
    room.tableItem = result.tableItem;
    room.ballItem = result.ballItem;
    room.minHandicap = result.minHandicap;
    room.maxHandicap = result.maxHandicap;
}

}  // namespace kestrovan
