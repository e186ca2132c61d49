#include "QuillLib/render/SceneGraph.h"

#include <algorithm>

#include "QuillLib/render/NodeVisitor.h"
#include "QuillLib/render/RenderScene.h"
#include "QuillLib/resource/ModelObject.h"
#include "QuillLib/resource/SceneInfo.h"
#include "QuillLib/resource/SpriteObject.h"

namespace quill {
namespace {

class ContentRefresh : public NodeVisitor {
public:
    bool Leave(Node& node) override {
        node.UpdateContent();
        return true;
    }
};

class AcquireWalk : public NodeVisitor {
public:
    bool Leave(Node& node) override { return node.Acquire(); }
};

class ReleaseWalk : public NodeVisitor {
public:
    bool Leave(Node& node) override {
        node.Release();
        return true;
    }
};

class StaticPreparation : public NodeVisitor {
public:
    bool Enter(Node& node, bool& descend) override {
        node.PrepareStatic(descend);
        return true;
    }
};

class MeasureWalk : public NodeVisitor {
public:
    bool Enter(Node& node, bool& descend) override { return node.Measure(descend, maxVertexBytes, maxIndices); }
    bool Leave(Node& node) override { return node.EndMeasure(maxVertexBytes, maxIndices); }

    uint32_t maxVertexBytes = 0;
    uint32_t maxIndices = 0;
};

class DrawWalk : public NodeVisitor {
public:
    bool Enter(Node& node, bool& descend) override {
        descend = node.hasContent;
        return !descend || node.Enter(stats);
    }
    bool Leave(Node& node) override { return !node.hasContent || node.Leave(stats); }

    RenderStats stats;
};

}  // namespace

SceneGraph::SceneGraph(SceneRenderDevice& device, RenderScene* scene)
    : device_(device), scene_(scene), root_(std::make_unique<RootNode>(*this, scene)) {}

SceneGraph::~SceneGraph() {
    Deactivate();
    registered_.clear();
    root_.reset();
}

bool SceneGraph::RefreshContent() {
    ContentRefresh walk;
    return root_->Accept(walk);
}

bool SceneGraph::Activate() {
    AcquireWalk walk;
    return root_->Accept(walk);
}

bool SceneGraph::Deactivate() {
    ReleaseWalk walk;
    const bool released = root_->Accept(walk);
    device_.GetBufferPool().ReleaseAll();
    return released;
}

bool SceneGraph::Draw(RenderStats& stats, const SceneEnvironment& environment, bool mirrored) {
    BufferPool& pool = device_.GetBufferPool();
    if (!pool.IsValid()) {
        StaticPreparation preparation;
        if (!root_->Accept(preparation)) return false;
        pool.SetValid(true);
    }
    MeasureWalk measure;
    if (!root_->Accept(measure)) return false;
    if (!device_.Begin3D(environment)) return false;
    if (mirrored && (device_.defaultCullMode == 1 || device_.defaultCullMode == 2)) {
        device_.SetCullMode(3 - device_.defaultCullMode);
    }
    DrawWalk draw;
    const bool drawn = root_->Accept(draw);
    stats = draw.stats;
    device_.DisableAllLights();
    return drawn;
}

void SceneGraph::PrepareObjectsForView() {
    SceneInfo* info = scene_->GetSceneInfo();
    const Camera& view = scene_->GetView();
    for (const auto& [id, entry] : info->models.Entries()) {
        if (!entry->instance || scene_->IsRemoved(id)) continue;
        entry->instance->SetCullStateRecursive(0, 0.0f, true);
        entry->instance->PrepareForView(view);
    }
    const Vec3 eye = view.Eye();
    Vec3 direction = view.Target() - eye;
    direction.Normalize();
    for (const auto& [id, entry] : info->sprites.Entries()) {
        SpriteObject* sprite = entry->instance.get();
        if (sprite == nullptr) continue;
        sprite->UpdateBillboard(eye, direction, view.Frame().up);
        if (sprite->mesh && sprite->mesh->renderData) {
            sprite->mesh->renderData->depth = view.DepthOf(sprite->worldTransform.position);
        }
    }
}

bool SceneGraph::Render(RenderStats& stats) {
    if (scene_ == nullptr) return false;
    if (scene_->dirty != 0) {
        PrepareObjectsForView();
        RefreshContent();
        scene_->dirty = 0;
    }
    FogSettings fog;
    return Draw(stats, scene_->GetEnvironment(fog), false);
}

void SceneGraph::AddModelObject(ModelObject& object) {
    root_->AddObjectTree(object);
    if (object.registered != 0) registered_.push_back(&object);
}

void SceneGraph::RemoveModelObject(ModelObject& object) {
    root_->RemoveObjectTree(object);
    if (object.registered == 0) return;
    const auto found = std::find(registered_.begin(), registered_.end(), &object);
    if (found != registered_.end()) registered_.erase(found);
}

void SceneGraph::AddSpriteObject(SpriteObject& sprite) {
    root_->AddObject(sprite);
}

void SceneGraph::OnObjectChanged(uint32_t code, ModelObject* object) {
    if (object == nullptr) return;
    if (code == kObjectRemoved) {
        root_->RemoveObjectTree(*object);
    } else if (code == kObjectRebuilt) {
        root_->RemoveObjectTree(*object);
        root_->AddObjectTree(*object);
    }
}

}  // namespace quill
