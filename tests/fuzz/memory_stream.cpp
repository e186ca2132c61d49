// Arbitrary bytes as compressed item records (with an uncompressed size taken from the input) and as fixed
// and scrambled text fields, as a damaged resource file would present them.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/StreamFields.h"

namespace {

using quill::MemoryStream;

// Takes a little-endian u32 from the front of the input (zero-padded when the input is shorter).
uint32_t TakeU32(const uint8_t*& data, size_t& size) {
    uint8_t bytes[4] = {};
    const size_t n = size < 4 ? size : 4;
    std::memcpy(bytes, data, n);
    data += n;
    size -= n;
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

MemoryStream StreamOf(const uint8_t* data, size_t size) {
    MemoryStream stream;
    stream.Write(data, static_cast<uint32_t>(size));
    stream.Seek(quill::Stream::kFromBegin, 0);
    return stream;
}

void InflateRecord(const uint8_t* data, size_t size, uint32_t uncompressedSize) {
    MemoryStream record = StreamOf(data, size);
    if (uncompressedSize > MemoryStream::kMaxUncompressedSize) {
        record.Uncompress(uncompressedSize);  // refused before anything is allocated
    }
    // Large sizes below the bound would only time the allocator.
    const uint32_t boundedSize = uncompressedSize % (1u << 20);
    MemoryStream target(boundedSize);
    record.UncompressTo(target);
    record.Inflate(boundedSize);
}

// Reads fields of the given width, plain and scrambled by turns, until the data runs out.
void ReadTextFields(const uint8_t* data, size_t size, uint32_t width) {
    MemoryStream fields = StreamOf(data, size);
    quill::WString text;
    quill::ReadFixedString(fields, text, 0, false);
    quill::ReadScrambledString(fields, text, 0);
    bool scrambled = false;
    while (quill::ReadFixedString(fields, text, width, scrambled)) {
        scrambled = !scrambled;
    }
    MemoryStream standard = StreamOf(data, size);
    quill::ReadFixedString260(standard, text);
    MemoryStream names = StreamOf(data, size);
    quill::ReadScrambledString(names, text, 16);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint32_t uncompressedSize = TakeU32(data, size);
    const uint32_t fieldWidth = 1 + TakeU32(data, size) % 300;
    InflateRecord(data, size, uncompressedSize);
    ReadTextFields(data, size, fieldWidth);
    return 0;
}
