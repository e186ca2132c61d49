#pragma once
// How much one bone moves one vertex of a skinned mesh.
#include <cstdint>

namespace quill {

struct SkinInfluence {
    uint16_t bone = 0;
    float weight = 0.0f;
};

}  // namespace quill
