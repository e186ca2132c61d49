#pragma once
// The fourteen kinds of resource items, their names and file extensions, and which kinds a resource file
// of a given version holds.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace quill {

// The kind index is the table's position in a resource file and in every per-file array of tables.
enum class ResourceKind : uint32_t {
    Bone,
    Texture,
    Material,
    Mesh,
    Model,
    Sprite,
    SpriteAnimation,
    BoneAnimation,
    VertexAnimation,
    ModelAnimation,
    SceneInfo,
    Sound,
    StringTable,
    BinaryData,
};

constexpr uint32_t kResourceKindCount = 14;
// The kind value of the load context while a resource file's header is read.
constexpr uint32_t kHeaderKind = 14;
// An offset, id or position that is not there.
constexpr uint32_t kNone = 0xFFFFFFFF;
// The version our writers put in resource files: every kind present and every body field in its
// newest form.
constexpr uint32_t kCurrentFileVersion = 16;

struct ResourceKindInfo {
    WStringView longName;   // "SPRITE_ANIMATION"
    WStringView shortName;  // "SPRITE_ANI": prefix of identifier-header entries
    WStringView extension;  // "tsa"
    bool compressed;        // item records are zlib streams (all kinds but TEXTURE)
};

constexpr uint32_t KindIndex(ResourceKind kind) {
    return static_cast<uint32_t>(kind);
}
const ResourceKindInfo& GetKindInfo(ResourceKind kind);

// The number of tables a resource file of this version stores, and whether it stores one of this kind.
// Absent kinds keep empty tables.
uint32_t TableCountForVersion(uint32_t version);
bool IsKindPresent(uint32_t version, ResourceKind kind);

}  // namespace quill
