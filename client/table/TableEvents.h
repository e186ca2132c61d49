#pragma once
// The event ids of the table's own queue: the camera and cue events the input and the update post for the render
// step, which applies them. The application events the table posts to the screen (through
// TableHost::PostEvent) are in the application's catalogue, included here for the table's users: CursorMode
// (wParam 1 the pen cursor, 0 the normal one), ShotFired (wParam the power in percent), BallsStopped, BallPlaced
// (wParam the ball), PocketCalled (wParam the pocket, 1 to 6), TableMarkHit (wParam the mark), UserActivity and
// GalleryTableEvent (a notifying camera move ended).
#include <cstdint>

#include "QuillLib/core/AppEventId.h"

namespace kestrovan {

// Events of the table's own queue; the values are those of the Windows-era ids.
namespace TableEventId {
inline constexpr uint32_t OrbitCamera = 1113;    // -dx, dy
inline constexpr uint32_t PitchCamera = 1114;    // 0, dy
inline constexpr uint32_t ZoomCamera = 1115;     // step, 0
inline constexpr uint32_t RestoreCamera = 1118;  // the scene draws through the current mode's camera again
inline constexpr uint32_t StepCameraMove = 1119;
inline constexpr uint32_t MoveTipOffset = 1121;    // dx, -dy
inline constexpr uint32_t ChangeElevation = 1122;  // 0, dy
}  // namespace TableEventId

}  // namespace kestrovan
