#pragma once
// A live 3D picture of one tuning part of a personal cue (a shaft, butt, joint, bumper or tip) in a rectangle
// of a workshop window: the large preview of a parts window and the small one inside each part thumbnail.
// The part turns slowly by itself; a draggable preview also turns and slides along its length while the left
// button drags it, and the wheel moves the camera nearer or farther, within 25 to 80.
//
// SetPart only records the part; the owner's render pass builds the model with Load and drops it with Release
// (LoadShown / ReleaseAll walk a widget tree for it), and Update draws it in the 2D pass.
//
// Threads: see the table in client/app/Scene.h; the model is loaded, released and drawn on the main thread only.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "QuillLib/math/Camera.h"
#include "client/ui/Widget.h"

namespace quill {
class ResourceManager;
}

namespace kestrovan {

class D3D9RenderDevice;
class TableModelObject;

class CuePartPreview : public Widget {
public:
    static constexpr float kMinDistance = 25.0f;
    static constexpr float kMaxDistance = 80.0f;
    static constexpr float kWheelStep = 20.0f;
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
    // Moves the camera nearer by amount (farther for a negative amount), within 25 to 80.
    void Zoom(float amount);
    // The millisecond clock of the automatic turn (the system's when empty); for tests.
    void SetClock(std::function<uint32_t()> clock) { clock_ = std::move(clock); }

    int32_t PartType() const { return type_; }
    uint32_t ModelId() const { return modelId_; }
    bool IsLoaded() const { return loaded_; }
    bool IsPending() const { return reload_; }
    bool IsDragging() const { return dragging_; }
    const quill::Camera* GetCamera() const { return camera_ ? &*camera_ : nullptr; }

    // Load on every part preview in the shown part of the tree under root; false when one of them failed.
    static bool LoadShown(Widget& root, quill::ResourceManager& resources, D3D9RenderDevice& device);
    // Release on every part preview under root, shown or not.
    static void ReleaseAll(Widget& root);

    void Update() override;
    // Left button down inside a draggable preview starts a drag (handled); a move while dragging turns and
    // slides the part, button up ends the drag, the wheel inside the rectangle zooms.
    bool OnMouse(uint32_t msg, WParam wParam, LParam lParam) override;

private:
    bool Build(quill::ResourceManager& resources, D3D9RenderDevice& device);
    void PlaceCamera();
    void Draw(D3D9RenderDevice& device);
    void Drag(int32_t x, int32_t y);
    uint32_t Now() const;

    std::unique_ptr<TableModelObject> model_;
    std::optional<quill::Camera> camera_;
    D3D9RenderDevice* device_ = nullptr;
    std::function<uint32_t()> clock_;
    const bool draggable_;
    // Read by the accessors and the mouse handling on the main thread.
    std::atomic<bool> loaded_{false};
    std::atomic<bool> reload_{false};
    std::atomic<bool> dragging_{false};
    std::atomic<int32_t> type_{-1};
    std::atomic<uint32_t> modelId_{0};
    uint32_t lastTick_ = 0;
    int32_t lastMouseX_ = 0;
    int32_t lastMouseY_ = 0;
};

}  // namespace kestrovan
