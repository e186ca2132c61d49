#include "QuillLib/render/LightSetNode.h"

#include "QuillLib/render/RenderStats.h"
#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/render/TextureLevels.h"
#include "QuillLib/render/TwoWayPartFlagGroup.h"

namespace quill {

LightSetNode::LightSetNode(SceneGraph& owner, NodeGroup* parentGroup, bool lit, bool unlit, uint32_t mask)
    : Node(owner, parentGroup), lit_(lit), unlit_(unlit), mask_(mask) {
    if (IsLit()) {
        group_ = std::make_unique<TwoWayPartFlagGroup>(owner, this, mask);
    } else {
        group_ = CreateTextureLevels(owner, this, mask, TextureLevels::kAllKinds);
    }
}

bool LightSetNode::Enter(RenderStats& stats) {
    // A light-mapped surface (kind 6, bit 0x02) takes its light from the map, not from the directional lights.
    const bool lit = IsLit();
    if (!owner_.GetDevice().EnableLights(lit && (mask_ & 0x02) == 0, lit, !unlit_)) return false;
    ++stats[RenderStats::kLightSwitches];
    return true;
}

}  // namespace quill
