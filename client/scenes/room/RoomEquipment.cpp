#include "client/scenes/room/RoomEquipment.h"

#include "QuillLib/net/Packet.h"
#include "client/connection/GameConnection.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/room/RoomChat.h"
#include "client/scenes/room/RoomMessages.h"
#include "client/scenes/room/RoomState.h"
#include "client/table/GameTable.h"
#include "client/table/SharedUtilities.h"
#include "client/table/TableEquipment.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr int16_t kFreeEquipmentChannel = 9;

}  // namespace

RoomEquipment::RoomEquipment(const Context& room, RoomChat& chat)
    : RoomPart(room), chat_(chat) {}

void RoomEquipment::Load(uint16_t tableItem, uint16_t ballSetItem) {
    tableItem_ = tableItem;
    ballSetItem_ = ballSetItem;
    reloadPending_ = false;
}

void RoomEquipment::Set(uint16_t tableItem, uint16_t ballSetItem) {
    tableItem_ = tableItem;
    ballSetItem_ = ballSetItem;
}

void RoomEquipment::Check() {
    const auto mode = static_cast<quill::GameType>(state_.Room().gameType);
    tableItem_ = RoomTableItem(tableItem_, mode);
    ballSetItem_ = RoomBallSetItem(ballSetItem_, mode);
    if (connection_.GetChannelType(-1) == kFreeEquipmentChannel) return;
    const quill::RoomInfo& record = connection_.GetRoomInfo();
    const bool differs = tableItem_ != RoomTableItem(record.tableItem, mode) ||
                         ballSetItem_ != RoomBallSetItem(record.ballItem, mode);
    if (!differs) return;
    if (!reloadPending_ && !changeTold_) {
        chat_.AddLine(u"The table and the ball will be belonged to the current room master's items.", kGreen);
        changeTold_ = true;
    }
    GameTable* table = stage_.Table();
    if (table != nullptr && !state_.IsShotInFlight() && !table->IsShotRunning() &&
        table->Equipment().BallsFitTableItem(tableItem_)) {
        reloadPending_ = true;
    }
}

void RoomEquipment::ApplyPendingReload() {
    if (!reloadPending_.exchange(false)) return;
    // Once the table has the new items, a later change is told again.
    changeTold_ = false;
    quill::RoomInfo& room = state_.Room();
    stage_.ApplyEquipment(
        {static_cast<quill::GameType>(room.gameType), tableItem_, ballSetItem_, kDefaultPhysicsModelCode, 1});
    room.tableItem = tableItem_;
    room.ballItem = ballSetItem_;
    connection_.GetRoomInfo().tableItem = tableItem_;
    connection_.GetRoomInfo().ballItem = ballSetItem_;
}

void RoomEquipment::WriteItems(quill::Packet& packet) const {
    packet.WriteU16(tableItem_);
    packet.WriteU16(ballSetItem_);
}

}  // namespace kestrovan
