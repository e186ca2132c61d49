#pragma once
// A live 3D picture of one item (a cue with its tuning parts, a table, a ball set, chalk or a small item) in a
// rectangle of a 2D screen or dialog. The model turns slowly by itself; a rotatable preview also turns while
// the left button drags it (sideways about the model, up and down over it), and the wheel moves the camera
// nearer or farther, within limits around the kind's distance (OrbitPreview).
//
// The widget builds nothing on its own: its owner's render pass calls LoadModel on every preview each frame,
// which builds the model when a record is waiting and releases a stale one. The model is drawn in the widget's
// Update slot, in the 2D pass after the owner's 3D scene, through the device that LoadModel was given. The
// mouse comes through the widget routing (OrbitPreview). Owners release the model with ReleaseModel when their
// screen is left.
//
// Threads: see the table in client/app/Scene.h; the model is loaded, released and drawn on the main thread only.
#include <atomic>
#include <cstdint>
#include <memory>

#include "client/scenes/common/OrbitPreview.h"

namespace quill {
class ResourceManager;
struct InventoryItem;
}

namespace kestrovan {

class D3D9RenderDevice;
class ItemPreviewModel;
struct ItemModelRecord;

class ItemPreview : public OrbitPreview {
public:
    static constexpr float kCueDistance = 60.0f;  // cues and ball sets
    static constexpr float kTableDistance = 600.0f;
    static constexpr float kOtherDistance = 100.0f;
    // The wheel keeps the camera between these fractions of the distance the model was loaded at.
    static constexpr float kNearestFactor = 0.5f;
    static constexpr float kFarthestFactor = 2.0f;

    // (x, y) relative to the parent given later; no control id. rotatable: the left button may turn it.
    ItemPreview(int32_t x, int32_t y, int32_t width, int32_t height, bool rotatable);
    ~ItemPreview() override;

    // Shows the item model of the catalogue with that id; 0 (or an id without a model) shows nothing.
    void SetItemId(uint32_t itemId);
    // Shows the record (kept by the caller while shown); null shows nothing. The item id stays.
    void SetRecord(const ItemModelRecord* record);
    // Shows an owned item: a personal cue with its own five tuning parts (a copy of its model that the preview
    // keeps), any other item by its type's model.
    void ShowItem(const quill::InventoryItem& item);
    // Resizes the widget and its view; the model is built again for the new size.
    void SetViewSize(int32_t width, int32_t height);
    // Lets go of the model and its camera; the record stays but is built again only when set again.
    void ReleaseModel();
    // The owner's render pass, each frame: releases a stale model and builds the waiting one. False when a
    // model was wanted and could not be built (the preview then shows nothing until its record is set again).
    bool LoadModel(quill::ResourceManager& resources, D3D9RenderDevice& device);

    // Degrees per 100 ms of the automatic turn; 0 stops it.
    void SetRotationSpeed(float degreesPer100Ms) { rotationSpeed_ = degreesPer100Ms; }
    // The camera's distance at load; 0 takes the kind's own.
    void SetCameraDistance(float distance) { distanceOverride_ = distance; }
    // Added to the detail level the model is built at for its kind.
    void SetCameraPresetOffset(int32_t offset) { presetOffset_ = offset; }

    uint32_t ItemId() const { return itemId_; }
    const ItemModelRecord* Record() const { return record_; }
    bool IsLoaded() const { return loaded_; }
    bool IsPresent() const { return present_; }
    // The distance the kind's camera starts at (or the override).
    static float DistanceFor(const ItemModelRecord& record, float override);

    // Draws the loaded model into the widget's rectangle.
    void Update() override;

private:
    void Drag(quill::Camera& camera, int32_t dx, int32_t dy) override;
    void Draw(D3D9RenderDevice& device);
    // upright: the model's length (+x) runs up the view instead of across it.
    void PlaceCamera(float distance, bool upright);
    void Turn();
    // Marks the model stale (when loaded) and the record waiting (when there is one).
    void Restart(const ItemModelRecord* record);

    std::unique_ptr<ItemPreviewModel> model_;
    // The record of a personal cue shown with its own parts.
    std::unique_ptr<ItemModelRecord> ownRecord_;
    quill::ResourceManager* resources_ = nullptr;
    D3D9RenderDevice* device_ = nullptr;
    std::atomic<const ItemModelRecord*> record_{nullptr};
    std::atomic<uint32_t> itemId_{0};
    std::atomic<bool> loaded_{false};
    std::atomic<bool> present_{false};
    std::atomic<bool> reload_{false};
    int32_t viewWidth_ = 0;
    int32_t viewHeight_ = 0;
    float distanceOverride_ = 0.0f;
    std::atomic<float> rotationSpeed_{1.0f};
    int32_t presetOffset_ = 0;
};

}  // namespace kestrovan
