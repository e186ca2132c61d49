#pragma once
// What a light of a scene description holds: the device's light set it belongs to, its colour scaled by
// its intensity, which parts it has, and its direction (a directional light) or position (a point light).
#include <array>
#include <cstdint>

#include "QuillLib/math/Vec3.h"

namespace quill {

struct LightRecord {
    uint8_t lightSet = 0;
    std::array<float, 3> color{1.0f, 1.0f, 1.0f};
    float intensity = 1.0f;
    uint8_t diffuseOn = 1;
    uint8_t specularOn = 0;
    Vec3 vector;  // direction or position
};

}  // namespace quill
