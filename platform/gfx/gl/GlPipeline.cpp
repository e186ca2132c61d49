#include "platform/gfx/gl/GlPipeline.h"

#include <GL/glext.h>

#include <algorithm>
#include <bit>
#include <span>

#include "platform/gfx/MemoryBuffer.h"
#include "platform/gfx/gl/GlAlphaTest.h"

namespace platform::gfx {
namespace {

float AsFloat(uint32_t bits) {
    return std::bit_cast<float>(bits);
}

GLenum CompareFunction(uint32_t cmp) {
    static constexpr GLenum kFunctions[] = {GL_ALWAYS, GL_NEVER, GL_LESS, GL_EQUAL, GL_LEQUAL, GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    return cmp <= Cmp::Always ? kFunctions[cmp] : GL_ALWAYS;
}

GLenum BlendFactor(uint32_t blend) {
    switch (blend) {
        case Blend::Zero: return GL_ZERO;
        case Blend::SrcAlpha: return GL_SRC_ALPHA;
        case Blend::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
        case 3: return GL_SRC_COLOR;
        case 4: return GL_ONE_MINUS_SRC_COLOR;
        case 7: return GL_DST_ALPHA;
        case 8: return GL_ONE_MINUS_DST_ALPHA;
        case 9: return GL_DST_COLOR;
        case 10: return GL_ONE_MINUS_DST_COLOR;
        default: return GL_ONE;
    }
}

std::array<GLfloat, 4> ColorOf(uint32_t color) {
    return {static_cast<float>((color >> 16) & 0xFF) / 255.0f, static_cast<float>((color >> 8) & 0xFF) / 255.0f,
            static_cast<float>(color & 0xFF) / 255.0f, static_cast<float>(color >> 24) / 255.0f};
}

std::array<GLfloat, 4> Rgba(const ColorValue& c) {
    return {c.r, c.g, c.b, c.a};
}

// Byte offsets of the attributes and texture sets of a vertex format.
struct VertexLayout {
    int position = -1, normal = -1, diffuse = -1;
    std::array<int, kMaxTextureStages> sets{};
    std::array<int, kMaxTextureStages> floats{};
};

VertexLayout LayoutOf(uint32_t fvf) {
    VertexLayout layout;
    int offset = 0;
    if ((fvf & Fvf::PositionMask) == Fvf::Xyz) {
        layout.position = offset;
        offset += 12;
    } else if ((fvf & Fvf::PositionMask) == Fvf::XyzRhw) {
        layout.position = offset;
        offset += 16;
    }
    if ((fvf & Fvf::Normal) != 0) {
        layout.normal = offset;
        offset += 12;
    }
    if ((fvf & Fvf::Diffuse) != 0) {
        layout.diffuse = offset;
        offset += 4;
    }
    if ((fvf & Fvf::Specular) != 0) offset += 4;
    layout.sets.fill(-1);
    for (uint32_t set = 0; set < Fvf::TexCount(fvf) && set < kMaxTextureStages; ++set) {
        layout.sets[set] = offset;
        layout.floats[set] = static_cast<int>(Fvf::TexCoordFloats(fvf, set));
        offset += 4 * layout.floats[set];
    }
    return layout;
}

GLenum CombineSource(uint32_t arg) {
    switch (arg & 0xF) {
        case TextureArg::Texture: return GL_TEXTURE;
        case TextureArg::Diffuse: return GL_PRIMARY_COLOR;
        default: return GL_PREVIOUS;
    }
}

// One half (colour or alpha) of a stage's combiner.
void Combine(GlStateShadow& shadow, int unit, uint32_t op, uint32_t arg1, uint32_t arg2, bool alpha) {
    const GLenum combine = alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
    const GLenum src0 = alpha ? GL_SRC0_ALPHA : GL_SRC0_RGB, src1 = alpha ? GL_SRC1_ALPHA : GL_SRC1_RGB;
    const GLenum src2 = alpha ? GL_SRC2_ALPHA : GL_SRC2_RGB;
    const GLint operand = alpha ? GL_SRC_ALPHA : GL_SRC_COLOR;
    auto env = [&](GLenum name, GLint value) { shadow.TexEnv(unit, GL_TEXTURE_ENV, name, value); };
    for (GLenum o : {alpha ? GL_OPERAND0_ALPHA : GL_OPERAND0_RGB, alpha ? GL_OPERAND1_ALPHA : GL_OPERAND1_RGB,
                     alpha ? GL_OPERAND2_ALPHA : GL_OPERAND2_RGB}) {
        env(o, operand);
    }
    shadow.TexEnv(unit, GL_TEXTURE_ENV, alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE, op == TextureOp::Modulate2x ? 2.0f : 1.0f);
    auto source = [](uint32_t arg) { return static_cast<GLint>(CombineSource(arg)); };
    switch (op) {
        case TextureOp::SelectArg2:
        case TextureOp::BumpEnvMap:
            env(combine, GL_REPLACE);
            env(src0, source(arg2));
            break;
        case TextureOp::SelectArg1:
            env(combine, GL_REPLACE);
            env(src0, source(arg1));
            break;
        case TextureOp::Add:
            env(combine, GL_ADD);
            env(src0, source(arg1));
            env(src1, source(arg2));
            break;
        case TextureOp::AddSmooth:
            // arg1 + arg2 - arg1 x arg2 = interpolate(white, arg2, arg1).
            env(combine, GL_INTERPOLATE);
            env(src0, GL_CONSTANT);
            env(src1, source(arg2));
            env(src2, source(arg1));
            break;
        default:  // Modulate and Modulate2x
            env(combine, GL_MODULATE);
            env(src0, source(arg1));
            env(src1, source(arg2));
            break;
    }
}

// A stage's texture matrix in OpenGL's terms: two-component input is (s, t, 0, 1) there but (u, v, 1, 0)
// here, so rows 3 and 4 trade places; a projected three-component output divides by the third output here
// and by q there.
Matrix TextureMatrixFor(const Matrix& m, uint32_t flags, bool generated) {
    Matrix out = m;
    if (!generated && (flags & 0xFF) == TextureTransform::Count2) {
        for (int c = 0; c < 4; ++c) std::swap(out.at(2, c), out.at(3, c));
    }
    if ((flags & TextureTransform::Projected) != 0) {
        for (int r = 0; r < 4; ++r) {
            out.at(r, 3) = out.at(r, 2);
            out.at(r, 2) = 0;
        }
    }
    return out;
}

}  // namespace

Matrix ClipFixup(const GlDeviceState& state) {
    Matrix fix;
    const float width = static_cast<float>(std::max(1u, state.viewport.width));
    const float height = static_cast<float>(std::max(1u, state.viewport.height));
    const float flip = state.targetIsTexture ? -1.0f : 1.0f;
    fix.at(1, 1) = flip;
    fix.at(2, 2) = 2.0f;
    fix.at(3, 0) = 1.0f / width;
    fix.at(3, 1) = -flip / height;
    fix.at(3, 2) = -1.0f;
    return fix;
}

void GlPipeline::Forget() {
    shadow_.Forget();
    unitsKnown_ = false;
    lightView_.reset();
}

void GlPipeline::Apply(GlDeviceState& state, GlTextureCache& textures) {
    textures.Flush();
    if (state.renderDirty) ApplyRenderStates(state);
    const bool viewChanged = lightView_ != state.view;
    if (state.lightsDirty || viewChanged) ApplyLights(state, viewChanged);
    // Lights are sent under the view alone, so the modelview is sent again after them.
    if (state.transformsDirty || state.lightsDirty || viewChanged) ApplyTransforms(state);
    if (state.materialDirty || state.renderDirty) ApplyMaterial(state);
    ApplyStages(state, textures);
    // After the stages, whose textures say whether the test can reject anything.
    shadow_.Enable(GL_ALPHA_TEST, AlphaTestCanReject(state, std::span(stageAlpha_.data(), activeUnits_)));
    state.renderDirty = state.transformsDirty = state.lightsDirty = state.materialDirty = state.stagesDirty = false;
}

void GlPipeline::ApplyRenderStates(const GlDeviceState& state) {
    shadow_.Enable(GL_DEPTH_TEST, Rs(state, RenderState::ZEnable) != 0);
    shadow_.DepthMask(Rs(state, RenderState::ZWriteEnable) != 0);
    shadow_.DepthFunc(CompareFunction(Rs(state, RenderState::ZFunc)));
    shadow_.AlphaFunc(CompareFunction(Rs(state, RenderState::AlphaFunc)),
                      static_cast<float>(Rs(state, RenderState::AlphaRef) & 0xFF) / 255.0f);
    shadow_.Enable(GL_BLEND, Rs(state, RenderState::AlphaBlendEnable) != 0);
    shadow_.BlendFunc(BlendFactor(Rs(state, RenderState::SrcBlend)), BlendFactor(Rs(state, RenderState::DestBlend)));
    const uint32_t cull = Rs(state, RenderState::CullMode);
    shadow_.Enable(GL_CULL_FACE, cull == Cull::Cw || cull == Cull::Ccw);
    shadow_.CullFace(GL_BACK);
    // Drawing into a texture flips rows, which flips the winding too.
    const bool cullsCcw = (cull == Cull::Ccw) != state.targetIsTexture;
    shadow_.FrontFace(cullsCcw ? GL_CW : GL_CCW);
    shadow_.Enable(GL_DITHER, Rs(state, RenderState::DitherEnable) != 0);
    shadow_.Enable(GL_NORMALIZE, Rs(state, RenderState::NormalizeNormals) != 0);
    // Lighting is never switched off: unlit drawing is a white ambient light with no lights.
    shadow_.Enable(GL_LIGHTING, true);
    shadow_.LightModel(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    shadow_.LightModel(GL_LIGHT_MODEL_COLOR_CONTROL, Rs(state, RenderState::SpecularEnable) != 0
                                                         ? GL_SEPARATE_SPECULAR_COLOR
                                                         : GL_SINGLE_COLOR);
    shadow_.LightModel(GL_LIGHT_MODEL_AMBIENT, ColorOf(Rs(state, RenderState::Ambient)));
    const bool colourDiffuse = Rs(state, RenderState::DiffuseMaterialSource) == MaterialSource::Color1;
    const bool colourAmbient = Rs(state, RenderState::AmbientMaterialSource) == MaterialSource::Color1;
    shadow_.Enable(GL_COLOR_MATERIAL, colourDiffuse || colourAmbient);
    shadow_.ColorMaterial(GL_FRONT_AND_BACK, colourDiffuse && colourAmbient ? GL_AMBIENT_AND_DIFFUSE
                                                                            : (colourDiffuse ? GL_DIFFUSE : GL_AMBIENT));
    ApplyFog(state);
}

void GlPipeline::ApplyFog(const GlDeviceState& state) {
    const uint32_t mode = Rs(state, RenderState::FogTableMode);
    shadow_.Enable(GL_FOG, Rs(state, RenderState::FogEnable) != 0 && mode != FogMode::None);
    shadow_.Fog(GL_FOG_MODE, mode == FogMode::Exp ? GL_EXP : mode == FogMode::Exp2 ? GL_EXP2 : GL_LINEAR);
    shadow_.Fog(GL_FOG_COLOR, ColorOf(Rs(state, RenderState::FogColor)));
    shadow_.Fog(GL_FOG_START, AsFloat(Rs(state, RenderState::FogStart)));
    shadow_.Fog(GL_FOG_END, AsFloat(Rs(state, RenderState::FogEnd)));
    shadow_.Fog(GL_FOG_DENSITY, AsFloat(Rs(state, RenderState::FogDensity)));
}

void GlPipeline::ApplyTransforms(const GlDeviceState& state) {
    // A row-vector, row-major matrix read as column-major is the transpose OpenGL expects.
    shadow_.LoadMatrix(GL_PROJECTION, Multiply(state.projection, ClipFixup(state)));
    shadow_.LoadMatrix(GL_MODELVIEW, Multiply(state.world, state.view));
}

void GlPipeline::ApplyLights(const GlDeviceState& state, bool viewChanged) {
    // Lights are given in world space: OpenGL takes positions and directions through the modelview at the
    // time they are set, so they are set under the view alone, and again whenever the view changes.
    shadow_.LoadMatrix(GL_MODELVIEW, state.view);
    lightView_ = state.view;
    for (uint32_t index = 0; index < kMaxTextureStages; ++index) {
        const GLenum light = GL_LIGHT0 + index;
        const auto enabled = state.lightEnabled.find(index);
        const auto found = state.lights.find(index);
        if (enabled == state.lightEnabled.end() || !enabled->second || found == state.lights.end()) {
            shadow_.Enable(light, false);
            continue;
        }
        const Light& l = found->second;
        shadow_.Light(light, GL_AMBIENT, Rgba(l.ambient));
        shadow_.Light(light, GL_DIFFUSE, Rgba(l.diffuse));
        shadow_.Light(light, GL_SPECULAR, Rgba(l.specular));
        if (l.type == LightType::Directional) {
            shadow_.Light(light, GL_POSITION, {-l.direction.x, -l.direction.y, -l.direction.z, 0}, viewChanged);
            shadow_.Light(light, GL_CONSTANT_ATTENUATION, 1.0f);
            shadow_.Light(light, GL_LINEAR_ATTENUATION, 0.0f);
            shadow_.Light(light, GL_QUADRATIC_ATTENUATION, 0.0f);
        } else {
            shadow_.Light(light, GL_POSITION, {l.position.x, l.position.y, l.position.z, 1}, viewChanged);
            shadow_.Light(light, GL_CONSTANT_ATTENUATION, l.attenuation0);
            shadow_.Light(light, GL_LINEAR_ATTENUATION, l.attenuation1);
            shadow_.Light(light, GL_QUADRATIC_ATTENUATION, l.attenuation2);
        }
        shadow_.Light(light, GL_SPOT_CUTOFF, 180.0f);
        shadow_.Enable(light, true);
    }
}

void GlPipeline::ApplyMaterial(const GlDeviceState& state) {
    const Material& m = state.material;
    const bool specularOn = Rs(state, RenderState::SpecularEnable) != 0;
    shadow_.Material(GL_DIFFUSE, Rgba(m.diffuse));
    shadow_.Material(GL_AMBIENT, Rgba(m.ambient));
    shadow_.Material(GL_SPECULAR, {specularOn ? m.specular.r : 0, specularOn ? m.specular.g : 0,
                                   specularOn ? m.specular.b : 0, m.specular.a});
    shadow_.Material(GL_EMISSION, Rgba(m.emissive));
    shadow_.Material(GL_SHININESS, std::clamp(m.power, 0.0f, 128.0f));
}

void GlPipeline::DisableUnit(int unit) {
    shadow_.EnableOnUnit(unit, GL_TEXTURE_2D, false);
    shadow_.EnableOnUnit(unit, GL_TEXTURE_CUBE_MAP, false);
    for (GLenum coord : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q}) {
        shadow_.EnableOnUnit(unit, coord, false);
    }
    unitSets_[unit] = -1;
}

void GlPipeline::ApplyStages(const GlDeviceState& state, GlTextureCache& textures) {
    int unit = 0;
    for (; unit < textureUnits_ && unit < static_cast<int>(kMaxTextureStages); ++unit) {
        if (Ss(state, unit, TextureStageState::ColorOp) == TextureOp::Disable) break;
        ApplyStage(state, textures, unit);
    }
    // A disabled stage ends the cascade: every unit from it on is off.
    const int known = unitsKnown_ ? std::max(activeUnits_, 1) : textureUnits_;
    for (int rest = unit; rest < known && rest < textureUnits_; ++rest) DisableUnit(rest);
    activeUnits_ = unit;
    unitsKnown_ = true;
}

void GlPipeline::ApplyStage(const GlDeviceState& state, GlTextureCache& textures, int unit) {
    const GlBinding binding = textures.Bind(shadow_, unit, state.textures[unit]);
    stageAlpha_[unit] = binding.target != 0 ? std::optional<uint8_t>(binding.leastAlpha) : std::nullopt;
    shadow_.EnableOnUnit(unit, GL_TEXTURE_2D, binding.target == GL_TEXTURE_2D);
    shadow_.EnableOnUnit(unit, GL_TEXTURE_CUBE_MAP, binding.target == GL_TEXTURE_CUBE_MAP);
    if (binding.target != 0) ApplySampler(state, unit, binding);
    ApplyCombiner(state, unit);
    ApplyTexCoords(state, unit);
}

void GlPipeline::ApplySampler(const GlDeviceState& state, int unit, const GlBinding& binding) {
    const auto& s = state.samplerStates[unit];
    auto filter = [](uint32_t value) { return value == TextureFilter::Point ? GL_NEAREST : GL_LINEAR; };
    const uint32_t mag = s[static_cast<uint32_t>(SamplerState::MagFilter)];
    const uint32_t min = s[static_cast<uint32_t>(SamplerState::MinFilter)];
    const uint32_t mip = s[static_cast<uint32_t>(SamplerState::MipFilter)];
    GLint minFilter = filter(min);
    if (mip == TextureFilter::Point) minFilter = min == TextureFilter::Point ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_NEAREST;
    if (mip >= TextureFilter::Linear) minFilter = min == TextureFilter::Point ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
    auto wrap = [](uint32_t mode) {
        return mode == TextureAddress::Mirror ? GL_MIRRORED_REPEAT : mode == TextureAddress::Clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    };
    GlTextureParameters& parameters = *binding.parameters;
    parameters.Set(shadow_, unit, binding.target, GL_TEXTURE_MAG_FILTER, filter(mag));
    parameters.Set(shadow_, unit, binding.target, GL_TEXTURE_MIN_FILTER, minFilter);
    parameters.Set(shadow_, unit, binding.target, GL_TEXTURE_WRAP_S, wrap(s[static_cast<uint32_t>(SamplerState::AddressU)]));
    parameters.Set(shadow_, unit, binding.target, GL_TEXTURE_WRAP_T, wrap(s[static_cast<uint32_t>(SamplerState::AddressV)]));
    shadow_.TexEnv(unit, GL_TEXTURE_FILTER_CONTROL, GL_TEXTURE_LOD_BIAS,
                   AsFloat(s[static_cast<uint32_t>(SamplerState::MipMapLodBias)]));
}

void GlPipeline::ApplyCombiner(const GlDeviceState& state, int unit) {
    shadow_.TexEnv(unit, GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    shadow_.TexEnv(unit, GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, std::array<GLfloat, 4>{1, 1, 1, 1});
    Combine(shadow_, unit, Ss(state, unit, TextureStageState::ColorOp), Ss(state, unit, TextureStageState::ColorArg1),
            Ss(state, unit, TextureStageState::ColorArg2), false);
    uint32_t alphaOp = Ss(state, unit, TextureStageState::AlphaOp);
    if (alphaOp == TextureOp::Disable) alphaOp = TextureOp::SelectArg2;
    Combine(shadow_, unit, alphaOp, Ss(state, unit, TextureStageState::AlphaArg1),
            Ss(state, unit, TextureStageState::AlphaArg2), true);
}

void GlPipeline::ApplyTexCoords(const GlDeviceState& state, int unit) {
    const uint32_t index = Ss(state, unit, TextureStageState::TexCoordIndex);
    const uint32_t generation = index & TexCoordIndex::GenerationMask;
    const GLenum coords[] = {GL_S, GL_T, GL_R};
    const GLenum gens[] = {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R};
    if (generation == TexCoordIndex::CameraSpaceReflectionVector) {
        for (int i = 0; i < 3; ++i) {
            shadow_.TexGenMode(unit, coords[i], GL_REFLECTION_MAP);
            shadow_.EnableOnUnit(unit, gens[i], true);
        }
        unitSets_[unit] = -1;
    } else if (generation == TexCoordIndex::CameraSpacePosition) {
        for (int i = 0; i < 3; ++i) {
            std::array<GLfloat, 4> plane{0, 0, 0, 0};
            plane[static_cast<size_t>(i)] = 1;
            shadow_.TexGenMode(unit, coords[i], GL_EYE_LINEAR);
            shadow_.TexGenEyePlane(unit, coords[i], plane);
            shadow_.EnableOnUnit(unit, gens[i], true);
        }
        unitSets_[unit] = -1;
    } else {
        for (GLenum gen : gens) shadow_.EnableOnUnit(unit, gen, false);
        unitSets_[unit] = static_cast<int>(index & 0xFFFF);
    }
    const uint32_t flags = Ss(state, unit, TextureStageState::TextureTransformFlags);
    shadow_.TextureMatrix(unit, flags == TextureTransform::Disable
                                    ? Matrix{}
                                    : TextureMatrixFor(state.textureMatrices[unit], flags, generation != 0));
}

void GlPipeline::SetupArrays(const GlDeviceState& state, uintptr_t base) {
    const VertexLayout layout = LayoutOf(state.fvf);
    const auto stride = static_cast<GLsizei>(state.stride);
    auto at = [&](int offset) { return reinterpret_cast<const void*>(base + static_cast<uintptr_t>(offset)); };
    shadow_.ClientArray(0, GL_VERTEX_ARRAY, layout.position >= 0);
    if (layout.position >= 0) shadow_.VertexPointer(3, stride, at(layout.position));
    shadow_.ClientArray(0, GL_NORMAL_ARRAY, layout.normal >= 0);
    if (layout.normal >= 0) {
        shadow_.NormalPointer(stride, at(layout.normal));
    } else {
        // Without normals every vertex has a zero normal, so lights add nothing (not OpenGL's (0, 0, 1)).
        shadow_.CurrentNormal(0, 0, 0);
    }
    shadow_.ClientArray(0, GL_COLOR_ARRAY, layout.diffuse >= 0);
    if (layout.diffuse >= 0) {
        shadow_.ColorPointer(stride, at(layout.diffuse));
    } else {
        shadow_.CurrentColor(1, 1, 1, 1);
    }
    for (int unit = 0; unit < textureUnits_ && unit < static_cast<int>(kMaxTextureStages); ++unit) {
        const int set = unit < activeUnits_ ? unitSets_[unit] : -1;
        const bool fed = set >= 0 && set < static_cast<int>(kMaxTextureStages) && layout.sets[set] >= 0;
        shadow_.ClientArray(unit, GL_TEXTURE_COORD_ARRAY, fed);
        if (fed) shadow_.TexCoordPointer(unit, layout.floats[set], stride, at(layout.sets[set]));
    }
}

}  // namespace platform::gfx
