#include "QuillLib/render/SpriteNode.h"

#include <algorithm>

#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/resource/SpriteObject.h"

namespace quill {
namespace {

bool IsVisible(const SpriteObject& sprite) {
    return sprite.mesh && sprite.mesh->vertices && sprite.mesh->vertices->Visible() != 0;
}

float DepthOf(const SpriteObject& sprite) {
    return sprite.mesh && sprite.mesh->renderData ? sprite.mesh->renderData->depth : 0.0f;
}

}  // namespace

SpriteNode::~SpriteNode() {
    for (SpriteObject* sprite : sprites_) sprite->ReleaseDeviceResources();
}

void SpriteNode::ResetDrawList() {
    drawList_.clear();
    drawList_.reserve(sprites_.size());
}

bool SpriteNode::AddObject(SpriteObject& sprite) {
    sprite.AcquireDeviceResources();
    sprites_.push_back(&sprite);
    ResetDrawList();
    return true;
}

bool SpriteNode::RemoveObject(SpriteObject& sprite) {
    const auto found = std::find(sprites_.begin(), sprites_.end(), &sprite);
    if (found == sprites_.end()) return false;
    sprite.ReleaseDeviceResources();
    sprites_.erase(found);
    ResetDrawList();
    return IsEmpty();
}

void SpriteNode::UpdateContent() {
    drawList_.clear();
    std::copy_if(sprites_.begin(), sprites_.end(), std::back_inserter(drawList_),
                 [](const SpriteObject* sprite) { return IsVisible(*sprite); });
    hasContent = !drawList_.empty();
    std::stable_sort(drawList_.begin(), drawList_.end(),
                     [](const SpriteObject* a, const SpriteObject* b) { return DepthOf(*a) > DepthOf(*b); });
}

bool SpriteNode::PrepareQuads() {
    SceneRenderDevice& device = owner_.GetDevice();
    BufferPool& pool = device.GetBufferPool();
    return pool.SelectDynamicVertexBuffer(SpriteObject::kQuadFormat, 0) && pool.SelectDynamicIndexBuffer(0) &&
           device.SetVertexFormat(SpriteObject::kQuadFormat) && device.ApplyTextureStages(1) &&
           device.EnableLights(false, false, false) && device.SetSpecularEnable(false);
}

bool SpriteNode::Enter(RenderStats& /*stats*/) {
    if (drawList_.empty()) return true;
    if (!PrepareQuads()) return false;
    for (SpriteObject* sprite : drawList_) {
        if (!sprite->Draw(owner_.GetDevice())) return false;
    }
    return true;
}

bool SpriteNode::Acquire() {
    if (acquired_) return true;
    acquired_ = true;
    for (SpriteObject* sprite : sprites_) {
        if (!sprite->AcquireDeviceResources()) return false;
    }
    return true;
}

void SpriteNode::Release() {
    if (!acquired_) return;
    for (SpriteObject* sprite : sprites_) sprite->ReleaseDeviceResources();
    acquired_ = false;
}

}  // namespace quill
