#include "client/scenes/shop/CueRetuneWindow.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/shop/CueRequests.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

using quill::Format;

CueRetuneWindow::CueRetuneWindow(WorkshopHost& host) : WorkshopWindow(host, 623, 383) {
    SetModal(true);
    AddTitle(14, 7, 300, u"성능 재조정");
    preview_ = AddPreview(20, 50, 147, 242, false);
    name_ = AddText(20, 300, 147, u"", kYellow);
    AddText(190, 50, 140, u"성능 재조정 비용 :");
    AddText(330, 50, 150, u"8,800 (캐시)", kYellow);
    AddText(190, 72, 140, u"보유캐시 : ");
    cash_ = AddText(330, 72, 150, u"", kYellow);
    AddText(190, 100, 140, u"남은 포인트");
    points_ = AddText(330, 100, 60, u"", kYellow);
    for (size_t i = 0; i < kCueOptionCount; ++i) {
        const int32_t y = 135 + 35 * static_cast<int32_t>(i);
        const auto button = kFirstValueButton + 2 * static_cast<int32_t>(i);
        AddText(190, y, 120, quill::GetItemStatName(static_cast<uint32_t>(i)));
        AddCommand(button, 320, y, u"-", 24);
        valueLabels_[i] = AddText(350, y, 40, u"", kYellow);
        AddCommand(button + 1, 390, y, u"+", 24);
        effects_[i] = AddText(430, y, 80, u"", kYellow);
    }
    AddCommand(kOk, 380, 340, u"재조정");
    AddCommand(kClose, 480, 340, u"닫기");
}

void CueRetuneWindow::SetCue(const quill::InventoryItem& cue) {
    cue_ = cue;
    preview_->ShowItem(cue);
    name_->SetText(CueRules::NameOf(cue));
}

void CueRetuneWindow::OnShow() {
    pointsLeft_ = CueRules::kCustomPoints;
    values_ = {};
    Refresh();
    WorkshopWindow::OnShow();
}

void CueRetuneWindow::Refresh() {
    cash_->SetText(FormatMoney(Wallet().cash));
    points_->SetText(Format(u"%d", pointsLeft_));
    for (size_t i = 0; i < kCueOptionCount; ++i) {
        valueLabels_[i]->SetText(Format(u"%d", values_[i]));
        effects_[i]->SetText(CueRules::EffectRowText(i, values_[i]));
    }
}

bool CueRetuneWindow::OnClick(int32_t id) {
    if (id >= kFirstValueButton && id < kFirstValueButton + 2 * static_cast<int32_t>(kCueOptionCount)) {
        if (CueRules::ApplyPointButton(id, CueRules::kCustomMaxPerOption, pointsLeft_, values_)) Refresh();
        return true;
    }
    switch (id) {
        case kOk: Confirm(); return true;
        case kClose: SetVisible(false); return true;
        default: return false;
    }
}

void CueRetuneWindow::Confirm() {
    if (pointsLeft_ > 0) {
        host_.ShowNotice({u"성능 포인트가 아직 남아 있습니다.", u"모든 성능 포인트를 배분해 주세요."});
        return;
    }
    WorkshopQuestion question;
    question.secondBox = true;
    question.title = u"성능 재조정";
    question.lines = {u"선택한 성능으로 재조정됩니다.", u"재조정 후에는 원래 값으로 복원할수 없습니다.",
                      u"비용은 8,800 캐시입니다.", u"", u"지금 시도하시겠습니까?"};
    question.event = quill::AppEventId::CueOptionConfirm;
    question.value = 1;
    host_.Ask(question);
}

void CueRetuneWindow::SendRetune() {
    if (!cue_) return;
    const int64_t id = CueRequests::ItemIdOf(*cue_);
    const CueOptions values = values_;
    host_.SendAwaited([id, values](quill::Packet& packet) { CueRequests::WriteRetune(packet, id, values); });
}

}  // namespace kestrovan
