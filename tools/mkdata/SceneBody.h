#pragma once
// A SCENE_INFO item as stored: ambient colour and fog, the cameras, directional and point lights and the
// models placed in the scene.
#include <array>
#include <cstdint>
#include <vector>

#include "QuillLib/math/Transform.h"
#include "tools/mkdata/BodyWriter.h"

namespace mkdata {

struct SceneBody {
    struct Camera {
        quill::Vec3 eye;
        quill::Vec3 target;
        quill::Vec3 up{0.0f, 0.0f, 1.0f};
        quill::Vec3 side{1.0f, 0.0f, 0.0f};
        // In the order the camera takes them: lens shift x and y, horizontal field of view (radians), aspect
        // ratio (height / width), near and far distance.
        std::array<float, 6> projection{0.0f, 0.0f, 0.7854f, 0.75f, 10.0f, 10000.0f};
        float minPitch = -1.5708f;
        float maxPitch = 1.5708f;
        float minDistance = 10.0f;
        float maxDistance = 5000.0f;
    };
    struct Light {
        uint8_t lightSet = 0;
        std::array<float, 3> colour{1.0f, 1.0f, 1.0f};
        float intensity = 1.0f;
        bool specular = true;
        quill::Vec3 vector;  // direction, or position of a point light
        float range = 0.0f;  // point lights only
    };
    struct PlacedModel {
        uint32_t modelId = 0;
        quill::Transform placement;
    };

    std::array<float, 4> ambient{0.35f, 0.35f, 0.35f, 1.0f};
    std::vector<Camera> cameras;
    std::vector<Light> directLights;
    std::vector<Light> pointLights;
    std::vector<PlacedModel> models;

    void Write(BodyWriter& out) const;

private:
    static void WriteLight(BodyWriter& out, uint32_t id, const Light& light, bool point);
};

}  // namespace mkdata
