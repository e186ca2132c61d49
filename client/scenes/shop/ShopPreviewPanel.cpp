#include "client/scenes/shop/ShopPreviewPanel.h"

#include <algorithm>
#include <memory>

#include "client/app/UiTextures.h"
#include "client/scenes/common/ItemPreview.h"

namespace kestrovan {

namespace {

constexpr int32_t kWidth = 305;
constexpr int32_t kHeight = 730;
constexpr int32_t kViewOffset = ShopPreviewPanel::kViewTop - ShopPreviewPanel::kTop;
// The frame's face, stretched over the whole panel.
constexpr int32_t kFaceX = 820, kFaceY = 820, kFaceWidth = 200, kFaceHeight = 50;

}  // namespace

ShopPreviewPanel::ShopPreviewPanel() {
    Create(kLeft, kTop, kWidth, kHeight + kViewOffset, -1, -1);
    SetImage(kShopPanelTexture, kFaceX, kFaceY, kFaceWidth, kFaceHeight, static_cast<float>(kWidth) / kFaceWidth,
             static_cast<float>(kHeight + kViewOffset) / kFaceHeight);
    auto preview = std::make_unique<ItemPreview>(0, kViewOffset, kWidth, kHeight, true);
    preview->SetRotationSpeed(0.0f);
    preview->SetCameraPresetOffset(kPresetOffset);
    preview_ = static_cast<ItemPreview*>(AddChild(std::move(preview), true));
}

void ShopPreviewPanel::SetItemId(uint32_t itemId) {
    preview_->SetItemId(itemId);
}

void ShopPreviewPanel::SetRecord(const ItemModelRecord* record) {
    preview_->SetRecord(record);
}

void ShopPreviewPanel::SetOwnedCue(const quill::InventoryItem& item) {
    preview_->ShowItem(item);
}

void ShopPreviewPanel::SetViewSize(int32_t width, int32_t height) {
    // The view stays on the panel's face (a model drawn past it would stand over the screen's background), and
    // the face ends with the view, at the screen's foot instead of past it.
    const int32_t viewHeight = std::clamp(height, 1, kHeight);
    preview_->SetViewSize(std::clamp(width, 1, kWidth), viewHeight);
    const int32_t panelHeight = viewHeight + kViewOffset;
    SetSize(kWidth, panelHeight);
    SetSourceRect(kFaceX, kFaceY, kFaceWidth, kFaceHeight);
    SetScale(static_cast<float>(kWidth) / kFaceWidth, static_cast<float>(panelHeight) / kFaceHeight);
}

}  // namespace kestrovan
