#pragma once
// The fixed-function pipeline's state ids and values. Callers pass some ids as raw numbers taken from data
// (the cull mode is state 22, specular 29, depth writing 14), so every id and value keeps its number.
#include <cstdint>

namespace platform::gfx {

enum class RenderState : uint32_t {
    ZEnable = 7,
    ZWriteEnable = 14,
    AlphaTestEnable = 15,
    SrcBlend = 19,
    DestBlend = 20,
    CullMode = 22,
    ZFunc = 23,
    AlphaRef = 24,
    AlphaFunc = 25,
    DitherEnable = 26,
    AlphaBlendEnable = 27,
    FogEnable = 28,
    SpecularEnable = 29,
    FogColor = 34,
    FogTableMode = 35,
    FogStart = 36,  // float bits
    FogEnd = 37,    // float bits
    FogDensity = 38,  // float bits
    Wrap0 = 128,    // Wrap0 + n for stages 0 to 7
    Lighting = 137,
    Ambient = 139,
    FogVertexMode = 140,
    NormalizeNormals = 143,
    DiffuseMaterialSource = 145,
    SpecularMaterialSource = 146,
    AmbientMaterialSource = 147,
    SrcBlendAlpha = 207,
};
inline constexpr uint32_t kRenderStateCount = 256;

namespace Cull {
inline constexpr uint32_t None = 1;
inline constexpr uint32_t Cw = 2;
inline constexpr uint32_t Ccw = 3;
}  // namespace Cull

namespace Blend {
inline constexpr uint32_t Zero = 1;
inline constexpr uint32_t One = 2;
inline constexpr uint32_t SrcAlpha = 5;
inline constexpr uint32_t InvSrcAlpha = 6;
}  // namespace Blend

namespace Cmp {
inline constexpr uint32_t Never = 1;
inline constexpr uint32_t Less = 2;
inline constexpr uint32_t Equal = 3;
inline constexpr uint32_t LessEqual = 4;
inline constexpr uint32_t Greater = 5;
inline constexpr uint32_t NotEqual = 6;
inline constexpr uint32_t GreaterEqual = 7;
inline constexpr uint32_t Always = 8;
}  // namespace Cmp

namespace FogMode {
inline constexpr uint32_t None = 0;
inline constexpr uint32_t Exp = 1;
inline constexpr uint32_t Exp2 = 2;
inline constexpr uint32_t Linear = 3;
}  // namespace FogMode

namespace MaterialSource {
inline constexpr uint32_t Material = 0;
inline constexpr uint32_t Color1 = 1;
}  // namespace MaterialSource

enum class TextureStageState : uint32_t {
    ColorOp = 1,
    ColorArg1 = 2,
    ColorArg2 = 3,
    AlphaOp = 4,
    AlphaArg1 = 5,
    AlphaArg2 = 6,
    BumpEnvMat00 = 7,  // float bits
    BumpEnvMat01 = 8,
    BumpEnvMat10 = 9,
    BumpEnvMat11 = 10,
    TexCoordIndex = 11,
    BumpEnvLScale = 22,
    BumpEnvLOffset = 23,
    TextureTransformFlags = 24,
};
inline constexpr uint32_t kTextureStageStateCount = 33;
inline constexpr uint32_t kMaxTextureStages = 8;

namespace TextureOp {
inline constexpr uint32_t Disable = 1;
inline constexpr uint32_t SelectArg1 = 2;
inline constexpr uint32_t SelectArg2 = 3;
inline constexpr uint32_t Modulate = 4;
inline constexpr uint32_t Modulate2x = 5;
inline constexpr uint32_t Add = 7;
inline constexpr uint32_t AddSmooth = 11;
inline constexpr uint32_t BumpEnvMap = 22;
}  // namespace TextureOp

namespace TextureArg {
inline constexpr uint32_t Diffuse = 0;
inline constexpr uint32_t Current = 1;
inline constexpr uint32_t Texture = 2;
}  // namespace TextureArg

namespace TexCoordIndex {
// The set index sits in the low bits; these select generated coordinates instead.
inline constexpr uint32_t CameraSpacePosition = 0x20000;
inline constexpr uint32_t CameraSpaceReflectionVector = 0x30000;
inline constexpr uint32_t GenerationMask = 0xFFFF0000;
}  // namespace TexCoordIndex

namespace TextureTransform {
inline constexpr uint32_t Disable = 0;
inline constexpr uint32_t Count2 = 2;
inline constexpr uint32_t Count3 = 3;
inline constexpr uint32_t Projected = 256;
}  // namespace TextureTransform

enum class SamplerState : uint32_t {
    AddressU = 1,
    AddressV = 2,
    MagFilter = 5,
    MinFilter = 6,
    MipFilter = 7,
    MipMapLodBias = 8,  // float bits
    MaxAnisotropy = 10,
};
inline constexpr uint32_t kSamplerStateCount = 14;

namespace TextureFilter {
inline constexpr uint32_t None = 0;
inline constexpr uint32_t Point = 1;
inline constexpr uint32_t Linear = 2;
inline constexpr uint32_t Anisotropic = 3;
}  // namespace TextureFilter

namespace TextureAddress {
inline constexpr uint32_t Wrap = 1;
inline constexpr uint32_t Mirror = 2;
inline constexpr uint32_t Clamp = 3;
}  // namespace TextureAddress

enum class TransformState : uint32_t {
    View = 2,
    Projection = 3,
    Texture0 = 16,  // Texture0 + n for stages 0 to 7
    World = 256,
};

enum class PrimitiveType : uint32_t {
    PointList = 1,
    LineList = 2,
    LineStrip = 3,
    TriangleList = 4,
    TriangleStrip = 5,
    TriangleFan = 6,
};

namespace ClearFlags {
inline constexpr uint32_t Target = 0x1;
inline constexpr uint32_t ZBuffer = 0x2;
inline constexpr uint32_t Stencil = 0x4;
}  // namespace ClearFlags

// The flexible vertex format: which attributes a vertex holds, in this order.
namespace Fvf {
inline constexpr uint32_t Xyz = 0x002;
inline constexpr uint32_t XyzRhw = 0x004;
inline constexpr uint32_t PositionMask = 0x00E;
inline constexpr uint32_t Normal = 0x010;
inline constexpr uint32_t Diffuse = 0x040;
inline constexpr uint32_t Specular = 0x080;
inline constexpr uint32_t TexCountMask = 0xF00;
inline constexpr uint32_t TexCountShift = 8;
// Size codes of texture set i, at bits 16 + 2i.
inline constexpr uint32_t TexCoordSize2 = 0;
inline constexpr uint32_t TexCoordSize3 = 1;
inline constexpr uint32_t TexCoordSize4 = 2;
inline constexpr uint32_t TexCoordSize1 = 3;

inline constexpr uint32_t TexCoordSizeBits(uint32_t code, uint32_t set) {
    return code << (16 + 2 * set);
}
inline constexpr uint32_t TexCount(uint32_t fvf) {
    return (fvf & TexCountMask) >> TexCountShift;
}
// Floats of texture set i of a format.
uint32_t TexCoordFloats(uint32_t fvf, uint32_t set);
// Bytes of one vertex of a format.
uint32_t VertexSize(uint32_t fvf);
}  // namespace Fvf

namespace PresentInterval {
inline constexpr uint32_t Default = 0;
inline constexpr uint32_t One = 1;
inline constexpr uint32_t Immediate = 0x80000000;
}  // namespace PresentInterval

namespace PresentFlags {
inline constexpr uint32_t LockableBackBuffer = 0x1;
}  // namespace PresentFlags

namespace SwapEffect {
inline constexpr uint32_t Discard = 1;
}  // namespace SwapEffect

namespace CreateFlags {
inline constexpr uint32_t FpuPreserve = 0x2;
inline constexpr uint32_t SoftwareVertexProcessing = 0x20;
inline constexpr uint32_t HardwareVertexProcessing = 0x40;
}  // namespace CreateFlags

}  // namespace platform::gfx
