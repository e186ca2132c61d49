#pragma once
// A SCENE_INFO item: one 3D scene's description. Scene-wide values (bounds, ambient light, fog, aspect
// ratio) and five id-keyed collections: cameras (with the current one), directional and point lights,
// placed models and placed sprites, plus a property table. A render scene works on its own copy, so that
// what it moves, hides or animates never changes the loaded item.
//
// Threads: the thread that drives the scenes.
#include <array>
#include <cstdint>
#include <map>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/math/BoundingBox.h"
#include "QuillLib/math/Camera.h"
#include "QuillLib/resource/DirectLight.h"
#include "QuillLib/resource/IdCollection.h"
#include "QuillLib/resource/ModelObjectEntry.h"
#include "QuillLib/resource/PointLight.h"
#include "QuillLib/resource/SpriteObjectEntry.h"

namespace quill {

class SceneInfo : public NamedObject {
public:
    static constexpr int32_t kNoCamera = -1;
    static constexpr float kDefaultAspectRatio = 0.75f;

    SceneInfo(WStringView name, const std::array<float, 4>& ambientColor);
    // The name, every value and a clone of every entry; no id.
    SceneInfo(const SceneInfo& other);
    SceneInfo& operator=(const SceneInfo&) = delete;

    SceneInfo* Clone() const override { return new SceneInfo(*this); }

    // The camera takes the description's aspect ratio and enters under the next id; empty when refused.
    SharedPtr<Camera> AddCamera(SharedPtr<Camera> camera);
    SharedPtr<DirectLight> AddDirectLight(SharedPtr<DirectLight> light) { return directLights.Add(std::move(light)); }
    SharedPtr<PointLight> AddPointLight(SharedPtr<PointLight> light) { return pointLights.Add(std::move(light)); }
    // Enters the entry under the next id and grows the bounds by its instance's.
    SharedPtr<ModelObjectEntry> AddModelObject(SharedPtr<ModelObjectEntry> entry);
    SharedPtr<SpriteObjectEntry> AddSpriteObject(SharedPtr<SpriteObjectEntry> entry);

    // True at once for the current id; false for an id no camera has; otherwise the camera becomes current
    // and is marked changed.
    bool SelectCamera(int32_t cameraId);
    SharedPtr<Camera> GetCurrentCamera() const;
    // Ignored within FLT_EPSILON of the stored ratio; otherwise stored and passed to every camera.
    void SetAspectRatio(float ratio);

    BoundingBox bounds;
    std::array<float, 4> ambient;
    uint16_t fogMode = 2;
    uint8_t fogEnabled = 0;
    std::array<float, 4> fogColor{1.0f, 1.0f, 1.0f, 1.0f};
    float fogStart = 10.0f;
    float fogEnd = 100.0f;
    float fogDensity = 0.5f;
    uint32_t sceneWord0 = 0;
    uint32_t sceneWord1 = 0;
    float sceneValue = 1.0f;
    float aspectRatio = kDefaultAspectRatio;
    IdCollection<Camera> cameras;
    int32_t currentCamera = kNoCamera;
    IdCollection<DirectLight> directLights;
    IdCollection<PointLight> pointLights;
    IdCollection<ModelObjectEntry> models;
    IdCollection<SpriteObjectEntry> sprites;
    std::map<uint32_t, WString> properties;
};

}  // namespace quill
