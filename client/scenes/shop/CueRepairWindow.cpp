#include "client/scenes/shop/CueRepairWindow.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/net/Packet.h"
#include "client/table/SharedUtilities.h"
#include "client/scenes/shop/CueRequests.h"
#include "client/scenes/shop/CueRules.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

using quill::Format;

CueRepairWindow::CueRepairWindow(WorkshopHost& host) : WorkshopWindow(host, 185, 414) {
    SetModal(true);
    title_ = AddTitle(14, 7, 160, u"");
    AddText(15, 60, 60, u"내구");
    durability_ = AddText(75, 60, 100, u"", kYellow);
    AddText(15, 110, 150, u"수리 비용");
    cost_ = AddText(15, 130, 160, u"", kYellow);
    advancedCaption_ = AddText(15, 170, 150, u"고급수리");
    advancedCost_ = AddText(15, 190, 160, u"", kYellow);
    AddCommand(kOk, 40, 307, u"수리", 105);
    advancedButton_ = AddCommand(kAdvanced, 40, 335, u"고급수리", 105);
    AddCommand(kClose, 40, 370, u"닫기", 105);
}

void CueRepairWindow::SetCue(const quill::InventoryItem& cue) {
    cue_ = cue;
    title_->SetText(CueRules::NameOf(cue));
    durability_->SetText(Format(u"%d/%d", cue.durabilityCurrent / 1000, cue.durabilityTotal / 1000));
    const bool custom = CueRules::IsCustomCue(cue.typeCode);
    for (Widget* advanced : {static_cast<Widget*>(advancedCaption_), static_cast<Widget*>(advancedCost_),
                             static_cast<Widget*>(advancedButton_)})
        advanced->Show(!custom);
    const quill::WString cost = FormatMoney(CueRules::NormalRepairCost(cue));
    cost_->SetText(Format(custom ? u"%s (캐시)" : u"%s (큐머니)", cost));
    advancedCost_->SetText(Format(u"%s (큐머니)", FormatMoney(CueRules::AdvancedRepairCost(cue))));
}

bool CueRepairWindow::OnClick(int32_t id) {
    switch (id) {
        case kClose: SetVisible(false); return true;
        case kOk: Confirm(false); return true;
        case kAdvanced: Confirm(true); return true;
        default: return false;
    }
}

void CueRepairWindow::Confirm(bool advanced) {
    mode_ = advanced ? CueRequests::kRepairAdvanced : CueRequests::kRepairNormal;
    if (!cue_) return;
    const quill::InventoryItem& cue = *cue_;
    const bool custom = !advanced && CueRules::IsCustomCue(cue.typeCode);
    if (!CueRules::RepairAllowed(cue, advanced)) {
        host_.ShowNotice({custom ? u"내구도가 10% 미만일 때만 수리 가능합니다." : u"내구도가 80% 미만일 때만 수리 가능합니다."});
        return;
    }
    const int64_t cost = advanced ? CueRules::AdvancedRepairCost(cue) : CueRules::NormalRepairCost(cue);
    const WorkshopWallet wallet = Wallet();
    if (cost > (custom ? wallet.cash : wallet.cueMoney)) {
        host_.ShowNotice({custom ? u"Not enough cash." : u"Not enough money."});
        return;
    }
    WorkshopQuestion question;
    question.event = quill::AppEventId::CueRepairConfirm;
    if (advanced) {
        question.title = u"고급 수리";
        question.lines = {u"내구도 감소 없이 완전히 수리됩니다.", u"", u"고급수리 기능으로 수리하시겠습니까?"};
        question.value = 2;
    } else if (custom) {
        question.title = u"커스텀큐 수리";
        question.lines = {u"내구도가 완전하게 복원됩니다.", u"내구도 복원을 진행하시겠습니까?"};
        question.value = 1;
    } else {
        question.title = u"튜닝큐 수리";
        question.lines = {u"수리시에 최대 내구도가 깎일 수 있습니다.", u"내구도 감소는 1~6까지 적용됩니다.",
                          u"고급수리 기능을 사용하면 수리 실패없이", u"전체 내구도를 복원할 수 있습니다."};
        question.value = 1;
    }
    host_.Ask(question);
}

void CueRepairWindow::SendRepair() {
    if (!cue_) return;
    const int64_t id = CueRequests::ItemIdOf(*cue_);
    const uint8_t mode = mode_;
    host_.SendAwaited([id, mode](quill::Packet& packet) { CueRequests::WriteRepair(packet, mode, id); });
}

}  // namespace kestrovan
