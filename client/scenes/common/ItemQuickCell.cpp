#include "client/scenes/common/ItemQuickCell.h"

#include <memory>

#include "QuillLib/gamedata/ItemRecord.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/ui/Button.h"

namespace kestrovan {

namespace {

constexpr int32_t kCellSourceX = 800;

}  // namespace

ItemQuickCell::ItemQuickCell(int32_t controlId) {
    Create(0, 0, kSize, kSize, controlId, -1);
    button_ = CreateButton(1, 1, kSize, kSize, controlId, -1, kGameSecondTexture, kCellSourceX, 0);
    button_->SetFrameCount(2);
    button_->SetHorizontalFrames(true);
    button_->SetHoverEvents(true);
    preview_ = static_cast<ItemPreview*>(AddChild(std::make_unique<ItemPreview>(-1, -1, 32, 32, false), true));
}

void ItemQuickCell::SetItem(const quill::InventoryItem& item) {
    item_ = ItemKey{item.key, item.subKey};
    preview_->SetCameraDistance(item.kind == quill::ItemRecord::kCue ? kCueDistance : kItemDistance);
    preview_->ShowItem(item);
    Show(true);
}

void ItemQuickCell::Clear() {
    item_.reset();
    preview_->SetItemId(0);
    Show(false);
}

bool ItemQuickCell::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == button_) {
        if (a == Button::kEnterEvent) preview_->SetRotationSpeed(kHoverSpin);
        if (a == Button::kLeaveEvent) preview_->SetRotationSpeed(0.0f);
        if (GetParent() != nullptr) return GetParent()->OnEvent(this, a, b);
    }
    return Widget::OnEvent(source, a, b);
}

}  // namespace kestrovan
