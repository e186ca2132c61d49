#include "client/scenes/shop/CuePartsWindow.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/shop/CueRequests.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

CuePartsWindow::CuePartsWindow(WorkshopHost& host)
    : CuePartBrowser(host, 623, 383, {u"%s %d번", u"%s (캐시)", u"%s (큐머니)", false}) {
    SetModal(true);
    AddTitle(14, 7, 300, u"파츠 구입");
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

void CuePartsWindow::Open(const quill::InventoryItem& cue) {
    cue_ = cue;
    Begin(cue.typeCode, cue.statValues);
}

void CuePartsWindow::OnShow() {
    totals_ = {};
    CuePartBrowser::OnShow();
}

void CuePartsWindow::RefreshMore() {
    const WorkshopWallet wallet = Wallet();
    totals_ = CueRules::PartsTotals(Chosen(), cue_ ? cue_->statValues : CueParts{}, FindPart);
    cash_->SetText(FormatMoney(wallet.cash));
    cashTotal_->SetText(FormatMoney(totals_.cash));
    cueMoney_->SetText(FormatMoney(wallet.cueMoney));
    cueMoneyTotal_->SetText(FormatMoney(totals_.cueMoney));
}

bool CuePartsWindow::OnClick(int32_t id) {
    if (OnBrowse(id)) return true;
    switch (id) {
        case kReset:
            if (cue_) SetChoice(cue_->statValues);
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
    for (uint8_t type : CueRules::ChangedTypes(Chosen(), cue_->statValues)) {
        const quill::CuePartRecord* part = FindPart(type, Chosen()[type]);
        if (part != nullptr && part->requiredLevel > wallet.level) {
            const quill::WString line =
                quill::Format(u"선택한 %s 파트는 레벨이 맞지 않아 구입이", quill::GetItemAttributeName(type));
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
    const CueParts chosen = Chosen();
    const CueParts present = cue_->statValues;
    host_.SendAwaited([=](quill::Packet& packet) { CueRequests::WritePartsBuy(packet, id, chosen, present); });
}

}  // namespace kestrovan
