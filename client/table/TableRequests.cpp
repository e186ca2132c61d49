#include "client/table/TableRequests.h"
#include "client/ui/WidgetToolkit.h"


namespace kestrovan {


void TableRequests::RequestCameraMove(CameraMove move) {
    WidgetToolkit::CheckTreeAccess("TableRequests::RequestCameraMove");
    requests_.cameraMove = move;
}

void TableRequests::RequestAimFromShotRecord() {
    WidgetToolkit::CheckTreeAccess("TableRequests::RequestAimFromShotRecord");
    requests_.aimFromShotRecord = true;
}

void TableRequests::RequestNewCueBall(bool keepAim) {
    WidgetToolkit::CheckTreeAccess("TableRequests::RequestNewCueBall");
    requests_.resetAim = true;
    requests_.cameraMove = keepAim ? CameraMove::kRefocusInTopView : CameraMove::kReAim;
}

void TableRequests::RequestStrokeStart(int32_t swings, bool keepCamera) {
    requests_.strokeStart = true;
    requests_.swings = swings;
    requests_.keepCamera = keepCamera;
}

TableRequests::Requests TableRequests::Take() {
    WidgetToolkit::CheckTreeAccess("TableRequests::Take");
    Requests taken = requests_;
    requests_ = Requests{};
    return taken;
}

}  // namespace kestrovan
