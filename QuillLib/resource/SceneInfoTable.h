#pragma once
// The SCENE_INFO table: scene descriptions.
// Body: [name Text260, unpacked] Vec4 ambient, u16 fogMode, u8 fogEnabled, Vec4 fogColor, f32 fogStart,
// fogEnd, fogDensity, [u32, u32, f32 scene words, since version 5], then u32-counted lists of cameras,
// directional lights, point lights, placed models, [placed sprites, since version 5], and [the property
// table, unpacked bodies from version 7: u32 key, Text260 value].
// Every entry starts with u32 id, [name Text260, unpacked], [u32 tag, since version 7].
//   camera: eye, target, up, side (Vec3 each, as SetFrame takes them), the six projection values in
//           SetProjection's order, u8 limit flag, f32 min and max pitch, f32 min and max distance, u8
//           hasScreenRect and, when set, 4 x f32;
//   light:  u8 lightSet, 3 x f32 colour, f32 intensity, u8 diffuseOn, u8 specularOn, Vec3 direction (point
//           lights: Vec3 position, then f32 range);
//   model:  u32 modelId, Transform10 placement, u16 playerCount and per player u32 boneAnimationId, f32
//           start time, u8 loop;
//   sprite: u32 spriteId, Vec3 position, f32 scale x, f32 scale y.
// The collections give the ids (stored ids are not used), except that a second camera stored with id 0
// updates camera 0. Items named by id are found, or loaded on demand, in the same resource file.
#include "QuillLib/resource/ResourceTableImpl.h"
#include "QuillLib/resource/SceneInfo.h"

namespace quill {

class SceneInfoTable : public ResourceTableImpl<SceneInfo> {
public:
    SceneInfoTable(ResourceFile* owner, WString name)
        : ResourceTableImpl(owner, std::move(name), ResourceKind::SceneInfo) {}

    // Per description, in id order: a namespace of its name holding one enumeration per non-empty
    // collection (CAMERA_ID, DIRECT_LIGHT_ID, POINT_LIGHT_ID, MODEL_OBJECT_ID, SPRITE_OBJECT_ID) and one of
    // its properties (PROPERTY_TABLE).
    bool WriteIdHeader(std::FILE* header) override;

protected:
    SharedPtr<SceneInfo> LoadBody(Stream& body, Stream& file, bool packed) override;
    bool SaveBody(Stream& out, const SharedPtr<SceneInfo>& item, bool packed) override;

private:
    // The head every entry starts with.
    struct EntryHead {
        uint32_t id = 0;
        WString name;
        uint32_t tag = 0;
    };

    bool ReadHead(Stream& body, bool packed, EntryHead& head) const;
    bool WriteHead(Stream& out, bool packed, uint32_t id, WStringView name, uint32_t tag) const;
    bool ReadCameras(Stream& body, bool packed, SceneInfo& scene) const;
    bool ReadLights(Stream& body, bool packed, SceneInfo& scene) const;
    bool ReadModels(Stream& body, Stream& file, bool packed, SceneInfo& scene);
    bool ReadSprites(Stream& body, Stream& file, bool packed, SceneInfo& scene);
    bool ReadProperties(Stream& body, SceneInfo& scene) const;
    bool WriteCameras(Stream& out, bool packed, const SceneInfo& scene) const;
    bool WriteLights(Stream& out, bool packed, const SceneInfo& scene) const;
    bool WriteModels(Stream& out, bool packed, const SceneInfo& scene) const;
    bool WriteSprites(Stream& out, bool packed, const SceneInfo& scene) const;
    bool WriteProperties(Stream& out, const SceneInfo& scene) const;
};

}  // namespace quill
