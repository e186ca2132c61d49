#include "QuillLib/resource/SceneInfo.h"

#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/MathConstants.h"

namespace quill {

SceneInfo::SceneInfo(WStringView name, const std::array<float, 4>& ambientColor)
    : NamedObject(name), ambient(ambientColor) {}

SceneInfo::SceneInfo(const SceneInfo& other)
    : NamedObject(other.name),
      bounds(other.bounds),
      ambient(other.ambient),
      fogMode(other.fogMode),
      fogEnabled(other.fogEnabled),
      fogColor(other.fogColor),
      fogStart(other.fogStart),
      fogEnd(other.fogEnd),
      fogDensity(other.fogDensity),
      sceneWord0(other.sceneWord0),
      sceneWord1(other.sceneWord1),
      sceneValue(other.sceneValue),
      aspectRatio(other.aspectRatio),
      cameras(other.cameras),
      currentCamera(other.currentCamera),
      directLights(other.directLights),
      pointLights(other.pointLights),
      models(other.models),
      sprites(other.sprites),
      properties(other.properties) {}

SharedPtr<Camera> SceneInfo::AddCamera(SharedPtr<Camera> camera) {
    camera->SetAspectRatio(aspectRatio);
    return cameras.Add(std::move(camera));
}

SharedPtr<ModelObjectEntry> SceneInfo::AddModelObject(SharedPtr<ModelObjectEntry> entry) {
    SharedPtr<ModelObjectEntry> added = models.Add(std::move(entry));
    if (added && added->instance->pose.worldSphere.radius >= 0.0f) {
        bounds.MergeSphere(added->instance->pose.worldSphere);
    }
    return added;
}

SharedPtr<SpriteObjectEntry> SceneInfo::AddSpriteObject(SharedPtr<SpriteObjectEntry> entry) {
    SharedPtr<SpriteObjectEntry> added = sprites.Add(std::move(entry));
    const Mesh* quad = added ? added->instance->mesh.get() : nullptr;
    if (quad && quad->renderData && quad->renderData->worldSphere.radius >= 0.0f) {
        bounds.MergeSphere(quad->renderData->worldSphere);
    }
    return added;
}

bool SceneInfo::SelectCamera(int32_t cameraId) {
    if (cameraId == currentCamera) {
        return true;
    }
    const SharedPtr<Camera> camera = cameraId < 0 ? SharedPtr<Camera>() : cameras.Find(static_cast<uint32_t>(cameraId));
    if (!camera) {
        return false;
    }
    currentCamera = cameraId;
    camera->dirty = 1;
    return true;
}

SharedPtr<Camera> SceneInfo::GetCurrentCamera() const {
    return currentCamera < 0 ? SharedPtr<Camera>() : cameras.Find(static_cast<uint32_t>(currentCamera));
}

void SceneInfo::SetAspectRatio(float ratio) {
    if (std::fabs(ratio - aspectRatio) < kFloatEpsilon) {
        return;
    }
    aspectRatio = ratio;
    // The game thread moves the table's cameras under their locks meanwhile.
    for (const auto& [id, camera] : cameras.Entries()) {
        ScopedLock hold(camera->GetLock());
        camera->SetAspectRatio(ratio);
    }
}

}  // namespace quill
