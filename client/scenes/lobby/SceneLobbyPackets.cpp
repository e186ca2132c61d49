// The lobby's side of the conversation with the game server: one table from message id to handler, which
// hands the room list's, the player list's and the chat's messages to their parts, and the answers to
// entering the lobby, creating and joining rooms. Every handler runs on the connection's dispatch thread.
#include "QuillLib/core/LogSystem.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/PacketRoutes.h"
#include "client/scenes/common/messages/LobbyMessages.h"
#include "client/scenes/lobby/SceneLobby.h"
#include "client/scenes/lobby/TournamentPopups.h"
#include "client/scenes/lobby/TournamentTexts.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;

int SceneLobby::OnPacket(MessageId id, Packet& packet) {
    if (const PacketHandler handler = FindPacketHandler(id)) handler(*this, packet);
    return 0;
}

// The lobby's one table from message id to handler.
SceneLobby::PacketHandler SceneLobby::FindPacketHandler(MessageId id) {
    using Lobby = SceneLobby;
    static constexpr PacketRoute<PacketHandler> kRoutes[] = {
        // The room list.
        {MessageId::RoomListReset, [](Lobby& lobby, Packet&) { lobby.rooms_.OnListReset(); }},
        {MessageId::RoomListEntry, [](Lobby& lobby, Packet& packet) { lobby.rooms_.OnListEntry(packet); }},
        {MessageId::LobbyRefresh, [](Lobby& lobby, Packet&) { lobby.rooms_.Refresh(); }},
        {MessageId::RoomUpdate, [](Lobby& lobby, Packet& packet) { lobby.rooms_.OnRoomUpdate(packet); }},
        {MessageId::RoomStateChanged, [](Lobby& lobby, Packet& packet) { lobby.rooms_.OnRoomState(packet); }},
        {MessageId::RoomCountChanged, [](Lobby& lobby, Packet& packet) { lobby.rooms_.OnRoomCount(packet); }},
        // The players in the channel; the connection read the friends' messages, the list shows the change.
        {MessageId::LobbyUserRemoved, [](Lobby& lobby, Packet&) { lobby.users_.OnAllRemoved(); }},
        {MessageId::LobbyUserAdded, [](Lobby& lobby, Packet& packet) { lobby.users_.OnUserAdded(packet); }},
        {MessageId::LobbyUserLeft, [](Lobby& lobby, Packet& packet) { lobby.users_.OnUserLeft(packet); }},
        {MessageId::LobbyUserMoved, [](Lobby& lobby, Packet& packet) { lobby.users_.OnUserMoved(packet); }},
        {MessageId::UserLocationNotice, [](Lobby& lobby, Packet& packet) { lobby.users_.OnUserClan(packet); }},
        {MessageId::MemberLoggedIn, [](Lobby& lobby, Packet&) { lobby.users_.Refresh(); }},
        {MessageId::MemberLoggedOut, [](Lobby& lobby, Packet&) { lobby.users_.Refresh(); }},
        {MessageId::MemberLocation, [](Lobby& lobby, Packet&) { lobby.users_.Refresh(); }},
        // Lines in the chat.
        {MessageId::LobbyChat, [](Lobby& lobby, Packet& packet) { lobby.chat_.OnLobbyChat(packet); }},
        {MessageId::ChatBanned, [](Lobby& lobby, Packet& packet) { lobby.chat_.OnChatBanned(packet); }},
        {MessageId::SystemNotice, [](Lobby& lobby, Packet& packet) { lobby.chat_.OnSystemNotice(packet); }},
        {MessageId::LobbyNotice, [](Lobby& lobby, Packet& packet) { lobby.chat_.OnLobbyNotice(packet); }},
        {MessageId::ServerLine,
         [](Lobby& lobby, Packet&) {
             lobby.chat_.AddLine(
                 u"You are banned from chatting for an hour because you have been blocked by several users.", kRed);
         }},
        {MessageId::RoomBanResult,
         [](Lobby& lobby, Packet&) {
             lobby.chat_.AddLine(
                 u"You are banned from the room. You are not allowed to enter the room for 10 minutes.", kRed);
         }},
        // The tournament.
        {MessageId::RaceTournamentNotice, [](Lobby& lobby, Packet& packet) { lobby.OnRaceTournamentNotice(packet); }},
        {MessageId::TournamentSchedule,
         [](Lobby& lobby, Packet& packet) { lobby.dialogs_.Tournament().OnSchedule(packet); }},
        // The lobby itself and the way into rooms.
        {MessageId::LobbyEntered, [](Lobby& lobby, Packet&) { lobby.OnLobbyEntered(); }},
        {MessageId::CreateRoomResult, [](Lobby& lobby, Packet& packet) { lobby.OnCreateRoomResult(packet); }},
        {MessageId::JoinRoomResult, [](Lobby& lobby, Packet& packet) { lobby.OnJoinRoomResult(packet); }},
    };
    static_assert(EachIdRoutedOnce(kRoutes), "each message id has one handler");
    return FindPacketRoute(kRoutes, id);
}

void SceneLobby::OnRaceTournamentNotice(Packet& packet) {
    const auto state = ReadNoticeByte(packet);
    if (!state) return;
    const TournamentView race = TournamentView::From(connection_.Tournament());
    const quill::WString line = RaceNoticeLine(*state, race.startHour, race.startMinute);
    if (!line.empty()) chat_.AddLine(line, kGreen);
    dialogs_.Tournament().OnTournamentChanged();
}

void SceneLobby::OnLobbyEntered() {
    users_.Refresh();
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
    askedRoom_.reset();
    const auto result = ReadCreateRoomResult(packet);
    if (!result) return;
    const quill::WString line = CreateRoomRefusal(result->code, result->nickname, result->room);
    if (!line.empty()) ShowNotice(line);
}

void SceneLobby::OnJoinRoomResult(Packet& packet) {
    joinPending_ = false;
    std::optional<quill::RoomInfo> asked;
    asked.swap(askedRoom_);
    const auto result = ReadJoinRoomResult(packet);
    if (!result) {
        quill::TheLog().LogError(u"WARNING: lobby %s dropped\n", u"join answer");
        return;
    }
    if (result->result != 0) {
        app_.Scenes().ShowBox(this, {u"Notice", {JoinRoomRefusal(result->result)}}, NoticeBox::kLayoutOk);
        return;
    }
    quill::RoomInfo& room = connection_.GetRoomInfo();
    FillJoinedRoom(room, asked.value_or(room), *result, users_.PlaceOf(connection_.LocalPlayer().accountId));
    RequestSceneChange(SceneId::RoomGame);
}

}  // namespace kestrovan
