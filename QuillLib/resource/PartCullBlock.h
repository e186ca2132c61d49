#pragma once
// The per-instance cull state of a mesh part: its result and depth in the current pass and one bit per
// triangle that may be visible.
#include <cstdint>
#include <vector>

namespace quill {

struct PartCullBlock {
    int32_t result = 0;
    float depth = 0.0f;
    uint32_t triangleCount = 0;
    std::vector<bool> mayBeVisible;
};

}  // namespace quill
