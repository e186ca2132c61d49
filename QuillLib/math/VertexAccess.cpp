#include "QuillLib/math/VertexAccess.h"

namespace quill {
namespace {

const float* Attribute(const VertexData& vertices, uint32_t vertex, uint32_t offset) {
    if (offset == VertexData::kAbsent || vertex >= vertices.VertexCount()) {
        return nullptr;
    }
    return vertices.Words().data() + static_cast<size_t>(vertex) * vertices.Stride() + offset / 4;
}

float* Attribute(VertexData& vertices, uint32_t vertex, uint32_t offset) {
    return const_cast<float*>(Attribute(static_cast<const VertexData&>(vertices), vertex, offset));
}

Vec3 ReadVector(const float* words) {
    return words == nullptr ? Vec3{} : Vec3{words[0], words[1], words[2]};
}

void WriteVector(float* words, const Vec3& value) {
    if (words != nullptr) {
        words[0] = value.x;
        words[1] = value.y;
        words[2] = value.z;
    }
}

}  // namespace

Vec3 ReadPosition(const VertexData& vertices, uint32_t vertex) {
    return ReadVector(Attribute(vertices, vertex, vertices.PositionOffset()));
}

void WritePosition(VertexData& vertices, uint32_t vertex, const Vec3& position) {
    WriteVector(Attribute(vertices, vertex, vertices.PositionOffset()), position);
}

Vec3 ReadNormal(const VertexData& vertices, uint32_t vertex) {
    return ReadVector(Attribute(vertices, vertex, vertices.NormalOffset()));
}

void WriteNormal(VertexData& vertices, uint32_t vertex, const Vec3& normal) {
    WriteVector(Attribute(vertices, vertex, vertices.NormalOffset()), normal);
}

void WriteTexCoord(VertexData& vertices, uint32_t vertex, uint32_t set, float u, float v) {
    const uint32_t floats = VertexData::TextureSetFloats(vertices.LayoutFlags(), set);
    if (set >= VertexData::TextureSetCount(vertices.LayoutFlags()) || floats == 0) {
        return;
    }
    float* words = Attribute(vertices, vertex, vertices.TextureSetOffset(set));
    if (words != nullptr) {
        words[0] = u;
        if (floats > 1) {
            words[1] = v;
        }
    }
}

}  // namespace quill
