#include "tools/mkdata/BodyWriter.h"

#include "QuillLib/core/StreamFields.h"
#include "QuillLib/math/TransformFields.h"
#include "QuillLib/resource/ResourceFields.h"

namespace mkdata {

void BodyWriter::U8(uint8_t value) {
    ok_ = quill::WriteU8(stream_, value) && ok_;
}

void BodyWriter::U16(uint16_t value) {
    ok_ = quill::WriteU16(stream_, value) && ok_;
}

void BodyWriter::U32(uint32_t value) {
    ok_ = quill::WriteU32(stream_, value) && ok_;
}

void BodyWriter::I32(int32_t value) {
    ok_ = quill::WriteI32(stream_, value) && ok_;
}

void BodyWriter::F32(float value) {
    ok_ = quill::WriteF32(stream_, value) && ok_;
}

void BodyWriter::Vec3(const quill::Vec3& value) {
    ok_ = quill::WriteVector3(stream_, value) && ok_;
}

void BodyWriter::Vec4(float x, float y, float z, float w) {
    const float values[4] = {x, y, z, w};
    ok_ = quill::WriteVector4(stream_, values) && ok_;
}

void BodyWriter::Transform(const quill::Transform& transform) {
    ok_ = quill::WriteTransform(stream_, transform) && ok_;
}

void BodyWriter::Bytes(std::span<const uint8_t> bytes) {
    Put(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void BodyWriter::Put(const void* data, uint32_t size) {
    if (size != 0) {
        ok_ = stream_.Write(data, size) == size && ok_;
    }
}

}  // namespace mkdata
