// The room's packet slot: every server message the connection hands to the room goes, by one table from its
// id, to one handler; an id the room does not know changes nothing. The notices that are only a line in the
// chat or a box are told here in full, the game's flow, the shot road and the parts' messages where their
// state is. Runs on the dispatch thread under the room lock.
#include <algorithm>

#include "QuillLib/core/Format.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/App.h"
#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/lobby/LobbyMessages.h"
#include "client/scenes/room/InviteWindow.h"
#include "client/scenes/room/LevelUpPopup.h"
#include "client/scenes/room/OpponentRequestAcceptPopup.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/PointRulePanel.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ScoreBoard.h"
#include "client/scenes/room/ScoreTrack.h"
#include "client/scenes/room/WithdrawQuestion.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/scenes/room/TimeLimitNotice.h"
#include "client/table/GameTable.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"

namespace kestrovan {

namespace {

using quill::MessageId;

constexpr uint32_t kEnterSound = 33;
constexpr uint32_t kRoomTimerSound = 21;
constexpr uint32_t kSignalSound = 6;
constexpr uint32_t kRackSound = 27;
constexpr int32_t kWaitingState = 4;
constexpr int32_t kWatchingState = 7;
constexpr uint8_t kGameRunning = 2;
constexpr uint32_t kIdleMinutesShown = 180;
constexpr uint16_t kTargetLineLevel = 10;

bool IsStakeMode(uint8_t mode) {
    return mode == 2 || mode == 5;
}

}  // namespace

int SceneRoomGame::OnPacket(quill::MessageId id, quill::Packet& packet) {
    quill::ScopedLock hold(lock_);
    if (const PacketHandler handler = FindPacketHandler(id)) handler(*this, packet);
    return 0;
}

// The room's one table from message id to handler.
SceneRoomGame::PacketHandler SceneRoomGame::FindPacketHandler(quill::MessageId id) {
    struct Route {
        MessageId id;
        PacketHandler handler;
    };
    using Room = SceneRoomGame;
    using Packet = quill::Packet;
    static constexpr Route kRoutes[] = {
        // The game's flow.
        {MessageId::GameStart, [](Room& room, Packet& packet) { room.flow_.OnGameStart(packet); }},
        {MessageId::TurnResult, [](Room& room, Packet& packet) { room.flow_.OnTurnResult(packet); }},
        {MessageId::BreakRerack, [](Room& room, Packet& packet) { room.flow_.OnBreakRerack(packet); }},
        {MessageId::GroupDetermined, [](Room& room, Packet& packet) { room.flow_.OnBallGroups(packet, false); }},
        {MessageId::EightBallShot, [](Room& room, Packet& packet) { room.flow_.OnBallGroups(packet, true); }},
        {MessageId::PointRuleUpdate, [](Room& room, Packet& packet) { room.flow_.OnPointRuleUpdate(packet); }},
        {MessageId::ScoreUpdate, [](Room& room, Packet& packet) { room.flow_.OnScoreUpdate(packet); }},
        {MessageId::GameEnd, [](Room& room, Packet& packet) { room.flow_.OnGameEnd(packet); }},
        {MessageId::GameSettlement, [](Room& room, Packet& packet) { room.flow_.OnGameSettlement(packet); }},
        {MessageId::PlayerAllIn, [](Room& room, Packet& packet) { room.flow_.OnPlayerAllIn(packet); }},
        {MessageId::GameStateSync, [](Room& room, Packet& packet) { room.flow_.OnGameStateSync(packet); }},
        {MessageId::RoomTimer, [](Room& room, Packet& packet) { room.flow_.OnRoomTimer(packet); }},
        {MessageId::Jackpot, [](Room& room, Packet& packet) { room.flow_.OnJackpot(packet); }},
        // The shot road.
        {MessageId::AimState, [](Room& room, Packet& packet) { room.flow_.OnRelayedAim(packet); }},
        {MessageId::Shot, [](Room& room, Packet& packet) { room.flow_.OnRelayedShot(packet); }},
        {MessageId::BallPlacementRelay, [](Room& room, Packet& packet) { room.flow_.OnBallPlacementRelay(packet); }},
        {MessageId::TableStateRequest, [](Room& room, Packet&) { room.flow_.OnTableStateRequest(); }},
        {MessageId::TableStateSync, [](Room& room, Packet& packet) { room.flow_.OnTableStateSync(packet); }},
        {MessageId::TablePlacement, [](Room& room, Packet& packet) { room.flow_.OnTablePlacement(packet); }},
        {MessageId::TableEvent, [](Room& room, Packet& packet) { room.OnTableEvent(packet); }},
        {MessageId::PocketCallRelay, [](Room& room, Packet& packet) { room.flow_.OnPocketCallRelay(packet); }},
        {MessageId::TableSignal, [](Room& room, Packet& packet) { room.flow_.OnTableSignal(packet); }},
        {MessageId::SeatCueUpdate, [](Room& room, Packet& packet) { room.OnSeatCueUpdate(packet); }},
        {MessageId::ItemStats, [](Room& room, Packet& packet) { room.items_.OnItemStats(packet); }},
        // The room's members and seats.
        {MessageId::RoomSnapshot, [](Room& room, Packet& packet) { room.OnRoomSnapshot(packet); }},
        {MessageId::RoomMemberEntered, [](Room& room, Packet& packet) { room.OnMemberEntered(packet); }},
        {MessageId::RoomMemberInfo, [](Room& room, Packet& packet) { room.OnMemberInfo(packet); }},
        {MessageId::RoomMemberLeft, [](Room& room, Packet& packet) { room.OnMemberLeft(packet); }},
        {MessageId::RoomMasterChanged, [](Room& room, Packet& packet) { room.OnMasterChanged(packet); }},
        {MessageId::SeatChanged, [](Room& room, Packet& packet) { room.OnSeatChanged(packet); }},
        {MessageId::PlayerSlotUpdate, [](Room& room, Packet& packet) { room.OnSlotUpdate(packet); }},
        {MessageId::PlayerJoinedGame, [](Room& room, Packet& packet) { room.OnPlayerJoined(packet); }},
        {MessageId::PlayerWithdrew, [](Room& room, Packet& packet) { room.OnPlayerWithdrew(packet); }},
        {MessageId::PlayerReconnected, [](Room& room, Packet& packet) { room.OnPlayerReconnected(packet); }},
        {MessageId::PlayerDropped, [](Room& room, Packet& packet) { room.OnPlayerDropped(packet); }},
        {MessageId::UserLocationNotice, [](Room& room, Packet& packet) { room.OnUserLocation(packet); }},
        {MessageId::ShotBetState, [](Room& room, Packet& packet) { room.OnSeatNotice(MessageId::ShotBetState, packet); }},
        {MessageId::HighRunRecord, [](Room& room, Packet& packet) { room.OnSeatNotice(MessageId::HighRunRecord, packet); }},
        {MessageId::HandicapChanged,
         [](Room& room, Packet& packet) { room.OnSeatNotice(MessageId::HandicapChanged, packet); }},
        {MessageId::PlayerMoney, [](Room& room, Packet& packet) { room.OnSeatNotice(MessageId::PlayerMoney, packet); }},
        {MessageId::LevelUp, [](Room& room, Packet& packet) { room.OnLevelUp(packet); }},
        {MessageId::RoomOptionsChanged, [](Room& room, Packet& packet) { room.OnRoomOptions(packet); }},
        {MessageId::RoomCounters, [](Room&, Packet& packet) { ReadThreeWords(packet); }},
        {MessageId::RoomValue1223, [](Room&, Packet& packet) { ReadRoomValue(packet); }},
        // The room itself: errors, closing, leaving, inviting.
        {MessageId::RoomError, [](Room& room, Packet& packet) { room.OnRoomError(packet); }},
        {MessageId::RoomClosed, [](Room& room, Packet&) { room.OnRoomClosed(); }},
        {MessageId::ExitNotAllowed, [](Room& room, Packet&) { room.OnExitNotAllowed(); }},
        {MessageId::InvitableUsersList, [](Room& room, Packet& packet) { room.dialogs_.Invite()->OnList(packet); }},
        {MessageId::OpponentRequest, [](Room& room, Packet& packet) { room.dialogs_.OnOpponentRequest(packet); }},
        {MessageId::RequestRefused, [](Room& room, Packet& packet) { room.dialogs_.OnRequestRefused(packet); }},
        {MessageId::RoomPrompt1191, [](Room& room, Packet& packet) { room.dialogs_.OnWithdrawPrompt(packet); }},
        {MessageId::ShotRegistered,
         [](Room& room, Packet&) { room.app_.Scenes().ShowNoticeBox(&room, u"It is registered to the Shot gallery."); }},
        // Items and money.
        {MessageId::ItemUseResult, [](Room& room, Packet& packet) { room.items_.OnItemUseResult(packet); }},
        {MessageId::ItemQuantity, [](Room& room, Packet& packet) { room.items_.OnItemQuantity(packet); }},
        {MessageId::ItemBuyResult, [](Room& room, Packet& packet) { room.items_.OnItemBuyResult(packet); }},
        {MessageId::MoneyLimitReached, [](Room& room, Packet& packet) { room.OnMoneyLimit(packet); }},
        // Lines in the chat.
        {MessageId::RoomChat, [](Room& room, Packet& packet) { room.chat_.OnRoomChat(packet); }},
        {MessageId::SystemNotice, [](Room& room, Packet& packet) { room.OnSystemNotice(packet); }},
        {MessageId::ChatBanned, [](Room& room, Packet& packet) { room.OnChatBanned(packet); }},
        {MessageId::UnbanResult, [](Room& room, Packet& packet) { room.OnUnbanResult(packet); }},
        {MessageId::ChatBanNotice, [](Room& room, Packet& packet) { room.OnChatBanNotice(packet); }},
        {MessageId::ServerLine, [](Room& room, Packet&) { room.OnChatBannedForAnHour(); }},
        {MessageId::ChatBanByName, [](Room& room, Packet& packet) { room.OnChatBanByName(packet); }},
        {MessageId::ReportNotice, [](Room& room, Packet& packet) { room.OnReportNotice(packet); }},
        {MessageId::RaceTournamentNotice, [](Room& room, Packet& packet) { room.OnRaceTournamentNotice(packet); }},
        {MessageId::RoomBanResult, [](Room& room, Packet& packet) { room.OnRoomBanResult(packet); }},
        {MessageId::PrizeNotice, [](Room& room, Packet& packet) { room.OnPrizeNotice(packet); }},
    };
    static_assert(
        [] {
            for (size_t a = 0; a < std::size(kRoutes); ++a) {
                for (size_t b = a + 1; b < std::size(kRoutes); ++b) {
                    if (kRoutes[a].id == kRoutes[b].id) return false;
                }
            }
            return true;
        }(),
        "each message id has one handler");
    const auto route = std::find_if(std::begin(kRoutes), std::end(kRoutes), [id](const Route& r) { return r.id == id; });
    return route != std::end(kRoutes) ? route->handler : nullptr;
}

// --- the room's small notices ---

void SceneRoomGame::OnRoomError(quill::Packet& packet) {
    if (!HasPayloadByte(packet)) return;
    const uint8_t code = packet.ReadU8();
    if (code == 0) {
        EnableLeaving(true);
        RequestSceneChange(SceneId::Lobby);
    } else if (code == 1) {
        app_.Scenes().ShowErrorBox(this, u"error", u"this message will not show");
    }
}

void SceneRoomGame::OnRoomClosed() {
    app_.Scenes().ShowNoticeBox(this, u"The room is closed. Moving to the lobby.");
}

void SceneRoomGame::OnExitNotAllowed() {
    EnableLeaving(true);
    app_.Scenes().ShowNoticeBox(this, u"You are not allowed to exit during the game. Please withdraw the game "
                                      u"from the ESC menu if you really want to leave the room.");
}

void SceneRoomGame::OnSystemNotice(quill::Packet& packet) {
    if (const auto text = ReadRoomText(packet)) AddChatLine(*text, kYellow);
}

void SceneRoomGame::OnChatBanNotice(quill::Packet& packet) {
    for (const quill::WString& name : ReadChatBanNotice(packet)) {
        AddChatLine(quill::Format(u"%s %s", name, u"has blocked you from chatting."), kRed);
    }
}

void SceneRoomGame::OnChatBannedForAnHour() {
    AddChatLine(u"You are banned from chatting for an hour because you have been blocked by several users.", kRed);
}

void SceneRoomGame::OnChatBanByName(quill::Packet& packet) {
    if (const auto name = ReadRoomText(packet)) {
        AddChatLine(quill::Format(u"%s %s", *name, u"is banned from chatting."), kRed);
    }
}

void SceneRoomGame::OnReportNotice(quill::Packet& packet) {
    const auto name = ReadRoomText(packet);
    if (!name) return;
    AddChatLine(quill::Format(u"%s Reported message.", *name), kYellow);
    AddChatLine(u"Punishment will be applied if your message is considered as abusive language.", kYellow);
    AddChatLine(u"In case of a false report, the reporter will be punished.", kYellow);
}

void SceneRoomGame::OnRaceTournamentNotice(quill::Packet& packet) {
    if (!HasPayloadByte(packet)) return;
    const uint8_t kind = packet.ReadU8();
    const TournamentRecord tournament = connection_.Tournament();
    if (kind == 2) AddChatLine(u"** Race tournament is taking place. (Tournament channel)", kGreen);
    if (kind == 1) {
        AddChatLine(quill::Format(u"Race tournament starts at %d:%d. (Tournament channel)", tournament.head[0],
                                  tournament.head[1]),
                    kGreen);
    }
    if (kind == 0) AddChatLine(u"** Today's tournament has ended.", kGreen);
}

void SceneRoomGame::OnPlayerReconnected(quill::Packet& packet) {
    const auto back = ReadPlayerReconnected(packet);
    if (!back || !IsRoomSeat(back->seat)) return;
    quill::PlayerState& seat = model_.players[back->seat];
    seat.gameFlags[quill::PlayerState::kDroppedFlag] = back->dropped;
    MarkDropped(static_cast<int8_t>(back->seat), back->dropped != 0);
    AddChatLine(quill::Format(u"%s has logged in again and has been connected to the game.", seat.name), kGreen);
    playerBoard_->Refresh(model_, room_);
}

void SceneRoomGame::OnUserLocation(quill::Packet& packet) {
    const auto location = ReadSeatLocation(packet);
    if (!location || !IsRoomSeat(location->seat)) return;
    quill::PlayerState& seat = model_.players[location->seat];
    seat.memberValue = location->value;
    seat.locationText = location->text;
}

void SceneRoomGame::OnRoomBanResult(quill::Packet& packet) {
    const auto ban = ReadRoomBanResult(packet);
    if (!ban) return;
    if (ban->result != 0) {
        app_.Scenes().ShowErrorBox(this, u"A player playing in the game cannot be banned.");
        return;
    }
    AddChatLine(quill::Format(u"%s %s", ban->nickname, u"has been banned."), kRed);
    if (masterSeat_ == localSeat_) AddChatLine(u"Enter '/unban nickname' to cancel.", kRed);
}

void SceneRoomGame::OnPrizeNotice(quill::Packet& packet) {
    if (const auto prize = ReadPrizeNotice(packet)) {
        AddChatLine(quill::Format(u"★ %s 님 잭팟 %s 획득! (%d채널 %d번방)", prize->nickname, FormatMoney(prize->amount),
                                  prize->channel, prize->room),
                    kMagenta);
    }
}

// --- the room's members ---

quill::WString SceneRoomGame::SeatName(int32_t seat) const {
    return IsRoomSeat(seat) ? model_.players[static_cast<size_t>(seat)].name : quill::WString();
}

void SceneRoomGame::ShowMemberCount(uint8_t count, uint8_t capacity) {
    room_.playerCount = count;
    room_.maxPlayers = capacity;
    AddChatLine(quill::Format(u"(%d/%d)", count, capacity), kWhite);
}

void SceneRoomGame::OnRoomSnapshot(quill::Packet& packet) {
    const std::optional<RoomSnapshotMessage> snapshot = ReadRoomSnapshot(packet);
    if (!snapshot) return;
    GameTable* table = stage_.Table();
    flow_.PointRule()->SetNumber(static_cast<uint64_t>(snapshot->idleValue));
    observe_ = snapshot->observe != 0;
    room_.state = snapshot->roomState;
    room_.playerCount = snapshot->memberCount;
    room_.maxPlayers = snapshot->capacity;
    room_.firstCueBall = snapshot->cueBall;
    room_.inningTime = snapshot->turnTime;
    room_.stake = snapshot->stake;
    flow_.ApplySnapshot(snapshot->roomState == kGameRunning, snapshot->rule, snapshot->marker, snapshot->gameValue);
    equipment_.Set(snapshot->tableItem, snapshot->ballSetItem);
    masterSeat_ = IsRoomSeat(snapshot->masterSeat) ? static_cast<int8_t>(snapshot->masterSeat) : -1;
    if (IsRoomSeat(snapshot->localSeat)) {
        // The local player's own record moves to the seat the server gave him.
        quill::PlayerState& from = model_.players[0];
        quill::PlayerState& to = model_.players[snapshot->localSeat];
        if (&from != &to) {
            model_.RemovePlayer(&from);
            to.ResetSeat();
            to.name = from.name;
            to.accountId = from.accountId;
            to.userId = from.userId;
            to.level = from.level;
            to.money = from.money;
            to.ratingByType = from.ratingByType;
            from.ResetSeat();
            to.seat = static_cast<int8_t>(snapshot->localSeat);
            to.team = 0;
            model_.AddPlayer(&to, 0, 1);
        }
        localSeat_ = static_cast<int8_t>(snapshot->localSeat);
        chat_.ColourInputForSeat(snapshot->localSeat);
    }
    room_.shooterSeat = IsRoomSeat(snapshot->shooterSeat) ? static_cast<int8_t>(snapshot->shooterSeat) : masterSeat_.load();
    clocks_.Turn().StartTurn(platform::TimeGetTime() - snapshot->turnElapsedMs);
    clocks_.Turn().SetLimit(static_cast<int8_t>(room_.inningTime));
    if (table != nullptr) {
        table->Reset(snapshot->seed);
        table->SetCueBallIndex(snapshot->cueBall);
    }
    const bool master = masterSeat_ == localSeat_;
    playerBoard_->SetStake(room_.stake);
    playerBoard_->SetMaster(master);
    playerBoard_->Refresh(model_, room_);
    startReady_->SetMasterFlag(master);
    startReady_->SetMaster(true);
    if (flow_.IsRunning() && connection_.GetChannelType(-1) == kTournamentChannel) {
        flow_.Score()->OnGameStart();
    } else if (flow_.IsRunning()) {
        flow_.FillPointRuleBoard(0);
        flow_.PointRule()->SetRule(static_cast<quill::GameType>(room_.gameType), flow_.RuleBytes().kind);
        flow_.PointRule()->ShowRule(flow_.RuleBytes().kind >= 1);
    } else {
        startReady_->ShowPanel();
        startReady_->Refresh();
    }
    flow_.ShotBet()->SetBetOpen(false);
    if (observe_) startReady_->SetVisible(false);
    const bool mayAct = master ? !flow_.IsRunning() || IsLocalTurn() : flow_.IsRunning() && IsLocalTurn();
    if (!observe_ && mayAct && table != nullptr) {
        table->SetState(kWaitingState);
        flow_.TakeTable(true);
        if (flow_.IsPocketMode()) PlaySound(kRackSound);
    } else {
        AddChatLine(flow_.IsRunning() ? u"The game is running now so only speculation is allowed."
                                 : u"The game has not started yet.",
                    kYellow);
        if (table != nullptr) {
            table->SetState(flow_.IsRunning() ? kWatchingState : kWaitingState);
            table->SetControlEnabled(false);
            table->MoveCamera(0.5f, CameraController::kKeep, CameraController::kKeep, false);
        }
    }
    const uint32_t idleMs = static_cast<uint32_t>(snapshot->idleValue & 0xFFFFFFFF);
    if (!flow_.IsRunning() && idleMs / 1000 > kIdleMinutesShown) {
        AddChatLine(quill::Format(u"A game has not been started in %d minutes.", idleMs / 60000), kGreen);
    }
    if (connection_.GetChannelType(-1) == kTournamentChannel && connection_.ConnectionFlag() != 0) {
        app_.Scenes().ShowNoticeBox(this, quill::Format(u"If you participate in the tournament, a fee of %s will be charged.",
                                                        FormatMoney(connection_.ConnectionValue())));
    }
    ShowLevelRange();
    flow_.Receiving()->Show(!master);
    items_.ReadOptionSwitches();
    flow_.ReevaluateContinue();
}

void SceneRoomGame::FillSeat(const RoomPlayerRecord& record) {
    quill::PlayerState& seat = model_.players[record.seat];
    seat.name = record.nickname;
    seat.accountId = record.userId;
    seat.userId = record.memberId;
    seat.level = record.level;
    seat.money = record.money;
    if (quill::IsGameTypeIndex(static_cast<quill::GameType>(room_.gameType))) {
        seat.ratingByType[room_.gameType] = record.rating;
        seat.cueIdByType[room_.gameType] = record.cueItem;
    }
    seat.ready = record.ready;
    seat.status = record.status;
    seat.seat = static_cast<int8_t>(record.seat);
}

void SceneRoomGame::OnMemberEntered(quill::Packet& packet) {
    const std::optional<MemberEnteredMessage> entered = ReadMemberEntered(packet);
    if (!entered || !IsRoomSeat(entered->player.seat)) return;
    const RoomPlayerRecord& record = entered->player;
    quill::PlayerState& seat = model_.players[record.seat];
    model_.RemovePlayer(&seat);
    seat.ResetSeat();
    FillSeat(record);
    seat.team = 0;
    AddChatLine(quill::Format(u"%s entered room. (%d withdrawals out of 10 games, a total of %d withdrawals)",
                              record.nickname, record.recentWithdrawals, record.withdrawals),
                kLightBlue);
    if (seat.IsStatus3Or4()) AddChatLine(quill::Format(u"%s is banned from chatting.", record.nickname), kRed);
    ShowMemberCount(entered->memberCount, entered->capacity);
    model_.AddPlayer(&seat, 0, 1);
    model_.CountReadyMembers();
    SetSeatCue(record.seat, record.cueItem, TableSceneStage::kStockParts);
    if (masterSeat_ == localSeat_ && !flow_.IsRunning()) {
        model_.DrawTurnOrder(0);
        startReady_->Refresh();
    }
    playerBoard_->Refresh(model_, room_);
    RefreshStartButton();
    PlaySound(kEnterSound);
    if (app_.GetSettings().roomOption != 0 && !Player().chatTexts[0].empty()) {
        SendChat(Player().chatTexts[0], false);
    }
}

void SceneRoomGame::OnMemberInfo(quill::Packet& packet) {
    const std::optional<RoomPlayerRecord> record = ReadRoomPlayer(packet);
    if (!record || !IsRoomSeat(record->seat)) return;
    FillSeat(*record);
    AddChatLine(quill::Format(u"%s : %d withdrawals out of 10 games, a total of %d withdrawals", record->nickname,
                              record->recentWithdrawals, record->withdrawals),
                kLightBlue);
    if (model_.players[record->seat].IsStatus3Or4()) {
        AddChatLine(quill::Format(u"%s is banned from chatting.", record->nickname), kRed);
    }
    if (record->seat == static_cast<uint8_t>(masterSeat_.load()) && !flow_.IsRunning()) {
        AddChatLine(u"Room master can play practice game.", kLightBlue);
    }
    playerBoard_->Refresh(model_, room_);
}

void SceneRoomGame::OnMemberLeft(quill::Packet& packet) {
    const std::optional<MemberLeftMessage> left = ReadMemberLeft(packet);
    if (!left || !IsRoomSeat(left->seat)) return;
    quill::PlayerState& seat = model_.players[left->seat];
    const quill::WString name = seat.name;
    const bool wasShooter = flow_.IsRunning() && seat.team > 0 && seat.seat == room_.shooterSeat;
    model_.RemovePlayer(&seat);
    model_.CountTeamsInPlay();
    if (wasShooter) {
        const uint8_t next = model_.NextTurn();
        if (IsRoomSeat(next)) room_.shooterSeat = static_cast<int8_t>(next);
        if (IsLocalTurn()) playerBoard_->RefreshMatchLine(model_);
    }
    if (GameTable* table = stage_.Table(); table != nullptr && seatCues_[left->seat] != nullptr) {
        if (table->CurrentCue() != seatCues_[left->seat]) table->ReleaseCue(seatCues_[left->seat]);
        seatCues_[left->seat] = nullptr;
    }
    seat.ResetSeat();
    playerBoard_->Refresh(model_, room_);
    if (masterSeat_ == localSeat_ && !flow_.IsRunning()) startReady_->Refresh();
    if (left->reasonB == 3) {
        AddChatLine(quill::Format(u"%s %s", name, u"has been disconnected."), kGreen);
    } else if (left->reasonA != 2) {
        AddChatLine(quill::Format(u"%s %s", name, u"has left room."), kGreen);
    } else {
        AddChatLine(quill::Format(u"%s 님은 접속종료 처리되었습니다.", name), kGreen);
    }
    ShowMemberCount(left->memberCount, room_.maxPlayers);
    RefreshStartButton();
    flow_.ReevaluateContinue();
}

void SceneRoomGame::OnMasterChanged(quill::Packet& packet) {
    const std::optional<MasterChangedMessage> changed = ReadMasterChanged(packet);
    if (!changed || !IsRoomSeat(changed->seat)) return;
    MarkMaster(changed->seat);
    const quill::PlayerState& master = model_.players[changed->seat];
    const bool local = masterSeat_ == localSeat_;
    startReady_->SetMaster(false);
    if (!flow_.IsRunning()) {
        room_.shooterSeat = masterSeat_;
        if (local) {
            flow_.GiveTableToMaster(1.0f);
            model_.CountReadyMembers();
        }
    }
    equipment_.Check();
    items_.ReadOptionSwitches();
    playerBoard_->Refresh(model_, room_);
    AddChatLine(quill::Format(u"%s is the room master.", master.name), kGreen);
}

// The room's new master: seated, and marked on the player board and the start panel.
void SceneRoomGame::MarkMaster(uint8_t seat) {
    masterSeat_ = static_cast<int8_t>(seat);
    model_.players[seat].ready = 1;
    const bool local = masterSeat_ == localSeat_;
    playerBoard_->SetMaster(local);
    startReady_->SetMasterFlag(local);
}

void SceneRoomGame::OnSeatChanged(quill::Packet& packet) {
    const std::optional<SeatValueMessage> changed = ReadSeatValue(packet, SeatValueWidth::kByte);
    if (!changed || !IsRoomSeat(changed->seat)) return;
    quill::PlayerState& seat = model_.players[changed->seat];
    seat.ready = static_cast<uint8_t>(changed->value);
    if (changed->seat == static_cast<uint8_t>(localSeat_.load())) {
        Player().gameFlags[quill::PlayerState::kSeatedFlag] = static_cast<uint8_t>(changed->value);
    }
    if (changed->seat == static_cast<uint8_t>(masterSeat_.load())) seat.ready = 1;
    // The state names the team the player sits in (0: watching).
    const auto team = static_cast<uint8_t>(std::min<uint32_t>(changed->value, kRoomTeams - 1));
    model_.MovePlayer(&seat, team);
    model_.CountReadyMembers();
    model_.DrawTurnOrder(0);
    playerBoard_->Refresh(model_, room_);
    RefreshStartButton();
}

void SceneRoomGame::OnSlotUpdate(quill::Packet& packet) {
    const std::optional<SeatValueMessage> update = ReadSeatValue(packet, SeatValueWidth::kByte);
    if (!update || !IsRoomSeat(update->seat)) return;
    quill::PlayerState& seat = model_.players[update->seat];
    seat.ready = update->seat == static_cast<uint8_t>(masterSeat_.load()) ? 1 : static_cast<uint8_t>(update->value);
    model_.CountReadyMembers();
    playerBoard_->Refresh(model_, room_);
    if (masterSeat_ == localSeat_ && !flow_.IsRunning()) startReady_->Refresh();
    RefreshStartButton();
}

void SceneRoomGame::OnPlayerJoined(quill::Packet& packet) {
    const std::optional<PlayerJoinedMessage> joined = ReadPlayerJoined(packet);
    if (!joined || !IsRoomSeat(joined->seat) || joined->team >= kRoomTeams) return;
    quill::PlayerState& seat = model_.players[joined->seat];
    seat.ResetGameFields();
    ApplyMoney(joined->seat, joined->money);
    if (joined->seat != static_cast<uint8_t>(localSeat_.load())) {
        AddChatLine(quill::Format(u"%s has joined the game.", seat.name), kGreen);
    } else if (IsStakeMode(room_.gameType)) {
        AddChatLine(quill::Format(u"%s has been removed for game fee", FormatMoney(2 * int64_t{room_.stake})), kGreen);
        if (joined->penalty > 0) {
            AddChatLine(quill::Format(u"Penalty %s gold have been charged.", FormatMoney(joined->penalty)), kGreen);
        }
    } else if (room_.gameType == quill::game_type::kSixBalls) {
        AddChatLine(quill::Format(u"Betting gold %s has been removed.", FormatMoney(room_.stake)), kGreen);
    }
    flow_.AddGameValue(IsStakeMode(room_.gameType) ? joined->gameValueIncrease
                  : room_.gameType == quill::game_type::kSixBalls ? room_.stake
                                                                   : 0);
    model_.MovePlayer(&seat, joined->team);
    model_.teams[joined->team].SetState(joined->teamState);
    playerBoard_->Refresh(model_, room_);
}

void SceneRoomGame::OnPlayerWithdrew(quill::Packet& packet) {
    const std::optional<SeatValueMessage> withdrew = ReadSeatValue(packet, SeatValueWidth::kNone);
    if (!withdrew || !IsRoomSeat(withdrew->seat)) return;
    quill::PlayerState& seat = model_.players[withdrew->seat];
    AddChatLine(quill::Format(u"%s %s", seat.name,
                              flow_.IsRunning() ? u"has withdrawn and lost the game." : u"has ended the game."),
                kGreen);
    const int8_t team = seat.team;
    model_.MovePlayer(&seat, 0);
    if (team > 0) model_.CompactTurnOrder(static_cast<uint8_t>(team));
    if (seat.seat == room_.shooterSeat) {
        const uint8_t next = model_.NextTurn();
        if (IsRoomSeat(next)) room_.shooterSeat = static_cast<int8_t>(next);
    }
    if (withdrew->seat == static_cast<uint8_t>(localSeat_.load())) {
        flow_.TakeTable(false);
        if (GameTable* table = stage_.Table()) table->SetControlEnabled(false);
        startReady_->OnGameEnd();
    }
    playerBoard_->Refresh(model_, room_);
}

void SceneRoomGame::OnRoomOptions(quill::Packet& packet) {
    const std::optional<RoomOptionsMessage> options = ReadRoomOptions(packet);
    if (!options) return;
    room_.title = options->title;
    room_.setting = options->option;
    room_.optionFlags = options->flags;
    topBar_.ShowTitle(room_);
    equipment_.Set(options->tableItem, options->ballSetItem);
    if (flow_.IsRunning()) {
        AddChatLine(quill::Format(u"(%d/%d)", options->changesMade, options->changesAllowed), kGreen);
        AddChatLine(u"Change of table/ball is allowed once during the game.", kGreen);
    }
    equipment_.Check();
}

// The master may start once every playing team is complete and ready.
void SceneRoomGame::RefreshStartButton() {
    if (masterSeat_ != localSeat_ || flow_.IsRunning()) return;
    model_.CountReadyMembers();
    startReady_->SetStartEnabled(model_.CanStart());
}

// --- notices ---

void SceneRoomGame::OnChatBanned(quill::Packet& packet) {
    const std::optional<ChatBannedMessage> banned = ReadChatBanned(packet);
    if (!banned) return;
    switch (banned->kind) {
        case 0:
            AddChatLine(quill::Format(u"%s %s", banned->nickname, u"is banned from chatting."), kRed);
            break;
        case 1:
            AddChatLine(u"Chatting is blocked for 30 minutes.", kRed);
            AddChatLine(u"Enter '/unblock nickname' to cancel blocking.", kRed);
            break;
        case 2:
            AddChatLine(quill::Format(u"%s %s", banned->nickname, u"blocked you from chatting."), kRed);
            break;
        case 3:
            AddChatLine(u"You are banned from chatting for an hour because you have been blocked by several users.",
                        kRed);
            break;
        default:
            break;
    }
}

void SceneRoomGame::OnUnbanResult(quill::Packet& packet) {
    const std::optional<UnbanResultMessage> unban = ReadUnbanResult(packet);
    if (!unban) return;
    if (unban->kind == 23) {
        AddChatLine(unban->result == 1 ? u"Ban is cancelled." : u"The user is not banned from this room.", kRed);
    } else if (unban->kind == 24) {
        AddChatLine(unban->result == 0   ? u"Chatting ban has been removed."
                    : unban->result == 1 ? u"Not a banned user."
                                         : u"Cancellation is not allowed if the user has not logged on.",
                    kRed);
    }
}

void SceneRoomGame::OnSeatNotice(quill::MessageId id, quill::Packet& packet) {
    if (id == MessageId::PlayerMoney) {
        const auto money = ReadPlayerMoney(packet);
        if (!money || !IsRoomSeat(money->seat)) return;
        ApplyMoney(money->seat, money->money);
        playerBoard_->Refresh(model_, room_);
        return;
    }
    const SeatValueWidth width = id == MessageId::ShotBetState ? SeatValueWidth::kByte : SeatValueWidth::kWord;
    const std::optional<SeatValueMessage> notice = ReadSeatValue(packet, width);
    if (!notice || !IsRoomSeat(notice->seat)) return;
    quill::PlayerState& seat = model_.players[notice->seat];
    const bool local = notice->seat == static_cast<uint8_t>(localSeat_.load());
    const bool typed = quill::IsGameTypeIndex(static_cast<quill::GameType>(room_.gameType));
    if (id == MessageId::ShotBetState) {
        seat.gameFlags[quill::PlayerState::kBettingFlag] = static_cast<uint8_t>(notice->value);
        flow_.ShotBet()->AddBetLine(seat.name, static_cast<uint8_t>(notice->value));
    } else if (id == MessageId::HighRunRecord) {
        if (local && typed) Player().typeRecordA[room_.gameType] = static_cast<uint16_t>(notice->value);
        AddChatLine(quill::Format(u"%s has renewed the highest singe-cue hits to %d ", seat.name, notice->value),
                    kLightBlue);
        return;
    } else if (id == MessageId::HandicapChanged && typed) {
        const uint16_t before = seat.ratingByType[room_.gameType];
        if (notice->value > before) {
            AddChatLine(quill::Format(u"%s's handi hass increased to %d", seat.name, notice->value), kLightBlue);
        } else if (notice->value < before) {
            AddChatLine(quill::Format(u"%s's hadni has decreased to %d", seat.name, notice->value), kLightBlue);
        }
        seat.ratingByType[room_.gameType] = static_cast<uint16_t>(notice->value);
        if (local) Player().ratingByType[room_.gameType] = static_cast<uint16_t>(notice->value);
    }
    playerBoard_->Refresh(model_, room_);
}

void SceneRoomGame::OnPlayerDropped(quill::Packet& packet) {
    const std::optional<SeatValueMessage> dropped = ReadSeatValue(packet, SeatValueWidth::kByte);
    if (!dropped || !IsRoomSeat(dropped->seat)) return;
    quill::PlayerState& seat = model_.players[dropped->seat];
    AddChatLine(quill::Format(u"%s is dropped. Wainting for reconnect.", seat.name), kGreen);
    if (model_.playersPerTeam == 1 && model_.teamsInPlay == 2) {
        AddChatLine(u"May lose unless reconnecting to the game within 3 inn.(3min).", kGreen);
        AddChatLine(u"Will lose unless reconnecting to the game within 6 inn.(5min).", kGreen);
        AddChatLine(u"In a 1:1 mode, if the other player withdraws, then the game will become invalid.", kGreen);
    }
    seat.gameFlags[quill::PlayerState::kDroppedFlag] = 1;
    MarkDropped(static_cast<int8_t>(dropped->seat), true);
    // The byte names the room's master after the drop.
    const auto master = static_cast<uint8_t>(dropped->value);
    if (IsRoomSeat(master) && master != static_cast<uint8_t>(masterSeat_.load())) MarkMaster(master);
    playerBoard_->Refresh(model_, room_);
}

void SceneRoomGame::OnLevelUp(quill::Packet& packet) {
    const std::optional<LevelUpMessage> level = ReadLevelUp(packet);
    if (!level || !IsRoomSeat(level->seat)) return;
    quill::PlayerState& seat = model_.players[level->seat];
    seat.level = level->level;
    seat.experience = level->value;
    if (level->seat == static_cast<uint8_t>(localSeat_.load())) {
        Player().level = level->level;
        Player().experience = level->value;
        dialogs_.LevelUp()->SetVisible(true);
        if (level->level == kTargetLineLevel) {
            AddChatLine(u"Target line may be used when the level is over 10 respectively", kYellow);
        }
    }
    AddChatLine(quill::Format(u"%s's level has raised to %d.", seat.name, level->level), kLightBlue);
}

void SceneRoomGame::OnMoneyLimit(quill::Packet& packet) {
    const std::optional<MoneyLimitMessage> limit = ReadMoneyLimit(packet);
    if (!limit) return;
    quill::PlayerState& local = Player();
    local.money = limit->money;
    local.cueMoney = limit->cueMoney;
    local.goldValues = limit->goldValues;
    const int64_t most = local.GetLevelMoneyLimit();
    if (local.money >= most) {
        AddChatLine(quill::Format(u"Owned cue money has surpassed the limit. (limit %s)", FormatMoney(most)), kYellow);
        AddChatLine(u"Gained amount will not be added because the limit has been surpassed.", kYellow);
    }
}

// --- seats ---

void SceneRoomGame::OnTableEvent(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    if (table == nullptr || !HasPayloadByte(packet)) return;
    const auto seat = static_cast<int8_t>(packet.ReadU8());
    int32_t x = 0;
    int32_t y = 0;
    if (!IsRoomSeat(seat) || !table->ReceivePenPoint(seat, packet, &x, &y)) return;
    const quill::PlayerState& record = model_.players[static_cast<size_t>(seat)];
    seatNames_[static_cast<size_t>(seat)]->SetTextF(u"%s", record.name);
    seatNames_[static_cast<size_t>(seat)]->SetPosition(x, y);
    seatNames_[static_cast<size_t>(seat)]->Show(true);
}

void SceneRoomGame::OnSeatCueUpdate(quill::Packet& packet) {
    const std::optional<SeatCueMessage> cue = ReadSeatCue(packet);
    if (!cue || !IsRoomSeat(cue->seat)) return;
    quill::PlayerState& record = model_.players[cue->seat];
    if (quill::IsGameTypeIndex(static_cast<quill::GameType>(room_.gameType))) {
        record.cueIdByType[room_.gameType] = static_cast<uint16_t>(cue->cueItem);
    }
    SetSeatCue(cue->seat, static_cast<uint16_t>(cue->cueItem), cue->parts);
}

// The seat's cue object: the entry of the item and parts, the old one let go once the table no longer shows it.
void SceneRoomGame::SetSeatCue(uint8_t seat, uint16_t cueItem, const std::array<uint16_t, 5>& parts) {
    GameTable* table = stage_.Table();
    if (table == nullptr || !IsRoomSeat(seat)) return;
    CueModelEntry* entry = table->GetCueModel(cueItem, parts[0], parts[1], parts[2], parts[3], parts[4]);
    CueModelEntry* old = seatCues_[seat];
    seatCues_[seat] = entry;
    if (seat == static_cast<uint8_t>(room_.shooterSeat) || table->CurrentCue() == old) table->SetCurrentCue(entry);
    if (old != nullptr) table->ReleaseCue(old);
}

}  // namespace kestrovan
