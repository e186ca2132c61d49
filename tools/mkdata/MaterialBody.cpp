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

void MaterialBody::Write(BodyWriter& out) const {
    out.U32(stageMask);
    out.U8(specular);
    out.U8(unlit);
    out.U8(lit);
    out.U16(static_cast<uint16_t>(stageTextures.size()));
    for (uint32_t texture : stageTextures) {
        out.U32(texture);
        out.U8(0);  // texture-coordinate set 0
        out.U8(0);  // no extra record
    }
}

}  // namespace mkdata
