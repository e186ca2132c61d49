#include "client/scenes/common/PurchaseItemCard.h"

#include <memory>

#include "client/app/UiFonts.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

constexpr int32_t kTexture = 15;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kOrange = 0xFFFF8000;
constexpr uint32_t kPriceColour = 0xFF4040FF;
constexpr uint32_t kCashCurrency = 1;

}  // namespace

PurchaseItemCard::PurchaseItemCard(int32_t controlId) {
    Create(0, 0, kWidth, kHeight, controlId, -1);
    button_ = CreateButton(0, 0, kWidth, kHeight, controlId, -1, kTexture, 692, 490);
    button_->SetFrameCount(2);
    button_->SetRadio();
    button_->SetHoverEvents(true);
    preview_ = static_cast<ItemPreview*>(AddChild(std::make_unique<ItemPreview>(2, 1, 99, 135, false), true));
    const FontDesc* font = &UiFontAt(UiFont::Regular12);
    level_ = CreateTextLabel(48, 5, 50, 16, font, 0, 0);
    name_ = CreateTextLabel(0, 110, kWidth, 16, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0);
    name_->SetColors(kWhite, kOrange);
    currency_ = CreateTextLabel(8, 122, 30, 16, font, 0, 0);
    price_ = CreateTextLabel(30, 122, 70, 16, font, 0, 0);
    price_->SetColors(kPriceColour, 0);
}

void PurchaseItemCard::SetItem(const quill::ItemRecord& record) {
    item_ = &record;
    const bool levelled = record.category == quill::ItemRecord::kCue && record.requiredLevel > 1;
    level_->Show(levelled);
    if (levelled) level_->SetTextF(u"Lv.%d", static_cast<int32_t>(record.requiredLevel));
    name_->SetText(record.name);
    price_->SetText(FormatMoney(record.prices[0]));
    currency_->SetText(record.currency == kCashCurrency ? u"Cash" : u"Gold");
    preview_->SetItemId(record.id);
    Show(true);
}

void PurchaseItemCard::Clear() {
    item_ = nullptr;
    button_->SetChecked(false);
    preview_->SetItemId(0);
    Show(false);
}

bool PurchaseItemCard::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == button_ && GetParent() != nullptr) return GetParent()->OnEvent(this, a, b);
    return Widget::OnEvent(source, a, b);
}

}  // namespace kestrovan
