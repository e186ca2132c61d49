#pragma once
// The end of a room's game as the server referees it: GameEnd with its results and why it ended, the
// settlement (which goes on without the teams that finished while two or more have not), a player gone all
// in, the room's timer that stops a stake game for its one-hour notice, and the return to waiting: the result
// board, the money, whether the local player keeps his seat for the next game, and the table back to the room
// master.
//
// Threads: see the table in client/app/Scene.h.
#include "client/scenes/room/RoomPart.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class PacketRouter;
class RoomChat;
class RoomDialogs;
class RoomEquipment;
class RoomItems;
class RoomSeats;
class RoomShotRoad;

class RoomGameEnd : private RoomPart {
public:
    RoomGameEnd(const Context& room, RoomChat& chat, RoomSeats& seats, RoomDialogs& dialogs, RoomItems& items,
                RoomEquipment& equipment, RoomShotRoad& shotRoad);

    // The routes of the game's end, its settlement, an all-in and the room's timer.
    void AddRoutes(PacketRouter& routes);

    void OnGameEnd(quill::Packet& packet);
    void OnGameSettlement(quill::Packet& packet);
    void OnPlayerAllIn(quill::Packet& packet);
    void OnRoomTimer(quill::Packet& packet);
    // The game is over for the room: the master holds the table, the panels wait for a new game.
    void ReturnToWaiting();

private:
    // After a game: the local player keeps his seat when he can pay for the next one, else he gives it up.
    void AfterGameSeating();

    RoomChat& chat_;
    RoomSeats& seats_;
    RoomDialogs& dialogs_;
    RoomItems& items_;
    RoomEquipment& equipment_;
    RoomShotRoad& shotRoad_;
};

}  // namespace kestrovan
