#include "QuillLib/render/RenderSceneManager.h"

#include <cmath>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/render/Graphics.h"
#include "QuillLib/render/GraphicsOwner.h"
#include "QuillLib/render/SceneRenderDevice.h"
#include "QuillLib/resource/SceneInfo.h"

namespace quill {
namespace {

constexpr std::array<float, 4> kBlankAmbient{128.0f, 128.0f, 128.0f, 1.0f};

}  // namespace

// The engine shuts the scenes down before it deletes anything; listeners are not told again here.
RenderSceneManager::~RenderSceneManager() {
    entries_.clear();
    textCache_.Release();
}

SceneRenderDevice* RenderSceneManager::GetDevice() const {
    const Graphics* graphics = owner_.GetGraphics();
    return graphics != nullptr ? graphics->GetRenderDevice() : nullptr;
}

RenderScene* RenderSceneManager::GetScene(uint16_t index) const {
    return index < entries_.size() ? entries_[index].get() : nullptr;
}

RenderScene* RenderSceneManager::GetCurrentScene() const {
    return current_ >= 0 ? GetScene(static_cast<uint16_t>(current_)) : nullptr;
}

void RenderSceneManager::NotifySceneChanged(uint32_t code, uint16_t sceneIndex, const void* value) const {
    for (SceneListener* listener : listeners_) listener->OnSceneChanged(code, sceneIndex, value);
}

bool RenderSceneManager::SelectScene(uint16_t index) {
    RenderScene* next = GetScene(index);
    if (next == nullptr) return false;
    SelectNoScene();
    current_ = index;
    next->MarkCameraChanged();
    return next->GetGraph().Activate();
}

void RenderSceneManager::SelectNoScene() {
    if (RenderScene* scene = GetCurrentScene()) {
        scene->MarkCameraChanged();
        scene->GetGraph().Deactivate();
    }
    current_ = -1;
}

void RenderSceneManager::SetAspectRatio(float ratio) {
    if (std::fabs(ratio - aspectRatio_) < kFloatEpsilon) return;
    aspectRatio_ = ratio;
    for (const std::unique_ptr<RenderScene>& scene : entries_) {
        scene->GetSceneInfo()->SetAspectRatio(ratio);
        scene->MarkCameraChanged();
    }
}

RenderScene* RenderSceneManager::Register(std::unique_ptr<RenderScene> scene) {
    scene->GetSceneInfo()->SetAspectRatio(aspectRatio_);
    entries_.push_back(std::move(scene));
    RenderScene* registered = entries_.back().get();
    registered->index = static_cast<uint16_t>(entries_.size() - 1);
    NotifySceneChanged(kSceneRegistered, registered->index, registered);
    return registered;
}

RenderScene* RenderSceneManager::CreateScene(SharedPtr<SceneInfo> info) {
    SceneRenderDevice* device = GetDevice();
    // The last index stays free: it means "not registered".
    if (!info || device == nullptr || entries_.size() >= RenderScene::kUnregistered) return nullptr;
    return Register(std::make_unique<RenderScene>(*this, *device, std::move(info)));
}

RenderScene* RenderSceneManager::CreateBlankScene(WStringView name) {
    return CreateScene(quill::make_shared<SceneInfo>(name, kBlankAmbient));
}

void RenderSceneManager::RemoveScene(uint16_t index) {
    if (index >= entries_.size()) return;
    // The same scene stays current: one before it moves down with it.
    if (current_ == index) {
        current_ = -1;
    } else if (current_ > index) {
        --current_;
    }
    entries_.erase(entries_.begin() + index);
    for (size_t i = index; i < entries_.size(); ++i) entries_[i]->index = static_cast<uint16_t>(i);
    NotifySceneChanged(kSceneRemoved, index, nullptr);
}

void RenderSceneManager::UpdateCurrentScene(float elapsedSeconds) {
    if (RenderScene* scene = GetCurrentScene()) scene->Update(elapsedSeconds);
}

void RenderSceneManager::RenderCurrentScene() {
    RenderScene* scene = GetCurrentScene();
    if (scene == nullptr) return;
    scene->GetGraph().Render(scene->lastStats);
    scene->DrawStatistics();
}

void RenderSceneManager::Shutdown() {
    entries_.clear();
    current_ = -1;
    textCache_.Release();
    for (SceneListener* listener : listeners_) listener->OnScenesCleared();
}

}  // namespace quill
