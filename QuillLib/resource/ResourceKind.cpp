#include "QuillLib/resource/ResourceKind.h"

#include <array>

namespace quill {
namespace {

constexpr std::array<ResourceKindInfo, kResourceKindCount> kKinds = {{
    {u"BONE", u"BONE", u"tbo", true},
    {u"TEXTURE", u"TEX", u"ttx", false},
    {u"MATERIAL", u"MAT", u"tmt", true},
    {u"MESH", u"MESH", u"tme", true},
    {u"MODEL", u"MODEL", u"tmo", true},
    {u"SPRITE", u"SPRITE", u"tsp", true},
    {u"SPRITE_ANIMATION", u"SPRITE_ANI", u"tsa", true},
    {u"BONE_ANIMATION", u"BONE_ANI", u"tba", true},
    {u"VERTEX_ANIMATION", u"VERT_ANI", u"tva", true},
    {u"MODEL_ANIMATION", u"MODEL_ANI", u"tma", true},
    {u"SCENE_INFO", u"SCN_INFO", u"tsi", true},
    {u"SOUND", u"SND", u"tso", true},
    {u"STRING_TABLE", u"STR_TBL", u"tst", true},
    {u"BINARY_DATA", u"BIN_DATA", u"tbd", true},
}};

// The version from which each kind is stored; the first nine kinds exist in every version.
uint32_t FirstVersionOf(ResourceKind kind) {
    switch (kind) {
        case ResourceKind::Sprite:
            return 2;
        case ResourceKind::StringTable:
            return 10;
        case ResourceKind::SpriteAnimation:
            return 11;
        case ResourceKind::ModelAnimation:
            return 12;
        case ResourceKind::BinaryData:
            return 13;
        default:
            return 0;
    }
}

}  // namespace

const ResourceKindInfo& GetKindInfo(ResourceKind kind) {
    return kKinds[KindIndex(kind)];
}

uint32_t TableCountForVersion(uint32_t version) {
    uint32_t count = 0;
    for (uint32_t index = 0; index < kResourceKindCount; ++index) {
        if (IsKindPresent(version, static_cast<ResourceKind>(index))) {
            ++count;
        }
    }
    return count;
}

bool IsKindPresent(uint32_t version, ResourceKind kind) {
    return version >= FirstVersionOf(kind);
}

}  // namespace quill
