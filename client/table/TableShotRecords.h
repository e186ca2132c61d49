#pragma once
// The table's shot records: the shot record (the stroke being aimed or played with the balls it starts from),
// the report record (the balls as the table reports them), the committed record (the local player's shot
// waiting to be charged), and the last shot's class and start time.
//
// Threads: see the table in client/app/Scene.h. The records are guarded by the physics lock, which the callers take
// around them as they take it around the balls the records copy.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/table/ShotClassification.h"
#include "client/table/ShotRecord.h"

namespace kestrovan {

class TablePhysics;

class TableShotRecords {
public:
    explicit TableShotRecords(TablePhysics& physics) : physics_(physics) {}
    TableShotRecords(const TableShotRecords&) = delete;
    TableShotRecords& operator=(const TableShotRecords&) = delete;

    ShotRecord& GetShotRecord() { return shotRecord_; }
    ShotRecord& GetReportRecord() { return reportRecord_; }
    ShotRecord& GetCommittedRecord() { return committedRecord_; }
    void SetLastShotClass(const ShotClass& shotClass) { shotClass_ = shotClass; }
    void SetShotStartTime(uint32_t time) { shotStartTime_ = time; }

    // Copies the live balls into the report record under the physics lock; the ball count.
    uint32_t SyncReportRecord();
    // The shot record becomes the committed local shot, marked as played in table state 7 when it was.
    void CommitRecord(int32_t tableState);
    // A shot from outside (a relayed Shot, a text) keeps its power and deviation within range, with a log line.
    static void KeepStrokeInRange(ShotRecord& record, quill::WStringView source);

private:
    TablePhysics& physics_;
    ShotRecord shotRecord_;
    ShotRecord reportRecord_;
    ShotRecord committedRecord_;
    ShotClass shotClass_;
    uint32_t shotStartTime_ = 0;
};

}  // namespace kestrovan
