#include "client/scenes/shop/ShopItemDetailPanel.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/shop/ShopWidgets.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr uint32_t kCurrencyGold = 2;
constexpr uint32_t kFirstPackage = 10;
constexpr uint32_t kLastPackage = 14;

// A shop button, hidden until the selection shows it.
Button* AddButton(Widget& parent, int32_t id, int32_t x, int32_t y, int32_t w, int32_t h, const char16_t* caption) {
    Button* button = AddShopButton(parent, x, y, w, h, id, -1, caption);
    button->Show(false);
    return button;
}

}  // namespace

ShopItemDetailPanel::ShopItemDetailPanel(AppEventPoster poster) : poster_(std::move(poster)) {
    Create(2, 442, 548, 250, -1, -1);
    SetImage(kShopPanelTexture, 20, 580, -1, -1, 1.0f, 1.0f);
    for (size_t n = 0; n < description_.size(); ++n) {
        description_[n] = CreateTextLabel(20, 18 * static_cast<int32_t>(n), 524, 18, &UiFontAt(UiFont::Regular12),
                                          TextLabel::kAlignCentre, 0);
    }
    AddCaption(20, 75, u"    규격 :");
    measures_ = AddValue(105, 75, 300);
    AddCaption(20, 90, u"    기능 :");
    function_ = {AddValue(105, 90, 440), AddValue(105, 105, 440)};
    AddCaption(20, 125, u"사용종목 :");
    gameTypes_ = AddValue(105, 125, 300);
    AddCaption(20, 140, u"요구사항 :");
    requirements_ = AddValue(105, 140, 300);
    AddCaption(20, 155, u"주의사항 :");
    caution_ = {AddValue(105, 155, 350), AddValue(105, 170, 350)};
    priceCaption_ = AddCaption(20, 195, u"    가격 :");
    for (size_t n = 0; n < prices_.size(); ++n) {
        const int32_t y = 195 + 15 * static_cast<int32_t>(n);
        prices_[n] = AddValue(105, y, 160);
        bonuses_[n] = AddValue(210, y, 160);
        bonuses_[n]->SetColors(kYellow, 0);
    }
    stateCaption_ = AddCaption(20, 195, u"    상태 : ");
    state_ = AddValue(105, 195, 200);
    periodCaption_ = AddCaption(20, 210, u"사용기간 :");
    period_ = AddValue(105, 210, 200);
    remark_ = AddValue(5, 227, 528);
    picture_ = AddButton(*this, kPicture, 400, 174, 145, 33, u"Details");
    buy_ = AddButton(*this, kBuy, 370, 210, 82, 22, u"Buy");
    gift_ = AddButton(*this, kGift, 458, 210, 82, 22, u"Gift");
    clanGift_ = AddButton(*this, kClanGift, 458, 185, 82, 22, u"Clan gift");
    use_ = AddButton(*this, kUse, 370, 210, 82, 22, u"Use");
    delete_ = AddButton(*this, kDelete, 458, 210, 82, 22, u"Delete");
}

TextLabel* ShopItemDetailPanel::AddCaption(int32_t x, int32_t y, quill::WStringView text) {
    TextLabel* label = CreateTextLabel(x, y, 85, 16, &UiFontAt(UiFont::Bold12), 0, 0);
    label->SetText(text);
    return label;
}

TextLabel* ShopItemDetailPanel::AddValue(int32_t x, int32_t y, int32_t width) {
    return CreateTextLabel(x, y, width, 16, &UiFontAt(UiFont::Regular12), 0, 0);
}

void ShopItemDetailPanel::ShowShopMode(uint8_t clanRank) {
    mode_ = DetailMode::kCatalogue;
    priceCaption_->Show(true);
    for (TextLabel* price : prices_) price->Show(true);
    for (TextLabel* bonus : bonuses_) bonus->Show(true);
    for (TextLabel* label : {stateCaption_, state_, periodCaption_, period_}) label->Show(false);
    PlaceButtons(clanRank);
}

void ShopItemDetailPanel::ShowInventoryMode() {
    mode_ = DetailMode::kOwned;
    priceCaption_->Show(false);
    for (TextLabel* price : prices_) price->Show(false);
    for (TextLabel* bonus : bonuses_) bonus->Show(false);
    for (TextLabel* label : {stateCaption_, state_, periodCaption_, period_}) label->Show(true);
    PlaceButtons(0);
}

void ShopItemDetailPanel::PlaceButtons(uint8_t clanRank) {
    const bool catalogue = mode_ == DetailMode::kCatalogue;
    buy_->Show(catalogue);
    gift_->Show(catalogue);
    const bool cueMoney = row_ != nullptr && row_->record && row_->record->currency == kCurrencyGold;
    clanGift_->Show(catalogue && row_ != nullptr && clanRank == kClanMasterRank && cueMoney);
    picture_->Show(catalogue && row_ != nullptr && row_->itemId >= kFirstPackage && row_->itemId <= kLastPackage);
    use_->Show(!catalogue);
    delete_->Show(!catalogue);
}

void ShopItemDetailPanel::SetItem(const ShopItemText& row, const quill::InventoryItem* owned, uint8_t clanRank) {
    row_ = &row;
    if (owned != nullptr) {
        owned_ = *owned;
        ShowInventoryMode();
    } else {
        owned_.reset();
        ShowShopMode(clanRank);
    }
    FillTexts();
}

void ShopItemDetailPanel::ClearItem() {
    row_ = nullptr;
    owned_.reset();
}

std::optional<int64_t> ShopItemDetailPanel::OwnedKey() const {
    if (!owned_) return std::nullopt;
    return static_cast<int64_t>(static_cast<uint64_t>(owned_->subKey) << 32 | owned_->key);
}

void ShopItemDetailPanel::FillTexts() {
    if (row_ == nullptr) return;
    const ItemModelRecord* model = TheItemModelCatalogue().FindById(row_->itemId);
    const ItemDetailTexts texts = ShopItemTexts::Detail(mode_, *row_, owned_ ? &*owned_ : nullptr, model);
    for (size_t n = 0; n < description_.size(); ++n) {
        description_[n]->Show(n < texts.descriptionLines);
        description_[n]->SetText(texts.description[n]);
    }
    measures_->SetText(texts.measures);
    gameTypes_->SetText(texts.gameTypes);
    requirements_->SetText(texts.requirements);
    for (size_t n = 0; n < 2; ++n) {
        function_[n]->SetText(texts.function[n]);
        caution_[n]->SetText(texts.caution[n]);
    }
    for (size_t n = 0; n < prices_.size(); ++n) {
        prices_[n]->SetText(texts.prices[n]);
        bonuses_[n]->SetText(texts.bonuses[n]);
    }
    state_->SetText(texts.state);
    period_->SetText(texts.period);
    remark_->Show(mode_ == DetailMode::kOwned && texts.remarkShown);
    remark_->SetText(texts.remark);
}

Button* ShopItemDetailPanel::ButtonOf(int32_t id) const {
    for (Button* button : {picture_, buy_, gift_, clanGift_, use_, delete_})
        if (button->GetId() == id) return button;
    return nullptr;
}

bool ShopItemDetailPanel::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (!poster_) return Image::OnEvent(source, a, b);
    switch (id) {
        case kUse:
            poster_(quill::AppEventId::ShopTab1079, 0, 0, 0);
            return true;
        case kDelete:
            poster_(quill::AppEventId::ShopTab1080, 0, 0, 0);
            return true;
        case kPicture:
            poster_(quill::AppEventId::PictureWindowOpen, 0, 0, 0);
            return true;
        case kBuy:
        case kGift:
        case kClanGift:
            poster_(quill::AppEventId::ItemDialogResult, static_cast<uint32_t>(id - kBuy + 1), 0, 0);
            return true;
        default:
            return Image::OnEvent(source, a, b);
    }
}

}  // namespace kestrovan
