#pragma once
// The 16 bytes that every WAVE format record begins with (tag, channels, rate, byte rate, block size, bits),
// read and written field by field, little-endian.
#include <cstdint>

#include "platform/audio/WaveFormat.h"

namespace quill {

class Stream;

inline constexpr uint32_t kWaveFormatBaseSize = 16;

// False on a short read.
bool ReadWaveFormatBase(Stream& in, platform::WaveFormat& format);
bool WriteWaveFormatBase(Stream& out, const platform::WaveFormat& format);

}  // namespace quill
