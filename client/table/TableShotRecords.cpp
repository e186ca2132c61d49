#include "client/table/TableShotRecords.h"

#include <algorithm>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "client/rules/TablePhysics.h"

namespace kestrovan {

using quill::ScopedLock;

uint32_t TableShotRecords::SyncReportRecord() {
    ScopedLock hold(physics_.GetLock());
    reportRecord_.valid = ShotRecord::kValidFilled;
    reportRecord_.cueBallIndex = static_cast<uint8_t>(physics_.CueBall());
    const uint32_t count = std::min<uint32_t>(physics_.BallCount(), quill::kMaxBalls);
    for (uint32_t i = 0; i < count; ++i) {
        reportRecord_.positions[i] = physics_.CachedPosition(i);
        reportRecord_.rotations[i] = physics_.CachedOrientation(i);
        reportRecord_.ballFlags[i] = physics_.CachedFlag(i);
    }
    return count;
}

void TableShotRecords::CommitRecord(int32_t tableState) {
    committedRecord_ = shotRecord_;
    committedRecord_.valid |= ShotRecord::kValidLocalShot | (tableState == 7 ? ShotRecord::kValidState7 : 0);
}

// A shot from outside plays its power and deviation within their ranges, whatever it carried.
void TableShotRecords::KeepStrokeInRange(ShotRecord& record, quill::WStringView source) {
    if (record.KeepStrokeInRange()) {
        quill::TheLog().LogError(u"WARNING: the power or deviation of a %s lay outside its range and was kept within it\n",
                                 source);
    }
}

}  // namespace kestrovan
