// Arbitrary bytes as the WAVE data of a sound resource: the header is parsed, the PCM read in uneven pieces
// and rewound. A damaged file must fail its open or read no further than its data, never hang, crash or
// read out of bounds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/sound/WaveDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quill::MemoryStream stream;
    stream.Write(data, static_cast<uint32_t>(size));
    quill::WaveDecoder decoder(stream);
    if (decoder.Open() != 0) {
        return 0;
    }
    std::vector<uint8_t> buffer(4096);
    for (int pass = 0; pass < 2; ++pass) {
        uint32_t total = 0;
        uint32_t read = 0;
        uint32_t piece = 1;
        do {
            decoder.Read(buffer.data(), piece, read);
            total += read;
            piece = piece * 3 % 4093 + 1;
        } while (read > 0);
        if (total > decoder.GetSize()) {
            __builtin_trap();
        }
        decoder.Rewind();
    }
    return 0;
}
