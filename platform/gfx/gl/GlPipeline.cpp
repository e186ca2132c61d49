#include "platform/gfx/gl/GlPipeline.h"

#include <GL/glext.h>

#include <algorithm>
#include <bit>

#include "platform/gfx/MemoryBuffer.h"

namespace platform::gfx {
namespace {

uint32_t Rs(const GlDeviceState& state, RenderState id) {
    return state.renderStates[static_cast<uint32_t>(id)];
}

uint32_t Ss(const GlDeviceState& state, int unit, TextureStageState id) {
    return state.stageStates[unit][static_cast<uint32_t>(id)];
}

float AsFloat(uint32_t bits) {
    return std::bit_cast<float>(bits);
}

void Toggle(GLenum capability, bool on) {
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
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

void ColorOf(uint32_t color, GLfloat out[4]) {
    out[0] = static_cast<float>((color >> 16) & 0xFF) / 255.0f;
    out[1] = static_cast<float>((color >> 8) & 0xFF) / 255.0f;
    out[2] = static_cast<float>(color & 0xFF) / 255.0f;
    out[3] = static_cast<float>(color >> 24) / 255.0f;
}

void LoadRowMajor(const Matrix& m) {
    // A row-vector, row-major matrix read as column-major is the transpose OpenGL expects.
    glLoadMatrixf(m.m);
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

// What the clip-space output needs to look as it would have: depth from [0, w] to [-w, w], pixel centres
// moved by half a pixel, and rows flipped when drawing into a texture (so row 0 is its top).
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

GLenum CombineSource(uint32_t arg) {
    switch (arg & 0xF) {
        case TextureArg::Texture: return GL_TEXTURE;
        case TextureArg::Diffuse: return GL_PRIMARY_COLOR;
        default: return GL_PREVIOUS;
    }
}

// One half (colour or alpha) of a stage's combiner.
void Combine(uint32_t op, uint32_t arg1, uint32_t arg2, bool alpha) {
    const GLenum combine = alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
    const GLenum src0 = alpha ? GL_SRC0_ALPHA : GL_SRC0_RGB, src1 = alpha ? GL_SRC1_ALPHA : GL_SRC1_RGB;
    const GLenum src2 = alpha ? GL_SRC2_ALPHA : GL_SRC2_RGB;
    const GLenum operand = alpha ? GL_SRC_ALPHA : GL_SRC_COLOR;
    for (GLenum o : {alpha ? GL_OPERAND0_ALPHA : GL_OPERAND0_RGB, alpha ? GL_OPERAND1_ALPHA : GL_OPERAND1_RGB,
                     alpha ? GL_OPERAND2_ALPHA : GL_OPERAND2_RGB}) {
        glTexEnvi(GL_TEXTURE_ENV, o, static_cast<GLint>(operand));
    }
    glTexEnvf(GL_TEXTURE_ENV, alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE, op == TextureOp::Modulate2x ? 2.0f : 1.0f);
    switch (op) {
        case TextureOp::SelectArg2:
        case TextureOp::BumpEnvMap:
            glTexEnvi(GL_TEXTURE_ENV, combine, GL_REPLACE);
            glTexEnvi(GL_TEXTURE_ENV, src0, static_cast<GLint>(CombineSource(arg2)));
            break;
        case TextureOp::SelectArg1:
            glTexEnvi(GL_TEXTURE_ENV, combine, GL_REPLACE);
            glTexEnvi(GL_TEXTURE_ENV, src0, static_cast<GLint>(CombineSource(arg1)));
            break;
        case TextureOp::Add:
            glTexEnvi(GL_TEXTURE_ENV, combine, GL_ADD);
            glTexEnvi(GL_TEXTURE_ENV, src0, static_cast<GLint>(CombineSource(arg1)));
            glTexEnvi(GL_TEXTURE_ENV, src1, static_cast<GLint>(CombineSource(arg2)));
            break;
        case TextureOp::AddSmooth:
            // arg1 + arg2 - arg1 x arg2 = interpolate(white, arg2, arg1).
            glTexEnvi(GL_TEXTURE_ENV, combine, GL_INTERPOLATE);
            glTexEnvi(GL_TEXTURE_ENV, src0, GL_CONSTANT);
            glTexEnvi(GL_TEXTURE_ENV, src1, static_cast<GLint>(CombineSource(arg2)));
            glTexEnvi(GL_TEXTURE_ENV, src2, static_cast<GLint>(CombineSource(arg1)));
            break;
        default:  // Modulate and Modulate2x
            glTexEnvi(GL_TEXTURE_ENV, combine, GL_MODULATE);
            glTexEnvi(GL_TEXTURE_ENV, src0, static_cast<GLint>(CombineSource(arg1)));
            glTexEnvi(GL_TEXTURE_ENV, src1, static_cast<GLint>(CombineSource(arg2)));
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

void GlPipeline::Apply(GlDeviceState& state, GlTextureCache& textures) {
    textures.Flush();
    if (state.renderDirty) ApplyRenderStates(state);
    if (state.transformsDirty) ApplyTransforms(state);
    if (state.lightsDirty || state.transformsDirty) ApplyLights(state);
    if (state.materialDirty || state.renderDirty) ApplyMaterial(state);
    ApplyStages(state, textures);
    state.renderDirty = state.transformsDirty = state.lightsDirty = state.materialDirty = state.stagesDirty = false;
}

void GlPipeline::ApplyRenderStates(const GlDeviceState& state) {
    Toggle(GL_DEPTH_TEST, Rs(state, RenderState::ZEnable) != 0);
    glDepthMask(Rs(state, RenderState::ZWriteEnable) != 0 ? GL_TRUE : GL_FALSE);
    glDepthFunc(CompareFunction(Rs(state, RenderState::ZFunc)));
    Toggle(GL_ALPHA_TEST, Rs(state, RenderState::AlphaTestEnable) != 0);
    glAlphaFunc(CompareFunction(Rs(state, RenderState::AlphaFunc)),
                static_cast<float>(Rs(state, RenderState::AlphaRef) & 0xFF) / 255.0f);
    Toggle(GL_BLEND, Rs(state, RenderState::AlphaBlendEnable) != 0);
    glBlendFunc(BlendFactor(Rs(state, RenderState::SrcBlend)), BlendFactor(Rs(state, RenderState::DestBlend)));
    const uint32_t cull = Rs(state, RenderState::CullMode);
    Toggle(GL_CULL_FACE, cull == Cull::Cw || cull == Cull::Ccw);
    glCullFace(GL_BACK);
    // Drawing into a texture flips rows, which flips the winding too.
    const bool cullsCcw = (cull == Cull::Ccw) != state.targetIsTexture;
    glFrontFace(cullsCcw ? GL_CW : GL_CCW);
    Toggle(GL_DITHER, Rs(state, RenderState::DitherEnable) != 0);
    Toggle(GL_NORMALIZE, Rs(state, RenderState::NormalizeNormals) != 0);
    // Lighting is never switched off: unlit drawing is a white ambient light with no lights.
    glEnable(GL_LIGHTING);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, Rs(state, RenderState::SpecularEnable) != 0
                                                    ? GL_SEPARATE_SPECULAR_COLOR
                                                    : GL_SINGLE_COLOR);
    GLfloat ambient[4];
    ColorOf(Rs(state, RenderState::Ambient), ambient);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    const bool colourDiffuse = Rs(state, RenderState::DiffuseMaterialSource) == MaterialSource::Color1;
    const bool colourAmbient = Rs(state, RenderState::AmbientMaterialSource) == MaterialSource::Color1;
    Toggle(GL_COLOR_MATERIAL, colourDiffuse || colourAmbient);
    glColorMaterial(GL_FRONT_AND_BACK, colourDiffuse && colourAmbient ? GL_AMBIENT_AND_DIFFUSE
                                                                      : (colourDiffuse ? GL_DIFFUSE : GL_AMBIENT));
    ApplyFog(state);
}

void GlPipeline::ApplyFog(const GlDeviceState& state) {
    const uint32_t mode = Rs(state, RenderState::FogTableMode);
    Toggle(GL_FOG, Rs(state, RenderState::FogEnable) != 0 && mode != FogMode::None);
    glFogi(GL_FOG_MODE, mode == FogMode::Exp ? GL_EXP : mode == FogMode::Exp2 ? GL_EXP2 : GL_LINEAR);
    GLfloat colour[4];
    ColorOf(Rs(state, RenderState::FogColor), colour);
    glFogfv(GL_FOG_COLOR, colour);
    glFogf(GL_FOG_START, AsFloat(Rs(state, RenderState::FogStart)));
    glFogf(GL_FOG_END, AsFloat(Rs(state, RenderState::FogEnd)));
    glFogf(GL_FOG_DENSITY, AsFloat(Rs(state, RenderState::FogDensity)));
}

void GlPipeline::ApplyTransforms(const GlDeviceState& state) {
    glMatrixMode(GL_PROJECTION);
    LoadRowMajor(Multiply(state.projection, ClipFixup(state)));
    glMatrixMode(GL_MODELVIEW);
    LoadRowMajor(Multiply(state.world, state.view));
}

void GlPipeline::ApplyLights(const GlDeviceState& state) {
    // Lights are given in world space: OpenGL takes them through the modelview at the time they are set,
    // so they are set under the view alone.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    LoadRowMajor(state.view);
    for (uint32_t index = 0; index < kMaxTextureStages; ++index) {
        const GLenum light = GL_LIGHT0 + index;
        const auto enabled = state.lightEnabled.find(index);
        const auto found = state.lights.find(index);
        if (enabled == state.lightEnabled.end() || !enabled->second || found == state.lights.end()) {
            glDisable(light);
            continue;
        }
        const Light& l = found->second;
        const GLfloat ambient[4] = {l.ambient.r, l.ambient.g, l.ambient.b, l.ambient.a};
        const GLfloat diffuse[4] = {l.diffuse.r, l.diffuse.g, l.diffuse.b, l.diffuse.a};
        const GLfloat specular[4] = {l.specular.r, l.specular.g, l.specular.b, l.specular.a};
        glLightfv(light, GL_AMBIENT, ambient);
        glLightfv(light, GL_DIFFUSE, diffuse);
        glLightfv(light, GL_SPECULAR, specular);
        if (l.type == LightType::Directional) {
            const GLfloat position[4] = {-l.direction.x, -l.direction.y, -l.direction.z, 0};
            glLightfv(light, GL_POSITION, position);
            glLightf(light, GL_CONSTANT_ATTENUATION, 1);
            glLightf(light, GL_QUADRATIC_ATTENUATION, 0);
        } else {
            const GLfloat position[4] = {l.position.x, l.position.y, l.position.z, 1};
            glLightfv(light, GL_POSITION, position);
            glLightf(light, GL_CONSTANT_ATTENUATION, l.attenuation0);
            glLightf(light, GL_LINEAR_ATTENUATION, l.attenuation1);
            glLightf(light, GL_QUADRATIC_ATTENUATION, l.attenuation2);
        }
        glLightf(light, GL_SPOT_CUTOFF, 180);
        glEnable(light);
    }
    glPopMatrix();
}

void GlPipeline::ApplyMaterial(const GlDeviceState& state) {
    const Material& m = state.material;
    const GLfloat diffuse[4] = {m.diffuse.r, m.diffuse.g, m.diffuse.b, m.diffuse.a};
    const GLfloat ambient[4] = {m.ambient.r, m.ambient.g, m.ambient.b, m.ambient.a};
    const bool specularOn = Rs(state, RenderState::SpecularEnable) != 0;
    const GLfloat specular[4] = {specularOn ? m.specular.r : 0, specularOn ? m.specular.g : 0,
                                 specularOn ? m.specular.b : 0, m.specular.a};
    const GLfloat emissive[4] = {m.emissive.r, m.emissive.g, m.emissive.b, m.emissive.a};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emissive);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(m.power, 0.0f, 128.0f));
}

void GlPipeline::DisableUnit(int unit) {
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_CUBE_MAP);
    for (GLenum coord : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q}) glDisable(coord);
    unitSets_[unit] = -1;
}

void GlPipeline::ApplyStages(const GlDeviceState& state, GlTextureCache& textures) {
    int unit = 0;
    for (; unit < textureUnits_ && unit < static_cast<int>(kMaxTextureStages); ++unit) {
        if (Ss(state, unit, TextureStageState::ColorOp) == TextureOp::Disable) break;
        ApplyStage(state, textures, unit);
    }
    // A disabled stage ends the cascade: every unit from it on is off.
    for (int rest = unit; rest < std::max(activeUnits_, 1) && rest < textureUnits_; ++rest) DisableUnit(rest);
    activeUnits_ = unit;
    glActiveTexture(GL_TEXTURE0);
}

void GlPipeline::ApplyStage(const GlDeviceState& state, GlTextureCache& textures, int unit) {
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    const GLenum target = textures.Bind(state.textures[unit]);
    Toggle(GL_TEXTURE_2D, target == GL_TEXTURE_2D);
    Toggle(GL_TEXTURE_CUBE_MAP, target == GL_TEXTURE_CUBE_MAP);
    if (target != 0) ApplySampler(state, unit, target);
    ApplyCombiner(state, unit);
    ApplyTexCoords(state, unit);
}

void GlPipeline::ApplySampler(const GlDeviceState& state, int unit, GLenum target) {
    const auto& s = state.samplerStates[unit];
    auto filter = [](uint32_t value) { return value == TextureFilter::Point ? GL_NEAREST : GL_LINEAR; };
    const uint32_t mag = s[static_cast<uint32_t>(SamplerState::MagFilter)];
    const uint32_t min = s[static_cast<uint32_t>(SamplerState::MinFilter)];
    const uint32_t mip = s[static_cast<uint32_t>(SamplerState::MipFilter)];
    GLint minFilter = filter(min);
    if (mip == TextureFilter::Point) minFilter = min == TextureFilter::Point ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_NEAREST;
    if (mip >= TextureFilter::Linear) minFilter = min == TextureFilter::Point ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, filter(mag));
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, minFilter);
    auto wrap = [](uint32_t mode) {
        return mode == TextureAddress::Mirror ? GL_MIRRORED_REPEAT : mode == TextureAddress::Clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    };
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrap(s[static_cast<uint32_t>(SamplerState::AddressU)]));
    glTexParameteri(target, GL_TEXTURE_WRAP_T, wrap(s[static_cast<uint32_t>(SamplerState::AddressV)]));
    glTexEnvf(GL_TEXTURE_FILTER_CONTROL, GL_TEXTURE_LOD_BIAS, AsFloat(s[static_cast<uint32_t>(SamplerState::MipMapLodBias)]));
}

void GlPipeline::ApplyCombiner(const GlDeviceState& state, int unit) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    const GLfloat white[4] = {1, 1, 1, 1};
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, white);
    Combine(Ss(state, unit, TextureStageState::ColorOp), Ss(state, unit, TextureStageState::ColorArg1),
            Ss(state, unit, TextureStageState::ColorArg2), false);
    uint32_t alphaOp = Ss(state, unit, TextureStageState::AlphaOp);
    if (alphaOp == TextureOp::Disable) alphaOp = TextureOp::SelectArg2;
    Combine(alphaOp, Ss(state, unit, TextureStageState::AlphaArg1), Ss(state, unit, TextureStageState::AlphaArg2), true);
}

void GlPipeline::ApplyTexCoords(const GlDeviceState& state, int unit) {
    const uint32_t index = Ss(state, unit, TextureStageState::TexCoordIndex);
    const uint32_t generation = index & TexCoordIndex::GenerationMask;
    const GLenum coords[] = {GL_S, GL_T, GL_R};
    const GLenum gens[] = {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R};
    if (generation == TexCoordIndex::CameraSpaceReflectionVector) {
        for (int i = 0; i < 3; ++i) {
            glTexGeni(coords[i], GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
            glEnable(gens[i]);
        }
        unitSets_[unit] = -1;
    } else if (generation == TexCoordIndex::CameraSpacePosition) {
        // Eye planes are taken through the modelview when set: set them under the identity.
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        for (int i = 0; i < 3; ++i) {
            GLfloat plane[4] = {0, 0, 0, 0};
            plane[i] = 1;
            glTexGeni(coords[i], GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
            glTexGenfv(coords[i], GL_EYE_PLANE, plane);
            glEnable(gens[i]);
        }
        glPopMatrix();
        unitSets_[unit] = -1;
    } else {
        for (GLenum gen : gens) glDisable(gen);
        unitSets_[unit] = static_cast<int>(index & 0xFFFF);
    }
    glMatrixMode(GL_TEXTURE);
    const uint32_t flags = Ss(state, unit, TextureStageState::TextureTransformFlags);
    if (flags == TextureTransform::Disable) {
        glLoadIdentity();
    } else {
        LoadRowMajor(TextureMatrixFor(state.textureMatrices[unit], flags, generation != 0));
    }
    glMatrixMode(GL_MODELVIEW);
}

void GlPipeline::SetupArrays(const GlDeviceState& state, const std::byte* base) {
    const VertexLayout layout = LayoutOf(state.fvf);
    const auto stride = static_cast<GLsizei>(state.stride);
    auto at = [&](int offset) { return static_cast<const void*>(base + offset); };
    if (layout.position >= 0) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, stride, at(layout.position));
    } else {
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    if (layout.normal >= 0) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, stride, at(layout.normal));
    } else {
        // Without normals every vertex has a zero normal, so lights add nothing (not OpenGL's (0, 0, 1)).
        glDisableClientState(GL_NORMAL_ARRAY);
        glNormal3f(0, 0, 0);
    }
    if (layout.diffuse >= 0) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, at(layout.diffuse));
    } else {
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4f(1, 1, 1, 1);
    }
    for (int unit = 0; unit < textureUnits_ && unit < static_cast<int>(kMaxTextureStages); ++unit) {
        glClientActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
        const int set = unit < activeUnits_ ? unitSets_[unit] : -1;
        if (set >= 0 && set < static_cast<int>(kMaxTextureStages) && layout.sets[set] >= 0) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(layout.floats[set], GL_FLOAT, stride, at(layout.sets[set]));
        } else {
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
    }
    glClientActiveTexture(GL_TEXTURE0);
}

}  // namespace platform::gfx
