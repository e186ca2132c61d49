#include "client/scenes/common/ItemSelectCell.h"

#include <memory>

#include "client/app/UiFonts.h"
#include "client/scenes/common/CueStatPanel.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

constexpr int32_t kTexture = 15;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kOrange = 0xFFFF8000;

}  // namespace

ItemSelectCell::ItemSelectCell(int32_t controlId) {
    Create(0, 0, kWidth, kHeight, controlId, -1);
    button_ = CreateButton(0, 0, kWidth, kHeight, controlId, -1, kTexture, 478, 34);
    button_->SetRadio();
    button_->SetHoverEvents(true);
    preview_ = static_cast<ItemPreview*>(AddChild(std::make_unique<ItemPreview>(2, 2, 69, 174, false), true));
    shadow_ = CreateTextLabel(-30, 172, 133, 16, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0);
    shadow_->SetColors(kBlack, 0);
    name_ = CreateTextLabel(-32, 170, 133, 16, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0);
    name_->SetColors(kWhite, kOrange);
}

void ItemSelectCell::SetItem(const quill::InventoryItem& item) {
    item_ = ItemQuickCell::ItemKey{item.key, item.subKey};
    const quill::WString name = CueStatPanel::CueName(item);
    shadow_->SetText(name);
    name_->SetText(name);
    preview_->ShowItem(item);
    Show(true);
}

void ItemSelectCell::Clear() {
    item_.reset();
    button_->SetChecked(false);
    preview_->SetItemId(0);
    Show(false);
}

bool ItemSelectCell::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == button_ && GetParent() != nullptr) return GetParent()->OnEvent(this, a, b);
    return Widget::OnEvent(source, a, b);
}

}  // namespace kestrovan
