#pragma once
// The camera and cue events of the table: the input (main thread) and the update (game thread) post them to the
// part's queue, the render step drains it on the main thread and applies them (orbit, pitch and zoom the camera,
// restore the mode's camera, step a camera move, move the cue tip, raise or lower the cue).
//
// Threads: see the table in client/app/Scene.h. The part's one lock is the queue's own; the cameras change under their
// own locks, the cue's tip offset and elevation through the aim.
#include <cstdint>

#include "QuillLib/core/EventQueue.h"

namespace kestrovan {

class TableAim;
class TableCameraRig;
class TableInput;
class TableTurn;

class TableCameraEvents {
public:
    static constexpr uint32_t kEventQueueSize = 1024;

    // state and shotRunning: the table's state code and its shot flag, read when an event is applied.
    TableCameraEvents(const int32_t& state, const bool& shotRunning, TableCameraRig& cameras, TableAim& aim,
                      const TableInput& input, const TableTurn& turn);
    TableCameraEvents(const TableCameraEvents&) = delete;
    TableCameraEvents& operator=(const TableCameraEvents&) = delete;

    quill::EventQueue& Events() { return eventQueue_; }
    void DrainTableEvents();

private:
    void HandleTableEvent(uint32_t id, int32_t a, int32_t b);
    void OrbitCamera(int32_t dx, int32_t dy);
    void ZoomCamera(int32_t step);

    const int32_t& state_;
    const bool& shotRunning_;
    TableCameraRig& cameras_;
    TableAim& aim_;
    const TableInput& input_;
    const TableTurn& turn_;
    quill::EventQueue eventQueue_{kEventQueueSize};
};

}  // namespace kestrovan
