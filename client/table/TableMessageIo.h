#pragma once
// The table's side of its messages: the ball state, the shot result report, the shot and a ball's placement
// written from the table, and the ball state and the shot of another player read into it. The layouts are
// TableMessages'; this part fills them from the physics, the records and the equipment and applies what it reads.
//
// Threads: see the table in client/app/Scene.h. The balls and the shot record change under the physics lock; what the
// aim and the camera take of a message waits in the table's requests for the next update.
#include <cstdint>

#include "QuillLib/net/Packet.h"
#include "client/table/TableMessages.h"

namespace kestrovan {

class GameTable;
class TablePhysics;
class TableRequests;
class TableShotRecords;

class TableMessageIo {
public:
    TableMessageIo(GameTable& table, TablePhysics& physics, TableShotRecords& records, TableRequests& requests);
    TableMessageIo(const TableMessageIo&) = delete;
    TableMessageIo& operator=(const TableMessageIo&) = delete;

    void WriteBallState(quill::Packet& packet, bool append);
    void WriteShotResultReport(quill::Packet& packet);
    quill::Packet& WriteShot(quill::Packet& packet);
    quill::Packet& WriteBallPlacement(quill::Packet& packet, uint32_t ball);
    // Another player's ball state: at most as many balls as the table has are applied; a truncated payload
    // changes nothing. The camera turns to the cue ball at the next update.
    bool ReadBallState(quill::Packet& packet);
    // Another player's stroke into the shot record, with the current cue's item and parts; the same bounds as
    // ReadBallState. The aim takes the stroke's values at the next update.
    bool ReadShot(quill::Packet& packet);

private:
    void PlaceBallsFromMessage(const BallStateMessage& message);

    GameTable& table_;
    TablePhysics& physics_;
    TableShotRecords& records_;
    TableRequests& requests_;
};

}  // namespace kestrovan
