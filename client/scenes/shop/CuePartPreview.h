#pragma once
// A live 3D picture of one tuning part of a personal cue (a shaft, butt, joint, bumper or tip) in a rectangle
// of a workshop window: the large preview of a parts window and the small one inside each part thumbnail.
// The part turns slowly by itself; a draggable preview also turns and slides along its length while the left
// button drags it, and the wheel moves the camera nearer or farther, within 25 to 80 (OrbitPreview).
//
// SetPart only records the part; the owner's render pass builds the model with Load and drops it with Release
// (LoadShown / ReleaseAll walk a widget tree for it), and Update draws it in the 2D pass.
//
// Threads: SetPart from the main thread (input) and the dispatch thread (replies); Load, Release and drawing on
// the main thread. All of them hold the widget-tree lock.
#include <atomic>
#include <cstdint>
#include <memory>

#include "client/scenes/common/OrbitPreview.h"

namespace quill {
class ResourceManager;
}

namespace kestrovan {

class D3D9RenderDevice;
class TableModelObject;

class CuePartPreview : public OrbitPreview {
public:
    static constexpr float kMinDistance = 25.0f;
    static constexpr float kMaxDistance = 80.0f;
    // The camera's starting distance: the long parts (shaft, butt) and the short ones.
    static constexpr float kLongPartDistance = 40.0f;
    static constexpr float kShortPartDistance = 20.0f;

    // (x, y) relative to the parent given later. draggable: the left button may turn it.
    CuePartPreview(int32_t x, int32_t y, int32_t width, int32_t height, bool draggable);
    ~CuePartPreview() override;

    // Shows the part of that type (0 to 4) and id at the next Load; a negative type shows nothing.
    void SetPart(int32_t type, int16_t partId);
    // Builds the model when a part is waiting. False when "BillObject" (its "reflection" and "shadow"), "Cues"
    // (its "TunningCue" and the type's file) or the model is missing: the preview then stays empty.
    bool Load(quill::ResourceManager& resources, D3D9RenderDevice& device);
    // Lets go of the model and its camera; a set part stays set and is built again at the next Load.
    void Release();

    int32_t PartType() const { return type_; }
    uint32_t ModelId() const { return modelId_; }
    bool IsLoaded() const { return loaded_; }
    bool IsPending() const { return reload_; }

    // Load on every part preview in the shown part of the tree under root; false when one of them failed.
    static bool LoadShown(Widget& root, quill::ResourceManager& resources, D3D9RenderDevice& device);
    // Release on every part preview under root, shown or not.
    static void ReleaseAll(Widget& root);

    void Update() override;

private:
    // A drag turns the part sideways and slides it along its length.
    void Drag(quill::Camera& camera, int32_t dx, int32_t dy) override;
    // The wheel keeps the camera within 25 to 80.
    float LimitDistance(float distance) const override;
    bool Build(quill::ResourceManager& resources, D3D9RenderDevice& device);
    void PlaceCamera();
    void Draw(D3D9RenderDevice& device);

    std::unique_ptr<TableModelObject> model_;
    D3D9RenderDevice* device_ = nullptr;
    // Read without the lock by the accessors and the mouse handling on the main thread.
    std::atomic<bool> loaded_{false};
    std::atomic<bool> reload_{false};
    std::atomic<int32_t> type_{-1};
    std::atomic<uint32_t> modelId_{0};
};

}  // namespace kestrovan
