#pragma once
// What a scene's 3D pass starts from: its ambient colour, its fog and the camera it is seen through.
#include <cstdint>

namespace quill {

class Camera;

struct FogSettings {
    uint16_t mode = 2;  // 0 none, 1 exponential, 2 linear (the device's mode is this plus one)
    uint8_t enabled = 0;
    float r = 1, g = 1, b = 1, a = 1;
    float start = 10, end = 100, density = 0.5f;
};

struct SceneEnvironment {
    const float* ambient = nullptr;  // four floats
    const FogSettings* fog = nullptr;
    const Camera* camera = nullptr;
};

}  // namespace quill
