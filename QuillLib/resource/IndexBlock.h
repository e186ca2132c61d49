#pragma once
// The 16-bit triangle-list indices of an indexed mesh part, shared between the instances of a mesh and
// copied only when one of them writes (IndexedMeshPart::GetWritableIndices), with the set of the distinct
// vertex indices they use, which bounds and culling walk.
#include <cstdint>
#include <set>
#include <vector>

namespace quill {

struct IndexBlock {
    std::vector<uint16_t> indices;
    std::set<uint16_t> vertexKeys;

    // Rebuilds vertexKeys from indices.
    void RebuildKeys() { vertexKeys = std::set<uint16_t>(indices.begin(), indices.end()); }
};

}  // namespace quill
