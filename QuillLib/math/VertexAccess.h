#pragma once
// Reading and writing one attribute of one vertex of a VertexData record: what bounds, skinning, culling and
// the sprite quad need of the interleaved vertex words. A record without the attribute reads zero and
// ignores writes; the caller keeps the vertex index below the record's vertex count.
#include <cstdint>

#include "QuillLib/math/Vec3.h"
#include "QuillLib/math/VertexData.h"

namespace quill {

Vec3 ReadPosition(const VertexData& vertices, uint32_t vertex);
void WritePosition(VertexData& vertices, uint32_t vertex, const Vec3& position);
Vec3 ReadNormal(const VertexData& vertices, uint32_t vertex);
void WriteNormal(VertexData& vertices, uint32_t vertex, const Vec3& normal);
// The first two floats of texture set `set` (sets holding one float take only u).
void WriteTexCoord(VertexData& vertices, uint32_t vertex, uint32_t set, float u, float v);

}  // namespace quill
