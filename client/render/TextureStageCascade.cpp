#include "client/render/TextureStageCascade.h"

#include <array>

#include "platform/gfx/GfxStates.h"

namespace kestrovan {

namespace gfx = platform::gfx;

namespace {

constexpr std::array<uint32_t, 8> kLayerOrder = {LayerFlag::Base,           LayerFlag::LightMap,  LayerFlag::Bump,
                                                 LayerFlag::Second,         LayerFlag::SphereReflection,
                                                 LayerFlag::Projected,      LayerFlag::CubeReflection,
                                                 LayerFlag::Added};

// The coordinate counter and the shared coordinate of the walk.
struct Coordinates {
    uint32_t next = 0;
    int32_t shared = -1;
};

StageSetting SettingFor(uint32_t layer, uint32_t flags, Coordinates& coords) {
    StageSetting s;
    s.layer = layer;
    switch (layer) {
        case LayerFlag::Base:
            s.texCoordIndex = 0;
            coords.next = 1;
            coords.shared = 0;
            s.colorOp = gfx::TextureOp::Modulate;
            s.alphaOp = gfx::TextureOp::Modulate;
            s.filter = StageFilter::Base;
            break;
        case LayerFlag::LightMap:
            s.texCoordIndex = coords.next++;
            s.colorOp = gfx::TextureOp::Modulate2x;
            s.colorArgTexture = false;
            s.alphaOp = gfx::TextureOp::SelectArg2;
            s.filter = StageFilter::LightMap;
            break;
        case LayerFlag::Bump:
            if (coords.shared < 0) coords.shared = static_cast<int32_t>(coords.next++);
            s.texCoordIndex = static_cast<uint32_t>(coords.shared);
            s.colorOp = gfx::TextureOp::BumpEnvMap;
            s.alphaOp = gfx::TextureOp::SelectArg2;
            s.bumpMatrix = true;
            break;
        case LayerFlag::Second:
            s.texCoordIndex = coords.next;
            s.colorOp = gfx::TextureOp::Modulate;
            s.alphaOp = gfx::TextureOp::SelectArg2;
            s.filter = StageFilter::SecondMap;
            break;
        case LayerFlag::SphereReflection:
            s.texCoordIndex = gfx::TexCoordIndex::CameraSpaceReflectionVector | 1;
            s.colorOp = gfx::TextureOp::Add;
            s.alphaOp = gfx::TextureOp::SelectArg1;
            s.transformFlags = gfx::TextureTransform::Count2;
            s.matrix = StageMatrix::ReflectionSphere;
            break;
        case LayerFlag::Projected:
            s.texCoordIndex = gfx::TexCoordIndex::CameraSpacePosition;
            s.colorOp = gfx::TextureOp::SelectArg2;
            s.alphaOp = gfx::TextureOp::Modulate;
            s.transformFlags = gfx::TextureTransform::Count3 | gfx::TextureTransform::Projected;
            break;
        case LayerFlag::CubeReflection:
            s.texCoordIndex = gfx::TexCoordIndex::CameraSpaceReflectionVector | 1;
            s.colorOp = gfx::TextureOp::Add;
            s.alphaOp = (flags & LayerFlag::CubeAddsAlpha) != 0 ? gfx::TextureOp::Add : gfx::TextureOp::SelectArg2;
            s.transformFlags = gfx::TextureTransform::Count3;
            s.matrix = StageMatrix::Reflection;
            break;
        default:  // LayerFlag::Added
            s.texCoordIndex = coords.next;
            s.colorOp = gfx::TextureOp::AddSmooth;
            s.alphaOp = gfx::TextureOp::SelectArg2;
            break;
    }
    return s;
}

}  // namespace

uint32_t MaskLayerFlags(uint32_t flags, const CascadeLimits& limits) {
    if (!limits.bumpMapping || !limits.bumpLayersEnabled) {
        if ((flags & LayerFlag::Bump) != 0) {
            flags &= ~(LayerFlag::Projected | LayerFlag::SphereReflection);
        }
        flags &= ~LayerFlag::Bump;
    }
    if (!limits.lightMapLayersEnabled) flags &= ~LayerFlag::LightMap;
    if (!limits.cubeMapping) flags &= ~LayerFlag::CubeReflection;
    return flags;
}

std::optional<std::vector<StageSetting>> BuildStageCascade(uint32_t maskedFlags, const CascadeLimits& limits) {
    std::vector<StageSetting> stages;
    Coordinates coords;
    for (uint32_t layer : kLayerOrder) {
        if ((maskedFlags & layer) == 0) continue;
        // The cube reflection stands back for a bump layer.
        if (layer == LayerFlag::CubeReflection && (maskedFlags & LayerFlag::Bump) != 0) continue;
        if (stages.size() >= limits.maxTextureBlendStages) return std::nullopt;
        stages.push_back(SettingFor(layer, maskedFlags, coords));
    }
    return stages;
}

}  // namespace kestrovan

namespace kestrovan {

uint32_t IndexToFlagBit(uint32_t kind) {
    constexpr std::array<uint32_t, 8> kBits = {0x01, 0x10, 0x20, 0x40, 0x04, 0x08, 0x02, 0x80};
    return kind < kBits.size() ? kBits[kind] : 0;
}

uint32_t StageOfKind(uint32_t kind, uint32_t maskedFlags) {
    const uint32_t bit = IndexToFlagBit(kind);
    const bool cascadeOrder = (maskedFlags & LayerFlag::Second) != 0 &&
                              (maskedFlags & (LayerFlag::SphereReflection | LayerFlag::Projected |
                                              LayerFlag::CubeReflection)) != 0;
    uint32_t stage = 0;
    if (cascadeOrder) {
        for (uint32_t layer : kLayerOrder) {
            if (layer == bit) break;
            if ((maskedFlags & layer) != 0) ++stage;
        }
        return stage;
    }
    for (uint32_t below = 0; below < kind && below < 8; ++below) {
        if ((maskedFlags & IndexToFlagBit(below)) != 0) ++stage;
    }
    return stage;
}

}  // namespace kestrovan
