// GameTable: the table put into a known state for a new game or rack: the input modes, the aim, the records, the
// pen strokes and the marks cleared, and the rack started from the argument.
#include "QuillLib/core/ScopedLock.h"
#include "client/rules/TablePhysics.h"
#include "client/table/GameTable.h"
#include "client/table/ShotRecord.h"
#include "client/table/TableAim.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableShotRecords.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

using quill::ScopedLock;

void GameTable::Reset(uint32_t rackArgument) {
    WidgetToolkit::CheckTreeAccess("GameTable::Reset");
    shot_.pending = false;
    StopPhysics();
    aim_->Pose().StopEase();

    shot_.cost = 0;
    input_->ResetModes();
    shot_.running = false;
    shot_.postShotPhase = false;
    picking_->SetHeldBall(-1);
    aim_->SetChalkLevel(0);
    aim_->ClearTargetBall();
    picking_->SetPlacementArea(0);
    pensAndMarks_->SetPenMode(false);
    pensAndMarks_->SetPenSlot(0);
    turn_.SetControlEnabled(false);
    turn_.SetAimFollowsCamera(false);
    aim_->Stroke().Clear();
    aim_->SetPower(0.0f);

    aim_->Pose().Reset();
    {
        ScopedLock hold(physics_->GetLock());
        records_->GetShotRecord().valid &= ~ShotRecord::kValidFilled;
        records_->GetReportRecord().valid &= ~ShotRecord::kValidFilled;
        // A new game has no local shot waiting to be charged.
        records_->GetCommittedRecord().valid &= ~(ShotRecord::kValidFilled | ShotRecord::kValidLocalShot);
    }
    render_->HideMarkers();

    cameras_->ResetDefaultView();
    hudValues_->SetStrokeDeviation(0.0f);
    records_->SetShotStartTime(0);
    hudValues_->ForScreens().foulCount = 0;
    pensAndMarks_->ClearPenStrokes();

    {
        ScopedLock hold(physics_->GetLock());
        physics_->StartRack(rackArgument);
        physics_->SetBallGroup(0);
    }
    records_->SyncReportRecord();
    aim_->Pose().ResetAim();
    aim_->UpdatePowerGauge();

    hudValues_->ShowPocketStripForMode(equipment_->GameMode());
    pensAndMarks_->ClearMarks();
}

}  // namespace kestrovan
