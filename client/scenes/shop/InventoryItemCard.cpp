#include "client/scenes/shop/InventoryItemCard.h"

#include "client/app/UiFonts.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/shop/ShopItemTexts.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr int32_t kMarkTexture = 28;

}  // namespace

InventoryItemCard::InventoryItemCard(int32_t controlId, int32_t x, int32_t y) : ShopCardFrame(controlId, x, y) {
    name_ = CreateTextLabel(0, 125, 120, 20, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0);
    mark_ = CreateImage(92, 3, 26, 26, kMarkTexture, 392, 372);
    status_ = CreateTextLabel(8, 6, 50, 20, &UiFontAt(UiFont::Regular12), 0, 0);
    status_->SetColors(kYellow, 0);
    Show(false);
}

void InventoryItemCard::SetItem(const quill::ItemRecord& record, const quill::InventoryItem* owned) {
    const InventoryCardTexts texts = ShopItemTexts::InventoryCard(record, owned);
    name_->SetText(texts.name);
    mark_->Show(texts.markShown);
    status_->Show(texts.statusShown);
    status_->SetText(texts.status);
    if (owned != nullptr) {
        key_ = static_cast<int64_t>(static_cast<uint64_t>(owned->subKey) << 32 | owned->key);
        Preview()->ShowItem(*owned);
    } else {
        key_.reset();
        Preview()->SetItemId(record.id);
    }
    Show(true);
}

void InventoryItemCard::Clear() {
    key_.reset();
    ClearFrame();
}

}  // namespace kestrovan
