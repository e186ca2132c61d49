#include "QuillLib/render/DeviceVertexFormat.h"

#include "platform/gfx/GfxStates.h"

namespace quill {
namespace {

namespace Fvf = platform::gfx::Fvf;

constexpr uint32_t kMaxSets = 8;

struct SetLayout {
    uint32_t floats;
    uint32_t sizeCode;
};

SetLayout EngineSet(uint32_t code) {
    switch (code) {
        case 1: return {1, Fvf::TexCoordSize1};
        case 2: return {3, Fvf::TexCoordSize3};
        case 3: return {0, Fvf::TexCoordSize2};
        default: return {2, Fvf::TexCoordSize2};
    }
}

SetLayout PaddingSet(uint32_t floats) {
    switch (floats) {
        case 4: return {4, Fvf::TexCoordSize4};
        case 3: return {3, Fvf::TexCoordSize3};
        case 1: return {1, Fvf::TexCoordSize1};
        default: return {2, Fvf::TexCoordSize2};
    }
}

}  // namespace

DeviceVertexFormat ConvertVertexFormat(uint32_t engineFormat) {
    if (engineFormat == 0) {
        return {};
    }
    DeviceVertexFormat out;
    if ((engineFormat & 0x1) != 0) {
        out.fvf |= Fvf::Xyz;
        out.stride += 12;
    }
    if ((engineFormat & 0x2) != 0) {
        out.fvf |= Fvf::Normal;
        out.stride += 12;
    }
    if ((engineFormat & 0x4) != 0) {
        out.fvf |= Fvf::Diffuse;
        out.stride += 4;
    }
    uint32_t engineSets = (engineFormat >> 8) & 0xF;
    if (engineSets > kMaxSets) engineSets = kMaxSets;
    // A set of size code 3 holds no floats: the vertex has no room for it, so the device format skips it.
    uint32_t sets = 0;
    for (uint32_t set = 0; set < engineSets; ++set) {
        const SetLayout layout = EngineSet((engineFormat >> (16 + 2 * set)) & 3);
        if (layout.floats == 0) continue;
        out.fvf |= Fvf::TexCoordSizeBits(layout.sizeCode, sets++);
        out.stride += 4 * layout.floats;
    }
    // Pad with dummy sets while the format has room for them.
    uint32_t remainder = (64 - out.stride % 64) % 64;
    for (uint32_t floats = 4; floats >= 1 && sets < kMaxSets; --floats) {
        while (remainder >= 4 * floats && sets < kMaxSets) {
            out.fvf |= Fvf::TexCoordSizeBits(PaddingSet(floats).sizeCode, sets);
            out.stride += 4 * floats;
            remainder -= 4 * floats;
            ++sets;
        }
    }
    out.fvf |= sets << Fvf::TexCountShift;
    return out;
}

}  // namespace quill
