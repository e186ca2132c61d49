#pragma once
// What the table's cameras need of their 3D scene: the scene's own camera (the one the table's cameras are
// copied from) and its aspect ratio, taking over a new camera that the scene can draw through, and drawing
// through the camera of a given id. The render scene implements it (under its own lock) once the render tree is
// wired; tests record the calls.
#include <cstdint>
#include <memory>

#include "QuillLib/math/Camera.h"

namespace kestrovan {

class SceneCameraSelector {
public:
    // A camera the scene took over: where it lives now and the id by which it is selected.
    struct AddedCamera {
        quill::Camera* camera = nullptr;
        uint32_t id = 0;
    };

    virtual ~SceneCameraSelector() = default;
    // False when the scene has no camera of that id.
    virtual bool SelectCamera(uint32_t cameraId) = 0;
    // The camera the scene draws through now, or null.
    virtual const quill::Camera* CurrentCamera() const = 0;
    virtual float AspectRatio() const = 0;
    // The scene owns the camera from now on (it outlives the table's use of it).
    virtual AddedCamera AddCamera(std::unique_ptr<quill::Camera> camera) = 0;
};

}  // namespace kestrovan
