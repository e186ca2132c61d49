#include "client/scenes/shop/ShopPreviewPanel.h"

#include <algorithm>
#include <memory>

#include "client/scenes/common/ItemPreview.h"

namespace kestrovan {

namespace {

constexpr int32_t kPanelTexture = 25;
constexpr int32_t kWidth = 305;
constexpr int32_t kHeight = 730;

}  // namespace

ShopPreviewPanel::ShopPreviewPanel() {
    Create(kLeft, kTop, kWidth, kHeight + 10, -1, -1);
    // The frame's face is stretched over the whole panel.
    SetImage(kPanelTexture, 820, 820, 200, 50, kWidth / 200.0f, (kHeight + 10) / 50.0f);
    auto preview = std::make_unique<ItemPreview>(0, 10, kWidth, kHeight, true);
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
    // The view stays on the panel's face: a model drawn past it would stand over the screen's background.
    preview_->SetViewSize(std::clamp(width, 1, kWidth), std::clamp(height, 1, kHeight));
}

}  // namespace kestrovan
