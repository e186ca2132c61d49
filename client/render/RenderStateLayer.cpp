#include "client/render/RenderStateLayer.h"

#include <bit>
#include <cfloat>
#include <cmath>

#include "QuillLib/math/Camera.h"
#include "QuillLib/render/DeviceVertexFormat.h"
#include "QuillLib/resource/DirectLight.h"
#include "QuillLib/resource/PointLight.h"
#include "client/render/ColorPacking.h"
#include "client/render/MaterialStateOf.h"

namespace kestrovan {

namespace gfx = platform::gfx;
using quill::Matrix4;

namespace {

constexpr float kPi = 3.14159265358979323846f;
constexpr uint32_t kAlphaReferenceOpaque = 176;
constexpr float kMaterialPower = 40.0f;
constexpr float kLightMapBias = -0.3f;

bool IsIdentity(const Matrix4& matrix) {
    for (int i = 0; i < 16; ++i) {
        if (std::fabs(matrix.m[i] - quill::kIdentityMatrix.m[i]) >= FLT_EPSILON) return false;
    }
    return true;
}

gfx::Matrix ToGfx(const Matrix4& matrix) {
    gfx::Matrix out;
    for (int i = 0; i < 16; ++i) out.m[i] = matrix.m[i];
    return out;
}

uint32_t FloatBits(float value) {
    return std::bit_cast<uint32_t>(value);
}

// Engine addressing 0 wrap, 1 mirror, 2 clamp as the device's values.
uint32_t AddressMode(uint32_t mode) {
    return mode + 1;
}

}  // namespace

CascadeLimits RenderStateLayer::Limits() const {
    return CascadeLimits{maxTextureBlendStages, bumpMapping != 0, cubeMapping != 0, bumpLayersEnabled != 0,
                         lightMapLayersEnabled != 0};
}

bool RenderStateLayer::State(gfx::RenderState state, uint32_t value) {
    return gfx_ != nullptr && gfx::Succeeded(gfx_->SetRenderState(state, value));
}

bool RenderStateLayer::StageState(uint32_t stage, gfx::TextureStageState state, uint32_t value) {
    return gfx_ != nullptr && gfx::Succeeded(gfx_->SetTextureStageState(stage, state, value));
}

bool RenderStateLayer::StageFloat(uint32_t stage, gfx::TextureStageState state, float value) {
    return StageState(stage, state, FloatBits(value));
}

bool RenderStateLayer::Transform(gfx::TransformState state, const Matrix4& matrix) {
    return gfx_ != nullptr && gfx::Succeeded(gfx_->SetTransform(state, ToGfx(matrix)));
}

bool RenderStateLayer::SetAlphaMode(int32_t mode) {
    if (cache_.alphaFrozen != 0 || mode == cache_.alphaMode) return true;
    if (mode != 0 && mode != 1) return false;
    if (!State(gfx::RenderState::AlphaBlendEnable, mode == 1 ? 1 : 0) ||
        !State(gfx::RenderState::AlphaRef, mode == 1 ? 0 : kAlphaReferenceOpaque)) {
        return false;
    }
    cache_.alphaMode = mode;
    return true;
}

bool RenderStateLayer::SetSpecularEnable(bool enable) {
    if (cache_.specularFrozen != 0 || (cache_.specularOn != 0) == enable) return true;
    if (!State(gfx::RenderState::SpecularEnable, enable ? 1 : 0)) return false;
    cache_.specularOn = enable ? 1 : 0;
    return true;
}

bool RenderStateLayer::SetCullMode(int32_t mode) {
    if (mode == -1) mode = defaultCullMode;
    if (mode == cache_.cullMode) return true;
    if (!State(gfx::RenderState::CullMode, static_cast<uint32_t>(mode + 1))) return false;
    cache_.cullMode = mode;
    return true;
}

bool RenderStateLayer::SetZWriteEnable(bool enable) {
    if ((cache_.zWrite != 0) == enable) return true;
    if (!State(gfx::RenderState::ZWriteEnable, enable ? 1 : 0)) return false;
    cache_.zWrite = enable ? 1 : 0;
    return true;
}

bool RenderStateLayer::SetDither() {
    return State(gfx::RenderState::DitherEnable, backBufferDesc_.format == gfx::Format::R5G6B5 ? 1 : 0);
}

bool RenderStateLayer::SetWrap(uint32_t stage, uint32_t value) {
    if (stage >= gfx::kMaxTextureStages) return false;
    return State(static_cast<gfx::RenderState>(static_cast<uint32_t>(gfx::RenderState::Wrap0) + stage), value);
}

bool RenderStateLayer::SetTexture(gfx::BaseTexture* texture, uint32_t stage) {
    if (stage >= maxSimultaneousTextures || stage >= gfx::kMaxTextureStages) return false;
    if (cache_.stages[stage].texture == texture) return true;
    if (gfx_ == nullptr || !gfx::Succeeded(gfx_->SetTexture(stage, texture))) return false;
    cache_.stages[stage].texture = texture;
    return true;
}

bool RenderStateLayer::ClearTexture(uint32_t stage) {
    return SetTexture(nullptr, stage);
}

bool RenderStateLayer::SetTextureAddress(uint32_t stage, uint32_t u, uint32_t v) {
    if (stage >= gfx::kMaxTextureStages || u > 2 || v > 2) return false;
    StageCache& cached = cache_.stages[stage];
    if (cached.addressU != u) {
        if (gfx_ == nullptr || !gfx::Succeeded(gfx_->SetSamplerState(stage, gfx::SamplerState::AddressU, AddressMode(u)))) {
            return false;
        }
        cached.addressU = static_cast<uint16_t>(u);
    }
    if (cached.addressV != v) {
        if (!gfx::Succeeded(gfx_->SetSamplerState(stage, gfx::SamplerState::AddressV, AddressMode(v)))) return false;
        cached.addressV = static_cast<uint16_t>(v);
    }
    return true;
}

bool RenderStateLayer::SetVertexFormat(uint32_t engineFormat) {
    if (engineFormat == cache_.vertexFormat) return true;
    const quill::DeviceVertexFormat format = quill::ConvertVertexFormat(engineFormat);
    const uint32_t source = (format.fvf & gfx::Fvf::Diffuse) != 0 ? gfx::MaterialSource::Color1 : gfx::MaterialSource::Material;
    if (gfx_ == nullptr || !gfx::Succeeded(gfx_->SetFVF(format.fvf)) ||
        !State(gfx::RenderState::DiffuseMaterialSource, source) || !State(gfx::RenderState::AmbientMaterialSource, source)) {
        return false;
    }
    cache_.vertexFormat = engineFormat;
    return true;
}

bool RenderStateLayer::SetMaterialAlpha(float alpha) {
    if (std::fabs(alpha - cache_.materialAlpha) < FLT_EPSILON) return true;
    gfx::Material material;
    material.diffuse = material.ambient = gfx::ColorValue{1, 1, 1, alpha};
    material.specular = gfx::ColorValue{1, 1, 1, 1};
    material.power = kMaterialPower;
    if (gfx_ == nullptr || !gfx::Succeeded(gfx_->SetMaterial(material))) return false;
    cache_.materialAlpha = alpha;
    return true;
}

bool RenderStateLayer::SetViewport(uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
    return gfx_ != nullptr && gfx::Succeeded(gfx_->SetViewport(gfx::Viewport{x, y, width, height, 0.0f, 1.0f}));
}

bool RenderStateLayer::SetScissorRect(const gfx::Rect* rect) {
    return gfx_ != nullptr && gfx::Succeeded(gfx_->SetScissorRect(rect));
}

bool RenderStateLayer::Clear(bool target, bool depth) {
    uint32_t flags = depth ? gfx::ClearFlags::ZBuffer : 0;
    if (target && (clearColor >> 24) != 0) flags |= gfx::ClearFlags::Target;
    if (flags == 0) return true;
    return gfx_ != nullptr && gfx::Succeeded(gfx_->Clear(flags, clearColor, 1.0f, 0));
}

bool RenderStateLayer::SetRenderTarget(gfx::Surface* target) {
    return gfx_ != nullptr && gfx::Succeeded(gfx_->SetRenderTarget(0, target));
}

bool RenderStateLayer::SetIdentityTracked(gfx::TransformState state, const Matrix4* matrix, Matrix4& cached,
                                          uint8_t& identity) {
    const bool wantsIdentity = matrix == nullptr || IsIdentity(*matrix);
    if (wantsIdentity && identity != 0) return true;
    const Matrix4 value = wantsIdentity ? quill::kIdentityMatrix : *matrix;
    if (!Transform(state, value)) return false;
    cached = value;
    identity = wantsIdentity ? 1 : 0;
    return true;
}

bool RenderStateLayer::SetWorld(const Matrix4* matrix) {
    return SetIdentityTracked(gfx::TransformState::World, matrix, cache_.world, cache_.worldIdentity);
}

bool RenderStateLayer::SetView(const Matrix4* matrix) {
    return SetIdentityTracked(gfx::TransformState::View, matrix, cache_.view, cache_.viewIdentity);
}

Matrix4 RenderStateLayer::AdjustedProjection() const {
    Matrix4 out = cache_.projection;
    const float q = out.m[10], t = out.m[14];
    if (std::fabs(cache_.depthOffset) < FLT_EPSILON || std::fabs(q) < FLT_EPSILON) return out;
    const float n = -t / q;
    const float f = std::fabs(q - 1.0f) < FLT_EPSILON ? 1.0f : n * q / (q - 1.0f);
    const float nearMoved = n - cache_.depthOffset;
    const float qMoved = f / (f - nearMoved);
    out.m[10] = qMoved;
    out.m[14] = -qMoved * nearMoved;
    return out;
}

// The cache keeps the projection as given; only what the device receives carries the depth offset, so
// offsets never add up.
bool RenderStateLayer::SetProjection(const Matrix4* matrix) {
    const bool wantsIdentity = matrix == nullptr || IsIdentity(*matrix);
    if (wantsIdentity && cache_.projectionIdentity != 0 && std::fabs(cache_.depthOffset) < FLT_EPSILON) return true;
    cache_.projection = wantsIdentity ? quill::kIdentityMatrix : *matrix;
    cache_.projectionIdentity = wantsIdentity ? 1 : 0;
    return Transform(gfx::TransformState::Projection, AdjustedProjection());
}

bool RenderStateLayer::UpdateProjection(float offset) {
    if (offset == cache_.depthOffset) return true;
    cache_.depthOffset = offset;
    return Transform(gfx::TransformState::Projection, AdjustedProjection());
}

void RenderStateLayer::SetAmbientColor(float r, float g, float b, float a) {
    cache_.ambientColor[0] = r;
    cache_.ambientColor[1] = g;
    cache_.ambientColor[2] = b;
    cache_.ambientColor[3] = a;
    ApplyAmbient();
}

bool RenderStateLayer::ApplyAmbient() {
    const float* c = cache_.ambientColor;
    uint32_t value = 0xFFFFFFFFu;
    if (cache_.lightingOn != 0) {
        // The fourth value is the light's strength: (1, 1, 1, 0.35) is a white ambient light at 35 %. Packed as
        // it stands the device would ignore it and light every surface fully, which flattens all shading.
        value = cache_.lightsAOn == 0 ? PackOpaqueColor(c[0], c[1], c[2])
                                      : PackColor(c[0] * c[3], c[1] * c[3], c[2] * c[3], c[3]);
    }
    if (value == cache_.appliedAmbient) return true;
    if (!State(gfx::RenderState::Ambient, value)) return false;
    cache_.appliedAmbient = value;
    return true;
}

bool RenderStateLayer::AddLight(const gfx::Light& light, uint32_t lightId, bool directional) {
    if (cache_.lightIndexCount >= maxLights || gfx_ == nullptr) return false;
    const uint32_t index = cache_.lightIndexCount;
    if (!gfx::Succeeded(gfx_->SetLight(index, light))) return false;
    if (directional) {
        lightsA_.resize(std::max<size_t>(lightsA_.size(), cache_.lightCountA + 1));
        lightsA_[cache_.lightCountA++] = {index, lightId};
    } else {
        lightsB_.resize(std::max<size_t>(lightsB_.size(), cache_.lightCountB + 1));
        lightsB_[cache_.lightCountB++] = {index, lightId};
    }
    ++cache_.lightIndexCount;
    return true;
}

namespace {

template <class Desc>
gfx::Light LightColours(const Desc& desc) {
    gfx::Light light;
    const gfx::ColorValue colour{desc.r * desc.intensity, desc.g * desc.intensity, desc.b * desc.intensity,
                                 desc.intensity};
    if (desc.diffuseOn != 0) light.diffuse = colour;
    if (desc.specularOn != 0) light.specular = colour;
    return light;
}

}  // namespace

bool RenderStateLayer::AddDirectionalLight(const DirectionalLightDesc& desc) {
    gfx::Light light = LightColours(desc);
    light.type = gfx::LightType::Directional;
    light.direction = gfx::Vector3{desc.x, desc.y, desc.z};
    return AddLight(light, desc.lightId, true);
}

bool RenderStateLayer::AddPointLight(const PointLightDesc& desc) {
    // A range of zero (from a damaged scene file) would make the attenuation infinite.
    if (!(desc.range >= FLT_EPSILON)) return false;
    gfx::Light light = LightColours(desc);
    light.type = gfx::LightType::Point;
    light.position = gfx::Vector3{desc.x, desc.y, desc.z};
    light.range = desc.range;
    light.attenuation0 = 0.3f;
    light.attenuation2 = 2.0f / (desc.range * desc.range);
    return AddLight(light, desc.lightId, false);
}

namespace {

template <class Desc>
Desc SceneLightDesc(const quill::NamedObject& light, const quill::LightRecord& record) {
    Desc desc;
    desc.lightId = light.id;
    desc.r = record.color[0];
    desc.g = record.color[1];
    desc.b = record.color[2];
    desc.intensity = record.intensity;
    desc.diffuseOn = record.diffuseOn;
    desc.specularOn = record.specularOn;
    desc.x = record.vector.x;
    desc.y = record.vector.y;
    desc.z = record.vector.z;
    return desc;
}

}  // namespace

bool RenderStateLayer::AddSceneLight(const quill::DirectLight& light) {
    return AddDirectionalLight(SceneLightDesc<DirectionalLightDesc>(light, light.record));
}

bool RenderStateLayer::AddSceneLight(const quill::PointLight& light) {
    PointLightDesc desc = SceneLightDesc<PointLightDesc>(light, light.record);
    desc.range = light.range;
    return AddPointLight(desc);
}

bool RenderStateLayer::SetLightGroup(std::vector<std::pair<uint32_t, uint32_t>>& group, uint32_t count, uint8_t& on,
                                     bool wanted) {
    if ((on != 0) == wanted) return true;
    for (uint32_t i = 0; i < count && i < group.size(); ++i) {
        if (gfx_ == nullptr || !gfx::Succeeded(gfx_->LightEnable(group[i].first, wanted))) return false;
    }
    on = wanted ? 1 : 0;
    return true;
}

bool RenderStateLayer::EnableLights(bool groupA, bool groupB, bool on) {
    if (cache_.lightsFrozen != 0) return true;
    cache_.lightingOn = on ? 1 : 0;
    if (!SetLightGroup(lightsA_, cache_.lightCountA, cache_.lightsAOn, groupA && on) ||
        !SetLightGroup(lightsB_, cache_.lightCountB, cache_.lightsBOn, groupB && on)) {
        return false;
    }
    return ApplyAmbient();
}

bool RenderStateLayer::DisableAllLights() {
    bool ok = true;
    for (uint32_t index = 0; index < cache_.lightIndexCount; ++index) {
        ok = gfx_ != nullptr && gfx::Succeeded(gfx_->LightEnable(index, false)) && ok;
    }
    cache_.lightCountA = cache_.lightCountB = cache_.lightIndexCount = 0;
    cache_.lightsAOn = cache_.lightsBOn = cache_.lightingOn = 0;
    return ok;
}

bool RenderStateLayer::SetFilter(uint32_t stage, float bias, uint32_t quality, uint32_t anisotropy) {
    uint32_t filter = 0, mip = 0, maxAnisotropy = 1;
    switch (quality) {
        case 0: filter = gfx::TextureFilter::Point; mip = gfx::TextureFilter::Point; break;
        case 1: filter = gfx::TextureFilter::Linear; mip = gfx::TextureFilter::Point; break;
        case 2: filter = gfx::TextureFilter::Linear; mip = gfx::TextureFilter::Linear; break;
        case 3: filter = gfx::TextureFilter::Anisotropic; mip = 3; maxAnisotropy = anisotropy; break;
        default: return false;
    }
    if (gfx_ == nullptr) return false;
    for (auto [state, value] : {std::pair{gfx::SamplerState::MinFilter, filter}, {gfx::SamplerState::MagFilter, filter},
                                {gfx::SamplerState::MipFilter, mip}, {gfx::SamplerState::MaxAnisotropy, maxAnisotropy},
                                {gfx::SamplerState::MipMapLodBias, FloatBits(bias)}}) {
        if (!gfx::Succeeded(gfx_->SetSamplerState(stage, state, value))) return false;
    }
    return true;
}

Matrix4 RenderStateLayer::ReflectionMatrix() const {
    Matrix4 view = cache_.view;
    for (int i = 0; i < 3; ++i) {
        view.m[12 + i] = 0;  // last row
        view.m[4 * i + 3] = 0;  // last column
    }
    view.m[15] = 1;
    Matrix4 transposed;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) transposed.m[4 * r + c] = view.m[4 * c + r];
    }
    const Matrix4 axes{{1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1}};
    Matrix4 out;
    return Matrix4::Multiply(out, transposed, axes);
}

bool RenderStateLayer::ApplyStage(uint32_t stage, const StageSetting& setting) {
    using S = gfx::TextureStageState;
    if (!StageState(stage, S::TexCoordIndex, setting.texCoordIndex) || !StageState(stage, S::ColorOp, setting.colorOp) ||
        (setting.colorArgTexture && !StageState(stage, S::ColorArg1, gfx::TextureArg::Texture)) ||
        !StageState(stage, S::AlphaOp, setting.alphaOp)) {
        return false;
    }
    if (setting.bumpMatrix &&
        (!StageFloat(stage, S::BumpEnvMat00, 1.0f) || !StageFloat(stage, S::BumpEnvMat01, 0.0f) ||
         !StageFloat(stage, S::BumpEnvMat10, 0.0f) || !StageFloat(stage, S::BumpEnvMat11, 1.0f) ||
         !StageFloat(stage, S::BumpEnvLScale, 0.5f) || !StageFloat(stage, S::BumpEnvLOffset, 0.0f))) {
        return false;
    }
    bool filtered = true;
    switch (setting.filter) {
        case StageFilter::Base:
            filtered = SetFilter(stage, cache_.baseFilterBias, cache_.baseFilterQuality, cache_.baseFilterAnisotropy);
            break;
        case StageFilter::LightMap: filtered = SetFilter(stage, kLightMapBias, filterQuality, filterMaxAnisotropy); break;
        case StageFilter::SecondMap: filtered = SetFilter(stage, 0, 1, 1); break;
        case StageFilter::Device: filtered = SetFilter(stage, 0, filterQuality, filterMaxAnisotropy); break;
    }
    if (!filtered) return false;
    const auto textureTransform = static_cast<gfx::TransformState>(static_cast<uint32_t>(gfx::TransformState::Texture0) + stage);
    if (setting.matrix == StageMatrix::Reflection) return Transform(textureTransform, ReflectionMatrix());
    if (setting.matrix == StageMatrix::ReflectionSphere) {
        Matrix4 sphere;
        sphere.m[0] = 0.5f;
        sphere.m[5] = -0.5f;
        sphere.m[12] = 0.5f;
        sphere.m[13] = 0.5f;
        Matrix4 out;
        return Transform(textureTransform, Matrix4::Multiply(out, ReflectionMatrix(), sphere));
    }
    return true;
}

bool RenderStateLayer::ApplyTextureStages(uint32_t flags) {
    const uint32_t masked = MaskLayerFlags(flags, Limits());
    if (masked == cache_.stageFlags) return true;
    const auto cascade = BuildStageCascade(masked, Limits());
    if (!cascade) return false;
    const auto used = static_cast<uint32_t>(cascade->size());
    for (uint32_t stage = 0; stage < used; ++stage) {
        if (!ApplyStage(stage, (*cascade)[stage])) return false;
    }
    // The stage after the last layer ends the cascade; a device with no stage left needs no end.
    if (used < maxTextureBlendStages &&
        !StageState(used, gfx::TextureStageState::ColorOp, gfx::TextureOp::Disable)) {
        return false;
    }
    for (uint32_t stage = 0; stage < used; ++stage) {
        if (cache_.wrap[stage] != 0) {
            if (!SetWrap(stage, 0)) return false;
            cache_.wrap[stage] = 0;
        }
        const uint32_t transformFlags = (*cascade)[stage].transformFlags;
        if (cache_.transformFlags[stage] != transformFlags) {
            if (!StageState(stage, gfx::TextureStageState::TextureTransformFlags, transformFlags)) return false;
            cache_.transformFlags[stage] = transformFlags;
        }
    }
    cache_.stageFlags = masked;
    return true;
}

bool RenderStateLayer::AnimateTextureCoordinates(const MaterialState& material, uint32_t maskedFlags) {
    auto flags = cache_.transformFlags;
    const uint32_t now = clock_.TickCount();
    for (size_t layer = 0; layer < material.animations.size(); ++layer) {
        if (!material.animations[layer]) continue;
        uint32_t slot = 0;
        while (slot < 8 && material.slotLayer[slot] != layer) ++slot;
        if (slot == 8) continue;
        const uint32_t stage = StageOfKind(slot, maskedFlags);
        const LayerAnimation& a = *material.animations[layer];
        const float pu = a.a == 0 ? 0.0f : std::trunc(a.c * 1000.0f / a.a);
        const float pv = a.b == 0 ? 0.0f : std::trunc(a.c * 1000.0f / a.b);
        auto phase = [now](float period) {
            const float cycle = std::trunc(std::fabs(2.0f * period));
            return period == 0 || cycle < 1 ? 0.0f : std::fmod(static_cast<float>(now), cycle) / period;
        };
        Matrix4 matrix;
        matrix.m[8] = phase(pu);
        matrix.m[9] = phase(pv);
        if (stage >= gfx::kMaxTextureStages ||
            !Transform(static_cast<gfx::TransformState>(static_cast<uint32_t>(gfx::TransformState::Texture0) + stage), matrix)) {
            return false;
        }
        flags[stage] = gfx::TextureTransform::Count2;
    }
    for (uint32_t stage = 0; stage < gfx::kMaxTextureStages; ++stage) {
        if (flags[stage] == cache_.transformFlags[stage]) continue;
        if (!StageState(stage, gfx::TextureStageState::TextureTransformFlags, flags[stage])) return false;
        cache_.transformFlags[stage] = flags[stage];
    }
    return true;
}

bool RenderStateLayer::RotateBumpMatrix(const MaterialState& material, uint32_t maskedFlags) {
    const uint32_t stage = ((maskedFlags & IndexToFlagBit(0)) != 0 ? 1u : 0u) + ((maskedFlags & IndexToFlagBit(1)) != 0 ? 1u : 0u);
    // A period below a millisecond (from material data) does not animate: no division by zero.
    const float periodMs = std::trunc(material.bumpPeriod * 1000.0f);
    float angle = 0;
    if (material.bumpAnimated != 0 && periodMs >= 1.0f) {
        angle = std::fmod(static_cast<float>(clock_.TickCount()), periodMs) / periodMs * 2.0f * kPi;
    }
    const float s = material.bumpScale;
    using S = gfx::TextureStageState;
    return StageFloat(stage, S::BumpEnvMat00, s * std::cos(angle)) && StageFloat(stage, S::BumpEnvMat01, s * std::sin(angle)) &&
           StageFloat(stage, S::BumpEnvMat10, s * std::sin(angle)) && StageFloat(stage, S::BumpEnvMat11, s * std::cos(angle));
}

bool RenderStateLayer::ApplyMaterial(const MaterialState& material) {
    const uint32_t masked = MaskLayerFlags(material.layerFlags, Limits());
    if (!ApplyTextureStages(material.layerFlags) || !AnimateTextureCoordinates(material, masked) ||
        !EnableLights(material.lit != 0, material.lit != 0, material.unlit == 0) ||
        !SetSpecularEnable(material.specular != 0)) {
        return false;
    }
    return (masked & LayerFlag::Bump) == 0 || RotateBumpMatrix(material, masked);
}

bool RenderStateLayer::ApplyBumpStage(uint32_t flags, const quill::MaterialStage& bumpStage) {
    const uint32_t masked = MaskLayerFlags(flags, Limits());
    if ((masked & LayerFlag::Bump) == 0) return true;
    MaterialState state;
    ReadBumpStage(bumpStage, state);
    return RotateBumpMatrix(state, masked);
}

bool RenderStateLayer::ApplyTimedEffects(const quill::Material& material) {
    const MaterialState state = MaterialStateOf(material);
    const uint32_t masked = MaskLayerFlags(state.layerFlags, Limits());
    if (!AnimateTextureCoordinates(state, masked)) return false;
    return (masked & LayerFlag::Bump) == 0 || RotateBumpMatrix(state, masked);
}

bool RenderStateLayer::SetDefaultRenderStates() {
    cache_.baseFilterBias = kLightMapBias;
    cache_.baseFilterQuality = filterQuality;
    cache_.baseFilterAnisotropy = filterMaxAnisotropy;
    using R = gfx::RenderState;
    if (!ApplyTextureStages(0) || !State(R::AlphaTestEnable, 1) || !State(R::AlphaFunc, gfx::Cmp::Greater) ||
        !State(R::SrcBlendAlpha, gfx::Blend::InvSrcAlpha) || !State(R::SrcBlend, gfx::Blend::SrcAlpha) ||
        !State(R::DestBlend, gfx::Blend::InvSrcAlpha) || !SetAlphaMode(0) || !SetDither() ||
        !State(R::DiffuseMaterialSource, gfx::MaterialSource::Material) ||
        !State(R::SpecularMaterialSource, gfx::MaterialSource::Material) || !SetMaterialAlpha(1.0f)) {
        return false;
    }
    cache_.lightsFrozen = 0;
    cache_.specularFrozen = 0;
    if (!UpdateProjection(0) || !State(R::ZEnable, 1) || !SetZWriteEnable(true) || !SetCullMode(defaultCullMode)) {
        return false;
    }
    if (cache_.worldIdentity == 0 && (!SetWorld(nullptr) || !State(R::NormalizeNormals, 0))) {
        return false;
    }
    return SetView(nullptr);
}

bool RenderStateLayer::Begin3D(const SceneEnvironment& environment) {
    if (!SetDefaultRenderStates()) return false;
    if (environment.ambient != nullptr) {
        for (int i = 0; i < 4; ++i) cache_.ambientColor[i] = environment.ambient[i];
    }
    if (!ApplyAmbient()) return false;
    using R = gfx::RenderState;
    if (tableFog != 0 && environment.fog != nullptr) {
        const FogSettings& fog = *environment.fog;
        if (!State(R::FogEnable, fog.enabled) || !State(R::FogTableMode, fog.mode + 1u) || !State(R::FogVertexMode, 0) ||
            !State(R::FogColor, PackOpaqueColor(fog.r, fog.g, fog.b)) || !State(R::FogStart, FloatBits(fog.start)) ||
            !State(R::FogEnd, FloatBits(fog.end)) || !State(R::FogDensity, FloatBits(fog.density))) {
            return false;
        }
    } else if (!State(R::FogEnable, 0)) {
        return false;
    }
    if (!SetWorld(nullptr)) return false;
    if (environment.camera != nullptr) {
        Matrix4 view, projection;
        environment.camera->GetViewMatrix(view);
        environment.camera->GetProjectionMatrix(projection);
        if (!SetView(&view) || !SetProjection(&projection)) return false;
    }
    bufferPool_.RewindAll(false);
    bufferPool_.ForgetSelection();
    cache_.vertexFormat = 0;
    cache_.stageFlags = 0;
    return true;
}

bool RenderStateLayer::Begin2D() {
    cache_.baseFilterBias = 0;
    cache_.baseFilterQuality = 1;
    cache_.baseFilterAnisotropy = 0;
    if (!ApplyTextureStages(0)) return false;
    if (cache_.alphaFrozen == 0) {
        if (!State(gfx::RenderState::AlphaBlendEnable, 1) || !State(gfx::RenderState::AlphaRef, 0)) return false;
        cache_.alphaMode = 1;
    }
    if (!SetMaterialAlpha(1.0f) || !SetDither() || !EnableLights(false, false, false)) return false;
    cache_.lightsFrozen = 1;
    if (!SetSpecularEnable(false)) return false;
    cache_.specularFrozen = 1;
    using R = gfx::RenderState;
    if (!State(R::ZEnable, 0) || !SetZWriteEnable(false) || !SetCullMode(2) || !SetWorld(nullptr) ||
        !State(R::FogEnable, 0)) {
        return false;
    }
    // The 2D view (forward z, up y, no translation) is the identity, stored as set.
    cache_.view = quill::kIdentityMatrix;
    cache_.viewIdentity = 0;
    if (!Transform(gfx::TransformState::View, cache_.view)) return false;
    const gfx::Matrix ortho = gfx::OrthoOffCenterLH(0, static_cast<float>(backBufferDesc_.width),
                                                    static_cast<float>(backBufferDesc_.height), 0, -1.0f, 1.0f);
    for (int i = 0; i < 16; ++i) cache_.projection.m[i] = ortho.m[i];
    cache_.projectionIdentity = 0;
    return Transform(gfx::TransformState::Projection, cache_.projection);
}

bool RenderStateLayer::DrawLineStrip(uint32_t start, uint32_t count) {
    if (!ApplyTextureStages(0) || maxSimultaneousTextures == 0) return false;
    if (cache_.stages[0].texture != nullptr && !ClearTexture(0)) return false;
    if (!SetWorld(nullptr) || !EnableLights(false, false, false)) return false;
    return gfx_ != nullptr && gfx::Succeeded(gfx_->DrawPrimitive(gfx::PrimitiveType::LineStrip, start, count));
}

bool RenderStateLayer::ApplyObjectState(const ObjectState& object) {
    if (!SetWorld(object.world)) return false;
    if (object.blendMode > 1 || !SetAlphaMode(object.blendMode)) return false;
    return SetMaterialAlpha(object.alpha) && SetCullMode(object.cullMode);
}

}  // namespace kestrovan
