#pragma once
// The level of the texture of one texture kind: binds it at the stage the kind takes in the level's mask (the
// number of kinds below it that the device draws), or clears that stage for the level without a texture.
// Its device texture is made when the level is made and released when it goes.
#include <cstdint>

#include "QuillLib/render/Node.h"

namespace quill {

class Texture;

class TextureNode : public Node {
public:
    static constexpr uint32_t kDiffuseKind = 0;
    static constexpr uint32_t kLightMapKind = 6;

    TextureNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t kind, Texture* texture, uint32_t mask);
    ~TextureNode() override;

    bool Enter(RenderStats& stats) override;
    bool Acquire() override;
    void Release() override;

    Texture* GetTexture() const { return texture_; }
    uint32_t GetKind() const { return kind_; }
    bool IsAcquired() const { return acquired_; }

private:
    // The mask without the kinds the device does not draw.
    uint32_t EffectiveMask() const;

    Texture* texture_;
    uint32_t mask_;
    uint32_t kind_;
    bool acquired_ = false;
};

}  // namespace quill
