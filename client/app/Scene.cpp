#include "client/app/Scene.h"

#include <cfloat>
#include <cmath>

#include "QuillLib/render/RenderScene.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/MeshPart.h"
#include "QuillLib/resource/ModelObject.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/resource/SceneInfo.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/render/D3D9RenderDevice.h"

namespace kestrovan {

namespace {

// The ambient sounds through the program's sound manager: looping, at full volume; nothing without one.
class ManagerAmbientSounds : public AmbientSoundPlayer {
public:
    void Play(uint32_t soundId) override {
        if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->PlayAtFullVolume(soundId, true);
    }
    void Stop(uint32_t soundId) override {
        if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->Stop(soundId);
    }
};

constexpr uint32_t kLightingTag = 2;
constexpr uint32_t kResetTag = 5;
constexpr float kUnlitAlpha = 0.8f;

// Lit or unlit materials for the object's whole tree (each made the object's own first, so that other
// objects sharing a material keep theirs), and the alpha.
void SetMaterialLighting(quill::ModelObject& object, bool lit, float alpha) {
    object.ApplyToParts([lit](quill::MeshPart& part) {
        if (!part.material) return;
        if (part.material.use_count() != 1) part.material = quill::SharedPtr<quill::Material>(part.material->Clone());
        part.material->flagB = lit ? 0 : 1;
        part.material->flagC = lit ? 1 : 0;
    });
    object.SetAlphaRecursive(alpha);
}

}  // namespace

// The root covers the default screen until the manager gives it the real size.
Scene::Scene(int32_t id) : sceneId_(id) {
    SetRect(0, 0, 1024, 768);
}

int Scene::OnMessage(uint32_t, uint64_t, int64_t) {
    return 0;
}

int Scene::OnPacket(quill::MessageId, quill::Packet&) {
    return 0;
}

void Scene::Update(uint32_t, int64_t, const MouseMotion&) {}

void Scene::UpdateAmbientLight(uint32_t seconds) {
    ManagerAmbientSounds sounds;
    daylight_.UpdateAmbientLight(seconds, sounds);
}
void Scene::OnSettingsChanged(const Settings&) {}
void Scene::OnResize(uint32_t, uint32_t) {}
void Scene::OnActivate(bool) {}
void Scene::OnCaptionHover(bool) {}
void Scene::AddChatLine(quill::WStringView, uint32_t) {}

void Scene::TickWidgets(uint32_t timeMs) {
    CheckTreeAccess("TickWidgets");
    TickTree(timeMs);
}

void Scene::ResizeWidgets(uint32_t width, uint32_t height) {
    SetRect(0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height));
    ApplyChildAnchors(static_cast<int32_t>(width), static_cast<int32_t>(height));
}

void Scene::DrawWidgets(D3D9RenderDevice* device) {
    CheckTreeAccess("DrawWidgets");
    if (device != nullptr && !device->Begin2D()) return;
    UpdateTree();
}

bool Scene::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager*) {
    // Whole packages are closed; items and files go with the handles that held them.
    for (const SceneResourceRecord& record : resources_) {
        if (resources != nullptr && record.id == -1 && record.file.empty()) resources->ClosePackage(record.package);
    }
    resources_.clear();
    ManagerAmbientSounds sounds;
    daylight_.StopSounds(sounds);
    return true;
}

void Scene::RequestSceneChange(int32_t next) {
    nextSceneId_ = next;
    changePending_ = true;
}

void Scene::FinishPendingChange() {
    changePending_ = false;
    SetVisible(false);
}

void Scene::FadeStep() {
    if (fadeState_ != 1) return;
    fadeAlpha_ += 0.01f;
    if (fadeAlpha_ > 1.0f) {
        fadeAlpha_ = 1.0f;
        fadeState_ = 0;
    }
}

void Scene::ApplyEnvironment(quill::RenderScene* scene, bool deviceHasFog) {
    if (scene == nullptr) return;
    quill::SceneInfo& info = *scene->GetSceneInfo();
    const uint8_t lighting = environment_.lighting != 0 ? 1 : 0;
    if (environment_.lighting != environment_.appliedLighting) {
        for (const auto& [id, light] : info.directLights.Entries())
            if (light->tag == kLightingTag) light->record.lightSet = lighting;
        scene->ChangeModelObjectsByTag(kLightingTag, [&](quill::ModelObject& object) {
            SetMaterialLighting(object, lighting != 0, lighting != 0 ? 1.0f : kUnlitAlpha);
        });
        environment_.appliedLighting = environment_.lighting;
    }
    if (environment_.lighting != environment_.appliedSecondLighting) {
        for (const auto& [id, light] : info.pointLights.Entries())
            if (light->tag == kLightingTag) light->record.lightSet = lighting;
        environment_.appliedSecondLighting = environment_.lighting;
    }
    fog_ = ComputeFogRecord(environment_, deviceHasFog, fog_.flags);
    info.fogEnabled = static_cast<uint8_t>((fog_.flags >> 16) & 0xFF);
    info.fogColor = {fog_.red, fog_.green, fog_.blue, fog_.alpha};
    info.fogStart = fog_.start;
    info.fogEnd = fog_.end;
    info.fogDensity = fog_.density;
}

void Scene::ResetSceneNodes(quill::RenderScene* scene) {
    if (scene == nullptr) return;
    scene->ChangeModelObjectsByTag(kResetTag, [](quill::ModelObject& object) { SetMaterialLighting(object, true, 1.0f); });
}

void Scene::CollectTaggedObjects(const quill::RenderScene* scene) {
    tagged6_.clear();
    tagged7_.clear();
    if (scene == nullptr) return;
    scene->CollectModelObjectsByTag(6, tagged6_);
    scene->CollectModelObjectsByTag(7, tagged7_);
}

FogRecord ComputeFogRecord(const Scene::Environment& environment, bool deviceHasFog, uint32_t previousFlags) {
    FogRecord fog;
    const bool scaled = !(std::fabs(environment.scale) < FLT_EPSILON);
    const bool enabled = environment.fog != 0 && scaled && deviceHasFog;
    fog.flags = (previousFlags & ~0x00FF0000u) | (enabled ? 0x00010000u : 0u);
    const uint32_t colour = environment.fogColour;
    fog.alpha = static_cast<float>((colour >> 24) & 0xFF) / 255.0f;
    fog.red = static_cast<float>((colour >> 16) & 0xFF) / 255.0f;
    fog.green = static_cast<float>((colour >> 8) & 0xFF) / 255.0f;
    fog.blue = static_cast<float>(colour & 0xFF) / 255.0f;
    fog.start = scaled ? environment.fogStart / environment.scale : 0.0f;
    fog.end = scaled ? environment.fogEnd / environment.scale : 0.0f;
    fog.density = environment.fogDensity * environment.scale;
    return fog;
}

}  // namespace kestrovan
