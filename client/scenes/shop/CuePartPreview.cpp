#include "client/scenes/shop/CuePartPreview.h"

#include <algorithm>
#include <array>

#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Transform.h"
#include "QuillLib/resource/ModelObject.h"
#include "QuillLib/resource/ResourceManager.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/PreviewPass.h"
#include "client/table/ModelFiles.h"
#include "client/table/TableModelObject.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

namespace {

// The file of each part type in the "Cues" package.
constexpr std::array<const char16_t*, quill::CuePartRecord::kPartTypeCount> kPartFiles = {
    u"TuneShaft", u"TuneButt", u"TuneJoint", u"TuneBumper", u"TuneTip"};

constexpr float kMinPitch = -1.5533431f;
constexpr float kMaxPitch = 1.5690511f;
constexpr float kPitchDegrees = 25.0f;
constexpr float kBumperPitchDegrees = -60.0f;
constexpr float kDegreesPerMs = 1.0f / 50.0f;  // 20 degrees a second
// How far a drag may slide the part along its length: the long parts and the short ones.
constexpr float kLongPartSlide = 30.0f;
constexpr float kShortPartSlide = 6.0f;
const float kAmbient[4] = {1.0f, 1.0f, 1.0f, 1.0f};

bool IsLongPart(int32_t type) {
    return type == quill::CuePartRecord::kShaft || type == quill::CuePartRecord::kButt;
}

}  // namespace

CuePartPreview::CuePartPreview(int32_t x, int32_t y, int32_t width, int32_t height, bool draggable)
    : OrbitPreview(draggable) {
    Create(x, y, width, height, -1, -1);
}

CuePartPreview::~CuePartPreview() {
    Release();
}

void CuePartPreview::SetPart(int32_t type, int16_t partId) {
    WidgetToolkit::CheckTreeAccess("CuePartPreview::SetPart");
    loaded_ = false;
    EndDrag();
    reload_ = false;
    type_ = -1;
    if (type < 0 || type >= static_cast<int32_t>(kPartFiles.size()) || partId < 0) return;
    const quill::CuePartRecord* part =
        quill::TheCuePartCatalogue().Find(static_cast<uint8_t>(type), static_cast<uint16_t>(partId));
    if (part == nullptr) return;
    type_ = type;
    modelId_ = part->modelIndex;
    reload_ = true;
}

bool CuePartPreview::Load(quill::ResourceManager& resources, D3D9RenderDevice& device) {
    WidgetToolkit::CheckTreeAccess("CuePartPreview::Load");
    device_ = &device;
    if (!reload_) {
        // A part cleared since its model was built: nothing is shown any more.
        if (!loaded_ && model_) Release();
        return true;
    }
    Release();
    reload_ = false;
    if (!Build(resources, device)) {
        model_.reset();
        return false;
    }
    PlaceCamera();
    loaded_ = true;
    StartTurn();
    return true;
}

// The tuned cue's model with only the part's own piece shown, in the part's texture from its type's file.
bool CuePartPreview::Build(quill::ResourceManager& resources, D3D9RenderDevice& device) {
    quill::Package* objects = resources.OpenPackage(u"BillObject", false);
    quill::ResourceFile* reflection = ModelFiles::Open(objects, u"reflection");
    if (reflection == nullptr || ModelFiles::Open(objects, u"shadow") == nullptr) return false;
    quill::Package* cues = resources.OpenPackage(u"Cues", false);
    quill::ResourceFile* partFile = ModelFiles::Open(cues, kPartFiles[static_cast<size_t>(type_)]);
    if (partFile == nullptr) return false;
    model_ = ModelFiles::Model(ModelFiles::Open(cues, u"TunningCue"), 0, nullptr);
    if (model_ == nullptr) return false;
    const size_t shown = static_cast<size_t>(type_);
    const auto& pieces = model_->Object().Children();
    for (size_t piece = 0; piece < pieces.size(); ++piece) {
        if (piece != shown) pieces[piece]->SetVisibleRecursive(0);
    }
    quill::SharedPtr<quill::Texture> texture = ModelFiles::Texture(partFile, modelId_);
    if (!texture) return false;
    model_->SetChildTexture(shown, 0, texture);
    ModelFiles::MirrorRoom(*model_, ModelFiles::Texture(reflection, 0), &device);
    quill::Transform placement;
    placement.rotation.FromAxisAngle(-quill::kPi / 2.0f, {0.0f, 1.0f, 0.0f});
    model_->SetTransform(placement);
    return true;
}

void CuePartPreview::PlaceCamera() {
    const WidgetRect rect = GetRect();
    // The widget's rectangle holds its last pixels.
    const float width = static_cast<float>(rect.right - rect.left + 1);
    const float height = static_cast<float>(rect.bottom - rect.top + 1);
    const float distance = IsLongPart(type_) ? kLongPartDistance : kShortPartDistance;
    camera_.emplace(u"CuePartPreview");
    camera_->SetProjection(0.0f, 0.0f, quill::kPi / 4.0f, height / width, 1.0f, kMaxDistance * 20.0f);
    camera_->SetFrame({0.0f, -distance, 0.0f}, {}, {0.0f, 0.0f, 1.0f}, {-1.0f, 0.0f, 0.0f});
    camera_->SetScreenRect(10.0f, 0.3490659f, 80.0f, 0.3490659f);
    camera_->SetMinPitch(kMinPitch);
    camera_->SetMaxPitch(kMaxPitch);
    camera_->SetMinDistance(kMinDistance);
    camera_->SetMaxDistance(kMaxDistance);
    camera_->SetPitchDegrees(type_ == quill::CuePartRecord::kBumper ? kBumperPitchDegrees : kPitchDegrees);
    camera_->SetYawDegrees(0.0f);
    // The short parts ask for 20, nearer than the limits: the camera keeps them at the nearest allowed.
    camera_->SetDistance(distance);
}

void CuePartPreview::Release() {
    WidgetToolkit::CheckTreeAccess("CuePartPreview::Release");
    if (loaded_ && type_ >= 0) reload_ = true;
    model_.reset();
    camera_.reset();
    loaded_ = false;
    EndDrag();
}

float CuePartPreview::LimitDistance(float distance) const {
    return std::clamp(distance, kMinDistance, kMaxDistance);
}

void CuePartPreview::Update() {
    WidgetToolkit::CheckTreeAccess("CuePartPreview::Update");
    if (!IsVisible() || !loaded_ || device_ == nullptr || !camera_ || !model_) return;
    Draw(*device_);
}

void CuePartPreview::Draw(D3D9RenderDevice& device) {
    // The rectangle with its last pixels included.
    const WidgetRect rect = GetRect();
    const PreviewPass pass(device, rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    if (!pass.Open()) return;
    device.Clear(true, true);
    device.Begin3D(quill::SceneEnvironment{kAmbient, nullptr, &*camera_});
    device.SetAmbientColor(1.0f, 1.0f, 1.0f, 1.0f);
    const uint32_t elapsed = TakeElapsed();
    if (!IsDragging()) camera_->OrbitDegrees(static_cast<float>(elapsed) * kDegreesPerMs, 0.0f, false);
    model_->PrepareForView(*camera_);
    model_->Draw(device, 1.0f);
}

void CuePartPreview::Drag(quill::Camera& camera, int32_t dx, int32_t dy) {
    camera.OrbitDegrees(static_cast<float>(-dx) / 2.0f, 0.0f, false);
    const float slide = IsLongPart(type_) ? kLongPartSlide : kShortPartSlide;
    quill::Vec3 target = camera.Frame().target;
    target.z = std::clamp(target.z + static_cast<float>(dy) / 2.0f, -slide, slide);
    camera.MoveTargetTo(target);
}

bool CuePartPreview::LoadShown(Widget& root, quill::ResourceManager& resources, D3D9RenderDevice& device) {
    bool all = true;
    ForEach<CuePartPreview>(root, true, [&](CuePartPreview& preview) { all = preview.Load(resources, device) && all; });
    return all;
}

void CuePartPreview::ReleaseAll(Widget& root) {
    ForEach<CuePartPreview>(root, false, [](CuePartPreview& preview) { preview.Release(); });
}

}  // namespace kestrovan
