#pragma once
// The cameras of a table screen's 3D scene as the table sees them: the camera the scene draws through, the
// scene's aspect ratio, cameras the table adds (the scene's description keeps them from then on) and the choice
// of the camera the scene draws through, each under the render scene's lock.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include "QuillLib/render/RenderScene.h"
#include "client/table/SceneCameraSelector.h"

namespace kestrovan {

class RenderSceneCameras : public SceneCameraSelector {
public:
    explicit RenderSceneCameras(quill::RenderScene& scene) : scene_(scene) {}

    bool SelectCamera(uint32_t cameraId) override;
    const quill::Camera* CurrentCamera() const override;
    float AspectRatio() const override;
    AddedCamera AddCamera(std::unique_ptr<quill::Camera> camera) override;

    quill::RenderScene& Scene() const { return scene_; }

private:
    quill::RenderScene& scene_;
};

}  // namespace kestrovan
