#pragma once
// The request for a new room, CreateRoom (1130), written from the room creation dialog's room record: game
// type, players, table and ball set, title, the password only when the room has one, time per shot, option
// flags, stake index and handicap range.
namespace quill {
class Packet;
class RoomInfo;
}  // namespace quill

namespace kestrovan {

// Starts the packet as CreateRoom and writes the room into it.
void WriteCreateRoom(quill::Packet& packet, const quill::RoomInfo& room);

}  // namespace kestrovan
