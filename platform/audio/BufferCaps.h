#pragma once
// The flag words of sound buffers: what a buffer is created with, what its status reports and how it plays.
// The values are those of the sound API the game was written for; sounds store and combine them as numbers.
#include <cstdint>

namespace platform {

namespace BufferCaps {
inline constexpr uint32_t PrimaryBuffer = 0x1;
inline constexpr uint32_t LocSoftware = 0x8;
inline constexpr uint32_t CtrlFrequency = 0x20;
inline constexpr uint32_t CtrlPan = 0x40;
inline constexpr uint32_t CtrlVolume = 0x80;
inline constexpr uint32_t CtrlPositionNotify = 0x100;
inline constexpr uint32_t CtrlFx = 0x200;
inline constexpr uint32_t GlobalFocus = 0x8000;
inline constexpr uint32_t GetCurrentPosition2 = 0x10000;
}  // namespace BufferCaps

namespace BufferStatus {
inline constexpr uint32_t Playing = 0x1;
inline constexpr uint32_t BufferLost = 0x2;
inline constexpr uint32_t Looping = 0x4;
}  // namespace BufferStatus

namespace PlayFlags {
inline constexpr uint32_t Looping = 0x1;
}  // namespace PlayFlags

// Volume in hundredths of a decibel of attenuation, pan in hundredths of a decibel taken off one side,
// frequency in samples per second (0: the buffer's own rate).
namespace BufferLimits {
inline constexpr int32_t VolumeMin = -10000;
inline constexpr int32_t VolumeMax = 0;
inline constexpr int32_t PanLeft = -10000;
inline constexpr int32_t PanRight = 10000;
inline constexpr uint32_t FrequencyOriginal = 0;
inline constexpr uint32_t FrequencyMin = 100;
inline constexpr uint32_t FrequencyMax = 200000;
inline constexpr uint32_t SizeMin = 4;
inline constexpr uint32_t SizeMax = 0x0FFFFFFF;
}  // namespace BufferLimits

}  // namespace platform
