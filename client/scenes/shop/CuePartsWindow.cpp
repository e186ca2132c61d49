#include "client/scenes/shop/CuePartsWindow.h"

#include <memory>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/common/RequestSender.h"
#include "client/scenes/shop/CuePartThumbnail.h"
#include "client/scenes/shop/CueRequests.h"
#include "client/scenes/shop/ShopPreviewPanel.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

using quill::Format;

namespace {

constexpr std::array<const char16_t*, kCuePartTypeCount> kTabCaptions{u"상대 선택", u"하대 선택", u"조인트 선택",
                                                                      u"범퍼 선택", u"큐팁 선택"};
constexpr float kLargeViewDistance = 170.0f;
constexpr float kLargeViewSpeed = 4.0f;

const quill::CuePartRecord* FindPart(uint8_t type, uint16_t id) {
    return quill::TheCuePartCatalogue().Find(type, id);
}

}  // namespace

CuePartsWindow::CuePartsWindow(WorkshopHost& host) : WorkshopWindow(host, 623, 383) {
    SetModal(true);
    AddTitle(14, 7, 300, u"파츠 구입");
    for (size_t t = 0; t < kCuePartTypeCount; ++t)
        tabs_[t] = AddToggle(kFirstTab + static_cast<int32_t>(t), 190 + 84 * static_cast<int32_t>(t), 40, 82, 22,
                             kTabCaptions[t]);
    for (size_t n = 0; n < kThumbnails; ++n) {
        const int32_t x = 215 + 84 * static_cast<int32_t>(n);
        auto thumbnail = std::make_unique<CuePartThumbnail>(x, 70, kFirstThumbnail + static_cast<int32_t>(n));
        thumbnails_[n] = static_cast<CuePartThumbnail*>(AddChild(std::move(thumbnail), false));
    }
    previous_ = AddCommand(kPreviousPage, 190, 120, u"<", 22);
    next_ = AddCommand(kNextPage, 556, 120, u">", 22);
    const char16_t* captions[] = {u"부품명칭 :", u"가    격 :", u"요구사항 :", u"기    능 :"};
    for (int32_t n = 0; n < 4; ++n) AddText(190, 205 + 20 * n, 80, captions[n]);
    name_ = AddText(270, 205, 150, u"", kYellow);
    price_ = AddText(270, 225, 150, u"", kYellow);
    level_ = AddText(270, 245, 150, u"", kYellow);
    function_[0] = AddText(270, 265, 150, u"", kYellow);
    function_[1] = AddText(270, 283, 150, u"", kYellow);
    const char16_t* money[] = {u"보유캐시 :", u"캐시비용 :", u"보유큐머니 :", u"큐머니비용 :"};
    for (int32_t n = 0; n < 4; ++n) AddText(430, 205 + 20 * n, 90, money[n]);
    cash_ = AddText(520, 205, 100, u"", kYellow);
    cashTotal_ = AddText(520, 225, 100, u"", kYellow);
    cueMoney_ = AddText(520, 245, 100, u"", kYellow);
    cueMoneyTotal_ = AddText(520, 265, 100, u"", kYellow);
    AddCommand(kOk, 240, 340, u"구입");
    AddCommand(kReset, 330, 340, u"초기화");
    AddCommand(kGuide, 420, 340, u"가이드");
    AddCommand(kClose, 510, 340, u"닫기");
}

CueParts CuePartsWindow::Present() const {
    return cue_ ? cue_->statValues : CueParts{};
}

void CuePartsWindow::Open(const quill::InventoryItem& cue) {
    cue_ = cue;
    chosen_ = cue.statValues;
    for (size_t t = 0; t < kCuePartTypeCount; ++t) {
        lists_[t].clear();
        for (uint16_t id = 0; id < kListSizes[t]; ++id) lists_[t].push_back(id);
        pageStart_[t] = 1;
    }
    ApplyChoice();
    FillThumbnails();
}

void CuePartsWindow::OnShow() {
    totals_ = {};
    SelectTab(type_);
    WorkshopWindow::OnShow();
}

void CuePartsWindow::OnHide() {
    if (shopPreview_ != nullptr) shopPreview_->Show(false);
    WorkshopWindow::OnHide();
}

void CuePartsWindow::ApplyChoice() {
    if (!cue_ || shopPreview_ == nullptr) return;
    quill::InventoryItem shown = *cue_;
    shown.statValues = chosen_;
    shopPreview_->SetOwnedCue(shown);
    shopPreview_->Preview()->SetCameraDistance(kLargeViewDistance);
    shopPreview_->Preview()->SetRotationSpeed(kLargeViewSpeed);
    shopPreview_->Show(true);
}

void CuePartsWindow::SelectTab(size_t type) {
    type_ = type;
    for (size_t t = 0; t < kCuePartTypeCount; ++t) tabs_[t]->SetChecked(t == type);
    FillThumbnails();
}

void CuePartsWindow::FillThumbnails() {
    const std::vector<uint16_t>& list = lists_[type_];
    const auto first = static_cast<size_t>(pageStart_[type_] - 1);
    for (size_t n = 0; n < kThumbnails; ++n) {
        if (first + n < list.size()) {
            const uint16_t id = list[first + n];
            thumbnails_[n]->SetPart(static_cast<int32_t>(type_), static_cast<int16_t>(id), id == chosen_[type_]);
        } else {
            thumbnails_[n]->Clear();
        }
    }
    previous_->Show(pageStart_[type_] != 1);
    next_->Show(static_cast<int32_t>(list.size()) >= pageStart_[type_] + static_cast<int32_t>(kThumbnails));
    RefreshTexts();
}

void CuePartsWindow::RefreshTexts() {
    const auto type = static_cast<uint8_t>(type_);
    const CueParts present = Present();
    name_->SetText(Format(u"%s %d번", quill::GetItemAttributeName(type), chosen_[type] + 1));
    const quill::CuePartRecord* part = FindPart(type, chosen_[type]);
    const WorkshopWallet wallet = Wallet();
    if (part == nullptr) {
        price_->SetText(u"");
        level_->SetText(u"");
        function_[0]->SetText(u"");
        function_[1]->SetText(u"");
    } else {
        if (chosen_[type] == present[type])
            price_->SetText(u"변경 안함");
        else
            price_->SetText(Format(part->currency == CueRules::kCashCurrency ? u"%s (캐시)" : u"%s (큐머니)",
                                   FormatMoney(part->price)));
        level_->SetText(CueRules::LevelText(part->requiredLevel));
        level_->SetColors(part->requiredLevel > wallet.level ? CueRules::kLevelTooHigh : kYellow, 0);
        const std::array<quill::WString, 2> lines = CueRules::FunctionLines(*part, false);
        function_[0]->SetText(lines[0]);
        function_[1]->SetText(lines[1]);
    }
    totals_ = CueRules::PartsTotals(chosen_, present, FindPart);
    cash_->SetText(FormatMoney(wallet.cash));
    cashTotal_->SetText(FormatMoney(totals_.cash));
    cueMoney_->SetText(FormatMoney(wallet.cueMoney));
    cueMoneyTotal_->SetText(FormatMoney(totals_.cueMoney));
}

bool CuePartsWindow::OnClick(int32_t id) {
    const int32_t thumbnail = id - kFirstThumbnail;
    if (thumbnail >= 0 && thumbnail < static_cast<int32_t>(kThumbnails)) {
        const int16_t part = thumbnails_[static_cast<size_t>(thumbnail)]->PartId();
        if (part < 0) return true;
        if (FindPart(static_cast<uint8_t>(type_), static_cast<uint16_t>(part)) == nullptr) {
            // Listed but not in the catalogue: it cannot be bought.
            thumbnails_[static_cast<size_t>(thumbnail)]->SetChosen(false);
            return true;
        }
        chosen_[type_] = static_cast<uint16_t>(part);
        ApplyChoice();
        for (size_t n = 0; n < kThumbnails; ++n) thumbnails_[n]->SetChosen(n == static_cast<size_t>(thumbnail));
        RefreshTexts();
        return true;
    }
    const int32_t tab = id - kFirstTab;
    if (tab >= 0 && tab < static_cast<int32_t>(kCuePartTypeCount)) {
        SelectTab(static_cast<size_t>(tab));
        return true;
    }
    switch (id) {
        case kPreviousPage:
            if (pageStart_[type_] - 4 >= 1) pageStart_[type_] -= 4;
            FillThumbnails();
            return true;
        case kNextPage:
            if (pageStart_[type_] + 4 <= static_cast<int32_t>(lists_[type_].size())) pageStart_[type_] += 4;
            FillThumbnails();
            return true;
        case kReset:
            chosen_ = Present();
            ApplyChoice();
            FillThumbnails();
            return true;
        case kGuide: host_.PostEvent(quill::AppEventId::CueGuideOpen, 0); return true;
        case kOk: Confirm(); return true;
        case kClose: SetVisible(false); return true;
        default: return false;
    }
}

void CuePartsWindow::Confirm() {
    if (!cue_) return;
    RefreshTexts();
    if (totals_.cash == 0 && totals_.cueMoney == 0) {
        host_.ShowNotice({u"변경 내용이 없습니다."});
        return;
    }
    const WorkshopWallet wallet = Wallet();
    for (uint8_t type : CueRules::ChangedTypes(chosen_, Present())) {
        const quill::CuePartRecord* part = FindPart(type, chosen_[type]);
        if (part != nullptr && part->requiredLevel > wallet.level) {
            const quill::WString line = Format(u"선택한 %s 파트는 레벨이 맞지 않아 구입이", quill::GetItemAttributeName(type));
            host_.ShowNotice({line, u"불가능합니다.", u"요구사항에 맞는 파트만 구입이 가능합니다."});
            return;
        }
    }
    if (totals_.cash > wallet.cash) {
        host_.ShowNotice({u"Not enough cash."});
        return;
    }
    if (totals_.cueMoney > wallet.cueMoney) {
        host_.ShowNotice({u"Not enough money."});
        return;
    }
    WorkshopQuestion question;
    question.title = u"파츠 구입";
    question.lines = {u"개인큐의 파츠를 교체하면 기존의 파츠는", u"완전히 사라지며 복구가 불가능합니다.",
                      u"교환이나 환불이 불가능하므로 주의하세요", u"선택한 모든 파츠를 구입하시겠습니까?"};
    question.event = quill::AppEventId::CuePartsConfirm;
    host_.Ask(question);
}

void CuePartsWindow::SendPartsBuy() {
    if (!cue_) return;
    const int64_t id = CueRequests::ItemIdOf(*cue_);
    const CueParts chosen = chosen_;
    const CueParts present = Present();
    host_.Sender().Send(
        [=](quill::Packet& packet) { CueRequests::WritePartsBuy(packet, id, chosen, present); });
}

}  // namespace kestrovan
