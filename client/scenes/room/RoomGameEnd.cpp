#include "client/scenes/room/RoomGameEnd.h"

#include "QuillLib/core/Format.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/PacketRouter.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/ResultBoard.h"
#include "client/scenes/room/RoomChat.h"
#include "client/scenes/room/RoomColours.h"
#include "client/scenes/room/RoomDialogs.h"
#include "client/scenes/room/RoomEquipment.h"
#include "client/scenes/room/RoomItems.h"
#include "client/scenes/room/RoomMessages.h"
#include "client/scenes/room/RoomSeats.h"
#include "client/scenes/room/RoomShotRoad.h"
#include "client/scenes/room/RoomState.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/scenes/room/TimeLimitNotice.h"
#include "client/table/GameTable.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"

namespace kestrovan {

using namespace room_colour;

namespace {

constexpr int32_t kWaitingState = 4;
constexpr uint8_t kInvalidResult = 7;
// The part of the winnings a game with money keeps back, shown under its results; a friendly game shows none.
constexpr int32_t kGameFeePercent = 9;
constexpr uint32_t kEndSound = 23;
constexpr uint32_t kSettleSound = 21;
constexpr uint32_t kRoomTimerSound = 21;
constexpr uint32_t kGameOverVoice = 55;
constexpr uint32_t kAllInVoice = 42;

}  // namespace

RoomGameEnd::RoomGameEnd(const Context& room, RoomChat& chat, RoomSeats& seats, RoomDialogs& dialogs,
                         RoomItems& items, RoomEquipment& equipment, RoomShotRoad& shotRoad)
    : RoomPart(room),
      chat_(chat),
      seats_(seats),
      dialogs_(dialogs),
      items_(items),
      equipment_(equipment),
      shotRoad_(shotRoad) {}

void RoomGameEnd::AddRoutes(PacketRouter& routes) {
    using quill::MessageId;
    using quill::Packet;
    routes.Add(MessageId::GameEnd, [this](Packet& packet) { OnGameEnd(packet); });
    routes.Add(MessageId::GameSettlement, [this](Packet& packet) { OnGameSettlement(packet); });
    routes.Add(MessageId::PlayerAllIn, [this](Packet& packet) { OnPlayerAllIn(packet); });
    routes.Add(MessageId::RoomTimer, [this](Packet& packet) { OnRoomTimer(packet); });
}

void RoomGameEnd::OnGameEnd(quill::Packet& packet) {
    const std::optional<GameEndMessage> end = ReadGameEnd(packet);
    if (!end) return;
    state_.SetRunning(false);
    state_.Model().running = 0;
    state_.Room().state = 0;
    dialogs_.Results()->SetGrid(end->teamCount, end->membersPerTeam);
    dialogs_.Results()->SetFee(state_.Room().IsClosed() ? 0 : kGameFeePercent);
    int32_t column = 0;
    for (const GameEndMessage::Team& team : end->teams) {
        const quill::TeamState* record = team.id < kRoomTeams ? &state_.Model().teams[team.id] : nullptr;
        for (size_t row = 0; row < team.members.size(); ++row) {
            const GameEndMessage::Member& member = team.members[row];
            const quill::PlayerState* player =
                record != nullptr ? record->MemberAt(static_cast<uint32_t>(row)) : nullptr;
            if (player == nullptr || player->seat != member.seat) continue;
            dialogs_.Results()->SetRow(column, static_cast<int32_t>(row), player->name, team.result,
                                       static_cast<int32_t>(member.points), player->money, member.rank);
        }
        ++column;
    }
    quill::WString line;
    if (state_.Room().IsGambleGame()) {
        line = u"Game is over.";
    } else if (end->lastResult == kInvalidResult) {
        line = u"The game became invalid.";
    } else {
        const char16_t* what = end->reason == 2 ? u"has withdrawn, so the game has ended."
                                                : u"has disconnected, so the game has ended.";
        line = state_.Room().gameType == quill::game_type::kSixBalls
                   ? quill::Format(u"%s %s", end->nickname, what)
                   : quill::Format(u"%s %s (%s %d)", end->nickname, what, u"WP", end->withdrawalPoints);
    }
    chat_.AddLine(line, kRed);
    if (GameTable* table = stage_.Table()) table->SetState(kWaitingState);
    state_.Model().CountTeamsInPlay();
    AfterGameSeating();
    SceneRoomGame::PlaySound(kEndSound);
    state_.Room().shooterSeat = state_.MasterSeat();
    shotRoad_.GiveTableToMaster(2.0f);
    if (!state_.Room().IsGambleGame()) dialogs_.Results()->SetVisible(true);
    equipment_.Check();
}

// After a game: the local player keeps his seat when he can pay for the next one, else he gives it up.
void RoomGameEnd::AfterGameSeating() {
    quill::PlayerState& local = connection_.LocalPlayer();
    const quill::PlayerState* seat = state_.SeatRecord(state_.LocalSeat());
    bool seated = seat != nullptr && seat->team > 0;
    const auto kind = static_cast<uint8_t>(connection_.GetChannelType(-1));
    if (seated && connection_.GetRoomInfo().RequiredMoney(local.money, kind) > 0) {
        seated = false;
        sender_.SendByte(quill::MessageId::RoomSlotRequest, 0);
    }
    local.gameFlags[quill::PlayerState::kSeatedFlag] = seated ? 1 : 0;
    seats_.StartReady()->OnGameEnd();
    seats_.StartReady()->SetSeat(seated && seat != nullptr ? seat->team : 0);
    if (!state_.IsObserving()) seats_.StartReady()->ShowPanel();
    seats_.RefreshStartButton();
    seats_.Board()->OnGameEnd();
    seats_.Board()->Refresh(state_.Model(), state_.Room());
}

void RoomGameEnd::OnGameSettlement(quill::Packet& packet) {
    const std::optional<GameSettlementMessage> settlement = ReadGameSettlement(packet);
    if (!settlement) return;
    dialogs_.Results()->SetGrid(settlement->teamCount, settlement->membersPerTeam);
    int32_t unfinished = 0;
    bool localTookPart = false;
    int32_t column = 0;
    for (const GameSettlementMessage::Team& team : settlement->teams) {
        quill::TeamState* record = team.id < kRoomTeams ? &state_.Model().teams[team.id] : nullptr;
        if (record != nullptr) record->result = team.result;
        if (team.result == 0) ++unfinished;
        for (size_t row = 0; row < team.members.size(); ++row) {
            quill::PlayerState* player = record != nullptr ? record->MemberAt(static_cast<uint32_t>(row)) : nullptr;
            if (player == nullptr) continue;
            const GameSettlementMessage::Member& member = team.members[row];
            if (player->seat == state_.LocalSeat()) localTookPart = true;
            if (member.settled) {
                seats_.ApplyMoney(static_cast<uint8_t>(player->seat), member.money);
                player->status = member.status;
            }
            dialogs_.Results()->SetRow(column, static_cast<int32_t>(row), player->name, team.result,
                                       static_cast<int32_t>(member.points), player->money, member.rank);
        }
        ++column;
    }
    SceneRoomGame::PlaySound(kSettleSound);
    if (!state_.Room().IsGambleGame()) dialogs_.Results()->SetVisible(true);
    if (unfinished >= 2) {
        // The game goes on without the teams that finished.
        for (const GameSettlementMessage::Team& team : settlement->teams) {
            if (team.result == 0 || team.id == 0 || team.id >= kRoomTeams) continue;
            state_.Model().RetireTeam(team.id, 0, 0);
            state_.Model().CompactTurnOrder(team.id);
        }
        state_.Model().NextTurn();
        if (localTookPart) {
            seats_.StartReady()->SetSeat(0);
            // The rejoin window: six-ball players out of the game may pay the stake again and join (control 13).
            if (state_.Room().gameType == quill::game_type::kSixBalls && !state_.IsLocalPlayerInGame())
                seats_.JoinButton()->Show(true);
        }
        seats_.Board()->Refresh(state_.Model(), state_.Room());
        return;
    }
    for (quill::PlayerState& seat : state_.Model().players) seat.gameFlags[quill::PlayerState::kBettingFlag] = 0;
    SceneRoomGame::QueueAnnouncement(kGameOverVoice);
    state_.Model().CountTeamsInPlay();
    const quill::PlayerState* local = state_.SeatRecord(state_.LocalSeat());
    connection_.LocalPlayer().gameFlags[quill::PlayerState::kSeatedFlag] = local != nullptr && local->team > 0 ? 1 : 0;
    ReturnToWaiting();
    AfterGameSeating();
}

void RoomGameEnd::OnPlayerAllIn(quill::Packet& packet) {
    const std::optional<SeatValueMessage> allIn = ReadSeatValue(packet, SeatValueWidth::kNone);
    if (!allIn || !IsRoomSeat(allIn->seat)) return;
    quill::PlayerState& seat = state_.Model().players[allIn->seat];
    chat_.AddLine(quill::Format(u"%s 님이 올인 되었습니다.", seat.name), kRed);
    seats_.ApplyMoney(allIn->seat, 0);
    SceneRoomGame::PlaySound(kEndSound);
    SceneRoomGame::QueueAnnouncement(kAllInVoice);
    if (state_.Model().teamsInPlay < 3) {
        state_.SetRunning(false);
        state_.Model().running = 0;
        state_.SetShotInFlight(false);
        state_.Room().state = 0;
        state_.Model().CountTeamsInPlay();
        if (GameTable* table = stage_.Table()) table->SetState(kWaitingState);
        state_.Room().shooterSeat = state_.MasterSeat();
        shotRoad_.GiveTableToMaster(2.0f);
    } else if (seat.team > 0) {
        const auto team = static_cast<uint8_t>(seat.team);
        state_.Model().RetireTeam(team, 0, 0);
        state_.Model().CompactTurnOrder(team);
    }
    AfterGameSeating();
}

void RoomGameEnd::ReturnToWaiting() {
    state_.SetRunning(false);
    state_.Model().running = 0;
    state_.SetShotInFlight(false);
    state_.Room().state = 0;
    seats_.Board()->OnGameEnd();
    seats_.Board()->Refresh(state_.Model(), state_.Room());
    seats_.StartReady()->OnGameEnd();
    if (GameTable* table = stage_.Table()) table->SetState(kWaitingState);
    state_.Room().shooterSeat = state_.MasterSeat();
    shotRoad_.GiveTableToMaster(2.0f);
    state_.Model().CountReadyMembers();
    items_.ReadOptionSwitches();
}

void RoomGameEnd::OnRoomTimer(quill::Packet& packet) {
    if (!ReadThreeWords(packet)) return;
    SceneRoomGame::PlaySound(kRoomTimerSound);
    state_.Model().CountTeamsInPlay();
    ReturnToWaiting();
    dialogs_.ContinueWindow()->SetVisible(true);
}

}  // namespace kestrovan
