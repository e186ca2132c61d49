#pragma once
// The room's clocks: the turn clock of the shooter (its countdown on the player board, the warning voice,
// the freeze of the carom stake games, the time-out the local shooter, or the master for a shooter who
// dropped, sends once), the game clock in the top bar (a tournament game ends after 15 minutes) and the count
// of the screen's updates that paces the aim relay, the clocks and the chat's layout.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "client/scenes/room/TurnClock.h"
#include "client/scenes/room/RoomPart.h"

namespace kestrovan {

class RoomGameFlow;
class RoomSeats;
class RoomTopBar;

class RoomClocks : private RoomPart {
public:
    RoomClocks(const Context& room, RoomSeats& seats, RoomGameFlow& flow, RoomTopBar& topBar);

    // One more update; the count paces what runs every few updates.
    uint32_t CountUpdate() { return ++updates_; }
    // A turn begins: the turn clock runs from now, and the player board counts it down from the whole limit.
    void StartTurn(uint32_t nowMs);
    // The turn clock at every tenth update while the game runs and no shot is in flight.
    void RunTurn(uint32_t nowMs);
    // The game clock at every tenth update while the game runs.
    void RunGame(uint32_t nowMs);
    // The game's clock runs from now, less what the game already ran.
    void StartGame(uint32_t nowMs, uint32_t elapsedMs) { gameOrigin_ = nowMs - elapsedMs; }
    bool GameRanFor(uint32_t nowMs, uint32_t ms) const { return nowMs - gameOrigin_ >= ms; }

    TurnClock& Turn() { return turn_; }
    const TurnClock& Turn() const { return turn_; }

private:
    void SendTimeOut();

    RoomSeats& seats_;
    RoomGameFlow& flow_;
    RoomTopBar& topBar_;
    TurnClock turn_;
    uint32_t gameOrigin_ = 0;
    uint32_t updates_ = 0;
};

}  // namespace kestrovan
