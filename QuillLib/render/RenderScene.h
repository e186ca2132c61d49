#pragma once
// One drawable 3D world: a scene description with its placed models, sprites, lights and cameras, the render
// tree they are drawn from, the view record the current camera is copied into, the counters of the last
// drawn frame and the frame times of about the last five seconds, for the statistics overlay.
//
// Threads: Update (a screen's render step) and drawing on the main thread; the lock guards
// the lookup of the current camera (whose own lock is held while it is copied).
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/math/Camera.h"
#include "QuillLib/render/RenderStats.h"
#include "QuillLib/render/SceneEnvironment.h"
#include "QuillLib/render/SceneGraph.h"

namespace quill {

class ModelObject;
class PointLight;
class RenderSceneManager;
class SceneInfo;
class SceneRenderDevice;
class SpriteObject;

class RenderScene {
public:
    static constexpr uint16_t kUnregistered = 0xFFFF;
    static constexpr size_t kMaxFrameSamples = 5;
    static constexpr float kSampleSeconds = 1.0f;
    static constexpr uint32_t kModelObjectRemoved = 8;

    // Builds the tree from the description: every placed model in id order, then every placed sprite.
    RenderScene(RenderSceneManager& manager, SceneRenderDevice& device, SharedPtr<SceneInfo> info);
    virtual ~RenderScene();
    RenderScene(const RenderScene&) = delete;
    RenderScene& operator=(const RenderScene&) = delete;

    // Copies the current camera into the view; with time elapsed also animates the models and sprites and
    // counts the frame.
    void Update(float elapsedSeconds);
    // Takes a placed model out of the tree and puts it back, with reset first rebuilt from its model; false
    // for an id no placed model has.
    bool RefreshModelObject(uint32_t id, bool reset);
    // Takes a placed model out of the tree and out of the scene and tells the manager's listeners; false for
    // an id no placed model has.
    bool RemoveModelObject(uint32_t id);
    // Runs change on every placed model that carries the tag, in id order, and refreshes each (without a reset)
    // so that the tree files it by its new state.
    void ChangeModelObjectsByTag(uint32_t tag, const std::function<void(ModelObject&)>& change);
    // Append what carries the tag, in id order.
    void CollectModelObjectsByTag(uint32_t tag, std::vector<ModelObject*>& out) const;
    void CollectSpriteObjectsByTag(uint32_t tag, std::vector<SpriteObject*>& out) const;
    void CollectPointLightsByTag(uint32_t tag, std::vector<PointLight*>& out) const;
    // The description's current camera, looked up under the scene's lock; null when it names none.
    SharedPtr<Camera> GetCurrentCamera();
    SharedPtr<Camera> FindCamera(uint32_t id) const;
    // Under the scene's lock, for threads other than the one that draws: the description's camera of that id
    // becomes current (false for an id no camera has), or the description takes a camera over (empty when
    // refused).
    bool SelectCamera(int32_t cameraId);
    SharedPtr<Camera> AddCamera(SharedPtr<Camera> camera);
    // Marks the current camera changed, so the next update takes it over.
    void MarkCameraChanged();
    // The statistics overlay over the drawn scene, when the device's switch is on.
    void DrawStatistics();
    // Frames per second over the frame history (the frame count itself below a measurable time).
    float FrameRate() const;

    // The ambient colour, fog (filled into fog) and view the 3D pass starts from.
    SceneEnvironment GetEnvironment(FogSettings& fog) const;
    SceneInfo* GetSceneInfo() const { return sceneInfo_.get(); }
    const Camera& GetView() const { return view_; }
    SceneGraph& GetGraph() const { return *graph_; }
    SceneRenderDevice& GetDevice() const { return device_; }
    // Whether the placed model was taken out of the scene.
    bool IsRemoved(uint32_t id) const { return removedModels_.contains(id); }
    const std::deque<std::pair<uint32_t, float>>& FrameSamples() const { return frameSamples_; }

    WString name;
    uint16_t index = kUnregistered;
    // Set when the camera changed or time advanced; the next render prepares the objects for the view.
    uint8_t dirty = 0;
    RenderStats lastStats;

private:
    void AddFrameSample(float elapsedSeconds);
    ModelObject* FindModel(uint32_t id) const;

    RenderSceneManager& manager_;
    SceneRenderDevice& device_;
    SharedPtr<SceneInfo> sceneInfo_;
    // Placed models taken out by RemoveModelObject: the description's collections cannot drop an entry.
    std::set<uint32_t> removedModels_;
    Camera view_;
    mutable CriticalSectionLock lock_;
    std::deque<std::pair<uint32_t, float>> frameSamples_;
    // Last, so that the tree goes before the description whose objects it holds.
    std::unique_ptr<SceneGraph> graph_;
};

}  // namespace quill
