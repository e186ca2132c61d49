#include "QuillLib/render/PartEntry.h"

#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/MeshPart.h"
#include "QuillLib/resource/Texture.h"

namespace quill {
namespace {

constexpr uint8_t kBumpKind = 2;
constexpr uint8_t kCubeKind = 5;

}  // namespace

bool PartEntry::Acquire() {
    if (acquired_) return true;
    acquired_ = true;
    if (!part->material) return true;
    bool all = true;
    for (const MaterialStage& stage : part->material->Stages()) {
        if ((stage.kind == kBumpKind || stage.kind == kCubeKind) && mirror == 0) continue;
        if (!stage.texture) continue;
        if (stage.texture->Acquire(false)) {
            textures_.push_back(stage.texture);
        } else {
            all = false;
        }
    }
    return all;
}

void PartEntry::Release() {
    for (const SharedPtr<Texture>& texture : textures_) texture->Release(false);
    textures_.clear();
    acquired_ = false;
}

float PartEntry::Depth() const {
    return part->instanceData ? part->instanceData->depth : 0.0f;
}

}  // namespace quill
