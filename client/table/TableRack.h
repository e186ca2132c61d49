#pragma once
// The rack and the balls of the table: new racks and re-racks, balls and the cue ball placed, and the camera
// turned behind the cue ball (ReAim) or back to its resting view (ResetCamera). The balls themselves live in the
// physics; what the part changes there it changes under the physics lock, and the report record follows.
//
// Threads: see the table in client/app/Scene.h. The balls change under the physics lock; what must follow on the camera
// after a ball is placed from another thread waits in the table's requests for the next update.
#include <cstdint>

namespace kestrovan {

class GameTable;
class TablePhysics;
class TableRequests;
class TableShotRecords;

class TableRack {
public:
    TableRack(GameTable& table, TablePhysics& physics, TableShotRecords& records, TableRequests& requests);
    TableRack(const TableRack&) = delete;
    TableRack& operator=(const TableRack&) = delete;

    void RackBalls();
    void PlaceBallsSpaced();
    // 14.1 runs out of object balls, or 8-ball and 9-ball racks again; whether the balls were racked again.
    bool ReRackIfNeeded(uint32_t rackArgument, bool force);
    // Places a ball (any thread); for the cue ball the camera follows at the next update.
    void SetBallPosition(uint32_t ball, float x, float y, float z);
    // A new cue ball (any thread): the aim starts afresh and, unless keepAim, the camera re-aims behind it at the
    // next update.
    void SetCueBall(int32_t ball, bool keepAim);
    void SetCueBallIndex(int32_t ball);
    // A new rack in table state 7: no ball in hand, cue ball 0, no target ball, the cue shown.
    void ResetShotToState7(uint32_t rackArgument);
    // Turns the camera behind the cue ball toward the aim (or the ball it would meet) over seconds.
    void ReAim(float seconds, bool flag);
    // The current camera to 30 degrees pitch, yaw pi and distance 300, then the cue pose.
    void ResetCamera();

private:
    GameTable& table_;
    TablePhysics& physics_;
    TableShotRecords& records_;
    TableRequests& requests_;
};

}  // namespace kestrovan
