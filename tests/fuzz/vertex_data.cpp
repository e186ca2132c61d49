// Vertex layouts and counts as a damaged mesh record presents them, then every copy and blend between records
// of different layouts; and the rest of the input as a transform field.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/math/TransformFields.h"
#include "QuillLib/math/VertexData.h"

namespace {

using quill::VertexData;

constexpr uint32_t kMaxFuzzVertices = 64;

uint32_t TakeU32(const uint8_t*& data, size_t& size) {
    uint8_t bytes[4] = {};
    const size_t n = size < 4 ? size : 4;
    if (n > 0) {
        std::memcpy(bytes, data, n);
    }
    data += n;
    size -= n;
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void FillFrom(VertexData& record, const uint8_t*& data, size_t& size) {
    auto bytes = record.Bytes();
    const size_t n = bytes.size() < size ? bytes.size() : size;
    if (n > 0) {  // an empty record has no buffer, and memcpy must not see a null pointer
        std::memcpy(bytes.data(), data, n);
    }
    data += n;
    size -= n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    VertexData records[3];
    for (VertexData& record : records) {
        const uint32_t layout = TakeU32(data, size);
        const uint32_t count = TakeU32(data, size);
        // Large counts are refused or only time the allocator; the layout word is the hostile part.
        record.SetLayout(layout, count % kMaxFuzzVertices);
        FillFrom(record, data, size);
    }
    for (VertexData& target : records) {
        for (const VertexData& a : records) {
            for (const VertexData& b : records) {
                target.Interpolate(a, b, 0.5f);
            }
            target.CopyFrom(a);
        }
    }
    quill::MemoryStream stream;
    stream.Write(data, static_cast<uint32_t>(size));
    stream.Seek(quill::Stream::kFromBegin, 0);
    quill::Transform transform;
    quill::ReadTransform(stream, transform);
    return 0;
}
