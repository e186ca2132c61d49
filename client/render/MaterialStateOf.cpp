#include "client/render/MaterialStateOf.h"

#include <bit>

#include "QuillLib/resource/Material.h"

namespace kestrovan {

void ReadBumpStage(const quill::MaterialStage& stage, MaterialState& out) {
    out.bumpScale = stage.bump.scale;
    out.bumpAnimated = stage.bump.mode;
    out.bumpPeriod = std::bit_cast<float>(stage.bump.param);
}

MaterialState MaterialStateOf(const quill::Material& material) {
    MaterialState state;
    state.layerFlags = material.GetStageMask();
    for (uint8_t kind = 0; kind < quill::Material::kKindCount; ++kind) state.slotLayer[kind] = material.GetStageIndex(kind);
    state.animations.resize(material.GetStageCount());
    for (uint16_t index = 0; index < material.GetStageCount(); ++index) {
        const quill::MaterialStage& stage = material.Stage(index);
        if (stage.hasExtra != 0) {
            state.animations[index] = LayerAnimation{std::bit_cast<float>(stage.extra[0]), std::bit_cast<float>(stage.extra[1]),
                                                     std::bit_cast<float>(stage.extra[2])};
        }
        if (stage.kind == quill::Material::kBumpKind) ReadBumpStage(stage, state);
    }
    state.specular = material.flagA;
    state.unlit = material.flagB;
    state.lit = material.flagC;
    return state;
}

}  // namespace kestrovan
