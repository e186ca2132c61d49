#pragma once
// The table and ball-set items the room plays on: the room master's, as the server names them with the room's
// state, its options, every turn and every table placement. Items that differ from the room's records are
// loaded by the next drawn frame, once nothing runs on the table, and written back into both records; the
// first change of a visit, and the first after every reload, is told in the chat.
//
// Threads: see the table in client/app/Scene.h; the pending reload is atomic, as tests read it from another thread.
#include <atomic>
#include <cstdint>

#include "client/scenes/room/RoomPart.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class RoomChat;

class RoomEquipment : private RoomPart {
public:
    RoomEquipment(const Context& room, RoomChat& chat);

    // The room's records as it loads: nothing waits to reload.
    void Load(uint16_t tableItem, uint16_t ballSetItem);
    // A new visit tells the first change again.
    void Enter() { changeTold_ = false; }
    // The items the server names; Check decides whether they reload.
    void Set(uint16_t tableItem, uint16_t ballSetItem);
    // Zero ids stand for the game's defaults; ids that differ from the room's records are loaded by the next
    // drawn frame, once nothing runs on the table.
    void Check();
    // The drawn frame (main thread): the pending items onto the table and into both room records.
    void ApplyPendingReload();
    // The items after the table's state in a TableState message.
    void WriteItems(quill::Packet& packet) const;

    uint16_t TableItem() const { return tableItem_; }
    uint16_t BallSetItem() const { return ballSetItem_; }
    bool IsReloadPending() const { return reloadPending_; }

private:
    RoomChat& chat_;
    uint16_t tableItem_ = 0;
    uint16_t ballSetItem_ = 0;
    std::atomic<bool> reloadPending_{false};
    std::atomic<bool> changeTold_{false};
};

}  // namespace kestrovan
