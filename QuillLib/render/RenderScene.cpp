#include "QuillLib/render/RenderScene.h"

#include <cfloat>
#include <cmath>
#include <iomanip>
#include <sstream>

#include "QuillLib/core/Profiler.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/render/SceneRenderDevice.h"
#include "QuillLib/render/TextEntry.h"
#include "QuillLib/resource/SceneInfo.h"

namespace quill {
namespace {

constexpr float kLineLeft = 10.0f;
constexpr float kLineTop = 10.0f;
constexpr float kLineStep = 20.0f;

WString Widen(const std::string& text) {
    return WString(text.begin(), text.end());
}

}  // namespace

RenderScene::RenderScene(RenderSceneManager& manager, SceneRenderDevice& device, SharedPtr<SceneInfo> info)
    : name(info->name), manager_(manager), device_(device), sceneInfo_(std::move(info)), view_(u"") {
    graph_ = std::make_unique<SceneGraph>(device_, this);
    for (const auto& [id, entry] : sceneInfo_->models.Entries()) {
        if (entry->instance) graph_->AddModelObject(*entry->instance);
    }
    for (const auto& [id, entry] : sceneInfo_->sprites.Entries()) {
        if (entry->instance) graph_->AddSpriteObject(*entry->instance);
    }
}

RenderScene::~RenderScene() {
    graph_.reset();
}

SharedPtr<Camera> RenderScene::GetCurrentCamera() {
    ScopedLock lock(lock_);
    return sceneInfo_->GetCurrentCamera();
}

SharedPtr<Camera> RenderScene::FindCamera(uint32_t id) const {
    ScopedLock lock(lock_);
    return sceneInfo_->cameras.Find(id);
}

bool RenderScene::SelectCamera(int32_t cameraId) {
    ScopedLock lock(lock_);
    return sceneInfo_->SelectCamera(cameraId);
}

SharedPtr<Camera> RenderScene::AddCamera(SharedPtr<Camera> camera) {
    ScopedLock lock(lock_);
    return sceneInfo_->AddCamera(std::move(camera));
}

void RenderScene::MarkCameraChanged() {
    if (const SharedPtr<Camera> camera = GetCurrentCamera()) {
        ScopedLock lock(camera->GetLock());
        camera->dirty = 1;
    }
}

void RenderScene::Update(float elapsedSeconds) {
    if (const SharedPtr<Camera> camera = GetCurrentCamera()) {
        ScopedLock lock(camera->GetLock());
        view_.CopyViewStateFrom(*camera);
        dirty = camera->dirty;
    }
    if (!(elapsedSeconds > 0.0f)) return;
    for (const auto& [id, entry] : sceneInfo_->models.Entries()) {
        if (entry->instance && !IsRemoved(id)) entry->instance->AdvanceAnimation(elapsedSeconds);
    }
    for (const auto& [id, entry] : sceneInfo_->sprites.Entries()) {
        if (entry->instance) entry->instance->UpdateAnimation(elapsedSeconds);
    }
    dirty = 1;
    AddFrameSample(elapsedSeconds);
}

void RenderScene::AddFrameSample(float elapsedSeconds) {
    if (!frameSamples_.empty() && frameSamples_.back().second <= kSampleSeconds) {
        frameSamples_.back().first += 1;
        frameSamples_.back().second += elapsedSeconds;
        return;
    }
    frameSamples_.emplace_back(1, elapsedSeconds);
    if (frameSamples_.size() > kMaxFrameSamples) frameSamples_.pop_front();
}

float RenderScene::FrameRate() const {
    float frames = 0.0f, seconds = 0.0f;
    for (const auto& [count, time] : frameSamples_) {
        frames += static_cast<float>(count);
        seconds += time;
    }
    return std::fabs(seconds) >= FLT_EPSILON ? frames / seconds : frames;
}

ModelObject* RenderScene::FindModel(uint32_t id) const {
    if (IsRemoved(id)) return nullptr;
    const SharedPtr<ModelObjectEntry> entry = sceneInfo_->models.Find(id);
    return entry ? entry->instance.get() : nullptr;
}

bool RenderScene::RefreshModelObject(uint32_t id, bool reset) {
    ModelObject* object = FindModel(id);
    if (object == nullptr) return false;
    graph_->RemoveModelObject(*object);
    if (reset) {
        object->BuildFromFrame(*sceneInfo_->models.Find(id)->model);
        object->UpdateWorldTransform();
    }
    graph_->AddModelObject(*object);
    return true;
}

bool RenderScene::RemoveModelObject(uint32_t id) {
    ModelObject* object = FindModel(id);
    if (object == nullptr) return false;
    graph_->RemoveModelObject(*object);
    removedModels_.insert(id);
    manager_.NotifySceneChanged(kModelObjectRemoved, index, &id);
    return true;
}

void RenderScene::ChangeModelObjectsByTag(uint32_t tag, const std::function<void(ModelObject&)>& change) {
    for (const auto& [id, entry] : sceneInfo_->models.Entries()) {
        if (entry->tag != tag || !entry->instance || IsRemoved(id)) continue;
        change(*entry->instance);
        RefreshModelObject(id, false);
    }
}

void RenderScene::CollectModelObjectsByTag(uint32_t tag, std::vector<ModelObject*>& out) const {
    for (const auto& [id, entry] : sceneInfo_->models.Entries()) {
        if (entry->tag == tag && entry->instance && !IsRemoved(id)) out.push_back(entry->instance.get());
    }
}

void RenderScene::CollectSpriteObjectsByTag(uint32_t tag, std::vector<SpriteObject*>& out) const {
    for (const auto& [id, entry] : sceneInfo_->sprites.Entries()) {
        if (entry->tag == tag && entry->instance) out.push_back(entry->instance.get());
    }
}

void RenderScene::CollectPointLightsByTag(uint32_t tag, std::vector<PointLight*>& out) const {
    for (const auto& [id, light] : sceneInfo_->pointLights.Entries()) {
        if (light->tag == tag) out.push_back(light.get());
    }
}

SceneEnvironment RenderScene::GetEnvironment(FogSettings& fog) const {
    const SceneInfo& info = *sceneInfo_;
    fog.mode = info.fogMode;
    fog.enabled = info.fogEnabled;
    fog.r = info.fogColor[0];
    fog.g = info.fogColor[1];
    fog.b = info.fogColor[2];
    fog.a = info.fogColor[3];
    fog.start = info.fogStart;
    fog.end = info.fogEnd;
    fog.density = info.fogDensity;
    return SceneEnvironment{info.ambient.data(), &fog, &view_};
}

void RenderScene::DrawStatistics() {
    if (device_.statisticsEnabled == 0) return;
    TextCache& cache = manager_.GetTextCache();
    cache.Create(&device_);
    device_.Begin2D();
    if (cache.IsCreated()) {
        const RenderStats& s = lastStats;
        using S = RenderStats;
        uint32_t memory[3] = {0, 0, 0};
        device_.GetVideoMemory(memory);
        const Profiler& profiler = Profiler::Instance();
        std::ostringstream lines[TextCache::kLinesDrawn];
        lines[0] << "FPS: " << FrameRate();
        lines[1] << "FVF: " << s[S::kVertexFormats] << ", StaticBuffer: " << s[S::kStaticBuffers];
        lines[2] << "TextureStageChange: " << s[S::kTextureStageChanges] << ", LightSwitch: " << s[S::kLightSwitches];
        lines[3] << "LightMap: " << s[S::kLightMaps] << ", DiffuseMap: " << s[S::kDiffuseMaps];
        lines[4] << "Batch: " << s[S::kBatches] << ", DP Call: " << s[S::kDrawCalls];
        lines[5] << "FaceSet: " << s[S::kFaceSets] << ", Vertex: " << s[S::kVertices];
        lines[6] << "Profiler: " << std::fixed << profiler.GetTotalSeconds() << ", " << profiler.GetAverageSeconds()
                 << ", " << profiler.GetCount();
        lines[7] << "Avail AGP Mem: " << memory[0] << ", Total Vid Mem: " << memory[1] << ", Free Vid Mem: " << memory[2];
        lines[8] << "TextCache: " << device_.GetTextMemory();
        for (size_t i = 0; i < TextCache::kLinesDrawn; ++i) {
            TextEntry& line = *cache.Line(i);
            line.SetText(Widen(lines[i].str()));
            line.Draw(kLineLeft, kLineTop + kLineStep * static_cast<float>(i));
        }
    }
    FogSettings fog;
    device_.Begin3D(GetEnvironment(fog));
}

}  // namespace quill
