#include "client/scenes/shop/MembershipDialog.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/BoxFace.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/TextEntry.h"
#include "client/scenes/shop/ShopWidgets.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

MembershipDialog::MembershipDialog(Services services)
    : PopupWindow(0, 0, 350, 338, Face{}, sound_id::kWindowOpen, sound_id::kPopup), services_(std::move(services)) {
    StretchBoxFace(*this);
    SetModal(true);
    AddTitle(15, 8, 320, u"Kestrovan클럽 멤버십 가입");
    standard_ = AddToggle(kStandard, 22, 45, 150, u"Kestrovan클럽 스탠다드");
    plus_ = AddToggle(kPlus, 183, 45, 150, u"Kestrovan클럽 플러스");
    for (Button* kind : {standard_, plus_}) kind->GetCaption()->SetColors(kYellow, 0);
    AddText(20, 85, 100, u"보유 캐시 :", kWhite);
    cash_ = AddText(114, 85, 200, u"", kGreen);
    AddText(20, 115, 60, u"기간 :", kWhite);
    periods_[0] = AddToggle(kDays30, 80, 110, 20, u"");
    periods_[1] = AddToggle(kDays90, 80, 130, 20, u"");
    priceLabels_[0] = AddText(105, 115, 220, u"", kWhite);
    priceLabels_[1] = AddText(105, 135, 220, u"", kWhite);
    AddText(20, 165, 110, u"구입후 캐시 :", kWhite);
    after_ = AddText(130, 165, 200, u"", kWhite);
    AddText(20, 185, 110, u"큐머니 지급 :", kWhite);
    cueMoney_ = AddText(130, 185, 200, u"", kWhite);
    giftBox_ = AddToggle(kGiftBox, 20, 210, 20, u"");
    AddText(45, 212, 80, u"선물하기", kWhite);
    recipient_ =
        AddTextEntry(*this, 130, 215, 200, 18, kRecipientBytes, kWhite, kDarkEntryField);
    AddText(30, 245, 300, u"※ 멤버십 종류 변경과 연장 기능은", kWhite);
    AddText(30, 265, 300, u"   당분간 사용이 불가능합니다.", kWhite);
    AddButton(kBuy, 50, 295, -1, 85, u"Buy", kCommonTexture, 0, 82, 22);
    AddButton(kCancel, 200, 295, platform::Vk::Escape, 170, u"Cancel", kCommonTexture, 0, 82, 22);
    AddButton(kPicture, 300, 6, -1, 255, u"?", kCommonTexture, 0, 30, 22);
}

TextLabel* MembershipDialog::AddText(int32_t x, int32_t y, int32_t w, quill::WStringView text, uint32_t colour) {
    return AddShopText(*this, x, y, w, text, colour);
}

Button* MembershipDialog::AddToggle(int32_t id, int32_t x, int32_t y, int32_t w, quill::WStringView caption) {
    return AddShopToggle(*this, id, x, y, w, 20, caption);
}

MembershipChoice MembershipDialog::Choice() const {
    return choice_;
}

quill::WString MembershipDialog::Recipient() const {
    return recipient_->GetText();
}

quill::WString MembershipDialog::Money(int64_t value) const {
    return services_.formatMoney ? services_.formatMoney(value) : quill::Format(u"%I64d", value);
}

void MembershipDialog::OnShow() {
    Window::OnShow();
    choice_ = MembershipChoice{};
    giftBox_->SetChecked(false);
    recipient_->SetText(u"");
    recipient_->SetEnabled(false);
    periods_[0]->SetChecked(true);
    periods_[1]->SetChecked(false);
    CentreOnScreen(*this);
    ApplyKindFromMembership();
    UpdatePrices();
}

void MembershipDialog::ApplyKindFromMembership() {
    SetKind(MembershipRules::KindForFlag(services_.membership ? services_.membership() : 0));
    cash_->SetTextF(u"%s", Money(services_.cash ? services_.cash() : 0));
}

void MembershipDialog::SetKind(int32_t kind) {
    choice_.kind = kind;
    standard_->SetChecked(kind == MembershipRules::kStandard);
    plus_->SetChecked(kind == MembershipRules::kPlus);
}

void MembershipDialog::UpdatePrices() {
    const MembershipChoice choice = Choice();
    const int64_t price = MembershipRules::Price(choice.kind, choice.period);
    price_ = price;
    priceLabels_[0]->SetTextF(u"%6s 원 : 30일", Money(MembershipRules::Price(choice.kind, 1)));
    priceLabels_[1]->SetTextF(u"%6s 원 : 90일", Money(MembershipRules::Price(choice.kind, 2)));
    const int64_t cash = services_.cash ? services_.cash() : 0;
    after_->SetText(Money(cash - price));
    const int64_t given = MembershipRules::CueMoneyGiven(choice.kind, choice.period);
    if (given > 0) {
        cueMoney_->SetTextF(u"%s 즉시 지급", Money(given));
    } else {
        cueMoney_->SetText(u"없음");
    }
}

void MembershipDialog::ShowCueMoneyNotice() {
    if (services_.showNotice)
        services_.showNotice(u"받는 사람에게 큐머니는 지급되지 않습니다.", u"큐머니는 본인 계정으로 지급되므로 유의하세요.");
}

void MembershipDialog::OnGiftBox() {
    const bool gift = giftBox_->IsChecked();
    choice_.mode = gift ? 2 : 1;
    recipient_->SetEnabled(gift);
    if (!gift) {
        recipient_->SetText(u"");
        ApplyKindFromMembership();
    }
    UpdatePrices();
    const MembershipChoice choice = Choice();
    if (choice.mode == 2 && choice.kind == MembershipRules::kPlus) ShowCueMoneyNotice();
}

void MembershipDialog::OnKind(int32_t wanted) {
    const MembershipChoice choice = Choice();
    const uint8_t flag = services_.membership ? services_.membership() : 0;
    if (const auto refusal = MembershipRules::CheckKind(wanted, choice.mode, flag)) {
        // The kind stays; only the basic membership's refusal releases both buttons.
        if (flag == 1) {
            standard_->SetChecked(false);
            plus_->SetChecked(false);
        } else {
            SetKind(choice.kind);
        }
        if (services_.showNotice) services_.showNotice(refusal->line0, refusal->line1);
    } else {
        SetKind(wanted);
        if (choice.mode == 2 && wanted == MembershipRules::kPlus) ShowCueMoneyNotice();
    }
    UpdatePrices();
}

void MembershipDialog::OnBuy() {
    const MembershipChoice choice = Choice();
    const uint8_t flag = services_.membership ? services_.membership() : 0;
    const int64_t cash = services_.cash ? services_.cash() : 0;
    const quill::WString nickname = services_.nickname ? services_.nickname() : quill::WString{};
    if (const auto refusal = MembershipRules::CheckBuy(choice, flag, cash, Recipient(), nickname)) {
        if (refusal->error) {
            if (services_.showError) services_.showError(refusal->line0);
        } else if (services_.showNotice) {
            services_.showNotice(refusal->line0, refusal->line1);
        }
        return;
    }
    SetVisible(false);
    if (services_.poster) services_.poster(quill::AppEventId::MembershipBuy, 0, 0, 0);
}

bool MembershipDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    switch (id) {
        case kGiftBox:
            OnGiftBox();
            return true;
        case kDays30:
        case kDays90: {
            choice_.period = id - 49;
            periods_[0]->SetChecked(id == kDays30);
            periods_[1]->SetChecked(id == kDays90);
            UpdatePrices();
            return true;
        }
        case kBasic:
        case kStandard:
        case kPlus:
            OnKind(id - 60);
            return true;
        case kBuy:
            OnBuy();
            return true;
        case kCancel:
            SetVisible(false);
            return true;
        case kPicture:
            if (services_.poster) services_.poster(quill::AppEventId::PictureWindowOpen, 0, 0, 0);
            return true;
        default:
            return PopupWindow::OnEvent(source, a, b);
    }
}

}  // namespace kestrovan
