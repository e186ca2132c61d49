#include "QuillLib/resource/SceneInfoTable.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/math/TransformFields.h"
#include "QuillLib/resource/BodyFields.h"
#include "QuillLib/resource/IdHeaderExport.h"
#include "QuillLib/resource/ResourceFile.h"

namespace quill {
namespace {

constexpr uint32_t kSceneWordsSince = 5;
constexpr uint32_t kTagSince = 7;
constexpr uint32_t kPropertiesSince = 7;
// The least bytes one entry of each list takes (packed, without a tag).
constexpr uint32_t kSmallestCamera = 4 + 48 + 24 + 1 + 16 + 1;
constexpr uint32_t kSmallestLight = 4 + 1 + 16 + 2 + 12;
constexpr uint32_t kSmallestModel = 4 + 4 + 40 + 2;
constexpr uint32_t kSmallestSprite = 4 + 4 + 12 + 8;
constexpr uint32_t kPlayerSize = 9;
constexpr uint32_t kPropertySize = 4 + kFixedStringWidth;

bool ReadFloats(Stream& body, float* values, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        if (!ReadF32(body, values[i])) {
            return false;
        }
    }
    return true;
}

bool WriteFloats(Stream& out, const float* values, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        if (!WriteF32(out, values[i])) {
            return false;
        }
    }
    return true;
}

bool ReadLightRecord(Stream& body, LightRecord& record) {
    return ReadU8(body, record.lightSet) && ReadFloats(body, record.color.data(), 3) &&
           ReadF32(body, record.intensity) && ReadU8(body, record.diffuseOn) && ReadU8(body, record.specularOn) &&
           ReadVector3(body, record.vector);
}

bool WriteLightRecord(Stream& out, const LightRecord& record) {
    return WriteU8(out, record.lightSet) && WriteFloats(out, record.color.data(), 3) &&
           WriteF32(out, record.intensity) && WriteU8(out, record.diffuseOn) && WriteU8(out, record.specularOn) &&
           WriteVector3(out, record.vector);
}

Camera::Projection ToProjection(const float values[6]) {
    return Camera::Projection{values[0], values[1], values[2], values[3], values[4], values[5]};
}

// The side that SetFrame turns back into the stored one: SetFrame reverses a side perpendicular to up.
Vec3 SideGivenToSetFrame(const Camera& camera) {
    return -camera.Frame().side;
}

}  // namespace

bool SceneInfoTable::ReadHead(Stream& body, bool packed, EntryHead& head) const {
    return ReadU32(body, head.id) && ReadItemName(body, packed, head.name) &&
           (!HasFieldSince(packed, Version(), kTagSince) || ReadU32(body, head.tag));
}

bool SceneInfoTable::WriteHead(Stream& out, bool packed, uint32_t id, WStringView name, uint32_t tag) const {
    return WriteU32(out, id) && WriteItemName(out, packed, name) && WriteU32(out, tag);
}

SharedPtr<SceneInfo> SceneInfoTable::LoadBody(Stream& body, Stream& file, bool packed) {
    WString name;
    std::array<float, 4> ambient{};
    if (!ReadItemName(body, packed, name) || !ReadFloats(body, ambient.data(), 4)) {
        return {};
    }
    SharedPtr<SceneInfo> scene = quill::make_shared<SceneInfo>(name, ambient);
    if (!ReadU16(body, scene->fogMode) || !ReadU8(body, scene->fogEnabled) ||
        !ReadFloats(body, scene->fogColor.data(), 4) || !ReadF32(body, scene->fogStart) ||
        !ReadF32(body, scene->fogEnd) || !ReadF32(body, scene->fogDensity)) {
        return {};
    }
    if (HasFieldSince(packed, Version(), kSceneWordsSince) &&
        (!ReadU32(body, scene->sceneWord0) || !ReadU32(body, scene->sceneWord1) || !ReadF32(body, scene->sceneValue))) {
        return {};
    }
    if (!ReadCameras(body, packed, *scene) || !ReadLights(body, packed, *scene) ||
        !ReadModels(body, file, packed, *scene)) {
        return {};
    }
    if (!HasFieldSince(packed, Version(), kSceneWordsSince)) {
        return scene;
    }
    if (!ReadSprites(body, file, packed, *scene)) {
        return {};
    }
    if (!packed && Version() >= kPropertiesSince && !ReadProperties(body, *scene)) {
        return {};
    }
    return scene;
}

bool SceneInfoTable::ReadCameras(Stream& body, bool packed, SceneInfo& scene) const {
    uint32_t count = 0;
    if (!ReadU32(body, count) || !CanHold(body, count, kSmallestCamera)) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        EntryHead head;
        FourVec3 frame;
        float projection[6];
        SceneObject::LimitRecord limits;
        uint8_t hasScreenRect = 0;
        float screenRect[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        if (!ReadHead(body, packed, head) || !ReadVector3(body, frame.eye) || !ReadVector3(body, frame.target) ||
            !ReadVector3(body, frame.up) || !ReadVector3(body, frame.side) || !ReadFloats(body, projection, 6) ||
            !ReadU8(body, limits.flag) || !ReadF32(body, limits.minPitch) || !ReadF32(body, limits.maxPitch) ||
            !ReadF32(body, limits.minDistance) || !ReadF32(body, limits.maxDistance) || !ReadU8(body, hasScreenRect) ||
            (hasScreenRect && !ReadFloats(body, screenRect, 4))) {
            return false;
        }
        SharedPtr<Camera> camera = head.id == 0 ? scene.cameras.Find(0) : SharedPtr<Camera>();
        const bool update = camera != nullptr;
        if (update) {
            camera->SetFrame(frame);
            projection[3] = scene.aspectRatio;
            camera->SetProjection(ToProjection(projection));
        } else {
            camera = quill::make_shared<Camera>(head.name, frame, ToProjection(projection));
        }
        camera->tag = head.tag;
        camera->SetLimits(limits);
        if (hasScreenRect) {
            camera->SetScreenRect(screenRect[0], screenRect[1], screenRect[2], screenRect[3]);
        }
        if (!update && !scene.AddCamera(camera)) {
            return false;
        }
    }
    return true;
}

bool SceneInfoTable::ReadLights(Stream& body, bool packed, SceneInfo& scene) const {
    uint32_t count = 0;
    if (!ReadU32(body, count) || !CanHold(body, count, kSmallestLight)) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        EntryHead head;
        LightRecord record;
        if (!ReadHead(body, packed, head) || !ReadLightRecord(body, record)) {
            return false;
        }
        SharedPtr<DirectLight> light = quill::make_shared<DirectLight>(head.name, record);
        light->tag = head.tag;
        if (!scene.AddDirectLight(light)) {
            return false;
        }
    }
    if (!ReadU32(body, count) || !CanHold(body, count, kSmallestLight + 4)) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        EntryHead head;
        LightRecord record;
        float range = 0.0f;
        if (!ReadHead(body, packed, head) || !ReadLightRecord(body, record) || !ReadF32(body, range)) {
            return false;
        }
        SharedPtr<PointLight> light = quill::make_shared<PointLight>(head.name, record, range);
        light->tag = head.tag;
        if (!scene.AddPointLight(light)) {
            return false;
        }
    }
    return true;
}

bool SceneInfoTable::ReadModels(Stream& body, Stream& file, bool packed, SceneInfo& scene) {
    uint32_t count = 0;
    if (!ReadU32(body, count) || !CanHold(body, count, kSmallestModel)) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        EntryHead head;
        uint32_t modelId = kNone;
        Transform placement;
        uint16_t playerCount = 0;
        if (!ReadHead(body, packed, head) || !ReadU32(body, modelId) || !ReadTransform(body, placement)) {
            return false;
        }
        SharedPtr<ModelObject> model = Owner()->FindOrLoadModel(modelId, file);
        if (!model) {
            return false;
        }
        SharedPtr<ModelObjectEntry> entry = quill::make_shared<ModelObjectEntry>(head.name, std::move(model), placement);
        entry->tag = head.tag;
        if (!scene.AddModelObject(entry) || !ReadU16(body, playerCount) || !CanHold(body, playerCount, kPlayerSize)) {
            return false;
        }
        for (uint16_t p = 0; p < playerCount; ++p) {
            uint32_t animationId = kNone;
            float startTime = 0.0f;
            uint8_t loop = 0;
            if (!ReadU32(body, animationId) || !ReadF32(body, startTime) || !ReadU8(body, loop)) {
                return false;
            }
            SharedPtr<BoneAnimation> animation = Owner()->FindOrLoadBoneAnimation(animationId, file);
            if (!animation || !entry->AttachPlayer(startTime, loop, std::move(animation))) {
                return false;
            }
        }
    }
    return true;
}

bool SceneInfoTable::ReadSprites(Stream& body, Stream& file, bool packed, SceneInfo& scene) {
    uint32_t count = 0;
    if (!ReadU32(body, count) || !CanHold(body, count, kSmallestSprite)) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        EntryHead head;
        uint32_t spriteId = kNone;
        Vec3 position;
        float scale[2] = {1.0f, 1.0f};
        if (!ReadHead(body, packed, head) || !ReadU32(body, spriteId) || !ReadVector3(body, position) ||
            !ReadVector2(body, scale)) {
            return false;
        }
        SharedPtr<SpriteObject> sprite = Owner()->FindOrLoadSprite(spriteId, file);
        if (!sprite) {
            return false;
        }
        SharedPtr<SpriteObjectEntry> entry =
            quill::make_shared<SpriteObjectEntry>(head.name, std::move(sprite), position, scale[0], scale[1]);
        entry->tag = head.tag;
        if (!scene.AddSpriteObject(entry)) {
            return false;
        }
    }
    return true;
}

bool SceneInfoTable::ReadProperties(Stream& body, SceneInfo& scene) const {
    uint32_t count = 0;
    if (!ReadU32(body, count) || !CanHold(body, count, kPropertySize)) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t key = 0;
        WString value;
        if (!ReadU32(body, key) || !ReadFixedString260(body, value)) {
            return false;
        }
        scene.properties[key] = value;
    }
    return true;
}

// Every field in the newest form; each collection in id order, an entry's id being its key.
bool SceneInfoTable::SaveBody(Stream& out, const SharedPtr<SceneInfo>& item, bool packed) {
    const SceneInfo& scene = *item;
    return WriteItemName(out, packed, scene.name) && WriteFloats(out, scene.ambient.data(), 4) &&
           WriteU16(out, scene.fogMode) && WriteU8(out, scene.fogEnabled) &&
           WriteFloats(out, scene.fogColor.data(), 4) && WriteF32(out, scene.fogStart) &&
           WriteF32(out, scene.fogEnd) && WriteF32(out, scene.fogDensity) && WriteU32(out, scene.sceneWord0) &&
           WriteU32(out, scene.sceneWord1) && WriteF32(out, scene.sceneValue) && WriteCameras(out, packed, scene) &&
           WriteLights(out, packed, scene) && WriteModels(out, packed, scene) && WriteSprites(out, packed, scene) &&
           (packed || WriteProperties(out, scene));
}

bool SceneInfoTable::WriteCameras(Stream& out, bool packed, const SceneInfo& scene) const {
    if (!WriteU32(out, static_cast<uint32_t>(scene.cameras.Entries().size()))) {
        return false;
    }
    for (const auto& [id, camera] : scene.cameras.Entries()) {
        const FourVec3& frame = camera->Frame();
        const Camera::Projection& p = camera->GetProjection();
        const float projection[6] = {p.shiftX, p.shiftY, p.fieldOfView, p.aspectRatio, p.nearDistance, p.farDistance};
        const SceneObject::LimitRecord& limits = camera->Limits();
        const Camera::DistanceFov& rect = camera->GetDistanceFov();
        const float screenRect[4] = {rect.distance1, rect.fov1, rect.distance2, rect.fov2};
        if (!WriteHead(out, packed, id, camera->name, camera->tag) || !WriteVector3(out, frame.eye) ||
            !WriteVector3(out, frame.target) || !WriteVector3(out, frame.up) ||
            !WriteVector3(out, SideGivenToSetFrame(*camera)) || !WriteFloats(out, projection, 6) ||
            !WriteU8(out, limits.flag) || !WriteF32(out, limits.minPitch) || !WriteF32(out, limits.maxPitch) ||
            !WriteF32(out, limits.minDistance) || !WriteF32(out, limits.maxDistance) ||
            !WriteU8(out, rect.enabled) || (rect.enabled && !WriteFloats(out, screenRect, 4))) {
            return false;
        }
    }
    return true;
}

bool SceneInfoTable::WriteLights(Stream& out, bool packed, const SceneInfo& scene) const {
    if (!WriteU32(out, static_cast<uint32_t>(scene.directLights.Entries().size()))) {
        return false;
    }
    for (const auto& [id, light] : scene.directLights.Entries()) {
        if (!WriteHead(out, packed, id, light->name, light->tag) || !WriteLightRecord(out, light->record)) {
            return false;
        }
    }
    if (!WriteU32(out, static_cast<uint32_t>(scene.pointLights.Entries().size()))) {
        return false;
    }
    for (const auto& [id, light] : scene.pointLights.Entries()) {
        if (!WriteHead(out, packed, id, light->name, light->tag) || !WriteLightRecord(out, light->record) ||
            !WriteF32(out, light->range)) {
            return false;
        }
    }
    return true;
}

bool SceneInfoTable::WriteModels(Stream& out, bool packed, const SceneInfo& scene) const {
    if (!WriteU32(out, static_cast<uint32_t>(scene.models.Entries().size()))) {
        return false;
    }
    for (const auto& [id, entry] : scene.models.Entries()) {
        if (!WriteHead(out, packed, id, entry->name, entry->tag) || !WriteU32(out, entry->model->id) ||
            !WriteTransform(out, entry->instance->placement) ||
            !WriteU16(out, static_cast<uint16_t>(entry->players.size()))) {
            return false;
        }
        for (const ModelObjectEntry::Player& player : entry->players) {
            if (!WriteU32(out, player.animation->id) || !WriteF32(out, player.startTime) || !WriteU8(out, player.loop)) {
                return false;
            }
        }
    }
    return true;
}

bool SceneInfoTable::WriteSprites(Stream& out, bool packed, const SceneInfo& scene) const {
    if (!WriteU32(out, static_cast<uint32_t>(scene.sprites.Entries().size()))) {
        return false;
    }
    for (const auto& [id, entry] : scene.sprites.Entries()) {
        const Transform& local = entry->instance->localTransform;
        const float scale[2] = {local.scale.x, local.scale.y};
        if (!WriteHead(out, packed, id, entry->name, entry->tag) || !WriteU32(out, entry->sprite->id) ||
            !WriteVector3(out, local.position) || !WriteVector2(out, scale)) {
            return false;
        }
    }
    return true;
}

bool SceneInfoTable::WriteProperties(Stream& out, const SceneInfo& scene) const {
    if (!WriteU32(out, static_cast<uint32_t>(scene.properties.size()))) {
        return false;
    }
    for (const auto& [key, value] : scene.properties) {
        if (!WriteU32(out, key) || !WriteFixedString260(out, value)) {
            return false;
        }
    }
    return true;
}

namespace {

template <typename T>
bool WriteSection(std::FILE* header, WStringView section, const char16_t* line, const IdCollection<T>& collection) {
    if (collection.Empty()) {
        return true;
    }
    if (!WriteHeaderText(header, Format(u"\t\tenum %s\n\t\t{\n", WString(section)))) {
        return false;
    }
    for (const auto& [id, entry] : collection.Entries()) {
        if (!WriteHeaderText(header, Format(line, MakeIdentifier(entry->name), static_cast<int32_t>(id)))) {
            return false;
        }
    }
    return WriteHeaderText(header, u"\t\t};\n\n");
}

bool WritePropertySection(std::FILE* header, const std::map<uint32_t, WString>& properties) {
    if (properties.empty()) {
        return true;
    }
    if (!WriteHeaderText(header, u"\t\tenum PROPERTY_TABLE\n\t\t{\n")) {
        return false;
    }
    for (const auto& [key, value] : properties) {
        if (!WriteHeaderText(header, Format(u"\t\t\tPROP_%s = %d,\n", MakeIdentifier(value), static_cast<int32_t>(key)))) {
            return false;
        }
    }
    return WriteHeaderText(header, u"\t\t};\n\n");
}

bool WriteSceneSections(std::FILE* header, const SceneInfo& scene) {
    return WriteHeaderText(header, Format(u"\tnamespace %s\n\t{\n\n", scene.name)) &&
           WriteSection(header, u"CAMERA_ID", u"\t\t\tCAM_%s = %d,\n", scene.cameras) &&
           WriteSection(header, u"DIRECT_LIGHT_ID", u"\t\t\tDIR_LIGHT_%s = %d,\n", scene.directLights) &&
           WriteSection(header, u"POINT_LIGHT_ID", u"\t\t\tPT_LIGHT_%s = %d,\n", scene.pointLights) &&
           WriteSection(header, u"MODEL_OBJECT_ID", u"\t\t\tMDL_OBJ_%s = %d,\n", scene.models) &&
           WriteSection(header, u"SPRITE_OBJECT_ID", u"\t\t\tSPR_OBJ_%s = %d,\n", scene.sprites) &&
           WritePropertySection(header, scene.properties) &&
           WriteHeaderText(header, Format(u"\t} // %s\n\n", scene.name));
}

}  // namespace

bool SceneInfoTable::WriteIdHeader(std::FILE* header) {
    for (const auto& [id, scene] : Items()) {
        if (!WriteSceneSections(header, *scene)) {
            return false;
        }
    }
    return true;
}

}  // namespace quill
