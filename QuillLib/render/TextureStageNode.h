#pragma once
// The level of one bump stage record: on a device that draws bump maps it sets the bump stage's scale and
// rotation for the level's texture-kind mask; elsewhere it does nothing.
#include <cstdint>

#include "QuillLib/render/Node.h"

namespace quill {

struct MaterialStage;

class TextureStageNode : public Node {
public:
    TextureStageNode(SceneGraph& owner, NodeGroup* parentGroup, const MaterialStage* bumpStage, uint32_t mask,
                     bool hasNormals);

    bool Enter(RenderStats& stats) override;

private:
    const MaterialStage* bumpStage_;
    uint32_t mask_;
};

}  // namespace quill
