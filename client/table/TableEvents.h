#pragma once
// The event ids the table uses: application events it posts to the screen (through TableHost::PostEvent), and the
// camera and cue events the game thread posts to the table's own queue for the render step, which alone changes
// the cameras.
#include <cstdint>

namespace kestrovan {

namespace AppEventId {
inline constexpr uint32_t CursorMode = 1033;         // wParam 1: the pen cursor, 0: the normal one
inline constexpr uint32_t UserActivity = 1071;
inline constexpr uint32_t TableMarkHit = 1086;       // wParam: the mark
inline constexpr uint32_t ShotFired = 1108;          // wParam: the power in percent
inline constexpr uint32_t BallsStopped = 1109;
inline constexpr uint32_t PocketCalled = 1110;       // wParam: the pocket, 1 to 6
inline constexpr uint32_t BallPlaced = 1111;         // wParam: the ball
inline constexpr uint32_t GalleryTableEvent = 1117;  // a notifying camera move ended
}  // namespace AppEventId

// Events of the table's own queue; the values are those of the Windows-era ids.
namespace TableEventId {
inline constexpr uint32_t OrbitCamera = 1113;      // -dx, dy
inline constexpr uint32_t PitchCamera = 1114;      // 0, dy
inline constexpr uint32_t ZoomCamera = 1115;       // step, 0
inline constexpr uint32_t RestoreCamera = 1118;    // the scene draws through the current mode's camera again
inline constexpr uint32_t StepCameraMove = 1119;
inline constexpr uint32_t MoveTipOffset = 1121;    // dx, -dy
inline constexpr uint32_t ChangeElevation = 1122;  // 0, dy
}  // namespace TableEventId

}  // namespace kestrovan
