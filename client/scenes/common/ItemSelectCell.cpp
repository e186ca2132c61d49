#include "client/scenes/common/ItemSelectCell.h"

#include "client/app/UiFonts.h"
#include "client/scenes/common/CueStatPanel.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr uint32_t kOrange = 0xFFFF8000;

}  // namespace

ItemSelectCell::ItemSelectCell(int32_t controlId)
    : ItemToggleCell(controlId, {.width = kWidth, .height = kHeight, .srcX = 478, .srcY = 34, .previewX = 2,
                                 .previewY = 2, .previewW = 69, .previewH = 174}) {
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
    Preview()->ShowItem(item);
    Show(true);
}

void ItemSelectCell::Clear() {
    item_.reset();
    ClearToggle();
}

}  // namespace kestrovan
