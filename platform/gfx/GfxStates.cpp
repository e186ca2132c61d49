#include "platform/gfx/GfxStates.h"

namespace platform::gfx::Fvf {

uint32_t TexCoordFloats(uint32_t fvf, uint32_t set) {
    switch ((fvf >> (16 + 2 * set)) & 3) {
        case TexCoordSize1: return 1;
        case TexCoordSize3: return 3;
        case TexCoordSize4: return 4;
        default: return 2;
    }
}

uint32_t VertexSize(uint32_t fvf) {
    uint32_t size = 0;
    if ((fvf & PositionMask) == Xyz) size += 12;
    if ((fvf & PositionMask) == XyzRhw) size += 16;
    if ((fvf & Normal) != 0) size += 12;
    if ((fvf & Diffuse) != 0) size += 4;
    if ((fvf & Specular) != 0) size += 4;
    for (uint32_t set = 0; set < TexCount(fvf); ++set) {
        size += 4 * TexCoordFloats(fvf, set);
    }
    return size;
}

}  // namespace platform::gfx::Fvf
