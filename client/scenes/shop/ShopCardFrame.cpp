#include "client/scenes/shop/ShopCardFrame.h"

#include <memory>

#include "client/scenes/common/ItemPreview.h"
#include "client/ui/Button.h"

namespace kestrovan {

namespace {

constexpr int32_t kCardTexture = 25;

}  // namespace

ShopCardFrame::ShopCardFrame(int32_t controlId, int32_t x, int32_t y) {
    Create(x, y, kWidth, kHeight, controlId, -1);
    button_ = CreateButton(0, 0, kWidth, kHeight, controlId, -1, kCardTexture, 0, 871);
    button_->SetCheckBox();
    button_->SetHorizontalFrames(true);
    button_->SetHoverEvents(true);
    preview_ = static_cast<ItemPreview*>(AddChild(std::make_unique<ItemPreview>(3, 3, 114, 139, false), true));
}

void ShopCardFrame::ClearFrame() {
    button_->SetChecked(false);
    preview_->SetItemId(0);
    Show(false);
}

void ShopCardFrame::SetChecked(bool checked) {
    button_->SetChecked(checked);
}

bool ShopCardFrame::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == button_ && GetParent() != nullptr)
        return GetParent()->OnEvent(this, a, b);
    return Widget::OnEvent(source, a, b);
}

}  // namespace kestrovan
