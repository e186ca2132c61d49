#pragma once
// Writes the fields of a packed item body into a memory stream: little-endian integers and floats, vectors,
// transforms (position, scale, rotation) and raw bytes. A short write is remembered, so a body is checked
// once when it is complete.
#include <cstdint>
#include <span>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/math/Transform.h"
#include "QuillLib/math/Vec3.h"

namespace mkdata {

class BodyWriter {
public:
    void U8(uint8_t value);
    void U16(uint16_t value);
    void U32(uint32_t value);
    void I32(int32_t value);
    void F32(float value);
    void Vec3(const quill::Vec3& value);
    void Vec4(float x, float y, float z, float w);
    void Transform(const quill::Transform& transform);
    void Bytes(std::span<const uint8_t> bytes);

    bool Ok() const { return ok_; }
    quill::MemoryStream& Stream() { return stream_; }

private:
    void Put(const void* data, uint32_t size);

    quill::MemoryStream stream_;
    bool ok_ = true;
};

}  // namespace mkdata
