#include "platform/gfx/gl/GlAlphaTest.h"

#include <algorithm>

namespace platform::gfx {
namespace {

// The least alpha of one stage's output, from the least of its two arguments (each op grows with both).
float LeastOfOp(uint32_t op, float arg1, float arg2) {
    switch (op) {
        case TextureOp::SelectArg1: return arg1;
        case TextureOp::Disable:
        case TextureOp::SelectArg2:
        case TextureOp::BumpEnvMap: return arg2;
        case TextureOp::Add: return std::min(1.0f, arg1 + arg2);
        case TextureOp::AddSmooth: return arg1 + arg2 - arg1 * arg2;
        case TextureOp::Modulate2x: return std::min(1.0f, 2.0f * arg1 * arg2);
        default: return arg1 * arg2;  // Modulate, as the combiner takes unknown ops
    }
}

}  // namespace

bool AlphaTestCanReject(const GlDeviceState& state, std::span<const std::optional<uint8_t>> stageTextures) {
    if (Rs(state, RenderState::AlphaTestEnable) == 0) return false;
    const uint32_t function = Rs(state, RenderState::AlphaFunc);
    if (function == Cmp::Always) return false;
    if (function != Cmp::Greater && function != Cmp::GreaterEqual) return true;
    // Lighting is always on: the primary alpha is the diffuse material's, or a vertex colour's (unknown).
    const float diffuse = Rs(state, RenderState::DiffuseMaterialSource) == MaterialSource::Color1
                              ? 0.0f
                              : std::clamp(state.material.diffuse.a, 0.0f, 1.0f);
    float current = diffuse;
    for (size_t unit = 0; unit < stageTextures.size(); ++unit) {
        if (!stageTextures[unit]) continue;
        const float texture = static_cast<float>(*stageTextures[unit]) / 255.0f;
        auto least = [&](uint32_t arg) {
            switch (arg & 0xF) {
                case TextureArg::Texture: return texture;
                case TextureArg::Diffuse: return diffuse;
                default: return current;
            }
        };
        current = LeastOfOp(Ss(state, unit, TextureStageState::AlphaOp),
                            least(Ss(state, unit, TextureStageState::AlphaArg1)),
                            least(Ss(state, unit, TextureStageState::AlphaArg2)));
    }
    // One step of margin for the rounding of the blend of the stages.
    const auto reference = static_cast<float>(Rs(state, RenderState::AlphaRef) & 0xFF);
    return !(current * 255.0f > reference + 1.0f);
}

}  // namespace platform::gfx
