#include "client/table/RenderSceneCameras.h"

#include "QuillLib/resource/SceneInfo.h"

namespace kestrovan {

bool RenderSceneCameras::SelectCamera(uint32_t cameraId) {
    return scene_.SelectCamera(static_cast<int32_t>(cameraId));
}

const quill::Camera* RenderSceneCameras::CurrentCamera() const {
    // The description keeps its cameras as long as the scene lives.
    return scene_.GetCurrentCamera().get();
}

float RenderSceneCameras::AspectRatio() const {
    const quill::SceneInfo* info = scene_.GetSceneInfo();
    return info != nullptr ? info->aspectRatio : quill::SceneInfo::kDefaultAspectRatio;
}

SceneCameraSelector::AddedCamera RenderSceneCameras::AddCamera(std::unique_ptr<quill::Camera> camera) {
    const quill::SharedPtr<quill::Camera> added = scene_.AddCamera(quill::SharedPtr<quill::Camera>(camera.release()));
    if (!added) {
        return {};
    }
    return {added.get(), added->id};
}

}  // namespace kestrovan
