#include "client/scenes/common/ItemSelectCell.h"

#include "client/app/UiFonts.h"
#include "client/scenes/common/CueStatPanel.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/common/TextWithin.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr uint32_t kOrange = 0xFFFF8000;
constexpr uint8_t kOutlined = 2;
// The name, centred at the cell's foot, is cut to the cell's width less its outline and shadow (a longer one
// ran into its neighbours': the cells stand 76 pixels apart), and ends at the foot instead of hanging over it.
constexpr int32_t kNameWidth = ItemSelectCell::kWidth - 5;
constexpr int32_t kNameY = ItemSelectCell::kHeight - 14;

}  // namespace

ItemSelectCell::ItemSelectCell(int32_t controlId)
    : ItemToggleCell(controlId, {.width = kWidth, .height = kHeight, .srcX = 478, .srcY = 34, .previewX = 2,
                                 .previewY = 2, .previewW = 69, .previewH = 174}) {
    shadow_ = CreateTextLabel(-30, kNameY, 133, 16, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0);
    shadow_->SetColors(kBlack, 0);
    name_ = CreateTextLabel(-32, kNameY - 2, 133, 16, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kOutlined);
    name_->SetColors(kWhite, kOrange);
}

void ItemSelectCell::SetItem(const quill::InventoryItem& item) {
    item_ = ItemQuickCell::ItemKey{item.key, item.subKey};
    const quill::WString name = CueStatPanel::CueName(item);
    SetTextWithin(*shadow_, name, kNameWidth);
    SetTextWithin(*name_, name, kNameWidth);
    Preview()->ShowItem(item);
    Show(true);
}

void ItemSelectCell::Clear() {
    item_.reset();
    ClearToggle();
}

}  // namespace kestrovan
