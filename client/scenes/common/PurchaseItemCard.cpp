#include "client/scenes/common/PurchaseItemCard.h"

#include "client/app/UiFonts.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr uint32_t kOrange = 0xFFFF8000;
constexpr uint32_t kPriceColour = 0xFF4040FF;
constexpr uint8_t kOutlined = 2;

}  // namespace

PurchaseItemCard::PurchaseItemCard(int32_t controlId)
    : ItemToggleCell(controlId, {.width = kWidth, .height = kHeight, .srcX = 692, .srcY = 490, .previewX = 2,
                                 .previewY = 1, .previewW = 99, .previewH = 135}) {
    const FontDesc* font = &UiFontAt(UiFont::Regular12);
    level_ = CreateTextLabel(48, 5, 50, 16, font, 0, 0);
    name_ = CreateTextLabel(0, 110, kWidth, 16, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kOutlined);
    name_->SetColors(kWhite, kOrange);
    currency_ = CreateTextLabel(8, 122, 30, 16, font, 0, 0);
    // The price ends at the card's right edge, clear of "Cash" or "Gold" before it, its blue outlined in white
    // so that it reads on the card's face.
    price_ = CreateTextLabel(30, 122, 70, 16, font, TextLabel::kAlignRight, kOutlined);
    price_->SetColors(kPriceColour, kWhite);
}

void PurchaseItemCard::SetItem(const quill::ItemRecord& record) {
    item_ = &record;
    const bool levelled = record.category == quill::ItemRecord::kCue && record.requiredLevel > 1;
    level_->Show(levelled);
    if (levelled) level_->SetTextF(u"Lv.%d", static_cast<int32_t>(record.requiredLevel));
    name_->SetText(record.name);
    price_->SetText(FormatMoney(record.prices[0]));
    currency_->SetText(record.currency == quill::ItemRecord::kCurrencyCash ? u"Cash" : u"Gold");
    Preview()->SetItemId(record.id);
    Show(true);
}

void PurchaseItemCard::Clear() {
    item_ = nullptr;
    ClearToggle();
}

}  // namespace kestrovan
