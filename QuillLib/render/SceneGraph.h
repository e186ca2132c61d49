#pragma once
// The render tree of one 3D scene and the walks over it: activation makes the device textures its levels
// use, deactivation releases them and the device's buffers; the content walk finds the branches that hold
// something visible; the draw pass packs static geometry when the device's buffers were made anew, sizes the
// dynamic buffers, opens the 3D pass and draws the tree, counting what it did.
//
// Threads: the thread that drives the scenes (the main thread).
#include <cstdint>
#include <list>
#include <memory>

#include "QuillLib/render/RenderStats.h"
#include "QuillLib/render/RootNode.h"
#include "QuillLib/render/SceneRenderDevice.h"

namespace quill {

class ModelObject;
class RenderScene;
class SpriteObject;

class SceneGraph {
public:
    static constexpr uint32_t kObjectRemoved = 0;
    static constexpr uint32_t kObjectRebuilt = 1;

    // scene may be null for a tree drawn without a scene (no lights, no view preparation).
    SceneGraph(SceneRenderDevice& device, RenderScene* scene);
    // Deactivates first.
    virtual ~SceneGraph();
    SceneGraph(const SceneGraph&) = delete;
    SceneGraph& operator=(const SceneGraph&) = delete;

    bool RefreshContent();
    bool Activate();
    bool Deactivate();
    bool Draw(RenderStats& stats, const SceneEnvironment& environment, bool mirrored);
    // The frame of the scene: the objects prepared for the view when the scene changed, then the draw pass.
    bool Render(RenderStats& stats);

    void AddModelObject(ModelObject& object);
    void RemoveModelObject(ModelObject& object);
    void AddSpriteObject(SpriteObject& sprite);
    // Code 0 takes the object out of the tree; code 1 puts it back in afresh; other codes are ignored.
    virtual void OnObjectChanged(uint32_t code, ModelObject* object);

    SceneRenderDevice& GetDevice() const { return device_; }
    RenderScene* GetScene() const { return scene_; }
    RootNode& GetRoot() const { return *root_; }
    const std::list<ModelObject*>& Registered() const { return registered_; }

    // Parts whose material holds a texture of this id are not drawn (0: none).
    uint32_t excludedTextureId = 0;

private:
    void PrepareObjectsForView();

    SceneRenderDevice& device_;
    RenderScene* scene_;
    std::unique_ptr<RootNode> root_;
    std::list<ModelObject*> registered_;
};

}  // namespace quill
