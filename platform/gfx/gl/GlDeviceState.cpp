#include "platform/gfx/gl/GlDeviceState.h"

#include <bit>

namespace platform::gfx {
namespace {

uint32_t FloatBits(float value) {
    return std::bit_cast<uint32_t>(value);
}

}  // namespace

// The device's defaults.
GlDeviceState::GlDeviceState() {
    auto rs = [&](RenderState state, uint32_t value) { renderStates[static_cast<uint32_t>(state)] = value; };
    rs(RenderState::ZEnable, 1);
    rs(RenderState::ZWriteEnable, 1);
    rs(RenderState::ZFunc, Cmp::LessEqual);
    rs(RenderState::AlphaFunc, Cmp::Always);
    rs(RenderState::SrcBlend, Blend::One);
    rs(RenderState::DestBlend, Blend::Zero);
    rs(RenderState::SrcBlendAlpha, Blend::One);
    rs(RenderState::CullMode, Cull::Ccw);
    rs(RenderState::Lighting, 1);
    rs(RenderState::FogStart, FloatBits(0.0f));
    rs(RenderState::FogEnd, FloatBits(1.0f));
    rs(RenderState::FogDensity, FloatBits(1.0f));
    rs(RenderState::DiffuseMaterialSource, MaterialSource::Color1);
    rs(RenderState::AmbientMaterialSource, MaterialSource::Material);
    for (uint32_t stage = 0; stage < kMaxTextureStages; ++stage) {
        auto& ss = stageStates[stage];
        ss[static_cast<uint32_t>(TextureStageState::ColorOp)] = stage == 0 ? TextureOp::Modulate : TextureOp::Disable;
        ss[static_cast<uint32_t>(TextureStageState::ColorArg1)] = TextureArg::Texture;
        ss[static_cast<uint32_t>(TextureStageState::ColorArg2)] = TextureArg::Current;
        ss[static_cast<uint32_t>(TextureStageState::AlphaOp)] = stage == 0 ? TextureOp::SelectArg1 : TextureOp::Disable;
        ss[static_cast<uint32_t>(TextureStageState::AlphaArg1)] = TextureArg::Texture;
        ss[static_cast<uint32_t>(TextureStageState::AlphaArg2)] = TextureArg::Current;
        ss[static_cast<uint32_t>(TextureStageState::TexCoordIndex)] = stage;
        auto& sampler = samplerStates[stage];
        sampler[static_cast<uint32_t>(SamplerState::AddressU)] = TextureAddress::Wrap;
        sampler[static_cast<uint32_t>(SamplerState::AddressV)] = TextureAddress::Wrap;
        sampler[static_cast<uint32_t>(SamplerState::MagFilter)] = TextureFilter::Point;
        sampler[static_cast<uint32_t>(SamplerState::MinFilter)] = TextureFilter::Point;
        sampler[static_cast<uint32_t>(SamplerState::MipFilter)] = TextureFilter::None;
        sampler[static_cast<uint32_t>(SamplerState::MaxAnisotropy)] = 1;
    }
}

void GlDeviceState::MarkAllDirty() {
    renderDirty = stagesDirty = transformsDirty = lightsDirty = materialDirty = true;
}

}  // namespace platform::gfx
