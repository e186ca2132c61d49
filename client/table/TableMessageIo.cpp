#include "client/table/TableMessageIo.h"

#include <algorithm>

#include "QuillLib/core/ClientVersion.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "client/rules/TablePhysics.h"
#include "client/table/CueModelEntry.h"
#include "client/table/GameTable.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"

namespace kestrovan {

using quill::ScopedLock;
using quill::Vec3;

TableMessageIo::TableMessageIo(GameTable& table, TablePhysics& physics, TableShotRecords& records,
                               TableRequests& requests)
    : table_(table), physics_(physics), records_(records), requests_(requests) {}

void TableMessageIo::WriteBallState(quill::Packet& packet, bool append) {
    TableMessages::WriteTableState(packet, append, table_.Equipment().TableItemId(), table_.Equipment().BallSetItemId(),
                                   records_.GetReportRecord(), physics_.BallCount(), table_.Equipment().GameMode());
}

void TableMessageIo::WriteShotResultReport(quill::Packet& packet) {
    ShotReport report;
    report.turnCode = static_cast<uint16_t>(table_.GetClampedCounter());
    report.gameMode = table_.Equipment().GameMode();
    report.ruleValue = physics_.GetRuleValue();
    report.firstListCount = physics_.GetFirstListCount();
    report.firstList = physics_.FirstList();
    report.secondListCounter = physics_.GetSecondListCounter();
    report.secondList = physics_.SecondList();
    if (!TableMessages::WriteShotResultReport(packet, report)) {
        // The report goes out with an empty list; the game goes on.
        quill::TheLog().LogError(u"ERROR : SHOT REPORT BALL LIST INVALID\n");
    }
}

quill::Packet& TableMessageIo::WriteShot(quill::Packet& packet) {
    TableMessages::WriteShot(packet, records_.GetShotRecord(), physics_.BallCount());
    return packet;
}

quill::Packet& TableMessageIo::WriteBallPlacement(quill::Packet& packet, uint32_t ball) {
    TableMessages::WriteBallPlacement(packet, static_cast<uint8_t>(ball), physics_.CachedPosition(ball));
    return packet;
}

bool TableMessageIo::ReadBallState(quill::Packet& packet) {
    BallStateMessage message;
    if (!TableMessages::ReadBallState(packet, table_.Equipment().GameMode(), message)) {
        quill::TheLog().LogError(u"WARNING : BALL STATE MESSAGE TOO SHORT\n");
        return false;
    }
    PlaceBallsFromMessage(message);
    requests_.RequestCameraMove(TableRequests::CameraMove::kLookAtCueBall);
    records_.SyncReportRecord();
    return true;
}

void TableMessageIo::PlaceBallsFromMessage(const BallStateMessage& message) {
    ScopedLock hold(physics_.GetLock());
    const uint32_t count = std::min<uint32_t>(message.count, table_.BallCount());
    for (uint32_t i = 0; i < count; ++i) {
        const Vec3& p = message.positions[i];
        const quill::Quaternion& q = message.rotations[i];
        physics_.SetBallPosition(i, p.x, p.y, p.z);
        physics_.SetBallOrientation(i, q.x, q.y, q.z, q.w);
        if (!quill::IsCaromGame(table_.Equipment().GameMode())) {
            physics_.SetBallFlag(i, message.flags[i]);
        }
    }
}

bool TableMessageIo::ReadShot(quill::Packet& packet) {
    ShotRecord record = records_.GetShotRecord();
    uint8_t sent = 0;
    if (!TableMessages::ReadShot(packet, record, sent)) {
        quill::TheLog().LogError(u"WARNING : SHOT MESSAGE TOO SHORT\n");
        return false;
    }
    records_.KeepStrokeInRange(record, u"Shot message");
    const uint32_t count = table_.BallCount();
    record.version = quill::kClientVersion;
    record.physicsModelCode = physics_.ModelCode();
    record.gameMode = static_cast<uint8_t>(table_.Equipment().GameMode());
    record.ballCount = static_cast<uint8_t>(count);
    record.cueBallIndex = static_cast<uint8_t>(physics_.CueBall());
    record.ballSetItemId = table_.Equipment().BallSetItemId();
    const TableRenderStep::CueIdentity cue = table_.RenderStep().CurrentCueIdentity();
    if (cue.present) {
        record.cueItemId = cue.itemId;
        if (cue.parts[0] != CueModelEntry::kStockShaft) {
            record.cuePartIds = cue.parts;
        }
    }
    {
        ScopedLock hold(physics_.GetLock());
        for (uint32_t i = 0; i < std::min<uint32_t>(sent, count); ++i) {
            const Vec3& p = record.positions[i];
            physics_.SetBallPosition(i, p.x, p.y, p.z);
        }
        for (uint32_t i = 0; i < count; ++i) {
            record.positions[i] = physics_.CachedPosition(i);
            record.rotations[i] = physics_.CachedOrientation(i);
        }
        records_.GetShotRecord() = record;
    }
    // The next update takes the stroke's values into the aim.
    requests_.RequestAimFromShotRecord();
    return true;
}

}  // namespace kestrovan
