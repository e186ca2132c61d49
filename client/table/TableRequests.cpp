#include "client/table/TableRequests.h"

#include "QuillLib/core/ScopedLock.h"

namespace kestrovan {

using quill::ScopedLock;

void TableRequests::RequestCameraMove(CameraMove move) {
    ScopedLock hold(remoteLock_);
    requests_.cameraMove = move;
}

void TableRequests::RequestAimFromShotRecord() {
    ScopedLock hold(remoteLock_);
    requests_.aimFromShotRecord = true;
}

void TableRequests::RequestNewCueBall(bool keepAim) {
    ScopedLock hold(remoteLock_);
    requests_.resetAim = true;
    requests_.cameraMove = keepAim ? CameraMove::kRefocusInTopView : CameraMove::kReAim;
}

void TableRequests::RequestStrokeStart(int32_t swings, bool keepCamera) {
    ScopedLock hold(remoteLock_);
    requests_.strokeStart = true;
    requests_.swings = swings;
    requests_.keepCamera = keepCamera;
}

TableRequests::Requests TableRequests::Take() {
    ScopedLock hold(remoteLock_);
    Requests taken = requests_;
    requests_ = Requests{};
    return taken;
}

}  // namespace kestrovan
