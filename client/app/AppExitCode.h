#pragma once
// The program's exit codes: 0 for a normal end and for the hand-over to the launcher, others for a start-up
// that could not go on.
namespace kestrovan::AppExitCode {
inline constexpr int Ok = 0;
inline constexpr int NoLauncher = 1;   // started without words and no launcher to hand over to
inline constexpr int NoWindow = 1;     // no window could be opened (no display)
inline constexpr int EngineFailed = 2;
inline constexpr int DeviceCapsFailed = 3;
inline constexpr int DeviceCreationFailed = 4;
inline constexpr int PackLoadFailed = 5;
inline constexpr int SceneLoadFailed = 6;
inline constexpr int InstanceLockFailed = 7;
}  // namespace kestrovan::AppExitCode
