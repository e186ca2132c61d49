#pragma once
// Result codes of the audio layer. They keep the numeric values of the sound API the game was written for,
// because the sound classes pass them through to their callers unchanged and compare against them.
#include <cstdint>

namespace platform::AudioResult {

inline constexpr int32_t Ok = 0;
inline constexpr int32_t Fail = static_cast<int32_t>(0x80004005u);
inline constexpr int32_t OutOfMemory = static_cast<int32_t>(0x8007000Eu);
inline constexpr int32_t InvalidArg = static_cast<int32_t>(0x80070057u);
inline constexpr int32_t Unexpected = static_cast<int32_t>(0x8000FFFFu);
inline constexpr int32_t NotInitialized = static_cast<int32_t>(0x800401F0u);
inline constexpr int32_t ControlUnavailable = static_cast<int32_t>(0x8878001Eu);
inline constexpr int32_t InvalidCall = static_cast<int32_t>(0x88780032u);
inline constexpr int32_t BadFormat = static_cast<int32_t>(0x88780064u);
inline constexpr int32_t BufferLost = static_cast<int32_t>(0x88780096u);

}  // namespace platform::AudioResult
