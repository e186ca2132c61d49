#pragma once
// What other threads ask of the game thread's next update: the dispatch thread applies other players' messages
// and the screens handle turns there, while the aim and the cameras belong to the update. The requests wait here
// until the update takes them all at once.
//
// Threads: see the table in client/app/Scene.h; the screens ask from any of their entries, the update (game thread)
// takes.
#include <cstdint>


namespace kestrovan {

class TableRequests {
public:
    // A camera move that another thread asked for, made by the next update.
    enum class CameraMove : uint8_t {
        kNone,
        kLookAtCueBall,     // keep every target, look at the cue ball (not in the top view)
        kFollowCueBall,     // half a second toward the cue ball, distance and pitch kept (not in the top view)
        kReAim,             // re-aim behind the cue ball in a second (in the top view: refocus when leaving it)
        kRefocusInTopView,  // in the top view: refocus when leaving it
    };
    // Everything asked since the last update.
    struct Requests {
        bool resetAim = false;
        bool aimFromShotRecord = false;  // aim at the shot record's aim point with its tip offsets and elevation
        CameraMove cameraMove = CameraMove::kNone;
        bool strokeStart = false;
        int32_t swings = 0;
        bool keepCamera = false;
    };

    TableRequests() = default;
    TableRequests(const TableRequests&) = delete;
    TableRequests& operator=(const TableRequests&) = delete;

    void RequestCameraMove(CameraMove move);
    // A relayed stroke: the aim takes the shot record's values.
    void RequestAimFromShotRecord();
    // A new cue ball: the aim starts afresh and the camera re-aims (or, keeping the aim, refocuses after the top
    // view).
    void RequestNewCueBall(bool keepAim);
    // The cue swings that many times before the shot of the shot record starts.
    void RequestStrokeStart(int32_t swings, bool keepCamera);
    // The waiting requests, which are cleared.
    Requests Take();

private:
    Requests requests_;
};

}  // namespace kestrovan
