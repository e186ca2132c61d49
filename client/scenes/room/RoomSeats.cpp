#include "client/scenes/room/RoomSeats.h"

#include <algorithm>

#include "QuillLib/core/Format.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/MessengerPopup.h"
#include "client/app/ProfilePopup.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/PacketRouter.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/room/LevelUpPopup.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/RoomChat.h"
#include "client/scenes/room/RoomColours.h"
#include "client/scenes/room/RoomDialogs.h"
#include "client/scenes/room/RoomEquipment.h"
#include "client/scenes/room/RoomGameFlow.h"
#include "client/scenes/room/RoomItems.h"
#include "client/scenes/room/RoomShotRoad.h"
#include "client/scenes/room/RoomState.h"
#include "client/scenes/room/RoomWidgets.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/table/GameTable.h"
#include "client/table/SharedUtilities.h"
#include "client/table/TableCueModels.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

using namespace room_colour;

namespace {

using quill::MessageId;

constexpr uint32_t kEnterSound = 33;
constexpr uint16_t kTargetLineLevel = 10;

}  // namespace

RoomSeats::RoomSeats(const Context& room, RoomChat& chat, RoomGameFlow& flow, RoomDialogs& dialogs,
                     RoomItems& items, RoomEquipment& equipment, RoomShotRoad& shotRoad)
    : RoomPart(room),
      chat_(chat),
      flow_(flow),
      dialogs_(dialogs),
      items_(items),
      equipment_(equipment),
      shotRoad_(shotRoad) {}

void RoomSeats::BuildPanels(Widget& screen) {
    const AppEventPoster poster = PosterOf(app_);
    const auto notice = [this](quill::WStringView text) { app_.Scenes().ShowNoticeBox(&screen_, text); };
    const auto error = [this](quill::WStringView text) { app_.Scenes().ShowErrorBox(&screen_, text); };
    const auto playSound = [](uint32_t id) {
        if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->Play(id, 1.0f, 0, false);
    };
    startReady_ = AttachTo(screen, std::make_unique<StartReadyPanel>(connection_, poster, notice), true);
    PlayerBoard::Services board{&sender_, poster, notice, error, {}, {}, playSound};
    // The messenger's questions about a player, and the player's own profile on the table's game mode.
    board.openUserDialog = [this](const quill::PlayerState& player, int32_t action) {
        if (MessengerPopup* messenger = app_.Scenes().GetMessenger()) messenger->OpenUserDialog(player, action);
    };
    board.showOwnProfile = [this](int32_t, const quill::PlayerState& player) {
        if (ProfilePopup* profile = app_.Scenes().GetProfilePopup()) {
            profile->SetSelectedMode(state_.Room().gameType);
            profile->ShowLocal(screen_, player);
        }
    };
    playerBoard_ = AttachTo(screen, std::make_unique<PlayerBoard>(connection_, board), true);

    const ScreenSize size = app_.GetScreenSize();
    joinButton_ = screen.CreateButton(size.width - 300, size.height - 40, 86, 20, SceneRoomGame::kJoin, -1, kHudTexture,
                                      753, 102);
    joinButton_->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
    joinButton_->SetCaption(u"Join");
    joinButton_->SetAnchor(AnchorMode::Right, -208, AnchorMode::Bottom, -23);
    for (auto [balloon, caption] :
         {std::pair{&startBalloon_, u"Start please~"}, std::pair{&readyBalloon_, u"Ready please~"}}) {
        *balloon = screen.CreateImage(0, 0, 141, 127, kHudTexture, 873, 400);
        (*balloon)->SetAcceptsMouse(false);
        AddRoomLabel(**balloon, 20, 40, 110, 0xFF000000)->SetText(caption);
        (*balloon)->Show(false);
    }
    startBalloon_->SetAnchor(AnchorMode::Right, -150, AnchorMode::Bottom, -360);
    readyBalloon_->SetAnchor(AnchorMode::Right, -150, AnchorMode::VCentre, 0);
}

void RoomSeats::AddRoutes(PacketRouter& routes) {
    using quill::Packet;
    routes.Add(MessageId::RoomMemberEntered, [this](Packet& packet) { OnMemberEntered(packet); });
    routes.Add(MessageId::RoomMemberInfo, [this](Packet& packet) { OnMemberInfo(packet); });
    routes.Add(MessageId::RoomMemberLeft, [this](Packet& packet) { OnMemberLeft(packet); });
    routes.Add(MessageId::RoomMasterChanged, [this](Packet& packet) { OnMasterChanged(packet); });
    routes.Add(MessageId::SeatChanged, [this](Packet& packet) { OnSeatChanged(packet); });
    routes.Add(MessageId::PlayerSlotUpdate, [this](Packet& packet) { OnSlotUpdate(packet); });
    routes.Add(MessageId::PlayerJoinedGame, [this](Packet& packet) { OnPlayerJoined(packet); });
    routes.Add(MessageId::PlayerWithdrew, [this](Packet& packet) { OnPlayerWithdrew(packet); });
    routes.Add(MessageId::PlayerReconnected, [this](Packet& packet) { OnPlayerReconnected(packet); });
    routes.Add(MessageId::PlayerDropped, [this](Packet& packet) { OnPlayerDropped(packet); });
    routes.Add(MessageId::UserLocationNotice, [this](Packet& packet) { OnUserLocation(packet); });
    for (MessageId id : {MessageId::ShotBetState, MessageId::HighRunRecord, MessageId::HandicapChanged,
                         MessageId::PlayerMoney}) {
        routes.Add(id, [this, id](Packet& packet) { OnSeatNotice(id, packet); });
    }
    routes.Add(MessageId::LevelUp, [this](Packet& packet) { OnLevelUp(packet); });
    routes.Add(MessageId::TableEvent, [this](Packet& packet) { OnTableEvent(packet); });
    routes.Add(MessageId::SeatCueUpdate, [this](Packet& packet) { OnSeatCueUpdate(packet); });
}

// The seats' names beside their pen strokes on the table.
void RoomSeats::BuildSeatNames(Widget& screen) {
    for (TextLabel*& name : seatNames_) {
        name = AddRoomLabel(screen, 0, 0, 120, kWhite);
        name->Show(false);
    }
}

// A seat's money from the server; the local seat's is also the player's gold.
void RoomSeats::ApplyMoney(uint8_t seat, int64_t money) {
    quill::PlayerState* record = state_.SeatRecord(seat);
    if (record == nullptr) return;
    record->money = money;
    if (seat == state_.LocalSeat()) connection_.LocalPlayer().money = money;
}

void RoomSeats::ShowMemberCount(uint8_t count, uint8_t capacity) {
    state_.Room().playerCount = count;
    state_.Room().maxPlayers = capacity;
    chat_.AddLine(quill::Format(u"(%d/%d)", count, capacity), kWhite);
}

void RoomSeats::FillSeat(const RoomPlayerRecord& record) {
    quill::PlayerState& seat = state_.Model().players[record.seat];
    seat.name = record.nickname;
    seat.accountId = record.userId;
    seat.userId = record.memberId;
    seat.level = record.level;
    seat.money = record.money;
    if (quill::IsGameTypeIndex(static_cast<quill::GameType>(state_.Room().gameType))) {
        seat.ratingByType[state_.Room().gameType] = record.rating;
        seat.cueIdByType[state_.Room().gameType] = record.cueItem;
    }
    seat.ready = record.ready;
    seat.status = record.status;
    seat.seat = static_cast<int8_t>(record.seat);
}

void RoomSeats::OnMemberEntered(quill::Packet& packet) {
    const std::optional<MemberEnteredMessage> entered = ReadMemberEntered(packet);
    if (!entered || !IsRoomSeat(entered->player.seat)) return;
    const RoomPlayerRecord& record = entered->player;
    quill::PlayerState& seat = state_.Model().players[record.seat];
    state_.Model().RemovePlayer(&seat);
    seat.ResetSeat();
    FillSeat(record);
    seat.team = 0;
    chat_.AddLine(quill::Format(u"%s entered room. (%d withdrawals out of 10 games, a total of %d withdrawals)",
                                record.nickname, record.recentWithdrawals, record.withdrawals),
                kLightBlue);
    if (seat.IsStatus3Or4()) chat_.AddLine(quill::Format(u"%s is banned from chatting.", record.nickname), kRed);
    ShowMemberCount(entered->memberCount, entered->capacity);
    state_.Model().AddPlayer(&seat, 0, 1);
    state_.Model().CountReadyMembers();
    SetSeatCue(record.seat, record.cueItem, TableSceneStage::kStockParts);
    if (state_.IsLocalMaster() && !state_.IsRunning()) {
        state_.Model().DrawTurnOrder(0);
        startReady_->Refresh();
    }
    playerBoard_->Refresh(state_.Model(), state_.Room());
    RefreshStartButton();
    SceneRoomGame::PlaySound(kEnterSound);
    if (app_.GetSettings().roomOption != 0 && !connection_.LocalPlayer().chatTexts[0].empty()) {
        chat_.Send(connection_.LocalPlayer().chatTexts[0], false);
    }
}

void RoomSeats::OnMemberInfo(quill::Packet& packet) {
    const std::optional<RoomPlayerRecord> record = ReadRoomPlayer(packet);
    if (!record || !IsRoomSeat(record->seat)) return;
    FillSeat(*record);
    chat_.AddLine(quill::Format(u"%s : %d withdrawals out of 10 games, a total of %d withdrawals",
                                record->nickname, record->recentWithdrawals, record->withdrawals),
                        kLightBlue);
    if (state_.Model().players[record->seat].IsStatus3Or4()) {
        chat_.AddLine(quill::Format(u"%s is banned from chatting.", record->nickname), kRed);
    }
    if (record->seat == static_cast<uint8_t>(state_.MasterSeat()) && !state_.IsRunning()) {
        chat_.AddLine(u"Room master can play practice game.", kLightBlue);
    }
    playerBoard_->Refresh(state_.Model(), state_.Room());
}

void RoomSeats::OnMemberLeft(quill::Packet& packet) {
    const std::optional<MemberLeftMessage> left = ReadMemberLeft(packet);
    if (!left || !IsRoomSeat(left->seat)) return;
    quill::PlayerState& seat = state_.Model().players[left->seat];
    const quill::WString name = seat.name;
    const bool wasShooter = state_.IsRunning() && seat.team > 0 && seat.seat == state_.Room().shooterSeat;
    state_.Model().RemovePlayer(&seat);
    state_.Model().CountTeamsInPlay();
    if (wasShooter) {
        const uint8_t next = state_.Model().NextTurn();
        if (IsRoomSeat(next)) state_.Room().shooterSeat = static_cast<int8_t>(next);
        if (state_.IsLocalTurn()) playerBoard_->RefreshMatchLine(state_.Model());
    }
    if (GameTable* table = stage_.Table(); table != nullptr && seatCues_[left->seat] != nullptr) {
        if (table->RenderStep().CurrentCue() != seatCues_[left->seat]) table->CueModels().ReleaseCue(seatCues_[left->seat]);
        seatCues_[left->seat] = nullptr;
    }
    seat.ResetSeat();
    playerBoard_->Refresh(state_.Model(), state_.Room());
    if (state_.IsLocalMaster() && !state_.IsRunning()) startReady_->Refresh();
    if (left->reasonB == 3) {
        chat_.AddLine(quill::Format(u"%s %s", name, u"has been disconnected."), kGreen);
    } else if (left->reasonA != 2) {
        chat_.AddLine(quill::Format(u"%s %s", name, u"has left room."), kGreen);
    } else {
        chat_.AddLine(quill::Format(u"%s 님은 접속종료 처리되었습니다.", name), kGreen);
    }
    ShowMemberCount(left->memberCount, state_.Room().maxPlayers);
    RefreshStartButton();
    flow_.ReevaluateContinue();
}

void RoomSeats::OnMasterChanged(quill::Packet& packet) {
    const std::optional<MasterChangedMessage> changed = ReadMasterChanged(packet);
    if (!changed || !IsRoomSeat(changed->seat)) return;
    MarkMaster(changed->seat);
    const quill::PlayerState& master = state_.Model().players[changed->seat];
    const bool local = state_.IsLocalMaster();
    startReady_->SetMaster(false);
    if (!state_.IsRunning()) {
        state_.Room().shooterSeat = state_.MasterSeat();
        if (local) {
            shotRoad_.GiveTableToMaster(1.0f);
            state_.Model().CountReadyMembers();
        }
    }
    equipment_.Check();
    items_.ReadOptionSwitches();
    playerBoard_->Refresh(state_.Model(), state_.Room());
    chat_.AddLine(quill::Format(u"%s is the room master.", master.name), kGreen);
}

// The room's new master: seated, and marked on the player board and the start panel.
void RoomSeats::MarkMaster(uint8_t seat) {
    state_.SetMasterSeat(static_cast<int8_t>(seat));
    state_.Model().players[seat].ready = 1;
    const bool local = state_.IsLocalMaster();
    playerBoard_->SetMaster(local);
    startReady_->SetMasterFlag(local);
}

void RoomSeats::OnSeatChanged(quill::Packet& packet) {
    const std::optional<SeatValueMessage> changed = ReadSeatValue(packet, SeatValueWidth::kByte);
    if (!changed || !IsRoomSeat(changed->seat)) return;
    quill::PlayerState& seat = state_.Model().players[changed->seat];
    seat.ready = static_cast<uint8_t>(changed->value);
    if (changed->seat == static_cast<uint8_t>(state_.LocalSeat())) {
        connection_.LocalPlayer().gameFlags[quill::PlayerState::kSeatedFlag] = static_cast<uint8_t>(changed->value);
    }
    if (changed->seat == static_cast<uint8_t>(state_.MasterSeat())) seat.ready = 1;
    // The state names the team the player sits in (0: watching).
    const auto team = static_cast<uint8_t>(std::min<uint32_t>(changed->value, kRoomTeams - 1));
    state_.Model().MovePlayer(&seat, team);
    state_.Model().CountReadyMembers();
    state_.Model().DrawTurnOrder(0);
    playerBoard_->Refresh(state_.Model(), state_.Room());
    RefreshStartButton();
}

void RoomSeats::OnSlotUpdate(quill::Packet& packet) {
    const std::optional<SeatValueMessage> update = ReadSeatValue(packet, SeatValueWidth::kByte);
    if (!update || !IsRoomSeat(update->seat)) return;
    quill::PlayerState& seat = state_.Model().players[update->seat];
    seat.ready = update->seat == static_cast<uint8_t>(state_.MasterSeat()) ? 1 : static_cast<uint8_t>(update->value);
    state_.Model().CountReadyMembers();
    playerBoard_->Refresh(state_.Model(), state_.Room());
    if (state_.IsLocalMaster() && !state_.IsRunning()) startReady_->Refresh();
    RefreshStartButton();
}

void RoomSeats::OnPlayerJoined(quill::Packet& packet) {
    const std::optional<PlayerJoinedMessage> joined = ReadPlayerJoined(packet);
    if (!joined || !IsRoomSeat(joined->seat) || joined->team >= kRoomTeams) return;
    quill::PlayerState& seat = state_.Model().players[joined->seat];
    seat.ResetGameFields();
    ApplyMoney(joined->seat, joined->money);
    if (joined->seat != static_cast<uint8_t>(state_.LocalSeat())) {
        chat_.AddLine(quill::Format(u"%s has joined the game.", seat.name), kGreen);
    } else if (state_.Room().IsGambleGame()) {
        chat_.AddLine(
            quill::Format(u"%s has been removed for game fee", FormatMoney(2 * int64_t{state_.Room().stake})), kGreen);
        if (joined->penalty > 0) {
            chat_.AddLine(quill::Format(u"Penalty %s gold have been charged.", FormatMoney(joined->penalty)),
                          kGreen);
        }
    } else if (state_.Room().gameType == quill::game_type::kSixBalls) {
        chat_.AddLine(quill::Format(u"Betting gold %s has been removed.", FormatMoney(state_.Room().stake)),
                      kGreen);
    }
    const quill::RoomInfo& room = state_.Room();
    const bool sixBalls = room.gameType == quill::game_type::kSixBalls;
    flow_.AddGameValue(room.IsGambleGame() ? joined->gameValueIncrease : sixBalls ? room.stake : 0);
    state_.Model().MovePlayer(&seat, joined->team);
    state_.Model().teams[joined->team].SetState(joined->teamState);
    playerBoard_->Refresh(state_.Model(), state_.Room());
}

void RoomSeats::OnPlayerWithdrew(quill::Packet& packet) {
    const std::optional<SeatValueMessage> withdrew = ReadSeatValue(packet, SeatValueWidth::kNone);
    if (!withdrew || !IsRoomSeat(withdrew->seat)) return;
    quill::PlayerState& seat = state_.Model().players[withdrew->seat];
    chat_.AddLine(
        quill::Format(u"%s %s", seat.name,
                      state_.IsRunning() ? u"has withdrawn and lost the game." : u"has ended the game."),
        kGreen);
    const int8_t team = seat.team;
    state_.Model().MovePlayer(&seat, 0);
    if (team > 0) state_.Model().CompactTurnOrder(static_cast<uint8_t>(team));
    if (seat.seat == state_.Room().shooterSeat) {
        const uint8_t next = state_.Model().NextTurn();
        if (IsRoomSeat(next)) state_.Room().shooterSeat = static_cast<int8_t>(next);
    }
    if (withdrew->seat == static_cast<uint8_t>(state_.LocalSeat())) {
        shotRoad_.TakeTable(false);
        if (GameTable* table = stage_.Table()) table->Turn().SetControlEnabled(false);
        startReady_->OnGameEnd();
    }
    playerBoard_->Refresh(state_.Model(), state_.Room());
}

// The master may start once every playing team is complete and ready.
void RoomSeats::RefreshStartButton() {
    if (!state_.IsLocalMaster() || state_.IsRunning()) return;
    state_.Model().CountReadyMembers();
    startReady_->SetStartEnabled(state_.Model().CanStart());
}

void RoomSeats::OnSeatNotice(quill::MessageId id, quill::Packet& packet) {
    if (id == MessageId::PlayerMoney) {
        const auto money = ReadPlayerMoney(packet);
        if (!money || !IsRoomSeat(money->seat)) return;
        ApplyMoney(money->seat, money->money);
        playerBoard_->Refresh(state_.Model(), state_.Room());
        return;
    }
    const SeatValueWidth width = id == MessageId::ShotBetState ? SeatValueWidth::kByte : SeatValueWidth::kWord;
    const std::optional<SeatValueMessage> notice = ReadSeatValue(packet, width);
    if (!notice || !IsRoomSeat(notice->seat)) return;
    quill::PlayerState& seat = state_.Model().players[notice->seat];
    const bool local = notice->seat == static_cast<uint8_t>(state_.LocalSeat());
    const bool typed = quill::IsGameTypeIndex(static_cast<quill::GameType>(state_.Room().gameType));
    if (id == MessageId::ShotBetState) {
        seat.gameFlags[quill::PlayerState::kBettingFlag] = static_cast<uint8_t>(notice->value);
        flow_.ShotBet()->AddBetLine(seat.name, static_cast<uint8_t>(notice->value));
    } else if (id == MessageId::HighRunRecord) {
        if (local && typed)
            connection_.LocalPlayer().typeRecordA[state_.Room().gameType] = static_cast<uint16_t>(notice->value);
        chat_.AddLine(
            quill::Format(u"%s has renewed the highest singe-cue hits to %d ", seat.name, notice->value), kLightBlue);
        return;
    } else if (id == MessageId::HandicapChanged && typed) {
        const uint16_t before = seat.ratingByType[state_.Room().gameType];
        if (notice->value > before) {
            chat_.AddLine(quill::Format(u"%s's handi hass increased to %d", seat.name, notice->value),
                          kLightBlue);
        } else if (notice->value < before) {
            chat_.AddLine(quill::Format(u"%s's hadni has decreased to %d", seat.name, notice->value), kLightBlue);
        }
        seat.ratingByType[state_.Room().gameType] = static_cast<uint16_t>(notice->value);
        if (local)
            connection_.LocalPlayer().ratingByType[state_.Room().gameType] = static_cast<uint16_t>(notice->value);
    }
    playerBoard_->Refresh(state_.Model(), state_.Room());
}

void RoomSeats::OnPlayerDropped(quill::Packet& packet) {
    const std::optional<SeatValueMessage> dropped = ReadSeatValue(packet, SeatValueWidth::kByte);
    if (!dropped || !IsRoomSeat(dropped->seat)) return;
    quill::PlayerState& seat = state_.Model().players[dropped->seat];
    chat_.AddLine(quill::Format(u"%s is dropped. Wainting for reconnect.", seat.name), kGreen);
    if (state_.Model().playersPerTeam == 1 && state_.Model().teamsInPlay == 2) {
        chat_.AddLine(u"May lose unless reconnecting to the game within 3 inn.(3min).", kGreen);
        chat_.AddLine(u"Will lose unless reconnecting to the game within 6 inn.(5min).", kGreen);
        chat_.AddLine(u"In a 1:1 mode, if the other player withdraws, then the game will become invalid.",
                      kGreen);
    }
    seat.gameFlags[quill::PlayerState::kDroppedFlag] = 1;
    state_.MarkDropped(static_cast<int8_t>(dropped->seat), true);
    // The byte names the room's master after the drop.
    const auto master = static_cast<uint8_t>(dropped->value);
    if (IsRoomSeat(master) && master != static_cast<uint8_t>(state_.MasterSeat())) MarkMaster(master);
    playerBoard_->Refresh(state_.Model(), state_.Room());
}

void RoomSeats::OnLevelUp(quill::Packet& packet) {
    const std::optional<LevelUpMessage> level = ReadLevelUp(packet);
    if (!level || !IsRoomSeat(level->seat)) return;
    quill::PlayerState& seat = state_.Model().players[level->seat];
    seat.level = level->level;
    seat.experience = level->value;
    if (level->seat == static_cast<uint8_t>(state_.LocalSeat())) {
        connection_.LocalPlayer().level = level->level;
        connection_.LocalPlayer().experience = level->value;
        dialogs_.LevelUp()->SetVisible(true);
        if (level->level == kTargetLineLevel) {
            chat_.AddLine(u"Target line may be used when the level is over 10 respectively", kYellow);
        }
    }
    chat_.AddLine(quill::Format(u"%s's level has raised to %d.", seat.name, level->level), kLightBlue);
}

void RoomSeats::OnPlayerReconnected(quill::Packet& packet) {
    const auto back = ReadPlayerReconnected(packet);
    if (!back || !IsRoomSeat(back->seat)) return;
    quill::PlayerState& seat = state_.Model().players[back->seat];
    seat.gameFlags[quill::PlayerState::kDroppedFlag] = back->dropped;
    state_.MarkDropped(static_cast<int8_t>(back->seat), back->dropped != 0);
    chat_.AddLine(quill::Format(u"%s has logged in again and has been connected to the game.", seat.name),
                  kGreen);
    playerBoard_->Refresh(state_.Model(), state_.Room());
}

void RoomSeats::OnUserLocation(quill::Packet& packet) {
    const auto location = ReadSeatLocation(packet);
    if (!location || !IsRoomSeat(location->seat)) return;
    quill::PlayerState& seat = state_.Model().players[location->seat];
    seat.memberValue = location->value;
    seat.locationText = location->text;
}

void RoomSeats::OnTableEvent(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    if (table == nullptr || !HasPayloadByte(packet)) return;
    const auto seat = static_cast<int8_t>(packet.ReadU8());
    int32_t x = 0;
    int32_t y = 0;
    if (!IsRoomSeat(seat) || !table->PensAndMarks().ReceivePenPoint(seat, packet, &x, &y)) return;
    const quill::PlayerState& record = state_.Model().players[static_cast<size_t>(seat)];
    seatNames_[static_cast<size_t>(seat)]->SetTextF(u"%s", record.name);
    seatNames_[static_cast<size_t>(seat)]->SetPosition(x, y);
    seatNames_[static_cast<size_t>(seat)]->Show(true);
}

void RoomSeats::OnSeatCueUpdate(quill::Packet& packet) {
    const std::optional<SeatCueMessage> cue = ReadSeatCue(packet);
    if (!cue || !IsRoomSeat(cue->seat)) return;
    quill::PlayerState& record = state_.Model().players[cue->seat];
    if (quill::IsGameTypeIndex(static_cast<quill::GameType>(state_.Room().gameType))) {
        record.cueIdByType[state_.Room().gameType] = static_cast<uint16_t>(cue->cueItem);
    }
    SetSeatCue(cue->seat, static_cast<uint16_t>(cue->cueItem), cue->parts);
}

// The seat's cue object: the entry of the item and parts, the old one let go once the table no longer shows it.
void RoomSeats::SetSeatCue(uint8_t seat, uint16_t cueItem, const std::array<uint16_t, 5>& parts) {
    GameTable* table = stage_.Table();
    if (table == nullptr || !IsRoomSeat(seat)) return;
    CueModelEntry* entry = table->CueModels().GetCueModel(cueItem, parts[0], parts[1], parts[2], parts[3], parts[4]);
    CueModelEntry* old = seatCues_[seat];
    seatCues_[seat] = entry;
    if (seat == static_cast<uint8_t>(state_.Room().shooterSeat) || table->RenderStep().CurrentCue() == old)
        table->RenderStep().SetCurrentCue(entry);
    if (old != nullptr) table->CueModels().ReleaseCue(old);
}

}  // namespace kestrovan
