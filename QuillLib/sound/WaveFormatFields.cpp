#include "QuillLib/sound/WaveFormatFields.h"

#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/ResourceFields.h"

namespace quill {

bool ReadWaveFormatBase(Stream& in, platform::WaveFormat& format) {
    return ReadU16(in, format.formatTag) && ReadU16(in, format.channels) && ReadU32(in, format.samplesPerSec) &&
           ReadU32(in, format.avgBytesPerSec) && ReadU16(in, format.blockAlign) && ReadU16(in, format.bitsPerSample);
}

bool WriteWaveFormatBase(Stream& out, const platform::WaveFormat& format) {
    return WriteU16(out, format.formatTag) && WriteU16(out, format.channels) && WriteU32(out, format.samplesPerSec) &&
           WriteU32(out, format.avgBytesPerSec) && WriteU16(out, format.blockAlign) &&
           WriteU16(out, format.bitsPerSample);
}

}  // namespace quill
