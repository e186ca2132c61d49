#pragma once
// What the render tree and the static batches read of a mesh part: the vertex data of its mesh, its own index
// block (indexed parts), whether its geometry changes every frame, and whether it is drawn at all.
#include <cstdint>

#include "QuillLib/resource/IndexChunk.h"

namespace quill {

class MeshPart;
class VertexData;
struct IndexBlock;

// The vertex data of the part's mesh; null for a part of a loaded (not instanced) mesh.
VertexData* PartVertices(const MeshPart& part);
// The part's index block; null for a plain part.
IndexBlock* PartIndices(const MeshPart& part);
// The vertex layout word of the part's mesh (0 without one).
uint32_t PartLayout(const MeshPart& part);
uint32_t PartVertexCount(const MeshPart& part);
// A part of a skinned or vertex-animated mesh: its vertices are written every frame.
bool IsDynamicGeometry(const MeshPart& part);
// The part's mesh is visible, neither mesh nor part was classified outside the view, and, when
// excludedTextureId is non-zero, no texture of the part's material has that id.
bool IsDrawable(const MeshPart& part, uint32_t excludedTextureId);
// The chunk the device draws an index block as, with its lowest and highest vertex and no append hint.
IndexChunk IndexChunkOf(const IndexBlock& block);

}  // namespace quill
