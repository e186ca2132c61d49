// The lobby's side of the conversation with the game server: the room list, the players in the channel,
// the chat and the server's notices, and the answers to creating and joining rooms. Every handler runs on
// the connection's dispatch thread; the models change under the screen's lock, and a message that ends
// before its fields do, or names a room the table does not have, changes nothing and is logged once.
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "client/app/App.h"
#include "client/app/SceneId.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/messages/LobbyMessages.h"
#include "client/scenes/lobby/SceneLobby.h"
#include "client/scenes/lobby/TournamentPopups.h"
#include "platform/system/Clock.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;
using quill::ScopedLock;

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;

}  // namespace

int SceneLobby::OnPacket(MessageId id, Packet& packet) {
    switch (id) {
        case MessageId::RoomListReset:
        case MessageId::RoomListEntry:
        case MessageId::LobbyRefresh:
        case MessageId::RoomUpdate:
        case MessageId::RoomStateChanged:
        case MessageId::RoomCountChanged:
            OnRoomMessage(id, packet);
            break;
        case MessageId::LobbyUserRemoved:
        case MessageId::LobbyUserAdded:
        case MessageId::LobbyUserLeft:
        case MessageId::LobbyUserMoved:
        case MessageId::UserLocationNotice:
        case MessageId::MemberLoggedIn:
        case MessageId::MemberLoggedOut:
        case MessageId::MemberLocation:
            OnUserMessage(id, packet);
            break;
        case MessageId::SystemNotice:
        case MessageId::ServerLine:
        case MessageId::LobbyNotice:
        case MessageId::RaceTournamentNotice:
        case MessageId::RoomBanResult:
            OnNoticeMessage(id, packet);
            break;
        case MessageId::LobbyChat:
            OnLobbyChat(packet);
            break;
        case MessageId::TournamentSchedule:
            tournament_->OnSchedule(packet);
            break;
        case MessageId::ChatBanned:
            OnChatBanned(packet);
            break;
        case MessageId::LobbyEntered:
            OnLobbyEntered();
            break;
        case MessageId::CreateRoomResult:
            OnCreateRoomResult(packet);
            break;
        case MessageId::JoinRoomResult:
            OnJoinRoomResult(packet);
            break;
        default:
            break;
    }
    return 0;
}

void SceneLobby::WarnDropped(const char16_t* what) {
    quill::TheLog().LogError(u"WARNING: lobby %s dropped\n", what);
}

void SceneLobby::OnRoomMessage(MessageId id, Packet& packet) {
    const uint32_t now = platform::TimeGetTime();
    bool applied = true;
    {
        ScopedLock hold(lock_);
        switch (id) {
            case MessageId::RoomListReset:
                // The list is not redrawn: the rooms that follow refresh it.
                rooms_.ResetAll();
                return;
            case MessageId::RoomListEntry: {
                const auto room = ReadRoomListEntry(packet);
                applied = room && rooms_.Apply(*room, now);
                break;
            }
            case MessageId::RoomUpdate: {
                const auto room = ReadRoomUpdate(packet);
                applied = room && rooms_.Apply(*room);
                break;
            }
            case MessageId::RoomStateChanged: {
                const auto room = ReadRoomState(packet);
                applied = room && rooms_.Apply(*room);
                break;
            }
            case MessageId::RoomCountChanged: {
                const auto room = ReadRoomCount(packet);
                applied = room && rooms_.SetRoomState(room->room, room->state, now);
                break;
            }
            default:
                break;
        }
    }
    if (!applied) {
        WarnDropped(u"room message");
        return;
    }
    RefreshRoomList();
}

void SceneLobby::OnUserMessage(MessageId id, Packet& packet) {
    const uint8_t channel = static_cast<uint8_t>(connection_.CurrentChannel());
    bool changed = true;
    std::optional<LobbyUserMovedMessage> moved;
    {
        ScopedLock hold(lock_);
        switch (id) {
            case MessageId::LobbyUserRemoved:
                // The whole table is emptied, whatever the message carries.
                users_.Clear();
                break;
            case MessageId::LobbyUserAdded: {
                const auto user = ReadLobbyUser(packet);
                if (!user) {
                    changed = false;
                } else if (!users_.Add(*user, channel)) {
                    quill::TheLog().LogError(u"WARNING: lobby user list is full; a user is not listed\n");
                    return;
                }
                break;
            }
            case MessageId::LobbyUserLeft: {
                const auto userId = ReadLobbyUserLeft(packet);
                changed = userId.has_value();
                if (userId) users_.Remove(*userId);
                break;
            }
            case MessageId::LobbyUserMoved: {
                moved = ReadLobbyUserMoved(packet);
                changed = moved.has_value();
                if (moved)
                    if (quill::PlayerState* user = users_.Find(moved->userId)) user->position = moved->place;
                break;
            }
            case MessageId::UserLocationNotice: {
                const auto clan = ReadUserClan(packet);
                changed = clan.has_value();
                quill::PlayerState* user = clan ? users_.Find(clan->userId) : nullptr;
                if (user == nullptr) return;
                user->clanId = clan->clanId;
                if (clan->clanId != 0) user->clanName = clan->clanName;
                break;
            }
            default:
                break;  // the connection read the member messages; the list shows the change
        }
    }
    if (!changed) {
        WarnDropped(u"user message");
        return;
    }
    RefreshUserList();
    if (moved) connection_.UpdateFriendPlace(static_cast<uint32_t>(moved->userId), moved->place);
}

void SceneLobby::OnNoticeMessage(MessageId id, Packet& packet) {
    switch (id) {
        case MessageId::SystemNotice:
            if (const auto text = ReadNoticeText(packet)) AddNoticeLine(*text, kRed);
            break;
        case MessageId::ServerLine:
            AddNoticeLine(u"You are banned from chatting for an hour because you have been blocked by several users.",
                          kRed);
            break;
        case MessageId::LobbyNotice:
            if (const auto result = ReadNoticeByte(packet)) AddNoticeLine(*result == 0 ? u"- Cancled" : u"+ Done", kGreen);
            break;
        case MessageId::RaceTournamentNotice:
            if (const auto state = ReadNoticeByte(packet)) {
                const TournamentEntry race = TournamentEntry::From(connection_.Tournament());
                const quill::WString line = RaceNoticeLine(*state, race.startHour, race.startMinute);
                if (!line.empty()) AddNoticeLine(line, kGreen);
                tournament_->OnTournamentChanged();
            }
            break;
        case MessageId::RoomBanResult:
            AddNoticeLine(u"You are banned from the room. You are not allowed to enter the room for 10 minutes.", kRed);
            break;
        default:
            break;
    }
}

void SceneLobby::OnLobbyChat(Packet& packet) {
    const auto line = ReadLobbyChat(packet);
    if (!line) {
        WarnDropped(u"chat line");
        return;
    }
    AddChatLineRecord(kWhite, quill::Format(u"%s : %s", line->nickname, Censored(line->text)));
}

void SceneLobby::OnChatBanned(Packet& packet) {
    const auto ban = ReadChatBanned(packet);
    if (!ban) return;
    for (const quill::WString& line : ChatBanLines(ban->kind, ban->nickname)) AddNoticeLine(line, kRed);
}

void SceneLobby::OnLobbyEntered() {
    RefreshUserList();
    const JoinWithTarget target = ReadJoinTarget();
    const LobbyEnteredPlan plan = PlanLobbyEntered(target, connection_.CurrentChannel(), joinPending_);
    if (plan.clearsTarget) ClearJoinTarget();
    if (plan.step == JoinStep::EnterPractice && target.targetKind == 1)
        connection_.GetRoomInfo().gameType = static_cast<uint8_t>(target.targetValue);
    if (plan.step == JoinStep::JoinRoom) {
        JoinRoom(target.place);
        return;
    }
    if (plan.step == JoinStep::JoinRoomWithPassword) {
        JoinRoomWithPassword(target.place, target.password);
        return;
    }
    CarryOut(plan.step);
}

void SceneLobby::OnCreateRoomResult(Packet& packet) {
    {
        ScopedLock hold(lock_);
        askedRoom_.reset();
    }
    const auto result = ReadCreateRoomResult(packet);
    if (!result) return;
    const quill::WString line = CreateRoomRefusal(result->code, result->nickname, result->room);
    if (!line.empty()) ShowNotice(line);
}

void SceneLobby::OnJoinRoomResult(Packet& packet) {
    joinPending_ = false;
    std::optional<quill::RoomInfo> asked;
    {
        ScopedLock hold(lock_);
        asked.swap(askedRoom_);
    }
    const auto result = ReadJoinRoomResult(packet);
    if (!result) {
        WarnDropped(u"join answer");
        return;
    }
    if (result->result != 0) {
        app_.Scenes().ShowBox(this, {u"Notice", {JoinRoomRefusal(result->result)}}, NoticeBox::kLayoutOk);
        return;
    }
    quill::RoomInfo& room = connection_.GetRoomInfo();
    FillJoinedRoom(room, asked.value_or(room), *result);
    RequestSceneChange(SceneId::RoomGame);
}

}  // namespace kestrovan
