#include "client/scenes/common/ItemPreview.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/math/BoundingSphere.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/resource/ModelObject.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/PreviewPass.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/ItemPreviewModel.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

namespace {

constexpr float kViewPitch = 0.5f;     // radians: the camera looks down on the model
constexpr float kFitMargin = 1.15f;    // the model's sphere and a little room around it
constexpr float kMinFov = 0.2f;
constexpr float kMaxFov = 1.6f;
constexpr float kDefaultFov = quill::kPi / 4;
const float kAmbient[4] = {1.0f, 1.0f, 1.0f, 1.0f};

// Grows sphere to enclose the world spheres of the node's subtree.
void Enclose(const quill::ModelObject& node, quill::BoundingSphere& sphere) {
    const quill::BoundingSphere& own = node.pose.worldSphere;
    if (own.radius >= 0.0f) {
        if (sphere.radius < 0.0f) {
            sphere = own;
        } else {
            const quill::Vec3 offset = own.centre - sphere.centre;
            const float gap = offset.Length();
            if (gap + own.radius > sphere.radius) {
                const float radius = (sphere.radius + gap + own.radius) / 2.0f;
                if (gap > 0.0f) sphere.centre = sphere.centre + offset * ((radius - sphere.radius) / gap);
                sphere.radius = radius;
            }
        }
    }
    for (const auto& child : node.Children()) Enclose(*child, sphere);
}

}  // namespace

ItemPreview::ItemPreview(int32_t x, int32_t y, int32_t width, int32_t height, bool rotatable)
    : OrbitPreview(rotatable) {
    Create(x, y, width, height, -1, -1);
    viewWidth_ = width;
    viewHeight_ = height;
}

ItemPreview::~ItemPreview() {
    ReleaseModel();
}

void ItemPreview::Restart(const ItemModelRecord* record) {
    if (loaded_) reload_ = true;
    loaded_ = false;
    EndDrag();
    record_ = record;
    present_ = record != nullptr;
}

void ItemPreview::SetItemId(uint32_t itemId) {
    itemId_ = itemId;
    Restart(itemId != 0 ? TheItemModelCatalogue().FindById(itemId) : nullptr);
}

void ItemPreview::SetRecord(const ItemModelRecord* record) {
    Restart(record);
}

void ItemPreview::ShowItem(const quill::InventoryItem& item) {
    const ItemModelRecord* model = TheItemModelCatalogue().FindById(item.typeCode);
    // Every personal cue is the tuned cue's model with its own parts: one whose type the catalogue lists no
    // record of (a tuning cue of a later family) is drawn from the custom cue's record.
    if (item.customFlag != 0 && model == nullptr) {
        model = TheItemModelCatalogue().FindById(quill::InventoryItem::kCustomCueType);
    }
    if (item.customFlag == 0 || model == nullptr || model->kind != ItemModelKind::kCue) {
        SetItemId(item.typeCode);
        return;
    }
    auto tuned = std::make_unique<ItemModelRecord>(*model);
    for (uint32_t slot = 0; slot < ItemModelRecord::kPartSlots; ++slot) {
        tuned->SetPart(slot, static_cast<int16_t>(item.statValues[slot]), quill::TheCuePartCatalogue());
    }
    WidgetToolkit::CheckTreeAccess("ItemPreview::ShowItem");
    itemId_ = item.typeCode;
    Restart(tuned.get());
    // The previous copy goes only now: the main thread builds under the widget-tree lock.
    ownRecord_ = std::move(tuned);
}

void ItemPreview::SetViewSize(int32_t width, int32_t height) {
    SetSize(width - 1, height - 1);
    viewWidth_ = width;
    viewHeight_ = height;
    if (loaded_) reload_ = true;
    loaded_ = false;
    present_ = record_ != nullptr;
}

void ItemPreview::ReleaseModel() {
    WidgetToolkit::CheckTreeAccess("ItemPreview::ReleaseModel");
    reload_ = false;
    if (model_) model_->Release();
    camera_.reset();
    loaded_ = false;
}

float ItemPreview::DistanceFor(const ItemModelRecord& record, float override) {
    if (override != 0.0f) return override;
    switch (record.kind) {
        case ItemModelKind::kCue:
        case ItemModelKind::kBallSet:
            return kCueDistance;
        case ItemModelKind::kTable:
            return kTableDistance;
        default:
            return kOtherDistance;
    }
}

bool ItemPreview::LoadModel(quill::ResourceManager& resources, D3D9RenderDevice& device) {
    WidgetToolkit::CheckTreeAccess("ItemPreview::LoadModel");
    device_ = &device;
    const ItemModelRecord* record = record_;
    if (record == nullptr) return true;
    if (reload_) ReleaseModel();
    if (!present_) return true;
    present_ = false;
    if (!model_ || resources_ != &resources) {
        model_ = std::make_unique<ItemPreviewModel>(resources);
        resources_ = &resources;
    }
    model_->SetLevelOffset(presetOffset_);
    model_->SetRecord(record);
    if (!model_->BuildModel(device) || model_->Models().empty()) {
        model_->Release();
        return false;
    }
    // A cue in a view half as tall again as wide or taller (a cue place, a cue window's cell, the school's gift)
    // stands upright, its tip at the top: lying across so narrow a view it would show as a short line.
    PlaceCamera(DistanceFor(*record, distanceOverride_),
                record->kind == ItemModelKind::kCue && 2 * viewHeight_ >= 3 * viewWidth_);
    loaded_ = true;
    StartTurn();
    return true;
}

// The camera looks down on the model's centre from the distance, its field of view wide enough for the model's
// sphere across the view (up it, for an upright model). A model too long for the widest field of view at that
// distance (a cue seen from a cue's distance) moves the camera back until it fits, so that the item is shown
// whole inside the view. The wheel keeps the camera between half and twice the distance it was placed at.
void ItemPreview::PlaceCamera(float distance, bool upright) {
    quill::BoundingSphere sphere;
    for (const auto& model : model_->Models()) {
        model->Object().UpdateWorldTransform();
        Enclose(model->Object(), sphere);
    }
    const quill::Vec3 target = sphere.radius >= 0.0f ? sphere.centre : quill::Vec3{};
    const float across = static_cast<float>(std::max(viewWidth_, 1));
    const float down = static_cast<float>(std::max(viewHeight_, 1));
    float fov = kDefaultFov;
    if (sphere.radius > 0.0f) {
        distance = std::max(distance, kFitMargin * sphere.radius / std::tan(kMaxFov / 2.0f));
        // The angle that holds the sphere across the view's width (the items lie flat or along their length,
        // so their width is what must fit), or up an upright one's height, where the horizontal angle is that
        // narrowed by the view's shape.
        const float half = std::atan(kFitMargin * sphere.radius / distance);
        fov = upright ? 2.0f * std::atan(std::tan(half) * across / down) : 2.0f * half;
        fov = std::clamp(fov, kMinFov, kMaxFov);
    }
    camera_.emplace(u"ItemPreview");
    camera_->SetProjection(0.0f, 0.0f, fov, down / across, distance / 20.0f, distance * 20.0f);
    const quill::Vec3 eye = target + quill::Vec3{0.0f, -std::cos(kViewPitch), std::sin(kViewPitch)} * distance;
    if (upright) {
        // Up towards the tip (-x): turning then spins the cue about its length.
        camera_->SetFrame(eye, target, {-1.0f, 0.0f, 0.0f}, {0.0f, -std::sin(kViewPitch), -std::cos(kViewPitch)});
    } else {
        camera_->SetFrame(eye, target, {0.0f, 0.0f, 1.0f}, {-1.0f, 0.0f, 0.0f});
    }
    camera_->SetMinDistance(distance * kNearestFactor);
    camera_->SetMaxDistance(distance * kFarthestFactor);
}

void ItemPreview::Turn() {
    const uint32_t elapsed = TakeElapsed();
    const float speed = rotationSpeed_;
    if (!IsDragging() && speed != 0.0f) {
        camera_->OrbitDegrees(static_cast<float>(elapsed) / 100.0f * speed, 0.0f, false);
    }
}

void ItemPreview::Update() {
    WidgetToolkit::CheckTreeAccess("ItemPreview::Update");
    if (!IsVisible() || !loaded_ || device_ == nullptr || !camera_) return;
    Draw(*device_);
}

void ItemPreview::Draw(D3D9RenderDevice& device) {
    const WidgetRect rect = GetRect();
    const PreviewPass pass(device, rect.left, rect.top, rect.left + viewWidth_, rect.top + viewHeight_);
    if (!pass.Open()) return;
    device.Clear(false, true);
    device.Begin3D(quill::SceneEnvironment{kAmbient, nullptr, &*camera_});
    device.AddDirectionalLight(DirectionalLightDesc{0, 1.0f, 1.0f, 1.0f, 1.0f, 1, 1, -1.0f, 1.0f, -1.0f});
    device.EnableLights(true, true, true);
    device.SetAmbientColor(1.0f, 1.0f, 1.0f, 0.75f);
    Turn();
    const bool ballSet = model_->Models().size() > 1;
    for (const auto& model : model_->Models()) {
        if (!ballSet) model->AdvanceAnimation(1.0f);
        model->PrepareForView(*camera_);
        model->Draw(device, 1.0f);
    }
}

void ItemPreview::Drag(quill::Camera& camera, int32_t dx, int32_t dy) {
    camera.OrbitDegrees(static_cast<float>(-dx) / 2.0f, static_cast<float>(dy) / 2.0f, true);
}

}  // namespace kestrovan
