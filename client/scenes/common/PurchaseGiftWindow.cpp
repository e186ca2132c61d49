#include "client/scenes/common/PurchaseGiftWindow.h"

#include <algorithm>

#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/PurchaseItemCard.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

PurchaseGiftWindow::PurchaseGiftWindow(AppEventPoster poster, CashRefused cashRefused, MouseReposter reposter)
    : SlidingItemWindow(464, 648, kScrollBarId, u"닫기(~)", std::move(reposter)),
      poster_(std::move(poster)),
      cashRefused_(std::move(cashRefused)) {
    for (uint32_t id : kOfferIds) {
        if (const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(id)) offers_.push_back(record);
    }
    for (size_t i = 0; i < kCards; ++i) {
        auto card = std::make_unique<PurchaseItemCard>(kFirstCardId + static_cast<int32_t>(i));
        cards_[i] = static_cast<PurchaseItemCard*>(AddChild(std::move(card), false));
        cards_[i]->SetPosition(15 + 108 * static_cast<int32_t>(i), 33);
    }
    for (size_t n = 0; n < lines_.size(); ++n) {
        const int32_t y = 190 + 18 * static_cast<int32_t>(n);
        lines_[n] = CreateTextLabel(20, y, 400, 16, &UiFontAt(UiFont::Regular12), 0, 0);
    }
    purchase_ = AddActionButton(kPurchaseId, 180, u"Purchase");
    gift_ = AddActionButton(kGiftId, 200, u"Make a gift");
    SetCells(std::vector<ItemToggleCell*>(cards_.begin(), cards_.end()),
             [this](size_t i) { return cards_[i]->Item() != nullptr; });
}

Button* PurchaseGiftWindow::AddActionButton(int32_t id, int32_t y, const char16_t* caption) {
    Button* button = CreateButton(374, y, 86, 20, id, -1, 14, 753, 102);
    button->SetFrameCount(2);
    button->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
    button->SetCaption(caption);
    return button;
}

void PurchaseGiftWindow::OnShow() {
    SlidingItemWindow::OnShow();
    selected_ = nullptr;
    StartSlideIn();
    purchase_->Show(false);
    gift_->Show(false);
    Describe(nullptr);
    Refresh();
}

void PurchaseGiftWindow::Refresh() {
    const bool noCash = cashRefused_ && cashRefused_();
    offerCount_ = 0;
    size_t shown = 0;
    for (const quill::ItemRecord* offer : offers_) {
        if (noCash && offer->currency == quill::ItemRecord::kCurrencyCash) continue;
        ++offerCount_;
        if (offerCount_ < ScrollOffset() || shown == kCards) continue;
        PurchaseItemCard& card = *cards_[shown++];
        card.SetItem(*offer);
        card.GetButton()->SetChecked(offer == selected_);
    }
    for (size_t i = shown; i < kCards; ++i) cards_[i]->Clear();
    SetScrollCount(offerCount_);
}

void PurchaseGiftWindow::Describe(const quill::ItemRecord* offer) {
    for (TextLabel* line : lines_) line->Show(offer != nullptr);
    if (offer == nullptr) return;
    lines_[0]->SetTextF(u"Buy %s item..", offer->name);
    lines_[1]->SetText(u"Please refer to the item shop to see the details.");
}

bool PurchaseGiftWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == purchase_ || source == gift_) {
        if (poster_) poster_(quill::AppEventId::ItemDialogResult, source == purchase_ ? 1 : 2, 0, 0);
        return true;
    }
    return SlidingItemWindow::OnEvent(source, a, b);
}

void PurchaseGiftWindow::ShowHovered(size_t card) {
    Describe(cards_[card]->Item());
}

void PurchaseGiftWindow::ShowChosen() {
    Describe(selected_);
}

void PurchaseGiftWindow::Choose(size_t card) {
    selected_ = cards_[card]->Item();
    Describe(selected_);
    purchase_->Show(true);
    gift_->Show(true);
}

}  // namespace kestrovan
