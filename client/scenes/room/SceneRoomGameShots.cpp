// The shot road of the room: the local aim relayed to the others at most about once a second, the local
// shot sent and every relayed shot run on this table, the outcome reported when the balls stop with the table
// state the server asked for (answered exactly once), ball-in-hand placements, the called pocket, the seats'
// cues and the room's equipment. The aim is sent from the update (game thread), the shot, its outcome and the
// placements from the table's posted events (main thread), the receivers run on the dispatch thread; all under
// the room lock.
#include "QuillLib/core/Format.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/App.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/table/GameTable.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"

namespace kestrovan {

namespace {

constexpr int32_t kShotStates = 3;  // the table's state must be above this for a shot to count
constexpr uint32_t kPocketCallSound = 17;
constexpr int16_t kFreeEquipmentChannel = 9;
constexpr float kKeep = CameraController::kKeep;

}  // namespace

// --- sent by the room ---

// Every 10th update while the local player holds the table: the aim goes out when it changed, at most once
// per 1001 ms.
void SceneRoomGame::RelayAim(uint32_t nowMs) {
    GameTable* table = stage_.Table();
    if (table == nullptr || !table->IsControlEnabled()) return;
    const bool holds = gameRunning_ ? IsLocalTurn() : masterSeat_ == localSeat_ || IsLocalTurn();
    if (!holds) return;
    CameraState& aim = table->Aim();
    if (!aim.CheckStampElapsed(nowMs)) return;
    if (!aim.CheckChanged(nowMs)) return;
    aim.SaveSnapshot();
    sender_.Send([&aim](quill::Packet& packet) {
        packet.Init(quill::MessageId::AimState);
        aim.WriteAimState(packet);
    });
}

void SceneRoomGame::OnShotFired() {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    shotMade_ = true;
    shotInFlight_ = true;
    if (table->State() > kShotStates) {
        if (gameRunning_) ++shotCount_;
        shotBet_->SetBetOpen(false);
        sender_.Send([table](quill::Packet& packet) {
            packet.Init(quill::MessageId::Shot);
            table->WriteShot(packet);
        });
    }
    chalkSlot_->SetActive(false);
    playerBoard_->SetCountdownOn(false);
    ReportConsumption();
}

// The balls stopped: the shooter reports the outcome, with the table state the server asked for meanwhile.
void SceneRoomGame::OnBallsStopped() {
    GameTable* table = stage_.Table();
    if (table == nullptr || table->State() <= kShotStates || observe_ || !shotMade_.exchange(false)) return;
    sender_.Send([this, table](quill::Packet& packet) {
        packet.Init(quill::MessageId::ShotResultReport);
        table->WriteShotResultReport(packet);
        if (tableStatePending_.exchange(false)) WriteTableState(packet, true);
    });
}

// TableState: the table's ball state (a message of its own, or appended to the packet's last), then the room's
// table and ball-set items.
void SceneRoomGame::WriteTableState(quill::Packet& packet, bool append) {
    stage_.Table()->WriteBallState(packet, append);
    packet.WriteU16(tableItem_);
    packet.WriteU16(ballSetItem_);
}

void SceneRoomGame::SendTableState() {
    if (stage_.Table() == nullptr) return;
    sender_.Send([this](quill::Packet& packet) { WriteTableState(packet, false); });
}

void SceneRoomGame::SendBallPlacement(uint32_t ball) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    sender_.Send([table, ball](quill::Packet& packet) {
        packet.Init(quill::MessageId::BallPlacement);
        table->WriteBallPlacement(packet, ball);
    });
}

// --- received ---

void SceneRoomGame::OnRelayedAim(quill::Packet& packet) {
    receiving_->Show(false);
    const std::optional<std::array<float, 5>> aim = ReadRemoteAim(packet);
    GameTable* table = stage_.Table();
    if (!aim || table == nullptr) return;
    table->AimEasedCamera((*aim)[0], (*aim)[1], (*aim)[2], (*aim)[3], (*aim)[4]);
}

void SceneRoomGame::OnRelayedShot(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    if (gameRunning_) ++shotCount_;
    receiving_->Show(false);
    shotBet_->SetBetOpen(false);
    playerBoard_->SetCountdownOn(false);
    if (!table->ReadShot(packet)) return;
    table->StartShot(2, false);
    shotInFlight_ = true;
}

void SceneRoomGame::OnBallPlacementRelay(quill::Packet& packet) {
    const std::optional<BallPlacementMessage> placement = ReadBallPlacement(packet);
    GameTable* table = stage_.Table();
    if (!placement || table == nullptr || placement->ball >= table->Physics().BallCount()) return;
    table->SetBallPosition(placement->ball, placement->x, placement->y, placement->z);
    if (placement->ball == table->Physics().CueBall() && table->Cameras().GetCamera().Mode() != 3) {
        table->Cameras().MoveCamera(0.5f, kKeep, kKeep, false);
    }
}

// Answered at once when nothing runs; otherwise by the outcome or the next TurnResult, whichever is first.
void SceneRoomGame::OnTableStateRequest() {
    if (shotInFlight_) {
        tableStatePending_ = true;
        return;
    }
    SendTableState();
}

void SceneRoomGame::OnTablePlacement(quill::Packet& packet) {
    receiving_->Show(false);
    const std::optional<TablePlacementHead> head = ReadTablePlacementHead(packet);
    GameTable* table = stage_.Table();
    if (!head || table == nullptr) return;
    tableItem_ = head->tableItem;
    ballSetItem_ = head->ballSetItem;
    if (gameRunning_ && IsRoomSeat(head->shooter)) {
        model_.FindPlayerTurn(head->shooter);
        playerBoard_->Refresh(model_, room_);
    }
    table->SetCueBallIndex(head->cueBall);
    if (!table->ReadBallState(packet)) return;
    const std::optional<std::array<uint16_t, 2>> second = ReadItemPair(packet);
    CheckRoomEquipment();
    if (second && table->Equipment().BallsFitTableItem((*second)[0])) {
        tableItem_ = (*second)[0];
        ballSetItem_ = (*second)[1];
    }
}

void SceneRoomGame::OnTableEvent(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    if (table == nullptr || !HasPayloadByte(packet)) return;
    const auto seat = static_cast<int8_t>(packet.ReadU8());
    int32_t x = 0;
    int32_t y = 0;
    if (!IsRoomSeat(seat) || !table->PensAndMarks().ReceivePenPoint(seat, packet, &x, &y)) return;
    const quill::PlayerState& record = model_.players[static_cast<size_t>(seat)];
    seatNames_[static_cast<size_t>(seat)]->SetTextF(u"%s", record.name);
    seatNames_[static_cast<size_t>(seat)]->SetPosition(x, y);
    seatNames_[static_cast<size_t>(seat)]->Show(true);
}

void SceneRoomGame::OnPocketCallRelay(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    if (table == nullptr || !HasPayloadByte(packet)) return;
    const uint8_t pocket = packet.ReadU8();
    if (pocket < 1 || pocket > 6) return;
    table->SetTargetBall(pocket);
    PlaySound(kPocketCallSound);
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
    CueModelEntry* entry = table->CueModels().GetCueModel(cueItem, parts[0], parts[1], parts[2], parts[3], parts[4]);
    CueModelEntry* old = seatCues_[seat];
    seatCues_[seat] = entry;
    if (seat == static_cast<uint8_t>(room_.shooterSeat) || table->CurrentCue() == old) table->SetCurrentCue(entry);
    if (old != nullptr) table->CueModels().ReleaseCue(old);
}

void SceneRoomGame::OnItemStats(quill::Packet& packet) {
    const std::optional<ItemStatsMessage> stats = ReadItemStats(packet);
    if (!stats) return;
    quill::InventoryItem* item = Player().FindItem(stats->key, stats->subKey);
    if (item == nullptr) return;
    item->upgradePoints = stats->valueA;
    item->cueValue = stats->valueB;
}

// Zero ids stand for the game's defaults; ids that differ from the room's records are loaded by the next
// drawn frame, once nothing runs on the table.
void SceneRoomGame::CheckRoomEquipment() {
    const auto mode = static_cast<quill::GameType>(room_.gameType);
    tableItem_ = RoomTableItem(tableItem_, mode);
    ballSetItem_ = RoomBallSetItem(ballSetItem_, mode);
    if (connection_.GetChannelType(-1) == kFreeEquipmentChannel) return;
    const quill::RoomInfo& record = connection_.GetRoomInfo();
    const bool differs = tableItem_ != RoomTableItem(record.tableItem, mode) ||
                         ballSetItem_ != RoomBallSetItem(record.ballItem, mode);
    if (!differs) return;
    if (!reloadPending_ && !equipmentNotice_) {
        AddChatLine(u"The table and the ball will be belonged to the current room master's items.", kGreen);
        equipmentNotice_ = true;
    }
    GameTable* table = stage_.Table();
    if (table != nullptr && !shotInFlight_ && !table->IsShotRunning() &&
        table->Equipment().BallsFitTableItem(tableItem_)) {
        reloadPending_ = true;
    }
}

}  // namespace kestrovan
