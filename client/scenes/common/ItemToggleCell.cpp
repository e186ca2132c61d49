#include "client/scenes/common/ItemToggleCell.h"

#include <memory>

#include "client/app/UiTextures.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/ui/Button.h"

namespace kestrovan {

ItemToggleCell::ItemToggleCell(int32_t controlId, const Look& look) {
    Create(0, 0, look.width, look.height, controlId, -1);
    button_ = CreateButton(0, 0, look.width, look.height, controlId, -1, kGameSecondTexture, look.srcX, look.srcY);
    // Its faces (normal, hovered, chosen, disabled) lie side by side: below a cell lies the windows' own face.
    button_->SetHorizontalFrames(true);
    button_->SetRadio();
    button_->SetHoverEvents(true);
    auto preview = std::make_unique<ItemPreview>(look.previewX, look.previewY, look.previewW, look.previewH, false);
    preview_ = static_cast<ItemPreview*>(AddChild(std::move(preview), true));
}

void ItemToggleCell::ClearToggle() {
    button_->SetChecked(false);
    preview_->SetItemId(0);
    Show(false);
}

bool ItemToggleCell::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == button_ && GetParent() != nullptr) return GetParent()->OnEvent(this, a, b);
    return Widget::OnEvent(source, a, b);
}

}  // namespace kestrovan
