#pragma once
// The shot road of the room: who holds the table (the shooter while a game runs, the room master between
// games), the local aim relayed to the others, the local shot sent and every relayed shot run on this table,
// the outcome reported when the balls stop with the table state the server asked for (answered exactly once:
// with the outcome, at once when nothing runs, or before the next turn's result), ball placements, the table
// placement with its items, the called pocket and the table's signals. It keeps the count of the game's shots
// and the "receiving game data" label that waits for the first of them.
//
// Threads: see the table in client/app/Scene.h; the flags that tests read from another thread are atomic.
#include <atomic>
#include <cstdint>

#include "client/scenes/room/RoomPart.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class PacketRouter;
class RoomEquipment;
class RoomGameFlow;
class RoomItems;
class RoomSeats;
class Widget;

class RoomShotRoad : private RoomPart {
public:
    RoomShotRoad(const Context& room, RoomSeats& seats, RoomItems& items, RoomEquipment& equipment,
                 RoomGameFlow& flow);

    // The screen lays its widgets out in one order; this is the label's place in it.
    void BuildReceivingLabel(Widget& screen);
    // The routes of the relayed aims, shots and placements and of the table's messages.
    void AddRoutes(PacketRouter& routes);

    // A new room counts its shots afresh.
    void Enter() { shotCount_ = 0; }
    // No table state is owed (a new game, an empty room).
    void ForgetTableStateRequest() { tableStatePending_ = false; }
    // A table state asked for while a shot was in flight goes out before the turn's result is applied.
    void AnswerPendingTableState();

    // The local player takes or loses the table: the local-turn byte, 'Z' let go, and control.
    void TakeTable(bool take);
    // The room master holds the table between games; everybody else watches.
    void GiveTableToMaster(float seconds);

    // --- The table's events and the update ---
    // Every 10th update while the local player holds the table: the aim goes out when it changed, at most
    // once per 1001 ms.
    void RelayAim(uint32_t nowMs);
    void OnShotFired();
    // The balls stopped: the shooter reports the outcome, with the table state the server asked for meanwhile.
    void OnBallsStopped();
    void SendBallPlacement(uint32_t ball);

    // --- The server's messages ---
    void OnRelayedAim(quill::Packet& packet);
    void OnRelayedShot(quill::Packet& packet);
    void OnBallPlacementRelay(quill::Packet& packet);
    // Answered at once when nothing runs; otherwise by the outcome or the next TurnResult, whichever is first.
    void OnTableStateRequest();
    void OnTableStateSync(quill::Packet& packet);
    void OnTablePlacement(quill::Packet& packet);
    void OnPocketCallRelay(quill::Packet& packet);
    void OnTableSignal(quill::Packet& packet);

    bool IsTableStatePending() const { return tableStatePending_; }
    // The "receiving game data" notice: its plate, with the label on it.
    Widget* Receiving() const { return receiving_; }

private:
    void SendTableState();
    // TableState: the table's ball state (a message of its own, or appended to the packet's last), then the
    // room's table and ball-set items.
    void WriteTableState(quill::Packet& packet, bool append);

    RoomSeats& seats_;
    RoomItems& items_;
    RoomEquipment& equipment_;
    RoomGameFlow& flow_;
    std::atomic<bool> tableStatePending_{false};
    std::atomic<bool> shotMade_{false};
    uint32_t shotCount_ = 0;

    // Widgets, owned by the tree.
    Widget* receiving_ = nullptr;
};

}  // namespace kestrovan
