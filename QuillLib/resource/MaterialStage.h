#pragma once
// One texture stage of a material: the texture of its stage kind (texture slot 0 to 7), the texture
// coordinate set it reads, the kind-2 (bump) stage record and the optional extra record of three words
// (the stage's texture-coordinate animation).
#include <array>
#include <cstdint>

#include "QuillLib/core/SharedPtr.h"

namespace quill {

class Texture;

struct MaterialStage {
    static constexpr uint8_t kDerivedTexCoordSet = 255;

    // The record of the kind-2 stage: scale, mode and parameter of the bump layer.
    struct BumpRecord {
        float scale = 1.0f;
        uint8_t mode = 0;
        uint32_t param = 0;
    };

    uint8_t kind = 0;
    SharedPtr<Texture> texture;
    uint8_t texCoordSet = kDerivedTexCoordSet;
    BumpRecord bump;
    uint8_t hasExtra = 0;
    std::array<uint32_t, 3> extra{0, 0, 0};
};

}  // namespace quill
