#include "client/render/RenderStateCache.h"

namespace kestrovan {

void RenderStateCache::Reset() {
    std::array<platform::gfx::BaseTexture*, platform::gfx::kMaxTextureStages> textures{};
    for (size_t stage = 0; stage < stages.size(); ++stage) {
        textures[stage] = stages[stage].texture;
    }
    *this = RenderStateCache{};
    for (size_t stage = 0; stage < stages.size(); ++stage) {
        stages[stage].texture = textures[stage];
    }
}

}  // namespace kestrovan
