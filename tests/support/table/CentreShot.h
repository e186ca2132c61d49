#pragma once
// A local shot for the checks that need one without playing the mouse stroke: the table's balls as they lie,
// the aim of the table's pose, the cue ball struck in its centre at the given power, committed as the local
// player's shot and started after two swings of the cue.
#include <cstdint>

#include "QuillLib/core/ScopedLock.h"
#include "client/rules/TablePhysics.h"
#include "client/table/GameTable.h"
#include "client/table/StrokeComputation.h"
#include "client/table/TableAim.h"
#include "client/table/TableShotRecords.h"

namespace kestrovan::test {

inline void PlayCentreShot(GameTable& table, float power = 0.8f) {
    table.SnapshotBalls();
    {
        quill::ScopedLock hold(table.Physics().GetLock());
        ShotRecord& record = table.Records().GetShotRecord();
        for (uint32_t ball = 0; ball < table.BallCount(); ++ball) {
            record.positions[ball] = table.Physics().CachedPosition(ball);
            record.rotations[ball] = table.Physics().CachedOrientation(ball);
            record.ballFlags[ball] = table.Physics().CachedFlag(ball);
        }
        record.cueBallIndex = static_cast<uint8_t>(table.Physics().CueBall());
        record.startParamA = 0.65f;
        record.startParamB = 3.0f;
        record.aimPointX = table.Aim().Pose().aimPointX;
        record.aimPointY = table.Aim().Pose().aimPointY;
        record.tipOffsetX = record.tipOffsetY = record.strokeX = record.strokeY = 0.0f;
        record.paramC = table.Aim().Pose().elevation;
        record.paramD = StrokeComputation::StrokeCurve(record.paramC, 0.0f);
        record.power = record.powerCap = power;
        record.paramE = 1.0f;
        record.paramF = record.paramG = 0.0f;
        record.valid = ShotRecord::kValidFilled;
        table.Records().CommitRecord(table.State());
    }
    table.StartShot(2, false);
}

}  // namespace kestrovan::test
