#include "client/scenes/room/RoomState.h"

namespace kestrovan {

void RoomState::Load(const quill::RoomInfo& record) {
    room_.gameType = record.gameType;
    room_.tableItem = record.tableItem;
    room_.ballItem = record.ballItem;
    model_.Reset();
    model_.gameType = static_cast<quill::GameType>(room_.gameType);
    if (model_.HasRule(model_.gameType)) model_.SelectRule(model_.gameType);
}

void RoomState::Enter(const quill::RoomInfo& record, const quill::PlayerState& local, quill::WStringView nickname) {
    room_ = record;
    model_.Reset();
    model_.ClearPlayers();
    quill::PlayerState& seat = model_.players[0];
    CopyOwnRecord(local, seat);
    if (local.name.empty()) seat.name = nickname;
    seat.seat = 0;
    seat.team = 0;
    model_.teams[0].id = 0;
    model_.AddPlayer(&seat, 0, 1);
    model_.gameType = static_cast<quill::GameType>(room_.gameType);
}

void RoomState::MoveLocalPlayerTo(uint8_t seat) {
    quill::PlayerState& from = model_.players[0];
    quill::PlayerState& to = model_.players[seat];
    if (&from == &to) return;
    model_.RemovePlayer(&from);
    to.ResetSeat();
    CopyOwnRecord(from, to);
    from.ResetSeat();
    to.seat = static_cast<int8_t>(seat);
    to.team = 0;
    model_.AddPlayer(&to, 0, 1);
}

void RoomState::ResetTurn() {
    room_.shooterSeat = -1;
    running_ = false;
    shotInFlight_ = false;
    droppedSeats_.fill(false);
}

quill::PlayerState* RoomState::SeatRecord(int32_t seat) {
    return IsRoomSeat(seat) ? &model_.players[static_cast<size_t>(seat)] : nullptr;
}

void RoomState::MarkDropped(int8_t seat, bool dropped) {
    if (IsRoomSeat(seat)) droppedSeats_[static_cast<size_t>(seat)] = dropped;
}

bool RoomState::IsLocalTurn() const {
    const int8_t local = localSeat_;
    if (local < 0) return false;
    if (running_) return room_.shooterSeat == local;
    return masterSeat_ == local || room_.shooterSeat == local;
}

bool RoomState::IsLocalPlayerInGame() const {
    const int8_t seat = localSeat_;
    return running_ && IsRoomSeat(seat) && model_.players[static_cast<size_t>(seat)].team > 0;
}

void RoomState::CopyOwnRecord(const quill::PlayerState& from, quill::PlayerState& to) {
    to.name = from.name;
    to.accountId = from.accountId;
    to.userId = from.userId;
    to.level = from.level;
    to.money = from.money;
    to.clanId = from.clanId;
    to.ratingByType = from.ratingByType;
    to.generalAverage = from.generalAverage;
}

}  // namespace kestrovan
