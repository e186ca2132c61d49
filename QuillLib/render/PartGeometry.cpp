#include "QuillLib/render/PartGeometry.h"

#include <algorithm>

#include "QuillLib/resource/IndexedMeshPart.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/Mesh.h"
#include "QuillLib/resource/SkinnedMesh.h"
#include "QuillLib/resource/Texture.h"

namespace quill {

VertexData* PartVertices(const MeshPart& part) {
    return part.owner != nullptr ? part.owner->vertices.get() : nullptr;
}

IndexBlock* PartIndices(const MeshPart& part) {
    const auto* indexed = dynamic_cast<const IndexedMeshPart*>(&part);
    return indexed != nullptr ? indexed->indices.get() : nullptr;
}

uint32_t PartLayout(const MeshPart& part) {
    const VertexData* vertices = PartVertices(part);
    return vertices != nullptr ? vertices->LayoutFlags() : 0;
}

uint32_t PartVertexCount(const MeshPart& part) {
    const VertexData* vertices = PartVertices(part);
    return vertices != nullptr ? vertices->VertexCount() : 0;
}

bool IsDynamicGeometry(const MeshPart& part) {
    const Mesh* mesh = part.owner;
    return mesh != nullptr && (dynamic_cast<const SkinnedMesh*>(mesh) != nullptr || mesh->vertexPlayer != nullptr);
}

bool IsDrawable(const MeshPart& part, uint32_t excludedTextureId) {
    const Mesh* mesh = part.owner;
    if (mesh == nullptr || !mesh->vertices || mesh->vertices->Visible() == 0) return false;
    if (part.GetCullResult() == MeshRenderRecord::kOutside) return false;
    if (mesh->renderData && mesh->renderData->cullResult == MeshRenderRecord::kOutside) return false;
    if (excludedTextureId == 0 || !part.material) return true;
    for (const MaterialStage& stage : part.material->Stages()) {
        if (stage.texture && stage.texture->id == excludedTextureId) return false;
    }
    return true;
}

IndexChunk IndexChunkOf(const IndexBlock& block) {
    IndexChunk chunk;
    chunk.indices = block.indices;
    if (!block.vertexKeys.empty()) {
        chunk.lowest = *block.vertexKeys.begin();
        chunk.highest = *block.vertexKeys.rbegin();
    } else if (!block.indices.empty()) {
        // Keys not built yet (indices written without RebuildKeys): the range from the indices themselves.
        const auto [lowest, highest] = std::minmax_element(block.indices.begin(), block.indices.end());
        chunk.lowest = *lowest;
        chunk.highest = *highest;
    }
    return chunk;
}

}  // namespace quill
