#include "client/app/Scene.h"

#include <cfloat>
#include <cmath>

#include "QuillLib/resource/ResourceManager.h"
#include "client/render/D3D9RenderDevice.h"

namespace kestrovan {

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

void Scene::Update(uint32_t, int64_t) {}
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

void Scene::ApplyEnvironment(bool deviceHasFog) {
    environment_.appliedLighting = environment_.lighting;
    environment_.appliedSecondLighting = environment_.lighting;
    fog_ = ComputeFogRecord(environment_, deviceHasFog, fog_.flags);
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
