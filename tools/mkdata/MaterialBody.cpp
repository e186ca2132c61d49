#include "tools/mkdata/MaterialBody.h"

namespace mkdata {

MaterialBody MaterialBody::Lit(uint32_t textureId, bool specular) {
    MaterialBody material;
    material.specular = specular ? 1 : 0;
    material.stageTextures = {textureId};
    return material;
}

MaterialBody MaterialBody::Unlit(uint32_t textureId) {
    MaterialBody material;
    material.unlit = 1;
    material.lit = 0;
    material.stageTextures = {textureId};
    return material;
}

MaterialBody MaterialBody::LightMapped(uint32_t textureId, uint32_t lightMapId) {
    MaterialBody material;
    material.stageMask = kBaseSlotBit | kLightMapSlotBit;
    material.stageTextures = {textureId, lightMapId};
    return material;
}

void MaterialBody::Write(BodyWriter& out) const {
    out.U32(stageMask);
    out.U8(specular);
    out.U8(unlit);
    out.U8(lit);
    out.U16(static_cast<uint16_t>(stageTextures.size()));
    for (size_t stage = 0; stage < stageTextures.size(); ++stage) {
        out.U32(stageTextures[stage]);
        out.U8(static_cast<uint8_t>(stage));  // the stage's texture-coordinate set
        out.U8(0);                            // no extra record
    }
}

}  // namespace mkdata
