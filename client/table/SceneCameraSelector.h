#pragma once
// What the table's camera controller needs of its 3D scene: that the scene draw through the camera of a given
// id from now on. The render scene implements it (under its own lock) once the render tree is wired; tests
// record the calls.
#include <cstdint>

namespace kestrovan {

class SceneCameraSelector {
public:
    virtual ~SceneCameraSelector() = default;
    // False when the scene has no camera of that id.
    virtual bool SelectCamera(uint32_t cameraId) = 0;
};

}  // namespace kestrovan
