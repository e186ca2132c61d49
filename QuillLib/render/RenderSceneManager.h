#pragma once
// The engine subsystem that owns the 3D scenes: scenes are registered in creation order under a 16-bit index,
// one of them is current, and each frame the current scene is updated and drawn with its statistics overlay.
// Selecting a scene releases the device textures of the one before and makes those of the new one on first
// use. Listeners hear of registrations, removals and the end of all scenes.
//
// Threads: the screens create, select and remove scenes and the frame step draws them on the main thread;
// the game's update runs UpdateCurrentScene under the application's lock.
#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "QuillLib/core/EngineSubsystem.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/render/RenderScene.h"
#include "QuillLib/render/SceneListener.h"
#include "QuillLib/render/TextCache.h"

namespace quill {

class GraphicsOwner;
class SceneInfo;
class SceneRenderDevice;

class RenderSceneManager : public EngineSubsystem {
public:
    static constexpr uint32_t kSceneRegistered = 1;
    static constexpr uint32_t kSceneRemoved = 2;
    static constexpr float kDefaultAspectRatio = 0.75f;

    // owner: the engine, through whose graphics layer the scenes reach the device.
    explicit RenderSceneManager(GraphicsOwner& owner) : owner_(owner) {}
    ~RenderSceneManager() override;

    bool Initialize() override { return true; }
    // Lets every scene go, forgets the current one, releases the overlay's text and tells the listeners.
    void Shutdown() override;

    // Null when no scene is current.
    RenderScene* GetCurrentScene() const;
    // Deactivates the current scene and activates the one at index; an index past the scenes changes
    // nothing and answers false.
    bool SelectScene(uint16_t index);
    // Deactivates the current scene and leaves none current.
    void SelectNoScene();
    // A scene of the description (its models and sprites in the render tree), registered; not selected.
    // Null without a description or without a render device.
    RenderScene* CreateScene(SharedPtr<SceneInfo> info);
    // A scene of a new empty description with a grey ambient light.
    RenderScene* CreateBlankScene(WStringView name);
    // Unregisters the scene at index; the scenes after it move down by one and the current one stays
    // current. Nothing for an index past the scenes.
    void RemoveScene(uint16_t index);
    void UpdateCurrentScene(float elapsedSeconds);
    // The current scene's frame and then its statistics overlay.
    void RenderCurrentScene();

    void AddListener(SceneListener* listener) { listeners_.push_back(listener); }
    void RemoveListener(SceneListener* listener) { listeners_.remove(listener); }
    void NotifySceneChanged(uint32_t code, uint16_t sceneIndex, const void* value) const;

    // The graphics layer's device; null while there is none.
    SceneRenderDevice* GetDevice() const;
    TextCache& GetTextCache() { return textCache_; }
    size_t GetSceneCount() const { return entries_.size(); }
    // Null for an index past the scenes.
    RenderScene* GetScene(uint16_t index) const;
    int32_t GetCurrentIndex() const { return current_; }

    // The screen's height / width: ignored within FLT_EPSILON of the present ratio; otherwise kept for the
    // scenes registered from now on and passed to every registered scene's cameras, so that a wider window
    // widens the view instead of stretching it.
    void SetAspectRatio(float ratio);
    float GetAspectRatio() const { return aspectRatio_; }

private:
    RenderScene* Register(std::unique_ptr<RenderScene> scene);

    float aspectRatio_ = kDefaultAspectRatio;

    GraphicsOwner& owner_;
    std::vector<std::unique_ptr<RenderScene>> entries_;
    int32_t current_ = -1;
    std::list<SceneListener*> listeners_;
    TextCache textCache_;
};

}  // namespace quill
