#include "client/scenes/common/ItemQuickCell.h"

#include "client/ui/Button.h"

namespace kestrovan {

namespace {

constexpr int32_t kTexture = 15;
constexpr int32_t kSourceX = 800;

}  // namespace

ItemQuickCell::ItemQuickCell(int32_t controlId) {
    Create(0, 0, kSize, kSize, controlId, -1);
    button_ = CreateButton(1, 1, kSize, kSize, controlId, -1, kTexture, kSourceX, 0);
    button_->SetFrameCount(2);
    button_->SetHorizontalFrames(true);
    button_->SetHoverEvents(true);
}

void ItemQuickCell::SetItem(const quill::InventoryItem& item) {
    item_ = ItemKey{item.key, item.subKey};
    Show(true);
}

void ItemQuickCell::Clear() {
    item_.reset();
    Show(false);
}

bool ItemQuickCell::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == button_ && GetParent() != nullptr) return GetParent()->OnEvent(this, a, b);
    return Widget::OnEvent(source, a, b);
}

}  // namespace kestrovan
