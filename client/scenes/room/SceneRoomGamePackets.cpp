// The room's packet slot: every server message the connection hands to the room, by id, to one handler each;
// an id the room does not know changes nothing. The notices that are only a line in the chat or a box are told
// here in full, the game's flow and the shot road in their own files. Runs on the dispatch thread under the
// room lock.
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
    if (!OnFlowPacket(id, packet) && !OnShotPacket(id, packet) && !OnMemberPacket(id, packet) &&
        !OnItemPacket(id, packet)) {
        OnNoticePacket(id, packet);
    }
    return 0;
}

bool SceneRoomGame::OnFlowPacket(quill::MessageId id, quill::Packet& packet) {
    switch (id) {
        case MessageId::GameStart: OnGameStart(packet); return true;
        case MessageId::TurnResult: OnTurnResult(packet); return true;
        case MessageId::BreakRerack: OnBreakRerack(packet); return true;
        case MessageId::GroupDetermined: OnBallGroups(packet, false); return true;
        case MessageId::EightBallShot: OnBallGroups(packet, true); return true;
        case MessageId::PointRuleUpdate: OnPointRuleUpdate(packet); return true;
        case MessageId::ScoreUpdate: OnScoreUpdate(packet); return true;
        case MessageId::GameEnd: OnGameEnd(packet); return true;
        case MessageId::GameSettlement: OnGameSettlement(packet); return true;
        case MessageId::PlayerAllIn: OnPlayerAllIn(packet); return true;
        case MessageId::GameStateSync: OnGameStateSync(packet); return true;
        case MessageId::RoomTimer:
            if (ReadThreeWords(packet)) {
                PlaySound(kRoomTimerSound);
                model_.CountTeamsInPlay();
                ReturnToWaiting();
                timeLimit_->SetVisible(true);
            }
            return true;
        default: return false;
    }
}

bool SceneRoomGame::OnShotPacket(quill::MessageId id, quill::Packet& packet) {
    GameTable* table = stage_.Table();
    switch (id) {
        case MessageId::AimState: OnRelayedAim(packet); return true;
        case MessageId::Shot: OnRelayedShot(packet); return true;
        case MessageId::BallPlacementRelay: OnBallPlacementRelay(packet); return true;
        case MessageId::TableStateRequest: OnTableStateRequest(); return true;
        case MessageId::TableStateSync:
            if (table != nullptr) table->PensAndMarks().ReadTableMarks(packet);
            return true;
        case MessageId::TablePlacement: OnTablePlacement(packet); return true;
        case MessageId::TableEvent: OnTableEvent(packet); return true;
        case MessageId::PocketCallRelay: OnPocketCallRelay(packet); return true;
        case MessageId::TableSignal:
            if (HasPayloadByte(packet) && table != nullptr) {
                PlaySound(kSignalSound);
                table->StartAmbientEffect(platform::TimeGetTime());
            }
            return true;
        case MessageId::SeatCueUpdate: OnSeatCueUpdate(packet); return true;
        case MessageId::ItemStats: OnItemStats(packet); return true;
        default: return false;
    }
}

bool SceneRoomGame::OnMemberPacket(quill::MessageId id, quill::Packet& packet) {
    switch (id) {
        case MessageId::RoomSnapshot: OnRoomSnapshot(packet); return true;
        case MessageId::RoomMemberEntered: OnMemberEntered(packet); return true;
        case MessageId::RoomMemberInfo: OnMemberInfo(packet); return true;
        case MessageId::RoomMemberLeft: OnMemberLeft(packet); return true;
        case MessageId::RoomMasterChanged: OnMasterChanged(packet); return true;
        case MessageId::SeatChanged: OnSeatChanged(packet); return true;
        case MessageId::PlayerSlotUpdate: OnSlotUpdate(packet); return true;
        case MessageId::PlayerJoinedGame: OnPlayerJoined(packet); return true;
        case MessageId::PlayerWithdrew: OnPlayerWithdrew(packet); return true;
        case MessageId::RoomOptionsChanged: OnRoomOptions(packet); return true;
        case MessageId::RoomChat: OnRoomChat(packet); return true;
        case MessageId::RoomCounters: ReadThreeWords(packet); return true;
        case MessageId::RoomError:
            if (HasPayloadByte(packet)) {
                const uint8_t code = packet.ReadU8();
                if (code == 0) {
                    EnableLeaving(true);
                    RequestSceneChange(SceneId::Lobby);
                } else if (code == 1) {
                    app_.Scenes().ShowErrorBox(this, u"error", u"this message will not show");
                }
            }
            return true;
        case MessageId::RoomClosed:
            app_.Scenes().ShowNoticeBox(this, u"The room is closed. Moving to the lobby.");
            return true;
        case MessageId::ExitNotAllowed:
            EnableLeaving(true);
            app_.Scenes().ShowNoticeBox(this, u"You are not allowed to exit during the game. Please withdraw the game "
                                              u"from the ESC menu if you really want to leave the room.");
            return true;
        case MessageId::InvitableUsersList: invite_->OnList(packet); return true;
        default: return false;
    }
}

bool SceneRoomGame::OnItemPacket(quill::MessageId id, quill::Packet& packet) {
    switch (id) {
        case MessageId::ItemUseResult: OnItemUseResult(packet); return true;
        case MessageId::ItemQuantity: OnItemQuantity(packet); return true;
        case MessageId::ItemBuyResult:
            if (const auto answer = ShopAnswers::ReadItemBuy(packet, {})) {
                if (answer->result == 0 && answer->mode != 3) {
                    Player().money = answer->cash;
                    Player().cueMoney = answer->cueMoney;
                }
                const std::vector<quill::WString> lines = ItemBuyResultLines(*answer);
                app_.Scenes().ShowNoticeBox(this, lines[0], lines.size() > 1 ? quill::WStringView(lines[1]) : u"");
            }
            return true;
        default: return false;
    }
}

bool SceneRoomGame::OnNoticePacket(quill::MessageId id, quill::Packet& packet) {
    switch (id) {
        case MessageId::SystemNotice:
            if (const auto text = ReadRoomText(packet)) AddChatLine(*text, kYellow);
            return true;
        case MessageId::ChatBanned: OnChatBanned(packet); return true;
        case MessageId::UnbanResult: OnUnbanResult(packet); return true;
        case MessageId::ChatBanNotice:
            for (const quill::WString& name : ReadChatBanNotice(packet)) {
                AddChatLine(quill::Format(u"%s %s", name, u"has blocked you from chatting."), kRed);
            }
            return true;
        case MessageId::ServerLine:
            AddChatLine(u"You are banned from chatting for an hour because you have been blocked by several users.",
                        kRed);
            return true;
        case MessageId::ChatBanByName:
            if (const auto name = ReadRoomText(packet)) {
                AddChatLine(quill::Format(u"%s %s", *name, u"is banned from chatting."), kRed);
            }
            return true;
        case MessageId::ShotRegistered:
            app_.Scenes().ShowNoticeBox(this, u"It is registered to the Shot gallery.");
            return true;
        case MessageId::ReportNotice:
            if (const auto name = ReadRoomText(packet)) {
                AddChatLine(quill::Format(u"%s Reported message.", *name), kYellow);
                AddChatLine(u"Punishment will be applied if your message is considered as abusive language.", kYellow);
                AddChatLine(u"In case of a false report, the reporter will be punished.", kYellow);
            }
            return true;
        case MessageId::RaceTournamentNotice:
            if (HasPayloadByte(packet)) {
                const uint8_t kind = packet.ReadU8();
                const TournamentRecord tournament = connection_.Tournament();
                if (kind == 2) AddChatLine(u"** Race tournament is taking place. (Tournament channel)", kGreen);
                if (kind == 1) {
                    AddChatLine(quill::Format(u"Race tournament starts at %d:%d. (Tournament channel)",
                                              tournament.head[0], tournament.head[1]),
                                kGreen);
                }
                if (kind == 0) AddChatLine(u"** Today's tournament has ended.", kGreen);
            }
            return true;
        case MessageId::PlayerReconnected:
            if (const auto back = ReadPlayerReconnected(packet); back && IsRoomSeat(back->seat)) {
                quill::PlayerState& seat = model_.players[back->seat];
                seat.gameFlags[quill::PlayerState::kDroppedFlag] = back->dropped;
                MarkDropped(static_cast<int8_t>(back->seat), back->dropped != 0);
                AddChatLine(quill::Format(u"%s has logged in again and has been connected to the game.", seat.name),
                            kGreen);
                playerBoard_->Refresh(model_, room_);
            }
            return true;
        case MessageId::UserLocationNotice:
            if (const auto location = ReadSeatLocation(packet); location && IsRoomSeat(location->seat)) {
                quill::PlayerState& seat = model_.players[location->seat];
                seat.memberValue = location->value;
                seat.locationText = location->text;
            }
            return true;
        case MessageId::RoomBanResult:
            if (const auto ban = ReadRoomBanResult(packet)) {
                if (ban->result != 0) {
                    app_.Scenes().ShowErrorBox(this, u"A player playing in the game cannot be banned.");
                } else {
                    AddChatLine(quill::Format(u"%s %s", ban->nickname, u"has been banned."), kRed);
                    if (masterSeat_ == localSeat_) AddChatLine(u"Enter '/unban nickname' to cancel.", kRed);
                }
            }
            return true;
        case MessageId::ShotBetState:
        case MessageId::HighRunRecord:
        case MessageId::HandicapChanged:
        case MessageId::PlayerMoney:
            OnSeatNotice(id, packet);
            return true;
        case MessageId::LevelUp: OnLevelUp(packet); return true;
        case MessageId::MoneyLimitReached: OnMoneyLimit(packet); return true;
        case MessageId::RoomValue1223:
            ReadRoomValue(packet);
            return true;
        case MessageId::PlayerDropped: OnPlayerDropped(packet); return true;
        case MessageId::Jackpot: OnJackpot(packet); return true;
        case MessageId::PrizeNotice:
            if (const auto prize = ReadPrizeNotice(packet)) {
                AddChatLine(quill::Format(u"★ %s 님 잭팟 %s 획득! (%d채널 %d번방)", prize->nickname,
                                          FormatMoney(prize->amount), prize->channel, prize->room),
                            kMagenta);
            }
            return true;
        case MessageId::OpponentRequest:
            if (const auto request = ReadOpponentRequest(packet)) {
                opponentAnswer_->SetRequest(request->nickname, request->kind);
                opponentAnswer_->SetVisible(true);
            }
            return true;
        case MessageId::RequestRefused:
            if (const auto refused = ReadTwoBytes(packet); refused && (*refused)[0] != 0 && (*refused)[1] != 2) {
                sender_.SendByte(MessageId::RoomRequest1189, (*refused)[1]);
                app_.Scenes().ShowNoticeBox(this, u"The opponent didn't accept the request.");
            }
            return true;
        case MessageId::RoomPrompt1191:
            if (const auto prompt = ReadSeatValue(packet, SeatValueWidth::kByte); prompt && IsRoomSeat(prompt->seat)) {
                withdrawQuestion_->SetTarget(model_.players[prompt->seat], static_cast<uint8_t>(prompt->value));
                withdrawQuestion_->SetVisible(true);
            }
            return true;
        default:
            return false;
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
    pointRule_->SetNumber(static_cast<uint64_t>(snapshot->idleValue));
    observe_ = snapshot->observe != 0;
    gameRunning_ = snapshot->roomState == kGameRunning;
    room_.state = snapshot->roomState;
    room_.playerCount = snapshot->memberCount;
    room_.maxPlayers = snapshot->capacity;
    room_.firstCueBall = snapshot->cueBall;
    room_.inningTime = snapshot->turnTime;
    room_.stake = snapshot->stake;
    ruleBytes_ = snapshot->rule;
    ruleMarker_ = snapshot->marker;
    gameValue_ = snapshot->gameValue;
    tableItem_ = snapshot->tableItem;
    ballSetItem_ = snapshot->ballSetItem;
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
        chatBox_->SetTextColors(kSeatChatColours[snapshot->localSeat], 0);
    }
    room_.shooterSeat = IsRoomSeat(snapshot->shooterSeat) ? static_cast<int8_t>(snapshot->shooterSeat) : masterSeat_.load();
    turnClock_.StartTurn(platform::TimeGetTime() - snapshot->turnElapsedMs);
    turnClock_.SetLimit(static_cast<int8_t>(room_.inningTime));
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
    if (gameRunning_ && connection_.GetChannelType(-1) == kTournamentChannel) {
        scoreBoard_->OnGameStart();
    } else if (gameRunning_) {
        FillPointRuleBoard(0);
        pointRule_->SetRule(static_cast<quill::GameType>(room_.gameType), ruleBytes_.kind);
        pointRule_->ShowRule(ruleBytes_.kind >= 1);
    } else {
        startReady_->ShowPanel();
        startReady_->Refresh();
    }
    shotBet_->SetBetOpen(false);
    if (observe_) startReady_->SetVisible(false);
    const bool mayAct = master ? !gameRunning_ || IsLocalTurn() : gameRunning_ && IsLocalTurn();
    if (!observe_ && mayAct && table != nullptr) {
        table->SetState(kWaitingState);
        TakeTable(true);
        if (IsPocketMode()) PlaySound(kRackSound);
    } else {
        AddChatLine(gameRunning_ ? u"The game is running now so only speculation is allowed."
                                 : u"The game has not started yet.",
                    kYellow);
        if (table != nullptr) {
            table->SetState(gameRunning_ ? kWatchingState : kWaitingState);
            table->SetControlEnabled(false);
            table->Cameras().MoveCamera(0.5f, CameraController::kKeep, CameraController::kKeep, false);
        }
    }
    const uint32_t idleMs = static_cast<uint32_t>(snapshot->idleValue & 0xFFFFFFFF);
    if (!gameRunning_ && idleMs / 1000 > kIdleMinutesShown) {
        AddChatLine(quill::Format(u"A game has not been started in %d minutes.", idleMs / 60000), kGreen);
    }
    if (connection_.GetChannelType(-1) == kTournamentChannel && connection_.ConnectionFlag() != 0) {
        app_.Scenes().ShowNoticeBox(this, quill::Format(u"If you participate in the tournament, a fee of %s will be charged.",
                                                        FormatMoney(connection_.ConnectionValue())));
    }
    ShowLevelRange();
    receiving_->Show(!master);
    ReadOptionSwitches();
    ReevaluateContinue();
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
    if (masterSeat_ == localSeat_ && !gameRunning_) {
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
    if (record->seat == static_cast<uint8_t>(masterSeat_.load()) && !gameRunning_) {
        AddChatLine(u"Room master can play practice game.", kLightBlue);
    }
    playerBoard_->Refresh(model_, room_);
}

void SceneRoomGame::OnMemberLeft(quill::Packet& packet) {
    const std::optional<MemberLeftMessage> left = ReadMemberLeft(packet);
    if (!left || !IsRoomSeat(left->seat)) return;
    quill::PlayerState& seat = model_.players[left->seat];
    const quill::WString name = seat.name;
    const bool wasShooter = gameRunning_ && seat.team > 0 && seat.seat == room_.shooterSeat;
    model_.RemovePlayer(&seat);
    model_.CountTeamsInPlay();
    if (wasShooter) {
        const uint8_t next = model_.NextTurn();
        if (IsRoomSeat(next)) room_.shooterSeat = static_cast<int8_t>(next);
        if (IsLocalTurn()) playerBoard_->RefreshMatchLine(model_);
    }
    if (GameTable* table = stage_.Table(); table != nullptr && seatCues_[left->seat] != nullptr) {
        if (table->CurrentCue() != seatCues_[left->seat]) table->CueModels().ReleaseCue(seatCues_[left->seat]);
        seatCues_[left->seat] = nullptr;
    }
    seat.ResetSeat();
    playerBoard_->Refresh(model_, room_);
    if (masterSeat_ == localSeat_ && !gameRunning_) startReady_->Refresh();
    if (left->reasonB == 3) {
        AddChatLine(quill::Format(u"%s %s", name, u"has been disconnected."), kGreen);
    } else if (left->reasonA != 2) {
        AddChatLine(quill::Format(u"%s %s", name, u"has left room."), kGreen);
    } else {
        AddChatLine(quill::Format(u"%s 님은 접속종료 처리되었습니다.", name), kGreen);
    }
    ShowMemberCount(left->memberCount, room_.maxPlayers);
    RefreshStartButton();
    ReevaluateContinue();
}

void SceneRoomGame::OnMasterChanged(quill::Packet& packet) {
    const std::optional<MasterChangedMessage> changed = ReadMasterChanged(packet);
    if (!changed || !IsRoomSeat(changed->seat)) return;
    MarkMaster(changed->seat);
    const quill::PlayerState& master = model_.players[changed->seat];
    const bool local = masterSeat_ == localSeat_;
    startReady_->SetMaster(false);
    if (!gameRunning_) {
        room_.shooterSeat = masterSeat_;
        if (local) {
            GiveTableToMaster(1.0f);
            model_.CountReadyMembers();
        }
    }
    CheckRoomEquipment();
    ReadOptionSwitches();
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
    if (masterSeat_ == localSeat_ && !gameRunning_) startReady_->Refresh();
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
    gameValue_ += IsStakeMode(room_.gameType) ? joined->gameValueIncrease
                  : room_.gameType == quill::game_type::kSixBalls ? room_.stake
                                                                   : 0;
    model_.MovePlayer(&seat, joined->team);
    model_.teams[joined->team].SetState(joined->teamState);
    playerBoard_->Refresh(model_, room_);
}

void SceneRoomGame::OnPlayerWithdrew(quill::Packet& packet) {
    const std::optional<SeatValueMessage> withdrew = ReadSeatValue(packet, SeatValueWidth::kNone);
    if (!withdrew || !IsRoomSeat(withdrew->seat)) return;
    quill::PlayerState& seat = model_.players[withdrew->seat];
    AddChatLine(quill::Format(u"%s %s", seat.name,
                              gameRunning_ ? u"has withdrawn and lost the game." : u"has ended the game."),
                kGreen);
    const int8_t team = seat.team;
    model_.MovePlayer(&seat, 0);
    if (team > 0) model_.CompactTurnOrder(static_cast<uint8_t>(team));
    if (seat.seat == room_.shooterSeat) {
        const uint8_t next = model_.NextTurn();
        if (IsRoomSeat(next)) room_.shooterSeat = static_cast<int8_t>(next);
    }
    if (withdrew->seat == static_cast<uint8_t>(localSeat_.load())) {
        TakeTable(false);
        if (GameTable* table = stage_.Table()) table->SetControlEnabled(false);
        startReady_->OnGameEnd();
    }
    playerBoard_->Refresh(model_, room_);
}

void SceneRoomGame::OnGameStateSync(quill::Packet& packet) {
    const std::optional<GameStateSyncMessage> sync = ReadGameStateSync(packet);
    if (!sync) return;
    inning_ = sync->inning;
    gameValue_ = sync->gameValue;
    gameClockOrigin_ = platform::TimeGetTime() - sync->elapsedMs;
    for (size_t place = 0; place < sync->teams.size(); ++place) {
        const GameStateSyncMessage::Team& block = sync->teams[place];
        if (block.id >= kRoomTeams) continue;
        quill::TeamState& team = model_.teams[block.id];
        team.SetState(block.state);
        team.score = static_cast<uint16_t>(block.score);
        team.SetBallGroup(block.ballGroup);
        model_.SetTurnOrder(static_cast<uint8_t>(place), block.id);
        for (size_t m = 0; m < block.members.size(); ++m) {
            quill::PlayerState* member = SeatRecord(block.members[m].seat);
            if (member == nullptr) continue;
            member->gameCounters[quill::PlayerState::kInningsCounter] = block.members[m].innings;
            member->gameCounters[quill::PlayerState::kPointsCounter] = block.members[m].points;
            PlaceMember(block.id, static_cast<uint8_t>(m), *member);
        }
    }
    if (IsRoomSeat(sync->shooterSeat)) {
        model_.FindPlayerTurn(sync->shooterSeat);
        room_.shooterSeat = static_cast<int8_t>(sync->shooterSeat);
    }
    playerBoard_->Refresh(model_, room_);
}

void SceneRoomGame::OnRoomOptions(quill::Packet& packet) {
    const std::optional<RoomOptionsMessage> options = ReadRoomOptions(packet);
    if (!options) return;
    room_.title = options->title;
    room_.setting = options->option;
    room_.optionFlags = options->flags;
    roomTitle_->SetText(room_.title);
    tableItem_ = options->tableItem;
    ballSetItem_ = options->ballSetItem;
    if (gameRunning_) {
        AddChatLine(quill::Format(u"(%d/%d)", options->changesMade, options->changesAllowed), kGreen);
        AddChatLine(u"Change of table/ball is allowed once during the game.", kGreen);
    }
    CheckRoomEquipment();
}

void SceneRoomGame::OnRoomChat(quill::Packet& packet) {
    const std::optional<RoomChatMessage> chat = ReadRoomChat(packet);
    if (!chat) return;
    const auto lineOf = [&](quill::WStringView text) {
        return chat->team == 1 ? quill::Format(u"(Team)%s : %s", chat->nickname, text)
                               : quill::Format(u"%s : %s", chat->nickname, text);
    };
    // A report quotes what was said; the chat box shows it through the word filter when the player has it on.
    receivedLines_.push_back(lineOf(chat->text));
    while (receivedLines_.size() > kReceivedLines) receivedLines_.pop_front();
    AddChatLine(lineOf(FilteredChat(chat->text)), IsRoomSeat(chat->seat) ? kSeatChatColours[chat->seat] : kWhite);
    if (chatSound_) PlaySound(19);
}

quill::WString SceneRoomGame::FilteredChat(quill::WStringView text) {
    if (app_.GetSettings().chatFilter == 0) return quill::WString(text);
    quill::WString copy;
    connection_.CopyAndCensor(text, copy);
    return copy;
}

// The master may start once every playing team is complete and ready.
void SceneRoomGame::RefreshStartButton() {
    if (masterSeat_ != localSeat_ || gameRunning_) return;
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
        shotBet_->AddBetLine(seat.name, static_cast<uint8_t>(notice->value));
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
        levelUp_->SetVisible(true);
        if (level->level == kTargetLineLevel) {
            AddChatLine(u"Target line may be used when the level is over 10 respectively", kYellow);
        }
    }
    AddChatLine(quill::Format(u"%s's level has raised to %d.", seat.name, level->level), kLightBlue);
}

void SceneRoomGame::OnJackpot(quill::Packet& packet) {
    const std::optional<JackpotMessage> jackpot = ReadJackpot(packet);
    if (!jackpot) return;
    pointRule_->SetNumber(jackpot->amount);
    scoreTrack_->ShowJackpotMark();
    AddChatLine(quill::Format(u"★ Gain %s's jackpot %s won", jackpot->nickname, FormatMoney(jackpot->amount)), kGreen);
    if (jackpot->nickname == Player().name && jackpot->count > 2) {
        AddChatLine(quill::Format(u"★ 잭팟 아이템 1회 사용 (%d배 적용)", jackpot->count), kGreen);
    }
    AddChatLine(u"(The higher the betting amount, the more the jackpot gaining amount)", kGreen);
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

}  // namespace kestrovan
