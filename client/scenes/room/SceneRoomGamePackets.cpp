// The room's packet slot: every server message the connection hands to the room goes, by the routes from its
// id, to one handler; an id the room does not know changes nothing. Each part adds the routes of the messages
// about what it holds (the game's flow, the shot road, the seats, the items, the windows, the chat); the
// notices that are only a line in the chat or a box are told here in full. Runs on the dispatch thread under
// the widget-tree lock.
#include <algorithm>

#include "QuillLib/core/Format.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/SoundIds.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/messages/LobbyMessages.h"
#include "client/scenes/room/InviteWindow.h"
#include "client/scenes/room/LevelUpPopup.h"
#include "client/scenes/room/OpponentRequestAcceptPopup.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/PointRulePanel.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ScoreBoard.h"
#include "client/scenes/room/ScoreTrack.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/scenes/room/TimeLimitNotice.h"
#include "client/scenes/room/WithdrawQuestion.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/SharedUtilities.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableRack.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"

namespace kestrovan {

namespace {

using quill::MessageId;

constexpr int32_t kWaitingState = 4;
constexpr int32_t kWatchingState = 7;
constexpr uint8_t kGameRunning = 2;
constexpr uint32_t kIdleMinutesShown = 180;

}  // namespace

int SceneRoomGame::OnPacket(quill::MessageId id, quill::Packet& packet) {
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::OnPacket");
    routes_.Deliver(id, packet);
    return 0;
}

// The routes of the screen's own notices; each part adds the routes of the messages about what it holds.
void SceneRoomGame::AddRoutes() {
    using quill::Packet;
    chat_.AddRoutes(routes_);
    items_.AddRoutes(routes_);
    dialogs_.AddRoutes(routes_);
    shotRoad_.AddRoutes(routes_);
    flow_.AddRoutes(routes_);
    end_.AddRoutes(routes_);
    seats_.AddRoutes(routes_);
    routes_.Add(MessageId::RoomSnapshot, [this](Packet& packet) { OnRoomSnapshot(packet); });
    routes_.Add(MessageId::RoomOptionsChanged, [this](Packet& packet) { OnRoomOptions(packet); });
    routes_.Add(MessageId::RoomCounters, [](Packet& packet) { ReadThreeWords(packet); });
    routes_.Add(MessageId::RoomValue1223, [](Packet& packet) { ReadRoomValue(packet); });
    // The room itself: errors, closing, leaving, a registered shot.
    routes_.Add(MessageId::RoomError, [this](Packet& packet) { OnRoomError(packet); });
    routes_.Add(MessageId::RoomClosed, [this](Packet&) { OnRoomClosed(); });
    routes_.Add(MessageId::ExitNotAllowed, [this](Packet&) { OnExitNotAllowed(); });
    routes_.Add(MessageId::ShotRegistered,
                [this](Packet&) { app_.Scenes().ShowNoticeBox(this, u"It is registered to the Shot gallery."); });
    routes_.Add(MessageId::MoneyLimitReached, [this](Packet& packet) { OnMoneyLimit(packet); });
    // Lines in the chat.
    routes_.Add(MessageId::SystemNotice, [this](Packet& packet) { OnSystemNotice(packet); });
    routes_.Add(MessageId::ChatBanned, [this](Packet& packet) { OnChatBanned(packet); });
    routes_.Add(MessageId::UnbanResult, [this](Packet& packet) { OnUnbanResult(packet); });
    routes_.Add(MessageId::ChatBanNotice, [this](Packet& packet) { OnChatBanNotice(packet); });
    routes_.Add(MessageId::ServerLine, [this](Packet&) { OnChatBannedForAnHour(); });
    routes_.Add(MessageId::ChatBanByName, [this](Packet& packet) { OnChatBanByName(packet); });
    routes_.Add(MessageId::ReportNotice, [this](Packet& packet) { OnReportNotice(packet); });
    routes_.Add(MessageId::RaceTournamentNotice, [this](Packet& packet) { OnRaceTournamentNotice(packet); });
    routes_.Add(MessageId::RoomBanResult, [this](Packet& packet) { OnRoomBanResult(packet); });
    routes_.Add(MessageId::PrizeNotice, [this](Packet& packet) { OnPrizeNotice(packet); });
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

void SceneRoomGame::OnRoomBanResult(quill::Packet& packet) {
    const auto ban = ReadRoomBanResult(packet);
    if (!ban) return;
    if (ban->result != 0) {
        app_.Scenes().ShowErrorBox(this, u"A player playing in the game cannot be banned.");
        return;
    }
    AddChatLine(quill::Format(u"%s %s", ban->nickname, u"has been banned."), kRed);
    if (state_.IsLocalMaster()) AddChatLine(u"Enter '/unban nickname' to cancel.", kRed);
}

void SceneRoomGame::OnPrizeNotice(quill::Packet& packet) {
    if (const auto prize = ReadPrizeNotice(packet)) {
        AddChatLine(quill::Format(u"★ %s 님 잭팟 %s 획득! (%d채널 %d번방)", prize->nickname, FormatMoney(prize->amount),
                                  prize->channel, prize->room),
                    kMagenta);
    }
}

// --- the room's members ---

void SceneRoomGame::OnRoomSnapshot(quill::Packet& packet) {
    const std::optional<RoomSnapshotMessage> snapshot = ReadRoomSnapshot(packet);
    if (!snapshot) return;
    GameTable* table = stage_.Table();
    quill::RoomInfo& room = state_.Room();
    flow_.PointRule()->SetNumber(static_cast<uint64_t>(snapshot->idleValue));
    state_.SetObserving(snapshot->observe != 0);
    room.state = snapshot->roomState;
    room.playerCount = snapshot->memberCount;
    room.maxPlayers = snapshot->capacity;
    room.firstCueBall = snapshot->cueBall;
    room.inningTime = snapshot->turnTime;
    room.stake = snapshot->stake;
    flow_.ApplySnapshot(snapshot->roomState == kGameRunning, snapshot->rule, snapshot->marker, snapshot->gameValue);
    equipment_.Set(snapshot->tableItem, snapshot->ballSetItem);
    state_.SetMasterSeat(IsRoomSeat(snapshot->masterSeat) ? static_cast<int8_t>(snapshot->masterSeat) : -1);
    if (IsRoomSeat(snapshot->localSeat)) {
        state_.MoveLocalPlayerTo(snapshot->localSeat);
        state_.SetLocalSeat(static_cast<int8_t>(snapshot->localSeat));
        chat_.ColourInputForSeat(snapshot->localSeat);
    }
    room.shooterSeat =
        IsRoomSeat(snapshot->shooterSeat) ? static_cast<int8_t>(snapshot->shooterSeat) : state_.MasterSeat();
    clocks_.Turn().StartTurn(platform::TimeGetTime() - snapshot->turnElapsedMs);
    clocks_.Turn().SetLimit(static_cast<int8_t>(room.inningTime));
    if (table != nullptr) {
        table->Reset(snapshot->seed);
        table->Rack().SetCueBallIndex(snapshot->cueBall);
    }
    const bool master = state_.IsLocalMaster();
    seats_.Board()->SetStake(room.stake);
    seats_.Board()->SetMaster(master);
    seats_.Board()->Refresh(state_.Model(), room);
    seats_.StartReady()->SetMasterFlag(master);
    seats_.StartReady()->SetMaster(true);
    const bool running = state_.IsRunning();
    if (running && connection_.GetChannelType(-1) == kTournamentChannel) {
        flow_.Score()->OnGameStart();
    } else if (running) {
        flow_.FillPointRuleBoard(0);
        flow_.PointRule()->SetRule(static_cast<quill::GameType>(room.gameType), flow_.RuleBytes().kind);
        flow_.PointRule()->ShowRule(flow_.RuleBytes().kind >= 1);
    } else {
        seats_.StartReady()->ShowPanel();
        seats_.StartReady()->Refresh();
    }
    flow_.ShotBet()->SetBetOpen(false);
    if (state_.IsObserving()) seats_.StartReady()->SetVisible(false);
    const bool mayAct = master ? !running || state_.IsLocalTurn() : running && state_.IsLocalTurn();
    if (!state_.IsObserving() && mayAct && table != nullptr) {
        table->SetState(kWaitingState);
        shotRoad_.TakeTable(true);
        if (state_.IsPocketMode()) PlaySound(sound_id::kRackChime);
    } else {
        AddChatLine(running ? u"The game is running now so only speculation is allowed."
                            : u"The game has not started yet.",
                    kYellow);
        if (table != nullptr) {
            table->SetState(running ? kWatchingState : kWaitingState);
            table->Turn().SetControlEnabled(false);
            table->Cameras().MoveCamera(0.5f, CameraController::kKeep, CameraController::kKeep, false);
        }
    }
    const uint32_t idleMs = static_cast<uint32_t>(snapshot->idleValue & 0xFFFFFFFF);
    if (!running && idleMs / 1000 > kIdleMinutesShown) {
        AddChatLine(quill::Format(u"A game has not been started in %d minutes.", idleMs / 60000), kGreen);
    }
    // The fee of the race the tournament notice told of (the value and flag of the login are the school's).
    if (const TournamentRecord race = connection_.Tournament();
        connection_.GetChannelType(-1) == kTournamentChannel && race.running != 0) {
        app_.Scenes().ShowNoticeBox(this, quill::Format(u"If you participate in the tournament, a fee of %s will be charged.",
                                                        FormatMoney(race.EntryFee())));
    }
    ShowLevelRange();
    shotRoad_.Receiving()->Show(!master);
    items_.ReadOptionSwitches();
    flow_.ReevaluateContinue();
}

void SceneRoomGame::OnRoomOptions(quill::Packet& packet) {
    const std::optional<RoomOptionsMessage> options = ReadRoomOptions(packet);
    if (!options) return;
    quill::RoomInfo& room = state_.Room();
    room.title = options->title;
    room.setting = options->option;
    room.optionFlags = options->flags;
    topBar_.ShowTitle(room);
    equipment_.Set(options->tableItem, options->ballSetItem);
    if (state_.IsRunning()) {
        AddChatLine(quill::Format(u"(%d/%d)", options->changesMade, options->changesAllowed), kGreen);
        AddChatLine(u"Change of table/ball is allowed once during the game.", kGreen);
    }
    equipment_.Check();
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

}  // namespace kestrovan
