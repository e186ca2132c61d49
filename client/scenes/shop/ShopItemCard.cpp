#include "client/scenes/shop/ShopItemCard.h"

#include "client/app/UiFonts.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/shop/ShopItemTexts.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

ShopItemCard::ShopItemCard(int32_t controlId, int32_t x, int32_t y) : ShopCardFrame(controlId, x, y) {
    const FontDesc* font = &UiFontAt(UiFont::Regular12);
    gameTypes_ = CreateTextLabel(4, 8, 112, 20, font, 0, 0);
    gameTypes_->SetColors(kYellow, 0);
    level_ = CreateTextLabel(48, 5, 60, 20, font, 0, 0);
    name_ = CreateTextLabel(0, 112, 120, 20, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0);
    currency_ = CreateTextLabel(10, 127, 40, 20, font, 0, 0);
    price_ = CreateTextLabel(30, 127, 80, 20, font, TextLabel::kAlignRight, 0);
    Show(false);
}

void ShopItemCard::SetItem(const ShopItemText& row) {
    row_ = &row;
    const ShopCardTexts texts = ShopItemTexts::Card(row);
    gameTypes_->Show(texts.gameTypesShown);
    gameTypes_->SetText(texts.gameTypes);
    level_->Show(texts.levelShown);
    level_->SetText(texts.level);
    name_->SetText(texts.name);
    price_->SetText(texts.price);
    currency_->SetText(texts.currency);
    Preview()->SetItemId(row.itemId);
    Show(true);
}

void ShopItemCard::Clear() {
    row_ = nullptr;
    ClearFrame();
}

}  // namespace kestrovan
