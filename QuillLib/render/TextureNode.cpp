#include "QuillLib/render/TextureNode.h"

#include "QuillLib/math/SlotFlags.h"
#include "QuillLib/render/RenderStats.h"
#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/render/TextureLevels.h"
#include "QuillLib/resource/Texture.h"

namespace quill {

TextureNode::TextureNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t kind, Texture* texture, uint32_t mask)
    : Node(owner, parentGroup), texture_(texture), mask_(mask), kind_(kind) {
    group_ = CreateTextureLevels(owner, this, mask, kind);
    Acquire();
}

TextureNode::~TextureNode() {
    Release();
}

uint32_t TextureNode::EffectiveMask() const {
    const SceneRenderDevice& device = owner_.GetDevice();
    uint32_t mask = mask_;
    if (device.bumpMapping == 0 || device.bumpLayersEnabled == 0) {
        if ((mask & 0x20) != 0) mask &= ~(0x04u | 0x40u);
        mask &= ~0x20u;
    }
    if (device.lightMapLayersEnabled == 0) mask &= ~0x10u;
    if (device.cubeMapping == 0) mask &= ~0x08u;
    return mask;
}

bool TextureNode::Enter(RenderStats& stats) {
    const uint32_t mask = EffectiveMask();
    const auto stage = static_cast<uint32_t>(CountFlagBits(mask, static_cast<int>(kind_)));
    if (texture_ == nullptr) {
        owner_.GetDevice().ClearTexture(stage);
    } else if ((mask & IndexToFlagBit(static_cast<int>(kind_))) != 0) {
        Acquire();
        texture_->Bind(stage);
    } else {
        Release();
    }
    if (kind_ == kLightMapKind) ++stats[RenderStats::kLightMaps];
    if (kind_ == kDiffuseKind) ++stats[RenderStats::kDiffuseMaps];
    return true;
}

bool TextureNode::Acquire() {
    if (!acquired_ && texture_ != nullptr) acquired_ = texture_->Acquire(false);
    return true;
}

void TextureNode::Release() {
    if (texture_ != nullptr && acquired_) texture_->Release(false);
    acquired_ = false;
}

}  // namespace quill
