#include "client/scenes/lobby/CreateRoomRequest.h"

#include "QuillLib/gamedata/RoomInfo.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

void WriteCreateRoom(quill::Packet& packet, const quill::RoomInfo& room) {
    packet.Init(quill::MessageId::CreateRoom);
    packet.WriteU8(room.gameType).WriteU8(room.maxPlayers).WriteU16(room.tableItem).WriteU16(room.ballItem);
    packet.WriteWString(room.title).WriteU8(room.passwordFlag);
    if (room.passwordFlag == 1) packet.WriteWString(room.password);
    packet.WriteU8(room.inningTime).WriteU8(room.optionFlags).WriteU8(room.open);
    packet.WriteU16(room.minHandicap).WriteU16(room.maxHandicap);
}

}  // namespace kestrovan
